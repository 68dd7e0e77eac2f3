#include "exporters/vc17/platform.h"

#include "base/text.h"

const char kVc17DefaultPlatform[] = "x64";

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

}  // namespace

bool MapVc17Platform(const std::optional<std::string>& platform,
                     std::string* mapped,
                     std::string* error) {
  if (!platform) {
    *mapped = kVc17DefaultPlatform;
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
  if (name.empty())
    return "it is empty";
  if (name.back() == '.' || name.back() == ' ')
    return "Windows file names cannot end with a dot or a space";
  return CharacterProblem(
      name, (std::string(kNotInFileNames) + kMsBuildSyntax).c_str());
}

std::string ConfigurationNameProblem(const std::string& name) {
  if (name.empty())
    return "it is empty";
  if (name.back() == '.' || name.back() == ' ')
    return "Windows directory names cannot end with a dot or a space";
  return CharacterProblem(
      name, (std::string(kNotInFileNames) + kMsBuildSyntax + "=").c_str());
}
