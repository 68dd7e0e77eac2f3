#include "exporters/make/target_order.h"

#include <string>
#include <unordered_set>

#include "base/text.h"
#include "model/model.h"

namespace {

// Targets with more dependencies than this answer DependsOn from a hash set
// instead of a scan of their list.
constexpr size_t kScanLimit = 16;

// What the sort needs to know about one target, prepared once so that the
// many comparisons of a large project stay cheap. Names are folded to lower
// case, so that equal keys mean names equal ignoring ASCII case.
struct SortEntry {
  const Target* target;
  std::string foldedName;
  std::unordered_set<std::string> foldedDependencies;
  bool indexed = false;
};

}  // namespace

bool DependsOn(const Target& a, const Target& b) {
  for (const std::string& dependency : b.dependencies) {
    if (EqualsNoCase(dependency, a.name))
      return true;
  }
  return false;
}

void SortTargetsByDependency(std::vector<const Target*>* targets) {
  std::vector<SortEntry> entries;
  entries.reserve(targets->size());
  for (const Target* target : *targets) {
    SortEntry entry{target, ToLowerAscii(target->name), {}};
    if (target->dependencies.size() > kScanLimit) {
      for (const std::string& dependency : target->dependencies)
        entry.foldedDependencies.insert(ToLowerAscii(dependency));
      entry.indexed = true;
    }
    entries.push_back(std::move(entry));
  }

  std::vector<size_t> order(entries.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  DependencySort(&order, [&entries](size_t a, size_t b) {
    const SortEntry& later = entries[b];
    if (later.indexed)
      return later.foldedDependencies.count(entries[a].foldedName) != 0;
    return DependsOn(*entries[a].target, *later.target);
  });

  for (size_t i = 0; i < order.size(); ++i)
    (*targets)[i] = entries[order[i]].target;
}
