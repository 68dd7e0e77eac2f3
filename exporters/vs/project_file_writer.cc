// The project file of one target: its platform, one Configuration element
// per shown configuration after the first, and the Filter tree of its files.
// Every value from the description is escaped for its attribute.

#include <cstdio>

#include "base/text.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs_common/filter_tree.h"
#include "exporters/vs_common/xml_escape.h"
#include "model/model.h"

namespace {

// The values that a configuration type text sets.
struct TypeSettings {
  int configurationType = 0;
  std::string extension;
  int subsystem = 1;
};

// Applies one type text; a text that names no type changes nothing.
void ApplyType(const std::string& type, TypeSettings* settings) {
  if (type.empty())
    return;
  if (EqualsNoCase(type, "lib")) {
    settings->configurationType = 4;
    settings->extension = ".lib";
  } else if (EqualsNoCase(type, "dll")) {
    settings->configurationType = 2;
    settings->extension = ".dll";
  } else if (EqualsNoCase(type, "exe") || EqualsNoCase(type, "app")) {
    settings->configurationType = 1;
    settings->extension = ".exe";
    settings->subsystem = 2;
  } else if (EqualsNoCase(type, "console")) {
    settings->configurationType = 1;
    settings->extension = ".exe";
    settings->subsystem = 1;
  }
}

// The entries of the base's list and then the configuration's, each escaped
// and written between `before` and `after`.
std::string JoinLists(const TextList& base,
                      const TextList& config,
                      const char* before,
                      const char* after) {
  std::string text;
  for (const TextList* list : {&base, &config}) {
    for (const std::string& entry : *list) {
      text.append(before);
      AppendXmlEscaped(entry, &text);
      text.append(after);
    }
  }
  return text;
}

// One attribute line of the librarian and linker tools: `prefix`, the
// (already escaped) value, then `suffix` with its quote and line end.
void AppendAttribute(const char* prefix,
                     const std::string& value,
                     const char* suffix,
                     std::string* out) {
  out->append(prefix).append(value).append(suffix);
}

void AppendBuildEvent(const char* tool,
                      const std::string& command,
                      std::string* out) {
  out->append("    <Tool Name=\"").append(tool);
  if (command.empty()) {
    out->append("\"/>\n");
    return;
  }
  out->append("\" CommandLine=\"");
  AppendXmlEscaped(command, out);
  out->append("\"/>\n");
}

std::string FormatVersion(double version) {
  char text[32];
  std::snprintf(text, sizeof text, "%1.2f", version);
  return text;
}

}  // namespace

std::string VC7Exporter::FormatProjectFile(const Target& target) {
  std::string out;
  out.append("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n");
  out.append("<VisualStudioProject\nProjectType=\"Visual C++\"\nVersion=\"");
  out.append(FormatVersion(ProjectFileVersion()));
  out.append("\"\nName=\"");
  AppendXmlEscaped(target.name, &out);
  out.append(
      "\"\nSccProjectName=\"Perforce Project\"\nSccLocalPath=\".\"\n"
      "SccProvider=\"MSCCI:Perforce SCM\"\n>\n");

  out.append("<Platforms>\n<Platform Name=\"");
  AppendXmlEscaped(platformName_, &out);
  out.append("\"/>\n</Platforms>\n");

  // The first configuration is the base that the others extend; it is not
  // written on its own.
  out.append("<Configurations>\n");
  const std::vector<Configuration*>& configurations = target.configurations;
  for (size_t i = 1; i < configurations.size(); ++i)
    WriteConfiguration(&out, *configurations[0], *configurations[i]);
  out.append("</Configurations>\n<References></References>\n<Files>\n");
  WriteFiles(&out, target);
  out.append("</Files>\n<Globals></Globals>\n</VisualStudioProject>\n");
  return out;
}

