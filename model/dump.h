#ifndef QEV_MODEL_DUMP_H_
#define QEV_MODEL_DUMP_H_

#include <string>

struct Configuration;
struct Project;
struct Target;

class Reporter;

// The project dump: what the reader (and the make exporter) made of a
// project, as indented text.

// Prints the dump of `project` on standard output, target by target, so that
// the text of a large project is never held whole.
void DumpProject(const Project& project, Reporter& reporter);

// Append their blocks to `out`.
void DumpTarget(const Target& target, std::string* out);
void DumpConfiguration(const Configuration& configuration, std::string* out);

#endif  // QEV_MODEL_DUMP_H_
