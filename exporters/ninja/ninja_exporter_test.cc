#include "exporters/ninja/ninja_exporter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "exporters/ninja/build_graph.h"

namespace {

const char* FakeEnvironment(const char* name) {
  if (std::strcmp(name, "CC") == 0)
    return "clang -m64";
  if (std::strcmp(name, "CXX") == 0)
    return "";
  if (std::strcmp(name, "QEV_LAUNCHER") == 0)
    return "sccache";
  return nullptr;
}

}  // namespace

TEST(NinjaExporterTest, ToolchainFromTheEnvironmentWithDefaults) {
  Toolchain toolchain = ToolchainFromEnvironment(FakeEnvironment);
  EXPECT_EQ(toolchain.cc, "clang -m64");
  // Set but empty counts as unset.
  EXPECT_EQ(toolchain.cxx, "c++");
  EXPECT_EQ(toolchain.ar, "ar");
  EXPECT_EQ(toolchain.launcher, "sccache");
}
