#ifndef QEV_BASE_WINDOWS_INTERRUPT_H_
#define QEV_BASE_WINDOWS_INTERRUPT_H_

// On Windows a console interrupt is handled on a thread of its own while the
// main thread goes on. The disk brackets every creation of a remembered file
// with these: once the handler has begun, no creation starts (the thread
// waits for the process to end), and the handler waits for a creation under
// way to finish before it removes the remembered files, that one included.
void BeginCreatingFile();
void EndCreatingFile();

#endif  // QEV_BASE_WINDOWS_INTERRUPT_H_
