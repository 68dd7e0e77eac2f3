#include "exporters/ninja/build_graph.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/model.h"

namespace {

// Search results as a file search reports them.
std::vector<FileMatch> Found(std::initializer_list<const char*> paths) {
  std::vector<FileMatch> matches;
  for (const char* path : paths)
    matches.push_back({path});
  return matches;
}

using Paths = std::vector<std::string>;

class BuildGraphTest : public ::testing::Test {
 protected:
  Target& AddTarget(Project& project,
                    const std::string& name,
                    const std::string& type) {
    auto target = std::make_unique<Target>(name, &project);
    Target& added = *target;
    for (const char* configuration : {"Debug", "Release"}) {
      Configuration& made =
          added.FindOrCreateConfiguration(configuration, type);
      made.outDir = std::string("out/") + configuration;
    }
    project.AddTarget(std::move(target));
    return added;
  }

  const BuildUnit& Unit(const std::string& target,
                        const std::string& configuration = "Debug") {
    for (const BuildUnit& unit : graph_.units) {
      if (unit.target == target && unit.configuration == configuration)
        return unit;
    }
    ADD_FAILURE() << "no unit " << target << " " << configuration;
    return graph_.units.front();
  }

  // What a unit links, as paths in link order.
  Paths Linked(const BuildUnit& unit) {
    Paths paths = unit.linkFiles;
    for (size_t index : unit.linkUnits)
      paths.push_back(graph_.units[index].output);
    paths.insert(paths.end(), unit.dependencyLinkFiles.begin(),
                 unit.dependencyLinkFiles.end());
    return paths;
  }
  Paths Outputs(const std::vector<size_t>& units) {
    Paths paths;
    for (size_t index : units)
      paths.push_back(graph_.units[index].output);
    return paths;
  }

  bool Resolve(const Project& project) {
    BuildGraphOptions options;
    options.buildDirectory = "/work/build";
    error_.clear();
    return ResolveBuildGraph(project, options, &graph_, &error_);
  }

  Project project_{"p"};
  BuildGraph graph_;
  std::string error_;
};

}  // namespace

TEST(ClassifySourceTest, ByTheLastExtensionOfTheFileName) {
  EXPECT_EQ(ClassifySource("a/x.c"), SourceKind::kC);
  EXPECT_EQ(ClassifySource("x.S"), SourceKind::kAssembler);
  EXPECT_EQ(ClassifySource("x.s"), SourceKind::kAssembler);
  for (const char* path : {"x.cpp", "x.cc", "x.cxx", "x.c++", "x.C"})
    EXPECT_EQ(ClassifySource(path), SourceKind::kCxx) << path;
  for (const char* path : {"l.a", "l.lib", "l.so"})
    EXPECT_EQ(ClassifySource(path), SourceKind::kLinkInput) << path;
  // Where make's substring test goes wrong.
  for (const char* path : {"x.h", "x.cpp.bak", "x.asm", "dir.c/README", "x"})
    EXPECT_EQ(ClassifySource(path), SourceKind::kOther) << path;
}

TEST_F(BuildGraphTest, StaticLibrariesLinkTransitivelyInDependencyOrder) {
  Target& app = AddTarget(project_, "app", "");
  Target& top = AddTarget(project_, "top", "LIB");
  Target& left = AddTarget(project_, "left", "LIB");
  AddTarget(project_, "right", "LIB");
  AddTarget(project_, "base", "LIB");
  app.AddDependency("top");
  app.AddDependency("unknown");
  top.AddDependency("left");
  top.AddDependency("right");
  left.AddDependency("base");
  left.AddFiles("Libraries", "", Found({"vendor/libv.a"}));
  project_.FindTarget("right")->AddDependency("base");
  ASSERT_TRUE(Resolve(project_)) << error_;
  EXPECT_EQ(Linked(Unit("app")),
            (Paths{"out/Debug/top.a", "out/Debug/left.a", "out/Debug/right.a",
                   "out/Debug/base.a", "vendor/libv.a"}));
  // An archive links nothing, but its goal builds what it needs through
  // the goals of what it depends on, so that no edge lists a whole chain.
  EXPECT_TRUE(Linked(Unit("top")).empty());
  EXPECT_EQ(Outputs(Unit("top").goalUnits),
            (Paths{"out/Debug/left.a", "out/Debug/right.a"}));
  EXPECT_EQ(Outputs(Unit("left").goalUnits), (Paths{"out/Debug/base.a"}));
  EXPECT_TRUE(Unit("base").goal);
}

