#include "exporters/make/make_source_lists.h"

#include <algorithm>
#include <string_view>

#include "base/path.h"
#include "base/text.h"
#include "exporters/make/make_safe_name.h"
#include "model/model.h"

namespace {

// What the compile rule filters the source list with: the object path below
// the objects directory, which is the source path with every "../" removed.
std::string RuleKey(std::string_view path) {
  std::string key;
  key.reserve(path.size());
  size_t start = 0;
  for (size_t up = path.find("../"); up != std::string::npos;
       up = path.find("../", start)) {
    key.append(path.substr(start, up - start));
    start = up + 3;
  }
  key.append(path.substr(start));
  return key;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() &&
         text.substr(text.size() - tail.size()) == tail;
}

// True when the rule key of `path` is its file name alone: nothing but "../"
// comes before the file name. Such a key ends every path whose file name
// ends with it, whatever the directories.
bool KeyIsFileName(std::string_view path) {
  size_t prefix = path.size() - FileName(path).size();
  if (prefix % 3 != 0)
    return false;
  for (size_t i = 0; i < prefix; i += 3) {
    if (path.substr(i, 3) != "../")
      return false;
  }
  return true;
}

// Appends a warning for each pair of `paths` (one kind, each once) where the
// rule key of one ends the other, in the order of the sources. A key with a
// directory can only end a path of the same file name, so only paths that
// share a file name are compared, besides the rare keys that are file names.
void WarnAmbiguousSources(const std::string& target,
                          const std::vector<std::string_view>& paths,
                          std::vector<std::string>* warnings) {
  std::vector<std::pair<size_t, size_t>> pairs;
  auto check = [&](size_t a, size_t b, const std::string& key_a) {
    if (a != b && EndsWith(paths[b], key_a))
      pairs.emplace_back(a < b ? a : b, a < b ? b : a);
  };

  std::vector<std::string_view> names;
  names.reserve(paths.size());
  for (std::string_view path : paths)
    names.push_back(FileName(path));
  std::vector<size_t> order(paths.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::sort(order.begin(), order.end(),
            [&names](size_t a, size_t b) { return names[a] < names[b]; });
  for (size_t run = 0; run < order.size();) {
    std::string_view name = names[order[run]];
    size_t end = run + 1;
    while (end < order.size() && names[order[end]] == name)
      ++end;
    if (end - run > 1) {
      std::vector<std::string> keys;
      for (size_t i = run; i < end; ++i)
        keys.push_back(RuleKey(paths[order[i]]));
      for (size_t i = run; i < end; ++i) {
        for (size_t j = run; j < end; ++j)
          check(order[i], order[j], keys[i - run]);
      }
    }
    run = end;
  }

  // Keys that are file names end the paths whose file names end with them:
  // found as a range of the file names sorted from their last character.
  std::vector<std::string> reversed;
  std::vector<size_t> by_reversed;
  for (size_t a = 0; a < paths.size(); ++a) {
    if (!KeyIsFileName(paths[a]))
      continue;
    if (reversed.empty()) {
      for (std::string_view name : names)
        reversed.emplace_back(name.rbegin(), name.rend());
      by_reversed = order;
      std::sort(by_reversed.begin(), by_reversed.end(),
                [&reversed](size_t x, size_t y) {
                  return reversed[x] < reversed[y];
                });
    }
    std::string key = RuleKey(paths[a]);
    const std::string& tail = reversed[a];
    auto first = std::lower_bound(by_reversed.begin(), by_reversed.end(), tail,
                                  [&reversed](size_t x, const std::string& t) {
                                    return reversed[x] < t;
                                  });
    for (auto it = first; it != by_reversed.end() &&
                          reversed[*it].compare(0, tail.size(), tail) == 0;
         ++it)
      check(a, *it, key);
  }

  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  for (const auto& [first, second] : pairs) {
    warnings->push_back("target \"" + target + "\": sources \"" +
                        std::string(paths[first]) + "\" and \"" +
                        std::string(paths[second]) +
                        "\" are compiled by one make rule, which cannot tell "
                        "them apart; rename one, or use the ninja tool "
                        "(-t ninja)");
  }
}

}  // namespace

MakeFileKind MakeKindOf(const std::string& path) {
  std::string_view extension = FileExtension(path);
  if (extension == ".cpp")
    return MakeFileKind::kCpp;
  if (extension == ".c")
    return MakeFileKind::kC;
  if (extension == ".a" || extension == ".lib")
    return MakeFileKind::kLinkInput;
  return MakeFileKind::kUnbuilt;
}

bool IsSourceMakeCannotBuild(const std::string& path) {
  static const char* const kSources[] = {".cpp", ".c", ".cc", ".cxx",
                                         ".c++", ".s", ".m",  ".mm"};
  std::string_view extension = FileExtension(path);
  if (extension == ".cpp" || extension == ".c")
    return false;
  for (const char* source : kSources) {
    if (EqualsNoCase(extension, source))
      return true;
  }
  return false;
}

MakeSourceLists CollectMakeSources(const Target& target) {
  // Directories are never compiled or linked.
  std::vector<const FileEntry*> all;
  for (const FileGroup& group : target.fileGroups) {
    for (const FileEntry& file : group.files) {
      if (!file.directory)
        all.push_back(&file);
    }
  }
  // Files are told apart by their normalised paths ("./a.cpp" is "a.cpp");
  // most paths are normalised already.
  std::vector<std::string> normalised;
  std::vector<std::string_view> keys;
  keys.reserve(all.size());
  for (const FileEntry* file : all) {
    const std::string& path = file->fullPath;
    if (IsNormalizedPath(path)) {
      keys.push_back(path);
      continue;
    }
    normalised.push_back(JoinNormalized(
        std::string_view(path).substr(0, path.size() - file->name().size()),
        file->name()));
    keys.push_back(std::string_view());
  }
  for (size_t i = 0, next = 0; i < keys.size(); ++i) {
    if (keys[i].data() == nullptr)
      keys[i] = normalised[next++];
  }
  // Later occurrences of a path: sorted by key, equal ones in the order of
  // the groups.
  std::vector<size_t> order(all.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::sort(order.begin(), order.end(), [&keys](size_t a, size_t b) {
    int compared = keys[a].compare(keys[b]);
    return compared < 0 || (compared == 0 && a < b);
  });
  std::vector<bool> repeated(all.size(), false);
  for (size_t k = 1; k < order.size(); ++k) {
    if (keys[order[k]] == keys[order[k - 1]])
      repeated[order[k]] = true;
  }

  MakeSourceLists lists;
  std::vector<std::string_view> cpp_paths;
  std::vector<std::string_view> c_paths;
  for (size_t i = 0; i < all.size(); ++i) {
    if (repeated[i])
      continue;
    const std::string& path = all[i]->fullPath;
    MakeFileKind kind = MakeKindOf(path);
    if (kind == MakeFileKind::kUnbuilt) {
      if (IsSourceMakeCannotBuild(path)) {
        lists.warnings.push_back(
            "target \"" + target.name + "\": \"" + Printable(path) +
            "\" is not built: make compiles only .cpp (C++) and .c (C) "
            "sources; use the ninja tool (-t ninja) for it");
      }
      continue;
    }
    // The name found on disk (the root and the pattern's directories are the
    // author's) must not become make or shell syntax.
    std::string unsafe = MakeUnsafeReason(all[i]->name());
    if (!unsafe.empty()) {
      lists.warnings.push_back("target \"" + target.name + "\": \"" +
                               Printable(path) +
                               "\" is left out of the make output: " + unsafe +
                               ", which make or the shell would read as "
                               "syntax");
      continue;
    }
    if (kind == MakeFileKind::kCpp)
      cpp_paths.push_back(path);
    else if (kind == MakeFileKind::kC)
      c_paths.push_back(path);
    lists.entries.push_back({kind, path});
  }
  WarnAmbiguousSources(target.name, cpp_paths, &lists.warnings);
  WarnAmbiguousSources(target.name, c_paths, &lists.warnings);
  return lists;
}
