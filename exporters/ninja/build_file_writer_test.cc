#include "exporters/ninja/build_file_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/compile_commands_writer.h"

namespace {

bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

BuildGraph SmallGraph() {
  BuildGraph graph;
  graph.buildDirectory = "/w/my build";
  graph.regeneration.program = "/usr/bin/qev";
  graph.regeneration.workingDirectory = "/w/my build";
  graph.regeneration.arguments = {"-t", "ninja", "-x", "../a b.qev"};
  graph.regeneration.inputs = {"/w/a b.qev", "/w/src"};
  BuildUnit unit;
  unit.target = "app";
  unit.configuration = "Debug";
  unit.output = "bin/my app";
  unit.objectDirectory = "obj/app_Debug";
  unit.variablePrefix = "app_Debug";
  unit.cflags = "-DNAME='$x'";
  unit.libs = "'-Wl,-rpath,$ORIGIN'";
  unit.compiles = std::make_shared<CompileSteps>(
      CompileSteps{{"../src/a b.cpp", "__/src/a b.cpp.o", SourceKind::kCxx},
                   {"../src/s.S", "__/src/s.S.o", SourceKind::kAssembler}});
  unit.linkInputs = {"lib/core.a"};
  unit.orderOnly = {"bin/gen"};
  unit.preBuild = "echo pre";
  unit.preLink = "echo link";
  unit.postBuild = "echo post";
  graph.units.push_back(unit);
  graph.configurations = {"Debug"};
  graph.compileDatabaseUnits = {0};
  return graph;
}

}  // namespace

TEST(BuildFileWriterTest, EdgesEscapePathsAndWireEvents) {
  const std::string text = FormatBuildFile(SmallGraph());
  EXPECT_TRUE(Contains(text, "cflags_app_Debug = -DNAME='$$x'\n"));
  EXPECT_TRUE(Contains(
      text,
      "build obj/app_Debug/prebuild.stamp: event ../src/a$ b.cpp ../src/s.S\n"
      "  event = echo pre\n"));
  // The unit's own compile rules carry its flags; assembler goes to cc.
  EXPECT_TRUE(Contains(text,
                       "rule cc_app_Debug\n"
                       "  command = $cc -MMD -MF $out.d $cflags_app_Debug -c "
                       "$in -o $out\n"
                       "  depfile = $out.d\n"
                       "  deps = gcc\n"));
  EXPECT_TRUE(Contains(text,
                       "build obj/app_Debug/__/src/a$ b.cpp.o: cxx_app_Debug "
                       "../src/a$ b.cpp || obj/app_Debug/prebuild.stamp\n"
                       "build obj/app_Debug/__/src/s.S.o: cc_app_Debug "));
  EXPECT_TRUE(Contains(text,
                       "build bin/my$ app: link obj/app_Debug/__/src/a$ "
                       "b.cpp.o obj/app_Debug/__/src/s.S.o lib/core.a || "
                       "bin/gen\n"
                       "  libs = '-Wl,-rpath,$$ORIGIN'\n"
                       "  pre_link = (echo link) &&$ \n"
                       "  post_build = $ && (echo post)\n"));
  EXPECT_TRUE(Contains(text, "build build_app_Debug: phony bin/my$ app\n"));
  EXPECT_TRUE(Contains(text,
                       "build Debug: phony build_app_Debug\n"
                       "build all: phony Debug\n\ndefault all\n"));
  EXPECT_FALSE(Contains(text, "launcher"));
}

TEST(BuildFileWriterTest, RegenerationRerunsTheSameCommand) {
  BuildGraph graph = SmallGraph();
  graph.toolchain.cc = "gcc -m64";
  graph.toolchain.launcher = "ccache";
  const std::string text = FormatBuildFile(graph);
  EXPECT_TRUE(Contains(text, "launcher = ccache\n"));
  EXPECT_TRUE(Contains(text, "  command = $launcher $cc -MMD -MF $out.d"));
  EXPECT_TRUE(Contains(
      text,
      "  command = cd '/w/my build' && env CC='gcc -m64' CXX=c++ AR=ar "
      "QEV_LAUNCHER=ccache /usr/bin/qev -t ninja -x '../a b.qev'\n"
      "  description = Regenerating build.ninja\n"
      "  generator = 1\n"
      "  restat = 1\n"));
  EXPECT_TRUE(Contains(text, "build build.ninja: regen /w/a$ b.qev /w/src\n"));
}

TEST(CompileCommandsWriterTest, CommandsAreWhatNinjaRunsWithoutTheLauncher) {
  BuildGraph graph = SmallGraph();
  graph.toolchain.launcher = "distcc";
  const BuildUnit& unit = graph.units[0];
  EXPECT_EQ(
      FormatCompileCommand(graph.toolchain, unit, (*unit.compiles)[0], true),
      "distcc c++ -MMD -MF 'obj/app_Debug/__/src/a b.cpp.o'.d "
      "-DNAME='$x' -c '../src/a b.cpp' -o "
      "'obj/app_Debug/__/src/a b.cpp.o'");
  const std::string json = FormatCompileCommands(graph);
  EXPECT_TRUE(Contains(json,
                       "  {\n    \"directory\": \"/w/my build\",\n"
                       "    \"command\": \"cc -MMD -MF "
                       "obj/app_Debug/__/src/s.S.o.d -DNAME='$x' -c "
                       "../src/s.S -o obj/app_Debug/__/src/s.S.o\",\n"
                       "    \"file\": \"../src/s.S\",\n"
                       "    \"output\": \"obj/app_Debug/__/src/s.S.o\"\n"
                       "  }\n]\n"));
  graph.compileDatabaseUnits.clear();
  EXPECT_EQ(FormatCompileCommands(graph), "[]\n");
}
