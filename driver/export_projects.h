#ifndef QEV_DRIVER_EXPORT_PROJECTS_H_
#define QEV_DRIVER_EXPORT_PROJECTS_H_

struct Workspace;

// False, with the reason reported, when workspace.tool cannot write for
// workspace.platform; checked before anything is read or written.
bool ToolAcceptsPlatform(const Workspace& workspace);

// Validates the workspace (ValidateWorkspace: its findings are reported, and
// what it removes is not exported), then runs the exporter of
// workspace.tool over every project, in order. Fails
// without a message when there is no tool, and with "Error: Tool not
// defined. Cannot export!" when the tool is unknown.
bool ExportProjects(Workspace& workspace);

#endif  // QEV_DRIVER_EXPORT_PROJECTS_H_
