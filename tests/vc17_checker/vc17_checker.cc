#include "tests/vc17_checker/vc17_checker.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const char kNamespace[] = "http://schemas.microsoft.com/developer/msbuild/2003";
const char kCppProjectType[] = "8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942";

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Whether a regular file is at `path`; false, not an exception, for a name
// too long to exist.
bool IsFile(const fs::path& path) {
  std::error_code unreadable;
  return fs::is_regular_file(path, unreadable);
}

bool Exists(const fs::path& path) {
  std::error_code unreadable;
  return fs::exists(path, unreadable);
}

bool IsGuid(const std::string& text) {
  if (text.size() != 36)
    return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (c != '-')
        return false;
    } else if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
      return false;
    }
  }
  return true;
}

// "{GUID}" with upper-case digits, or "" when `text` is not of that form.
std::string BracedGuid(const std::string& text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}' &&
      IsGuid(text.substr(1, 36)))
    return text.substr(1, 36);
  return std::string();
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::string Unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size() &&
        HexValue(value[i + 1]) >= 0 && HexValue(value[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(value[i + 1]) * 16 +
                                      HexValue(value[i + 2])));
      i += 2;
    } else {
      out.push_back(value[i]);
    }
  }
  return out;
}

// A path of a project or solution, "\" separated, resolved from `directory`.
fs::path Resolve(const fs::path& directory, const std::string& path) {
  std::string local = path;
  std::replace(local.begin(), local.end(), '\\', '/');
  return (directory / local).lexically_normal();
}

std::string Attribute(const TiXmlElement& element, const char* name) {
  const char* value = element.Attribute(name);
  return value ? value : "";
}

std::string ChildText(const TiXmlElement& element, const char* name) {
  const TiXmlElement* child = element.FirstChildElement(name);
  if (!child)
    return std::string();
  const char* text = child->GetText();
  return text ? text : "";
}

// What a lenient parser would let through: an "&" that starts no
// reference, bytes that are not UTF-8, control characters XML forbids.
std::string StrictTextProblem(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '&') {
      size_t end = text.find(';', i);
      std::string name =
          end == std::string::npos ? "" : text.substr(i + 1, end - i - 1);
      bool named = name == "amp" || name == "lt" || name == "gt" ||
                   name == "quot" || name == "apos";
      bool numeric =
          name.size() > 1 && name[0] == '#' &&
          name.find_first_not_of("0123456789", 1) == std::string::npos;
      bool hex = name.size() > 2 && name[0] == '#' && name[1] == 'x' &&
                 name.find_first_not_of("0123456789abcdefABCDEF", 2) ==
                     std::string::npos;
      if (!named && !numeric && !hex)
        return "an & that starts no reference at byte " + std::to_string(i);
    } else if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      return "a control character at byte " + std::to_string(i);
    } else if (c >= 0x80) {
      size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
      if (length == 0 || c > 0xF4 || i + length > text.size())
        return "a byte that is not UTF-8 at byte " + std::to_string(i);
      for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
          return "a byte that is not UTF-8 at byte " + std::to_string(i);
      }
      i += length - 1;
    }
  }
  return std::string();
}

struct Item {
  std::string kind;
  std::string include;
  std::string filter;
  bool operator<(const Item& other) const {
    return std::tie(kind, include) < std::tie(other.kind, other.include);
  }
};

// What one .vcxproj declares, read once.
struct ProjectInfo {
  bool loaded = false;
  std::string guid;
  // "Configuration|Platform" pairs of ProjectConfigurations.
  std::vector<std::string> pairs;
  std::vector<Item> items;
  // The files custom build steps make (lower case, "\" separated), which
  // need not exist before a build.
  std::set<std::string> generated;
};

class Checker {
 public:
  explicit Checker(const CheckOptions& options) : options_(options) {}

  std::vector<std::string> problems;
  int files = 0;

  const ProjectInfo& Project(const fs::path& path) {
    std::string key = path.lexically_normal().string();
    auto found = projects_.find(key);
    if (found != projects_.end())
      return *found->second;
    auto info = std::make_unique<ProjectInfo>();
    ProjectInfo& ref = *info;
    projects_[key] = std::move(info);
    CheckProject(path, &ref);
    return ref;
  }

  void CheckSolution(const fs::path& path);

 private:
  void Problem(const fs::path& file, const std::string& message) {
    problems.push_back(file.string() + ": " + message);
  }

