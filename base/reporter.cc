#include "base/reporter.h"

Reporter Reporter::Recording(bool strict) {
  Reporter reporter(nullptr, nullptr);
  reporter.recording_ = true;
  reporter.strict_ = strict;
  return reporter;
}

void Reporter::Record(Kind kind, std::string_view text, std::string_view key) {
  recorded_.push_back({kind, std::string(text), std::string(key)});
}

void Reporter::Replay(Reporter& into) {
  for (const Recorded& entry : recorded_) {
    switch (entry.kind) {
      case Kind::kPrint:
        into.Print(entry.text);
        break;
      case Kind::kPrintError:
        into.PrintError(entry.text);
        break;
      case Kind::kPrintToError:
        into.PrintToError(entry.text);
        break;
      case Kind::kWarning:
        into.Warning(entry.text);
        break;
      case Kind::kWarningOnce:
        into.WarningOnce(entry.text, entry.key);
        break;
      case Kind::kError:
        into.Error(entry.text);
        break;
      case Kind::kMarkFailed:
        into.MarkFailed();
        break;
      case Kind::kDescriptionWarningOnce:
        // Formatted for this reporter's severity, which is the run's.
        if (into.warnedOnce_.insert(entry.key).second) {
          into.PrintToError(entry.text);
          if (into.strict_)
            into.failed_ = true;
        }
        break;
    }
  }
  recorded_.clear();
}

void Reporter::Print(std::string_view text) {
  if (recording_) {
    Record(Kind::kPrint, text);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), out_);
}

void Reporter::PrintError(std::string_view text) {
  if (recording_) {
    Record(Kind::kPrintError, text);
    failed_ = true;
    return;
  }
  Print(text);
  failed_ = true;
}

void Reporter::PrintToError(std::string_view text) {
  if (recording_) {
    Record(Kind::kPrintToError, text);
    return;
  }
  // Keep the order of the two streams readable when both go to a terminal.
  std::fflush(out_);
  std::fwrite(text.data(), 1, text.size(), err_);
  std::fflush(err_);
}

void Reporter::Warning(std::string_view message) {
  if (recording_) {
    Record(Kind::kWarning, message);
    failed_ = failed_ || strict_;
    return;
  }
  if (strict_) {
    Error(message);
    return;
  }
  std::string line = "qev: warning: ";
  line.append(message);
  line += '\n';
  PrintToError(line);
}

void Reporter::WarningOnce(std::string_view message, std::string_view key) {
  if (recording_) {
    // Whether it is the first time is for the run to tell.
    Record(Kind::kWarningOnce, message, key);
    failed_ = failed_ || strict_;
    return;
  }
  if (warnedOnce_.emplace(key.empty() ? message : key).second)
    Warning(message);
}

void Reporter::MarkFailed() {
  if (recording_)
    Record(Kind::kMarkFailed, {});
  failed_ = true;
}

void Reporter::Error(std::string_view message) {
  if (recording_) {
    Record(Kind::kError, message);
    failed_ = true;
    return;
  }
  std::string line = "qev: error: ";
  line.append(message);
  line += '\n';
  PrintToError(line);
  failed_ = true;
}

void Reporter::DescriptionWarningOnce(
    const std::string& key,
    const std::function<std::string(const char* severity)>& format) {
  if (recording_) {
    Record(Kind::kDescriptionWarningOnce, format(strict_ ? "error" : "warning"),
           key);
    failed_ = failed_ || strict_;
    return;
  }
  if (!warnedOnce_.insert(key).second)
    return;
  PrintToError(format(strict_ ? "error" : "warning"));
  if (strict_)
    failed_ = true;
}
