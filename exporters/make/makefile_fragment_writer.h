#ifndef QEV_EXPORTERS_MAKE_MAKEFILE_FRAGMENT_WRITER_H_
#define QEV_EXPORTERS_MAKE_MAKEFILE_FRAGMENT_WRITER_H_

#include <string>

struct Configuration;
struct Target;
class Reporter;

// The name a linker's -l option takes for a library file: a trailing ".so"
// or ".a" (only when its first occurrence ends the text) and then a leading
// "lib" are removed.
std::string LibraryNameFromFile(const std::string& file);

// Turns the target's dependencies into link input of `configuration`: for
// each dependency target, the library that it builds in the configuration of
// the same name (created in it when missing) is appended to the libraries,
// and its directory to the library search paths unless already there.
void AddDependencyLinkInputs(const Target& target,
                             Configuration& configuration);

// Appends the make variables of one configuration: search paths, defines,
// libraries, compiler and linker flags.
void AppendVariableBlock(std::string* fragment,
                         const Target& target,
                         const Configuration& configuration);

// The whole make fragment of `target`. Adds the dependencies' libraries and
// paths to each shown configuration on the way, prints the "Depends for"
// line of each built one, and warns about its sources (CollectMakeSources).
std::string FormatTargetMakefile(const std::string& platformName,
                                 Target& target,
                                 Reporter& reporter);

#endif  // QEV_EXPORTERS_MAKE_MAKEFILE_FRAGMENT_WRITER_H_
