#ifndef QEV_DRIVER_EXPORT_PROJECTS_H_
#define QEV_DRIVER_EXPORT_PROJECTS_H_

class HeldOutputs;
struct Workspace;

// False, with the reason reported, when workspace.tool cannot write for
// workspace.platform; checked before anything is read or written.
bool ToolAcceptsPlatform(const Workspace& workspace);

// Validates the workspace (ValidateWorkspace: its findings are reported, and
// what it removes is not exported), then runs the exporter of
// workspace.tool over every project, in order. A project whose files an
// earlier project of the description writes is refused with an error, and
// none of its files is written. (An imported description that writes into
// its importer's directory is no such case: make's recursive calls name the
// imported project makefile, and ninja's graph holds the imported targets,
// so the importer's own wrapper or build.ninja is the one that counts.) Fails
// without a message when there is no tool, and with "Error: Tool not
// defined. Cannot export!" (and the tools on standard error) when the tool
// is unknown. `*allWritten` (when given) tells whether every project's
// files were written.
// Files go to `held` instead of the disk when it is given (a strict run).
bool ExportProjects(Workspace& workspace,
                    HeldOutputs* held = nullptr,
                    bool* allWritten = nullptr);

#endif  // QEV_DRIVER_EXPORT_PROJECTS_H_
