#include "output/output_file.h"

#include <atomic>

#include "base/interrupt.h"
#include "base/path.h"
#include "base/reporter.h"
#include "base/text.h"
#include "output/held_outputs.h"

namespace {

// The directory part of `path` ("" for the current one, else ending with
// its separator), where its temporary file goes so that the replace never
// crosses file systems.
std::string DirectoryOf(const std::string& path) {
  size_t name = path.size() - FileName(path).size();
  return path.substr(0, name);
}

const char kIsADirectory[] = "Is a directory";

// Creates the temporary file for a destination in `directory` under a short
// name of its own, so that a destination name that fits leaves room for it,
// and remembers it for the interrupt handlers before it exists, so that no
// interrupt can come between the two. `file->slot` is the slot to forget.
bool CreateTemporary(Disk& disk,
                     const std::string& directory,
                     unsigned mode,
                     TemporaryFile* file,
                     std::string* error) {
  // Threads write outputs side by side: each name is taken once.
  static std::atomic<unsigned> counter{0};
  const std::string prefix =
      directory + ".qev" + std::to_string(disk.ProcessId()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    file->path = prefix + std::to_string(counter++);
    FileCreation creation;
    file->slot = RememberPendingFile(file->path);
    bool exists = false;
    if (disk.CreateNew(file, mode, &exists, error))
      return true;
    ForgetPendingFile(file->slot);
    file->slot = -1;
    if (!exists)
      break;
  }
  file->path.clear();
  return false;
}

}  // namespace

bool CanHoldOutput(Disk& disk, const std::string& path, std::string* error) {
  FileStatus status = disk.Stat(path);
  if (status.kind == FileKind::kDirectory) {
    *error = kIsADirectory;
    return false;
  }
  return true;
}

bool WriteFileIfChanged(Disk& disk,
                        const std::string& path,
                        const std::string& content,
                        std::string* error,
                        bool* changed) {
  if (changed)
    *changed = false;
  FileStatus status = disk.Stat(path);
  std::string target = path;
  if (status.link) {
    target = disk.ResolveLink(path);
    status = disk.Stat(target);
  }
  if (status.kind == FileKind::kDirectory) {
    *error = kIsADirectory;
    return false;
  }
  const bool exists = status.kind != FileKind::kMissing;
  if (status.kind == FileKind::kRegular && status.size == content.size()) {
    std::string existing;
    std::string ignored;
    if (disk.ReadFile(target, content.size(), &existing, &ignored) &&
        existing == content)
      return true;
  }
  // A read-only file (one not checked out of version control, say) is
  // refused rather than replaced behind the user's back.
  if (exists && !disk.IsWritable(target, error))
    return false;

  TemporaryFile temporary;
  if (!CreateTemporary(disk, DirectoryOf(target), exists ? status.mode : 0,
                       &temporary, error))
    return false;
  bool ok = disk.Write(&temporary, content.data(), content.size(), error);
  std::string close_error;
  if (!disk.Close(&temporary, &close_error) && ok) {
    ok = false;
    *error = close_error;
  }
  if (ok)
    ok = disk.Replace(temporary.path, target, error);
  if (!ok)
    disk.Remove(temporary.path);
  ForgetPendingFile(temporary.slot);
  if (ok && changed)
    *changed = true;
  return ok;
}

std::string OutputWriter::DiskPath(const std::string& path) const {
  return ResolvePath(base_, path);
}

std::string OutputWriter::ExportDirectory(const std::string& exportDir,
                                          const std::string& fileName) {
  if (exportDir.empty())
    return std::string();
  // Descriptions written on Windows separate directories with "\\".
  std::string directory = ForwardSlashes(exportDir);
  std::string reason;
  if (disk_.CanEnterDirectory(DiskPath(directory), &reason))
    return directory;
  reporter_.Warning("cannot enter export directory \"" + exportDir + "\" (" +
                    reason + "); writing \"" + fileName +
                    "\" in the current directory");
  return std::string();
}

std::string OutputWriter::PlannedDirectory(const std::string& exportDir) {
  if (exportDir.empty())
    return std::string();
  std::string directory = ForwardSlashes(exportDir);
  std::string reason;
  return disk_.CanEnterDirectory(DiskPath(directory), &reason) ? directory
                                                               : std::string();
}

std::string OutputWriter::PlannedPath(const std::string& exportDir,
                                      const std::string& fileName) {
  return DiskPath(JoinPath(PlannedDirectory(exportDir), fileName));
}

