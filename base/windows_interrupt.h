#ifndef QEV_BASE_WINDOWS_INTERRUPT_H_
#define QEV_BASE_WINDOWS_INTERRUPT_H_

// On Windows a console interrupt is handled on a thread of its own while the
// main thread goes on. True once the handler has begun: the disk then
// creates no new file, so none can appear after the handler's sweep.
bool InterruptInProgress();

#endif  // QEV_BASE_WINDOWS_INTERRUPT_H_
