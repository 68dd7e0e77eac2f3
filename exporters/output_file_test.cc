#include "exporters/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace {

// The names in the current directory, hidden ones included, sorted.
std::string Listing() {
  std::vector<std::string> names;
  DIR* dir = opendir(".");
  while (const dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names)
    listing += name + "\n";
  return listing;
}

}  // namespace

TEST(OutputFileTest, WritesIntoTheExportDirectoryOrElseHere) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  mkdir("out", 0777);
  EXPECT_TRUE(WriteOutputFile("out", "a.txt", "one\n", capture.reporter()));
  EXPECT_EQ(ReadTextFile("out/a.txt"), "one\n");
  EXPECT_TRUE(WriteOutputFile("", "b.txt", "two\n", capture.reporter()));
  EXPECT_EQ(capture.err(), "");
  EXPECT_TRUE(WriteOutputFile("missing", "c.txt", "3", capture.reporter()));
  EXPECT_EQ(ReadTextFile("c.txt"), "3");
  EXPECT_NE(capture.err().find("warning: cannot enter export directory "
                               "\"missing\""),
            std::string::npos);
  EXPECT_FALSE(capture.reporter().failed());
  EXPECT_EQ(Listing(), "b.txt\nc.txt\nout\n");
}

TEST(OutputFileTest, LeavesAFileWithTheSameContentUntouched) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  WriteTextFile("same.txt", "content");
  struct timespec old_time[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, "same.txt", old_time, 0), 0);
  EXPECT_TRUE(WriteOutputFile("", "same.txt", "content", capture.reporter()));
  struct stat info;
  ASSERT_EQ(stat("same.txt", &info), 0);
  EXPECT_EQ(info.st_mtime, 1000);

  // Same size, other bytes: replaced.
  EXPECT_TRUE(WriteOutputFile("", "same.txt", "CONTENT", capture.reporter()));
  EXPECT_EQ(ReadTextFile("same.txt"), "CONTENT");
  EXPECT_EQ(Listing(), "same.txt\n");
}

TEST(OutputFileTest, KeepsTheModeOfAReplacedFile) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  WriteTextFile("run.sh", "old");
  chmod("run.sh", 0750);
  EXPECT_TRUE(WriteOutputFile("", "run.sh", "new", capture.reporter()));
  struct stat info;
  ASSERT_EQ(stat("run.sh", &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0750u);
}

TEST(OutputFileTest, ReportsWhatCannotBeWrittenAndLeavesNothingBehind) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  mkdir("taken.txt", 0777);
  EXPECT_FALSE(WriteOutputFile("", "taken.txt", "x", capture.reporter()));
  EXPECT_NE(capture.err().find("error: cannot write \"taken.txt\": Is a "
                               "directory"),
            std::string::npos);
  EXPECT_TRUE(capture.reporter().failed());

  WriteTextFile("file", "");
  OutputFile inside_file(capture.reporter());
  EXPECT_FALSE(inside_file.Open("file/x.txt"));

  // An opened file that is never committed leaves no trace.
  {
    OutputFile abandoned(capture.reporter());
    EXPECT_TRUE(abandoned.Open("never.txt"));
  }
  EXPECT_EQ(Listing(), "file\ntaken.txt\n");
}

TEST(OutputFileTest, RefusesReadOnlyFilesAndDirectories) {
  if (geteuid() == 0)
    GTEST_SKIP() << "permissions do not restrict root";
  ScratchDirectory scratch;
  CapturingReporter capture;
  WriteTextFile("locked.txt", "old");
  chmod("locked.txt", 0444);
  EXPECT_FALSE(WriteOutputFile("", "locked.txt", "new", capture.reporter()));
  EXPECT_EQ(ReadTextFile("locked.txt"), "old");
  mkdir("ro", 0555);
  EXPECT_FALSE(WriteOutputFile("ro", "a.txt", "new", capture.reporter()));
  EXPECT_TRUE(capture.reporter().failed());
}
