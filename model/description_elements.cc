#include "model/description_elements.h"

#include "base/text.h"
#include "model/split_items.h"

namespace {

const char kFilters[] = "version platform tool";

}  // namespace

const std::vector<ElementInfo>& DescriptionElements() {
  static const std::vector<ElementInfo> kElements = {
      {"QEV", ElementRole::kStructure, "",
       "the root element: the whole description"},
      {"project", ElementRole::kStructure, "name",
       "a project: its targets, written as one solution, makefile or graph"},
      {"target", ElementRole::kStructure, "name basetarget show test",
       "a program or library; basetarget starts it as a copy of another "
       "target, show=\"false\" makes it a template no tool writes, "
       "test=\"true\" a test program"},
      {"configuration", ElementRole::kStructure, "name type baseconfig show",
       "a configuration of the target (Debug, Release); settings outside any "
       "configuration fill the target's default configuration"},
      {"config", ElementRole::kStructure, "name type baseconfig show",
       "the same as configuration"},
      {"import", ElementRole::kStructure, "file root",
       "reads, writes and lends the targets of another description"},
      {"group", ElementRole::kContainer, "",
       "groups elements, for filters on all of them"},
      {"FILES", ElementRole::kSetting, "name root clear",
       "wildcard patterns of the target's files; -pattern removes matches"},
      {"PREPROCESSOR", ElementRole::kSetting, "clear public",
       "preprocessor definitions"},
      {"SEARCHPATHS", ElementRole::kSetting, "type root clear public",
       "header (type=\"header\") or library (type=\"library\") directories"},
      {"CFLAGS", ElementRole::kSetting, "clear public", "compiler options"},
      {"LFLAGS", ElementRole::kSetting, "clear public", "linker options"},
      {"LIBRARIES", ElementRole::kSetting, "clear public", "libraries to link"},
      {"PACKAGES", ElementRole::kSetting, "clear public",
       "system packages found with pkg-config (make and ninja)"},
      {"OPTIMIZE", ElementRole::kSetting, "public",
       "none, size, speed or full"},
      {"DEBUGINFO", ElementRole::kSetting, "public", "none or full"},
      {"CSTANDARD", ElementRole::kSetting, "public", "c99, c11, c17 or c23"},
      {"CXXSTANDARD", ElementRole::kSetting, "public",
       "c++11, c++14, c++17, c++20 or c++23"},
      {"WARNINGS", ElementRole::kSetting, "public",
       "none, default, high or extra"},
      {"WARNINGSASERRORS", ElementRole::kSetting, "public",
       "true: warnings are errors"},
      {"RUNTIME", ElementRole::kSetting, "public",
       "static or shared C and C++ runtime libraries"},
      {"OUTFILE", ElementRole::kSetting, "", "the output file's name"},
      {"OUTDIR", ElementRole::kSetting, "", "the output directory"},
      {"OUTPUTDIRECTORY", ElementRole::kSetting, "", "the same as OUTDIR"},
      {"IMPDIR", ElementRole::kSetting, "",
       "the directory of a DLL's import library"},
      {"IMPORTDIRECTORY", ElementRole::kSetting, "", "the same as IMPDIR"},
      {"EXPORT", ElementRole::kSetting, "",
       "the directory the project's or target's build files go to"},
      {"DEPENDENCIES", ElementRole::kSetting, "public",
       "targets this one needs; public passes their public settings on"},
      {"EXCEPTIONHANDLING", ElementRole::kSetting, "",
       "true or false: C++ exceptions (Visual Studio)"},
      {"PREBUILDEVENT", ElementRole::kSetting, "",
       "a command run before the build"},
      {"PRELINKEVENT", ElementRole::kSetting, "",
       "a command run before the link"},
      {"POSTBUILDEVENT", ElementRole::kSetting, "",
       "a command run after the build"},
      {"DISABLEDEFAULTMANIFEST", ElementRole::kSetting, "",
       "no manifest for the program (VC8)"},
      {"GENERATE", ElementRole::kSetting, "inputs outputs root",
       "a command that makes the outputs from the inputs"},
      {"TESTARGS", ElementRole::kSetting, "",
       "the arguments a test program runs with"},
      {"TESTDIR", ElementRole::kSetting, "",
       "the directory a test program runs in"},
  };
  return kElements;
}

const ElementInfo* FindElementInfo(std::string_view tag) {
  for (const ElementInfo& element : DescriptionElements()) {
    if (EqualsNoCase(tag, element.name))
      return &element;
  }
  return nullptr;
}

std::vector<std::string> AttributesOf(const ElementInfo& element) {
  std::vector<std::string> attributes = SplitItems(kFilters);
  for (std::string& attribute : SplitItems(element.attributes))
    attributes.push_back(std::move(attribute));
  return attributes;
}

namespace {

// Whether one of the blank-separated words of `list` is `word`, ASCII case
// ignored; asked for every attribute read, so without copies.
bool ListHasWord(std::string_view list, std::string_view word) {
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find_first_of(" \t\r\n", start);
    if (end == std::string_view::npos)
      end = list.size();
    if (end > start && EqualsNoCase(list.substr(start, end - start), word))
      return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool ElementTakesAttribute(const ElementInfo& element,
                           std::string_view attribute) {
  return ListHasWord(kFilters, attribute) ||
         ListHasWord(element.attributes, attribute);
}

const std::vector<std::string>& KnownConfigurationTypes() {
  static const std::vector<std::string> kTypes = {"lib", "dll", "shared_lib",
                                                  "exe", "app", "console"};
  return kTypes;
}
