#ifndef QEV_EXPORTERS_MAKE_MAKE_EXPORTER_H_
#define QEV_EXPORTERS_MAKE_MAKE_EXPORTER_H_

#include <map>
#include <optional>
#include <string>

#include "exporters/exporter.h"
#include "exporters/make/project_makefile_writer.h"

class OutputWriter;
struct Target;

// The platform name that the make files use: "LINUX" for Linux, "OSX" for
// MacOSX, "PS3" for PS3 and Playstation3 (ASCII case ignored); any other
// name unchanged. Without a platform, the host's.
std::string MakePlatformName(const std::optional<std::string>& platform);

// Writes GNU make input for a project: a make fragment per target, then the
// wrapper "Makefile" and the project makefile that includes the fragments.
// Writing the fragments adds the dependencies' libraries and library paths
// to the targets' configurations, and may add configurations to dependency
// targets.
class MakeExporter : public QEVExporter {
 public:
  explicit MakeExporter(const ExportContext& context) : context_(context) {}

  bool Export(Project& project, const std::string& platformName) override;
  std::vector<std::string> OutputFiles(const Project& project) override;

  // Writes "Makefile.<target>.mk" into the target's export directory. When
  // the file cannot be opened nothing is written and the model is left
  // alone.
  bool WriteTargetMakefile(OutputWriter& output, Target& target);

  // Writes "Makefile" and "<project>.Makefile" into the project's export
  // directory.
  bool WriteProjectMakefiles(OutputWriter& output, const Project& project);

  // Claims the files the GENERATE steps of `target` make; false, with an
  // error, when another step of this export claimed one of them.
  bool ClaimGeneratedFiles(const Target& target, Reporter& reporter);

  const std::string& platformName() const { return platformName_; }

 private:
  ExportContext context_;
  std::string platformName_;
  // The configurations whose rules this Export wrote into fragments.
  WrittenRules rules_;
  // The own targets whose fragments it refused.
  LeftOutTargets leftOut_;
  // The name of the directory make runs in, for paths that lead into it.
  std::string makeDirectoryName_;
  // The files GENERATE steps of written fragments make (normalised), with
  // the step's owner for messages.
  std::map<std::string, std::string> generatedOwners_;
};

#endif  // QEV_EXPORTERS_MAKE_MAKE_EXPORTER_H_
