// vc17_check [--sources] <directory>...: runs the strict reader over the
// Visual Studio 2022 files below each directory. Exit status 1 and one line
// per problem when anything is wrong.

#include <cstdio>
#include <cstring>

#include "tests/vc17_checker/vc17_checker.h"

int main(int argc, char** argv) {
  CheckOptions options;
  int failures = 0;
  int directories = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sources") == 0) {
      options.sourcesExist = true;
      continue;
    }
    ++directories;
    int files = 0;
    for (const std::string& problem : CheckVC17Tree(argv[i], options, &files)) {
      std::printf("%s\n", problem.c_str());
      ++failures;
    }
    std::printf("%s: %d files checked\n", argv[i], files);
  }
  if (directories == 0) {
    std::fprintf(stderr, "usage: vc17_check [--sources] <directory>...\n");
    return 2;
  }
  return failures ? 1 : 0;
}
