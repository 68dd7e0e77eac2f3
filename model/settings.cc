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
  bool clear = false;
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
         key == Key::kCFlags || key == Key::kLFlags || key == Key::kLibraries;
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

void ReadSearchPaths(Configuration& configuration,
                     const SettingsAttributes& attributes,
                     const std::string& text) {
  TextList* list = nullptr;
  if (EqualsNoCase(attributes.type, "HEADER"))
    list = &configuration.searchPaths.header;
  else if (EqualsNoCase(attributes.type, "LIBRARY") ||
           EqualsNoCase(attributes.type, "LIB"))
    list = &configuration.searchPaths.library;
  if (!list)
    return;
  if (attributes.clear)
    list->clear();
  std::string prefix = attributes.root.empty() ? "" : attributes.root + "/";
  for (const std::string& item : SplitItems(text))
    list->push_back(prefix + item);
}

void AppendItems(TextList& list, const std::string& text) {
  for (std::string& item : SplitItems(text))
    list.push_back(std::move(item));
}

// Empties the list that `clear` applies to.
void ClearList(Workspace& workspace, Key key) {
  Configuration* configuration = workspace.currentConfiguration;
  switch (key) {
    case Key::kFiles:
      workspace.currentTarget->fileGroups.clear();
      break;
    case Key::kPreprocessor:
      configuration->defines.clear();
      break;
    case Key::kCFlags:
      configuration->cflags.clear();
      break;
    case Key::kLFlags:
      configuration->lflags.clear();
      break;
    case Key::kLibraries:
      configuration->libraries.clear();
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
  switch (key) {
    case Key::kFiles:
      ReadFiles(workspace, attributes, *text, element.Row());
      break;
    case Key::kPreprocessor:
      AppendItems(configuration->defines, *text);
      break;
    case Key::kSearchPaths:
      ReadSearchPaths(*configuration, attributes, *text);
      break;
    case Key::kCFlags:
      configuration->AddCFlag(*text);
      break;
    case Key::kLFlags:
      configuration->AddLFlag(*text);
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
      for (const std::string& item : SplitItems(*text))
        workspace.currentTarget->AddDependency(item, element.Row());
      break;
    case Key::kLibraries:
      AppendItems(configuration->libraries, *text);
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
