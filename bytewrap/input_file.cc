#include "bytewrap/input_file.h"

#include <memory>

#ifdef _WIN32
#include <windows.h>

#include <algorithm>

#include "base/windows_text.h"
#else
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

bool OpenInput(const std::string& path, InputFile* input) {
  std::wstring wide;
  if (!Utf8ToWide(path, &wide))
    return false;
  HANDLE file =
      CreateFileW(wide.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  // Only a file on disk has a size; a console, pipe or device has none.
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return false;
  }
  input->handle = reinterpret_cast<intptr_t>(file);
  input->size = static_cast<uint64_t>(size.QuadPart);
  return true;
}

bool ReadInput(InputFile* input, unsigned char* buffer, size_t count) {
  HANDLE file = reinterpret_cast<HANDLE>(input->handle);
  while (count > 0) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(count, 1 << 30));
    if (!ReadFile(file, buffer, want, &got, nullptr) || got == 0)
      return false;
    buffer += got;
    count -= got;
  }
  return true;
}

void CloseInput(InputFile* input) {
  if (input->handle != -1)
    CloseHandle(reinterpret_cast<HANDLE>(input->handle));
  input->handle = -1;
}

#else

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
  input->handle = fd;
  input->size = static_cast<uint64_t>(info.st_size);
  return true;
}

bool ReadInput(InputFile* input, unsigned char* buffer, size_t count) {
  const int fd = static_cast<int>(input->handle);
  while (count > 0) {
    ssize_t got = read(fd, buffer, count);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      return false;
    buffer += got;
    count -= static_cast<size_t>(got);
  }
  return true;
}

void CloseInput(InputFile* input) {
  if (input->handle >= 0)
    close(static_cast<int>(input->handle));
  input->handle = -1;
}

#endif

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
