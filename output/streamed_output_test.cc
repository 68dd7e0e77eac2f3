#ifndef _WIN32
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "output/output_file.h"
#include "tests/support/failing_disk.h"
#include "tests/support/test_support.h"

namespace {

// The rest of the streamed output's promises (no change on a failed write,
// permissions, blocked destinations) are checked end to end by the golden
// cases and tests/bytewrap/failures.sh.
class StreamedOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDirectory>();
    dir_ = scratch_->path();
  }
  void TearDown() override { scratch_.reset(); }

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
    std::string out;
    for (const std::string& name : SortedListing(dir_))
      out += name + " ";
    return out;
  }

  std::unique_ptr<ScratchDirectory> scratch_;
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
  ASSERT_TRUE(SystemDisk().Remove(Path("a.h")));
  Prepare(&a, &b);
  EXPECT_FALSE(CommitOutputs(&a, &b, &failed, &error));
  EXPECT_EQ("", Listing());
}

// Making a symbolic link takes a privilege on Windows.
#ifndef _WIN32
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
#endif

TEST_F(StreamedOutputTest, UnchangedOutputsAreLeftUntouched) {
  std::ofstream(Path("a.h")) << "new a";
  std::ofstream(Path("a.cpp")) << "new b";
  ASSERT_TRUE(SetModificationTime(Path("a.h"), 1000));
  StreamedOutput a(disk_), b(disk_);
  Prepare(&a, &b);
  std::string failed, error;
  ASSERT_TRUE(CommitOutputs(&a, &b, &failed, &error));
  EXPECT_EQ(0, disk_.replaces);
  EXPECT_EQ(1000, ModificationTime(Path("a.h")));
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
