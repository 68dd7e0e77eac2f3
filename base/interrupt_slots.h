#ifndef QEV_BASE_INTERRUPT_SLOTS_H_
#define QEV_BASE_INTERRUPT_SLOTS_H_

#include <atomic>
#include <cstddef>
#include <cstdint>

// The table of pending files that the host's interrupt handler walks. Fixed
// storage: a handler may not allocate.
constexpr int kPendingSlots = 64;
constexpr size_t kPendingPathMax = 4096;
enum { kSlotFree = 0, kSlotFilling = 1, kSlotReady = 2 };

struct PendingSlot {
  std::atomic<int> state{kSlotFree};
  // The file's open handle, -1 when it is closed (see SetPendingHandle).
  std::atomic<intptr_t> handle{-1};
  char path[kPendingPathMax];
};

PendingSlot* PendingSlots();

// The FileCreations under way on every thread, and on the calling one
// (which an interrupt handler running there does not wait for).
std::atomic<int>& FileCreationsUnderWay();
int OwnFileCreations();
// Set by a handler before it waits: no FileCreation starts from then on.
std::atomic<bool>& FileCreationsStopped();

#endif  // QEV_BASE_INTERRUPT_SLOTS_H_
