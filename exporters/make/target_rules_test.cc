#include "exporters/make/target_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "model/model.h"

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

  Project project_{"p"};
  Target target_{"core", &project_};
};

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