TEST_F(BuildGraphTest,
       ProgramsAreOrderedNotLinkedAndSharedLibrariesRunInPlace) {
  Target& app = AddTarget(project_, "app", "");
  AddTarget(project_, "gen", "");
  Target& plugin = AddTarget(project_, "plugin", "SHARED_LIB");
  plugin.FindConfiguration("Debug")->outDir = "out/Debug/plugins";
  app.AddDependency("gen");
  app.AddDependency("plugin");
  ASSERT_TRUE(Resolve(project_)) << error_;
  const BuildUnit& unit = Unit("app");
  EXPECT_EQ(Linked(unit), (Paths{"out/Debug/plugins/plugin.so"}));
  EXPECT_EQ(Outputs(unit.orderOnlyUnits), (Paths{"out/Debug/gen"}));
  EXPECT_EQ(unit.libs, "'-Wl,-rpath,$ORIGIN/plugins'");
}

TEST_F(BuildGraphTest, FlagsFollowMakesLayering) {
  Target& app = AddTarget(project_, "app", "");
  Configuration& defaults = app.DefaultConfiguration();
  defaults.AddDefine("BASE");
  defaults.AddSearchPath("inc", kHeaderPath);
  defaults.AddCFlag("-Wall");
  defaults.AddLibrary("m");
  defaults.AddSearchPath("/opt/lib", kLibraryPath);
  defaults.AddLFlag("-Wl,-rpath,'$$ORIGIN/x'");
  Configuration& debug = *app.FindConfiguration("Debug");
  debug.AddDefine("DEBUG");
  debug.AddCFlag("-g\n  -O0");
  debug.AddLibrary("dl");
  debug.AddLibrary("m");
  ASSERT_TRUE(Resolve(project_)) << error_;
  EXPECT_EQ(Unit("app").cflags, "-DBASE -Iinc -Wall -DDEBUG -g   -O0");
  // Each library once, where it is first named.
  EXPECT_EQ(Unit("app").libs, "-L/opt/lib -lm -Wl,-rpath,'$ORIGIN/x' -ldl");
  // A hidden default configuration contributes nothing, as in make.
  defaults.show = false;
  ASSERT_TRUE(Resolve(project_)) << error_;
  EXPECT_EQ(Unit("app").cflags, "-DDEBUG -g   -O0");
}

TEST_F(BuildGraphTest, SharedLibrariesCompilePositionIndependentCode) {
  Target& shared = AddTarget(project_, "shared", "SHARED_LIB");
  shared.FindConfiguration("Debug")->neutral.optimize = "none";
  shared.FindConfiguration("Debug")->AddCFlag("-fno-pic");
  AddTarget(project_, "archive", "LIB");
  AddTarget(project_, "app", "");
  ASSERT_TRUE(Resolve(project_)) << error_;
  // After the neutral flags and before the author's, who may still say
  // otherwise; static libraries and programs keep the compiler's default.
  EXPECT_EQ(Unit("shared").cflags, "-O0 -fPIC -fno-pic");
  EXPECT_EQ(Unit("shared", "Release").cflags, "-fPIC");
  EXPECT_EQ(Unit("archive").cflags, "");
  EXPECT_EQ(Unit("app").cflags, "");
}

