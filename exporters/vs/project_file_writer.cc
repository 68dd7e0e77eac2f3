// The project file of one target: its platform, one Configuration element
// per shown configuration after the first, and the Filter tree of its files.
// Every value from the description is escaped for its attribute.

#include <cstdio>

#include "base/text.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs_common/filter_tree.h"
#include "exporters/vs_common/xml_escape.h"
#include "model/model.h"
#include "model/resolved_configuration.h"

namespace {

// The values that a configuration's kind sets; none without a type.
struct TypeSettings {
  int configurationType = 0;
  std::string extension;
  int subsystem = 1;
};

TypeSettings TypeSettingsOf(const ResolvedConfiguration& resolved) {
  TypeSettings settings;
  if (!resolved.kindNamed)
    return settings;
  settings.subsystem = resolved.windowsSubsystem ? 2 : 1;
  switch (resolved.kind) {
    case TargetKind::kStaticLibrary:
      settings.configurationType = 4;
      settings.extension = ".lib";
      break;
    case TargetKind::kSharedLibrary:
      settings.configurationType = 2;
      settings.extension = ".dll";
      break;
    case TargetKind::kWindowsProgram:
    case TargetKind::kConsoleProgram:
      settings.configurationType = 1;
      settings.extension = ".exe";
      break;
  }
  return settings;
}

// The entries of the base's list, the configuration's and what its
// dependencies pass on, each escaped and written between `before` and
// `after`.
std::string JoinLists(const TextList& base,
                      const TextList& config,
                      const TextList& inherited,
                      const char* before,
                      const char* after) {
  std::string text;
  for (const TextList* list : {&base, &config, &inherited}) {
    for (const std::string& entry : *list) {
      text.append(before);
      AppendXmlEscaped(entry, &text);
      text.append(after);
    }
  }
  return text;
}

// Search paths another target passes on, as written, below the import root
// of an imported one.
TextList InheritedPaths(const std::vector<InheritedPath>& paths) {
  TextList texts;
  for (const InheritedPath& path : paths) {
    const std::string& prefix = path.owner->importPath;
    texts.push_back(prefix.empty() || IsAbsolutePath(path.path) ||
                            path.path.compare(0, 2, "$(") == 0
                        ? path.path
                        : prefix + path.path);
  }
  return texts;
}

// The compiler attributes of the neutral settings, each on its own line;
// nothing for a setting that is not given.
std::string NeutralCompilerAttributes(const ResolvedConfiguration& resolved,
                                      bool debugLibraries) {
  const NeutralValues& neutral = resolved.neutral;
  std::string out;
  static const char* const kOptimization[] = {"", "0", "1", "2", "3"};
  if (neutral.optimize != Optimize::kUnset) {
    out += "\n      Optimization=\"";
    out += kOptimization[static_cast<int>(neutral.optimize)];
    out += "\"";
  }
  if (neutral.debugInfo != DebugInfo::kUnset) {
    out += neutral.debugInfo == DebugInfo::kFull
               ? "\n      DebugInformationFormat=\"3\""
               : "\n      DebugInformationFormat=\"0\"";
  }
  if (neutral.warningsAsErrors)
    out += "\n      WarnAsError=\"true\"";
  if (neutral.runtime != Runtime::kUnset) {
    int runtime = (neutral.runtime == Runtime::kShared ? 2 : 0) +
                  (debugLibraries ? 1 : 0);
    out += "\n      RuntimeLibrary=\"" + std::to_string(runtime) + "\"";
  }
  return out;
}

// The warning level: 3, or what WARNINGS says.
const char* WarningLevel(Warnings warnings) {
  switch (warnings) {
    case Warnings::kNone:
      return "0";
    case Warnings::kHigh:
    case Warnings::kExtra:
      return "4";
    case Warnings::kDefault:
    case Warnings::kUnset:
      break;
  }
  return "3";
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
    WriteConfiguration(&out, target, *configurations[0], *configurations[i]);
  out.append("</Configurations>\n<References></References>\n<Files>\n");
  WriteFiles(&out, target);
  out.append("</Files>\n<Globals></Globals>\n</VisualStudioProject>\n");
  return out;
}

void VC7Exporter::WriteConfiguration(std::string* out,
                                     const Target& target,
                                     const Configuration& base,
                                     const Configuration& config) {
  if (!config.show)
    return;

  const ResolvedConfiguration resolved =
      ResolveConfiguration(target, base, config);
  const InheritedSettings& inherited = resolved.inherited;
  TypeSettings type = TypeSettingsOf(resolved);

  const std::string outputDirectory =
      resolved.outDir.empty() ? "$(SolutionDir)/out" : resolved.outDir;
  std::string outputFile = resolved.outFile;
  if (outputFile.find('.') == std::string::npos)
    outputFile += type.extension;

  const std::string importLibrary =
      (resolved.impDir.empty() ? "$(OutDir)" : resolved.impDir) +
      "/$(TargetName).lib";

  const std::string defines =
      JoinLists(base.defines, config.defines, inherited.defines, "", ";");
  const std::string includeDirectories =
      JoinLists(base.searchPaths.header, config.searchPaths.header,
                InheritedPaths(inherited.headerPaths), "&quot;", "&quot;;");
  const std::string libraryDirectories =
      JoinLists(base.searchPaths.library, config.searchPaths.library,
                InheritedPaths(inherited.libraryPaths), "&quot;", "&quot;;");
  const std::string compilerOptions =
      JoinLists(base.cflags, config.cflags, inherited.cflags, "", " ");
  const std::string linkerOptions =
      JoinLists(base.lflags, config.lflags, inherited.lflags, "", " ");
  const std::string libraries =
      JoinLists(base.libraries, config.libraries, inherited.libraries, "&quot;",
                "&quot; ");
  const bool debugLibraries =
      ToLowerAscii(config.name).find("debug") != std::string::npos;

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
  out->append("\"\n      WarningLevel=\"");
  out->append(WarningLevel(resolved.neutral.warnings));
  if (resolved.neutral.optimize == Optimize::kUnset)
    out->append("\"\n      Optimization=\"4");
  out->append("\"");
  out->append(NeutralCompilerAttributes(resolved, debugLibraries));
  out->append("\n      AdditionalOptions=\"");
  out->append(compilerOptions);
  out->append("\"\n      ExceptionHandling=\"");
  out->append(resolved.exceptionHandling ? "1" : "0");
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
  if (type.configurationType != 4 &&
      resolved.neutral.debugInfo != DebugInfo::kUnset) {
    out->append(resolved.neutral.debugInfo == DebugInfo::kFull
                    ? "      GenerateDebugInformation=\"true\"\n"
                    : "      GenerateDebugInformation=\"false\"\n");
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
