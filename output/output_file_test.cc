#include "output/output_file.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/failing_disk.h"
#include "tests/support/test_support.h"

namespace {

// The names in the current directory, hidden ones included, sorted.
std::string Listing() {
  std::string listing;
  for (const std::string& name : SortedListing(""))
    listing += name + "\n";
  return listing;
}

// Writes `name` into the export directory `directory` as an exporter does.
bool WriteOutputFile(const std::string& directory,
                     const std::string& name,
                     const std::string& content,
                     Reporter& reporter) {
  OutputWriter output(SystemDisk(), reporter, "");
  return output.Write(output.ExportDirectory(directory, name), name, content);
}

}  // namespace

TEST(OutputFileTest, WritesIntoTheExportDirectoryOrElseHere) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  MakeTestDirectory("out");
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

TEST(OutputFileTest, ExportDirectoriesWrittenOnWindowsWorkEverywhere) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  MakeTestDirectory("build");
  MakeTestDirectory("build/vs");
  OutputWriter output(SystemDisk(), capture.reporter(), "");
  EXPECT_EQ(output.ExportDirectory("build\\vs", "x.sln"), "build/vs");
  EXPECT_TRUE(WriteOutputFile("build\\vs\\", "a.txt", "1", capture.reporter()));
  EXPECT_EQ(ReadTextFile("build/vs/a.txt"), "1");
  EXPECT_EQ(capture.err(), "");
}

TEST(OutputFileTest, PathsStartAtTheBaseAndAreNamedFromIt) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  MakeTestDirectory("import");
  MakeTestDirectory("import/out");
  MakeTestDirectory("import/taken.txt");
  OutputWriter output(SystemDisk(), capture.reporter(), "import");
  EXPECT_EQ(output.ExportDirectory("out", "a.txt"), "out");
  EXPECT_TRUE(output.Write("out", "a.txt", "a"));
  EXPECT_EQ(ReadTextFile("import/out/a.txt"), "a");
  EXPECT_EQ(output.ExportDirectory("gone", "b.txt"), "");
  EXPECT_FALSE(output.Write("", "taken.txt", "x"));
  EXPECT_EQ(capture.err(),
            "qev: warning: cannot enter export directory \"gone\" (No such "
            "file or directory); writing \"b.txt\" in the current directory\n"
            "qev: error: cannot write \"taken.txt\": Is a directory\n");
}

TEST(OutputFileTest, LeavesAFileWithTheSameContentUntouched) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  WriteTextFile("same.txt", "content");
  ASSERT_TRUE(SetModificationTime("same.txt", 1000));
  EXPECT_TRUE(WriteOutputFile("", "same.txt", "content", capture.reporter()));
  EXPECT_EQ(ModificationTime("same.txt"), 1000);

  // Same size, other bytes: replaced.
  EXPECT_TRUE(WriteOutputFile("", "same.txt", "CONTENT", capture.reporter()));
  EXPECT_EQ(ReadTextFile("same.txt"), "CONTENT");
  EXPECT_EQ(Listing(), "same.txt\n");
}

// Windows keeps no permission bits; its read-only attribute is tested with
// the Windows disk.
#ifndef _WIN32
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
#endif

TEST(OutputFileTest, ReportsWhatCannotBeWrittenAndLeavesNothingBehind) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  MakeTestDirectory("taken.txt");
  EXPECT_FALSE(WriteOutputFile("", "taken.txt", "x", capture.reporter()));
  EXPECT_NE(capture.err().find("error: cannot write \"taken.txt\": Is a "
                               "directory"),
            std::string::npos);
  EXPECT_TRUE(capture.reporter().failed());

  WriteTextFile("file", "");
  std::string error;
  EXPECT_FALSE(WriteFileIfChanged(SystemDisk(), "file/x.txt", "x", &error));
  EXPECT_EQ(error, "Not a directory");
  EXPECT_FALSE(CanHoldOutput(SystemDisk(), "taken.txt", &error));
  EXPECT_TRUE(CanHoldOutput(SystemDisk(), "new.txt", &error));
  EXPECT_EQ(Listing(), "file\ntaken.txt\n");
}

TEST(OutputFileTest, FailuresOnTheWayLeaveTheOldFileAndNoTemporary) {
  ScratchDirectory scratch;
  WriteTextFile("a.txt", "old");
  FailingDisk disk;
  std::string error;
  disk.writeBudget = 2;
  EXPECT_FALSE(WriteFileIfChanged(disk, "a.txt", "new content", &error));
  EXPECT_EQ(error, "No space left on device");
  disk.writeBudget = static_cast<size_t>(-1);
  disk.failReplaceTo = "a.txt";
  EXPECT_FALSE(WriteFileIfChanged(disk, "a.txt", "new content", &error));
  EXPECT_EQ(error, "Device or resource busy");
  EXPECT_EQ(ReadTextFile("a.txt"), "old");
  EXPECT_EQ(Listing(), "a.txt\n");

  // Content that is already there needs no temporary file at all, so a
  // directory that cannot take one does not matter.
  disk.failCreate = true;
  bool changed = true;
  EXPECT_TRUE(WriteFileIfChanged(disk, "a.txt", "old", &error, &changed));
  EXPECT_FALSE(changed);
  EXPECT_FALSE(WriteFileIfChanged(disk, "a.txt", "other", &error));
  EXPECT_EQ(disk.temporaries, 2);
}

TEST(OutputFileTest, TemporaryNamesStayShortBesideLongNames) {
  ScratchDirectory scratch;
  // The longest name most file systems allow.
  const std::string name(255, 'n');
  std::string error;
  EXPECT_TRUE(WriteFileIfChanged(SystemDisk(), name, "x", &error)) << error;
  EXPECT_TRUE(WriteFileIfChanged(SystemDisk(), name, "y", &error)) << error;
  EXPECT_EQ(ReadTextFile(name), "y");
}

#ifndef _WIN32
TEST(OutputFileTest, RefusesReadOnlyFilesAndDirectories) {
  if (geteuid() == 0)
    GTEST_SKIP() << "permissions do not restrict root";
  ScratchDirectory scratch;
  CapturingReporter capture;
  WriteTextFile("locked.txt", "old");
  chmod("locked.txt", 0444);
  // Unchanged content succeeds whatever the permissions.
  EXPECT_TRUE(WriteOutputFile("", "locked.txt", "old", capture.reporter()));
  EXPECT_FALSE(capture.reporter().failed());
  EXPECT_FALSE(WriteOutputFile("", "locked.txt", "new", capture.reporter()));
  EXPECT_EQ(ReadTextFile("locked.txt"), "old");
  mkdir("ro", 0755);
  WriteTextFile("ro/same.txt", "same");
  chmod("ro", 0555);
  EXPECT_TRUE(WriteOutputFile("ro", "same.txt", "same", capture.reporter()));
  EXPECT_FALSE(WriteOutputFile("ro", "a.txt", "new", capture.reporter()));
  EXPECT_TRUE(capture.reporter().failed());
  chmod("ro", 0755);
}
#endif