bool OutputWriter::Write(const std::string& directory,
                         const std::string& fileName,
                         const std::string& content) {
  return WritePath(JoinPath(directory, fileName), content);
}

bool OutputWriter::WritePath(const std::string& path,
                             const std::string& content) {
  if (held_) {
    held_->HoldFile(DiskPath(path), path, content);
    return true;
  }
  std::string error;
  if (WriteFileIfChanged(disk_, DiskPath(path), content, &error))
    return true;
  reporter_.Error("cannot write \"" + path + "\": " + error);
  return false;
}

bool OutputWriter::CanHold(const std::string& path) {
  std::string error;
  if (CanHoldOutput(disk_, DiskPath(path), &error))
    return true;
  reporter_.Error("cannot write \"" + path + "\": " + error);
  return false;
}

bool OutputWriter::MakeDirectory(const std::string& path) {
  if (held_) {
    held_->HoldDirectory(DiskPath(path));
    return true;
  }
  std::string error;
  return disk_.MakeDirectory(DiskPath(path), &error);
}

bool StreamedOutput::Open(const std::string& path, std::string* error) {
  Discard();
  path_ = path;
  targetPath_ = path;
  FileStatus status = disk_.Stat(path);
  if (status.link) {
    targetPath_ = disk_.ResolveLink(path);
    status = disk_.Stat(targetPath_);
  }
  if (status.kind == FileKind::kDirectory) {
    *error = kIsADirectory;
    return false;
  }
  existed_ = status.kind != FileKind::kMissing;
  if (existed_ && !disk_.IsWritable(targetPath_, error))
    return false;
  if (!CreateTemporary(disk_, DirectoryOf(targetPath_),
                       existed_ ? status.mode : 0, &temporary_, error))
    return false;
  size_ = 0;
  return true;
}

bool StreamedOutput::Write(const char* data, size_t size, std::string* error) {
  size_ += size;
  return disk_.Write(&temporary_, data, size, error);
}

bool StreamedOutput::Close(std::string* error) {
  return disk_.Close(&temporary_, error);
}

void StreamedOutput::Discard() {
  if (temporary_.handle >= 0) {
    std::string ignored;
    disk_.Close(&temporary_, &ignored);
  }
  if (!temporary_.path.empty())
    disk_.Remove(temporary_.path);
  ForgetTemporary();
}

void StreamedOutput::ForgetTemporary() {
  temporary_.path.clear();
  ForgetPendingFile(temporary_.slot);
  temporary_.slot = -1;
}

bool StreamedOutput::Unchanged() {
  if (!existed_)
    return false;
  FileStatus status = disk_.Stat(targetPath_);
  return status.kind == FileKind::kRegular && status.size == size_ &&
         disk_.SameContent(temporary_.path, targetPath_);
}

bool CommitOutputs(StreamedOutput* first,
                   StreamedOutput* second,
                   std::string* failed_path,
                   std::string* error) {
  Disk& disk = first->disk_;
  if (first->Unchanged())
    first->Discard();
  if (second->Unchanged())
    second->Discard();
  const bool first_pending = !first->temporary_.path.empty();
  const bool second_pending = !second->temporary_.path.empty();

  // Keep the first destination's old content reachable under a second name
  // until the second output is in place, to put it back if that fails.
  std::string backup;
  int backup_slot = -1;
  if (first_pending && second_pending && first->existed_) {
    backup = first->temporary_.path + ".old";
    backup_slot = RememberPendingFile(backup);
    if (!disk.Link(first->targetPath_, backup)) {
      // Best effort: no hard links here, or the name is taken.
      ForgetPendingFile(backup_slot);
      backup_slot = -1;
      backup.clear();
    }
  }
  auto drop_backup = [&]() {
    if (!backup.empty())
      disk.Remove(backup);
    ForgetPendingFile(backup_slot);
  };

  if (first_pending &&
      !disk.Replace(first->temporary_.path, first->targetPath_, error)) {
    *failed_path = first->path_;
    drop_backup();
    first->Discard();
    second->Discard();
    return false;
  }
  first->ForgetTemporary();

  if (second_pending &&
      !disk.Replace(second->temporary_.path, second->targetPath_, error)) {
    *failed_path = second->path_;
    if (first_pending) {
      std::string ignored;
      if (!backup.empty())
        disk.Replace(backup, first->targetPath_, &ignored);
      else if (!first->existed_)
        disk.Remove(first->targetPath_);
    }
    drop_backup();
    second->Discard();
    return false;
  }
  second->ForgetTemporary();
  drop_backup();
  return true;
}
