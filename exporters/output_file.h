#ifndef QEV_EXPORTERS_OUTPUT_FILE_H_
#define QEV_EXPORTERS_OUTPUT_FILE_H_

#include <sys/stat.h>

#include <string>

class Reporter;

// The one place where generated files reach the disk. Every exporter formats
// a file's text in memory and hands it over here; this component decides
// where the file goes, leaves a file with the same content untouched, and
// otherwise writes a temporary file beside the destination and renames it
// over, so that a failed or killed run never leaves a half-written file.

// The directory a file of an export directory goes into: `exportDir` when it
// can be entered; otherwise (with a warning that names the directory and
// `fileName`) the current directory, given as "". An empty `exportDir` is
// the current directory without a warning.
std::string ResolveExportDirectory(const std::string& exportDir,
                                   const std::string& fileName,
                                   Reporter& reporter);

// `directory` + "/" + `name`, or `name` alone when `directory` is empty.
std::string JoinPath(const std::string& directory, const std::string& name);

// One generated file: Open it, then Commit its whole content. A file that is
// opened but never committed leaves nothing behind.
class OutputFile {
 public:
  explicit OutputFile(Reporter& reporter) : reporter_(reporter) {}
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Makes sure `path` can be written: it is no directory, it is writable when
  // it exists, and a temporary file could be created beside it. Reports the
  // reason and returns false when not.
  bool Open(const std::string& path);

  // Puts `content` at the path: the existing file stays untouched when it
  // holds exactly this content; otherwise the temporary file gets the content
  // and replaces it. Reports the reason and returns false on failure.
  bool Commit(const std::string& content);

 private:
  void Discard();

  Reporter& reporter_;
  std::string path_;
  std::string temporaryPath_;
  int fd_ = -1;
  // Whether a file is at the path already, and what it was at Open.
  bool replacing_ = false;
  struct stat existing_ = {};
};

// Open and Commit in one step, in the directory ResolveExportDirectory gives.
bool WriteOutputFile(const std::string& exportDir,
                     const std::string& fileName,
                     const std::string& content,
                     Reporter& reporter);

#endif  // QEV_EXPORTERS_OUTPUT_FILE_H_
