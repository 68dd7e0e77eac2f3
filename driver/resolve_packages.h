#ifndef QEV_DRIVER_RESOLVE_PACKAGES_H_
#define QEV_DRIVER_RESOLVE_PACKAGES_H_

#include <string>

class Disk;
class Reporter;
struct Project;

// Asks pkg-config for every package the project's targets name (PACKAGES)
// and keeps the flags in project.packageFlags and the .pc files in its
// origin. False after reporting an error for each package that cannot be
// resolved: the project's build files would not build.
bool ResolveProjectPackages(Project& project, Disk& disk, Reporter& reporter);

// For a tool that does not resolve packages (`tool` names its files): one
// warning per own target that names any.
void WarnAboutUnresolvedPackages(const Project& project,
                                 const std::string& tool,
                                 Reporter& reporter);

#endif  // QEV_DRIVER_RESOLVE_PACKAGES_H_
