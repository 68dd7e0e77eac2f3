#include "output/ordered_export.h"

#include <memory>
#include <vector>

#include "base/ordered_work.h"
#include "base/reporter.h"
#include "output/held_outputs.h"

namespace {

struct OwnSlot {
  explicit OwnSlot(bool strict) : reporter(Reporter::Recording(strict)) {}
  Reporter reporter;
  HeldOutputs held;
};

}  // namespace

void ExportInOrder(size_t count,
                   int jobs,
                   Reporter& reporter,
                   HeldOutputs* held,
                   const std::function<void(size_t, const ExportSlot&)>& work,
                   const std::function<void(size_t)>& committed) {
  if (jobs <= 1) {
    // One thread reports and holds directly, in order already.
    for (size_t i = 0; i < count; ++i) {
      work(i, ExportSlot{&reporter, held});
      if (committed)
        committed(i);
    }
    return;
  }
  std::vector<std::unique_ptr<OwnSlot>> slots(count);
  const bool strict = reporter.strict();
  RunOrdered(
      count, jobs,
      [&](size_t i) {
        slots[i] = std::make_unique<OwnSlot>(strict);
        OwnSlot& slot = *slots[i];
        work(i, ExportSlot{&slot.reporter, held ? &slot.held : nullptr});
      },
      [&](size_t i) {
        slots[i]->reporter.Replay(reporter);
        if (held)
          held->TakeFrom(slots[i]->held);
        slots[i].reset();
        if (committed)
          committed(i);
      });
}
