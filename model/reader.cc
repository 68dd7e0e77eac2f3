#include "model/reader.h"

#include <algorithm>
#include <optional>
#include <string>

#include <tinyxml.h>

#include "base/disk.h"
#include "base/path.h"
#include "base/reporter.h"
#include "base/text.h"
#include "model/description_elements.h"
#include "model/description_place.h"
#include "model/model.h"
#include "model/settings.h"
#include "model/split_items.h"
#include "model/wildcard.h"
#include "model/xml_document.h"

namespace {

// The attributes of one element that the reader itself uses.
struct ElementAttributes {
  std::optional<std::string> name;
  std::optional<std::string> type;
  std::optional<std::string> baseconfig;
  std::optional<std::string> file;
  std::optional<std::string> root;
  std::optional<std::string> baseTarget;
  std::string outputs;  // of a GENERATE
  bool show = true;
  bool test = false;
  bool skipped = false;
};

ElementAttributes CollectAttributes(Workspace& workspace,
                                    const TiXmlElement& element) {
  ElementAttributes attributes;
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute;
       attribute = attribute->Next()) {
    const std::string key = attribute->Name();
    const char* value = attribute->Value();
    if (EqualsNoCase(key, "version")) {
      int version = 0;
      ParseLeadingInt(value, &version);
      workspace.version = std::max(workspace.version, version);
      if (workspace.version > 4)
        attributes.skipped = true;
    } else if (EqualsNoCase(key, "platform")) {
      // Without a platform (no tool that implies one) nothing can match.
      if (!workspace.platform || !EqualsNoCase(value, *workspace.platform))
        attributes.skipped = true;
    } else if (EqualsNoCase(key, "tool")) {
      if (!workspace.tool || !EqualsNoCase(value, *workspace.tool))
        attributes.skipped = true;
    } else if (EqualsNoCase(key, "show")) {
      attributes.show = EqualsNoCase(value, "true");
    } else if (EqualsNoCase(key, "name")) {
      attributes.name = value;
    } else if (EqualsNoCase(key, "type")) {
      attributes.type = value;
    } else if (EqualsNoCase(key, "baseconfig")) {
      attributes.baseconfig = value;
    } else if (EqualsNoCase(key, "file")) {
      attributes.file = value;
    } else if (EqualsNoCase(key, "root")) {
      attributes.root = value;
    } else if (EqualsNoCase(key, "basetarget")) {
      attributes.baseTarget = value;
    } else if (EqualsNoCase(key, "test")) {
      attributes.test = EqualsNoCase(value, "true");
    } else if (EqualsNoCase(key, "outputs")) {
      attributes.outputs = value;
    }
  }
  return attributes;
}

// A finding about the description at `element`, in the compiler form with
// its source line and a caret, given once per `key`.
void Warn(Workspace& workspace,
          const TiXmlElement& element,
          const std::string& key,
          const std::string& message) {
  const std::string file = workspace.projectFile.value_or(std::string());
  workspace.reporter->DescriptionWarningOnce(
      file + "\n" + key, [&](const char* severity) {
        XmlLoadError place;
        place.file = file;
        place.row = element.Row();
        place.column = element.Column();
        place.message = message;
        if (workspace.descriptionText)
          place.sourceLine = SourceLine(*workspace.descriptionText, place.row);
        return FormatXmlLoadError(place, severity);
      });
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// The names of a list, for a message: "a, b, c".
std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : ", ") + name;
  return text;
}

// Elements and attributes the description should not hold: no element of
// the table, no attribute the element reads, a type no exporter knows.
void CheckElement(Workspace& workspace, const TiXmlElement& element) {
  const std::string tag = element.Value();
  const ElementInfo* info = FindElementInfo(tag);
  if (!info) {
    std::vector<std::string> known;
    for (const ElementInfo& candidate : DescriptionElements())
      known.push_back(candidate.name);
    std::string message =
        "unknown element <" + tag + ">, read as a container of what it holds";
    std::string nearest = NearestName(tag, known);
    if (!nearest.empty())
      message += "; did you mean " + Quoted(nearest) + "?";
    Warn(workspace, element, "element\n" + ToLowerAscii(tag), message);
    return;
  }
  for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute;
       attribute = attribute->Next()) {
    if (ElementTakesAttribute(*info, attribute->Name()))
      continue;
    const std::string name = attribute->Name();
    const std::vector<std::string> attributes = AttributesOf(*info);
    std::string message = "<" + std::string(info->name) +
                          "> takes no attribute " + Quoted(name) +
                          "; it reads " + Listed(attributes);
    std::string nearest = NearestName(name, attributes);
    if (!nearest.empty())
      message += "; did you mean " + Quoted(nearest) + "?";
    Warn(workspace, element,
         "attribute\n" + ToLowerAscii(tag) + "\n" + ToLowerAscii(name),
         message);
  }
}

