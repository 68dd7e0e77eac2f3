#include "exporters/vc17/project_file_writer.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"
#include "exporters/vc17/msbuild_escape.h"
#include "exporters/vc17/msbuild_path.h"
#include "exporters/vs_common/guid.h"
#include "exporters/vs_common/xml_text.h"
#include "model/model.h"
#include "model/resolved_configuration.h"

namespace {

const char kNamespace[] = "http://schemas.microsoft.com/developer/msbuild/2003";

// A single MSBuild value in XML: escaped for MSBuild, then for XML.
std::string Value(const std::string& text) {
  std::string out;
  AppendXmlText(MsBuildEscaped(text), &out);
  return out;
}

// The path of a file found on disk, in an Include attribute: nothing in it
// is MSBuild syntax, and its line breaks and tabs survive the attribute.
std::string ItemValue(const std::string& path) {
  std::string out;
  AppendXmlAttributeText(MsBuildEscapedLiteral(path), &out);
  return out;
}

// ItemValue(path) appended to `out`; a path without characters MSBuild
// reads is taken as it is, without a copy.
void AppendItemValue(const std::string& path, std::string* out) {
  if (path.find_first_of("%$@;'?*") == std::string::npos)
    AppendXmlAttributeText(path, out);
  else
    AppendXmlAttributeText(MsBuildEscapedLiteral(path), out);
}

// A value of the description: its XML references read first.
std::string SettingValue(const std::string& text) {
  return Value(DecodeXmlReferences(text));
}

void AppendElement(const char* indent,
                   const char* name,
                   const std::string& xml,
                   std::string* out) {
  out->append(indent).append("<").append(name).append(">").append(xml);
  out->append("</").append(name).append(">\n");
}

// The lists of the base and then the configuration (only once when they are
// the same), then what its dependencies pass on, each entry passed through
// `convert` (`convertInherited` for the inherited ones).
template <typename Convert, typename Inherited, typename ConvertInherited>
std::vector<std::string> Entries(const TextList& base,
                                 const TextList& config,
                                 bool same,
                                 Convert convert,
                                 const std::vector<Inherited>& inherited,
                                 ConvertInherited convertInherited) {
  std::vector<std::string> entries;
  for (const std::string& entry : base)
    entries.push_back(convert(entry));
  if (!same) {
    for (const std::string& entry : config)
      entries.push_back(convert(entry));
  }
  for (const Inherited& entry : inherited)
    entries.push_back(convertInherited(entry));
  return entries;
}

template <typename Convert>
std::vector<std::string> Entries(const TextList& base,
                                 const TextList& config,
                                 bool same,
                                 Convert convert,
                                 const TextList& inherited) {
  return Entries(base, config, same, convert, inherited, convert);
}

const char* WarningLevel(Warnings warnings) {
  switch (warnings) {
    case Warnings::kNone:
      return "TurnOffAllWarnings";
    case Warnings::kHigh:
    case Warnings::kExtra:
      return "Level4";
    case Warnings::kDefault:
    case Warnings::kUnset:
      break;
  }
  return "Level3";
}

const char* Optimization(Optimize optimize) {
  switch (optimize) {
    case Optimize::kNone:
      return "Disabled";
    case Optimize::kSize:
      return "MinSpace";
    case Optimize::kSpeed:
      return "MaxSpeed";
    case Optimize::kFull:
      return "Full";
    case Optimize::kUnset:
      break;
  }
  return "";
}

// MSVC has no C++ mode below C++14, and none before C11 but its default.
const char* CxxStandardName(CxxStandard standard) {
  switch (standard) {
    case CxxStandard::kCxx11:
    case CxxStandard::kCxx14:
      return "stdcpp14";
    case CxxStandard::kCxx17:
      return "stdcpp17";
    case CxxStandard::kCxx20:
      return "stdcpp20";
    case CxxStandard::kCxx23:
      return "stdcpplatest";
    case CxxStandard::kUnset:
      break;
  }
  return nullptr;
}

const char* CStandardName(CStandard standard) {
  switch (standard) {
    case CStandard::kC11:
      return "stdc11";
    case CStandard::kC17:
      return "stdc17";
    case CStandard::kC23:
      return "stdclatest";
    case CStandard::kC99:
    case CStandard::kUnset:
      break;
  }
  return nullptr;
}

// An MSBuild list property: the entries joined by `separator`, followed by
// the inherited value, or nothing when there are no entries.
void AppendList(const char* name,
                const std::vector<std::string>& entries,
                const char* separator,
                std::string* out) {
  if (entries.empty())
    return;
  std::string xml;
  for (const std::string& entry : entries)
    xml.append(entry).append(separator);
  xml.append("%(").append(name).append(")");
  AppendElement("      ", name, xml, out);
}

bool ContainsSeparator(const std::string& text) {
  return FileName(text).size() != text.size();
}

class ProjectFileFormatter {
 public:
  explicit ProjectFileFormatter(const ProjectFileInput& input)
      : input_(input) {}

