#include "model/packages.h"

#include <gtest/gtest.h>

#include <map>

#include "base/disk.h"
#include "tests/support/failing_disk.h"

namespace {

// A disk whose pkg-config answers from a table: "--exists z" and the like
// map to (status, output).
class FakePkgConfig : public FailingDisk {
 public:
  std::map<std::string, std::pair<int, std::string>> answers;
  std::vector<std::string> calls;
  bool missing = false;

  bool RunProgram(const std::vector<std::string>& arguments,
                  size_t,
                  ProgramResult* result,
                  std::string* error) override {
    if (missing) {
      *error = "No such file or directory";
      return false;
    }
    std::string call;
    for (size_t i = 1; i < arguments.size(); ++i)
      call += (i > 1 ? " " : "") + arguments[i];
    calls.push_back(call);
    auto answer = answers.find(call);
    if (answer == answers.end()) {
      result->status = 1;
      result->errors = "Package was not found\n";
      return true;
    }
    result->status = answer->second.first;
    result->output = answer->second.second;
    return true;
  }
  std::string CurrentDirectory() override { return "/work"; }
};

TEST(PackagesTest, SplitsPkgConfigWordsAsTheShellWould) {
  EXPECT_EQ((TextList{"-I/usr/include/a b", "-DX=\"q\"", "-lm", "-pthread"}),
            SplitPackageFlags("-I/usr/include/a\\ b  -DX=\\\"q\\\" \t-lm "
                              "'-pthread'\n"));
  // A backslash at a line's end joins no words across the break.
  EXPECT_EQ((TextList{"-la", "-lb"}), SplitPackageFlags("-la\\\n-lb"));
  EXPECT_TRUE(SplitPackageFlags(" \n").empty());
}

TEST(PackagesTest, InstallHintsKnownNamesAndGuessesTheRest) {
  EXPECT_EQ("zlib1g-dev", PackageInstallHint("zlib"));
  EXPECT_EQ("libgtest-dev", PackageInstallHint("gtest_main"));
  EXPECT_EQ("libfoo-dev", PackageInstallHint("foo"));
  EXPECT_EQ("libbar-dev", PackageInstallHint("libbar"));
}

TEST(PackagesTest, CombinesCflagsFirstAndLibrariesLast) {
  Project project("p");
  project.packageFlags["gtest"] = {{"-I/g", "-DG"}, {"-lgtest", "-pthread"}};
  project.packageFlags["gtest_main"] = {
      {"-I/g"}, {"-lgtest_main", "-lgtest", "-pthread"}};
  PackageFlags flags =
      CombinedPackageFlags(project, {"gtest", "gtest_main", "unknown"});
  EXPECT_EQ((TextList{"-I/g", "-DG"}), flags.cflags);
  // A static library needs what it uses after it.
  EXPECT_EQ((TextList{"-lgtest_main", "-lgtest", "-pthread"}), flags.libs);
}

TEST(PackagesTest, ResolvesEachPackageOnceAndNamesWhatToInstall) {
  FakePkgConfig disk;
  disk.answers["--exists z"] = {0, ""};
  disk.answers["--cflags z"] = {0, "-I/opt/z/include\n"};
  disk.answers["--libs z"] = {0, "-L/opt/z/lib -lz\n"};
  disk.answers["--variable=pcfiledir z"] = {0, "pc\n"};
  PackageResolver resolver(disk);
  PackageFlags flags;
  std::string error;
  ASSERT_TRUE(resolver.Resolve("z", &flags, &error)) << error;
  EXPECT_EQ((TextList{"-L/opt/z/lib", "-lz"}), flags.libs);
  // A relative PKG_CONFIG_PATH gives a relative directory.
  EXPECT_EQ((TextSet{"/work/pc/z.pc"}), resolver.files());
  ASSERT_TRUE(resolver.Resolve("z", &flags, &error));
  EXPECT_EQ(4u, disk.calls.size());

  EXPECT_FALSE(resolver.Resolve("gmock", &flags, &error));
  EXPECT_NE(std::string::npos, error.find("no package \"gmock\""));
  EXPECT_NE(std::string::npos, error.find("apt-get install libgmock-dev"));
  EXPECT_NE(std::string::npos, error.find("gmock.pc to PKG_CONFIG_PATH"));
  // A name that reads as an option never reaches pkg-config.
  size_t calls = disk.calls.size();
  EXPECT_FALSE(resolver.Resolve("--list-all", &flags, &error));
  EXPECT_EQ(calls, disk.calls.size());
}

TEST(PackagesTest, AMissingPkgConfigIsSaidOnce) {
  FakePkgConfig disk;
  disk.missing = true;
  PackageResolver resolver(disk);
  PackageFlags flags;
  std::string error;
  EXPECT_FALSE(resolver.Resolve("z", &flags, &error));
  EXPECT_NE(std::string::npos, error.find("cannot run pkg-config"));
  EXPECT_NE(std::string::npos, error.find("apt-get install pkg-config"));
}

}  // namespace