// Settings where nothing reads them, or where they fill something the
// author may not expect.
void CheckSettingPlace(Workspace& workspace,
                       const TiXmlElement& element,
                       const ElementAttributes& attributes) {
  const std::string tag = ToUpperAscii(element.Value());
  switch (FateOfSetting(workspace, element)) {
    case SettingFate::kUnread:
      Warn(workspace, element, "unread\n" + tag,
           "<" + tag +
               "> here has no project, target or configuration to "
               "fill; it is ignored");
      break;
    case SettingFate::kFillsEarlierTarget:
      Warn(workspace, element, "outside\n" + tag,
           "<" + tag +
               "> outside any <target> fills the default "
               "configuration of the target read before it; put it inside a "
               "<target>");
      break;
    case SettingFate::kRead:
      if (tag == "SEARCHPATHS" &&
          !EqualsNoCase(attributes.type.value_or(""), "header") &&
          !EqualsNoCase(attributes.type.value_or(""), "library") &&
          !EqualsNoCase(attributes.type.value_or(""), "lib")) {
        Warn(workspace, element, "searchpaths\n" + attributes.type.value_or(""),
             "<SEARCHPATHS> needs type=\"header\" or type=\"library\"; it "
             "is ignored");
      }
      if (tag == "GENERATE" && SplitItems(attributes.outputs).empty()) {
        // A step that makes nothing has nothing to be ordered by.
        Warn(workspace, element, "generate\n" + std::to_string(element.Row()),
             "<GENERATE> names no outputs=\"...\", the files it makes; it is "
             "ignored");
      }
      break;
    case SettingFate::kNoSetting:
      break;
  }
}

void CheckType(Workspace& workspace,
               const TiXmlElement& element,
               const std::string& type) {
  for (const std::string& known : KnownConfigurationTypes()) {
    if (EqualsNoCase(type, known))
      return;
  }
  Warn(workspace, element, "type\n" + ToLowerAscii(type),
       "unknown type " + Quoted(type) + "; the types are " +
           Listed(KnownConfigurationTypes()));
}

void StartProject(Workspace& workspace, const std::string& name) {
  auto project = std::make_unique<Project>(name);
  project->version = workspace.version;
  project->configurationFilter = workspace.configurationFilter;
  if (workspace.outputName)
    project->outputName = *workspace.outputName;
  project->baseDirectory = workspace.baseDirectory;
  project->descriptionFile = workspace.projectFile.value_or(std::string());
  project->descriptionPath = workspace.descriptionPath;
  project->origin.startDirectory = workspace.startDirectory;
  project->origin.arguments = workspace.arguments;
  if (!workspace.descriptionPath.empty())
    project->origin.descriptionFiles.insert(workspace.descriptionPath);
  workspace.currentProject = project.get();
  workspace.projects.push_back(std::move(project));
}

void StartTarget(Workspace& workspace,
                 const TiXmlElement& element,
                 const ElementAttributes& attributes) {
  const std::string& name = *attributes.name;
  auto target = std::make_unique<Target>(name, workspace.currentProject);
  if (attributes.baseTarget) {
    // A template is a target read before, of the same project.
    if (const Target* base =
            workspace.currentProject->FindTarget(*attributes.baseTarget)) {
      target->StartFrom(*base);
    } else {
      Warn(workspace, element, "basetarget\n" + *attributes.baseTarget,
           "basetarget " + Quoted(*attributes.baseTarget) +
               " names no target read before in project " +
               Quoted(workspace.currentProject->name));
    }
  }
  target->test = target->test || attributes.test;
  target->show = attributes.show;
  workspace.currentTarget = target.get();
  workspace.currentConfiguration = &target->DefaultConfiguration();
  workspace.currentProject->AddTarget(std::move(target));
}