  std::string Format() {
    for (const PlannedConfiguration& planned : input_.configurations) {
      resolved_.push_back(
          ResolveConfiguration(*input_.target, *planned.base, *planned.config));
    }
    out_.append("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    out_.append("<Project DefaultTargets=\"Build\" xmlns=\"");
    out_.append(kNamespace).append("\">\n");
    AppendProjectConfigurations();
    AppendGlobals();
    out_.append(
        "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.Default.props\" "
        "/>\n");
    for (size_t i = 0; i < input_.configurations.size(); ++i)
      AppendConfigurationGroup(input_.configurations[i], resolved_[i]);
    out_.append(
        "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.props\" />\n");
    out_.append("  <ImportGroup Label=\"ExtensionSettings\">\n");
    out_.append("  </ImportGroup>\n");
    for (const PlannedConfiguration& planned : input_.configurations)
      AppendPropertySheets(planned);
    out_.append("  <PropertyGroup Label=\"UserMacros\" />\n");
    for (size_t i = 0; i < input_.configurations.size(); ++i)
      AppendOutputGroup(input_.configurations[i], resolved_[i]);
    for (size_t i = 0; i < input_.configurations.size(); ++i)
      AppendItemDefinitions(input_.configurations[i], resolved_[i]);
    AppendItems();
    AppendReferences();
    out_.append(
        "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.targets\" />\n");
    out_.append("  <ImportGroup Label=\"ExtensionTargets\">\n");
    out_.append("  </ImportGroup>\n");
    out_.append("</Project>\n");
    return std::move(out_);
  }

 private:
  std::string Pair(const Configuration& config) const {
    return Value(config.name + "|" + input_.platform);
  }

  std::string Condition(const Configuration& config) const {
    return " Condition=\"'$(Configuration)|$(Platform)'=='" + Pair(config) +
           "'\"";
  }

  // A path of the description as the project file's directory sees it.
  std::string Rebased(const std::string& path) const {
    return RebasePath(DecodeXmlReferences(path), input_.currentDirectory,
                      input_.directory);
  }

  void AppendProjectConfigurations() {
    out_.append("  <ItemGroup Label=\"ProjectConfigurations\">\n");
    for (const PlannedConfiguration& planned : input_.configurations) {
      out_.append("    <ProjectConfiguration Include=\"");
      out_.append(Pair(*planned.config)).append("\">\n");
      AppendElement("      ", "Configuration", Value(planned.config->name),
                    &out_);
      AppendElement("      ", "Platform", Value(input_.platform), &out_);
      out_.append("    </ProjectConfiguration>\n");
    }
    out_.append("  </ItemGroup>\n");
  }

  void AppendGlobals() {
    const std::string& name = input_.target->name;
    out_.append("  <PropertyGroup Label=\"Globals\">\n");
    AppendElement("    ", "VCProjectVersion", "17.0", &out_);
    AppendElement("    ", "ProjectGuid", "{" + MakeGuid(name) + "}", &out_);
    AppendElement("    ", "Keyword", "Win32Proj", &out_);
    AppendElement("    ", "RootNamespace", Value(name), &out_);
    AppendElement("    ", "WindowsTargetPlatformVersion", "10.0", &out_);
    out_.append("  </PropertyGroup>\n");
  }

