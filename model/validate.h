#ifndef QEV_MODEL_VALIDATE_H_
#define QEV_MODEL_VALIDATE_H_

#include <string>
#include <vector>

struct Workspace;

// One finding about a loaded description, its message starting with the
// description's file name and, where known, the line: "game.qev:12: ...".
struct Finding {
  bool error = false;  // an error fails the run; a warning does not
  std::string message;
};

// Checks what the workspace read and removes what cannot be exported:
// projects and targets without a name, and each target named like an
// earlier one of its project (errors). Templates (targets with
// show="false") are set aside in Project::templates. Warns about dependencies
// that name no target of the project, suggesting one whose name differs only in
// letter case. Findings come in the order of the description, each once.
std::vector<Finding> ValidateWorkspace(Workspace& workspace);

#endif  // QEV_MODEL_VALIDATE_H_
