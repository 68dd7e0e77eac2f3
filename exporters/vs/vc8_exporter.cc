#include "exporters/vs/vc8_exporter.h"

#include "base/text.h"
#include "model/model.h"

namespace {

// The platform name under which Visual Studio 2005 knows the Xbox 360.
const char kXbox360[] = "Xbox 360";

// "Name|Platform", as every configuration of a 2005 solution is named.
std::string Qualified(const std::string& configuration,
                      const std::string& platform) {
  return configuration + "|" + platform;
}

}  // namespace

VC8Exporter::VC8Exporter(const ExportContext& context) : VC7Exporter(context) {
  solutionConfigurationSection_ = "SolutionConfigurationPlatforms";
  projectConfigurationSection_ = "ProjectConfigurationPlatforms";
}

void VC8Exporter::WriteSolutionHeader(std::string* out) {
  if (!out)
    return;
  out->append("Microsoft Visual Studio Solution File, Format Version 9.00\n");
  out->append("# Visual Studio 2005\n");
}

double VC8Exporter::ProjectFileVersion() {
  return 8.0;
}

std::string VC8PlatformName(const std::optional<std::string>& platform) {
  std::string name = platform ? *platform : std::string("Win32");
  if (EqualsNoCase(name, "Win32"))
    name = "Win32";
  if (EqualsNoCase(name, "Win64"))
    name = "Win64";
  else if (EqualsNoCase(name, "ps3"))
    name = "Win32";
  else if (EqualsNoCase(name, "xbox360") || EqualsNoCase(name, "xenon"))
    name = kXbox360;
  return name;
}

void VC8Exporter::MapPlatformName(std::string* name) {
  *name = VC8PlatformName(*name);
}

std::string VC8Exporter::CompilerToolName(const std::string& platform) {
  return platform == kXbox360 ? "VCCLX360CompilerTool" : "VCCLCompilerTool";
}

std::string VC8Exporter::LinkerToolName(const std::string& platform) {
  return platform == kXbox360 ? "VCX360LinkerTool" : "VCLinkerTool";
}

void VC8Exporter::WriteSolutionConfiguration(std::string* out,
                                             const std::string& configuration,
                                             const std::string& platform) {
  if (!out)
    return;
  std::string qualified = Qualified(configuration, platform);
  out->append("\t\t").append(qualified).append(" = ").append(qualified);
  out->append("\n");
}

void VC8Exporter::WriteProjectActiveConfiguration(
    std::string* out,
    const std::string& guid,
    const std::string& configuration,
    const std::string& platform) {
  if (out) {
    std::string qualified = Qualified(configuration, platform);
    AppendProjectConfigurationLine(out, guid, qualified, "ActiveCfg",
                                   qualified);
  }
}

void VC8Exporter::WriteProjectBuildConfiguration(
    std::string* out,
    const std::string& guid,
    const std::string& configuration,
    const std::string& platform) {
  if (out) {
    std::string qualified = Qualified(configuration, platform);
    AppendProjectConfigurationLine(out, guid, qualified, "Build.0", qualified);
  }
}

void VC8Exporter::WriteExtraTools(std::string* out,
                                  const Configuration& config,
                                  int type) {
  // Applications get a manifest unless the description turns it off;
  // libraries and DLLs never do.
  if (!out || config.disableDefaultManifest || type != 1)
    return;
  out->append("<Tool Name=\"VCManifestTool\" EmbedManifest=\"false\" />\n");
}
