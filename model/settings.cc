#include "model/settings.h"

#include <algorithm>
#include <optional>
#include <string>

#include <tinyxml.h>

#include "base/disk.h"
#include "base/path.h"
#include "base/reporter.h"
#include "base/text.h"
#include "model/description_place.h"
#include "model/model.h"
#include "model/neutral_settings.h"
#include "model/split_items.h"
#include "model/wildcard.h"

namespace {

enum class Key {
  kNone,
  kFiles,
  kPreprocessor,
  kSearchPaths,
  kCFlags,
  kLFlags,
  kOutFile,
  kOutDir,
  kImpDir,
  kExport,
  kDependencies,
  kLibraries,
  kExceptionHandling,
  kPreBuildEvent,
  kPostBuildEvent,
  kPreLinkEvent,
  kDisableDefaultManifest,
  kPackages,
  kOptimize,
  kDebugInfo,
  kCStandard,
  kCxxStandard,
  kWarnings,
  kWarningsAsErrors,
  kRuntime,
  kGenerate,
  kTestArgs,
  kTestDir,
};

Key KeyOf(const std::string& tag) {
  static const struct {
    const char* tag;
    Key key;
  } kKeys[] = {
      {"FILES", Key::kFiles},
      {"PREPROCESSOR", Key::kPreprocessor},
      {"SEARCHPATHS", Key::kSearchPaths},
      {"CFLAGS", Key::kCFlags},
      {"LFLAGS", Key::kLFlags},
      {"OUTFILE", Key::kOutFile},
      {"OUTDIR", Key::kOutDir},
      {"OUTPUTDIRECTORY", Key::kOutDir},
      {"IMPDIR", Key::kImpDir},
      {"IMPORTDIRECTORY", Key::kImpDir},
      {"EXPORT", Key::kExport},
      {"DEPENDENCIES", Key::kDependencies},
      {"LIBRARIES", Key::kLibraries},
      {"EXCEPTIONHANDLING", Key::kExceptionHandling},
      {"PREBUILDEVENT", Key::kPreBuildEvent},
      {"POSTBUILDEVENT", Key::kPostBuildEvent},
      {"PRELINKEVENT", Key::kPreLinkEvent},
      {"DISABLEDEFAULTMANIFEST", Key::kDisableDefaultManifest},
      {"PACKAGES", Key::kPackages},
      {"OPTIMIZE", Key::kOptimize},
      {"DEBUGINFO", Key::kDebugInfo},
      {"CSTANDARD", Key::kCStandard},
      {"CXXSTANDARD", Key::kCxxStandard},
      {"WARNINGS", Key::kWarnings},
      {"WARNINGSASERRORS", Key::kWarningsAsErrors},
      {"RUNTIME", Key::kRuntime},
      {"GENERATE", Key::kGenerate},
      {"TESTARGS", Key::kTestArgs},
      {"TESTDIR", Key::kTestDir},
  };
  for (const auto& entry : kKeys) {
    if (EqualsNoCase(tag, entry.tag))
      return entry.key;
  }
  return Key::kNone;
}

// The attributes that settings elements read.
struct SettingsAttributes {
  std::string name;
  std::string root;
  std::string type;
  std::string inputs;
  std::string outputs;
  bool clear = false;
  // Passed on to the targets that depend on this one.
  bool isPublic = false;
};

SettingsAttributes CollectAttributes(const TiXmlElement& element) {
  SettingsAttributes attributes;
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute;
       attribute = attribute->Next()) {
    const std::string key = attribute->Name();
    if (EqualsNoCase(key, "name"))
      attributes.name = attribute->Value();
    else if (EqualsNoCase(key, "root"))
      attributes.root = attribute->Value();
    else if (EqualsNoCase(key, "type"))
      attributes.type = attribute->Value();
    else if (EqualsNoCase(key, "clear"))
      attributes.clear = EqualsNoCase(attribute->Value(), "true");
    else if (EqualsNoCase(key, "public"))
      attributes.isPublic = EqualsNoCase(attribute->Value(), "true");
    else if (EqualsNoCase(key, "inputs"))
      attributes.inputs = attribute->Value();
    else if (EqualsNoCase(key, "outputs"))
      attributes.outputs = attribute->Value();
  }
  return attributes;
}

