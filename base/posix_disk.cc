#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "base/disk.h"

extern char** environ;

namespace {

std::string Reason(int error_number) {
  return std::strerror(error_number);
}

// Reads until `size` bytes are in or the file ends; -1 on an error.
ssize_t ReadFull(int fd, char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = read(fd, buffer + done, size - done);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return -1;
    if (got == 0)
      break;
    done += static_cast<size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

class PosixDisk : public Disk {
 public:
  FileStatus Stat(const std::string& path) override {
    FileStatus status;
    struct stat info;
    int result = lstat(path.c_str(), &info);
    if (result == 0 && S_ISLNK(info.st_mode)) {
      status.link = true;
      result = stat(path.c_str(), &info);
    }
    if (result != 0) {
      if (errno != ENOENT)
        status.error = Reason(errno);
      return status;
    }
    status.kind = S_ISREG(info.st_mode)   ? FileKind::kRegular
                  : S_ISDIR(info.st_mode) ? FileKind::kDirectory
                                          : FileKind::kOther;
    status.size = static_cast<uint64_t>(info.st_size);
    status.mode = info.st_mode & 07777;
    return status;
  }

  bool IsWritable(const std::string& path, std::string* error) override {
    if (access(path.c_str(), W_OK) == 0)
      return true;
    *error = Reason(errno);
    return false;
  }

  bool CanEnterDirectory(const std::string& path, std::string* error) override {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
      *error = Reason(errno);
      return false;
    }
    if (!S_ISDIR(info.st_mode)) {
      *error = Reason(ENOTDIR);
      return false;
    }
    if (access(path.c_str(), X_OK) != 0) {
      *error = Reason(errno);
      return false;
    }
    return true;
  }

  bool ReadFile(const std::string& path,
                size_t limit,
                std::string* content,
                std::string* error) override {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      *error = Reason(errno);
      return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      *error = S_ISDIR(info.st_mode) ? Reason(EISDIR) : "not a regular file";
      close(fd);
      return false;
    }
    content->clear();
    if (info.st_size > 0 && static_cast<uint64_t>(info.st_size) <= limit)
      content->reserve(static_cast<size_t>(info.st_size));
    constexpr size_t kPiece = 1 << 16;
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    for (;;) {
      ssize_t got = read(fd, buffer.get(), kPiece);
      if (got < 0 && errno == EINTR)
        continue;
      if (got < 0) {
        *error = Reason(errno);
        close(fd);
        return false;
      }
      if (got == 0)
        break;
      if (content->size() + static_cast<size_t>(got) > limit) {
        *error = "larger than " + std::to_string(limit) + " bytes";
        close(fd);
        return false;
      }
      content->append(buffer.get(), static_cast<size_t>(got));
    }
    close(fd);
    return true;
  }

