#include "exporters/vc17/project_file_writer.h"

#include <gtest/gtest.h>

#include "exporters/vs_common/guid.h"
#include "model/model.h"
#include "model/resolved_configuration.h"

namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The text between the first `open` after `start` and the next `close`.
std::string Between(const std::string& text,
                    const std::string& open,
                    const std::string& close,
                    size_t start = 0) {
  size_t from = text.find(open, start);
  if (from == std::string::npos)
    return "<missing " + open + ">";
  from += open.size();
  return text.substr(from, text.find(close, from) - from);
}

class VC17ProjectFileTest : public testing::Test {
 protected:
  VC17ProjectFileTest() : project_("P"), target_("app", &project_) {
    input_.target = &target_;
    input_.platform = "x64";
    input_.currentDirectory = "/w";
    input_.directory = "/w/vc";
  }

  Configuration& Add(const std::string& name, const char* type) {
    Configuration& config = target_.FindOrCreateConfiguration(
        name, type ? std::optional<std::string>(type) : std::nullopt);
    input_.configurations.push_back({&target_.DefaultConfiguration(), &config});
    return config;
  }

  std::string Format() { return FormatProjectFile(input_); }

  Project project_;
  Target target_;
  ProjectFileInput input_;
};

TEST_F(VC17ProjectFileTest, TypesFollowTheVc8Table) {
  Configuration base("default");
  Configuration config("Debug");
  auto kind = [&](const char* base_type, const char* type) {
    base.type = base_type;
    config.type = type;
    ConfigurationKind k = KindOf(ResolveConfiguration(target_, base, config));
    return std::string(k.configurationType) + " " + k.extension + " " +
           k.subsystem;
  };
  EXPECT_EQ("Application .exe Console", kind("", ""));
  EXPECT_EQ("StaticLibrary .lib Console", kind("", "LIB"));
  EXPECT_EQ("DynamicLibrary .dll Console", kind("", "dll"));
  EXPECT_EQ("DynamicLibrary .dll Console", kind("", "Shared_Lib"));
  EXPECT_EQ("Application .exe Windows", kind("", "exe"));
  EXPECT_EQ("Application .exe Windows", kind("", "app"));
  EXPECT_EQ("Application .exe Console", kind("exe", "console"));
  // The subsystem of the base stays with a library type, unknown texts
  // change nothing.
  EXPECT_EQ("DynamicLibrary .dll Windows", kind("exe", "dll"));
  EXPECT_EQ("StaticLibrary .lib Console", kind("lib", "plugin"));
}

TEST_F(VC17ProjectFileTest, OutputDirectoryAndFile) {
  Add("Debug", "exe");
  Configuration& release = Add("Release", "dll");
  release.outDir = "bin/release";
  release.outFile = "../plugins/tool";
  Configuration& profile = Add("Profile", "lib");
  profile.outFile = "core.1";
  std::string text = Format();
  // No output directory: one per platform and configuration, as Visual
  // Studio's templates have it, so no configuration overwrites another.
  EXPECT_TRUE(Has(text,
                  "    <OutDir>$(SolutionDir)$(Platform)\\$(Configuration)\\"
                  "</OutDir>\n"
                  "    <IntDir>build\\$(Platform)\\$(ProjectName)\\$("
                  "Configuration)\\</IntDir>\n"
                  "    <TargetName>app</TargetName>\n"
                  "    <TargetExt>.exe</TargetExt>\n"))
      << text;
  // A directory part of the output file goes below the output directory,
  // which is relative to the project file; the type's extension is added to
  // a name without one.
  EXPECT_TRUE(Has(text,
                  "    <OutDir>..\\bin\\release\\..\\plugins\\</OutDir>\n"
                  "    <IntDir>build\\$(Platform)\\$(ProjectName)\\$("
                  "Configuration)\\</IntDir>\n"
                  "    <TargetName>tool</TargetName>\n"
                  "    <TargetExt>.dll</TargetExt>\n"))
      << text;
  EXPECT_TRUE(Has(text,
                  "    <TargetName>core</TargetName>\n"
                  "    <TargetExt>.1</TargetExt>\n"))
      << text;
}

