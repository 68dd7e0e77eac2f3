#ifndef QEV_DRIVER_EXPORT_PROJECTS_H_
#define QEV_DRIVER_EXPORT_PROJECTS_H_

#include <memory>
#include <string>

class QEVExporter;
class Reporter;
struct Workspace;

// The exporter that a tool name selects ("VC7", "VC71", "VC8", "make",
// "xcode", ASCII case ignored, whole names only), or null.
std::unique_ptr<QEVExporter> CreateExporter(const std::string& tool,
                                            Reporter& reporter);

// Validates the workspace (ValidateWorkspace: its findings are reported, and
// what it removes is not exported), then runs the exporter of
// workspace.tool over every project, in order. Fails
// without a message when there is no tool, and with "Error: Tool not
// defined. Cannot export!" when the tool is unknown.
bool ExportProjects(Workspace& workspace);

#endif  // QEV_DRIVER_EXPORT_PROJECTS_H_