  void AppendConfigurationGroup(const PlannedConfiguration& planned,
                                const ResolvedConfiguration& resolved) {
    ConfigurationKind kind = KindOf(resolved);
    const bool debug = IsDebugConfigurationName(planned.config->name);
    out_.append("  <PropertyGroup").append(Condition(*planned.config));
    out_.append(" Label=\"Configuration\">\n");
    AppendElement("    ", "ConfigurationType", kind.configurationType, &out_);
    AppendElement("    ", "UseDebugLibraries", debug ? "true" : "false", &out_);
    AppendElement("    ", "PlatformToolset", "v143", &out_);
    if (FollowsTemplate(resolved) && !debug)
      AppendElement("    ", "WholeProgramOptimization", "true", &out_);
    AppendElement("    ", "CharacterSet", "MultiByte", &out_);
    out_.append("  </PropertyGroup>\n");
  }

  // A configuration that sets neither OPTIMIZE nor DEBUGINFO gets what
  // Visual Studio's templates give one of its name.
  static bool FollowsTemplate(const ResolvedConfiguration& resolved) {
    return resolved.neutral.optimize == Optimize::kUnset &&
           resolved.neutral.debugInfo == DebugInfo::kUnset;
  }

  // A search path another target passes on, from where its description's
  // paths start.
  std::string RebasedFrom(const InheritedPath& path) const {
    std::string base = input_.currentDirectory;
    if (!path.owner->importPath.empty())
      base = AbsolutePath(base, path.owner->importPath);
    return RebasePath(DecodeXmlReferences(path.path), base, input_.directory);
  }

  void AppendPropertySheets(const PlannedConfiguration& planned) {
    out_.append("  <ImportGroup Label=\"PropertySheets\"");
    out_.append(Condition(*planned.config)).append(">\n");
    out_.append(
        "    <Import "
        "Project=\"$(UserRootDir)\\Microsoft.Cpp.$(Platform).user.props\" "
        "Condition=\"exists('$(UserRootDir)\\Microsoft.Cpp.$(Platform).user."
        "props')\" Label=\"LocalAppDataPlatform\" />\n");
    out_.append("  </ImportGroup>\n");
  }

  void AppendOutputGroup(const PlannedConfiguration& planned,
                         const ResolvedConfiguration& resolved) {
    const Configuration& config = *planned.config;
    ConfigurationKind kind = KindOf(resolved);

    // Without an output directory each configuration gets its own, where
    // Visual Studio's templates put it.
    std::string outDir = input_.platform == "Win32"
                             ? "$(SolutionDir)$(Configuration)\\"
                             : "$(SolutionDir)$(Platform)\\$(Configuration)\\";
    if (!resolved.outDir.empty())
      outDir = AsDirectory(Rebased(resolved.outDir));

    // A directory part of the output file lies below the output directory.
    std::string outFile = DecodeXmlReferences(resolved.outFile);
    if (outFile.empty())
      outFile = input_.target->name;
    std::string_view name = FileName(outFile);
    if (name.size() != outFile.size()) {
      outDir += AsDirectory(outFile.substr(0, outFile.size() - name.size()));
      outFile = std::string(name);
    }
    std::string targetName = outFile;
    std::string targetExt = kind.extension;
    size_t dot = outFile.rfind('.');
    if (dot != std::string::npos && dot > 0) {
      targetName = outFile.substr(0, dot);
      targetExt = outFile.substr(dot);
    }

    out_.append("  <PropertyGroup").append(Condition(config)).append(">\n");
    AppendElement("    ", "OutDir", Value(outDir), &out_);
    AppendElement("    ", "IntDir",
                  "build\\$(Platform)\\$(ProjectName)\\$(Configuration)\\",
                  &out_);
    AppendElement("    ", "TargetName", Value(targetName), &out_);
    AppendElement("    ", "TargetExt", Value(targetExt), &out_);
    out_.append("  </PropertyGroup>\n");
  }