TEST_F(VC17ProjectFileTest, SettingsOfTheBaseComeFirstAndOnlyOnce) {
  Configuration& base = target_.DefaultConfiguration();
  base.defines = {"BASE"};
  base.searchPaths.header = {"include"};
  base.cflags = {"/W4"};
  base.exceptionHandling = false;
  Configuration& debug = Add("Debug", "console");
  debug.defines = {"DEBUG"};
  debug.lflags = {"/DEBUG"};
  debug.libraries = {"ws2_32.lib", "../ext/zlib.lib"};
  debug.searchPaths.library = {"/opt/lib", "$(SDK)/lib"};
  debug.preBuildEvent = "echo pre";
  base.preBuildEvent = "echo overridden";
  base.postBuildEvent = "echo from the target";
  std::string text = Format();
  std::string group =
      Between(text, "<ItemDefinitionGroup", "</ItemDefinitionGroup>");
  EXPECT_EQ("BASE;DEBUG;%(PreprocessorDefinitions)",
            Between(group, "<PreprocessorDefinitions>", "<"));
  EXPECT_EQ("..\\include;%(AdditionalIncludeDirectories)",
            Between(group, "<AdditionalIncludeDirectories>", "<"));
  EXPECT_EQ("/W4 %(AdditionalOptions)",
            Between(group, "<AdditionalOptions>", "<"));
  EXPECT_EQ("false", Between(group, "<ExceptionHandling>", "<"));
  EXPECT_EQ("Console", Between(group, "<SubSystem>", "<"));
  EXPECT_EQ("ws2_32.lib;..\\..\\ext\\zlib.lib;%(AdditionalDependencies)",
            Between(group, "<AdditionalDependencies>", "<"));
  EXPECT_EQ("/opt/lib;$(SDK)/lib;%(AdditionalLibraryDirectories)",
            Between(group, "<AdditionalLibraryDirectories>", "<"));
  EXPECT_EQ("/DEBUG %(AdditionalOptions)",
            Between(group, "<AdditionalOptions>", "<", group.find("<Link>")));
  // An event set on the target serves the configurations without their own.
  EXPECT_EQ("echo pre",
            Between(group, "<PreBuildEvent>\n      <Command>", "<"));
  EXPECT_EQ("echo from the target",
            Between(group, "<PostBuildEvent>\n      <Command>", "<"));
  EXPECT_FALSE(Has(text, "overridden"));
  EXPECT_FALSE(Has(text, "GenerateManifest"));

  // The first configuration written on its own counts once.
  input_.configurations = {{&base, &base}};
  text = Format();
  EXPECT_EQ("BASE;%(PreprocessorDefinitions)",
            Between(text, "<PreprocessorDefinitions>", "<"));
  EXPECT_EQ("echo overridden", Between(text, "<Command>", "<"));
}

TEST_F(VC17ProjectFileTest, LibrariesDllsAndManifests) {
  Configuration& lib = Add("Lib", "lib");
  lib.lflags = {"/LTCG"};
  lib.disableDefaultManifest = true;
  Configuration& dll = Add("Dll", "dll");
  dll.impDir = "implib";
  dll.disableDefaultManifest = true;
  std::string text = Format();
  std::string lib_group =
      Between(text, "'Lib|x64'\">\n    <ClCompile>", "</ItemDefinitionGroup>");
  EXPECT_TRUE(Has(lib_group,
                  "<Lib>\n      <AdditionalOptions>/LTCG "
                  "%(AdditionalOptions)</AdditionalOptions>\n    </Lib>"))
      << lib_group;
  EXPECT_FALSE(Has(lib_group, "SubSystem"));
  EXPECT_FALSE(Has(lib_group, "GenerateManifest"));
  std::string dll_group =
      Between(text, "'Dll|x64'\">\n    <ClCompile>", "</ItemDefinitionGroup>");
  EXPECT_TRUE(
      Has(dll_group,
          "<ImportLibrary>..\\implib\\$(TargetName).lib</ImportLibrary>"))
      << dll_group;
  EXPECT_TRUE(Has(dll_group, "<GenerateManifest>false</GenerateManifest>"));
}