// Selects, creates or derives the configuration of a configuration element
// and makes it current; leaves the cursor at none when the base of a derived
// configuration does not exist.
void StartConfiguration(Workspace& workspace,
                        const TiXmlElement& element,
                        const ElementAttributes& attributes) {
  Target& target = *workspace.currentTarget;
  std::string name = attributes.name.value_or(std::string());
  if (name.empty())
    name = "default";

  if (attributes.type && !attributes.type->empty())
    CheckType(workspace, element, *attributes.type);
  if (attributes.baseconfig) {
    workspace.currentConfiguration = nullptr;
    Configuration* base = target.FindConfiguration(*attributes.baseconfig);
    if (base) {
      bool replaced = false;
      workspace.currentConfiguration =
          &target.DeriveConfiguration(*base, name, attributes.type, &replaced);
      // "Fount it!" is the notice as users and their scripts know it; the
      // spelling is deliberate.
      if (replaced)
        workspace.reporter->PrintToError("Fount it!\n");
    } else {
      Warn(workspace, element, "baseconfig\n" + *attributes.baseconfig,
           "baseconfig " + Quoted(*attributes.baseconfig) +
               " names no configuration of target " + Quoted(target.name) +
               "; this configuration and the settings in it are not read");
    }
  } else {
    workspace.currentConfiguration =
        &target.FindOrCreateConfiguration(name, attributes.type);
  }
  if (workspace.currentConfiguration)
    workspace.currentConfiguration->show = attributes.show;
}

// Cached listings are stale once files may have been written.
void ForgetListings(Workspace& workspace) {
  if (workspace.listings)
    workspace.listings->Clear();
}

// The targets that a loaded description lends to its importers: those of
// its projects, then those they imported, with their import paths as they
// are now.
std::vector<std::pair<Target*, std::string>> LentTargets(
    const Workspace& imported) {
  std::vector<std::pair<Target*, std::string>> lent;
  for (const auto& project : imported.projects) {
    for (const auto& target : project->targets)
      lent.emplace_back(target.get(), target->importPath);
    for (Target* target : project->importedTargets)
      lent.emplace_back(target, target->importPath);
  }
  return lent;
}

// Takes the lent targets over into the current project, skipping names it
// already has, with the import root in front of their import paths. A
// description imported before lends copies, so that every importer keeps
// its own paths.
void MergeImportedTargets(
    Workspace& workspace,
    const std::vector<std::pair<Target*, std::string>>& lent,
    const std::optional<std::string>& root,
    bool copy,
    int line) {
  Project& project = *workspace.currentProject;
  for (const auto& [original, import_path] : lent) {
    if (project.FindTarget(original->name)) {
      workspace.reporter->Warning(
          DescriptionPlace(workspace.projectFile.value_or(""), line) +
          "the import lends a target \"" + original->name +
          "\", which project \"" + project.name +
          "\" has of its own; the project's own is used");
      continue;
    }
    if (project.FindImportedTarget(original->name))
      continue;
    Target* target = original;
    if (copy) {
      workspace.reusedTargets.push_back(original->Clone());
      target = workspace.reusedTargets.back().get();
    }
    target->importPath = root ? *root + "/" + import_path : import_path;
    project.AddImportedTarget(target, line);
  }
}

// The imported description's own files and searched directories join the
// importer's, so that its build files can notice a change in any of them.
void MergeOrigins(Workspace& workspace, const Workspace& imported) {
  ProjectOrigin& into = workspace.currentProject->origin;
  for (const auto& imported_project : imported.projects) {
    const ProjectOrigin& origin = imported_project->origin;
    into.descriptionFiles.insert(origin.descriptionFiles.begin(),
                                 origin.descriptionFiles.end());
    into.listedDirectories.insert(origin.listedDirectories.begin(),
                                  origin.listedDirectories.end());
  }
}

// Where `element` stands, as "file:row:col".
std::string ElementPlace(const Workspace& workspace,
                         const TiXmlElement& element) {
  return workspace.projectFile.value_or(std::string()) + ":" +
         std::to_string(element.Row()) + ":" + std::to_string(element.Column());
}

