#include <signal.h>
#include <time.h>
#include <unistd.h>

#include "base/interrupt.h"
#include "base/interrupt_slots.h"

namespace {

// Lets the other threads finish the temporary files they are creating, so
// that the sweep finds them, and start no more; waits two seconds at most.
void StopFileCreations() {
  FileCreationsStopped().store(true);
  const int own = OwnFileCreations();
  const struct timespec pause = {0, 1000000};
  for (int waited = 0; waited < 2000; ++waited) {
    if (FileCreationsUnderWay().load() <= own)
      break;
    nanosleep(&pause, nullptr);
  }
}

void OnInterrupt(int signal_number) {
  StopFileCreations();
  RemovePendingFiles();
  // End with the signal's own status, as an unhandled interrupt would.
  signal(signal_number, SIG_DFL);
  raise(signal_number);
}

}  // namespace

void RemovePendingFiles() {
  PendingSlot* slots = PendingSlots();
  for (int i = 0; i < kPendingSlots; ++i) {
    if (slots[i].state.load() == kSlotReady)
      unlink(slots[i].path);
  }
}

void InstallInterruptHandlers() {
  // A closed pipe on standard output shows as a failed write, which is
  // reported, instead of ending the process without a word.
  signal(SIGPIPE, SIG_IGN);
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction previous;
    // An interrupt ignored by whoever started us stays ignored.
    if (sigaction(signal_number, nullptr, &previous) == 0 &&
        previous.sa_handler == SIG_IGN)
      continue;
    sigaction(signal_number, &action, nullptr);
  }
}
