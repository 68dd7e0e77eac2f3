#ifndef QEV_OUTPUT_OUTPUT_FILE_H_
#define QEV_OUTPUT_OUTPUT_FILE_H_

#include <cstddef>
#include <string>

#include "base/disk.h"

class HeldOutputs;
class Reporter;

// The one place where generated files reach the disk, for qev and bytewrap.
// A file whose content is already what would be written stays untouched
// (whatever its permissions or its directory's); otherwise the content goes
// into a temporary file beside the destination that then replaces it in one
// step, so that a failed, interrupted or killed run never leaves a
// half-written file. Refused: a directory at the path, and a read-only file
// that would change (a checkout that is not checked out). A symbolic link at
// the path keeps pointing at the file that receives the content; a replaced
// file keeps its permissions.

// False, with the reason, when no content could ever be written at `path`:
// a directory stands there.
bool CanHoldOutput(Disk& disk, const std::string& path, std::string* error);

// Puts `content` at `path` as described above. `*changed` (when given) tells
// whether the file was written.
bool WriteFileIfChanged(Disk& disk,
                        const std::string& path,
                        const std::string& content,
                        std::string* error,
                        bool* changed = nullptr);

// Where the build files of one description go. Paths are as the description
// gives them: relative to its base directory (where its paths start, ""
// for the directory qev runs in), which is also how messages name them;
// the writer puts the base in front for the disk.
class OutputWriter {
 public:
  // Writes go to `held` instead of the disk when it is given.
  OutputWriter(Disk& disk,
               Reporter& reporter,
               std::string base,
               HeldOutputs* held = nullptr)
      : disk_(disk), reporter_(reporter), base_(std::move(base)), held_(held) {}

  Disk& disk() { return disk_; }
  Reporter& reporter() { return reporter_; }
  const std::string& base() const { return base_; }

  // `path` (as the description sees it) as the disk takes it.
  std::string DiskPath(const std::string& path) const;

  // The directory a file of an export directory goes into: `exportDir` when
  // it can be entered; otherwise (with a warning that names the directory
  // and `fileName`) the base directory, given as "". An empty `exportDir`
  // is the base directory without a warning.
  std::string ExportDirectory(const std::string& exportDir,
                              const std::string& fileName);
  // Where ExportDirectory will put a file, asked in advance: no warning.
  std::string PlannedDirectory(const std::string& exportDir);
  // The disk path of `fileName` in the directory PlannedDirectory gives.
  std::string PlannedPath(const std::string& exportDir,
                          const std::string& fileName);

  // WriteFileIfChanged of `directory`/`fileName`; a failure is reported as
  // `cannot write "<path>": <reason>`.
  bool Write(const std::string& directory,
             const std::string& fileName,
             const std::string& content);
  // The same for a path as the description sees it.
  bool WritePath(const std::string& path, const std::string& content);

  // CanHoldOutput for `path`, reported as Write reports.
  bool CanHold(const std::string& path);

  // Creates the directory `path` unless it exists (an Xcode bundle, say).
  bool MakeDirectory(const std::string& path);

 private:
  Disk& disk_;
  Reporter& reporter_;
  std::string base_;
  HeldOutputs* held_;
};

// An output too large to hold in memory, written in pieces: Open, Write as
// often as needed, Close, then CommitOutputs. Until the commit only the
// temporary file exists; one that is dropped or interrupted is removed.
class StreamedOutput {
 public:
  explicit StreamedOutput(Disk& disk) : disk_(disk) {}
  ~StreamedOutput() { Discard(); }
  StreamedOutput(const StreamedOutput&) = delete;
  StreamedOutput& operator=(const StreamedOutput&) = delete;

  // Refuses a directory and an existing file without write permission, and
  // a directory that cannot take the temporary file.
  bool Open(const std::string& path, std::string* error);
  bool Write(const char* data, size_t size, std::string* error);
  bool Close(std::string* error);
  // Removes the temporary file, leaving the destination alone.
  void Discard();

  const std::string& path() const { return path_; }

 private:
  friend bool CommitOutputs(StreamedOutput*,
                            StreamedOutput*,
                            std::string*,
                            std::string*);
  // Whether the destination already holds the temporary file's content.
  bool Unchanged();
  void ForgetTemporary();

  Disk& disk_;
  std::string path_;        // The destination as named to the user.
  std::string targetPath_;  // What is replaced: path_, or its link target.
  TemporaryFile temporary_;
  bool existed_ = false;
  uint64_t size_ = 0;
};

// Puts both closed outputs in place, or neither: when the second cannot be
// replaced, the first destination gets its old content back. An output
// whose destination already holds its content is left untouched. On failure
// both temporary files are gone, and `failed_path` names the output that
// failed and `error` says why.
bool CommitOutputs(StreamedOutput* first,
                   StreamedOutput* second,
                   std::string* failed_path,
                   std::string* error);

#endif  // QEV_OUTPUT_OUTPUT_FILE_H_
