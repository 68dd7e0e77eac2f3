#ifndef QEV_DRIVER_RUN_H_
#define QEV_DRIVER_RUN_H_

class Reporter;
struct Workspace;

// One whole run of qev: option scan, load, export, teardown with the dump.
// Returns the exit status: 1 when any error was reported, else 0.
int RunQev(int argc, const char* const* argv, Reporter& reporter);

// Dumps every project of the workspace (when its verbosity is above 3) and
// destroys the projects, in order.
void TearDownWorkspace(Workspace& workspace);

#endif  // QEV_DRIVER_RUN_H_
