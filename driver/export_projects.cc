#include "driver/export_projects.h"

#include "driver/exporter.h"
#include "exporters/make/make_exporter.h"
#include "exporters/ninja/ninja_exporter.h"
#include "exporters/vs/vc71_exporter.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs/vc8_exporter.h"
#include "exporters/xcode/xcode_exporter.h"
#include "model/model.h"
#include "model/reporter.h"
#include "model/text.h"

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
  if (EqualsNoCase(tool, "ninja"))
    return std::make_unique<NinjaExporter>(reporter);
  return nullptr;
}

bool ExportProjects(Workspace& workspace) {
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
