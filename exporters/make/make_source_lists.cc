#include "exporters/make/make_source_lists.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/text.h"
#include "exporters/make/make_safe_name.h"
#include "model/model.h"

namespace {

std::string_view FileNameOf(std::string_view path) {
  size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path
                                             : path.substr(separator + 1);
}

// The extension with its dot, or empty when the file name has no dot.
std::string_view ExtensionOf(std::string_view path) {
  std::string_view name = FileNameOf(path);
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// What the compile rule filters the source list with: the object path below
// the objects directory, which is the source path with every "../" removed.
std::string RuleKey(const std::string& path) {
  std::string key;
  key.reserve(path.size());
  size_t i = 0;
  while (i < path.size()) {
    if (path.compare(i, 3, "../") == 0) {
      i += 3;
      continue;
    }
    key += path[i++];
  }
  return key;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() &&
         text.substr(text.size() - tail.size()) == tail;
}

// Appends a warning for each pair of `paths` (one kind, each once) where the
// rule key of one ends the other. Keys are indexed by their file name, so a
// path is compared only with those whose file name ends its own.
void WarnAmbiguousSources(const std::string& target,
                          const std::vector<const std::string*>& paths,
                          std::vector<std::string>* warnings) {
  std::vector<std::string> keys;
  keys.reserve(paths.size());
  std::unordered_map<std::string_view, std::vector<size_t>> by_file_name;
  for (const std::string* path : paths)
    keys.push_back(RuleKey(*path));
  for (size_t i = 0; i < paths.size(); ++i)
    by_file_name[FileNameOf(keys[i])].push_back(i);

  std::unordered_set<uint64_t> reported;
  for (size_t b = 0; b < paths.size(); ++b) {
    std::string_view name = FileNameOf(*paths[b]);
    for (size_t start = 0; start < name.size(); ++start) {
      auto found = by_file_name.find(name.substr(start));
      if (found == by_file_name.end())
        continue;
      for (size_t a : found->second) {
        if (a == b || !EndsWith(*paths[b], keys[a]))
          continue;
        size_t first = a < b ? a : b;
        size_t second = a < b ? b : a;
        if (!reported.insert(uint64_t{first} << 32 | second).second)
          continue;
        warnings->push_back("target \"" + target + "\": sources \"" +
                            *paths[first] + "\" and \"" + *paths[second] +
                            "\" are compiled by one make rule, which cannot "
                            "tell them apart; rename one, or use the ninja "
                            "tool (-t ninja)");
      }
    }
  }
}

}  // namespace

MakeFileKind MakeKindOf(const std::string& path) {
  std::string_view extension = ExtensionOf(path);
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
  std::string_view extension = ExtensionOf(path);
  if (extension == ".cpp" || extension == ".c")
    return false;
  for (const char* source : kSources) {
    if (EqualsNoCase(extension, source))
      return true;
  }
  return false;
}

namespace {

// The name the file search found on disk: what follows the last "/" of the
// path it reports (a "\" there is part of the name).
std::string_view DiskName(std::string_view path) {
  size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// `text` with control characters shown as "?", for a warning that must not
// move the terminal's cursor or add lines of its own.
std::string Printable(const std::string& text) {
  std::string shown = text;
  for (char& c : shown) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      c = '?';
  }
  return shown;
}

}  // namespace

MakeSourceLists CollectMakeSources(const Target& target) {
  MakeSourceLists lists;
  std::unordered_set<std::string_view> seen;
  std::vector<const std::string*> cpp_paths;
  std::vector<const std::string*> c_paths;
  for (const FileGroup& group : target.fileGroups) {
    for (const FileEntry& file : group.files) {
      const std::string& path = file.fullPath;
      if (!seen.insert(path).second)
        continue;
      MakeFileKind kind = MakeKindOf(path);
      if (kind == MakeFileKind::kUnbuilt) {
        if (IsSourceMakeCannotBuild(path)) {
          lists.warnings.push_back(
              "target \"" + target.name + "\": \"" + path +
              "\" is not built: make compiles only .cpp (C++) and .c (C) "
              "sources; use the ninja tool (-t ninja) for it");
        }
        continue;
      }
      // The name found on disk (the root and the pattern's directories are
      // the author's) must not become make or shell syntax.
      std::string unsafe = MakeUnsafeReason(DiskName(file.path));
      if (!unsafe.empty()) {
        lists.warnings.push_back(
            "target \"" + target.name + "\": \"" + Printable(path) +
            "\" is left out of the make output: " + unsafe +
            ", which make or the shell would "
            "read as syntax");
        continue;
      }
      if (kind == MakeFileKind::kCpp)
        cpp_paths.push_back(&path);
      else if (kind == MakeFileKind::kC)
        c_paths.push_back(&path);
      lists.entries.push_back({kind, path});
    }
  }
  WarnAmbiguousSources(target.name, cpp_paths, &lists.warnings);
  WarnAmbiguousSources(target.name, c_paths, &lists.warnings);
  return lists;
}
