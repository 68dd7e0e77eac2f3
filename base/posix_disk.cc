#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "base/disk.h"

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
    DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) {
      *error = Reason(errno);
      return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
      const char* name = entry->d_name;
      if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
        bool is_directory = entry->d_type == DT_DIR;
        // Links and file systems that do not say are asked; a link counts
        // as what it points to.
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
          struct stat info;
          is_directory =
              fstatat(dirfd(dir), name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        entries->push_back({name, is_directory});
      }
      errno = 0;
    }
    bool ok = errno == 0;
    if (!ok)
      *error = Reason(errno);
    closedir(dir);
    return ok;
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

  int ProcessId() override { return static_cast<int>(getpid()); }

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
