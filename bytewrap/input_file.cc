#include "bytewrap/input_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

bool OpenInput(const std::string& path, InputFile* input) {
  // O_NONBLOCK keeps a FIFO from blocking the open until a writer appears;
  // it has no effect on the regular files that are read.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  input->fd = fd;
  input->size = static_cast<uint64_t>(info.st_size);
  return true;
}

bool ReadInput(InputFile* input, unsigned char* buffer, size_t count) {
  while (count > 0) {
    ssize_t got = read(input->fd, buffer, count);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      return false;
    buffer += got;
    count -= static_cast<size_t>(got);
  }
  return true;
}

bool ReadThrough(InputFile* input, uint64_t remaining) {
  constexpr size_t kPiece = 64 * 1024;
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[kPiece]);
  while (remaining > 0) {
    size_t count = remaining < kPiece ? static_cast<size_t>(remaining) : kPiece;
    if (!ReadInput(input, buffer.get(), count))
      return false;
    remaining -= count;
  }
  return true;
}

void CloseInput(InputFile* input) {
  if (input->fd >= 0)
    close(input->fd);
  input->fd = -1;
}
