#include "exporters/ninja/build_file_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/compile_commands_writer.h"
#include "exporters/ninja/output_check.h"

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
  unit.linkFiles = {"lib/core.a"};
  unit.preBuild = "echo pre";
  unit.preLink = "echo link";
  unit.postBuild = "echo post";
  unit.goal = true;
  graph.units.push_back(unit);
  BuildUnit gen;
  gen.target = "gen";
  gen.configuration = "Debug";
  gen.output = "bin/gen";
  gen.objectDirectory = "obj/gen_Debug";
  gen.variablePrefix = "gen_Debug";
  gen.compiles = std::make_shared<CompileSteps>();
  gen.built = false;
  graph.units.push_back(gen);
  graph.units[0].orderOnlyUnits = {1};
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

TEST(BuildFileWriterTest, WordsThatReadAsOptionsGetDotSlash) {
  BuildGraph graph = SmallGraph();
  BuildUnit& unit = graph.units[0];
  unit.kind = LinkKind::kSharedLibrary;
  unit.output = "lib/libx;touch PWNED;y.so";
  unit.compiles = std::make_shared<CompileSteps>(
      CompileSteps{{"@rsp.cpp", "@rsp.cpp.o", SourceKind::kCxx},
                   {"main.cpp", "main.cpp.o", SourceKind::kCxx}});
  unit.implicitInputs = {"-l.a"};
  unit.preBuild.clear();
  const std::string text = FormatBuildFile(graph);
  // ninja drops "./" from the paths it reads, so the rule adds it.
  EXPECT_TRUE(Contains(text,
                       "rule cxx_app_Debug.dot\n"
                       "  command = $cxx -MMD -MF $out.d $cflags_app_Debug -c "
                       "./$in -o $out\n"));
  EXPECT_TRUE(Contains(
      text, "build obj/app_Debug/@rsp.cpp.o: cxx_app_Debug.dot @rsp.cpp\n"));
  EXPECT_TRUE(Contains(
      text, "build obj/app_Debug/main.cpp.o: cxx_app_Debug main.cpp\n"));
  EXPECT_TRUE(Contains(text, "lib/core.a | -l.a || bin/gen\n"));
  EXPECT_TRUE(Contains(text, "  soname = 'libx;touch PWNED;y.so'\n"));
  const std::string json = FormatCompileCommands(graph);
  EXPECT_TRUE(Contains(json, "-c './@rsp.cpp' -o"));
  EXPECT_TRUE(Contains(json, "\"file\": \"./@rsp.cpp\""));
}

TEST(OutputCheckTest, WhatNinjaOrTheRerunCannotCarryIsNamed) {
  std::string error;
  EXPECT_TRUE(CheckCarriable(SmallGraph(), &error)) << error;
  BuildGraph graph = SmallGraph();
  graph.units[0].target = "a|b";
  EXPECT_FALSE(CheckCarriable(graph, &error));
  EXPECT_EQ(error,
            "the target name \"a|b\" holds \"|\", which ninja cannot carry");
  graph = SmallGraph();
  graph.units[0].output = "@out";
  EXPECT_FALSE(CheckCarriable(graph, &error));
  EXPECT_EQ(error,
            "the output \"@out\" starts with \"@\", which the compiler would "
            "read as an option or a response file");
  graph = SmallGraph();
  graph.regeneration.workingDirectory = "/tmp/r\nx";
  EXPECT_FALSE(CheckCarriable(graph, &error));
  EXPECT_EQ(error,
            "the working directory \"/tmp/r?x\" holds a line break, which the "
            "command that reruns qev cannot carry");
  graph = SmallGraph();
  graph.regeneration.inputs.push_back("/w|x/a.qev");
  EXPECT_FALSE(CheckCarriable(graph, &error));
  // The files of a generate step, the author's or found ones.
  graph = SmallGraph();
  graph.generateEdges.push_back(
      GenerateEdge{{"gen/a|b.h"}, {}, "touch x", "target app"});
  EXPECT_FALSE(CheckCarriable(graph, &error));
  EXPECT_EQ(error,
            "the path \"gen/a|b.h\" holds \"|\", which ninja cannot carry");
  graph.generateEdges.back() =
      GenerateEdge{{"gen/x.h"}, {"in\nput"}, "touch x", "target app"};
  EXPECT_FALSE(CheckCarriable(graph, &error));
  graph = SmallGraph();
  graph.buildDirectory = "/caf\xe9";
  EXPECT_FALSE(CheckCarriable(graph, &error));
  EXPECT_EQ(error,
            "the build directory \"/caf\xe9\" is not UTF-8, which "
            "compile_commands.json needs");
}