// The text of the element's first child when that child is text.
std::optional<std::string> ElementText(const TiXmlElement& element) {
  const TiXmlNode* first = element.FirstChild();
  if (first && first->ToText())
    return std::string(first->Value());
  return std::nullopt;
}

bool IsListKey(Key key) {
  return key == Key::kFiles || key == Key::kPreprocessor ||
         key == Key::kCFlags || key == Key::kLFlags || key == Key::kLibraries ||
         key == Key::kPackages;
}

// Remembers the absolute directory that `pattern` searches, so that build
// files can notice a file being added to it or removed.
void RecordListedDirectory(Workspace& workspace,
                           const std::string& root,
                           const std::string& pattern) {
  Project* project = workspace.currentTarget->project;
  if (!project)
    return;
  std::string_view directory = std::string_view(pattern).substr(
      0, pattern.size() - FileName(pattern).size());
  project->origin.listedDirectories.insert(
      AbsolutePath(AbsolutePath(workspace.loadDirectory, root), directory));
}

void ReadFiles(Workspace& workspace,
               const SettingsAttributes& attributes,
               const std::string& text,
               int line) {
  Target& target = *workspace.currentTarget;
  Reporter& reporter = *workspace.reporter;
  const std::string file = workspace.projectFile.value_or(std::string());
  std::vector<std::string> items = SplitItems(text);
  if (items.empty())
    return;
  std::string reason;
  if (!attributes.root.empty() &&
      !workspace.disk->CanEnterDirectory(
          ResolvePath(workspace.baseDirectory, ForwardSlashes(attributes.root)),
          &reason)) {
    // Once per root: large descriptions name one root in many groups.
    reporter.WarningOnce(
        DescriptionPlace(workspace.projectFile.value_or(""), line) +
            "FILES root \"" + attributes.root + "\" cannot be entered (" +
            reason + "); its patterns match nothing",
        "root\n" + file + "\n" + attributes.root);
    return;
  }
  DirectoryListings own_listings(*workspace.disk);
  DirectoryListings& listings =
      workspace.listings ? *workspace.listings : own_listings;
  for (const std::string& item : items) {
    bool exclusion = item[0] == '-';
    std::string pattern = exclusion ? item.substr(1) : item;
    if (!attributes.root.empty() && IsAbsolutePath(pattern)) {
      reporter.WarningOnce(
          DescriptionPlace(workspace.projectFile.value_or(""), line) +
          "FILES pattern \"" + pattern +
          "\" is absolute: it is used as it is, " + "not under the root \"" +
          attributes.root + "\"");
    }
    std::string unreadable;
    RecordListedDirectory(workspace, attributes.root, pattern);
    std::vector<FileMatch> matches =
        ExpandFilePattern(listings, workspace.baseDirectory, attributes.root,
                          pattern, &unreadable);
    if (!unreadable.empty()) {
      reporter.WarningOnce(
          DescriptionPlace(workspace.projectFile.value_or(""), line) +
              "FILES pattern \"" + pattern + "\": " + unreadable +
              "; it matches nothing",
          "directory\n" + file + "\n" + unreadable);
    }
    if (exclusion)
      target.RemoveFiles(attributes.name, attributes.root, matches);
    else
      target.AddFiles(attributes.name, attributes.root, matches);
  }
}

// The search path list `type` names in `paths`, or null.
TextList* SearchPathList(SearchPaths& paths, const std::string& type) {
  if (EqualsNoCase(type, "HEADER"))
    return &paths.header;
  if (EqualsNoCase(type, "LIBRARY") || EqualsNoCase(type, "LIB"))
    return &paths.library;
  return nullptr;
}

void ReadSearchPaths(Configuration& configuration,
                     const SettingsAttributes& attributes,
                     const std::string& text) {
  TextList* list = SearchPathList(configuration.searchPaths, attributes.type);
  if (!list)
    return;
  TextList* passed_on =
      SearchPathList(configuration.usage.searchPaths, attributes.type);
  if (attributes.clear) {
    list->clear();
    passed_on->clear();
  }
  std::string prefix = attributes.root.empty() ? "" : attributes.root + "/";
  for (const std::string& item : SplitItems(text)) {
    list->push_back(prefix + item);
    if (attributes.isPublic)
      passed_on->push_back(prefix + item);
  }
}