TEST_F(BuildGraphTest, NamesAndPathsStayOneShellWordEventsFillIn) {
  Target& lib = AddTarget(project_, "lib", "SHARED_LIB");
  Configuration& defaults = lib.DefaultConfiguration();
  defaults.AddSearchPath("my dir", kHeaderPath);
  defaults.AddSearchPath("$(SDK)/lib", kLibraryPath);
  defaults.AddLibrary("x;touch PWNED");
  defaults.preBuildEvent = "generate\n  headers";
  lib.FindConfiguration("Release")->preBuildEvent = "own";
  ASSERT_TRUE(Resolve(project_)) << error_;
  EXPECT_EQ(Unit("lib").cflags, "-fPIC -I'my dir'");
  EXPECT_EQ(Unit("lib").libs, "-L'$(SDK)/lib' -l'x;touch PWNED'");
  // An event set on the target serves the configurations without one.
  EXPECT_EQ(Unit("lib").preBuild, "generate && headers");
  EXPECT_EQ(Unit("lib", "Release").preBuild, "own");
}

TEST_F(BuildGraphTest, NamesFoundOnDiskAreData) {
  Target& app = AddTarget(project_, "app", "");
  app.AddFiles("Source", "", Found({"@rsp.cpp", "-fplugin=x.cpp", "-l.a"}));
  app.AddFiles("Source", "src",
               Found({"x|y.cpp", "nl\nx.cpp", "bad\xff.cpp", "c:d.cpp",
                      "\\bs.cpp", "sub/../a.cpp", "./a.cpp"}));
  app.AddFiles("Source", "src", {FileMatch{"dir.cpp", true}});
  ASSERT_TRUE(Resolve(project_)) << error_;
  const BuildUnit& unit = Unit("app");
  Paths sources;
  for (const CompileStep& step : *unit.compiles)
    sources.push_back(step.source);
  // A name that looks absolute stays below its root; a directory is never
  // compiled; one file in two spellings is compiled once.
  EXPECT_EQ(sources, (Paths{"@rsp.cpp", "-fplugin=x.cpp", "src/c:d.cpp",
                            "src/\\bs.cpp", "src/a.cpp"}));
  EXPECT_EQ(graph_.warnings,
            (Paths{"target \"app\": \"src/x|y.cpp\" is left out of the ninja "
                   "output: it holds \"|\", which ninja cannot carry",
                   "target \"app\": \"src/nl?x.cpp\" is left out of the ninja "
                   "output: it holds a line break, which ninja cannot carry",
                   "target \"app\": \"src/bad\xff.cpp\" is left out of the "
                   "ninja output: it is not UTF-8, which ninja cannot carry"}));
  // A library whose path reads as an option is linked as "./-l.a".
  EXPECT_TRUE(unit.linkFiles.empty());
  EXPECT_EQ(unit.implicitInputs, (Paths{"-l.a"}));
  EXPECT_EQ(unit.libs, "./-l.a");
}

TEST_F(BuildGraphTest, PathsLeadFromTheExportDirectory) {
  Target& app = AddTarget(project_, "app", "");
  app.AddFiles("Source", "src", Found({"main.cpp"}));
  app.DefaultConfiguration().AddSearchPath("include", kHeaderPath);
  BuildGraphOptions options;
  options.buildDirectory = "/work/out";
  options.baseDirectory = "/work";
  ASSERT_TRUE(ResolveBuildGraph(project_, options, &graph_, &error_));
  EXPECT_EQ(Unit("app").compiles->at(0).source, "../src/main.cpp");
  EXPECT_EQ(Unit("app").cflags, "-I../include");
  // Outputs are where make would put them: below the build directory.
  EXPECT_EQ(Unit("app").output, "out/Debug/app");
}

