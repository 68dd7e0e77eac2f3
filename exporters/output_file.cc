#include "exporters/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/reporter.h"
#include "model/wildcard.h"

namespace {

// True when the file at `path` holds exactly `content`. Compares sizes
// first, so a changed file is usually told apart without reading it.
bool HasContent(const std::string& path,
                const struct stat& info,
                const std::string& content) {
  if (static_cast<unsigned long long>(info.st_size) != content.size())
    return false;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return false;
  char buffer[1 << 16];
  size_t offset = 0;
  bool same = true;
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0) {
      same = got == 0 && offset == content.size();
      break;
    }
    size_t count = static_cast<size_t>(got);
    if (offset + count > content.size() ||
        std::memcmp(buffer, content.data() + offset, count) != 0) {
      same = false;
      break;
    }
    offset += count;
  }
  close(fd);
  return same;
}

bool WriteAll(int fd, const std::string& content) {
  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    ssize_t written = write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty())
    return name;
  if (directory.back() == '/')
    return directory + name;
  return directory + "/" + name;
}

std::string ResolveExportDirectory(const std::string& exportDir,
                                   const std::string& fileName,
                                   Reporter& reporter) {
  if (exportDir.empty())
    return std::string();
  std::string reason;
  if (CanEnterDirectory(exportDir, &reason))
    return exportDir;
  reporter.Warning("cannot enter export directory \"" + exportDir + "\" (" +
                   reason + "); writing \"" + fileName +
                   "\" in the current directory");
  return std::string();
}

OutputFile::~OutputFile() {
  Discard();
}

void OutputFile::Discard() {
  if (fd_ >= 0)
    close(fd_);
  fd_ = -1;
  if (!temporaryPath_.empty())
    unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
}

bool OutputFile::Open(const std::string& path) {
  Discard();
  path_ = path;
  replacing_ = false;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      reporter_.Error("cannot write \"" + path +
                      "\": " + std::strerror(EISDIR));
      return false;
    }
    // A read-only file (one not checked out of version control, say) is
    // refused rather than replaced behind the user's back.
    if (access(path.c_str(), W_OK) != 0) {
      reporter_.Error("cannot write \"" + path + "\": " + std::strerror(errno));
      return false;
    }
    replacing_ = true;
    existing_ = info;
  }
  // A new file gets what the umask allows, as any created file would; a
  // replaced one keeps its permissions, set once its content is written.
  mode_t create_mode = replacing_ ? 0600 : 0666;
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = path + ".qev-" + std::to_string(getpid()) + "-" +
                            std::to_string(counter++);
    fd_ = open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
               create_mode);
    if (fd_ >= 0) {
      temporaryPath_ = candidate;
      return true;
    }
    if (errno != EEXIST)
      break;
  }
  reporter_.Error("cannot write \"" + path + "\": " + std::strerror(errno));
  return false;
}

bool OutputFile::Commit(const std::string& content) {
  if (fd_ < 0)
    return false;
  if (replacing_ && S_ISREG(existing_.st_mode) &&
      HasContent(path_, existing_, content)) {
    Discard();
    return true;
  }
  bool ok = WriteAll(fd_, content) &&
            (!replacing_ || fchmod(fd_, existing_.st_mode & 07777) == 0);
  int saved_errno = errno;
  if (close(fd_) != 0 && ok) {
    ok = false;
    saved_errno = errno;
  }
  fd_ = -1;
  if (ok && rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    ok = false;
    saved_errno = errno;
  }
  if (!ok) {
    reporter_.Error("cannot write \"" + path_ +
                    "\": " + std::strerror(saved_errno));
    Discard();
    return false;
  }
  temporaryPath_.clear();
  return true;
}

bool WriteOutputFile(const std::string& exportDir,
                     const std::string& fileName,
                     const std::string& content,
                     Reporter& reporter) {
  std::string directory = ResolveExportDirectory(exportDir, fileName, reporter);
  OutputFile file(reporter);
  return file.Open(JoinPath(directory, fileName)) && file.Commit(content);
}