// Appends the items of `text` to `list`, and to `passedOn` too when the
// element is public.
void AppendItems(TextList& list,
                 const std::string& text,
                 TextList* passedOn = nullptr) {
  for (std::string& item : SplitItems(text)) {
    if (passedOn)
      passedOn->push_back(item);
    list.push_back(std::move(item));
  }
}

// The neutral setting of `key` in `settings`.
std::string* NeutralSetting(NeutralSettings& settings, Key key) {
  switch (key) {
    case Key::kOptimize:
      return &settings.optimize;
    case Key::kDebugInfo:
      return &settings.debugInfo;
    case Key::kCStandard:
      return &settings.cStandard;
    case Key::kCxxStandard:
      return &settings.cxxStandard;
    case Key::kWarnings:
      return &settings.warnings;
    case Key::kWarningsAsErrors:
      return &settings.warningsAsErrors;
    case Key::kRuntime:
      return &settings.runtime;
    default:
      return nullptr;
  }
}

// Sets a compiler-neutral setting; a value it does not take is reported
// with the values it takes, and changes nothing.
void ReadNeutralSetting(Workspace& workspace,
                        const TiXmlElement& element,
                        Key key,
                        const SettingsAttributes& attributes,
                        const std::string& text) {
  std::string value = text;
  size_t first = value.find_first_not_of(" \t\r\n");
  size_t last = value.find_last_not_of(" \t\r\n");
  value = first == std::string::npos ? std::string()
                                     : value.substr(first, last - first + 1);
  const std::vector<std::string>& values =
      NeutralSettingValues(element.Value());
  bool known = false;
  for (const std::string& candidate : values) {
    if (EqualsNoCase(value, candidate)) {
      value = candidate;
      known = true;
    }
  }
  if (!known) {
    std::string list;
    for (const std::string& candidate : values)
      list += (list.empty() ? "" : ", ") + candidate;
    workspace.reporter->WarningOnce(
        DescriptionPlace(workspace.projectFile.value_or(""), element.Row()) +
        ToUpperAscii(element.Value()) + " \"" + value + "\" is none of " +
        list + "; it is ignored");
    return;
  }
  Configuration& configuration = *workspace.currentConfiguration;
  *NeutralSetting(configuration.neutral, key) = value;
  if (attributes.isPublic)
    *NeutralSetting(configuration.usage.neutral, key) = value;
}

void ReadGenerate(Workspace& workspace,
                  const TiXmlElement& element,
                  const SettingsAttributes& attributes,
                  const std::string& text) {
  GenerateStep step;
  step.command = text;
  step.root = attributes.root;
  step.inputs = SplitItems(attributes.inputs);
  step.outputs = SplitItems(attributes.outputs);
  // The reader has warned: a step that makes nothing is left out.
  if (step.outputs.empty())
    return;
  step.line = element.Row();
  workspace.currentConfiguration->generateSteps.push_back(std::move(step));
}

// Empties the list that `clear` applies to, and what it passes on.
void ClearList(Workspace& workspace, Key key) {
  Configuration* configuration = workspace.currentConfiguration;
  UsageRequirements& usage = configuration->usage;
  switch (key) {
    case Key::kFiles:
      workspace.currentTarget->fileGroups.clear();
      break;
    case Key::kPreprocessor:
      configuration->defines.clear();
      usage.defines.clear();
      break;
    case Key::kCFlags:
      configuration->cflags.clear();
      usage.cflags.clear();
      break;
    case Key::kLFlags:
      configuration->lflags.clear();
      usage.lflags.clear();
      break;
    case Key::kLibraries:
      configuration->libraries.clear();
      usage.libraries.clear();
      break;
    case Key::kPackages:
      configuration->packages.clear();
      usage.packages.clear();
      break;
    default:
      break;
  }
}

