#ifndef QEV_MODEL_NEUTRAL_SETTINGS_H_
#define QEV_MODEL_NEUTRAL_SETTINGS_H_

#include <string>
#include <string_view>
#include <vector>

struct NeutralSettings;

// The compiler-neutral settings, read from their words: what each tool
// writes for them is the exporters' (see README's mapping table).

enum class Optimize { kUnset, kNone, kSize, kSpeed, kFull };
enum class DebugInfo { kUnset, kNone, kFull };
enum class CStandard { kUnset, kC99, kC11, kC17, kC23 };
enum class CxxStandard { kUnset, kCxx11, kCxx14, kCxx17, kCxx20, kCxx23 };
enum class Warnings { kUnset, kNone, kDefault, kHigh, kExtra };
enum class Runtime { kUnset, kStatic, kShared };

// The words an element takes, in the order of the documentation; empty for
// an element that is no neutral setting.
const std::vector<std::string>& NeutralSettingValues(std::string_view element);

// The settings of `settings` as values; unset (or unknown) words are kUnset.
struct NeutralValues {
  Optimize optimize = Optimize::kUnset;
  DebugInfo debugInfo = DebugInfo::kUnset;
  CStandard cStandard = CStandard::kUnset;
  CxxStandard cxxStandard = CxxStandard::kUnset;
  Warnings warnings = Warnings::kUnset;
  bool warningsAsErrors = false;
  Runtime runtime = Runtime::kUnset;
};
NeutralValues ReadNeutralValues(const NeutralSettings& settings);

// The options GCC and Clang take for the settings (the make and ninja
// tools): for every compile, for C or C++ compiles only (the standards),
// and for links; each a list of options joined by blanks, "" for none.
struct GccNeutralFlags {
  std::string compile;
  std::string c;
  std::string cxx;
  std::string link;
};
GccNeutralFlags GccFlags(const NeutralValues& neutral);

// `over` with each setting it leaves unset taken from `under`.
void FillNeutralSettings(const NeutralSettings& under, NeutralSettings* over);

// True when no setting is given.
bool NoNeutralSettings(const NeutralSettings& settings);

#endif  // QEV_MODEL_NEUTRAL_SETTINGS_H_