  void AppendItemDefinitions(const PlannedConfiguration& planned,
                             const ResolvedConfiguration& resolved) {
    const Configuration& base = *planned.base;
    const Configuration& config = *planned.config;
    const InheritedSettings& inherited = resolved.inherited;
    const NeutralValues& neutral = resolved.neutral;
    const bool same = &base == &config;
    const bool debug = IsDebugConfigurationName(config.name);
    const bool template_settings = FollowsTemplate(resolved);
    ConfigurationKind kind = KindOf(resolved);
    auto setting = [](const std::string& text) { return SettingValue(text); };
    auto path = [this](const std::string& text) {
      return Value(Rebased(text));
    };
    auto inherited_path = [this](const InheritedPath& text) {
      return Value(RebasedFrom(text));
    };
    // A library given with a directory is a path; a bare name is found
    // through the library directories, and the linker takes a name without
    // an extension for an object file, so it gets ".lib".
    auto library = [this](const std::string& text) {
      if (ContainsSeparator(text))
        return Value(Rebased(text));
      std::string name = DecodeXmlReferences(text);
      if (FileExtension(name).empty())
        name += ".lib";
      return Value(name);
    };

    out_.append("  <ItemDefinitionGroup").append(Condition(config));
    out_.append(">\n");

    out_.append("    <ClCompile>\n");
    AppendElement("      ", "WarningLevel", WarningLevel(neutral.warnings),
                  &out_);
    if (neutral.warningsAsErrors)
      AppendElement("      ", "TreatWarningAsError", "true", &out_);
    if (template_settings) {
      if (debug) {
        AppendElement("      ", "Optimization", "Disabled", &out_);
      } else {
        AppendElement("      ", "Optimization", "MaxSpeed", &out_);
        AppendElement("      ", "FunctionLevelLinking", "true", &out_);
        AppendElement("      ", "IntrinsicFunctions", "true", &out_);
      }
      AppendElement("      ", "DebugInformationFormat", "ProgramDatabase",
                    &out_);
    } else {
      if (neutral.optimize != Optimize::kUnset)
        AppendElement("      ", "Optimization", Optimization(neutral.optimize),
                      &out_);
      if (neutral.debugInfo != DebugInfo::kUnset) {
        AppendElement(
            "      ", "DebugInformationFormat",
            neutral.debugInfo == DebugInfo::kFull ? "ProgramDatabase" : "None",
            &out_);
      }
    }
    if (const char* standard = CxxStandardName(neutral.cxxStandard))
      AppendElement("      ", "LanguageStandard", standard, &out_);
    if (const char* standard = CStandardName(neutral.cStandard))
      AppendElement("      ", "LanguageStandard_C", standard, &out_);
    if (neutral.runtime != Runtime::kUnset) {
      std::string runtime = "MultiThreaded";
      if (debug)
        runtime += "Debug";
      if (neutral.runtime == Runtime::kShared)
        runtime += "DLL";
      AppendElement("      ", "RuntimeLibrary", runtime, &out_);
    }
    AppendList(
        "PreprocessorDefinitions",
        Entries(base.defines, config.defines, same, setting, inherited.defines),
        ";", &out_);
    AppendList("AdditionalIncludeDirectories",
               Entries(base.searchPaths.header, config.searchPaths.header, same,
                       path, inherited.headerPaths, inherited_path),
               ";", &out_);
    AppendList(
        "AdditionalOptions",
        Entries(base.cflags, config.cflags, same, setting, inherited.cflags),
        " ", &out_);
    AppendElement("      ", "ExceptionHandling",
                  resolved.exceptionHandling ? "Sync" : "false", &out_);
    out_.append("    </ClCompile>\n");

    bool is_library = std::string(kind.configurationType) == "StaticLibrary";
    const char* tool = is_library ? "Lib" : "Link";
    out_.append("    <").append(tool).append(">\n");
    if (!is_library) {
      AppendElement("      ", "SubSystem", kind.subsystem, &out_);
      if (template_settings || neutral.debugInfo != DebugInfo::kUnset) {
        AppendElement("      ", "GenerateDebugInformation",
                      neutral.debugInfo == DebugInfo::kNone ? "false" : "true",
                      &out_);
      }
      if (template_settings && !debug) {
        AppendElement("      ", "EnableCOMDATFolding", "true", &out_);
        AppendElement("      ", "OptimizeReferences", "true", &out_);
      }
    }
    AppendList("AdditionalDependencies",
               Entries(base.libraries, config.libraries, same, library,
                       inherited.libraries),
               ";", &out_);
    AppendList("AdditionalLibraryDirectories",
               Entries(base.searchPaths.library, config.searchPaths.library,
                       same, path, inherited.libraryPaths, inherited_path),
               ";", &out_);
    AppendList(
        "AdditionalOptions",
        Entries(base.lflags, config.lflags, same, setting, inherited.lflags),
        " ", &out_);
    if (std::string(kind.configurationType) == "DynamicLibrary" &&
        !resolved.impDir.empty()) {
      AppendElement(
          "      ", "ImportLibrary",
          Value(AsDirectory(Rebased(resolved.impDir)) + "$(TargetName).lib"),
          &out_);
    }
    if (!is_library && config.disableDefaultManifest)
      AppendElement("      ", "GenerateManifest", "false", &out_);
    out_.append("    </").append(tool).append(">\n");

    // An event set on the target serves every configuration without one.
    AppendEvent("PreBuildEvent", resolved.preBuildEvent);
    AppendEvent("PreLinkEvent", resolved.preLinkEvent);
    AppendEvent("PostBuildEvent", resolved.postBuildEvent);
    out_.append("  </ItemDefinitionGroup>\n");
  }

