// ninja_check [--targets] <build.ninja>...: reads each ninja file strictly
// (included files relative to its directory, where ninja runs). One line per
// problem and exit status 1 when anything is wrong. --targets prints every
// output with its rule, as `ninja -t targets all` does, and the problems on
// standard error.

#include <cstdio>
#include <cstring>

#include "tests/ninja_checker/ninja_manifest_checker.h"

int main(int argc, char** argv) {
  bool targets = false;
  int files = 0;
  bool failed = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--targets") == 0) {
      targets = true;
      continue;
    }
    ++files;
    NinjaCheck check = CheckNinjaFile(argv[i]);
    for (const NinjaProblem& problem : check.problems) {
      std::fprintf(targets ? stderr : stdout, "%s%s\n",
                   FormatNinjaProblem(problem).c_str(),
                   problem.ninjaRejects ? "" : " [ninja accepts this]");
      failed = true;
    }
    if (targets) {
      for (const NinjaTarget& target : check.targets)
        std::printf("%s: %s\n", target.path.c_str(), target.rule.c_str());
    }
  }
  if (files == 0) {
    std::fprintf(stderr, "usage: ninja_check [--targets] <build.ninja>...\n");
    return 2;
  }
  return failed ? 1 : 0;
}
