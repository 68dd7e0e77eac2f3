#include "tests/support/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "base/disk.h"

#ifdef _WIN32
#include <windows.h>

#include <cwchar>
#include <filesystem>

#include "base/windows_text.h"
#else
#include <stdlib.h>
#include <sys/stat.h>
#include <utime.h>
#endif

namespace {

#ifdef _WIN32
// A file in the temporary directory that goes away when closed: Windows has
// no stream into memory.
std::FILE* OpenCaptureStream() {
  wchar_t directory[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, directory) ||
      !GetTempFileNameW(directory, L"qev", 0, name))
    throw std::runtime_error("no temporary file for the capture");
  return _wfopen(name, L"w+bD");
}

std::string ReadBack(std::FILE* file) {
  std::fflush(file);
  std::string content;
  std::rewind(file);
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    content.append(buffer, got);
  std::fseek(file, 0, SEEK_END);
  return content;
}
#endif

}  // namespace

#ifdef _WIN32
CapturingReporter::CapturingReporter()
    : out_(OpenCaptureStream()),
      err_(OpenCaptureStream()),
      reporter_(out_, err_) {}
#else
CapturingReporter::CapturingReporter()
    : out_(open_memstream(&outBuffer_, &outSize_)),
      err_(open_memstream(&errBuffer_, &errSize_)),
      reporter_(out_, err_) {}
#endif

CapturingReporter::~CapturingReporter() {
  std::fclose(out_);
  std::fclose(err_);
  std::free(outBuffer_);
  std::free(errBuffer_);
}

std::string CapturingReporter::out() {
#ifdef _WIN32
  return ReadBack(out_);
#else
  std::fflush(out_);
  return std::string(outBuffer_, outSize_);
#endif
}

std::string CapturingReporter::err() {
#ifdef _WIN32
  return ReadBack(err_);
#else
  std::fflush(err_);
  return std::string(errBuffer_, errSize_);
#endif
}

ScratchDirectory::ScratchDirectory() {
  Disk& disk = SystemDisk();
  previous_ = disk.CurrentDirectory();
  if (previous_.empty())
    throw std::runtime_error("no current directory");
#ifdef _WIN32
  wchar_t temporary[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, temporary))
    throw std::runtime_error("no temporary directory");
  static int counter = 0;
  do {
    path_ = WideToUtf8(temporary, wcslen(temporary)) + "qev-test-" +
            std::to_string(disk.ProcessId()) + "-" + std::to_string(counter++);
  } while (disk.Stat(path_).kind != FileKind::kMissing);
  std::string made_error;
  if (!disk.MakeDirectory(path_, &made_error))
    throw std::runtime_error("cannot make " + path_ + ": " + made_error);
#else
  char pattern[] = "/tmp/qev-test-XXXXXX";
  if (!mkdtemp(pattern))
    throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
#endif
  std::string error;
  if (!disk.ChangeDirectory(path_, &error))
    throw std::runtime_error("cannot enter " + path_ + ": " + error);
}

ScratchDirectory::~ScratchDirectory() {
  std::string error;
  if (!SystemDisk().ChangeDirectory(previous_, &error))
    return;
#ifdef _WIN32
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::u8path(path_), ignored);
#else
  std::string command =
      "chmod -R u+rwX '" + path_ + "' && rm -rf '" + path_ + "'";
  if (std::system(command.c_str()) != 0)
    return;
#endif
}

void WriteTextFile(const std::string& path, const std::string& content) {
  for (size_t slash = path.find('/'); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (slash > 0)
      MakeTestDirectory(path.substr(0, slash));
  }
  std::ofstream file(path, std::ios::binary);
  file << content;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void MakeTestDirectory(const std::string& path) {
  std::string error;
  SystemDisk().MakeDirectory(path, &error);
}

std::vector<std::string> SortedListing(const std::string& directory) {
  std::vector<DirectoryEntry> entries;
  std::string error;
  SystemDisk().ListDirectory(directory, &entries, &error);
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : entries)
    names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

bool SetModificationTime(const std::string& path, long long seconds) {
#ifdef _WIN32
  std::wstring wide;
  if (!Utf8ToWide(path, &wide))
    return false;
  HANDLE file = CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  // 100-nanosecond steps since 1601.
  unsigned long long ticks =
      (static_cast<unsigned long long>(seconds) + 11644473600ULL) * 10000000ULL;
  FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  bool ok = SetFileTime(file, nullptr, &time, &time) != 0;
  CloseHandle(file);
  return ok;
#else
  struct utimbuf times = {static_cast<time_t>(seconds),
                          static_cast<time_t>(seconds)};
  return utime(path.c_str(), &times) == 0;
#endif
}

long long ModificationTime(const std::string& path) {
#ifdef _WIN32
  std::wstring wide;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!Utf8ToWide(path, &wide) ||
      !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
    return -1;
  unsigned long long ticks =
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime)
       << 32) |
      data.ftLastWriteTime.dwLowDateTime;
  return static_cast<long long>(ticks / 10000000ULL) - 11644473600LL;
#else
  struct stat info;
  if (stat(path.c_str(), &info) != 0)
    return -1;
  return static_cast<long long>(info.st_mtime);
#endif
}