  void AppendEvent(const char* name, const std::string& command) {
    if (command.empty())
      return;
    out_.append("    <").append(name).append(">\n");
    AppendElement("      ", "Command", SettingValue(command), &out_);
    out_.append("    </").append(name).append(">\n");
  }

  // A step's metadata: for every configuration, or with the condition of
  // the one it belongs to.
  // `<name>xml</name>` of a custom build item, conditioned on the
  // configuration `configuration` unless that is empty.
  void AppendItemMetadata(const std::string& configuration,
                          const char* name,
                          const std::string& xml) {
    out_.append("      <").append(name);
    if (!configuration.empty()) {
      out_.append(" Condition=\"'$(Configuration)|$(Platform)'=='");
      out_.append(Value(configuration + "|" + input_.platform));
      out_.append("'\"");
    }
    out_.append(">").append(xml).append("</").append(name).append(">\n");
  }

  // ExcludedFromBuild for each configuration of the project that
  // `builds` leaves out; nothing when `builds` is empty (all build).
  void AppendExclusions(const std::vector<std::string>& builds) {
    if (builds.empty())
      return;
    for (const PlannedConfiguration& planned : input_.configurations) {
      const std::string& name = planned.config->name;
      if (std::find(builds.begin(), builds.end(), name) == builds.end())
        AppendItemMetadata(name, "ExcludedFromBuild", "true");
    }
  }

  // The metadata of `steps` run together for `configuration` ("" for
  // all): their commands one after another, all their outputs and inputs.
  void AppendStepMetadata(const std::string& configuration,
                          const std::vector<const CustomBuildStep*>& steps) {
    std::string command;
    std::string outputs;
    std::string inputs;
    for (const CustomBuildStep* step : steps) {
      command += (command.empty() ? "" : "\n") + step->command;
      for (const std::string& output : step->outputs)
        outputs += ItemValue(output) + ";";
      for (const std::string& input : step->additionalInputs)
        inputs += ItemValue(input) + ";";
    }
    AppendItemMetadata(configuration, "Command", SettingValue(command));
    AppendItemMetadata(configuration, "Outputs", outputs + "%(Outputs)");
    if (!inputs.empty())
      AppendItemMetadata(configuration, "AdditionalInputs",
                         inputs + "%(AdditionalInputs)");
    const CustomBuildStep& first = *steps.front();
    AppendItemMetadata(
        configuration, "Message",
        Value("Generating " + (first.outputs.empty() ? std::string("files")
                                                     : first.outputs[0])));
  }

  void AppendCustomBuilds() {
    if (input_.customBuilds.empty())
      return;
    out_.append("  <ItemGroup>\n");
    for (const CustomBuildItem& item : input_.customBuilds) {
      out_.append("    <CustomBuild Include=\"");
      out_.append(ItemValue(item.include)).append("\">\n");
      bool conditional = false;
      for (const CustomBuildStep& step : item.steps)
        conditional = conditional || !step.configuration.empty();
      if (!conditional) {
        std::vector<const CustomBuildStep*> all;
        for (const CustomBuildStep& step : item.steps)
          all.push_back(&step);
        AppendStepMetadata(std::string(), all);
      } else {
        std::vector<std::string> builds;
        for (const PlannedConfiguration& planned : input_.configurations) {
          const std::string& name = planned.config->name;
          std::vector<const CustomBuildStep*> steps;
          for (const CustomBuildStep& step : item.steps) {
            if (step.configuration.empty() || step.configuration == name)
              steps.push_back(&step);
          }
          if (steps.empty())
            continue;
          builds.push_back(name);
          AppendStepMetadata(name, steps);
        }
        AppendExclusions(builds);
      }
      out_.append("    </CustomBuild>\n");
    }
    out_.append("  </ItemGroup>\n");
  }

