#include "base/ordered_work.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

TEST(RunOrderedTest, CommitsEveryItemOnceInOrderWhateverTheThreads) {
  for (int jobs : {0, 1, 2, 3, 8, 40}) {
    const size_t count = 257;
    std::vector<int> worked(count, 0);
    std::vector<size_t> committed;
    RunOrdered(
        count, jobs,
        [&](size_t i) {
          // Items finish out of order: later ones are quicker.
          if (i % 7 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(300));
          worked[i] += 1;
        },
        [&](size_t i) {
          // Its work is done before its commit.
          EXPECT_EQ(worked[i], 1) << "item " << i << ", jobs " << jobs;
          committed.push_back(i);
        });
    ASSERT_EQ(committed.size(), count) << "jobs " << jobs;
    for (size_t i = 0; i < count; ++i)
      EXPECT_EQ(committed[i], i);
  }
}

TEST(RunOrderedTest, OneJobIsThePlainLoop) {
  std::vector<std::string> calls;
  RunOrdered(
      3, 1, [&](size_t i) { calls.push_back("work " + std::to_string(i)); },
      [&](size_t i) { calls.push_back("commit " + std::to_string(i)); });
  EXPECT_EQ(calls,
            (std::vector<std::string>{"work 0", "commit 0", "work 1",
                                      "commit 1", "work 2", "commit 2"}));
}

TEST(RunOrderedTest, NoItemsNothingRuns) {
  bool called = false;
  RunOrdered(
      0, 4, [&](size_t) { called = true; }, [&](size_t) { called = true; });
  EXPECT_FALSE(called);
}

TEST(RunOrderedTest, WorkUsesSeveralThreadsAndStaysWithinTheWindow) {
  const size_t count = 400;
  const int jobs = 4;
  std::atomic<size_t> committed{0};
  std::atomic<size_t> furthest_ahead{0};
  std::atomic<int> running{0};
  std::atomic<int> most_running{0};
  RunOrdered(
      count, jobs,
      [&](size_t i) {
        int now = ++running;
        int seen = most_running.load();
        while (now > seen && !most_running.compare_exchange_weak(seen, now)) {
        }
        // The first two items wait for each other, so the test sees two
        // threads at work however slowly they are started.
        if (i < 2) {
          const auto deadline =
              std::chrono::steady_clock::now() + std::chrono::seconds(5);
          while (running.load() < 2 &&
                 std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        }
        size_t ahead = i - committed.load();
        size_t known = furthest_ahead.load();
        while (ahead > known &&
               !furthest_ahead.compare_exchange_weak(known, ahead)) {
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        --running;
      },
      [&](size_t) { ++committed; });
  EXPECT_EQ(committed.load(), count);
  EXPECT_GT(most_running.load(), 1);
  EXPECT_LE(most_running.load(), jobs);
  // Never more than the window (8 items a thread) past the commits.
  EXPECT_LE(furthest_ahead.load(), static_cast<size_t>(jobs) * 8);
}

TEST(EffectiveJobsTest, ChosenElseTheHostsAtMostTheLimit) {
  EXPECT_EQ(EffectiveJobs(1), 1);
  EXPECT_EQ(EffectiveJobs(3), 3);
  EXPECT_EQ(EffectiveJobs(1000), kMaxJobs);
  EXPECT_EQ(EffectiveJobs(0), std::min(HostThreadCount(), kMaxJobs));
  EXPECT_GE(HostThreadCount(), 1);
}
