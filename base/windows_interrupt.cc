// Interrupts on Windows: Ctrl-C, Ctrl-Break and the console being closed
// (or the session ending) arrive as console control events, on a thread of
// their own. They remove the pending temporary files, as SIGINT does on
// Linux, and end the process as an unhandled Ctrl-C would.
#include "base/windows_interrupt.h"

#include <windows.h>

#include <atomic>

#include "base/interrupt.h"
#include "base/interrupt_slots.h"
#include "base/process_setup.h"

namespace {

// STATUS_CONTROL_C_EXIT: what a process killed by Ctrl-C ends with.
constexpr UINT kControlCExit = 0xC000013AU;

std::atomic<bool> g_interrupted{false};
SRWLOCK g_working = SRWLOCK_INIT;

BOOL WINAPI OnConsoleEvent(DWORD /*event*/) {
  // A second event while the first is handled waits for the end.
  if (g_interrupted.exchange(true)) {
    Sleep(INFINITE);
    return TRUE;
  }
  // From here no thread starts work on a remembered file (the export
  // writes on several); calls under way finish first. A file one of them
  // created is remembered already, so the sweep removes it too.
  AcquireSRWLockExclusive(&g_working);
  RemovePendingFiles();
  RestoreConsoleCodePage();
  TerminateProcess(GetCurrentProcess(), kControlCExit);
  return TRUE;
}

}  // namespace

FileWork::FileWork() {
  AcquireSRWLockShared(&g_working);
  if (g_interrupted.load()) {
    ReleaseSRWLockShared(&g_working);
    Sleep(INFINITE);
  }
}

FileWork::~FileWork() {
  ReleaseSRWLockShared(&g_working);
}

void RemovePendingFiles() {
  PendingSlot* slots = PendingSlots();
  // Fixed storage, as the interrupt may come at any point of the main
  // thread's work.
  static wchar_t wide[kPendingPathMax];
  for (int i = 0; i < kPendingSlots; ++i) {
    if (slots[i].state.load() != kSlotReady)
      continue;
    int length = MultiByteToWideChar(CP_UTF8, 0, slots[i].path, -1, wide,
                                     static_cast<int>(kPendingPathMax));
    // A file still open would stay until the process's handles are closed,
    // which may be after the process has ended.
    intptr_t handle = slots[i].handle.exchange(-1);
    if (handle != -1)
      CloseHandle(reinterpret_cast<HANDLE>(handle));
    if (length > 0)
      DeleteFileW(wide);
  }
}

void InstallInterruptHandlers() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}
