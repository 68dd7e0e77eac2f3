#include "model/resolved_configuration.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ResolvedConfigurationTest : public ::testing::Test {
 protected:
  // The output path of a configuration with the given settings.
  std::string Path(const std::string& outFile,
                   const std::string& outDir,
                   const std::string& type,
                   const std::string& defaultType = "") {
    target_.DefaultConfiguration().type = defaultType;
    Configuration configuration("Debug", type);
    configuration.outFile = outFile;
    configuration.outDir = outDir;
    return BuildOutputPath(ResolveConfiguration(
        target_, target_.DefaultConfiguration(), configuration));
  }

  Project project_{"p"};
  Target target_{"core", &project_};
};

}  // namespace

TEST_F(ResolvedConfigurationTest, BinaryPathFollowsTheEffectiveType) {
  EXPECT_EQ(Path("app", "", ""), "./app");
  EXPECT_EQ(Path("core", "", "lib"), "./core.a");
  EXPECT_EQ(Path("core", "", "LiB"), "./core.a");
  EXPECT_EQ(Path("core.x", "", "lib"), "./core.x");
  EXPECT_EQ(Path("core", "lib/linux", "SHARED_LIB"), "lib/linux/core.so");
  EXPECT_EQ(Path("../bin/app", "", "SHARED_LIB"), "./../bin/app");
  EXPECT_EQ(Path("core", "", "dll"), "./core");
  // The default configuration's type wins over the configuration's own.
  EXPECT_EQ(Path("core", "", "SHARED_LIB", "LIB"), "./core.a");
}

TEST_F(ResolvedConfigurationTest,
       BinaryPathFallsBackToTheDefaultsThenTheTargetName) {
  target_.DefaultConfiguration().outFile = "libcore";
  target_.DefaultConfiguration().outDir = "out";
  EXPECT_EQ(Path("", "", "lib"), "out/libcore.a");
  EXPECT_EQ(Path("other", "lib", "lib"), "lib/other.a");
  // Without any file name the path would be the directory itself.
  target_.DefaultConfiguration().outFile.clear();
  EXPECT_EQ(Path("", "", "lib"), "out/core.a");
  EXPECT_EQ(Path("", "", ""), "out/core");
}

TEST(ResolvedKindTest, VisualStudioAndMakeReadTheTypesTheirWay) {
  Project project("p");
  Target target("t", &project);
  Configuration& base = target.DefaultConfiguration();
  Configuration configuration("Debug");
  auto kinds = [&](const std::string& own, const std::string& inherited) {
    base.type = inherited;
    configuration.type = own;
    ResolvedConfiguration resolved =
        ResolveConfiguration(target, base, configuration);
    return std::make_pair(resolved.kind, resolved.buildKind);
  };
  EXPECT_EQ(kinds("", ""), std::make_pair(TargetKind::kConsoleProgram,
                                          TargetKind::kConsoleProgram));
  // Visual Studio: the configuration's own type wins; make: the base's.
  EXPECT_EQ(kinds("dll", "LIB"), std::make_pair(TargetKind::kSharedLibrary,
                                                TargetKind::kStaticLibrary));
  EXPECT_EQ(kinds("exe", ""), std::make_pair(TargetKind::kWindowsProgram,
                                             TargetKind::kConsoleProgram));
  EXPECT_EQ(kinds("weird", "lib"), std::make_pair(TargetKind::kStaticLibrary,
                                                  TargetKind::kStaticLibrary));
}

TEST(ResolvedEventsTest, TheTargetsEventsAndSettingsServeWhatLacksThem) {
  Project project("p");
  Target target("t", &project);
  Configuration& base = target.DefaultConfiguration();
  base.preBuildEvent = "gen";
  base.neutral.optimize = "speed";
  base.neutral.cxxStandard = "c++17";
  Configuration& debug = target.FindOrCreateConfiguration("Debug", {});
  debug.postBuildEvent = "copy";
  debug.neutral.optimize = "none";
  ResolvedConfiguration resolved = ResolveConfiguration(target, base, debug);
  EXPECT_EQ(resolved.preBuildEvent, "gen");
  EXPECT_EQ(resolved.postBuildEvent, "copy");
  EXPECT_EQ(resolved.neutral.optimize, Optimize::kNone);
  EXPECT_EQ(resolved.neutral.cxxStandard, CxxStandard::kCxx17);
  EXPECT_EQ(resolved.neutral.debugInfo, DebugInfo::kUnset);
}

TEST(InheritedFromTest, PublicSettingsPassOnThroughPublicDependencies) {
  Project project("p");
  auto add = [&](const std::string& name) -> Target& {
    project.AddTarget(std::make_unique<Target>(name, &project));
    Target& target = *project.FindTarget(name);
    target.FindOrCreateConfiguration("Debug", {});
    return target;
  };
  Target& base = add("base");
  base.DefaultConfiguration().usage.defines = {"BASE_API"};
  base.DefaultConfiguration().usage.searchPaths.header = {"base/include"};
  base.FindConfiguration("Debug")->usage.defines = {"BASE_DEBUG"};
  base.DefaultConfiguration().usage.neutral.cxxStandard = "c++17";
  Target& middle = add("middle");
  middle.AddDependency("base");
  middle.publicDependencies.insert("base");
  middle.DefaultConfiguration().usage.defines = {"MIDDLE_API"};
  Target& hidden = add("hidden");
  hidden.DefaultConfiguration().usage.defines = {"HIDDEN_API"};
  middle.AddDependency("hidden");  // private: not passed on
  Target& app = add("app");
  app.AddDependency("middle");

  InheritedSettings inherited = InheritedFrom(app, "Debug");
  EXPECT_EQ(inherited.defines,
            (TextList{"MIDDLE_API", "BASE_API", "BASE_DEBUG"}));
  ASSERT_EQ(inherited.headerPaths.size(), 1u);
  EXPECT_EQ(inherited.headerPaths[0].path, "base/include");
  EXPECT_EQ(inherited.headerPaths[0].owner, &base);
  EXPECT_EQ(inherited.neutral.cxxStandard, "c++17");
  // The middle target itself gets what both its dependencies pass on.
  EXPECT_EQ(InheritedFrom(middle, "Debug").defines,
            (TextList{"BASE_API", "BASE_DEBUG", "HIDDEN_API"}));
  // A cycle ends.
  base.AddDependency("app");
  base.publicDependencies.insert("app");
  EXPECT_EQ(InheritedFrom(app, "Release").defines,
            (TextList{"MIDDLE_API", "BASE_API"}));
}

TEST(PositionIndependentFlagTest, SharedLibrariesUnlessTheAuthorSaysSo) {
  Project project("p");
  Target target("core", &project);
  Configuration& defaults = target.DefaultConfiguration();
  Configuration debug("Debug", "SHARED_LIB");
  auto flag = [&] {
    return PositionIndependentFlag(
        ResolveConfiguration(target, defaults, debug));
  };
  EXPECT_EQ(flag(), "-fPIC");
  debug.cflags = {"-Wall -fPIE"};
  EXPECT_EQ(flag(), "-fPIC");
  debug.cflags = {"-Wall -fpic"};
  EXPECT_EQ(flag(), "");
  debug.cflags.clear();
  defaults.cflags = {"-O2", "\"-fPIC\""};
  EXPECT_EQ(flag(), "");
  // Only shared libraries, as make and ninja read the type.
  defaults.cflags.clear();
  debug.type = "LIB";
  EXPECT_EQ(flag(), "");
  debug.type = "dll";
  EXPECT_EQ(flag(), "");
}
