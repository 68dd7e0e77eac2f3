#include "exporters/make/target_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "model/model.h"
#include "tests/support/test_support.h"

namespace {

class TargetRulesTest : public ::testing::Test {
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
    return GetBinaryPath(target_, target_.DefaultConfiguration(),
                         configuration);
  }

  std::string Rules(const Configuration& configuration) {
    std::string out;
    WriteTargetRules(&out, target_, target_.DefaultConfiguration(),
                     configuration, capture_.reporter());
    return out;
  }

  Project project_{"p"};
  Target target_{"core", &project_};
  CapturingReporter capture_;
};

bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

}  // namespace

TEST_F(TargetRulesTest, BinaryPathFollowsTheEffectiveType) {
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

TEST_F(TargetRulesTest, BinaryPathFallsBackToTheDefaultsThenTheTargetName) {
  target_.DefaultConfiguration().outFile = "libcore";
  target_.DefaultConfiguration().outDir = "out";
  EXPECT_EQ(Path("", "", "lib"), "out/libcore.a");
  EXPECT_EQ(Path("other", "lib", "lib"), "lib/other.a");
  // Without any file name the path would be the directory itself.
  target_.DefaultConfiguration().outFile.clear();
  EXPECT_EQ(Path("", "", "lib"), "out/core.a");
  EXPECT_EQ(Path("", "", ""), "out/core");
}

TEST_F(TargetRulesTest, BuildRuleMatchesTheKindOfOutput) {
  Configuration shared("Debug", "shared_lib");
  std::string rules = Rules(shared);
  EXPECT_TRUE(Contains(rules,
                       "\t@$(CXX) -shared -Wl,-soname,$(notdir $@)"
                       "$(core_custom_loptions) $(core_Debug_obj) "
                       "$(core_Debug_lflags) -lc -o $@ \n"));
  EXPECT_FALSE(Contains(rules, "$(AR)"));

  Configuration archive("Release", "lib");
  rules = Rules(archive);
  EXPECT_TRUE(Contains(rules,
                       "\t@$(AR) r $(core_Release_bin) $^\n"
                       "\t@$(RANLIB) $(core_Release_bin)\n"
                       "\t@$(ECHO) building $@ complete!\n"));

  Configuration program("Test", "exe");
  rules = Rules(program);
  EXPECT_TRUE(Contains(rules, "core_Test_bin      = ./core\n"));
  EXPECT_TRUE(Contains(rules,
                       "\t@$(CCLD) $^ $(core_Test_lflags) -o "
                       "$(core_Test_bin) \n"));
}

TEST_F(TargetRulesTest, DependenciesAreNamedWhetherKnownOrNot) {
  Configuration debug("debug");
  EXPECT_TRUE(
      Contains(Rules(debug), "$(core_debug_bin): $(core_debug_obj) \n"));
  target_.AddDependency("core2");
  target_.AddDependency("net");
  EXPECT_TRUE(Contains(Rules(debug),
                       "$(core_debug_bin): $(core_debug_obj) "
                       "$(core2_debug_bin) $(net_debug_bin)\n"));
  EXPECT_EQ(capture_.out(),
            "Depends for core_debug: \n"
            "Depends for core_debug: $(core2_debug_bin) $(net_debug_bin)\n");
}

TEST(BuiltConfigurationTest, NeedsShowAndANameOtherThanDefault) {
  Configuration configuration("Debug");
  EXPECT_TRUE(IsBuiltConfiguration(configuration));
  configuration.show = false;
  EXPECT_FALSE(IsBuiltConfiguration(configuration));
  EXPECT_FALSE(IsBuiltConfiguration(Configuration("DEFAULT")));
}
