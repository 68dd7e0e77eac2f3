#ifndef QEV_OUTPUT_ORDERED_EXPORT_H_
#define QEV_OUTPUT_ORDERED_EXPORT_H_

#include <cstddef>
#include <functional>

class HeldOutputs;
class Reporter;

// What one item of an export (a target, say) reports and holds back while
// it is worked on beside others: its messages wait in `reporter`, the files
// of a strict run in `held` (null when the run writes at once). Files that
// are written at once are written by the item itself, from its thread.
struct ExportSlot {
  Reporter* reporter;
  HeldOutputs* held;
};

// RunOrdered (base/ordered_work.h) for the items of an export: `work(i,
// slot)` runs on one of `jobs` threads with a slot of its own, and slot i
// is then handed to `reporter` and `held` in the order of the items, so
// that every message and every held file comes as a serial run gives it,
// whatever the number of threads. `committed(i)` (when given) then runs on
// the calling thread, in the same order.
void ExportInOrder(size_t count,
                   int jobs,
                   Reporter& reporter,
                   HeldOutputs* held,
                   const std::function<void(size_t, const ExportSlot&)>& work,
                   const std::function<void(size_t)>& committed = nullptr);

#endif  // QEV_OUTPUT_ORDERED_EXPORT_H_
