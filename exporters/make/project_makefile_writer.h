#ifndef QEV_EXPORTERS_MAKE_PROJECT_MAKEFILE_WRITER_H_
#define QEV_EXPORTERS_MAKE_PROJECT_MAKEFILE_WRITER_H_

#include <string>

struct Project;

// The wrapper "Makefile": its all and clean goals run the project makefile.
std::string FormatWrapperMakefile(const std::string& platformName,
                                  const Project& project);

// The project makefile "<project>.Makefile": the platform definitions, the
// all and clean goals of every built configuration, the include lines of the
// target fragments and the recursive make rules of imported targets, all in
// dependency order.
std::string FormatProjectMakefile(const std::string& platformName,
                                  const Project& project);

#endif  // QEV_EXPORTERS_MAKE_PROJECT_MAKEFILE_WRITER_H_
