#ifndef QEV_BASE_REPORTER_H_
#define QEV_BASE_REPORTER_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_set>

// Where one run of qev reports. The tool's own messages ("Error: ...", the
// help, the dump, "Depends for ...") go to standard output in the order they
// happen; diagnostics for the user go to standard error as
// "qev: warning: ..." or "qev: error: ...". The reporter also remembers
// whether anything failed, which decides the exit status.
class Reporter {
 public:
  Reporter(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

  // Writes `text` to standard output as it stands.
  void Print(std::string_view text);
  // Writes one of the tool's "Error: ..." lines to standard output and marks
  // the run as failed.
  void PrintError(std::string_view text);

  // Writes `text` to standard error as it stands.
  void PrintToError(std::string_view text);
  void Warning(std::string_view message);
  // Warning, given once per `key` in this run (the message itself when the
  // key is empty).
  void WarningOnce(std::string_view message, std::string_view key = {});
  // Reports a failure on standard error and marks the run as failed.
  void Error(std::string_view message);

  void MarkFailed() { failed_ = true; }
  bool failed() const { return failed_; }

 private:
  std::FILE* out_;
  std::FILE* err_;
  bool failed_ = false;
  std::unordered_set<std::string> warnedOnce_;
};

#endif  // QEV_BASE_REPORTER_H_
