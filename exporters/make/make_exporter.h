#ifndef QEV_EXPORTERS_MAKE_MAKE_EXPORTER_H_
#define QEV_EXPORTERS_MAKE_MAKE_EXPORTER_H_

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/reporter.h"

#include "exporters/exporter.h"
#include "exporters/make/project_makefile_writer.h"

class OutputWriter;
struct Configuration;
struct Project;
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

  // A target's "Makefile.<target>.mk", in two parts: PrepareTargetMakefile,
  // then WriteTargetFragment. A fragment whose file cannot be opened is not
  // prepared, and the model is left alone.

  // A target's fragment between its preparation and its writing.
  struct PreparedFragment {
    explicit PreparedFragment(bool strict)
        : messages(Reporter::Recording(strict)) {}
    // What the preparation reported, to be reported before the rest.
    Reporter messages;
    // Where the fragment goes, as the description sees it.
    std::string path;
    // Whether it is to be formatted and written.
    bool ready = false;
    // The configurations that get rules, and every configuration of the
    // target once its dependency step is done.
    std::vector<const Configuration*> built;
    std::vector<Configuration*> configurations;
    bool written = false;
  };
  // The serial part of a target's fragment, done for the targets in order:
  // the checks, the claims of generated files, the warnings and the
  // dependency step, which changes this target and those it depends on.
  void PrepareTargetMakefile(const Project& project,
                             Target& target,
                             PreparedFragment* fragment);
  // Formats and writes a prepared fragment, reporting to `output`'s
  // reporter; changes nothing but the disk, so that fragments of different
  // targets may be written side by side.
  bool WriteTargetFragment(OutputWriter& output,
                           const Target& target,
                           const PreparedFragment& fragment);

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
