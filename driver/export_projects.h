#ifndef QEV_DRIVER_EXPORT_PROJECTS_H_
#define QEV_DRIVER_EXPORT_PROJECTS_H_

struct Workspace;

// Runs the exporter of workspace.tool over every project, in order. Fails
// without a message when there is no tool, and with "Error: Tool not
// defined. Cannot export!" when the tool is unknown.
bool ExportProjects(Workspace& workspace);

#endif  // QEV_DRIVER_EXPORT_PROJECTS_H_
