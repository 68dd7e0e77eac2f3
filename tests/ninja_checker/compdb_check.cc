// compdb_check <compile_commands.json>...: reads each file as strict JSON
// and as a compilation database. One line per problem and exit status 1 when
// anything is wrong.

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/ninja_checker/compile_db_checker.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: compdb_check <compile_commands.json>...\n");
    return 2;
  }
  bool failed = false;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::printf("%s: cannot be read\n", argv[i]);
      failed = true;
      continue;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    int entries = 0;
    for (const JsonProblem& problem :
         CheckCompileDatabase(buffer.str(), &entries)) {
      std::printf("%s:%s\n", argv[i], FormatJsonProblem(problem).c_str());
      failed = true;
    }
    std::printf("%s: %d entries\n", argv[i], entries);
  }
  return failed ? 1 : 0;
}