TEST_F(VC17ProjectFileTest, ValuesAreEscapedForMsBuildAndXml) {
  target_.name = "Fish&Chips-\xC3\xBC";
  Configuration& config = Add("Debug & <Test>", "console");
  config.defines = {"FMT=\"%d;%s\"", "Q=&quot;x&quot;", "E=caf\xE9"};
  config.cflags = {"-Wl,-rpath,'$$ORIGIN'"};
  config.postBuildEvent = "copy \"$(TargetPath)\" %OUT% & echo <done>";
  input_.items.items = {{ItemKind::kClCompile, "..\\a;b%.cpp", "", {}},
                        {ItemKind::kClCompile,
                         "$([System.IO.File]::ReadAllText(\"C:\\s.txt\")).cpp",
                         "",
                         {}},
                        {ItemKind::kClCompile, "nl\nx\ty.cpp", "", {}}};
  input_.references = {{"..\\x@y\\core.vcxproj", "0000"}};
  std::string text = Format();
  EXPECT_TRUE(Has(
      text, "<ProjectConfiguration Include=\"Debug &amp; &lt;Test&gt;|x64\">"));
  EXPECT_TRUE(Has(text, "=='Debug &amp; &lt;Test&gt;|x64'"));
  EXPECT_TRUE(
      Has(text, "<RootNamespace>Fish&amp;Chips-\xC3\xBC</RootNamespace>"));
  EXPECT_EQ(
      "FMT=&quot;%25d%3B%25s&quot;;Q=&quot;x&quot;;E=caf\xC3\xA9;%("
      "PreprocessorDefinitions)",
      Between(text, "<PreprocessorDefinitions>", "<"));
  EXPECT_EQ("-Wl,-rpath,%27%24%24ORIGIN%27 %(AdditionalOptions)",
            Between(text, "<AdditionalOptions>", "<"));
  EXPECT_EQ("copy &quot;$(TargetPath)&quot; %25OUT%25 &amp; echo &lt;done&gt;",
            Between(text, "<Command>", "<"));
  EXPECT_TRUE(Has(text, "<ClCompile Include=\"..\\a%3Bb%25.cpp\" />"));
  // A name found on disk never runs a property function, and its line
  // breaks and tabs survive the attribute.
  EXPECT_TRUE(Has(text,
                  "<ClCompile Include=\"%24([System.IO.File]::ReadAllText("
                  "&quot;C:\\s.txt&quot;)).cpp\" />"));
  EXPECT_TRUE(Has(text, "<ClCompile Include=\"nl&#xA;x&#x9;y.cpp\" />"));
  EXPECT_TRUE(Has(text,
                  "<ProjectReference Include=\"..\\x%40y\\core.vcxproj\">\n"
                  "      <Project>{0000}</Project>"));
}