  bool Load(const fs::path& path, TiXmlDocument* document) {
    ++files;
    // TinyXML lets a bare "&" and malformed UTF-8 pass; XML does not.
    std::ifstream stream(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(stream)),
                     std::istreambuf_iterator<char>());
    std::string strict = StrictTextProblem(text);
    if (!strict.empty()) {
      Problem(path, "not well-formed: " + strict);
      return false;
    }
    if (!document->LoadFile(path.string().c_str(), TIXML_ENCODING_UTF8)) {
      Problem(path, std::string("not well-formed: ") + document->ErrorDesc());
      return false;
    }
    const TiXmlElement* root = document->RootElement();
    if (!root || std::string(root->Value()) != "Project") {
      Problem(path, "the root element is not Project");
      return false;
    }
    if (Attribute(*root, "xmlns") != kNamespace) {
      Problem(path, "the root element lacks the MSBuild namespace");
      return false;
    }
    return true;
  }

  void CheckProject(const fs::path& path, ProjectInfo* info);
  void CheckConditions(const fs::path& path,
                       const std::vector<const TiXmlElement*>& groups,
                       const std::set<std::string>& pairs,
                       const char* what);
  void CollectGenerated(const TiXmlElement& group, ProjectInfo* info);
  void CheckCustomBuild(const fs::path& path,
                        const TiXmlElement& item,
                        const std::string& file,
                        const ProjectInfo& info);
  void CheckItems(const fs::path& path,
                  const TiXmlElement& group,
                  ProjectInfo* info);
  void CheckFilters(const fs::path& path, const ProjectInfo& info);

  CheckOptions options_;
  std::map<std::string, std::unique_ptr<ProjectInfo>> projects_;
};

// The place of a top-level element of a .vcxproj in the required order, or
// 0 for an element that has none.
int Stage(const TiXmlElement& element) {
  std::string name = element.Value();
  std::string label = Attribute(element, "Label");
  std::string project = Attribute(element, "Project");
  if (name == "ItemGroup")
    return label == "ProjectConfigurations" ? 1 : (label.empty() ? 11 : 0);
  if (name == "PropertyGroup") {
    if (label == "Globals")
      return 2;
    if (label == "Configuration")
      return 4;
    if (label == "UserMacros")
      return 8;
    return label.empty() ? 9 : 0;
  }
  if (name == "Import") {
    if (project == "$(VCTargetsPath)\\Microsoft.Cpp.Default.props")
      return 3;
    if (project == "$(VCTargetsPath)\\Microsoft.Cpp.props")
      return 5;
    if (project == "$(VCTargetsPath)\\Microsoft.Cpp.targets")
      return 12;
    return 0;
  }
  if (name == "ImportGroup") {
    if (label == "ExtensionSettings")
      return 6;
    if (label == "PropertySheets")
      return 7;
    if (label == "ExtensionTargets")
      return 13;
    return 0;
  }
  if (name == "ItemDefinitionGroup")
    return 10;
  return 0;
}

void Checker::CheckConditions(const fs::path& path,
                              const std::vector<const TiXmlElement*>& groups,
                              const std::set<std::string>& pairs,
                              const char* what) {
  const std::string prefix = "'$(Configuration)|$(Platform)'=='";
  std::multiset<std::string> seen;
  for (const TiXmlElement* group : groups) {
    std::string condition = Attribute(*group, "Condition");
    if (condition.compare(0, prefix.size(), prefix) != 0 ||
        condition.size() < prefix.size() + 1 || condition.back() != '\'') {
      Problem(path, std::string(what) + " with the condition \"" + condition +
                        "\" of another form");
      continue;
    }
    std::string pair = Unescape(
        condition.substr(prefix.size(), condition.size() - prefix.size() - 1));
    if (!pairs.count(pair))
      Problem(path, std::string(what) + " for the undeclared pair " + pair);
    seen.insert(pair);
  }
  for (const std::string& pair : pairs) {
    if (seen.count(pair) != 1) {
      Problem(path, std::string(what) + " for " + pair + " appears " +
                        std::to_string(seen.count(pair)) + " times");
    }
  }
}

void Checker::CollectGenerated(const TiXmlElement& group, ProjectInfo* info) {
  for (const TiXmlElement* item = group.FirstChildElement("CustomBuild"); item;
       item = item->NextSiblingElement("CustomBuild")) {
    for (const TiXmlElement* outputs = item->FirstChildElement("Outputs");
         outputs; outputs = outputs->NextSiblingElement("Outputs")) {
      std::string list = outputs->GetText() ? outputs->GetText() : "";
      size_t start = 0;
      while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos)
          end = list.size();
        std::string output = Unescape(list.substr(start, end - start));
        if (!output.empty() && output != "%(Outputs)")
          info->generated.insert(Lower(output));
        start = end + 1;
      }
    }
  }
}