  void AppendItems() {
    AppendCustomBuilds();
    for (ItemKind kind : {ItemKind::kClCompile, ItemKind::kClInclude,
                          ItemKind::kResourceCompile, ItemKind::kNone}) {
      bool any = false;
      for (const ProjectItem& item : input_.items.items) {
        if (item.kind != kind)
          continue;
        if (!any)
          out_.append("  <ItemGroup>\n");
        any = true;
        out_.append("    <").append(ItemKindName(kind)).append(" Include=\"");
        AppendItemValue(item.include, &out_);
        if (item.onlyIn.empty()) {
          out_.append("\" />\n");
          continue;
        }
        out_.append("\">\n");
        AppendExclusions(item.onlyIn);
        out_.append("    </").append(ItemKindName(kind)).append(">\n");
      }
      if (any)
        out_.append("  </ItemGroup>\n");
    }
  }

  void AppendReferences() {
    if (input_.references.empty())
      return;
    out_.append("  <ItemGroup>\n");
    for (const ProjectReference& reference : input_.references) {
      out_.append("    <ProjectReference Include=\"");
      out_.append(Value(reference.include)).append("\">\n");
      AppendElement("      ", "Project", "{" + reference.guid + "}", &out_);
      out_.append("    </ProjectReference>\n");
    }
    out_.append("  </ItemGroup>\n");
  }

  const ProjectFileInput& input_;
  std::vector<ResolvedConfiguration> resolved_;
  std::string out_;
};

}  // namespace

ConfigurationKind KindOf(const ResolvedConfiguration& resolved) {
  ConfigurationKind kind;
  kind.subsystem = resolved.windowsSubsystem ? "Windows" : "Console";
  switch (resolved.kind) {
    case TargetKind::kStaticLibrary:
      kind.configurationType = "StaticLibrary";
      kind.extension = ".lib";
      break;
    case TargetKind::kSharedLibrary:
      kind.configurationType = "DynamicLibrary";
      kind.extension = ".dll";
      break;
    case TargetKind::kWindowsProgram:
    case TargetKind::kConsoleProgram:
      break;
  }
  return kind;
}

bool IsDebugConfigurationName(const std::string& name) {
  return ToLowerAscii(name).find("debug") != std::string::npos;
}

std::string FormatProjectFile(const ProjectFileInput& input) {
  return ProjectFileFormatter(input).Format();
}

std::string FormatFiltersFile(const ProjectItems& items) {
  std::string out;
  out.append("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
  out.append("<Project ToolsVersion=\"4.0\" xmlns=\"");
  out.append(kNamespace).append("\">\n");
  if (!items.filters.empty()) {
    out.append("  <ItemGroup>\n");
    for (const std::string& filter : items.filters) {
      out.append("    <Filter Include=\"")
          .append(Value(filter))
          .append("\">\n");
      AppendElement("      ", "UniqueIdentifier",
                    "{" + MakeGuid("filter:" + filter) + "}", &out);
      out.append("    </Filter>\n");
    }
    out.append("  </ItemGroup>\n");
  }
  for (ItemKind kind :
       {ItemKind::kCustomBuild, ItemKind::kClCompile, ItemKind::kClInclude,
        ItemKind::kResourceCompile, ItemKind::kNone}) {
    bool any = false;
    for (const ProjectItem& item : items.items) {
      if (item.kind != kind)
        continue;
      if (!any)
        out.append("  <ItemGroup>\n");
      any = true;
      const char* name = ItemKindName(kind);
      out.append("    <").append(name).append(" Include=\"");
      AppendItemValue(item.include, &out);
      if (item.filter.empty()) {
        out.append("\" />\n");
        continue;
      }
      out.append("\">\n");
      AppendElement("      ", "Filter", Value(item.filter), &out);
      out.append("    </").append(name).append(">\n");
    }
    if (any)
      out.append("  </ItemGroup>\n");
  }
  out.append("</Project>\n");
  return out;
}
