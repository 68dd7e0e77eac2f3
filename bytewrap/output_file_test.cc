#include "bytewrap/output_file.h"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class OutputFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/bytewrap-test-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(name));
    dir_ = name;
  }
  void TearDown() override {
    ASSERT_EQ(0, system(("rm -rf '" + dir_ + "'").c_str()));
  }

  std::string Path(const std::string& name) { return dir_ + "/" + name; }

  void Put(const std::string& name, const std::string& content) {
    std::ofstream(Path(name), std::ios::binary) << content;
  }

  std::string Get(const std::string& name) {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }

  // The directory's entries in sorted order, so that a stray temporary file
  // shows up in a comparison.
  std::vector<std::string> Entries() {
    std::vector<std::string> names;
    DIR* d = opendir(dir_.c_str());
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name != "." && name != "..")
        names.push_back(name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Opens and fills both outputs, ready to commit.
  void Prepare(PendingOutput* a, PendingOutput* b) {
    ASSERT_TRUE(OpenOutput(Path("a.h"), a));
    ASSERT_TRUE(OpenOutput(Path("a.cpp"), b));
    ASSERT_TRUE(WriteOutput(a, "new a", 5));
    ASSERT_TRUE(WriteOutput(b, "new b", 5));
    ASSERT_TRUE(CloseOutput(a));
    ASSERT_TRUE(CloseOutput(b));
  }

  std::string dir_;
};

mode_t Mode(const std::string& path) {
  struct stat info;
  EXPECT_EQ(0, stat(path.c_str(), &info));
  return info.st_mode & 07777;
}

TEST_F(OutputFileTest, CommitReplacesBothAndLeavesNothingElse) {
  Put("a.h", "old a");
  chmod(Path("a.h").c_str(), 0640);
  PendingOutput a, b;
  Prepare(&a, &b);
  // Nothing is visible before the commit.
  EXPECT_EQ("old a", Get("a.h"));

  std::string failed;
  ASSERT_TRUE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ("new a", Get("a.h"));
  EXPECT_EQ("new b", Get("a.cpp"));
  EXPECT_EQ((std::vector<std::string>{"a.cpp", "a.h"}), Entries());

  // A replaced file keeps its permissions; a new one gets what the umask
  // allows, as if simply created.
  EXPECT_EQ(0640u, Mode(Path("a.h")));
  mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(0666u & ~mask, Mode(Path("a.cpp")));
}

TEST_F(OutputFileTest, DiscardLeavesDestinationsAlone) {
  Put("a.h", "old a");
  PendingOutput a, b;
  Prepare(&a, &b);
  DiscardOutput(&a);
  DiscardOutput(&b);
  EXPECT_EQ("old a", Get("a.h"));
  EXPECT_EQ((std::vector<std::string>{"a.h"}), Entries());
}

TEST_F(OutputFileTest, DirectoryOrMissingDirectoryCannotBeOpened) {
  ASSERT_EQ(0, mkdir(Path("a.h").c_str(), 0755));
  PendingOutput a, b;
  EXPECT_FALSE(OpenOutput(Path("a.h"), &a));
  EXPECT_FALSE(OpenOutput(Path("missing/a.cpp"), &b));
  EXPECT_EQ((std::vector<std::string>{"a.h"}), Entries());
}

TEST_F(OutputFileTest, FailedSecondRenamePutsTheFirstBack) {
  Put("a.h", "old a");
  PendingOutput a, b;
  Prepare(&a, &b);
  // The second destination turns into a directory after it was opened.
  ASSERT_EQ(0, mkdir(Path("a.cpp").c_str(), 0755));
  std::string failed;
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ(Path("a.cpp"), failed);
  EXPECT_EQ("old a", Get("a.h"));
  EXPECT_EQ((std::vector<std::string>{"a.cpp", "a.h"}), Entries());
}

TEST_F(OutputFileTest, FailedSecondRenameRemovesANewFirst) {
  PendingOutput a, b;
  Prepare(&a, &b);
  ASSERT_EQ(0, mkdir(Path("a.cpp").c_str(), 0755));
  std::string failed;
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ((std::vector<std::string>{"a.cpp"}), Entries());
}

TEST_F(OutputFileTest, SymbolicLinkKeepsPointingAtTheWrittenFile) {
  Put("real.h", "old a");
  ASSERT_EQ(0, symlink("real.h", Path("a.h").c_str()));
  PendingOutput a, b;
  Prepare(&a, &b);
  std::string failed;
  ASSERT_TRUE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ("new a", Get("real.h"));
  struct stat info;
  ASSERT_EQ(0, lstat(Path("a.h").c_str(), &info));
  EXPECT_TRUE(S_ISLNK(info.st_mode));
}

}  // namespace
