#ifndef QEV_TESTS_NINJA_CHECKER_NINJA_MANIFEST_CHECKER_H_
#define QEV_TESTS_NINJA_CHECKER_NINJA_MANIFEST_CHECKER_H_

#include <functional>
#include <string>
#include <vector>

// A strict reader of ninja build files (ninja 1.11), written from ninja's
// manual and checked against the real ninja: it reads what ninja reads,
// stops where ninja's manifest parser stops with an error, and also reports
// what ninja accepts but a generator never means: a "|" glued to a path
// (ninja cuts the path there), a variable that is not defined where ninja
// expands it at once, "$name.x" where "${name.x}" is defined, a deps type
// ninja cannot read, a phony edge that names its own output as an input,
// and NUL bytes.

struct NinjaProblem {
  std::string file;
  int line = 0;
  std::string message;
  // True when ninja itself refuses the file here; false for the findings
  // that ninja accepts.
  bool ninjaRejects = false;
};

// One output of an edge and the edge's rule, as `ninja -t targets all`
// prints them.
struct NinjaTarget {
  std::string path;
  std::string rule;
};

struct NinjaCheck {
  std::vector<NinjaProblem> problems;
  // Every output read, in the order ninja keeps them (up to the first
  // problem that ninja refuses).
  std::vector<NinjaTarget> targets;
  std::vector<std::string> defaults;
};

// Reads the file that `include` or `subninja` names (as written, relative
// to the directory ninja runs in); false with the reason in `*error`.
using NinjaFileReader = std::function<
    bool(const std::string& path, std::string* content, std::string* error)>;

// Checks the manifest `text`, named `name` in problems. Without a reader,
// every include fails to load.
NinjaCheck CheckNinjaManifest(const std::string& name,
                              const std::string& text,
                              const NinjaFileReader& reader = nullptr);

// Checks the file at `path`; included files are read relative to the
// directory that holds it, where ninja would run.
NinjaCheck CheckNinjaFile(const std::string& path);

// "file:line: message".
std::string FormatNinjaProblem(const NinjaProblem& problem);

// A path as ninja stores it: "." components and repeated "/" dropped, "x/.."
// folded, "." for nothing.
std::string CanonicalNinjaPath(const std::string& path);

#endif  // QEV_TESTS_NINJA_CHECKER_NINJA_MANIFEST_CHECKER_H_
