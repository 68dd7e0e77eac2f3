// layering_check <source root> <table>: checks every `#include "..."` of the
// sources below the root against the table of allowed includes. Prints one
// line per problem and exits 1 when there is any, 2 when it cannot run.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/layering/layer_rules.h"

namespace fs = std::filesystem;

namespace {

bool ReadFile(const fs::path& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  *text = content.str();
  return !in.bad() && in.is_open();
}

bool IsSource(const fs::path& path) {
  static const char* const kExtensions[] = {".h",  ".hh",  ".hpp", ".c",
                                            ".cc", ".cpp", ".cxx", ".inc"};
  std::string extension = path.extension().string();
  return std::find(std::begin(kExtensions), std::end(kExtensions), extension) !=
         std::end(kExtensions);
}

// The source files below `root`, sorted, leaving out hidden folders, build
// trees (a CMakeCache.txt marks them) and the folders the table skips.
bool ListSources(const fs::path& root,
                 const LayerRules& rules,
                 std::vector<std::string>* files) {
  std::error_code error;
  fs::recursive_directory_iterator it(root, error), end;
  for (; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    std::string relative = path.lexically_relative(root).generic_string();
    std::error_code ignored;
    if (it->is_directory(ignored)) {
      if (path.filename().string()[0] == '.' || rules.Skipped(relative) ||
          fs::exists(path / "CMakeCache.txt", ignored))
        it.disable_recursion_pending();
    } else if (IsSource(path) && it->is_regular_file(ignored)) {
      files->push_back(relative);
    }
  }
  if (error) {
    std::fprintf(stderr, "layering_check: %s: %s\n", root.string().c_str(),
                 error.message().c_str());
    return false;
  }
  std::sort(files->begin(), files->end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: layering_check <source root> <table>\n");
    return 2;
  }
  fs::path root = fs::absolute(argv[1]).lexically_normal();
  if (!root.has_filename() && root != root.root_path())
    root = root.parent_path();
  fs::path tablePath = fs::absolute(argv[2]).lexically_normal();
  std::string tableName = tablePath.lexically_relative(root).generic_string();
  if (tableName.empty() || tableName.compare(0, 2, "..") == 0)
    tableName = tablePath.generic_string();

  std::string table;
  if (!ReadFile(tablePath, &table)) {
    std::fprintf(stderr, "layering_check: cannot read %s\n", argv[2]);
    return 2;
  }
  LayerRules rules;
  std::string error;
  if (!rules.Parse(table, tableName, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  std::vector<std::string> files;
  if (!ListSources(root, rules, &files))
    return 2;

  auto exists = [&root](const std::string& path) {
    std::error_code ignored;
    return fs::is_regular_file(root / path, ignored);
  };
  int problems = 0;
  for (const std::string& file : files) {
    std::string text;
    if (!ReadFile(root / file, &text)) {
      std::printf("%s: cannot be read\n", file.c_str());
      ++problems;
      continue;
    }
    for (const LayerViolation& violation :
         rules.CheckFile(file, text, exists)) {
      std::printf("%s\n", FormatViolation(violation).c_str());
      ++problems;
    }
  }
  for (const std::string& unused : rules.UnusedExceptions()) {
    std::printf("%s\n", unused.c_str());
    ++problems;
  }
  std::printf("%zu source files checked against %s: %d problem%s\n",
              files.size(), tableName.c_str(), problems,
              problems == 1 ? "" : "s");
  return problems ? 1 : 0;
}
