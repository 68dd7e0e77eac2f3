#include "exporters/vs/vc7_exporter.h"

#include "base/reporter.h"
#include "base/text.h"
#include "model/description_place.h"
#include "model/model.h"
#include "model/unwritten_steps.h"
#include "output/ordered_export.h"
#include "output/output_file.h"

VC7Exporter::VC7Exporter(const ExportContext& context)
    : solutionConfigurationSection_("SolutionConfiguration"),
      projectConfigurationSection_("ProjectConfiguration"),
      context_(context) {}

void VC7Exporter::SetPlatform(const std::optional<std::string>& platform) {
  // Every line that names a configuration also names a platform; the
  // command line gives none only when qev is driven without its defaults.
  platformName_ = platform ? *platform : std::string("Win32");
  MapPlatformName(&platformName_);
}

bool VC7Exporter::Export(Project& project, const std::string& name) {
  platformName_ = name;
  projectFileDirs_.clear();
  solutionDir_.reset();
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  bool ok = true;
  // Every own target gets its project file, also one that the configuration
  // filter keeps out of the solution. Imported targets were written by the
  // export of their own description. The project files are formatted and
  // written side by side; what each target reports is given out in order.
  const size_t count = project.targets.size();
  std::vector<std::string> directories(count);
  std::vector<char> written(count, 0);
  ExportInOrder(
      count, jobs_, context_.reporter, context_.held,
      [&](size_t i, const ExportSlot& slot) {
        const Target& target = *project.targets[i];
        Reporter& reporter = *slot.reporter;
        WarnAboutTargetEvents(project, target, reporter);
        for (const std::string& warning : UnwrittenGenerateSteps(
                 project, target,
                 std::string("the ") + ToolName() + " project file"))
          reporter.Warning(warning);
        OutputWriter output(context_.disk, reporter, project.baseDirectory,
                            slot.held);
        written[i] = WriteProjectFile(output, target, &directories[i]);
      },
      [&](size_t i) {
        projectFileDirs_[project.targets[i].get()] = directories[i];
        if (!written[i])
          ok = false;
      });
  if (!WriteSolution(output, project))
    ok = false;
  return ok;
}

void VC7Exporter::WarnAboutTargetEvents(const Project& project,
                                        const Target& target,
                                        Reporter& reporter) {
  // The first configuration is the base the others extend, and build
  // events come from each configuration alone.
  const Configuration& base = *target.configurations[0];
  for (const auto& [element, text] :
       {std::pair<const char*, const std::string*>{"PREBUILDEVENT",
                                                   &base.preBuildEvent},
        {"PRELINKEVENT", &base.preLinkEvent},
        {"POSTBUILDEVENT", &base.postBuildEvent}}) {
    if (text->empty() || target.configurations.size() < 2)
      continue;
    reporter.Warning(DescriptionPlace(project, target.line) + "target \"" +
                     target.name + "\": its " + element +
                     " is set on the target, which the " + ToolName() +
                     " project file does not write; set it in each "
                     "configuration");
  }
}

bool VC7Exporter::WriteSolution(OutputWriter& output, const Project& project) {
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  const std::string file_name = base + ".sln";
  solutionDir_ = output.ExportDirectory(project.exportDir, file_name);
  return output.Write(*solutionDir_, file_name, FormatSolution(project));
}

bool VC7Exporter::WriteProjectFile(OutputWriter& output,
                                   const Target& target,
                                   std::string* directory) {
  const std::string file_name = target.name + ".vcproj";
  *directory = output.ExportDirectory(target.exportDir, file_name);
  return output.Write(*directory, file_name, FormatProjectFile(target));
}

void VC7Exporter::WriteSolutionHeader(std::string* out) {
  if (out)
    out->append("Microsoft Visual Studio Solution File, Format Version 8.00\n");
}

double VC7Exporter::ProjectFileVersion() {
  return 7.0;
}

std::string VC7PlatformName(const std::optional<std::string>& platform) {
  // Every line that names a configuration also names a platform; the
  // command line gives none only when qev is driven without its defaults.
  std::string name = platform ? *platform : std::string("Win32");
  if (EqualsNoCase(name, "Win32"))
    name = "Win32";
  if (EqualsNoCase(name, "ps3"))
    name = "Win32";
  else if (EqualsNoCase(name, "xbox360") || EqualsNoCase(name, "xenon"))
    name = "Xenon";
  return name;
}

void VC7Exporter::MapPlatformName(std::string* name) {
  *name = VC7PlatformName(*name);
}

std::string VC7Exporter::CompilerToolName(const std::string& /*platform*/) {
  return "VCCLCompilerTool";
}

std::string VC7Exporter::LinkerToolName(const std::string& /*platform*/) {
  return "VCLinkerTool";
}

void VC7Exporter::WriteSolutionConfiguration(std::string* out,
                                             const std::string& configuration,
                                             const std::string& /*platform*/) {
  if (!out)
    return;
  out->append("\t\t").append(configuration).append(" = ");
  out->append(configuration).append("\n");
}

void VC7Exporter::WriteProjectActiveConfiguration(
    std::string* out,
    const std::string& guid,
    const std::string& configuration,
    const std::string& platform) {
  if (out) {
    AppendProjectConfigurationLine(out, guid, configuration, "ActiveCfg",
                                   configuration + "|" + platform);
  }
}

void VC7Exporter::WriteProjectBuildConfiguration(
    std::string* out,
    const std::string& guid,
    const std::string& configuration,
    const std::string& platform) {
  if (out) {
    AppendProjectConfigurationLine(out, guid, configuration, "Build.0",
                                   configuration + "|" + platform);
  }
}

void VC7Exporter::AppendProjectConfigurationLine(std::string* out,
                                                 const std::string& guid,
                                                 const std::string& key,
                                                 const char* what,
                                                 const std::string& value) {
  out->append("\t\t{").append(guid).append("}.").append(key).append(".");
  out->append(what).append(" = ").append(value).append("\n");
}

void VC7Exporter::WriteExtraTools(std::string* /*out*/,
                                  const Configuration& /*config*/,
                                  int /*type*/) {}

std::vector<std::string> VC7Exporter::OutputFiles(const Project& project) {
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  std::vector<std::string> files;
  for (const auto& target : project.targets)
    files.push_back(
        output.PlannedPath(target->exportDir, target->name + ".vcproj"));
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  files.push_back(output.PlannedPath(project.exportDir, base + ".sln"));
  return files;
}
