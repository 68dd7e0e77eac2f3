// The Windows disk, checked under Wine by scripts/run-windows-tests.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/disk.h"
#include "base/interrupt.h"
#include "base/windows_text.h"
#include "output/output_file.h"
#include "tests/support/test_support.h"

namespace {

bool SetReadOnly(const std::string& path, bool read_only) {
  std::wstring wide;
  return Utf8ToWide(path, &wide) &&
         SetFileAttributesW(wide.c_str(), read_only ? FILE_ATTRIBUTE_READONLY
                                                    : FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsDiskTest, NonAsciiNamesRoundTrip) {
  ScratchDirectory scratch;
  Disk& disk = SystemDisk();
  std::string error;
  ASSERT_TRUE(disk.MakeDirectory("données", &error)) << error;
  ASSERT_TRUE(WriteFileIfChanged(disk, "données/表-ü.txt", "bytes\n", &error))
      << error;
  std::vector<DirectoryEntry> entries;
  ASSERT_TRUE(disk.ListDirectory("données", &entries, &error)) << error;
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "表-ü.txt");
  EXPECT_FALSE(entries[0].directory);
  std::string content;
  ASSERT_TRUE(disk.ReadFile("données\\表-ü.txt", 100, &content, &error));
  EXPECT_EQ(content, "bytes\n");
  FileStatus status = disk.Stat("données/表-ü.txt");
  EXPECT_EQ(status.kind, FileKind::kRegular);
  EXPECT_EQ(status.size, 6u);
  ASSERT_TRUE(disk.ChangeDirectory("données", &error)) << error;
  const std::string inside = disk.CurrentDirectory();
  const std::string tail = "/données";
  ASSERT_GT(inside.size(), tail.size());
  EXPECT_EQ(inside.substr(inside.size() - tail.size()), tail);
}

TEST(WindowsDiskTest, CanonicalPathsUseForwardSlashesWithOrWithoutDrive) {
  ScratchDirectory scratch;
  Disk& disk = SystemDisk();
  WriteTextFile("sub/x.txt", "x");
  const std::string canonical = disk.CanonicalPath("sub\\..\\sub\\x.txt");
  ASSERT_GT(canonical.size(), 3u);
  EXPECT_EQ(canonical, disk.CanonicalPath("sub/x.txt"));
  EXPECT_EQ(canonical[1], ':');
  EXPECT_EQ(canonical.find('\\'), std::string::npos);
  EXPECT_EQ(canonical.substr(canonical.size() - 10), "/sub/x.txt");
  EXPECT_EQ(disk.CanonicalPath("missing.txt"), "");

  // The same file on the current drive, named without its letter. (Wine
  // takes a path that starts with "/" for a Unix path, so this one starts
  // with a backslash.)
  const std::string here = disk.CurrentDirectory();
  ASSERT_EQ(here[1], ':');
  const std::string no_drive = "\\" + here.substr(3) + "/sub/x.txt";
  std::string error;
  std::string content;
  EXPECT_TRUE(disk.ReadFile(no_drive, 10, &content, &error)) << error;
  std::string backslashed = no_drive;
  for (char& c : backslashed)
    c = c == '/' ? '\\' : c;
  EXPECT_TRUE(disk.ReadFile(backslashed, 10, &content, &error)) << error;
  EXPECT_EQ(disk.CanonicalPath(backslashed), canonical);
}

TEST(WindowsDiskTest, FailuresAreWordedAsOnLinux) {
  ScratchDirectory scratch;
  Disk& disk = SystemDisk();
  WriteTextFile("file", "");
  MakeTestDirectory("dir");
  std::string content;
  std::string error;
  EXPECT_FALSE(disk.ReadFile("dir", 10, &content, &error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(disk.ReadFile("missing", 10, &content, &error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(disk.ReadFile("file/x", 10, &content, &error));
  EXPECT_EQ(error, "Not a directory");
  EXPECT_EQ(disk.Stat("file/x").error, "Not a directory");
  EXPECT_EQ(disk.Stat("dir/missing").error, "");
  EXPECT_FALSE(disk.CanEnterDirectory("file", &error));
  EXPECT_EQ(error, "Not a directory");
  EXPECT_FALSE(disk.ChangeDirectory("missing/deeper", &error));
  EXPECT_EQ(error, "No such file or directory");
  // Text that is no UTF-8 names no file, and says so.
  EXPECT_FALSE(disk.ReadFile("bad\xFF.txt", 10, &content, &error));
  EXPECT_EQ(error, "Invalid or incomplete multibyte or wide character");
  EXPECT_EQ(disk.Stat("bad\xFF.txt").kind, FileKind::kMissing);
}

TEST(WindowsDiskTest, ReadOnlyAttributeRefusesAChangeButNotTheSameContent) {
  ScratchDirectory scratch;
  CapturingReporter capture;
  WriteTextFile("locked.sln", "old");
  ASSERT_TRUE(SetReadOnly("locked.sln", true));
  EXPECT_TRUE(OutputWriter(SystemDisk(), capture.reporter(), "")
                  .Write("", "locked.sln", "old"));
  EXPECT_FALSE(capture.reporter().failed());
  EXPECT_FALSE(OutputWriter(SystemDisk(), capture.reporter(), "")
                   .Write("", "locked.sln", "new"));
  EXPECT_EQ(capture.err(),
            "qev: error: cannot write \"locked.sln\": Permission denied\n");
  EXPECT_EQ(ReadTextFile("locked.sln"), "old");
  EXPECT_EQ(SortedListing(""), std::vector<std::string>{"locked.sln"});
  ASSERT_TRUE(SetReadOnly("locked.sln", false));
}

TEST(WindowsDiskTest, PathsLongerThanMaxPathWork) {
  ScratchDirectory scratch;
  Disk& disk = SystemDisk();
  std::string path;
  std::string error;
  for (int i = 0; i < 6; ++i) {
    path += (i ? "/" : "") + std::string(60, static_cast<char>('a' + i));
    ASSERT_TRUE(disk.MakeDirectory(path, &error)) << error;
  }
  const std::string file = path + "/" + std::string(60, 'f') + ".txt";
  ASSERT_GT(file.size(), static_cast<size_t>(MAX_PATH));
  ASSERT_TRUE(WriteFileIfChanged(disk, file, "one", &error)) << error;
  ASSERT_TRUE(WriteFileIfChanged(disk, file, "two", &error)) << error;
  std::string content;
  ASSERT_TRUE(disk.ReadFile(file, 10, &content, &error)) << error;
  EXPECT_EQ(content, "two");
  std::vector<DirectoryEntry> entries;
  ASSERT_TRUE(disk.ListDirectory(path, &entries, &error)) << error;
  EXPECT_EQ(entries.size(), 1u);
}

TEST(WindowsDiskTest, PendingFilesWithAnyNameAreRemoved) {
  ScratchDirectory scratch;
  WriteTextFile("kept.txt", "");
  std::string error;
  TemporaryFile temporary;
  temporary.path = "temporary-é";
  bool exists = false;
  ASSERT_TRUE(SystemDisk().CreateNew(&temporary, 0, &exists, &error)) << error;
  ASSERT_TRUE(SystemDisk().Close(&temporary, &error));
  EXPECT_FALSE(SystemDisk().CreateNew(&temporary, 0, &exists, &error));
  EXPECT_TRUE(exists);
  ASSERT_TRUE(WriteFileIfChanged(SystemDisk(), "naïve.tmp", "", &error));
  int first = RememberPendingFile(temporary.path);
  int second = RememberPendingFile(scratch.path() + "/naïve.tmp");
  RemovePendingFiles();
  ForgetPendingFile(first);
  ForgetPendingFile(second);
  EXPECT_EQ(SortedListing(""), std::vector<std::string>{"kept.txt"});
}

// An interrupt may come while the temporary file is open for writing. A
// file removed while open stays until its last handle closes, and for a
// process that ends, that may be after the process is gone (under Wine it
// often is): the handler closes the handle first, so the file is gone at
// once.
TEST(WindowsDiskTest, PendingFilesStillOpenAreGoneAtOnce) {
  ScratchDirectory scratch;
  std::string error;
  TemporaryFile temporary;
  temporary.path = "open-temporary";
  temporary.slot = RememberPendingFile(temporary.path);
  bool exists = false;
  ASSERT_TRUE(SystemDisk().CreateNew(&temporary, 0, &exists, &error)) << error;
  ASSERT_TRUE(SystemDisk().Write(&temporary, "data", 4, &error)) << error;
  RemovePendingFiles();
  EXPECT_EQ(SortedListing(""), std::vector<std::string>{});
  ForgetPendingFile(temporary.slot);
}

}  // namespace
