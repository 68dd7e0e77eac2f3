#include "exporters/vc17/solution_writer.h"

#include "exporters/vc17/msbuild_path.h"
#include "exporters/vc17/solution_plan.h"
#include "exporters/vs_common/xml_text.h"
#include "model/model.h"

namespace {

const char kCppProjectType[] = "8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942";

// Solutions have no escapes; names arrive checked (TargetNameProblem,
// ConfigurationNameProblem) and are only brought to UTF-8.
void AppendLine(std::string* out, const std::string& line) {
  out->append(ToUtf8(line)).append("\r\n");
}

}  // namespace

std::string FormatSolution(const SolutionPlan& plan,
                           const std::string& platform,
                           const std::string& solutionGuid) {
  std::string out = "\xEF\xBB\xBF\r\n";
  AppendLine(&out,
             "Microsoft Visual Studio Solution File, Format Version 12.00");
  AppendLine(&out, "# Visual Studio Version 17");
  AppendLine(&out, "VisualStudioVersion = 17.0.31903.59");
  AppendLine(&out, "MinimumVisualStudioVersion = 10.0.40219.1");

  for (const PlannedProject& project : plan.projects) {
    const std::string& name = project.target->name;
    std::string location =
        WindowsRelativePath(plan.directory, project.directory);
    std::string path = location == "." ? name + ".vcxproj"
                                       : location + "\\" + name + ".vcxproj";
    AppendLine(&out, std::string("Project(\"{") + kCppProjectType +
                         "}\") = \"" + name + "\", \"" + path + "\", \"{" +
                         project.guid + "}\"");
    AppendLine(&out, "EndProject");
  }

  AppendLine(&out, "Global");
  AppendLine(&out,
             "\tGlobalSection(SolutionConfigurationPlatforms) = preSolution");
  for (const std::string& name : plan.configurations) {
    std::string pair = name + "|" + platform;
    AppendLine(&out, "\t\t" + pair + " = " + pair);
  }
  AppendLine(&out, "\tEndGlobalSection");

  AppendLine(&out,
             "\tGlobalSection(ProjectConfigurationPlatforms) = postSolution");
  for (const PlannedProject& project : plan.projects) {
    for (const std::string& name : plan.configurations) {
      ConfigurationMapping mapping = MapConfiguration(project, name);
      std::string key = "\t\t{" + project.guid + "}." + name + "|" + platform;
      std::string value = mapping.projectConfiguration->name + "|" + platform;
      AppendLine(&out, key + ".ActiveCfg = " + value);
      if (mapping.build)
        AppendLine(&out, key + ".Build.0 = " + value);
    }
  }
  AppendLine(&out, "\tEndGlobalSection");

  AppendLine(&out, "\tGlobalSection(SolutionProperties) = preSolution");
  AppendLine(&out, "\t\tHideSolutionNode = FALSE");
  AppendLine(&out, "\tEndGlobalSection");
  AppendLine(&out, "\tGlobalSection(ExtensibilityGlobals) = postSolution");
  AppendLine(&out, "\t\tSolutionGuid = {" + solutionGuid + "}");
  AppendLine(&out, "\tEndGlobalSection");
  AppendLine(&out, "EndGlobal");
  return out;
}
