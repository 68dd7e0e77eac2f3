#include "model/reader.h"

#include <algorithm>
#include <optional>
#include <string>

#include <tinyxml.h>

#include "base/disk.h"
#include "base/reporter.h"
#include "base/text.h"
#include "model/model.h"
#include "model/settings.h"
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
  bool show = true;
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
    }
  }
  return attributes;
}

void StartProject(Workspace& workspace, const std::string& name) {
  auto project = std::make_unique<Project>(name);
  project->version = workspace.version;
  project->configurationFilter = workspace.configurationFilter;
  if (workspace.outputName)
    project->outputName = *workspace.outputName;
  workspace.currentProject = project.get();
  workspace.projects.push_back(std::move(project));
}

void StartTarget(Workspace& workspace, const std::string& name) {
  auto target = std::make_unique<Target>(name, workspace.currentProject);
  workspace.currentTarget = target.get();
  workspace.currentConfiguration = &target->DefaultConfiguration();
  workspace.currentProject->AddTarget(std::move(target));
}

// Selects, creates or derives the configuration of a configuration element
// and makes it current; leaves the cursor at none when the base of a derived
// configuration does not exist.
void StartConfiguration(Workspace& workspace,
                        const ElementAttributes& attributes) {
  Target& target = *workspace.currentTarget;
  std::string name = attributes.name.value_or(std::string());
  if (name.empty())
    name = "default";

  if (attributes.baseconfig) {
    workspace.currentConfiguration = nullptr;
    Configuration* base = target.FindConfiguration(*attributes.baseconfig);
    if (base) {
      bool replaced = false;
      workspace.currentConfiguration =
          &target.DeriveConfiguration(*base, name, attributes.type, &replaced);
      if (replaced)
        workspace.reporter->PrintToError("Fount it!\n");
    }
  } else {
    workspace.currentConfiguration =
        &target.FindOrCreateConfiguration(name, attributes.type);
  }
  if (workspace.currentConfiguration)
    workspace.currentConfiguration->show = attributes.show;
}

// Cached listings are relative to the current directory and stale once
// files may have been written.
void ForgetListings(Workspace& workspace) {
  if (workspace.listings)
    workspace.listings->Clear();
}

// Takes the targets of the imported workspace over into the current project,
// skipping names it already has.
void MergeImportedTargets(Workspace& workspace,
                          const Workspace& imported,
                          const std::optional<std::string>& root) {
  Project& project = *workspace.currentProject;
  for (const auto& imported_project : imported.projects) {
    std::vector<Target*> candidates;
    for (const auto& target : imported_project->targets)
      candidates.push_back(target.get());
    candidates.insert(candidates.end(),
                      imported_project->importedTargets.begin(),
                      imported_project->importedTargets.end());
    for (Target* target : candidates) {
      if (project.FindTarget(target->name) ||
          project.FindImportedTarget(target->name))
        continue;
      if (root)
        target->importPath = *root + "/" + target->importPath;
      project.AddImportedTarget(target);
    }
  }
}

// Loads, exports and merges the description that an import element names,
// from inside its root directory when it has one.
void ImportDescription(Workspace& workspace,
                       const std::string& file,
                       const std::optional<std::string>& root) {
  Reporter& reporter = *workspace.reporter;
  const std::string failed_to_parse =
      "Error: Failed to parse \"" + file + "\".\n";

  Disk& disk = SystemDisk();
  std::string saved_directory;
  if (root) {
    saved_directory = disk.CurrentDirectory();
    if (saved_directory.empty()) {
      reporter.PrintError(failed_to_parse);
      reporter.Error("cannot import \"" + file +
                     "\": the current directory cannot be read");
      return;
    }
    std::string reason;
    if (!disk.ChangeDirectory(*root, &reason)) {
      reporter.PrintError(failed_to_parse);
      reporter.Error("cannot import \"" + file +
                     "\": cannot enter its root \"" + *root + "\": " + reason);
      return;
    }
    ForgetListings(workspace);
  }

  std::string canonical = disk.CanonicalPath(file);
  const std::vector<std::string>& enclosing = workspace.enclosingFiles;
  if (!canonical.empty() && std::find(enclosing.begin(), enclosing.end(),
                                      canonical) != enclosing.end()) {
    std::string chain;
    for (const std::string& path : enclosing)
      chain += path + " -> ";
    reporter.PrintError(failed_to_parse);
    reporter.Error("import cycle: " + chain + canonical);
  } else {
    std::unique_ptr<Workspace> imported = MakeImportWorkspace(workspace);
    imported->projectFile = file;
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
      MergeImportedTargets(workspace, imported_ref, root);
    }
  }

  if (root) {
    std::string reason;
    if (!disk.ChangeDirectory(saved_directory, &reason))
      reporter.Error("cannot return to \"" + saved_directory + "\": " + reason);
    ForgetListings(workspace);
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

void ReadElement(Workspace& workspace, TiXmlElement& element) {
  ElementAttributes attributes = CollectAttributes(workspace, element);
  if (attributes.skipped)
    return;

  const std::string tag = element.Value();
  bool started_project = false;
  bool started_target = false;
  // The target whose configuration element this is, when it selected one.
  Target* configuration_target = nullptr;

  if (EqualsNoCase(tag, "project")) {
    if (attributes.name) {
      StartProject(workspace, *attributes.name);
      started_project = true;
    }
  } else if (EqualsNoCase(tag, "target")) {
    // A target outside any project has nowhere to go.
    if (attributes.name && workspace.currentProject) {
      StartTarget(workspace, *attributes.name);
      started_target = true;
    }
  } else if (EqualsNoCase(tag, "configuration") ||
             EqualsNoCase(tag, "config")) {
    if (workspace.currentTarget) {
      StartConfiguration(workspace, attributes);
      if (workspace.currentConfiguration)
        configuration_target = workspace.currentTarget;
    }
  } else if (EqualsNoCase(tag, "import")) {
    std::optional<std::string> file = ImportFile(element, attributes);
    if (file && workspace.currentProject)
      ImportDescription(workspace, *file, attributes.root);
  }

  ReadSettingsElement(workspace, element);

  for (TiXmlElement* child = element.FirstChildElement(); child;) {
    TiXmlElement* next = child->NextSiblingElement();
    ReadElement(workspace, *child);
    element.RemoveChild(child);
    child = next;
  }

  if (started_target)
    workspace.currentTarget = nullptr;
  if (started_project)
    workspace.currentProject = nullptr;
  if (configuration_target) {
    // The target that was current when the element began: a nested target
    // element may have cleared the cursor since.
    workspace.currentConfiguration =
        &configuration_target->DefaultConfiguration();
  }
}

bool LoadProjectFile(Workspace& workspace) {
  if (!workspace.projectFile)
    return false;
  Reporter& reporter = *workspace.reporter;

  TiXmlDocument document;
  XmlLoadError error;
  if (!LoadXmlDocument(*workspace.projectFile, &document, &error)) {
    reporter.PrintError("Error: Cannot load QEV file.\n");
    reporter.PrintToError(FormatXmlLoadError(error));
    return false;
  }
  TiXmlElement& root = *document.RootElement();
  if (!EqualsNoCase(root.Value(), "QEV")) {
    reporter.Error(*workspace.projectFile + ": the root element is <" +
                   root.Value() + ">, not <QEV>");
    return false;
  }

  std::string canonical = SystemDisk().CanonicalPath(*workspace.projectFile);
  if (!canonical.empty())
    workspace.enclosingFiles.push_back(canonical);
  ReadElement(workspace, root);
  return true;
}
