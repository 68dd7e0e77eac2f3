#ifndef QEV_TESTS_SUPPORT_FAILING_DISK_H_
#define QEV_TESTS_SUPPORT_FAILING_DISK_H_

#include <string>

#include "base/disk.h"

// The host's disk with chosen calls failing, as a full disk or a file
// system that refuses a rename would make them fail.
class FailingDisk : public Disk {
 public:
  // Writes fail once this many bytes went through (a full disk).
  size_t writeBudget = static_cast<size_t>(-1);
  // Replace fails for the destination with this path.
  std::string failReplaceTo;
  // Every CreateNew fails.
  bool failCreate = false;
  int replaces = 0;
  int temporaries = 0;

  FileStatus Stat(const std::string& path) override { return real_.Stat(path); }
  bool IsWritable(const std::string& path, std::string* error) override {
    return real_.IsWritable(path, error);
  }
  bool CanEnterDirectory(const std::string& path, std::string* error) override {
    return real_.CanEnterDirectory(path, error);
  }
  bool ReadFile(const std::string& path,
                size_t limit,
                std::string* content,
                std::string* error) override {
    return real_.ReadFile(path, limit, content, error);
  }
  bool SameContent(const std::string& a, const std::string& b) override {
    return real_.SameContent(a, b);
  }
  bool ListDirectory(const std::string& directory,
                     std::vector<DirectoryEntry>* entries,
                     std::string* error) override {
    return real_.ListDirectory(directory, entries, error);
  }
  std::string CurrentDirectory() override { return real_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& path, std::string* error) override {
    return real_.ChangeDirectory(path, error);
  }
  std::string CanonicalPath(const std::string& path) override {
    return real_.CanonicalPath(path);
  }
  std::string ResolveLink(const std::string& path) override {
    return real_.ResolveLink(path);
  }
  bool CreateNew(TemporaryFile* file,
                 unsigned mode,
                 bool* exists,
                 std::string* error) override {
    if (failCreate) {
      *exists = false;
      *error = "Read-only file system";
      return false;
    }
    ++temporaries;
    return real_.CreateNew(file, mode, exists, error);
  }
  bool Write(TemporaryFile* file,
             const char* data,
             size_t size,
             std::string* error) override {
    if (size > writeBudget) {
      real_.Write(file, data, writeBudget, error);
      writeBudget = 0;
      *error = "No space left on device";
      return false;
    }
    writeBudget -= size;
    return real_.Write(file, data, size, error);
  }
  bool Close(TemporaryFile* file, std::string* error) override {
    return real_.Close(file, error);
  }
  bool Replace(const std::string& from,
               const std::string& to,
               std::string* error) override {
    ++replaces;
    if (to == failReplaceTo) {
      *error = "Device or resource busy";
      return false;
    }
    return real_.Replace(from, to, error);
  }
  bool Link(const std::string& existing, const std::string& name) override {
    return real_.Link(existing, name);
  }
  bool Remove(const std::string& path) override { return real_.Remove(path); }
  bool MakeDirectory(const std::string& path, std::string* error) override {
    return real_.MakeDirectory(path, error);
  }
  int ProcessId() override { return real_.ProcessId(); }
  bool RunProgram(const std::vector<std::string>& arguments,
                  size_t limit,
                  ProgramResult* result,
                  std::string* error) override {
    return real_.RunProgram(arguments, limit, result, error);
  }

 private:
  Disk& real_ = SystemDisk();
};

#endif  // QEV_TESTS_SUPPORT_FAILING_DISK_H_