void Checker::CheckCustomBuild(const fs::path& path,
                               const TiXmlElement& item,
                               const std::string& file,
                               const ProjectInfo& info) {
  bool command = false;
  bool outputs = false;
  for (const TiXmlElement* child = item.FirstChildElement(); child;
       child = child->NextSiblingElement()) {
    std::string name = child->Value();
    std::string condition = Attribute(*child, "Condition");
    if (!condition.empty()) {
      const std::string prefix = "'$(Configuration)|$(Platform)'=='";
      std::string pair =
          condition.size() > prefix.size() + 1 &&
                  condition.compare(0, prefix.size(), prefix) == 0 &&
                  condition.back() == '\''
              ? Unescape(condition.substr(prefix.size(),
                                          condition.size() - prefix.size() - 1))
              : std::string();
      if (std::find(info.pairs.begin(), info.pairs.end(), pair) ==
          info.pairs.end())
        Problem(path, "the custom build of " + file + " has " + name +
                          " for an undeclared configuration: " + condition);
    }
    if (name == "Command")
      command = command || (child->GetText() && *child->GetText());
    else if (name == "Outputs")
      outputs = outputs || (child->GetText() && *child->GetText());
    else if (name != "AdditionalInputs" && name != "Message" &&
             name != "ExcludedFromBuild")
      Problem(path, "the custom build of " + file + " has the unknown " + name);
  }
  if (!command || !outputs)
    Problem(path,
            "the custom build of " + file + " lacks a command or outputs");
}

void Checker::CheckItems(const fs::path& path,
                         const TiXmlElement& group,
                         ProjectInfo* info) {
  static const std::set<std::string> kKinds = {
      "ClCompile", "ClInclude",        "ResourceCompile",
      "None",      "ProjectReference", "CustomBuild"};
  for (const TiXmlElement* item = group.FirstChildElement(); item;
       item = item->NextSiblingElement()) {
    std::string kind = item->Value();
    std::string include = Attribute(*item, "Include");
    if (!kKinds.count(kind)) {
      Problem(path, "unexpected item " + kind);
      continue;
    }
    if (include.empty() || item->Attribute("Condition") ||
        include.find_first_of("*?;") != std::string::npos) {
      Problem(path, kind + " \"" + include +
                        "\" is empty, conditional or holds wildcards");
      continue;
    }
    std::string file = Unescape(include);
    if (kind == "ProjectReference") {
      std::string guid = BracedGuid(ChildText(*item, "Project"));
      fs::path target = Resolve(path.parent_path(), file);
      if (guid.empty())
        Problem(path, "the reference to " + file + " has no GUID");
      if (!EndsWith(file, ".vcxproj") || !IsFile(target)) {
        Problem(path, "the reference " + file + " leads to no project file");
        continue;
      }
      if (fs::equivalent(target, path)) {
        Problem(path, "the project references itself");
        continue;
      }
      const ProjectInfo& other = Project(target);
      if (other.loaded && other.guid != guid) {
        Problem(path, "the reference to " + file + " gives {" + guid +
                          "}, the project has {" + other.guid + "}");
      }
      continue;
    }
    if (kind == "CustomBuild")
      CheckCustomBuild(path, *item, file, *info);
    if (options_.sourcesExist && file.compare(0, 2, "$(") != 0 &&
        !info->generated.count(Lower(file)) &&
        !Exists(Resolve(path.parent_path(), file)))
      Problem(path, "the item " + file + " names no file");
    info->items.push_back({kind, include, std::string()});
  }
}

