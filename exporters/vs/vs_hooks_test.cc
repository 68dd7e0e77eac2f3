// The hooks in which the three Visual Studio versions differ.

#include <cstdio>

#include <gtest/gtest.h>

#include "base/disk.h"
#include "base/reporter.h"
#include "exporters/vs/vc71_exporter.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs/vc8_exporter.h"
#include "model/model.h"

namespace {

std::string Mapped(VC7Exporter& exporter, const std::string& platform) {
  std::string name = platform;
  exporter.MapPlatformName(&name);
  return name;
}

class VsHooksTest : public testing::Test {
 protected:
  Reporter reporter_{stdout, stderr};
  ExportContext context_{SystemDisk(), reporter_};
  VC7Exporter vc7_{context_};
  VC71Exporter vc71_{context_};
  VC8Exporter vc8_{context_};
};

TEST_F(VsHooksTest, PlatformNamesOfVc7AndVc71) {
  for (VC7Exporter* exporter : {&vc7_, static_cast<VC7Exporter*>(&vc71_)}) {
    EXPECT_EQ("Win32", Mapped(*exporter, "WIN32"));
    EXPECT_EQ("Win32", Mapped(*exporter, "ps3"));
    EXPECT_EQ("Win32", Mapped(*exporter, "PS3"));
    EXPECT_EQ("Xenon", Mapped(*exporter, "XBOX360"));
    EXPECT_EQ("Xenon", Mapped(*exporter, "xenon"));
    EXPECT_EQ("win64", Mapped(*exporter, "win64"));
    EXPECT_EQ("LINUX", Mapped(*exporter, "LINUX"));
    EXPECT_EQ("Xbox 360", Mapped(*exporter, "Xbox 360"));
    EXPECT_EQ("", Mapped(*exporter, ""));
  }
}

TEST_F(VsHooksTest, PlatformNamesOfVc8) {
  EXPECT_EQ("Win32", Mapped(vc8_, "win32"));
  EXPECT_EQ("Win64", Mapped(vc8_, "WIN64"));
  EXPECT_EQ("Win32", Mapped(vc8_, "Ps3"));
  EXPECT_EQ("Xbox 360", Mapped(vc8_, "xbox360"));
  EXPECT_EQ("Xbox 360", Mapped(vc8_, "XENON"));
  EXPECT_EQ("XBOX 360", Mapped(vc8_, "XBOX 360"));
  EXPECT_EQ("Linux", Mapped(vc8_, "Linux"));
}

TEST_F(VsHooksTest, ExportWithoutPlatformUsesWin32) {
  vc8_.SetPlatform(std::nullopt);
  EXPECT_EQ("Win32", vc8_.platform_name());
  vc8_.SetPlatform(std::string("xenon"));
  EXPECT_EQ("Xbox 360", vc8_.platform_name());
}

TEST_F(VsHooksTest, ToolNames) {
  EXPECT_EQ("VCCLCompilerTool", vc7_.CompilerToolName("Xbox 360"));
  EXPECT_EQ("VCLinkerTool", vc7_.LinkerToolName("Xbox 360"));
  EXPECT_EQ("VCCLX360CompilerTool", vc8_.CompilerToolName("Xbox 360"));
  EXPECT_EQ("VCX360LinkerTool", vc8_.LinkerToolName("Xbox 360"));
  // Only the mapped name counts, letter case included.
  EXPECT_EQ("VCCLCompilerTool", vc8_.CompilerToolName("XBOX 360"));
  EXPECT_EQ("VCLinkerTool", vc8_.LinkerToolName("Xenon"));
}

TEST_F(VsHooksTest, VersionsAndSolutionLines) {
  EXPECT_DOUBLE_EQ(7.0, vc7_.ProjectFileVersion());
  EXPECT_DOUBLE_EQ(7.1, vc71_.ProjectFileVersion());
  EXPECT_DOUBLE_EQ(8.0, vc8_.ProjectFileVersion());

  std::string vc7_lines;
  vc71_.WriteSolutionHeader(&vc7_lines);
  vc71_.WriteSolutionConfiguration(&vc7_lines, "Debug", "Win32");
  vc71_.WriteProjectActiveConfiguration(&vc7_lines, "G", "Debug", "Win32");
  vc71_.WriteProjectBuildConfiguration(&vc7_lines, "G", "Debug", "Win32");
  EXPECT_EQ(
      "Microsoft Visual Studio Solution File, Format Version 8.00\n"
      "\t\tDebug = Debug\n"
      "\t\t{G}.Debug.ActiveCfg = Debug|Win32\n"
      "\t\t{G}.Debug.Build.0 = Debug|Win32\n",
      vc7_lines);

  std::string vc8_lines;
  vc8_.WriteSolutionHeader(&vc8_lines);
  vc8_.WriteSolutionConfiguration(&vc8_lines, "Debug", "Xbox 360");
  vc8_.WriteProjectActiveConfiguration(&vc8_lines, "G", "Debug", "Xbox 360");
  vc8_.WriteProjectBuildConfiguration(&vc8_lines, "G", "Debug", "Xbox 360");
  EXPECT_EQ(
      "Microsoft Visual Studio Solution File, Format Version 9.00\n"
      "# Visual Studio 2005\n"
      "\t\tDebug|Xbox 360 = Debug|Xbox 360\n"
      "\t\t{G}.Debug|Xbox 360.ActiveCfg = Debug|Xbox 360\n"
      "\t\t{G}.Debug|Xbox 360.Build.0 = Debug|Xbox 360\n",
      vc8_lines);

  vc8_.WriteSolutionHeader(nullptr);
}

TEST_F(VsHooksTest, ManifestToolOnlyForApplications) {
  Configuration config("Debug");
  std::string out;
  vc7_.WriteExtraTools(&out, config, 1);
  EXPECT_EQ("", out);
  for (int type : {0, 2, 4}) {
    vc8_.WriteExtraTools(&out, config, type);
    EXPECT_EQ("", out);
  }
  vc8_.WriteExtraTools(&out, config, 1);
  EXPECT_EQ("<Tool Name=\"VCManifestTool\" EmbedManifest=\"false\" />\n", out);
  config.disableDefaultManifest = true;
  out.clear();
  vc8_.WriteExtraTools(&out, config, 1);
  EXPECT_EQ("", out);
}

}  // namespace