// Loads, exports and merges the description that an import element names,
// from inside its root directory when it has one. A description that this
// run loaded before is neither read nor exported again.
void ImportDescription(Workspace& workspace,
                       const TiXmlElement& element,
                       const std::string& file,
                       const std::optional<std::string>& root) {
  Reporter& reporter = *workspace.reporter;
  const std::string failed_to_parse =
      "Error: Failed to parse \"" + file + "\".\n";

  if (workspace.enclosingFiles.size() >= kMaxImportDepth) {
    reporter.PrintError(failed_to_parse);
    reporter.PrintToError(ElementPlace(workspace, element) +
                          ": error: imports nested more than " +
                          std::to_string(kMaxImportDepth) + " deep\n");
    return;
  }

  Disk& disk = *workspace.disk;
  // The imported description's paths start at its root.
  std::string base = workspace.baseDirectory;
  if (root) {
    base = ResolvePath(workspace.baseDirectory, ForwardSlashes(*root));
    std::string reason;
    if (!disk.CanEnterDirectory(base, &reason)) {
      reporter.PrintError(failed_to_parse);
      reporter.Error("cannot import \"" + file +
                     "\": cannot enter its root \"" + *root + "\": " + reason);
      return;
    }
  }

  std::string canonical = disk.CanonicalPath(ResolvePath(base, file));
  const std::vector<std::string>& enclosing = workspace.enclosingFiles;
  auto loaded_before = canonical.empty() ? workspace.loaded->end()
                                         : workspace.loaded->find(canonical);
  if (!canonical.empty() && std::find(enclosing.begin(), enclosing.end(),
                                      canonical) != enclosing.end()) {
    std::string chain;
    for (const std::string& path : enclosing)
      chain += path + " -> ";
    reporter.PrintError(failed_to_parse);
    reporter.Error("import cycle: " + chain + canonical);
  } else if (loaded_before != workspace.loaded->end()) {
    MergeOrigins(workspace, *loaded_before->second.workspace);
    MergeImportedTargets(workspace, loaded_before->second.lent, root, true,
                         element.Row());
  } else {
    std::unique_ptr<Workspace> imported = MakeImportWorkspace(workspace);
    imported->projectFile = file;
    imported->baseDirectory = base;
    Workspace& imported_ref = *imported;
    workspace.imports.push_back(std::move(imported));
    bool loaded = LoadProjectFile(imported_ref);
    bool exported = loaded && (!workspace.exportImport ||
                               workspace.exportImport(imported_ref));
    ForgetListings(workspace);
    if (!loaded) {
      reporter.PrintError(failed_to_parse);
    } else if (!exported) {
      reporter.PrintError("Error: Failed to export \"" + file + "\".\n");
    } else {
      LoadedDescription& record = (*workspace.loaded)[canonical];
      record.workspace = &imported_ref;
      record.lent = LentTargets(imported_ref);
      MergeOrigins(workspace, imported_ref);
      MergeImportedTargets(workspace, record.lent, root, false, element.Row());
      if (canonical.empty())
        workspace.loaded->erase(canonical);
    }
  }
}

std::optional<std::string> ImportFile(const TiXmlElement& element,
                                      const ElementAttributes& attributes) {
  if (attributes.file)
    return attributes.file;
  const TiXmlNode* first = element.FirstChild();
  if (first && first->ToText())
    return std::string(first->Value());
  return std::nullopt;
}

}  // namespace