bool NeedsMet(const Workspace& workspace, Key key) {
  switch (key) {
    case Key::kFiles:
    case Key::kDependencies:
      return workspace.currentTarget != nullptr;
    case Key::kExport:
      return workspace.currentTarget || workspace.currentProject;
    default:
      return workspace.currentConfiguration != nullptr;
  }
}

}  // namespace

SettingFate FateOfSetting(const Workspace& workspace,
                          const TiXmlElement& element) {
  Key key = KeyOf(element.Value());
  if (key == Key::kNone)
    return SettingFate::kNoSetting;
  if (!NeedsMet(workspace, key))
    return SettingFate::kUnread;
  if (!workspace.currentTarget && key != Key::kExport)
    return SettingFate::kFillsEarlierTarget;
  return SettingFate::kRead;
}

void ReadSettingsElement(Workspace& workspace, const TiXmlElement& element) {
  Key key = KeyOf(element.Value());
  if (key == Key::kNone || !NeedsMet(workspace, key))
    return;
  SettingsAttributes attributes = CollectAttributes(element);
  std::optional<std::string> text = ElementText(element);

  if (IsListKey(key) && attributes.clear)
    ClearList(workspace, key);
  if (!text && key != Key::kDisableDefaultManifest)
    return;

  Configuration* configuration = workspace.currentConfiguration;
  UsageRequirements* usage =
      configuration && attributes.isPublic ? &configuration->usage : nullptr;
  switch (key) {
    case Key::kFiles:
      ReadFiles(workspace, attributes, *text, element.Row());
      break;
    case Key::kPreprocessor:
      AppendItems(configuration->defines, *text,
                  usage ? &usage->defines : nullptr);
      break;
    case Key::kSearchPaths:
      ReadSearchPaths(*configuration, attributes, *text);
      break;
    case Key::kCFlags:
      configuration->AddCFlag(*text);
      if (usage)
        usage->cflags.push_back(*text);
      break;
    case Key::kLFlags:
      configuration->AddLFlag(*text);
      if (usage)
        usage->lflags.push_back(*text);
      break;
    case Key::kOutFile:
      configuration->outFile = *text;
      break;
    case Key::kOutDir:
      configuration->outDir = *text;
      break;
    case Key::kImpDir:
      configuration->impDir = *text;
      break;
    case Key::kExport:
      if (workspace.currentTarget)
        workspace.currentTarget->SetExportDir(*text);
      else
        workspace.currentProject->SetExportDir(*text);
      break;
    case Key::kDependencies:
      for (const std::string& item : SplitItems(*text)) {
        workspace.currentTarget->AddDependency(item, element.Row());
        if (attributes.isPublic)
          workspace.currentTarget->publicDependencies.insert(item);
      }
      break;
    case Key::kLibraries:
      AppendItems(configuration->libraries, *text,
                  usage ? &usage->libraries : nullptr);
      break;
    case Key::kPackages:
      AppendItems(configuration->packages, *text,
                  usage ? &usage->packages : nullptr);
      break;
    case Key::kOptimize:
    case Key::kDebugInfo:
    case Key::kCStandard:
    case Key::kCxxStandard:
    case Key::kWarnings:
    case Key::kWarningsAsErrors:
    case Key::kRuntime:
      ReadNeutralSetting(workspace, element, key, attributes, *text);
      break;
    case Key::kGenerate:
      ReadGenerate(workspace, element, attributes, *text);
      break;
    case Key::kTestArgs:
      configuration->testArguments = *text;
      break;
    case Key::kTestDir:
      configuration->testDirectory = *text;
      break;
    case Key::kExceptionHandling:
      configuration->exceptionHandling =
          text->find("true") != std::string::npos;
      configuration->exceptionHandlingSet = true;
      break;
    case Key::kPreBuildEvent:
      configuration->preBuildEvent = *text;
      break;
    case Key::kPostBuildEvent:
      configuration->postBuildEvent = *text;
      break;
    case Key::kPreLinkEvent:
      configuration->preLinkEvent = *text;
      break;
    case Key::kDisableDefaultManifest:
      configuration->disableDefaultManifest = true;
      break;
    case Key::kNone:
      break;
  }
}
