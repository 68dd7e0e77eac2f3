#include "base/reporter.h"

void Reporter::Print(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), out_);
}

void Reporter::PrintError(std::string_view text) {
  Print(text);
  failed_ = true;
}

void Reporter::PrintToError(std::string_view text) {
  // Keep the order of the two streams readable when both go to a terminal.
  std::fflush(out_);
  std::fwrite(text.data(), 1, text.size(), err_);
  std::fflush(err_);
}

void Reporter::Warning(std::string_view message) {
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
  if (warnedOnce_.emplace(key.empty() ? message : key).second)
    Warning(message);
}

void Reporter::Error(std::string_view message) {
  std::string line = "qev: error: ";
  line.append(message);
  line += '\n';
  PrintToError(line);
  failed_ = true;
}

void Reporter::DescriptionWarningOnce(
    const std::string& key,
    const std::function<std::string(const char* severity)>& format) {
  if (!warnedOnce_.insert(key).second)
    return;
  PrintToError(format(strict_ ? "error" : "warning"));
  if (strict_)
    failed_ = true;
}
