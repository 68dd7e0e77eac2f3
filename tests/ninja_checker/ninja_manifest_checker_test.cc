// The strict ninja reader finds what each snippet under snippets/ says (the
// test ninja_checker/snippets checks the same files against the real
// ninja), and follows include and subninja as ninja does.

#include "tests/ninja_checker/ninja_manifest_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string Describe(const NinjaCheck& check) {
  std::string text;
  for (const NinjaProblem& problem : check.problems) {
    text += FormatNinjaProblem(problem) +
            (problem.ninjaRejects ? "" : " [strict]") + "\n";
  }
  return text;
}

std::string ReadSnippet(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// A reader over a fixed set of files.
NinjaFileReader Files(std::map<std::string, std::string> files) {
  return [files](const std::string& path, std::string* content,
                 std::string* error) {
    auto found = files.find(path);
    if (found == files.end()) {
      *error = "No such file or directory";
      return false;
    }
    *content = found->second;
    return true;
  };
}

TEST(NinjaManifestCheckerTest, SnippetsSayWhatTheReaderFinds) {
  // A cross-built test under Wine may not see the source tree.
  if (!std::filesystem::is_directory(QEV_NINJA_SNIPPETS))
    GTEST_SKIP() << QEV_NINJA_SNIPPETS << " cannot be read";
  std::vector<std::filesystem::path> snippets;
  for (const auto& entry :
       std::filesystem::directory_iterator(QEV_NINJA_SNIPPETS)) {
    if (entry.path().extension() == ".ninja")
      snippets.push_back(entry.path());
  }
  std::sort(snippets.begin(), snippets.end());
  ASSERT_GE(snippets.size(), 40u);
  for (const std::filesystem::path& path : snippets) {
    SCOPED_TRACE(path.filename().string());
    std::string text = ReadSnippet(path);
    std::string header = text.substr(0, text.find_first_of("\r\n"));
    NinjaCheck check = CheckNinjaManifest("snippet", text);
    if (header == "# accepted") {
      EXPECT_TRUE(check.problems.empty()) << Describe(check);
      EXPECT_FALSE(check.targets.empty());
      continue;
    }
    // "# rejected LINE: message" or "# strict LINE: message".
    bool rejected = header.rfind("# rejected ", 0) == 0;
    ASSERT_TRUE(rejected || header.rfind("# strict ", 0) == 0) << header;
    size_t number = header.find(' ', 2) + 1;
    int line = std::atoi(header.c_str() + number);
    std::string message = header.substr(header.find(": ") + 2);
    bool found = false;
    for (const NinjaProblem& problem : check.problems) {
      found =
          found || (problem.line == line && problem.ninjaRejects == rejected &&
                    problem.message.find(message) != std::string::npos);
      if (!rejected) {
        EXPECT_FALSE(problem.ninjaRejects) << Describe(check);
      }
    }
    EXPECT_TRUE(found) << "wanted line " << line << ": " << message
                       << "\ngot:\n"
                       << Describe(check);
  }
}

TEST(NinjaManifestCheckerTest, IncludeSharesTheScopeSubninjaOpensOne) {
  NinjaFileReader reader = Files({
      {"rules.ninja", "cflags = -O2\nrule cc\n  command = cc $cflags\n"},
      {"sub.ninja",
       "cflags = -g\nrule cc\n  command = x\nrule own\n  command = y\n"
       "build $cflags/b: own\n"},
      {"late.ninja", "build c: own\n"},
  });
  NinjaCheck check = CheckNinjaManifest("build.ninja",
                                        "include rules.ninja\n"
                                        "build $cflags/a: cc\n"
                                        "subninja sub.ninja\n"
                                        "build $cflags/d: cc\n",
                                        reader);
  EXPECT_TRUE(check.problems.empty()) << Describe(check);
  ASSERT_EQ(3u, check.targets.size());
  EXPECT_EQ("-O2/a", check.targets[0].path);
  EXPECT_EQ("-g/b", check.targets[1].path);
  EXPECT_EQ("-O2/d", check.targets[2].path);

  // A rule of a subninja is not seen by the file that names it; a rule of
  // the including file is seen from an included one.
  check = CheckNinjaManifest(
      "build.ninja", "subninja sub.ninja\ninclude late.ninja\n", reader);
  ASSERT_EQ(1u, check.problems.size()) << Describe(check);
  EXPECT_EQ("late.ninja:1: unknown build rule 'own'",
            FormatNinjaProblem(check.problems[0]));
  check = CheckNinjaManifest(
      "build.ninja", "rule own\n  command = z\ninclude late.ninja\n", reader);
  EXPECT_TRUE(check.problems.empty()) << Describe(check);
}

TEST(NinjaManifestCheckerTest, IncludesThatCannotBeRead) {
  NinjaFileReader reader = Files({{"self.ninja", "include self.ninja\n"}});
  NinjaCheck check =
      CheckNinjaManifest("build.ninja", "include self.ninja\n", reader);
  ASSERT_EQ(1u, check.problems.size()) << Describe(check);
  EXPECT_NE(std::string::npos,
            check.problems[0].message.find("nested too deeply"));
  check = CheckNinjaManifest("build.ninja", "\nsubninja gone.ninja\n");
  ASSERT_EQ(1u, check.problems.size());
  EXPECT_EQ("build.ninja:2: loading 'gone.ninja': No such file or directory",
            FormatNinjaProblem(check.problems[0]));
}

TEST(NinjaManifestCheckerTest, NulBytesEndTheReading) {
  // At the start of a statement ninja silently takes a NUL for the end; in
  // the middle of one it stops with an error. Both are reported.
  NinjaCheck check = CheckNinjaManifest(
      "build.ninja", std::string("build a: phony\n\0build b: phony\n", 31));
  ASSERT_EQ(1u, check.problems.size()) << Describe(check);
  EXPECT_FALSE(check.problems[0].ninjaRejects);
  EXPECT_EQ(2, check.problems[0].line);
  EXPECT_EQ(1u, check.targets.size());
  check = CheckNinjaManifest("build.ninja",
                             std::string("build a: phony b\0c\n", 19));
  ASSERT_EQ(2u, check.problems.size()) << Describe(check);
  EXPECT_TRUE(check.problems[1].ninjaRejects);
}

TEST(NinjaManifestCheckerTest, TargetsAndDefaultsInNinjasOrder) {
  NinjaCheck check = CheckNinjaManifest(
      "build.ninja",
      "rule r\n  command = x\n"
      "build z y | x: r a\nbuild ./w/../v: phony y\ndefault v z\n");
  EXPECT_TRUE(check.problems.empty()) << Describe(check);
  ASSERT_EQ(4u, check.targets.size());
  EXPECT_EQ("z", check.targets[0].path);
  EXPECT_EQ("x", check.targets[2].path);
  EXPECT_EQ("r", check.targets[2].rule);
  EXPECT_EQ("v", check.targets[3].path);
  EXPECT_EQ("phony", check.targets[3].rule);
  EXPECT_EQ((std::vector<std::string>{"v", "z"}), check.defaults);
}

}  // namespace