TEST(VC17FiltersFileTest, ItemsUnderTheirFilters) {
  ProjectItems items;
  items.filters = {"Source", "Source\\a;b"};
  items.items = {{ItemKind::kClInclude, "x.h", "Source\\a;b", {}},
                 {ItemKind::kClCompile, "x.cpp", "Source", {}},
                 {ItemKind::kNone, "notes.txt", "", {}}};
  EXPECT_EQ(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<Project ToolsVersion=\"4.0\" "
      "xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\n"
      "  <ItemGroup>\n"
      "    <Filter Include=\"Source\">\n"
      "      <UniqueIdentifier>{" +
          MakeGuid("filter:Source") +
          "}</UniqueIdentifier>\n"
          "    </Filter>\n"
          "    <Filter Include=\"Source\\a%3Bb\">\n"
          "      <UniqueIdentifier>{" +
          MakeGuid("filter:Source\\a;b") +
          "}</UniqueIdentifier>\n"
          "    </Filter>\n"
          "  </ItemGroup>\n"
          "  <ItemGroup>\n"
          "    <ClCompile Include=\"x.cpp\">\n"
          "      <Filter>Source</Filter>\n"
          "    </ClCompile>\n"
          "  </ItemGroup>\n"
          "  <ItemGroup>\n"
          "    <ClInclude Include=\"x.h\">\n"
          "      <Filter>Source\\a%3Bb</Filter>\n"
          "    </ClInclude>\n"
          "  </ItemGroup>\n"
          "  <ItemGroup>\n"
          "    <None Include=\"notes.txt\" />\n"
          "  </ItemGroup>\n"
          "</Project>\n",
      FormatFiltersFile(items));
}

}  // namespace

TEST_F(VC17ProjectFileTest, NeutralSettingsAndTheTemplatesDefaults) {
  Configuration& debug = Add("Debug", "console");
  Add("Release", "console");
  Configuration& tuned = Add("Tuned", "console");
  tuned.neutral.optimize = "size";
  tuned.neutral.debugInfo = "none";
  tuned.neutral.cxxStandard = "c++20";
  tuned.neutral.cStandard = "c11";
  tuned.neutral.warnings = "high";
  tuned.neutral.warningsAsErrors = "true";
  tuned.neutral.runtime = "static";
  debug.libraries = {"gtest", "zlib.lib", "sub/x"};
  std::string text = Format();
  auto group = [&](const std::string& name) {
    size_t at = text.find(
        "<ItemDefinitionGroup Condition=\"'$(Configuration)"
        "|$(Platform)'=='" +
        name);
    return text.substr(at, text.find("</ItemDefinitionGroup>", at) - at);
  };
  // A debug configuration as Visual Studio makes one, a release one alike.
  EXPECT_EQ(Between(group("Debug"), "<Optimization>", "<"), "Disabled");
  EXPECT_EQ(Between(group("Debug"), "<DebugInformationFormat>", "<"),
            "ProgramDatabase");
  EXPECT_EQ(Between(group("Release"), "<Optimization>", "<"), "MaxSpeed");
  EXPECT_EQ(Between(group("Release"), "<OptimizeReferences>", "<"), "true");
  EXPECT_TRUE(Has(text, "<UseDebugLibraries>true</UseDebugLibraries>"));
  EXPECT_TRUE(Has(text, "<UseDebugLibraries>false</UseDebugLibraries>"));
  // What the description says, mapped.
  const std::string own = group("Tuned");
  EXPECT_EQ(Between(own, "<Optimization>", "<"), "MinSpace");
  EXPECT_EQ(Between(own, "<DebugInformationFormat>", "<"), "None");
  EXPECT_EQ(Between(own, "<GenerateDebugInformation>", "<"), "false");
  EXPECT_EQ(Between(own, "<LanguageStandard>", "<"), "stdcpp20");
  EXPECT_EQ(Between(own, "<LanguageStandard_C>", "<"), "stdc11");
  EXPECT_EQ(Between(own, "<WarningLevel>", "<"), "Level4");
  EXPECT_EQ(Between(own, "<TreatWarningAsError>", "<"), "true");
  EXPECT_EQ(Between(own, "<RuntimeLibrary>", "<"), "MultiThreaded");
  // A library without an extension is a .lib, not an object file.
  EXPECT_EQ(Between(group("Debug"), "<AdditionalDependencies>", "<"),
            "gtest.lib;zlib.lib;..\\sub\\x;%(AdditionalDependencies)");
}