TEST_F(BuildGraphTest, SourcesMapToDistinctObjectsOnce) {
  Target& app = AddTarget(project_, "app", "");
  app.AddFiles("Source", "../src",
               Found({"a.c", "a.cpp", "one/x.cpp", "two/x.cpp", "a.h", "a.c"}));
  app.AddFiles("Source", "", Found({"./a.c", "lib/libv.a"}));
  ASSERT_TRUE(Resolve(project_)) << error_;
  const BuildUnit& unit = Unit("app");
  Paths objects;
  for (const CompileStep& step : *unit.compiles)
    objects.push_back(unit.ObjectPath(step));
  EXPECT_EQ(objects,
            (Paths{"obj/app_Debug/__/src/a.c.o", "obj/app_Debug/__/src/a.cpp.o",
                   "obj/app_Debug/__/src/one/x.cpp.o",
                   "obj/app_Debug/__/src/two/x.cpp.o", "obj/app_Debug/a.c.o"}));
  EXPECT_EQ((*unit.compiles)[1].kind, SourceKind::kCxx);
  // The configurations of a target share its compiles.
  EXPECT_EQ(Unit("app", "Release").compiles, unit.compiles);
  EXPECT_EQ(Linked(unit), (Paths{"lib/libv.a"}));
}

TEST_F(BuildGraphTest, ImportedTargetsLiveUnderTheirImportPath) {
  Project other("other");
  Target& lib = AddTarget(other, "lib", "LIB");
  lib.importPath = "../ext/";
  lib.exportDir = "build";
  lib.AddFiles("Source", "../src", Found({"lib.c"}));
  lib.DefaultConfiguration().AddSearchPath("../src", kHeaderPath);
  lib.DefaultConfiguration().AddSearchPath("/usr/include", kHeaderPath);
  project_.AddImportedTarget(&lib);
  Target& app = AddTarget(project_, "app", "");
  app.AddDependency("lib");
  ASSERT_TRUE(Resolve(project_)) << error_;
  const BuildUnit& unit = Unit("lib");
  EXPECT_TRUE(unit.imported);
  EXPECT_EQ(unit.output, "../ext/build/out/Debug/lib.a");
  // Its paths start at its import root, its outputs lie where its own
  // make would run.
  EXPECT_EQ(unit.compiles->at(0).source, "../src/lib.c");
  EXPECT_EQ(unit.ObjectPath(unit.compiles->at(0)),
            "../ext/build/obj/lib_Debug/__/src/lib.c.o");
  EXPECT_EQ(unit.cflags, "-I../src -I/usr/include");
  EXPECT_EQ(Linked(Unit("app")), (Paths{"../ext/build/out/Debug/lib.a"}));
}

TEST_F(BuildGraphTest, AMissingConfigurationIsMadeUpWithTheDependencysKind) {
  Target& app = AddTarget(project_, "app", "");
  auto only_debug = std::make_unique<Target>("core", &project_);
  only_debug->FindOrCreateConfiguration("Debug", std::string("LIB")).outDir =
      "lib";
  project_.AddTarget(std::move(only_debug));
  app.AddDependency("core");
  ASSERT_TRUE(Resolve(project_)) << error_;
  const BuildUnit& made = Unit("core", "Release");
  EXPECT_FALSE(made.built);
  EXPECT_EQ(made.kind, LinkKind::kStaticLibrary);
  // Without an output directory it gets one named after it.
  EXPECT_EQ(Linked(Unit("app", "Release")), (Paths{"Release/core.a"}));
  // The model is left as it was.
  EXPECT_EQ(project_.FindTarget("core")->configurations.size(), 2u);
}

TEST_F(BuildGraphTest, TwoStepsWritingOneFileAreRefusedByName) {
  Target& app = AddTarget(project_, "app", "");
  app.FindConfiguration("Release")->outDir = "out/Debug";
  EXPECT_FALSE(Resolve(project_));
  EXPECT_EQ(error_,
            "two build steps would write \"out/Debug/app\": target app in "
            "configuration Debug, and target app in configuration Release");
  app.FindConfiguration("Release")->outDir = "out/Release";
  AddTarget(project_, "Debug", "LIB").FindConfiguration("Debug")->outFile = "x";
  EXPECT_TRUE(Resolve(project_)) << error_;
  app.FindConfiguration("Debug")->outFile = "../../Debug";
  app.FindConfiguration("Debug")->outDir = "a/b";
  EXPECT_FALSE(Resolve(project_));
  EXPECT_NE(error_.find("the goal of configuration Debug"), std::string::npos)
      << error_;
}

