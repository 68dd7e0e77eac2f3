#include "exporters/vc17/platform.h"

#include "base/text.h"
#include "base/utf8.h"

const char kVC17DefaultPlatform[] = "x64";

namespace {

// Characters no Windows file name holds, and the ones MSBuild reads as
// syntax in the places these names reach unescaped.
const char kNotInFileNames[] = "<>:\"/\\|?*";
const char kMsBuildSyntax[] = ";%$@'";

std::string CharacterProblem(const std::string& name, const char* forbidden) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20)
      return "it holds a control character";
    for (const char* f = forbidden; *f; ++f) {
      if (c == *f)
        return std::string("it holds the character ") + c;
    }
  }
  return std::string();
}

// Windows reserves these names for devices, with any extension and in any
// letter case: "aux", "CON.txt" and "nul.x" name no file; so do COM and LPT
// with a digit, or a superscript one, two or three.
bool IsDeviceName(const std::string& name) {
  std::string stem = ToLowerAscii(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ')
    stem.pop_back();
  for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
    if (stem == device)
      return true;
  }
  if (stem.compare(0, 3, "com") != 0 && stem.compare(0, 3, "lpt") != 0)
    return false;
  std::string_view digit = std::string_view(stem).substr(3);
  return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') ||
         digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

// What Windows cannot hold as a file or directory name.
std::string WindowsNameProblem(const std::string& name) {
  if (name.empty())
    return "it is empty";
  if (name.back() == '.' || name.back() == ' ')
    return "Windows names cannot end with a dot or a space";
  if (IsDeviceName(name))
    return "Windows reserves it for a device";
  return std::string();
}

}  // namespace

bool MapVC17Platform(const std::optional<std::string>& platform,
                     std::string* mapped,
                     std::string* error) {
  if (!platform) {
    *mapped = kVC17DefaultPlatform;
    return true;
  }
  for (const char* known : {"Win32", "x64", "ARM64"}) {
    if (EqualsNoCase(*platform, known)) {
      *mapped = known;
      return true;
    }
  }
  const char* console = nullptr;
  if (EqualsNoCase(*platform, "xenon") || EqualsNoCase(*platform, "xbox360"))
    console = "Xbox 360";
  else if (EqualsNoCase(*platform, "ps3"))
    console = "PlayStation 3";
  if (console) {
    *error = "Visual Studio 2022 has no toolset for the platform \"" +
             *platform + "\" (" + console + "); use -t VC8 for it";
  } else {
    *error = "VC17 writes the platforms Win32, x64 and ARM64, not \"" +
             *platform + "\"";
  }
  return false;
}

std::string TargetNameProblem(const std::string& name) {
  std::string problem = WindowsNameProblem(name);
  if (!problem.empty())
    return problem;
  // It names a file both as written and in the UTF-8 of the solution.
  if (!IsValidUtf8(name))
    return "it is not UTF-8";
  return CharacterProblem(
      name, (std::string(kNotInFileNames) + kMsBuildSyntax).c_str());
}

std::string ConfigurationNameProblem(const std::string& name) {
  std::string problem = WindowsNameProblem(name);
  if (!problem.empty())
    return problem;
  return CharacterProblem(
      name, (std::string(kNotInFileNames) + kMsBuildSyntax + "=").c_str());
}
