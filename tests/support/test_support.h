#ifndef QEV_TESTS_SUPPORT_TEST_SUPPORT_H_
#define QEV_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <cstdio>
#include <string>
#include <vector>

#include "base/reporter.h"

// A Reporter whose two streams are captured in memory.
class CapturingReporter {
 public:
  CapturingReporter();
  ~CapturingReporter();

  Reporter& reporter() { return reporter_; }
  std::string out();
  std::string err();

 private:
  char* outBuffer_ = nullptr;
  [[maybe_unused]] size_t outSize_ = 0;  // Not used on Windows.
  char* errBuffer_ = nullptr;
  [[maybe_unused]] size_t errSize_ = 0;
  std::FILE* out_;
  std::FILE* err_;
  Reporter reporter_;
};

// A fresh directory that the test runs in; the previous current directory
// is restored and the directory removed afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// Writes `content` to `path` (relative to the current directory), creating
// missing parent directories.
void WriteTextFile(const std::string& path, const std::string& content);
std::string ReadTextFile(const std::string& path);

// Creates the directory `path` unless it exists.
void MakeTestDirectory(const std::string& path);

// The names in `directory` ("" is the current one), hidden ones included,
// in byte order.
std::vector<std::string> SortedListing(const std::string& directory);

// The time `path` was last modified, in seconds since 1970 (-1 when it
// cannot be read), and setting it.
bool SetModificationTime(const std::string& path, long long seconds);
long long ModificationTime(const std::string& path);

#endif  // QEV_TESTS_SUPPORT_TEST_SUPPORT_H_