void Checker::CheckProject(const fs::path& path, ProjectInfo* info) {
  TiXmlDocument document;
  if (!Load(path, &document))
    return;
  const TiXmlElement& root = *document.RootElement();
  if (Attribute(root, "DefaultTargets") != "Build")
    Problem(path, "DefaultTargets is not Build");

  int stage = 0;
  std::map<int, std::vector<const TiXmlElement*>> byStage;
  for (const TiXmlElement* child = root.FirstChildElement(); child;
       child = child->NextSiblingElement()) {
    int next = Stage(*child);
    if (next == 0) {
      Problem(path, std::string("unexpected top-level element ") +
                        child->Value() + " " + Attribute(*child, "Label"));
      continue;
    }
    if (next < stage) {
      Problem(path, std::string("top-level element ") + child->Value() + " " +
                        Attribute(*child, "Label") + " out of order");
    }
    stage = std::max(stage, next);
    byStage[next].push_back(child);
  }
  for (int once : {1, 2, 3, 5, 6, 8, 12, 13}) {
    if (byStage[once].size() != 1) {
      Problem(path, "required top-level element number " +
                        std::to_string(once) + " appears " +
                        std::to_string(byStage[once].size()) + " times");
    }
  }
  if (byStage[1].empty() || byStage[2].empty())
    return;

  std::set<std::string> pairs;
  std::set<std::string> configurations;
  std::set<std::string> platforms;
  for (const TiXmlElement* element = byStage[1][0]->FirstChildElement();
       element; element = element->NextSiblingElement()) {
    std::string pair = Unescape(Attribute(*element, "Include"));
    std::string configuration = Unescape(ChildText(*element, "Configuration"));
    std::string platform = Unescape(ChildText(*element, "Platform"));
    if (std::string(element->Value()) != "ProjectConfiguration" ||
        pair != configuration + "|" + platform || configuration.empty() ||
        platform.empty()) {
      Problem(path, "malformed ProjectConfiguration " + pair);
      continue;
    }
    if (!pairs.insert(pair).second)
      Problem(path, "ProjectConfiguration " + pair + " declared twice");
    info->pairs.push_back(pair);
    configurations.insert(configuration);
    platforms.insert(platform);
  }
  if (pairs.empty())
    Problem(path, "no ProjectConfiguration");
  if (pairs.size() != configurations.size() * platforms.size())
    Problem(path, "ProjectConfigurations lacks combinations");

  info->guid = BracedGuid(ChildText(*byStage[2][0], "ProjectGuid"));
  if (info->guid.empty())
    Problem(path, "Globals has no ProjectGuid of the form {XXXXXXXX-...}");
  info->loaded = true;

  CheckConditions(path, byStage[4], pairs, "Configuration property group");
  CheckConditions(path, byStage[9], pairs, "output property group");
  CheckConditions(path, byStage[10], pairs, "ItemDefinitionGroup");
  static const std::set<std::string> kTypes = {
      "Application", "DynamicLibrary", "StaticLibrary", "Utility", "Makefile"};
  for (const TiXmlElement* group : byStage[4]) {
    if (!kTypes.count(ChildText(*group, "ConfigurationType")))
      Problem(path, "a configuration without a valid ConfigurationType");
    if (ChildText(*group, "PlatformToolset") != "v143")
      Problem(path, "a configuration without PlatformToolset v143");
  }
  for (const TiXmlElement* group : byStage[9]) {
    for (const char* name : {"OutDir", "IntDir"}) {
      if (!EndsWith(ChildText(*group, name), "\\"))
        Problem(path, std::string(name) + " does not end with \\");
    }
  }
  for (const TiXmlElement* group : byStage[11])
    CollectGenerated(*group, info);
  for (const TiXmlElement* group : byStage[11])
    CheckItems(path, *group, info);

  std::set<std::string> includes;
  for (const Item& item : info->items) {
    if (!includes.insert(Lower(item.include)).second)
      Problem(path, "the item " + item.include + " is listed twice");
  }
  CheckFilters(path, *info);
}

