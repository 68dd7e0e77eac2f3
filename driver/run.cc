#include "driver/run.h"

#include <limits.h>
#include <unistd.h>

#include "driver/command_line.h"
#include "driver/export_projects.h"
#include "model/dump.h"
#include "model/model.h"
#include "model/reader.h"
#include "model/reporter.h"

void TearDownWorkspace(Workspace& workspace) {
  for (auto& project : workspace.projects) {
    if (workspace.verbosity > 3)
      DumpProject(*project, *workspace.reporter);
    project.reset();
  }
  workspace.projects.clear();
  workspace.configurationFilter.clear();
}

int RunQev(int argc, const char* const* argv, Reporter& reporter) {
  Workspace workspace;
  workspace.reporter = &reporter;
  ParseCommandLine(argc, argv, &workspace);
  // Kept for build files that rerun this very command.
  workspace.arguments.assign(argv, argv + argc);
  char directory[PATH_MAX];
  if (getcwd(directory, sizeof directory))
    workspace.startDirectory = directory;

  if (!LoadProjectFile(workspace)) {
    reporter.PrintError("Error: Failed to parse.\n");
    PrintHelp(reporter);
  } else if (!ExportProjects(workspace)) {
    reporter.PrintError("Error: Failed to export.\n");
    PrintHelp(reporter);
  }
  TearDownWorkspace(workspace);
  return reporter.failed() ? 1 : 0;
}
