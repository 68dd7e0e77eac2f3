#include "driver/export_projects.h"

#include "driver/exporter.h"
#include "exporters/make/make_exporter.h"
#include "exporters/vs/vc71_exporter.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs/vc8_exporter.h"
#include "exporters/xcode/xcode_exporter.h"
#include "model/model.h"
#include "model/reporter.h"
#include "model/text.h"
#include "model/validate.h"

std::unique_ptr<QEVExporter> CreateExporter(const std::string& tool,
                                            Reporter& reporter) {
  if (EqualsNoCase(tool, "VC7"))
    return std::make_unique<VC7Exporter>(reporter);
  if (EqualsNoCase(tool, "VC71"))
    return std::make_unique<VC71Exporter>(reporter);
  if (EqualsNoCase(tool, "VC8"))
    return std::make_unique<VC8Exporter>(reporter);
  if (EqualsNoCase(tool, "make"))
    return std::make_unique<MakeExporter>(reporter);
  if (EqualsNoCase(tool, "xcode"))
    return std::make_unique<XCodeExporter>(reporter);
  return nullptr;
}

namespace {

// Reports what validation found; what it removed is not exported.
void ValidateBeforeExport(Workspace& workspace) {
  for (const Finding& finding : ValidateWorkspace(workspace)) {
    if (finding.error)
      workspace.reporter->Error(finding.message);
    else
      workspace.reporter->WarningOnce(finding.message);
  }
}

}  // namespace

bool ExportProjects(Workspace& workspace) {
  ValidateBeforeExport(workspace);
  if (!workspace.tool)
    return false;
  std::unique_ptr<QEVExporter> exporter =
      CreateExporter(*workspace.tool, *workspace.reporter);
  if (!exporter) {
    workspace.reporter->PrintError("Error: Tool not defined. Cannot export!\n");
    return false;
  }
  for (const auto& project : workspace.projects)
    exporter->Export(*project, workspace.platform);
  return true;
}