void Checker::CheckFilters(const fs::path& path, const ProjectInfo& info) {
  fs::path filtersPath = path.string() + ".filters";
  if (!IsFile(filtersPath)) {
    Problem(path, "has no .filters file");
    return;
  }
  TiXmlDocument document;
  if (!Load(filtersPath, &document))
    return;
  std::set<std::string> filters;
  std::set<std::string> identifiers;
  std::vector<Item> items;
  for (const TiXmlElement* group = document.RootElement()->FirstChildElement();
       group; group = group->NextSiblingElement()) {
    if (std::string(group->Value()) != "ItemGroup") {
      Problem(filtersPath, std::string("unexpected element ") + group->Value());
      continue;
    }
    for (const TiXmlElement* item = group->FirstChildElement(); item;
         item = item->NextSiblingElement()) {
      std::string include = Attribute(*item, "Include");
      if (std::string(item->Value()) == "Filter") {
        std::string name = Unescape(include);
        std::string id = BracedGuid(ChildText(*item, "UniqueIdentifier"));
        if (id.empty() || !identifiers.insert(id).second)
          Problem(filtersPath,
                  "the filter " + name + " lacks a unique UniqueIdentifier");
        size_t slash = name.rfind('\\');
        if (slash != std::string::npos &&
            !filters.count(Lower(name.substr(0, slash))))
          Problem(filtersPath, "the parent of the filter " + name +
                                   " is not declared before it");
        if (name.empty() || !filters.insert(Lower(name)).second)
          Problem(filtersPath,
                  "the filter \"" + name + "\" is empty or repeated");
        continue;
      }
      items.push_back(
          {item->Value(), include, Unescape(ChildText(*item, "Filter"))});
    }
  }
  for (const Item& item : items) {
    if (item.filter.empty())
      continue;
    if (!filters.count(Lower(item.filter)))
      Problem(filtersPath, "the item " + item.include +
                               " is in the undeclared filter " + item.filter);
  }
  std::vector<Item> expected = info.items;
  std::sort(expected.begin(), expected.end());
  std::sort(items.begin(), items.end());
  bool same = expected.size() == items.size();
  for (size_t i = 0; same && i < items.size(); ++i) {
    same = items[i].kind == expected[i].kind &&
           items[i].include == expected[i].include;
  }
  if (!same)
    Problem(filtersPath, "does not list exactly the items of the project");
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Trim(const std::string& text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos)
    return std::string();
  size_t end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

void Checker::CheckSolution(const fs::path& path) {
  ++files;
  std::ifstream stream(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(stream)),
                   std::istreambuf_iterator<char>());
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
    text.erase(0, 3);
  std::vector<std::string> lines = SplitLines(text);
  size_t next = 0;
  while (next < lines.size() && lines[next].empty())
    ++next;
  const char* const kHeader[] = {
      "Microsoft Visual Studio Solution File, Format Version 12.00",
      "# Visual Studio Version 17",
      "VisualStudioVersion = ", "MinimumVisualStudioVersion = "};
  for (const char* expected : kHeader) {
    if (next >= lines.size() ||
        lines[next].compare(0, std::string(expected).size(), expected) != 0) {
      Problem(path, std::string("header line \"") + expected + "\" missing");
      return;
    }
    ++next;
  }

  struct Entry {
    std::string name;
    std::string guid;
    const ProjectInfo* info;
  };
  std::map<std::string, Entry> entries;  // by GUID
  std::vector<std::string> solutionPairs;
  // (guid, solution pair) -> ActiveCfg value; Build.0 values.
  std::map<std::pair<std::string, std::string>, std::string> active;
  std::map<std::pair<std::string, std::string>, std::string> build;
  std::string section;
  bool global = false;
  bool solutionGuid = false;
  bool hideNode = false;
  for (; next < lines.size(); ++next) {
    const std::string& line = lines[next];
    if (line.compare(0, 9, "Project(\"") == 0) {
      // Project("{TYPE}") = "name", "path", "{GUID}"
      std::vector<std::string> quoted;
      size_t at = 0;
      while ((at = line.find('"', at)) != std::string::npos) {
        size_t end = line.find('"', at + 1);
        if (end == std::string::npos)
          break;
        quoted.push_back(line.substr(at + 1, end - at - 1));
        at = end + 1;
      }
      if (quoted.size() != 4 || BracedGuid(quoted[0]) != kCppProjectType ||
          BracedGuid(quoted[3]).empty()) {
        Problem(path, "malformed project line: " + line);
        continue;
      }
      if (next + 1 >= lines.size() || lines[next + 1] != "EndProject")
        Problem(path, "project " + quoted[1] + " lacks its EndProject");
      std::string guid = BracedGuid(quoted[3]);
      fs::path file = Resolve(path.parent_path(), quoted[2]);
      const ProjectInfo* info = nullptr;
      if (!EndsWith(quoted[2], quoted[1] + ".vcxproj") || !IsFile(file)) {
        Problem(path, "the project path " + quoted[2] + " leads to no file");
      } else {
        info = &Project(file);
        if (info->loaded && info->guid != guid)
          Problem(path, "the project " + quoted[1] + " has {" + info->guid +
                            "} in its file and {" + guid + "} here");
      }
      if (!entries.emplace(guid, Entry{quoted[1], guid, info}).second)
        Problem(path, "two projects share {" + guid + "}");
      continue;
    }
    std::string trimmed = Trim(line);
    if (trimmed == "Global") {
      global = true;
    } else if (trimmed.compare(0, 14, "GlobalSection(") == 0) {
      section = trimmed.substr(14, trimmed.find(')') - 14);
    } else if (trimmed == "EndGlobalSection") {
      section.clear();
    } else if (section == "SolutionConfigurationPlatforms") {
      size_t equals = trimmed.find(" = ");
      if (equals == std::string::npos ||
          trimmed.substr(0, equals) != trimmed.substr(equals + 3)) {
        Problem(path, "malformed solution configuration: " + trimmed);
        continue;
      }
      solutionPairs.push_back(trimmed.substr(0, equals));
    } else if (section == "ProjectConfigurationPlatforms") {
      size_t equals = trimmed.find(" = ");
      std::string key = trimmed.substr(0, equals);
      std::string value =
          equals == std::string::npos ? "" : trimmed.substr(equals + 3);
      std::string guid = BracedGuid(key.substr(0, 38));
      bool isActive = EndsWith(key, ".ActiveCfg");
      bool isBuild = EndsWith(key, ".Build.0");
      if (guid.empty() || key.size() < 40 || key[38] != '.' ||
          (!isActive && !isBuild)) {
        Problem(path, "malformed project configuration: " + trimmed);
        continue;
      }
      std::string pair = key.substr(39, key.size() - 39 - (isActive ? 10 : 8));
      auto& target = isActive ? active : build;
      if (!target.emplace(std::make_pair(guid, pair), value).second)
        Problem(path, "repeated line: " + trimmed);
    } else if (section == "SolutionProperties") {
      hideNode = hideNode || trimmed == "HideSolutionNode = FALSE";
    } else if (section == "ExtensibilityGlobals") {
      solutionGuid =
          solutionGuid || (trimmed.compare(0, 15, "SolutionGuid = ") == 0 &&
                           !BracedGuid(trimmed.substr(15)).empty());
    }
  }
  if (!global || !hideNode || !solutionGuid)
    Problem(path,
            "the Global block, HideSolutionNode or SolutionGuid is missing");

  std::set<std::string> lowerSolutionPairs;
  for (const std::string& pair : solutionPairs) {
    if (!lowerSolutionPairs.insert(Lower(pair)).second)
      Problem(path, "the solution configuration " + pair + " is repeated");
  }
  for (const auto& [guid, entry] : entries) {
    if (!entry.info || !entry.info->loaded)
      continue;
    const std::vector<std::string>& projectPairs = entry.info->pairs;
    for (const std::string& pair : solutionPairs) {
      auto found = active.find({guid, pair});
      if (found == active.end()) {
        Problem(path, entry.name + " has no ActiveCfg for " + pair);
        continue;
      }
      if (std::find(projectPairs.begin(), projectPairs.end(), found->second) ==
          projectPairs.end())
        Problem(path, entry.name + " maps " + pair + " to " + found->second +
                          ", which its project file lacks");
      auto built = build.find({guid, pair});
      if (built != build.end() && built->second != found->second)
        Problem(path, entry.name + " builds " + pair + " as " + built->second +
                          " but activates " + found->second);
    }
    for (const std::string& pair : projectPairs) {
      if (!lowerSolutionPairs.count(Lower(pair)))
        Problem(path, entry.name + "'s configuration " + pair +
                          " is not in the solution");
    }
  }
  for (const auto& [key, value] : active) {
    if (!entries.count(key.first) ||
        std::find(solutionPairs.begin(), solutionPairs.end(), key.second) ==
            solutionPairs.end())
      Problem(path, "ActiveCfg for an unknown project or configuration: {" +
                        key.first + "}." + key.second);
  }
  for (const auto& [key, value] : build) {
    if (!active.count(key))
      Problem(path,
              "Build.0 without ActiveCfg: {" + key.first + "}." + key.second);
  }
}

}  // namespace

std::vector<std::string> CheckVC17Tree(const std::string& root,
                                       const CheckOptions& options,
                                       int* checkedFiles) {
  Checker checker(options);
  std::vector<fs::path> solutions;
  std::vector<fs::path> projects;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file())
      continue;
    std::string name = entry.path().filename().string();
    if (EndsWith(name, ".sln"))
      solutions.push_back(entry.path());
    else if (EndsWith(name, ".vcxproj"))
      projects.push_back(entry.path());
  }
  std::sort(solutions.begin(), solutions.end());
  std::sort(projects.begin(), projects.end());
  for (const fs::path& project : projects)
    checker.Project(project);
  for (const fs::path& solution : solutions)
    checker.CheckSolution(solution);
  if (checkedFiles)
    *checkedFiles = checker.files;
  return checker.problems;
}
