#include "base/interrupt.h"

#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/interrupt_slots.h"

namespace {

bool Exists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

}  // namespace

TEST(InterruptTest, FilesRememberedOnSeveralThreadsAreAllRemoved) {
  const std::string directory = ::testing::TempDir();
  const int threads = 8;
  std::vector<std::string> paths(threads);
  std::vector<int> slots(threads, -1);
  std::atomic<int> ready{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < threads; ++i) {
    workers.emplace_back([&, i]() {
      paths[i] = directory + "/pending-" + std::to_string(i) + ".tmp";
      FileCreation creation;
      slots[i] = RememberPendingFile(paths[i]);
      std::FILE* file = std::fopen(paths[i].c_str(), "w");
      ASSERT_NE(file, nullptr);
      std::fclose(file);
      ++ready;
    });
  }
  for (std::thread& worker : workers)
    worker.join();
  ASSERT_EQ(ready.load(), threads);
  // Each file in a slot of its own.
  for (int i = 0; i < threads; ++i) {
    ASSERT_GE(slots[i], 0);
    for (int j = 0; j < i; ++j)
      EXPECT_NE(slots[i], slots[j]);
    EXPECT_TRUE(Exists(paths[i]));
  }
  // Creations that ended are not waited for.
  EXPECT_EQ(FileCreationsUnderWay().load(), 0);
  RemovePendingFiles();
  for (int i = 0; i < threads; ++i) {
    EXPECT_FALSE(Exists(paths[i])) << paths[i];
    ForgetPendingFile(slots[i]);
  }
}

TEST(InterruptTest, ForgottenFilesStay) {
  const std::string path = ::testing::TempDir() + "/kept.tmp";
  std::FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  int slot = RememberPendingFile(path);
  ASSERT_GE(slot, 0);
  ForgetPendingFile(slot);
  RemovePendingFiles();
  EXPECT_TRUE(Exists(path));
  std::remove(path.c_str());
}

TEST(InterruptTest, CreationsUnderWayAreCountedPerThread) {
  EXPECT_EQ(OwnFileCreations(), 0);
  {
    FileCreation outer;
    EXPECT_EQ(OwnFileCreations(), 1);
    EXPECT_EQ(FileCreationsUnderWay().load(), 1);
    std::thread other([]() { EXPECT_EQ(OwnFileCreations(), 0); });
    other.join();
  }
  EXPECT_EQ(OwnFileCreations(), 0);
  EXPECT_EQ(FileCreationsUnderWay().load(), 0);
}