TEST_F(BuildGraphTest, ObjectsClashingWithObjectsOrOutputsAreRefused) {
  Target& app = AddTarget(project_, "app", "");
  // "../x.c" becomes "__/x.c.o", as does a real "__/x.c".
  app.AddFiles("Source", "", Found({"../x.c", "__/x.c"}));
  EXPECT_FALSE(Resolve(project_));
  EXPECT_EQ(error_,
            "two build steps would write \"obj/app_Debug/__/x.c.o\": the "
            "object of ../x.c for target app in configuration Debug, and the "
            "object of __/x.c for target app in configuration Debug");
  app.RemoveFile("Source", "", "__/x.c");
  EXPECT_TRUE(Resolve(project_)) << error_;
  Target& lib = AddTarget(project_, "lib", "LIB");
  lib.FindConfiguration("Debug")->outDir = "obj/app_Debug/__";
  lib.FindConfiguration("Debug")->outFile = "x.c.o";
  EXPECT_FALSE(Resolve(project_));
  EXPECT_EQ(error_,
            "two build steps would write \"obj/app_Debug/__/x.c.o\": the "
            "object of ../x.c for target app in configuration Debug, and "
            "target lib in configuration Debug");
}

TEST_F(BuildGraphTest, TheConfigurationFilterChoosesWhatIsWritten) {
  AddTarget(project_, "app", "");
  AddTarget(project_, "lib", "LIB").FindConfiguration("Debug")->show = false;
  ASSERT_TRUE(Resolve(project_)) << error_;
  EXPECT_EQ(graph_.configurations, (Paths{"Debug", "Release"}));
  ASSERT_EQ(graph_.compileDatabaseUnits.size(), 2u);
  EXPECT_EQ(graph_.units[graph_.compileDatabaseUnits[0]].configuration,
            "Debug");
  // The first built configuration of each target.
  EXPECT_EQ(graph_.units[graph_.compileDatabaseUnits[1]].configuration,
            "Release");
  project_.configurationFilter = {"release"};
  ASSERT_TRUE(Resolve(project_)) << error_;
  EXPECT_EQ(graph_.configurations, (Paths{"Release"}));
  EXPECT_EQ(graph_.units.size(), 2u);
  EXPECT_EQ(graph_.units[graph_.compileDatabaseUnits[0]].configuration,
            "Release");
}

TEST_F(BuildGraphTest, NeutralAndPublicSettingsBecomeGccFlags) {
  Target& lib = AddTarget(project_, "lib", "LIB");
  lib.DefaultConfiguration().usage.defines = {"LIB_API"};
  lib.DefaultConfiguration().usage.searchPaths.header = {"lib/include"};
  lib.DefaultConfiguration().usage.libraries = {"z"};
  lib.DefaultConfiguration().usage.neutral.cxxStandard = "c++17";
  Target& app = AddTarget(project_, "app", "");
  app.AddDependency("lib");
  Configuration& debug = *app.FindConfiguration("Debug");
  debug.neutral.optimize = "none";
  debug.neutral.debugInfo = "full";
  debug.neutral.warnings = "extra";
  debug.neutral.warningsAsErrors = "true";
  debug.neutral.cStandard = "c11";
  debug.neutral.runtime = "static";
  debug.AddCFlag("-O1");
  ASSERT_TRUE(Resolve(project_)) << error_;
  const BuildUnit& unit = Unit("app");
  // Neutral flags first, so that the author's own can change them.
  EXPECT_EQ(unit.cflags,
            "-O0 -g -Wall -Wextra -Werror -O1 -DLIB_API -Ilib/include");
  EXPECT_EQ(unit.cOnlyFlags, "-std=c11");
  EXPECT_EQ(unit.cxxOnlyFlags, "-std=c++17");
  EXPECT_EQ(unit.libs, "-lz -static-libstdc++ -static-libgcc");
  // What a target passes on goes to its users (the reader puts public
  // settings in the target's own lists as well).
  EXPECT_EQ(Unit("lib").cflags, "");
}
