#ifndef QEV_BASE_INTERRUPT_H_
#define QEV_BASE_INTERRUPT_H_

#include <cstdint>
#include <string>

// Temporary files in flight are removed when the process is interrupted
// (SIGINT, SIGTERM, SIGHUP; Ctrl-C or closing the console on Windows), and
// the process then ends as the interrupt would have ended it. A SIGKILL
// cannot be caught: what it leaves stays.

// Starts handling the interrupts; once per process, from main.
void InstallInterruptHandlers();

// Remembers `path` until it is forgotten. Returns the slot to forget, or -1
// when every slot is taken (the file is then not removed on interrupt).
int RememberPendingFile(const std::string& path);
void ForgetPendingFile(int slot);

// Records the open handle of the file remembered in `slot` (-1 once it is
// closed). Windows removes a file that is still open only when its last
// handle closes, which for a process that ends may come after the process
// is gone; so the handler there closes the handle before removing the file.
// Slot -1 is ignored.
void SetPendingHandle(int slot, intptr_t handle);

// Held by a thread from before it remembers a temporary file until the file
// exists (or could not be made). A handler that takes an interrupt on one
// thread waits for those under way on the others before it removes the
// remembered files, and none starts after it has begun: the thread that
// would start one stops there for good, as the process is ending. So a file
// that another thread creates at the moment of the interrupt is removed all
// the same.
class FileCreation {
 public:
  FileCreation();
  ~FileCreation();
  FileCreation(const FileCreation&) = delete;
  FileCreation& operator=(const FileCreation&) = delete;
};

// Removes every remembered file; for the interrupt handlers (only calls that
// are safe in a signal handler).
void RemovePendingFiles();

#endif  // QEV_BASE_INTERRUPT_H_