namespace {

// One element being read: what it started, and the next child to read.
struct OpenElement {
  TiXmlElement* element;
  TiXmlElement* nextChild;
  bool startedProject;
  bool startedTarget;
  // The target whose configuration element this is, when it selected one.
  Target* configurationTarget;
};

// Reads the element's own part (what it starts, its settings); false when
// a filter skips it with its subtree.
bool EnterElement(Workspace& workspace,
                  TiXmlElement& element,
                  OpenElement* open) {
  ElementAttributes attributes = CollectAttributes(workspace, element);
  if (attributes.skipped)
    return false;

  const std::string tag = element.Value();
  CheckElement(workspace, element);
  *open = OpenElement{&element, nullptr, false, false, nullptr};
  if (EqualsNoCase(tag, "project")) {
    if (attributes.name) {
      StartProject(workspace, *attributes.name);
      workspace.currentProject->line = element.Row();
      open->startedProject = true;
    }
  } else if (EqualsNoCase(tag, "target")) {
    // A target outside any project has nowhere to go.
    if (attributes.name && workspace.currentProject) {
      StartTarget(workspace, element, attributes);
      workspace.currentTarget->line = element.Row();
      open->startedTarget = true;
    } else if (!workspace.currentProject) {
      Warn(workspace, element, "place\ntarget",
           "<target> outside any <project> makes no target");
    }
  } else if (EqualsNoCase(tag, "configuration") ||
             EqualsNoCase(tag, "config")) {
    if (workspace.currentTarget) {
      StartConfiguration(workspace, element, attributes);
      if (workspace.currentConfiguration)
        open->configurationTarget = workspace.currentTarget;
    } else {
      Warn(workspace, element, "place\nconfiguration",
           "<" + tag + "> outside any <target> makes no configuration");
    }
  } else if (EqualsNoCase(tag, "import")) {
    std::optional<std::string> file = ImportFile(element, attributes);
    if (file && workspace.currentProject)
      ImportDescription(workspace, element, *file, attributes.root);
    else if (file)
      Warn(workspace, element, "place\nimport",
           "<import> outside any <project> is not read");
  }

  CheckSettingPlace(workspace, element, attributes);
  ReadSettingsElement(workspace, element);
  open->nextChild = element.FirstChildElement();
  return true;
}

void LeaveElement(Workspace& workspace, const OpenElement& open) {
  if (open.startedTarget)
    workspace.currentTarget = nullptr;
  if (open.startedProject)
    workspace.currentProject = nullptr;
  if (open.configurationTarget) {
    // The target that was current when the element began: a nested target
    // element may have cleared the cursor since.
    workspace.currentConfiguration =
        &open.configurationTarget->DefaultConfiguration();
  }
}

}  // namespace

void ReadElement(Workspace& workspace, TiXmlElement& element) {
  // Depth first with a stack of its own, so that no input, however deep,
  // grows the call stack.
  std::vector<OpenElement> open;
  OpenElement first;
  if (!EnterElement(workspace, element, &first))
    return;
  open.push_back(first);
  while (!open.empty()) {
    OpenElement& top = open.back();
    if (TiXmlElement* child = top.nextChild) {
      top.nextChild = child->NextSiblingElement();
      TiXmlElement* parent = top.element;
      OpenElement entered;
      if (EnterElement(workspace, *child, &entered))
        open.push_back(entered);
      else
        parent->RemoveChild(child);
      continue;
    }
    OpenElement done = top;
    open.pop_back();
    LeaveElement(workspace, done);
    if (!open.empty())
      open.back().element->RemoveChild(done.element);
  }
}

bool LoadProjectFile(Workspace& workspace) {
  if (!workspace.projectFile)
    return false;
  Reporter& reporter = *workspace.reporter;

  Disk& disk = *workspace.disk;
  const std::string path =
      ResolvePath(workspace.baseDirectory, *workspace.projectFile);
  TiXmlDocument document;
  XmlLoadError error;
  std::vector<XmlLoadError> warnings;
  std::string text;
  bool loaded =
      LoadXmlDocument(disk, path, &document, &error, &warnings, &text);
  // Reported as the description names it.
  error.file = *workspace.projectFile;
  for (XmlLoadError& warning : warnings)
    warning.file = *workspace.projectFile;
  if (!loaded) {
    reporter.PrintError("Error: Cannot load QEV file.\n");
    reporter.PrintToError(FormatXmlLoadError(error));
    return false;
  }
  for (const XmlLoadError& warning : warnings)
    reporter.PrintToError(FormatXmlLoadError(warning, "warning"));
  TiXmlElement& root = *document.RootElement();
  if (!EqualsNoCase(root.Value(), "QEV")) {
    reporter.Error(*workspace.projectFile + ": the root element is <" +
                   root.Value() + ">, not <QEV>");
    return false;
  }

  std::string canonical = disk.CanonicalPath(path);
  if (!canonical.empty())
    workspace.enclosingFiles.push_back(canonical);
  workspace.descriptionPath = canonical;
  workspace.loadDirectory = disk.CanonicalPath(
      workspace.baseDirectory.empty() ? "." : workspace.baseDirectory);
  workspace.descriptionText = &text;
  ReadElement(workspace, root);
  workspace.descriptionText = nullptr;
  return true;
}
