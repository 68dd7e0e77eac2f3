#include "base/windows_text.h"

#include <windows.h>

#include <cerrno>
#include <climits>

bool Utf8ToWide(const std::string& text, std::wstring* wide) {
  wide->clear();
  if (text.empty())
    return true;
  if (text.size() > static_cast<size_t>(INT_MAX))
    return false;
  const int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                   size, nullptr, 0);
  if (length <= 0)
    return false;
  wide->resize(static_cast<size_t>(length));
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size,
                      &(*wide)[0], length);
  // A name stops at its first null character on Windows; refuse it rather
  // than open a shorter name.
  return wide->find(L'\0') == std::wstring::npos;
}

std::string WideToUtf8(const wchar_t* wide, size_t size) {
  if (size == 0 || size > static_cast<size_t>(INT_MAX))
    return std::string();
  const int wide_size = static_cast<int>(size);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide, wide_size, nullptr, 0,
                                   nullptr, nullptr);
  if (length <= 0)
    return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, wide_size, &text[0], length, nullptr,
                      nullptr);
  return text;
}

std::string WideToUtf8(const std::wstring& wide) {
  return WideToUtf8(wide.data(), wide.size());
}

std::string ErrnoMessage(int error_number) {
  // The C runtime's own texts differ from Linux's for some of these.
  switch (error_number) {
    case ENOENT:
      return "No such file or directory";
    case EACCES:
      return "Permission denied";
    case EEXIST:
      return "File exists";
    case ENOTDIR:
      return "Not a directory";
    case EISDIR:
      return "Is a directory";
    case ENOTEMPTY:
      return "Directory not empty";
    case ENOSPC:
      return "No space left on device";
    case ENOMEM:
      return "Cannot allocate memory";
    case EROFS:
      return "Read-only file system";
    case ENAMETOOLONG:
      return "File name too long";
    case EXDEV:
      return "Invalid cross-device link";
    case EILSEQ:
      return "Invalid or incomplete multibyte or wide character";
    case EBUSY:
      return "Device or resource busy";
    case EINVAL:
      return "Invalid argument";
    case EPIPE:
      return "Broken pipe";
    default:
      return "Input/output error";
  }
}

int ErrnoFromWindowsError(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_NOT_READY:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_CANNOT_MAKE:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY:
      return ENOTEMPTY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_NO_UNICODE_TRANSLATION:
      return EILSEQ;
    case ERROR_INVALID_PARAMETER:
      return EINVAL;
    default:
      return EIO;
  }
}
