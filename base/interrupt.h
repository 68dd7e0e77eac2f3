#ifndef QEV_BASE_INTERRUPT_H_
#define QEV_BASE_INTERRUPT_H_

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

// Removes every remembered file; for the interrupt handlers (only calls that
// are safe in a signal handler).
void RemovePendingFiles();

#endif  // QEV_BASE_INTERRUPT_H_
