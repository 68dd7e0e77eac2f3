#include "model/neutral_settings.h"

#include "base/text.h"
#include "model/model.h"

namespace {

// The index of `word` in `values` plus one, or 0 (unset) when it is none.
int IndexOf(const std::vector<std::string>& values, const std::string& word) {
  for (size_t i = 0; i < values.size(); ++i) {
    if (EqualsNoCase(values[i], word))
      return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace

const std::vector<std::string>& NeutralSettingValues(std::string_view element) {
  static const std::vector<std::string> kOptimize = {"none", "size", "speed",
                                                     "full"};
  static const std::vector<std::string> kDebugInfo = {"none", "full"};
  static const std::vector<std::string> kC = {"c99", "c11", "c17", "c23"};
  static const std::vector<std::string> kCxx = {"c++11", "c++14", "c++17",
                                                "c++20", "c++23"};
  static const std::vector<std::string> kWarnings = {"none", "default", "high",
                                                     "extra"};
  static const std::vector<std::string> kTrue = {"true", "false"};
  static const std::vector<std::string> kRuntime = {"static", "shared"};
  static const std::vector<std::string> kNone;
  if (EqualsNoCase(element, "OPTIMIZE"))
    return kOptimize;
  if (EqualsNoCase(element, "DEBUGINFO"))
    return kDebugInfo;
  if (EqualsNoCase(element, "CSTANDARD"))
    return kC;
  if (EqualsNoCase(element, "CXXSTANDARD"))
    return kCxx;
  if (EqualsNoCase(element, "WARNINGS"))
    return kWarnings;
  if (EqualsNoCase(element, "WARNINGSASERRORS"))
    return kTrue;
  if (EqualsNoCase(element, "RUNTIME"))
    return kRuntime;
  return kNone;
}

NeutralValues ReadNeutralValues(const NeutralSettings& settings) {
  NeutralValues values;
  values.optimize = static_cast<Optimize>(
      IndexOf(NeutralSettingValues("OPTIMIZE"), settings.optimize));
  values.debugInfo = static_cast<DebugInfo>(
      IndexOf(NeutralSettingValues("DEBUGINFO"), settings.debugInfo));
  values.cStandard = static_cast<CStandard>(
      IndexOf(NeutralSettingValues("CSTANDARD"), settings.cStandard));
  values.cxxStandard = static_cast<CxxStandard>(
      IndexOf(NeutralSettingValues("CXXSTANDARD"), settings.cxxStandard));
  values.warnings = static_cast<Warnings>(
      IndexOf(NeutralSettingValues("WARNINGS"), settings.warnings));
  values.warningsAsErrors = EqualsNoCase(settings.warningsAsErrors, "true");
  values.runtime = static_cast<Runtime>(
      IndexOf(NeutralSettingValues("RUNTIME"), settings.runtime));
  return values;
}

void FillNeutralSettings(const NeutralSettings& under, NeutralSettings* over) {
  for (auto field :
       {&NeutralSettings::optimize, &NeutralSettings::debugInfo,
        &NeutralSettings::cStandard, &NeutralSettings::cxxStandard,
        &NeutralSettings::warnings, &NeutralSettings::warningsAsErrors,
        &NeutralSettings::runtime}) {
    if ((over->*field).empty())
      over->*field = under.*field;
  }
}

bool NoNeutralSettings(const NeutralSettings& settings) {
  NeutralSettings empty;
  FillNeutralSettings(settings, &empty);
  return empty.optimize.empty() && empty.debugInfo.empty() &&
         empty.cStandard.empty() && empty.cxxStandard.empty() &&
         empty.warnings.empty() && empty.warningsAsErrors.empty() &&
         empty.runtime.empty();
}

GccNeutralFlags GccFlags(const NeutralValues& neutral) {
  static const char* const kOptimize[] = {"", "-O0", "-Os", "-O2", "-O3"};
  static const char* const kDebugInfo[] = {"", "-g0", "-g"};
  // GCC 12 and Clang 14 know C23 and C++23 by their working names.
  static const char* const kC[] = {"", "-std=c99", "-std=c11", "-std=c17",
                                   "-std=c2x"};
  static const char* const kCxx[] = {"",           "-std=c++11", "-std=c++14",
                                     "-std=c++17", "-std=c++20", "-std=c++2b"};
  static const char* const kWarnings[] = {"", "-w", "", "-Wall",
                                          "-Wall -Wextra"};
  GccNeutralFlags flags;
  auto add = [&flags](const char* option) {
    if (*option)
      flags.compile += (flags.compile.empty() ? "" : " ") + std::string(option);
  };
  add(kOptimize[static_cast<int>(neutral.optimize)]);
  add(kDebugInfo[static_cast<int>(neutral.debugInfo)]);
  add(kWarnings[static_cast<int>(neutral.warnings)]);
  if (neutral.warningsAsErrors)
    add("-Werror");
  flags.c = kC[static_cast<int>(neutral.cStandard)];
  flags.cxx = kCxx[static_cast<int>(neutral.cxxStandard)];
  if (neutral.runtime == Runtime::kStatic)
    flags.link = "-static-libstdc++ -static-libgcc";
  return flags;
}
