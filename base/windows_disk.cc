// The disk on Windows: the wide-character API, with UTF-8 paths inside the
// program, "/" and "\" both separating, drive letters or none. Failures are
// worded as on Linux (a file in the place of a directory is "Not a
// directory", a directory read as a file "Is a directory"), so that both
// hosts print the same messages. Paths handed back use "/".
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <memory>

#include "base/disk.h"
#include "base/interrupt.h"
#include "base/text.h"
#include "base/windows_interrupt.h"
#include "base/windows_text.h"

namespace {

constexpr DWORD kShareAll =
    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string Reason(int error_number) {
  return ErrnoMessage(error_number);
}

bool IsSeparator(wchar_t c) {
  return c == L'/' || c == L'\\';
}

// The attributes of `path`, or INVALID_FILE_ATTRIBUTES.
DWORD Attributes(const std::wstring& path) {
  return GetFileAttributesW(path.c_str());
}

// The errno value for a failed access to `path`: Windows reports a file in
// the place of a directory as a missing path, and a directory opened as a
// file as access denied, where Linux says ENOTDIR and EISDIR.
int PathErrno(const std::wstring& path, DWORD error) {
  if (error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND) {
    // Look for an existing ancestor that is no directory.
    size_t end = path.size();
    while (end > 0) {
      size_t separator = end;
      while (separator > 0 && !IsSeparator(path[separator - 1]))
        --separator;
      if (separator == 0)
        break;
      size_t parent_end = separator - 1;
      while (parent_end > 0 && IsSeparator(path[parent_end - 1]))
        --parent_end;
      if (parent_end == 0)
        break;
      DWORD attributes = Attributes(path.substr(0, parent_end));
      if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ENOENT : ENOTDIR;
      end = parent_end;
    }
    return ENOENT;
  }
  if (error == ERROR_ACCESS_DENIED) {
    DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return EISDIR;
  }
  return ErrnoFromWindowsError(error);
}

std::string PathReason(const std::wstring& path, DWORD error) {
  return Reason(PathErrno(path, error));
}

// Converts `path` for the API; on failure fills `error`. A path near or
// past MAX_PATH is made absolute in the \\?\ form, which has no such limit.
bool Wide(const std::string& path, std::wstring* wide, std::string* error) {
  if (!Utf8ToWide(path, wide)) {
    if (error)
      *error = Reason(EILSEQ);
    return false;
  }
  if (wide->size() < MAX_PATH - 20 || wide->compare(0, 4, L"\\\\?\\") == 0)
    return true;
  DWORD size = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
  if (size == 0)
    return true;
  std::wstring full(size, L'\0');
  DWORD length = GetFullPathNameW(wide->c_str(), size, &full[0], nullptr);
  if (length == 0 || length >= size)
    return true;
  full.resize(length);
  if (full.compare(0, 2, L"\\\\") == 0)
    *wide = L"\\\\?\\UNC\\" + full.substr(2);
  else
    *wide = L"\\\\?\\" + full;
  return true;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid())
      CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

HANDLE OpenForReading(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr,
                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Reads until `size` bytes are in or the file ends; -1 on an error.
long long ReadFull(HANDLE file, char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
    if (!::ReadFile(file, buffer + done, want, &got, nullptr))
      return -1;
    if (got == 0)
      break;
    done += got;
  }
  return static_cast<long long>(done);
}

class WindowsDisk : public Disk {
 public:
  FileStatus Stat(const std::string& path) override {
    FileStatus status;
    std::wstring wide;
    if (!Wide(path, &wide, nullptr))
      return status;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
      int error_number = PathErrno(wide, GetLastError());
      if (error_number != ENOENT)
        status.error = Reason(error_number);
      return status;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // A link: what it points to counts, as stat follows it.
      status.link = true;
      Handle file(CreateFileW(wide.c_str(), 0, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr));
      BY_HANDLE_FILE_INFORMATION info;
      if (!file.valid() || !GetFileInformationByHandle(file.get(), &info))
        return status;
      data.dwFileAttributes = info.dwFileAttributes;
      data.nFileSizeHigh = info.nFileSizeHigh;
      data.nFileSizeLow = info.nFileSizeLow;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      status.kind = FileKind::kDirectory;
    } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) {
      status.kind = FileKind::kOther;
    } else {
      status.kind = FileKind::kRegular;
      status.size =
          (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return status;
  }

  bool IsWritable(const std::string& path, std::string* error) override {
    std::wstring wide;
    if (!Wide(path, &wide, error))
      return false;
    DWORD attributes = Attributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      *error = PathReason(wide, GetLastError());
      return false;
    }
    // The read-only attribute of a directory does not keep files out.
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      *error = Reason(EACCES);
      return false;
    }
    return true;
  }

  bool CanEnterDirectory(const std::string& path, std::string* error) override {
    std::wstring wide;
    if (!Wide(path, &wide, error))
      return false;
    DWORD attributes = Attributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      *error = PathReason(wide, GetLastError());
      return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      *error = Reason(ENOTDIR);
      return false;
    }
    return true;
  }

  bool ReadFile(const std::string& path,
                size_t limit,
                std::string* content,
                std::string* error) override {
    std::wstring wide;
    if (!Wide(path, &wide, error))
      return false;
    Handle file(OpenForReading(wide));
    if (!file.valid()) {
      *error = PathReason(wide, GetLastError());
      return false;
    }
    // A console, a pipe or a device is no file to read whole.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
      *error = "not a regular file";
      return false;
    }
    LARGE_INTEGER size;
    content->clear();
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
        static_cast<uint64_t>(size.QuadPart) <= limit)
      content->reserve(static_cast<size_t>(size.QuadPart));
    constexpr DWORD kPiece = 1 << 16;
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), buffer.get(), kPiece, &got, nullptr)) {
        *error = Reason(ErrnoFromWindowsError(GetLastError()));
        return false;
      }
      if (got == 0)
        break;
      if (content->size() + got > limit) {
        *error = "larger than " + std::to_string(limit) + " bytes";
        return false;
      }
      content->append(buffer.get(), got);
    }
    return true;
  }

  bool SameContent(const std::string& a, const std::string& b) override {
    std::wstring wide_a;
    std::wstring wide_b;
    if (!Wide(a, &wide_a, nullptr) || !Wide(b, &wide_b, nullptr))
      return false;
    // One of the two is a remembered file (see FileWork).
    FileWork work;
    Handle file_a(OpenForReading(wide_a));
    Handle file_b(OpenForReading(wide_b));
    if (!file_a.valid() || !file_b.valid())
      return false;
    constexpr size_t kPiece = 1 << 16;
    std::unique_ptr<char[]> buffer_a(new char[kPiece]);
    std::unique_ptr<char[]> buffer_b(new char[kPiece]);
    for (;;) {
      long long got_a = ReadFull(file_a.get(), buffer_a.get(), kPiece);
      long long got_b = ReadFull(file_b.get(), buffer_b.get(), kPiece);
      if (got_a < 0 || got_a != got_b ||
          std::memcmp(buffer_a.get(), buffer_b.get(),
                      static_cast<size_t>(got_a)) != 0)
        return false;
      if (got_a == 0)
        return true;
    }
  }

  bool ListDirectory(const std::string& directory,
                     std::vector<DirectoryEntry>* entries,
                     std::string* error) override {
    std::wstring wide;
    if (!Wide(directory.empty() ? std::string(".") : directory, &wide, error))
      return false;
    DWORD attributes = Attributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      *error = PathReason(wide, GetLastError());
      return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      *error = Reason(ENOTDIR);
      return false;
    }
    std::wstring pattern = wide;
    if (!IsSeparator(pattern.back()))
      pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
      DWORD last = GetLastError();
      if (last == ERROR_FILE_NOT_FOUND)
        return true;
      *error = PathReason(wide, last);
      return false;
    }
    do {
      const wchar_t* name = entry.cFileName;
      if (wcscmp(name, L".") != 0 && wcscmp(name, L"..") != 0) {
        entries->push_back(
            {WideToUtf8(name, wcslen(name)),
             (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
      }
    } while (FindNextFileW(search, &entry));
    DWORD last = GetLastError();
    FindClose(search);
    if (last != ERROR_NO_MORE_FILES) {
      *error = Reason(ErrnoFromWindowsError(last));
      return false;
    }
    return true;
  }

  std::string CurrentDirectory() override {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
      return std::string();
    std::wstring buffer(size, L'\0');
    DWORD length = GetCurrentDirectoryW(size, &buffer[0]);
    if (length == 0 || length >= size)
      return std::string();
    buffer.resize(length);
    return ForwardSlashes(WideToUtf8(buffer));
  }

  bool ChangeDirectory(const std::string& path, std::string* error) override {
    std::wstring wide;
    if (!Wide(path, &wide, error))
      return false;
    if (SetCurrentDirectoryW(wide.c_str()))
      return true;
    *error = PathReason(wide, GetLastError());
    return false;
  }

  std::string CanonicalPath(const std::string& path) override {
    std::wstring wide;
    if (!Wide(path, &wide, nullptr))
      return std::string();
    Handle file(CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
      return std::string();
    DWORD size =
        GetFinalPathNameByHandleW(file.get(), nullptr, 0, FILE_NAME_NORMALIZED);
    if (size == 0)
      return std::string();
    std::wstring buffer(size, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), &buffer[0], size,
                                             FILE_NAME_NORMALIZED);
    if (length == 0 || length >= size)
      return std::string();
    buffer.resize(length);
    // \\?\C:\dir becomes C:/dir, \\?\UNC\server\share becomes //server/share.
    if (buffer.compare(0, 8, L"\\\\?\\UNC\\") == 0)
      buffer = L"\\\\" + buffer.substr(8);
    else if (buffer.compare(0, 4, L"\\\\?\\") == 0)
      buffer = buffer.substr(4);
    return ForwardSlashes(WideToUtf8(buffer));
  }

  std::string ResolveLink(const std::string& path) override {
    std::wstring wide;
    if (!Wide(path, &wide, nullptr))
      return path;
    DWORD attributes = Attributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return path;
    std::string target = CanonicalPath(path);
    return target.empty() ? path : target;
  }

  bool CreateNew(TemporaryFile* file,
                 unsigned /*mode*/,
                 bool* exists,
                 std::string* error) override {
    // Windows keeps no permission bits to carry over; a replaced file's
    // read-only attribute has refused the write before this.
    *exists = false;
    std::wstring wide;
    if (!Wide(file->path, &wide, error))
      return false;
    // The interrupt handler runs beside this thread; see FileWork.
    FileWork work;
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD last = GetLastError();
    if (handle == INVALID_HANDLE_VALUE) {
      *exists = last == ERROR_FILE_EXISTS || last == ERROR_ALREADY_EXISTS;
      *error = PathReason(wide, last);
      return false;
    }
    file->handle = reinterpret_cast<intptr_t>(handle);
    SetPendingHandle(file->slot, file->handle);
    return true;
  }

  bool Write(TemporaryFile* file,
             const char* data,
             size_t size,
             std::string* error) override {
    HANDLE handle = reinterpret_cast<HANDLE>(file->handle);
    FileWork work;
    while (size > 0) {
      DWORD piece = static_cast<DWORD>(std::min<size_t>(size, 1 << 30));
      DWORD written = 0;
      if (!WriteFile(handle, data, piece, &written, nullptr) || written == 0) {
        *error = Reason(written == 0 && GetLastError() == ERROR_SUCCESS
                            ? ENOSPC
                            : ErrnoFromWindowsError(GetLastError()));
        return false;
      }
      data += written;
      size -= written;
    }
    return true;
  }

  bool Close(TemporaryFile* file, std::string* error) override {
    HANDLE handle = reinterpret_cast<HANDLE>(file->handle);
    FileWork work;
    file->handle = -1;
    SetPendingHandle(file->slot, -1);
    if (handle == INVALID_HANDLE_VALUE || CloseHandle(handle))
      return true;
    *error = Reason(ErrnoFromWindowsError(GetLastError()));
    return false;
  }

  bool Replace(const std::string& from,
               const std::string& to,
               std::string* error) override {
    std::wstring wide_from;
    std::wstring wide_to;
    if (!Wide(from, &wide_from, error) || !Wide(to, &wide_to, error))
      return false;
    // A virus scanner or an indexer may hold the destination open for a
    // moment; a few retries ride that out.
    DWORD last = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 5; ++attempt) {
      {
        FileWork work;
        if (MoveFileExW(wide_from.c_str(), wide_to.c_str(),
                        MOVEFILE_REPLACE_EXISTING))
          return true;
        last = GetLastError();
      }
      if (last != ERROR_SHARING_VIOLATION && last != ERROR_LOCK_VIOLATION &&
          last != ERROR_ACCESS_DENIED)
        break;
      DWORD attributes = Attributes(wide_to);
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        break;
      Sleep(20 * (attempt + 1));
    }
    *error = PathReason(wide_to, last);
    return false;
  }

  bool Link(const std::string& existing, const std::string& name) override {
    std::wstring wide_existing;
    std::wstring wide_name;
    if (!Wide(existing, &wide_existing, nullptr) ||
        !Wide(name, &wide_name, nullptr))
      return false;
    FileWork work;
    return CreateHardLinkW(wide_name.c_str(), wide_existing.c_str(), nullptr);
  }

  bool Remove(const std::string& path) override {
    std::wstring wide;
    if (!Wide(path, &wide, nullptr))
      return false;
    FileWork work;
    return DeleteFileW(wide.c_str());
  }

  bool MakeDirectory(const std::string& path, std::string* error) override {
    std::wstring wide;
    if (!Wide(path, &wide, error))
      return false;
    if (CreateDirectoryW(wide.c_str(), nullptr))
      return true;
    DWORD last = GetLastError();
    if (last == ERROR_ALREADY_EXISTS) {
      DWORD attributes = Attributes(wide);
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    }
    *error = PathReason(wide, last);
    return false;
  }

  int ProcessId() override { return static_cast<int>(GetCurrentProcessId()); }
};

}  // namespace

Disk& SystemDisk() {
  static WindowsDisk disk;
  return disk;
}
