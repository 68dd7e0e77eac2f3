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

#include <cstring>
#endif

namespace {

std::string EndedEarly(const InputFile& input) {
  return "the file ended before its size when opened (" +
         std::to_string(input.size) + " bytes); did it change?";
}

std::string TooLarge(uint64_t limit) {
  return "the file tells no size and holds more than " + std::to_string(limit) +
         " bytes";
}

}  // namespace

#ifdef _WIN32

namespace {

std::string LastErrorText() {
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
    return "No such file or directory";
  if (error == ERROR_ACCESS_DENIED)
    return "Permission denied";
  return "Windows error " + std::to_string(error);
}

// Reads up to `count` bytes; the number read, or -1 with the reason.
long long ReadSome(InputFile* input,
                   void* buffer,
                   size_t count,
                   std::string* reason) {
  DWORD got = 0;
  DWORD want = static_cast<DWORD>(std::min<size_t>(count, 1 << 30));
  if (!ReadFile(reinterpret_cast<HANDLE>(input->handle), buffer, want, &got,
                nullptr)) {
    *reason = LastErrorText();
    return -1;
  }
  return static_cast<long long>(got);
}

}  // namespace

bool OpenInput(const std::string& path, InputFile* input, std::string* reason) {
  std::wstring wide;
  if (!Utf8ToWide(path, &wide)) {
    *reason = "the name is not UTF-8";
    return false;
  }
  HANDLE file =
      CreateFileW(wide.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Windows refuses to open a directory as a file: say what it is.
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
      *reason = "it is a directory";
    else
      *reason = LastErrorText();
    return false;
  }
  // Only a file on disk has a size; a console, pipe or device has none.
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    *reason = "it is not a regular file";
    CloseHandle(file);
    return false;
  }
  input->handle = reinterpret_cast<intptr_t>(file);
  input->size = static_cast<uint64_t>(size.QuadPart);
  return true;
}

void CloseInput(InputFile* input) {
  if (input->handle != -1)
    CloseHandle(reinterpret_cast<HANDLE>(input->handle));
  input->handle = -1;
}

#else

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

long long ReadSome(InputFile* input,
                   void* buffer,
                   size_t count,
                   std::string* reason) {
  for (;;) {
    ssize_t got = read(static_cast<int>(input->handle), buffer, count);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      *reason = std::strerror(errno);
    return got;
  }
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
  input->handle = fd;
  input->size = static_cast<uint64_t>(info.st_size);
  return true;
}

void CloseInput(InputFile* input) {
  if (input->handle >= 0)
    close(static_cast<int>(input->handle));
  input->handle = -1;
}

#endif

bool ReadInput(InputFile* input,
               unsigned char* buffer,
               size_t count,
               std::string* reason) {
  while (count > 0) {
    long long got = ReadSome(input, buffer, count, reason);
    if (got < 0)
      return false;
    if (got == 0) {
      *reason = EndedEarly(*input);
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
    long long got = ReadSome(input, buffer.get(), kPiece, reason);
    if (got < 0)
      return false;
    if (got == 0)
      return true;
    if (data->size() + static_cast<size_t>(got) > limit) {
      *reason = TooLarge(limit);
      return false;
    }
    data->append(buffer.get(), static_cast<size_t>(got));
  }
}
