#include "base/interrupt.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "base/interrupt_slots.h"

namespace {

PendingSlot g_slots[kPendingSlots];

std::atomic<int> g_creations{0};
std::atomic<bool> g_creations_stopped{false};
// Plain data, so that a signal handler may read it.
thread_local int t_creations = 0;

}  // namespace

PendingSlot* PendingSlots() {
  return g_slots;
}

std::atomic<int>& FileCreationsUnderWay() {
  return g_creations;
}

int OwnFileCreations() {
  return t_creations;
}

std::atomic<bool>& FileCreationsStopped() {
  return g_creations_stopped;
}

FileCreation::FileCreation() {
  ++t_creations;
  g_creations.fetch_add(1);
  // Either the handler sees this creation and waits for it, or this sees
  // that the handler has begun.
  if (g_creations_stopped.load()) {
    g_creations.fetch_sub(1);
    --t_creations;
    for (;;)
      std::this_thread::sleep_for(std::chrono::seconds(1));
  }
}

FileCreation::~FileCreation() {
  g_creations.fetch_sub(1);
  --t_creations;
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
