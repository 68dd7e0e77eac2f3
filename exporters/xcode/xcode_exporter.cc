#include "exporters/xcode/xcode_exporter.h"

#include "base/path.h"
#include "model/model.h"
#include "output/output_file.h"

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

std::string XCodePlatformName(const std::optional<std::string>& platform) {
  return platform.value_or(std::string());
}

std::string FormatXCodeProjectFile() {
  return kProjectFile;
}

bool XCodeExporter::Export(Project& project,
                           const std::string& /*platformName*/) {
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  const std::string bundle_name = base + ".xcodeproj";
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  std::string bundle = JoinPath(
      output.ExportDirectory(project.exportDir, bundle_name), bundle_name);
  // An existing bundle is reused; one that cannot be made shows as the
  // failure to write the file inside it, with the reason.
  output.MakeDirectory(bundle);
  return output.Write(bundle, "project.pbxproj", FormatXCodeProjectFile());
}

std::vector<std::string> XCodeExporter::OutputFiles(const Project& project) {
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  return {output.PlannedPath(project.exportDir,
                             base + ".xcodeproj/project.pbxproj")};
}
