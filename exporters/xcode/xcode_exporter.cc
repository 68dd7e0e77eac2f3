#include "exporters/xcode/xcode_exporter.h"

#include <sys/stat.h>

#include "exporters/output_file.h"
#include "model/model.h"

namespace {

const char kProjectFile[] =
    "// !$*UTF8*$!\n"
    "{\n"
    "  archiveVersion = 1;\n"
    "  classes =\n"
    "  {\n"
    "  };\n"
    "  objectVersion = 42;\n"
    "  objects =\n"
    "  {\n"
    "  };\n"
    "}\n";

}  // namespace

bool XCodeExporter::Export(Project& project,
                           const std::optional<std::string>& /*platform*/) {
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  const std::string bundle_name = base + ".xcodeproj";
  std::string bundle = JoinPath(
      ResolveExportDirectory(project.exportDir, bundle_name, reporter_),
      bundle_name);
  // An existing bundle is reused; any other failure shows when the file
  // cannot be created inside it.
  mkdir(bundle.c_str(), 0777);
  OutputFile file(reporter_);
  if (file.Open(JoinPath(bundle, "project.pbxproj")))
    file.Commit(kProjectFile);
  return true;
}
