#ifndef QEV_EXPORTERS_EXPORTER_H_
#define QEV_EXPORTERS_EXPORTER_H_

#include <string>
#include <vector>

class Disk;
class HeldOutputs;
class Reporter;
struct Project;

// What every exporter works with: the disk it reads and writes through (the
// driver hands in the host's) and where it reports.
struct ExportContext {
  Disk& disk;
  Reporter& reporter;
  // Where written files wait for the end of a strict run; null otherwise.
  HeldOutputs* held = nullptr;
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

  // The files Export would write for `project`, as the disk takes them,
  // placed as Export places them (OutputWriter::PlannedPath), so that the
  // driver can refuse a project whose files another one writes; none for a
  // project that Export refuses whole.
  virtual std::vector<std::string> OutputFiles(const Project& project) = 0;

  // How many threads the next Export may work on (1: the serial run). The
  // files, messages and their order are the same whatever the number.
  void set_jobs(int jobs) { jobs_ = jobs; }
  int jobs() const { return jobs_; }

 protected:
  int jobs_ = 1;
};

#endif  // QEV_EXPORTERS_EXPORTER_H_
