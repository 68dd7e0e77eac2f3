#include "bytewrap/output_file.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// The rest of the output file's promises (no change on a failed write,
// permissions, blocked destinations) are checked end to end by the golden
// cases and tests/bytewrap/failures.sh.
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

  std::string Get(const std::string& name) {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }

  // Opens and fills a.h and a.cpp, ready to commit.
  void Prepare(PendingOutput* a, PendingOutput* b) {
    ASSERT_TRUE(OpenOutput(Path("a.h"), a));
    ASSERT_TRUE(OpenOutput(Path("a.cpp"), b));
    ASSERT_TRUE(WriteOutput(a, "new a", 5) && CloseOutput(a));
    ASSERT_TRUE(WriteOutput(b, "new b", 5) && CloseOutput(b));
  }

  std::string Listing() {
    std::string command = "ls -A '" + dir_ + "' | tr '\\n' ' '";
    std::string out;
    FILE* ls = popen(command.c_str(), "r");
    for (int c; (c = fgetc(ls)) != EOF;)
      out += static_cast<char>(c);
    pclose(ls);
    return out;
  }

  std::string dir_;
};

TEST_F(OutputFileTest, FailedSecondRenameRestoresTheFirst) {
  std::ofstream(Path("a.h")) << "old a";
  PendingOutput a, b;
  Prepare(&a, &b);
  // The second destination turns into a directory after it was opened.
  ASSERT_EQ(0, mkdir(Path("a.cpp").c_str(), 0755));
  std::string failed;
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ(Path("a.cpp"), failed);
  EXPECT_EQ("old a", Get("a.h"));
  EXPECT_EQ("a.cpp a.h ", Listing());

  // A first output that did not exist before is removed again.
  ASSERT_EQ(0, unlink(Path("a.h").c_str()));
  ASSERT_EQ(0, rmdir(Path("a.cpp").c_str()));
  Prepare(&a, &b);
  ASSERT_EQ(0, mkdir(Path("a.cpp").c_str(), 0755));
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ("a.cpp ", Listing());
}

TEST_F(OutputFileTest, SymbolicLinkKeepsPointingAtTheWrittenFile) {
  std::ofstream(Path("real.h")) << "old a";
  ASSERT_EQ(0, symlink("real.h", Path("a.h").c_str()));
  PendingOutput a, b;
  Prepare(&a, &b);
  std::string failed;
  ASSERT_TRUE(CommitOutputs(&a, &b, &failed));
  EXPECT_EQ("new a", Get("real.h"));
  EXPECT_EQ("new a", Get("a.h"));
  EXPECT_EQ("new b", Get("a.cpp"));
  EXPECT_EQ("a.cpp a.h real.h ", Listing());
}

}  // namespace
