#include "exporters/make/target_order.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/model.h"

namespace {

// Targets of one project, made from "name:dependency,dependency" entries.
class TargetOrderTest : public ::testing::Test {
 protected:
  std::vector<const Target*> Make(const std::vector<std::string>& entries) {
    std::vector<const Target*> made;
    for (const std::string& entry : entries) {
      size_t colon = entry.find(':');
      auto target = std::make_unique<Target>(entry.substr(0, colon), &project_);
      if (colon != std::string::npos) {
        std::string rest = entry.substr(colon + 1);
        for (size_t start = 0; start <= rest.size();) {
          size_t comma = rest.find(',', start);
          if (comma == std::string::npos)
            comma = rest.size();
          target->AddDependency(rest.substr(start, comma - start));
          start = comma + 1;
        }
      }
      made.push_back(target.get());
      project_.AddTarget(std::move(target));
    }
    return made;
  }

  static std::string Names(const std::vector<const Target*>& targets) {
    std::string names;
    for (const Target* target : targets)
      names += (names.empty() ? "" : " ") + target->name;
    return names;
  }

  std::string Sorted(const std::vector<std::string>& entries) {
    std::vector<const Target*> targets = Make(entries);
    SortTargetsByDependency(&targets);
    return Names(targets);
  }

  Project project_{"p"};
};

// Sorts 0..count-1 under a predicate given as the set of pairs (a, b) for
// which a goes before b.
std::vector<int> SortNumbers(int count, std::set<std::pair<int, int>> before) {
  std::vector<int> numbers;
  for (int i = 0; i < count; ++i)
    numbers.push_back(i);
  DependencySort(&numbers, [&before](int a, int b) {
    return before.count({a, b}) != 0;
  });
  return numbers;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int i = first; i < last; ++i)
    numbers.push_back(i);
  return numbers;
}

}  // namespace

TEST_F(TargetOrderTest, DependsOnLooksAtTheSecondTargetsListIgnoringCase) {
  std::vector<const Target*> t = Make({"Core", "app:CORE"});
  EXPECT_TRUE(DependsOn(*t[0], *t[1]));
  EXPECT_FALSE(DependsOn(*t[1], *t[0]));
}

TEST_F(TargetOrderTest, ShortSequencesMoveDependenciesForward) {
  EXPECT_EQ(Sorted({"app:core", "gui", "core"}), "core app gui");
  EXPECT_EQ(Sorted({"app:gfx", "gfx:base", "base"}), "base gfx app");
  EXPECT_EQ(Sorted({"app:core", "core:app"}), "core app");
  EXPECT_EQ(Sorted({"net", "gfx", "snd"}), "net gfx snd");
}

TEST_F(TargetOrderTest, AnElementPassesOnlyTheUnbrokenRunBeforeIt) {
  // e goes before x and z but not before y: it only passes z.
  EXPECT_EQ(Sorted({"p", "x:e", "y", "z:e", "e"}), "p x y e z");
}

TEST_F(TargetOrderTest, LongDependencyListsGiveTheSameOrder) {
  std::vector<std::string> entries;
  std::string many = "app:";
  for (int i = 0; i < 20; ++i)
    many += "other" + std::to_string(i) + ",";
  entries.push_back(many + "CORE");
  entries.push_back("gui");
  entries.push_back("core");
  EXPECT_EQ(Sorted(entries), "core app gui");
}

TEST(DependencySortTest, LongSequencesMergeRunsOfThirtyTwoByTheirHeads) {
  // 40 elements: runs [0, 32) and [32, 40); 39 goes before 32 and 1.
  std::vector<int> expected = {0, 39, 1};
  for (int i = 2; i < 32; ++i)
    expected.push_back(i);
  for (int i = 32; i < 39; ++i)
    expected.push_back(i);
  EXPECT_EQ(SortNumbers(40, {{39, 32}, {39, 1}}), expected);
}

TEST(DependencySortTest, AnOddLastRunIsMergedWithEverythingBeforeIt) {
  // 70 elements: [0, 64) is merged first, then with the run [64, 70), in
  // which 66 moved to the front. Only run heads are compared, so 65, which
  // also goes before 0, stays behind.
  std::vector<int> expected = {66};
  for (int i : Range(0, 66))
    expected.push_back(i);
  for (int i : Range(67, 70))
    expected.push_back(i);
  EXPECT_EQ(SortNumbers(70, {{66, 64}, {66, 0}, {65, 0}}), expected);
}

TEST(DependencySortTest, UnorderedElementsKeepTheirOrder) {
  EXPECT_EQ(SortNumbers(100, {}), Range(0, 100));
}
