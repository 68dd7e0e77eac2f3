#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "output/output_file.h"
#include "tests/support/failing_disk.h"

namespace {

// The rest of the streamed output's promises (no change on a failed write,
// permissions, blocked destinations) are checked end to end by the golden
// cases and tests/bytewrap/failures.sh.
class StreamedOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/streamed-output-test-XXXXXX";
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
  void Prepare(StreamedOutput* a, StreamedOutput* b) {
    std::string error;
    ASSERT_TRUE(a->Open(Path("a.h"), &error));
    ASSERT_TRUE(b->Open(Path("a.cpp"), &error));
    ASSERT_TRUE(a->Write("new a", 5, &error) && a->Close(&error));
    ASSERT_TRUE(b->Write("new b", 5, &error) && b->Close(&error));
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

  FailingDisk disk_;
  std::string dir_;
};

TEST_F(StreamedOutputTest, FailedSecondReplaceRestoresTheFirst) {
  std::ofstream(Path("a.h")) << "old a";
  StreamedOutput a(disk_), b(disk_);
  Prepare(&a, &b);
  disk_.failReplaceTo = Path("a.cpp");
  std::string failed, error;
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed, &error));
  EXPECT_EQ(Path("a.cpp"), failed);
  EXPECT_EQ("Device or resource busy", error);
  EXPECT_EQ("old a", Get("a.h"));
  EXPECT_EQ("a.h ", Listing());

  // A first output that did not exist before is removed again.
  ASSERT_EQ(0, unlink(Path("a.h").c_str()));
  Prepare(&a, &b);
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed, &error));
  EXPECT_EQ("", Listing());
}

TEST_F(StreamedOutputTest, SymbolicLinkKeepsPointingAtTheWrittenFile) {
  std::ofstream(Path("real.h")) << "old a";
  ASSERT_EQ(0, symlink("real.h", Path("a.h").c_str()));
  StreamedOutput a(disk_), b(disk_);
  Prepare(&a, &b);
  std::string failed, error;
  ASSERT_TRUE(CommitOutputs(&a, &b, &failed, &error));
  EXPECT_EQ("new a", Get("real.h"));
  EXPECT_EQ("new a", Get("a.h"));
  EXPECT_EQ("new b", Get("a.cpp"));
  EXPECT_EQ("a.cpp a.h real.h ", Listing());
}

TEST_F(StreamedOutputTest, UnchangedOutputsAreLeftUntouched) {
  std::ofstream(Path("a.h")) << "new a";
  std::ofstream(Path("a.cpp")) << "new b";
  struct timespec old_time[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(0, utimensat(AT_FDCWD, Path("a.h").c_str(), old_time, 0));
  StreamedOutput a(disk_), b(disk_);
  Prepare(&a, &b);
  std::string failed, error;
  ASSERT_TRUE(CommitOutputs(&a, &b, &failed, &error));
  EXPECT_EQ(0, disk_.replaces);
  struct stat info;
  ASSERT_EQ(0, stat(Path("a.h").c_str(), &info));
  EXPECT_EQ(1000, info.st_mtime);
  EXPECT_EQ("a.cpp a.h ", Listing());
}

TEST_F(StreamedOutputTest, AFullDiskFailsTheWriteAndLeavesNothing) {
  StreamedOutput a(disk_);
  std::string error;
  ASSERT_TRUE(a.Open(Path("a.h"), &error));
  disk_.writeBudget = 3;
  EXPECT_FALSE(a.Write("12345", 5, &error));
  EXPECT_EQ("No space left on device", error);
  a.Discard();
  EXPECT_EQ("", Listing());
}

}  // namespace
