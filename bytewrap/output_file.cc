#include "bytewrap/output_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

// A name for a temporary file in the directory of `target`, so that renaming
// it over `target` never crosses file systems.
std::string TempTemplate(const std::string& target) {
  size_t slash = target.rfind('/');
  std::string directory =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  return directory + ".bytewrap-XXXXXX";
}

// The file that writing `path` would change: a symbolic link's target, so
// that the link stays in place as it would with writing through it.
std::string ResolveTarget(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
    return path;
  char* real = realpath(path.c_str(), nullptr);
  if (!real)
    return path;  // A dangling link is replaced itself.
  std::string target = real;
  free(real);
  return target;
}

mode_t NewFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool OpenOutput(const std::string& path, PendingOutput* output) {
  output->path = path;
  output->target_path = ResolveTarget(path);
  const char* target = output->target_path.c_str();

  mode_t mode = NewFileMode();
  struct stat info;
  if (stat(target, &info) == 0) {
    if (S_ISDIR(info.st_mode) || access(target, W_OK) != 0)
      return false;
    mode = info.st_mode & 0777;
  }

  std::string temp = TempTemplate(output->target_path);
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0)
    return false;
  output->fd = fd;
  output->temp_path = name.data();
  if (fchmod(fd, mode) != 0) {
    DiscardOutput(output);
    return false;
  }
  return true;
}

bool WriteOutput(PendingOutput* output, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(output->fd, data, size);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool CloseOutput(PendingOutput* output) {
  int result = close(output->fd);
  output->fd = -1;
  return result == 0;
}

void DiscardOutput(PendingOutput* output) {
  if (output->fd >= 0)
    close(output->fd);
  output->fd = -1;
  if (!output->temp_path.empty())
    unlink(output->temp_path.c_str());
  output->temp_path.clear();
}

bool CommitOutputs(PendingOutput* first,
                   PendingOutput* second,
                   std::string* failed_path) {
  // Keep the first destination's old content reachable under a second name
  // until the second output is in place, to put it back if that fails.
  struct stat info;
  bool first_existed = lstat(first->target_path.c_str(), &info) == 0;
  std::string backup;
  if (first_existed) {
    backup = first->temp_path + ".old";
    if (link(first->target_path.c_str(), backup.c_str()) != 0)
      backup.clear();  // Best effort: no hard links here, or the name is taken.
  }

  if (rename(first->temp_path.c_str(), first->target_path.c_str()) != 0) {
    *failed_path = first->path;
    if (!backup.empty())
      unlink(backup.c_str());
    DiscardOutput(first);
    DiscardOutput(second);
    return false;
  }
  first->temp_path.clear();

  if (rename(second->temp_path.c_str(), second->target_path.c_str()) != 0) {
    *failed_path = second->path;
    if (!backup.empty())
      rename(backup.c_str(), first->target_path.c_str());
    else if (!first_existed)
      unlink(first->target_path.c_str());
    DiscardOutput(second);
    return false;
  }
  second->temp_path.clear();
  if (!backup.empty())
    unlink(backup.c_str());
  return true;
}
