#ifndef QEV_BASE_WINDOWS_INTERRUPT_H_
#define QEV_BASE_WINDOWS_INTERRUPT_H_

// On Windows a console interrupt is handled on a thread of its own while the
// main thread goes on. The disk brackets every call that creates, writes,
// closes, compares, links, replaces or removes a remembered file with a
// FileWork: once the handler has begun, no such call starts (the thread
// waits for the process to end), and the handler waits for the call under
// way to finish before it closes and removes the remembered files. So the
// handler never removes a file the main thread is renaming, and no handle of
// the main thread keeps a removed file on disk.
class FileWork {
 public:
  FileWork();
  ~FileWork();
  FileWork(const FileWork&) = delete;
  FileWork& operator=(const FileWork&) = delete;
};

#endif  // QEV_BASE_WINDOWS_INTERRUPT_H_
