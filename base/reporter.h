#ifndef QEV_BASE_REPORTER_H_
#define QEV_BASE_REPORTER_H_

#include <cstdio>
#include <functional>
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

  // Strict runs (--strict) report every warning as an error.
  void SetStrict(bool strict) { strict_ = strict; }
  bool strict() const { return strict_; }

  // A warning in the compiler form "file:row:col: warning: ..." that
  // `format` makes for a severity ("warning", or "error" in a strict run),
  // given once per `key`.
  void DescriptionWarningOnce(
      const std::string& key,
      const std::function<std::string(const char* severity)>& format);

 private:
  std::FILE* out_;
  std::FILE* err_;
  bool failed_ = false;
  bool strict_ = false;
  std::unordered_set<std::string> warnedOnce_;
};

#endif  // QEV_BASE_REPORTER_H_
