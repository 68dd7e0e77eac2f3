#ifndef QEV_MODEL_DUMP_H_
#define QEV_MODEL_DUMP_H_

#include <string>

struct Configuration;
struct Project;
struct Target;

// The project dump: what the reader (and the make exporter) made of a
// project, as indented text. Each function appends its block to `out`.
void DumpProject(const Project& project, std::string* out);
void DumpTarget(const Target& target, std::string* out);
void DumpConfiguration(const Configuration& configuration, std::string* out);

#endif  // QEV_MODEL_DUMP_H_