  bool SameContent(const std::string& a, const std::string& b) override {
    int fd_a = open(a.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    int fd_b = open(b.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    bool same = fd_a >= 0 && fd_b >= 0;
    constexpr size_t kPiece = 1 << 16;
    std::unique_ptr<char[]> buffer_a(new char[kPiece]);
    std::unique_ptr<char[]> buffer_b(new char[kPiece]);
    while (same) {
      ssize_t got_a = ReadFull(fd_a, buffer_a.get(), kPiece);
      ssize_t got_b = ReadFull(fd_b, buffer_b.get(), kPiece);
      if (got_a < 0 || got_a != got_b ||
          std::memcmp(buffer_a.get(), buffer_b.get(),
                      static_cast<size_t>(got_a)) != 0) {
        same = false;
      } else if (got_a == 0) {
        break;
      }
    }
    if (fd_a >= 0)
      close(fd_a);
    if (fd_b >= 0)
      close(fd_b);
    return same;
  }

  bool ListDirectory(const std::string& directory,
                     std::vector<DirectoryEntry>* entries,
                     std::string* error) override {
#ifdef __linux__
    // Read with getdents64 into a buffer of the thread's own: opendir
    // allocates 32 KiB for every directory, which on a tree of thousands of
    // directories costs more than the listing.
    int fd = open(directory.empty() ? "." : directory.c_str(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      *error = Reason(errno);
      return false;
    }
    alignas(dirent64) static thread_local char buffer[32768];
    bool ok = true;
    for (;;) {
      ssize_t got = getdents64(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR)
        continue;
      if (got < 0) {
        *error = Reason(errno);
        ok = false;
        break;
      }
      if (got == 0)
        break;
      for (ssize_t at = 0; at < got;) {
        const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
        at += entry->d_reclen;
        AddEntry(fd, entry->d_name, entry->d_type, entries);
      }
    }
    close(fd);
    return ok;
#else
    DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) {
      *error = Reason(errno);
      return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
      AddEntry(dirfd(dir), entry->d_name, entry->d_type, entries);
      errno = 0;
    }
    bool ok = errno == 0;
    if (!ok)
      *error = Reason(errno);
    closedir(dir);
    return ok;
#endif
  }

  // Adds the entry `name` of the directory open as `fd`, but "." and "..".
  static void AddEntry(int fd,
                       const char* name,
                       unsigned char type,
                       std::vector<DirectoryEntry>* entries) {
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
      return;
    bool is_directory = type == DT_DIR;
    // Links and file systems that do not say are asked; a link counts as
    // what it points to.
    if (type == DT_UNKNOWN || type == DT_LNK) {
      struct stat info;
      is_directory = fstatat(fd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    }
    entries->push_back({name, is_directory});
  }

  std::string CurrentDirectory() override {
    std::string buffer(PATH_MAX, '\0');
    while (!getcwd(&buffer[0], buffer.size())) {
      if (errno != ERANGE)
        return std::string();
      buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
  }

  bool ChangeDirectory(const std::string& path, std::string* error) override {
    if (chdir(path.c_str()) == 0)
      return true;
    *error = Reason(errno);
    return false;
  }

  std::string CanonicalPath(const std::string& path) override {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
      return std::string();
    std::string canonical = resolved;
    free(resolved);
    return canonical;
  }

  std::string ResolveLink(const std::string& path) override {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
      return path;
    std::string target = CanonicalPath(path);
    // A dangling link is replaced itself.
    return target.empty() ? path : target;
  }

  bool CreateNew(TemporaryFile* file,
                 unsigned mode,
                 bool* exists,
                 std::string* error) override {
    *exists = false;
    int fd = open(file->path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
                  mode ? 0600 : 0666);
    if (fd < 0) {
      *exists = errno == EEXIST;
      *error = Reason(errno);
      return false;
    }
    if (mode && fchmod(fd, mode) != 0) {
      *error = Reason(errno);
      close(fd);
      unlink(file->path.c_str());
      return false;
    }
    file->handle = fd;
    return true;
  }

  bool Write(TemporaryFile* file,
             const char* data,
             size_t size,
             std::string* error) override {
    int fd = static_cast<int>(file->handle);
    while (size > 0) {
      ssize_t written = write(fd, data, size);
      if (written < 0 && errno == EINTR)
        continue;
      if (written <= 0) {
        *error = Reason(written < 0 ? errno : ENOSPC);
        return false;
      }
      data += written;
      size -= static_cast<size_t>(written);
    }
    return true;
  }

  bool Close(TemporaryFile* file, std::string* error) override {
    int fd = static_cast<int>(file->handle);
    file->handle = -1;
    if (fd < 0 || close(fd) == 0)
      return true;
    *error = Reason(errno);
    return false;
  }

  bool Replace(const std::string& from,
               const std::string& to,
               std::string* error) override {
    if (rename(from.c_str(), to.c_str()) == 0)
      return true;
    *error = Reason(errno);
    return false;
  }

  bool Link(const std::string& existing, const std::string& name) override {
    return link(existing.c_str(), name.c_str()) == 0;
  }

  bool Remove(const std::string& path) override {
    return unlink(path.c_str()) == 0;
  }

  bool MakeDirectory(const std::string& path, std::string* error) override {
    if (mkdir(path.c_str(), 0777) == 0)
      return true;
    struct stat info;
    if (errno == EEXIST && stat(path.c_str(), &info) == 0 &&
        S_ISDIR(info.st_mode))
      return true;
    *error = Reason(errno);
    return false;
  }

  int ProcessId() override {
    return static_cast<int>(getpid());
  }

  bool RunProgram(const std::vector<std::string>& arguments,
                  size_t limit,
                  ProgramResult* result,
                  std::string* error) override {
    if (arguments.empty()) {
      *error = "no program named";
      return false;
    }
    int out[2];
    int err[2];
    if (pipe(out) != 0) {
      *error = Reason(errno);
      return false;
    }
    if (pipe(err) != 0) {
      *error = Reason(errno);
      close(out[0]);
      close(out[1]);
      return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (int fd : {out[0], out[1], err[0], err[1]})
      posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned =
        posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
      close(out[0]);
      close(err[0]);
      *error = Reason(spawned);
      return false;
    }
    // Both streams at once, so that a full pipe never stalls the program.
    result->output.clear();
    result->errors.clear();
    bool tooLong = false;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* into[2] = {&result->output, &result->errors};
    int streams = 2;
    while (streams > 0) {
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR)
          continue;
        break;
      }
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || fds[i].revents == 0)
          continue;
        char buffer[4096];
        ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
          continue;
        if (got <= 0) {
          close(fds[i].fd);
          fds[i].fd = -1;
          --streams;
          continue;
        }
        if (into[i]->size() + static_cast<size_t>(got) > limit)
          tooLong = true;
        else
          into[i]->append(buffer, static_cast<size_t>(got));
      }
    }
    for (const pollfd& fd : fds) {
      if (fd.fd >= 0)
        close(fd.fd);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
      if (errno != EINTR) {
        *error = Reason(errno);
        return false;
      }
    }
    result->status = WIFEXITED(status)     ? WEXITSTATUS(status)
                     : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                           : 1;
    if (tooLong) {
      *error = "it wrote more than " + std::to_string(limit) + " bytes";
      return false;
    }
    return true;
  }

  std::string ExecutablePath() override {
#if defined(__linux__)
    return CanonicalPath("/proc/self/exe");
#else
    return std::string();
#endif
  }
};

}  // namespace

Disk& SystemDisk() {
  static PosixDisk disk;
  return disk;
}
