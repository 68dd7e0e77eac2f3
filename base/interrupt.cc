#include "base/interrupt.h"

#include <atomic>
#include <cstring>

#include "base/interrupt_slots.h"

namespace {

PendingSlot g_slots[kPendingSlots];

}  // namespace

PendingSlot* PendingSlots() {
  return g_slots;
}

int RememberPendingFile(const std::string& path) {
  if (path.size() >= kPendingPathMax)
    return -1;
  for (int i = 0; i < kPendingSlots; ++i) {
    int expected = kSlotFree;
    if (g_slots[i].state.compare_exchange_strong(expected, kSlotFilling)) {
      std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
      g_slots[i].handle.store(-1);
      g_slots[i].state.store(kSlotReady);
      return i;
    }
  }
  return -1;
}

void ForgetPendingFile(int slot) {
  if (slot >= 0 && slot < kPendingSlots)
    g_slots[slot].state.store(kSlotFree);
}

void SetPendingHandle(int slot, intptr_t handle) {
  if (slot >= 0 && slot < kPendingSlots)
    g_slots[slot].handle.store(handle);
}