void VC7Exporter::WriteConfiguration(std::string* out,
                                     const Configuration& base,
                                     const Configuration& config) {
  if (!config.show)
    return;

  TypeSettings type;
  ApplyType(base.type, &type);
  ApplyType(config.type, &type);

  std::string outputDirectory = "$(SolutionDir)/out";
  if (!base.outDir.empty())
    outputDirectory = base.outDir;
  if (!config.outDir.empty())
    outputDirectory = config.outDir;

  std::string outputFile =
      config.outFile.empty() ? base.outFile : config.outFile;
  if (outputFile.find('.') == std::string::npos)
    outputFile += type.extension;

  bool exceptionHandling = config.exceptionHandlingSet
                               ? config.exceptionHandling
                               : base.exceptionHandling;

  std::string importLibrary = "$(OutDir)/$(TargetName).lib";
  if (!base.impDir.empty())
    importLibrary = base.impDir + "/$(TargetName).lib";
  if (!config.impDir.empty())
    importLibrary = config.impDir + "/$(TargetName).lib";

  const std::string defines = JoinLists(base.defines, config.defines, "", ";");
  const std::string includeDirectories = JoinLists(
      base.searchPaths.header, config.searchPaths.header, "&quot;", "&quot;;");
  const std::string libraryDirectories =
      JoinLists(base.searchPaths.library, config.searchPaths.library, "&quot;",
                "&quot;;");
  const std::string compilerOptions =
      JoinLists(base.cflags, config.cflags, "", " ");
  const std::string linkerOptions =
      JoinLists(base.lflags, config.lflags, "", " ");
  const std::string libraries =
      JoinLists(base.libraries, config.libraries, "&quot;", "&quot; ");

  const std::string name = XmlEscaped(config.name);
  const std::string platform = XmlEscaped(platformName_);
  const std::string outDir = XmlEscaped(outputDirectory);
  const std::string outFile = XmlEscaped(outputFile);
  const std::string subsystem = std::to_string(type.subsystem);

  out->append("  <Configuration\n    Name=\"").append(name).append("|");
  out->append(platform).append("\"\n    OutputDirectory=\"").append(outDir);
  out->append("\"\n    IntermediateDirectory=\"build/").append(platform);
  out->append("/$(SolutionName)/$(ProjectName)/").append(name);
  out->append("\"\n    ConfigurationType=\"");
  out->append(std::to_string(type.configurationType));
  out->append("\"\n    CharacterSet=\"2\"\n    >\n");

  out->append("    <Tool\n      Name=\"");
  AppendXmlEscaped(CompilerToolName(platformName_), out);
  out->append("\"\n      AdditionalIncludeDirectories=\"");
  out->append(includeDirectories);
  out->append("\"\n      PreprocessorDefinitions=\"").append(defines);
  out->append(
      "\"\n      WarningLevel=\"3\"\n      Optimization=\"4\"\n"
      "      AdditionalOptions=\"");
  out->append(compilerOptions);
  out->append("\"\n      ExceptionHandling=\"");
  out->append(exceptionHandling ? "1" : "0");
  out->append("\"\n      />\n");

  out->append("    <Tool Name=\"VCCustomBuildTool\"/>\n");

  // The librarian or linker; the trailing blanks of some lines belong to
  // the format.
  out->append("    <Tool \n      Name=\"");
  if (type.configurationType == 4)
    out->append("VCLibrarianTool");
  else if (type.configurationType == 2)
    out->append("VCLinkerTool");
  else
    AppendXmlEscaped(LinkerToolName(platformName_), out);
  out->append("\" \n");
  AppendAttribute("      OutputFile=\"$(OutDir)/", outFile, "\" \n", out);
  AppendAttribute("      ProgramDatabaseFile=\"$(OutDir)/", outFile,
                  ".pdb\" \n", out);
  AppendAttribute("      AdditionalOptions=\"", linkerOptions, "\"\n", out);
  AppendAttribute("      AdditionalDependencies=\"", libraries, "\"\n", out);
  AppendAttribute("      AdditionalLibraryDirectories=\"", libraryDirectories,
                  "\"\n", out);
  if (type.configurationType == 2) {
    AppendAttribute("      ImportLibrary=\"", XmlEscaped(importLibrary), "\"\n",
                    out);
  }
  if (type.configurationType != 4) {
    out->append("      GenerateMapFile=\"TRUE\"\n");
    AppendAttribute("      MapFileName=\"$(OutDir)/", outFile, ".map\"\n", out);
    AppendAttribute("      SubSystem=\"", subsystem, "\"\n", out);
  }
  out->append("      />\n");

  out->append("    <Tool Name=\"VCMIDLTool\"/>\n");

  // Build events come from the configuration alone, never from the base.
  AppendBuildEvent("VCPreBuildEventTool", config.preBuildEvent, out);
  AppendBuildEvent("VCPostBuildEventTool", config.postBuildEvent, out);
  AppendBuildEvent("VCPreLinkEventTool", config.preLinkEvent, out);

  out->append(
      "    <Tool Name=\"VCResourceCompilerTool\"/>\n"
      "    <Tool Name=\"VCWebServiceProxyGeneratorTool\"/>\n"
      "    <Tool Name=\"VCXMLDataGeneratorTool\"/>\n"
      "    <Tool Name=\"VCWebDeploymentTool\"/>\n"
      "    <Tool Name=\"VCManagedWrapperGeneratorTool\"/>\n"
      "    <Tool Name=\"VCAuxiliaryManagedWrapperGeneratorTool\"/>\n");
  WriteExtraTools(out, config, type.configurationType);
  out->append("  </Configuration>\n");
}

void VC7Exporter::WriteFiles(std::string* out, const Target& target) {
  for (const FileGroup& group : target.fileGroups) {
    FilterNode root(group.name, 0);
    for (const FileEntry& entry : group.files)
      InsertFile(&root, entry.path, entry.fullPath);
    WriteFilter(root, out);
  }
}
