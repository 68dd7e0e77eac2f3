#ifndef QEV_EXPORTERS_EXPORTER_H_
#define QEV_EXPORTERS_EXPORTER_H_

#include <string>

class Disk;
class Reporter;
struct Project;

// What every exporter works with: the disk it reads and writes through (the
// driver hands in the host's) and where it reports.
struct ExportContext {
  Disk& disk;
  Reporter& reporter;
};

// An exporter writes the build files of one tool for a project. The driver
// makes one per export run and calls Export once per project, in order,
// with the platform name already mapped to the tool's spelling. A project's
// files go below its base directory (Project::baseDirectory).
class QEVExporter {
 public:
  virtual ~QEVExporter() = default;

  // Writes the files of `project`; false when any could not be written.
  virtual bool Export(Project& project, const std::string& platformName) = 0;
};

#endif  // QEV_EXPORTERS_EXPORTER_H_
