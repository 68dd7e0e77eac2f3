#include "driver/run.h"

#include <cstdlib>

#include "base/disk.h"
#include "base/reporter.h"
#include "driver/command_line.h"
#include "driver/export_projects.h"
#include "generated/version.h"
#include "model/dump.h"
#include "model/model.h"
#include "model/reader.h"
#include "model/wildcard.h"
#include "output/held_outputs.h"

void TearDownWorkspace(Workspace& workspace) {
  for (auto& project : workspace.projects) {
    if (workspace.verbosity > 3)
      DumpProject(*project, *workspace.reporter);
    project.reset();
  }
  workspace.projects.clear();
  workspace.configurationFilter.clear();
}

namespace {

// Without -j, QEV_JOBS (when set and not empty) gives the number of threads:
// a way to choose it for every qev that a script or a build runs.
bool JobsFromEnvironment(Workspace* workspace, std::string* error) {
  const char* value = std::getenv("QEV_JOBS");
  if (workspace->jobs != 0 || !value || !*value)
    return true;
  if (ParseJobs(value, &workspace->jobs))
    return true;
  *error =
      std::string("QEV_JOBS takes a number of threads, 1 or more, not \"") +
      value + "\"";
  return false;
}

}  // namespace

int RunQev(int argc, const char* const* argv, Reporter& reporter) {
  switch (FindInfoRequest(argc, argv)) {
    case InfoRequest::kHelp:
      reporter.Print(UsageText());
      return 0;
    case InfoRequest::kVersion:
      reporter.Print("qev " QEV_VERSION "\n");
      return 0;
    case InfoRequest::kNone:
      break;
  }
  Disk& disk = SystemDisk();
  Workspace workspace;
  workspace.reporter = &reporter;
  workspace.disk = &disk;
  DirectoryListings listings(disk);
  workspace.listings = &listings;
  // A strict run writes nothing unless it reports nothing: its files wait
  // until the end.
  const bool strict = HasStrictArgument(argc, argv);
  reporter.SetStrict(strict);
  HeldOutputs held;
  HeldOutputs* hold = strict ? &held : nullptr;
  // An imported description is exported as soon as it is read, into its
  // import's root, before the importing description goes on; one whose
  // files could not all be written counts as not exported.
  workspace.exportImport = [hold](Workspace& imported) {
    bool written = true;
    return ExportProjects(imported, hold, &written) && written;
  };
  std::string error;
  if (!ParseCommandLine(argc, argv, &workspace, &error) ||
      !JobsFromEnvironment(&workspace, &error)) {
    reporter.Error(error);
    return 1;
  }
  if (!ToolAcceptsPlatform(workspace))
    return 1;
  // Kept for build files that rerun this very command.
  workspace.arguments.assign(argv, argv + argc);
  workspace.startDirectory = disk.CurrentDirectory();

  if (!LoadProjectFile(workspace)) {
    reporter.PrintError("Error: Failed to parse.\n");
    PrintHelp(reporter);
  } else if (!ExportProjects(workspace, hold)) {
    reporter.PrintError("Error: Failed to export.\n");
    PrintHelp(reporter);
  }
  if (strict && !reporter.failed())
    held.WriteAll(disk, reporter);
  TearDownWorkspace(workspace);
  return reporter.failed() ? 1 : 0;
}
