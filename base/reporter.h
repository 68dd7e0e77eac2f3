#ifndef QEV_BASE_REPORTER_H_
#define QEV_BASE_REPORTER_H_

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Where one run of qev reports. The tool's own messages ("Error: ...", the
// help, the dump, "Depends for ...") go to standard output in the order they
// happen; diagnostics for the user go to standard error as
// "qev: warning: ..." or "qev: error: ...". The reporter also remembers
// whether anything failed, which decides the exit status.
//
// A reporter made by Recording() writes nothing: it keeps what it is given,
// in order, until Replay hands it to the reporter of the run. Work done on
// several threads reports into one each, and the run replays them in the
// order a serial run would have reported, so that its output is the same.
class Reporter {
 public:
  Reporter(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

  // A reporter that keeps its messages for Replay; `strict` as the run's.
  static Reporter Recording(bool strict);
  // Reports what this recording reporter kept to `into`, in the order it
  // came, as if it had been reported there (warnings given once are given
  // once in `into`); then forgets it.
  void Replay(Reporter& into);

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

  void MarkFailed();
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
  // What a recording reporter keeps: one call each.
  enum class Kind {
    kPrint,
    kPrintError,
    kPrintToError,
    kWarning,
    kWarningOnce,
    kError,
    kMarkFailed,
    kDescriptionWarningOnce,
  };
  struct Recorded {
    Kind kind;
    std::string text;
    std::string key;
  };
  void Record(Kind kind, std::string_view text, std::string_view key = {});

  bool recording_ = false;
  std::vector<Recorded> recorded_;
  std::FILE* out_;
  std::FILE* err_;
  bool failed_ = false;
  bool strict_ = false;
  std::unordered_set<std::string> warnedOnce_;
};

#endif  // QEV_BASE_REPORTER_H_
