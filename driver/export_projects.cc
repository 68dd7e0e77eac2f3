#include "driver/export_projects.h"

#include "base/ordered_work.h"
#include "base/reporter.h"
#include "driver/resolve_packages.h"
#include "driver/tool_table.h"
#include "exporters/exporter.h"
#include "model/description_place.h"
#include "model/model.h"
#include "model/validate.h"
#include "output/output_claims.h"

bool ToolAcceptsPlatform(const Workspace& workspace) {
  const Tool* tool = workspace.tool ? FindTool(*workspace.tool) : nullptr;
  std::string error;
  if (!tool || !tool->acceptsPlatform ||
      tool->acceptsPlatform(workspace.platform, &error))
    return true;
  workspace.reporter->Error(error);
  return false;
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

bool ExportProjects(Workspace& workspace, HeldOutputs* held, bool* allWritten) {
  if (allWritten)
    *allWritten = true;
  ValidateBeforeExport(workspace);
  if (!workspace.tool)
    return false;
  const Tool* tool = FindTool(*workspace.tool);
  if (!tool) {
    workspace.reporter->PrintError("Error: Tool not defined. Cannot export!\n");
    workspace.reporter->Error(UnknownToolMessage(*workspace.tool));
    return false;
  }
  std::unique_ptr<QEVExporter> exporter =
      tool->create(ExportContext{*workspace.disk, *workspace.reporter, held});
  const std::string platform_name = tool->platformName(workspace.platform);
  const int jobs = EffectiveJobs(workspace.jobs);
  OutputClaims claims;
  for (const auto& project : workspace.projects) {
    const std::string owner = "project \"" + project->name + "\" (" +
                              project->descriptionFile + ":" +
                              std::to_string(project->line) + ")";
    std::string path;
    std::string holder;
    bool repeated = false;
    if (!claims.Claim(*workspace.disk, exporter->OutputFiles(*project), owner,
                      &path, &holder, &repeated)) {
      workspace.reporter->Error(
          DescriptionPlace(*project, project->line) + "project \"" +
          project->name + "\" would write \"" + path + "\", which " + holder +
          " writes; nothing of \"" + project->name + "\" is written");
      continue;
    }
    if (tool->resolvesPackages) {
      // Build files without a package's flags would not build.
      if (!ResolveProjectPackages(*project, *workspace.disk,
                                  *workspace.reporter))
        continue;
    } else {
      WarnAboutUnresolvedPackages(*project, tool->name, *workspace.reporter);
    }
    // Two of its files at one place would be written in an order that
    // depends on the threads' timing: such a project is written serially.
    exporter->set_jobs(repeated ? 1 : jobs);
    // An import whose files could not all be written counts as not
    // exported (see Workspace::exportImport).
    if (!exporter->Export(*project, platform_name) && allWritten)
      *allWritten = false;
  }
  return true;
}
