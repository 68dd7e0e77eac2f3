#ifndef QEV_EXPORTERS_MAKE_TARGET_ORDER_H_
#define QEV_EXPORTERS_MAKE_TARGET_ORDER_H_

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

struct Target;

// True when one of `b`'s dependencies names `a` (ASCII case ignored): `a` is
// then written before `b`.
bool DependsOn(const Target& a, const Target& b);

// The order in which the project makefile lists targets: a stable sort of
// `targets` under DependsOn (see DependencySort).
void SortTargetsByDependency(std::vector<const Target*>* targets);

// Sequences this long or shorter are sorted by insertion alone; longer ones
// are cut into runs of this length.
constexpr size_t kDependencySortRun = 32;

// Sorts items[first, last) by insertion: each element, from the second on,
// goes to the front when it is `before` the first element, otherwise in
// front of the unbroken run of elements directly before it that it is
// `before`.
template <typename T, typename Before>
void InsertionSortRun(std::vector<T>* items,
                      size_t first,
                      size_t last,
                      Before before) {
  std::vector<T>& v = *items;
  for (size_t i = first + 1; i < last; ++i) {
    T element = std::move(v[i]);
    size_t j = i;
    if (before(element, v[first])) {
      j = first;
    } else {
      while (j > first + 1 && before(element, v[j - 1]))
        --j;
    }
    std::move_backward(v.begin() + j, v.begin() + i, v.begin() + i + 1);
    v[j] = std::move(element);
  }
}

// Sorts `items` stably by the predicate `before`, which need be no ordering
// (it may be intransitive or hold both ways), so the procedure itself fixes
// the result: up to kDependencySortRun elements are sorted by insertion;
// longer sequences are cut into runs of that length from the front, each run
// is sorted by insertion, and the runs are merged bottom-up in pairs, left
// run with the run to its right. A merge takes the head of the right run
// first only when it is `before` the head of the left run.
template <typename T, typename Before>
void DependencySort(std::vector<T>* items, Before before) {
  const size_t size = items->size();
  for (size_t first = 0; first < size; first += kDependencySortRun)
    InsertionSortRun(items, first, std::min(size, first + kDependencySortRun),
                     before);
  if (size <= kDependencySortRun)
    return;

  std::vector<T> merged;
  merged.reserve(size);
  for (size_t width = kDependencySortRun; width < size; width *= 2) {
    merged.clear();
    std::vector<T>& v = *items;
    for (size_t first = 0; first < size; first += 2 * width) {
      size_t middle = std::min(size, first + width);
      size_t last = std::min(size, first + 2 * width);
      size_t left = first;
      size_t right = middle;
      while (left < middle && right < last) {
        if (before(v[right], v[left]))
          merged.push_back(std::move(v[right++]));
        else
          merged.push_back(std::move(v[left++]));
      }
      for (; left < middle; ++left)
        merged.push_back(std::move(v[left]));
      for (; right < last; ++right)
        merged.push_back(std::move(v[right]));
    }
    items->swap(merged);
  }
}

#endif  // QEV_EXPORTERS_MAKE_TARGET_ORDER_H_
