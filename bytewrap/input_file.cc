#include "bytewrap/input_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace {

// Why a file of this mode is not read.
const char* NotRegularReason(mode_t mode) {
  if (S_ISDIR(mode))
    return "it is a directory";
  if (S_ISFIFO(mode))
    return "it is a FIFO, which has no end to read to";
  if (S_ISCHR(mode) || S_ISBLK(mode))
    return "it is a device, which has no end to read to";
  return "it is not a regular file";
}

}  // namespace

bool OpenInput(const std::string& path, InputFile* input, std::string* reason) {
  // O_NONBLOCK keeps a FIFO from blocking the open until a writer appears;
  // it has no effect on the regular files that are read.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *reason = std::strerror(errno);
    return false;
  }
  struct stat info;
  if (fstat(fd, &info) != 0) {
    *reason = std::strerror(errno);
    close(fd);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *reason = NotRegularReason(info.st_mode);
    close(fd);
    return false;
  }
  posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  input->fd = fd;
  input->size = static_cast<uint64_t>(info.st_size);
  return true;
}

bool ReadInput(InputFile* input,
               unsigned char* buffer,
               size_t count,
               std::string* reason) {
  while (count > 0) {
    ssize_t got = read(input->fd, buffer, count);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      *reason = std::strerror(errno);
      return false;
    }
    if (got == 0) {
      *reason = "the file ended before its size when opened (" +
                std::to_string(input->size) + " bytes); did it change?";
      return false;
    }
    buffer += got;
    count -= static_cast<size_t>(got);
  }
  return true;
}

bool ReadThrough(InputFile* input, uint64_t remaining, std::string* reason) {
  constexpr size_t kPiece = 64 * 1024;
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[kPiece]);
  while (remaining > 0) {
    size_t count = remaining < kPiece ? static_cast<size_t>(remaining) : kPiece;
    if (!ReadInput(input, buffer.get(), count, reason))
      return false;
    remaining -= count;
  }
  return true;
}

bool ReadToEnd(InputFile* input,
               uint64_t limit,
               std::string* data,
               std::string* reason) {
  constexpr size_t kPiece = 64 * 1024;
  std::unique_ptr<char[]> buffer(new char[kPiece]);
  for (;;) {
    ssize_t got = read(input->fd, buffer.get(), kPiece);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      *reason = std::strerror(errno);
      return false;
    }
    if (got == 0)
      return true;
    if (data->size() + static_cast<size_t>(got) > limit) {
      *reason = "the file tells no size and holds more than " +
                std::to_string(limit) + " bytes";
      return false;
    }
    data->append(buffer.get(), static_cast<size_t>(got));
  }
}

void CloseInput(InputFile* input) {
  if (input->fd >= 0)
    close(input->fd);
  input->fd = -1;
}
