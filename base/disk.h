#ifndef QEV_BASE_DISK_H_
#define QEV_BASE_DISK_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Everything qev and bytewrap ask of the operating system goes through this
// interface: the one implementation per host lives beside it, and tests put
// a wrapper in front that fails chosen calls (a full disk, a rename that does
// not go through). Paths are UTF-8 text with "/" or "\" as separators.
// Failures come back as false with the system's reason in `*error`.

enum class FileKind { kMissing, kRegular, kDirectory, kOther };

struct FileStatus {
  FileKind kind = FileKind::kMissing;
  uint64_t size = 0;
  // Permission bits as the host keeps them (0 where it keeps none).
  unsigned mode = 0;
  // Whether a symbolic link stood at the path itself.
  bool link = false;
  // The reason when the status could not be taken for another reason than
  // a missing file.
  std::string error;
};

// One entry of a directory listing.
struct DirectoryEntry {
  std::string name;
  // A directory, or a symbolic link to one.
  bool directory = false;
};

// What a program that ran said and how it ended.
struct ProgramResult {
  // The exit status; 128 + the signal's number when a signal ended it.
  int status = 0;
  std::string output;
  std::string errors;
};

// An open file that receives the content of an output before it replaces
// the destination.
struct TemporaryFile {
  std::string path;
  intptr_t handle = -1;
  // The pending-file slot that remembers it for the interrupt handler, or -1.
  int slot = -1;
};

class Disk {
 public:
  virtual ~Disk() = default;

  // What is at `path`, following symbolic links.
  virtual FileStatus Stat(const std::string& path) = 0;
  // Whether the process may write to the file at `path`.
  virtual bool IsWritable(const std::string& path, std::string* error) = 0;
  // Whether the process could enter the directory `path`.
  virtual bool CanEnterDirectory(const std::string& path,
                                 std::string* error) = 0;

  // Reads a regular file to its end (whatever size the host reports), at
  // most `limit` bytes; more is an error. Anything but a regular file is
  // refused before it is opened, so a FIFO or a device never blocks.
  virtual bool ReadFile(const std::string& path,
                        size_t limit,
                        std::string* content,
                        std::string* error) = 0;

  // Whether the two regular files hold the same bytes, read in pieces.
  virtual bool SameContent(const std::string& a, const std::string& b) = 0;

  // The entries of `directory` except "." and "..", in no particular order.
  virtual bool ListDirectory(const std::string& directory,
                             std::vector<DirectoryEntry>* entries,
                             std::string* error) = 0;

  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::string& path, std::string* error) = 0;
  // The absolute path with links and "." and ".." resolved; empty when the
  // file does not exist.
  virtual std::string CanonicalPath(const std::string& path) = 0;
  // Where a write to `path` lands: the target of a symbolic link at `path`
  // (so that the link stays), else `path`.
  virtual std::string ResolveLink(const std::string& path) = 0;

  // Creates `file->path` as a new, empty file open for writing; fails with
  // `*exists` set when something is there already. `mode` is the permission
  // of a replaced file; 0 asks for what a new file gets.
  virtual bool CreateNew(TemporaryFile* file,
                         unsigned mode,
                         bool* exists,
                         std::string* error) = 0;
  virtual bool Write(TemporaryFile* file,
                     const char* data,
                     size_t size,
                     std::string* error) = 0;
  virtual bool Close(TemporaryFile* file, std::string* error) = 0;
  // Puts `from` in the place of `to` in one step, replacing what is there.
  virtual bool Replace(const std::string& from,
                       const std::string& to,
                       std::string* error) = 0;
  // Gives `existing` a second name, where the host allows it.
  virtual bool Link(const std::string& existing, const std::string& name) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Creates a directory; an existing one is no failure.
  virtual bool MakeDirectory(const std::string& path, std::string* error) = 0;

  virtual int ProcessId() = 0;
  // The absolute path of the running program, where the host tells it;
  // empty otherwise.
  virtual std::string ExecutablePath() { return std::string(); }

  // Runs the program `arguments[0]` (looked up in PATH when it holds no
  // "/") with the other arguments, no shell between, in the current
  // directory and environment, standard input empty; waits for it and
  // captures both its output streams, each at most `limit` bytes (more is
  // an error). False, with the reason, when it could not be started.
  virtual bool RunProgram(const std::vector<std::string>& arguments,
                          size_t limit,
                          ProgramResult* result,
                          std::string* error) {
    (void)arguments;
    (void)limit;
    (void)result;
    *error = "this system runs no other programs for qev";
    return false;
  }
};

// The host's disk.
Disk& SystemDisk();

#endif  // QEV_BASE_DISK_H_
