#include "exporters/vc17/project_file_writer.h"

#include "base/path.h"
#include "base/text.h"
#include "exporters/vc17/msbuild_escape.h"
#include "exporters/vc17/msbuild_path.h"
#include "exporters/vs_common/guid.h"
#include "exporters/vs_common/xml_text.h"
#include "model/model.h"

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
// the same), each entry passed through `convert`.
template <typename Convert>
std::vector<std::string> Entries(const TextList& base,
                                 const TextList& config,
                                 bool same,
                                 Convert convert) {
  std::vector<std::string> entries;
  for (const std::string& entry : base)
    entries.push_back(convert(entry));
  if (!same) {
    for (const std::string& entry : config)
      entries.push_back(convert(entry));
  }
  return entries;
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
    out_.append("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    out_.append("<Project DefaultTargets=\"Build\" xmlns=\"");
    out_.append(kNamespace).append("\">\n");
    AppendProjectConfigurations();
    AppendGlobals();
    out_.append(
        "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.Default.props\" "
        "/>\n");
    for (const PlannedConfiguration& planned : input_.configurations)
      AppendConfigurationGroup(planned);
    out_.append(
        "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.props\" />\n");
    out_.append("  <ImportGroup Label=\"ExtensionSettings\">\n");
    out_.append("  </ImportGroup>\n");
    for (const PlannedConfiguration& planned : input_.configurations)
      AppendPropertySheets(planned);
    out_.append("  <PropertyGroup Label=\"UserMacros\" />\n");
    for (const PlannedConfiguration& planned : input_.configurations)
      AppendOutputGroup(planned);
    for (const PlannedConfiguration& planned : input_.configurations)
      AppendItemDefinitions(planned);
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

  void AppendConfigurationGroup(const PlannedConfiguration& planned) {
    ConfigurationKind kind = KindOf(*planned.base, *planned.config);
    out_.append("  <PropertyGroup").append(Condition(*planned.config));
    out_.append(" Label=\"Configuration\">\n");
    AppendElement("    ", "ConfigurationType", kind.configurationType, &out_);
    AppendElement("    ", "PlatformToolset", "v143", &out_);
    AppendElement("    ", "CharacterSet", "MultiByte", &out_);
    out_.append("  </PropertyGroup>\n");
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

  void AppendOutputGroup(const PlannedConfiguration& planned) {
    const Configuration& base = *planned.base;
    const Configuration& config = *planned.config;
    ConfigurationKind kind = KindOf(base, config);

    std::string outDir = "$(SolutionDir)out";
    if (!base.outDir.empty())
      outDir = Rebased(base.outDir);
    if (!config.outDir.empty())
      outDir = Rebased(config.outDir);
    outDir = AsDirectory(outDir);

    // A directory part of the output file lies below the output directory.
    std::string outFile =
        config.outFile.empty() ? base.outFile : config.outFile;
    outFile = DecodeXmlReferences(outFile);
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

  void AppendItemDefinitions(const PlannedConfiguration& planned) {
    const Configuration& base = *planned.base;
    const Configuration& config = *planned.config;
    const bool same = &base == &config;
    ConfigurationKind kind = KindOf(base, config);
    auto setting = [](const std::string& text) { return SettingValue(text); };
    auto path = [this](const std::string& text) {
      return Value(Rebased(text));
    };
    // A library given with a directory is a path; a bare name is found
    // through the library directories and stays as written.
    auto library = [this](const std::string& text) {
      return ContainsSeparator(text) ? Value(Rebased(text))
                                     : SettingValue(text);
    };

    out_.append("  <ItemDefinitionGroup").append(Condition(config));
    out_.append(">\n");

    out_.append("    <ClCompile>\n");
    AppendElement("      ", "WarningLevel", "Level3", &out_);
    AppendElement("      ", "Optimization", "Custom", &out_);
    AppendList("PreprocessorDefinitions",
               Entries(base.defines, config.defines, same, setting), ";",
               &out_);
    AppendList(
        "AdditionalIncludeDirectories",
        Entries(base.searchPaths.header, config.searchPaths.header, same, path),
        ";", &out_);
    AppendList("AdditionalOptions",
               Entries(base.cflags, config.cflags, same, setting), " ", &out_);
    bool exceptions = config.exceptionHandlingSet ? config.exceptionHandling
                                                  : base.exceptionHandling;
    AppendElement("      ", "ExceptionHandling", exceptions ? "Sync" : "false",
                  &out_);
    out_.append("    </ClCompile>\n");

    bool is_library = std::string(kind.configurationType) == "StaticLibrary";
    const char* tool = is_library ? "Lib" : "Link";
    out_.append("    <").append(tool).append(">\n");
    if (!is_library)
      AppendElement("      ", "SubSystem", kind.subsystem, &out_);
    AppendList("AdditionalDependencies",
               Entries(base.libraries, config.libraries, same, library), ";",
               &out_);
    AppendList("AdditionalLibraryDirectories",
               Entries(base.searchPaths.library, config.searchPaths.library,
                       same, path),
               ";", &out_);
    AppendList("AdditionalOptions",
               Entries(base.lflags, config.lflags, same, setting), " ", &out_);
    if (std::string(kind.configurationType) == "DynamicLibrary") {
      const std::string& impDir =
          config.impDir.empty() ? base.impDir : config.impDir;
      if (!impDir.empty()) {
        AppendElement("      ", "ImportLibrary",
                      Value(AsDirectory(Rebased(impDir)) + "$(TargetName).lib"),
                      &out_);
      }
    }
    if (!is_library && config.disableDefaultManifest)
      AppendElement("      ", "GenerateManifest", "false", &out_);
    out_.append("    </").append(tool).append(">\n");

    // An event set on the target serves every configuration without one.
    auto event = [&](const std::string& own, const std::string& inherited) {
      return own.empty() ? inherited : own;
    };
    AppendEvent("PreBuildEvent",
                event(config.preBuildEvent, base.preBuildEvent));
    AppendEvent("PreLinkEvent", event(config.preLinkEvent, base.preLinkEvent));
    AppendEvent("PostBuildEvent",
                event(config.postBuildEvent, base.postBuildEvent));
    out_.append("  </ItemDefinitionGroup>\n");
  }

  void AppendEvent(const char* name, const std::string& command) {
    if (command.empty())
      return;
    out_.append("    <").append(name).append(">\n");
    AppendElement("      ", "Command", SettingValue(command), &out_);
    out_.append("    </").append(name).append(">\n");
  }

  void AppendItems() {
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
        out_.append(ItemValue(item.include)).append("\" />\n");
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
  std::string out_;
};

// Applies one type text to `kind`; a text that names no type changes
// nothing.
void ApplyType(const std::string& type, ConfigurationKind* kind) {
  if (EqualsNoCase(type, "lib")) {
    kind->configurationType = "StaticLibrary";
    kind->extension = ".lib";
  } else if (EqualsNoCase(type, "dll") || EqualsNoCase(type, "shared_lib")) {
    kind->configurationType = "DynamicLibrary";
    kind->extension = ".dll";
  } else if (EqualsNoCase(type, "exe") || EqualsNoCase(type, "app")) {
    kind->configurationType = "Application";
    kind->extension = ".exe";
    kind->subsystem = "Windows";
  } else if (EqualsNoCase(type, "console")) {
    kind->configurationType = "Application";
    kind->extension = ".exe";
    kind->subsystem = "Console";
  }
}

}  // namespace

ConfigurationKind KindOf(const Configuration& base,
                         const Configuration& config) {
  ConfigurationKind kind;
  ApplyType(base.type, &kind);
  ApplyType(config.type, &kind);
  return kind;
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
  for (ItemKind kind : {ItemKind::kClCompile, ItemKind::kClInclude,
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
      out.append(ItemValue(item.include));
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
