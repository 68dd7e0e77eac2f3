#ifndef QEV_TESTS_LAYERING_LAYER_RULES_H_
#define QEV_TESTS_LAYERING_LAYER_RULES_H_

#include <functional>
#include <string>
#include <vector>

// The layering of the source tree: which folders each folder's files may
// include, read from a small table (tests/layering/layers.txt), and the check
// of every `#include "..."` against it. Paths are relative to the project
// root and separated by "/".

struct LayerViolation {
  std::string file;
  int line = 0;  // 0 for a problem of the file as a whole
  std::string message;
};

// "file:line: message", or "file: message" without a line.
std::string FormatViolation(const LayerViolation& violation);

class LayerRules {
 public:
  // Reads the table; false with `*error` ("<tableName>:<line>: ...") when a
  // line is malformed. `tableName` is how messages name the table.
  bool Parse(const std::string& text,
             const std::string& tableName,
             std::string* error);

  // True for folders the check leaves out (fixtures that are not built).
  bool Skipped(const std::string& folder) const;

  // The problems of one source file: includes that break the table, that go
  // up or out with "..", "." or an absolute path, and a file that no line of
  // the table places. `exists` tells whether a path names a file of the tree;
  // an include is looked up beside the file first, as compilers do.
  std::vector<LayerViolation> CheckFile(
      const std::string& path,
      const std::string& text,
      const std::function<bool(const std::string&)>& exists);

  // Exceptions that allowed no include of the files checked so far: the
  // sideways includes they name are gone, and so must the lines be.
  std::vector<std::string> UnusedExceptions() const;

 private:
  struct Rule {
    std::string layer;  // a folder, a folder pattern or a file-name pattern
    std::vector<std::string> mayInclude;
    std::vector<std::string> includedBy;
  };
  struct Exception {
    std::string includer;               // a layer or a file
    std::vector<std::string> included;  // layers or files
    int line = 0;
    std::string text;
    bool used = false;
  };
  // The rule placing a folder (nullptr when none) and the folder's layer.
  const Rule* FolderRule(const std::string& folder, std::string* layer) const;
  // The rule placing a source file and its layer.
  const Rule* FileRule(const std::string& path, std::string* layer) const;
  bool Allowed(const Rule& rule,
               const std::string& layer,
               const std::string& targetLayer) const;
  bool Excepted(const std::string& path,
                const std::string& layer,
                const std::string& target,
                const std::string& targetLayer);
  std::string AllowedList(const Rule& rule, const std::string& layer) const;

  std::string tableName_;
  std::vector<Rule> rules_;
  std::vector<Exception> exceptions_;
  std::vector<std::string> skipped_;
};

#endif  // QEV_TESTS_LAYERING_LAYER_RULES_H_
