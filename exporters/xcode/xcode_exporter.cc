#include "exporters/xcode/xcode_exporter.h"

#include "base/path.h"
#include "base/reporter.h"
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

std::string FormatXcodeProjectFile() {
  return kProjectFile;
}

bool XCodeExporter::Export(Project& project,
                           const std::string& /*platformName*/) {
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  const std::string bundle_name = base + ".xcodeproj";
  std::string bundle = JoinPath(
      ResolveExportDirectory(project.exportDir, bundle_name, reporter_),
      bundle_name);
  // An existing bundle is reused; one that cannot be made shows as the
  // failure to write the file inside it, with the reason.
  MakeOutputDirectory(bundle);
  const std::string path = JoinPath(bundle, "project.pbxproj");
  std::string error;
  if (WriteFileIfChanged(SystemDisk(), path, FormatXcodeProjectFile(), &error))
    return true;
  reporter_.Error("cannot write \"" + path + "\": " + error);
  return false;
}
