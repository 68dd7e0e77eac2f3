#ifndef QEV_EXPORTERS_MAKE_MAKEFILE_FRAGMENT_WRITER_H_
#define QEV_EXPORTERS_MAKE_MAKEFILE_FRAGMENT_WRITER_H_

#include <string>
#include <vector>

struct Configuration;
struct MakeSourceLists;
struct Target;

// The name a linker's -l option takes for a library file: a trailing ".so"
// or ".a" (only when its first occurrence ends the text) and then a leading
// "lib" are removed.
std::string LibraryNameFromFile(const std::string& file);

// Turns the target's dependencies into link input of `configuration`: for
// each dependency target, the library that it builds in the configuration of
// the same name (created in it when missing) is appended to the libraries,
// and its directory to the library search paths unless already there; then
// the same for the targets that the dependencies pass on through their
// public dependencies (DEPENDENCIES public="true"), further on, each once,
// after the libraries that need them. What the dependencies pass on
// (InheritedFrom) joins the configuration's settings first.
void AddDependencyLinkInputs(const Target& target,
                             Configuration& configuration);

// Appends the make variables of one configuration: search paths, defines,
// libraries, compiler and linker flags.
void AppendVariableBlock(std::string* fragment,
                         const Target& target,
                         const Configuration& configuration);

// The resolve step before formatting: AddDependencyLinkInputs for each
// configuration of `target` that is shown when the step starts.
void ResolveDependencyLinkInputs(Target& target);

// The whole make fragment of `target` with the source lists `sources`
// (CollectMakeSources), once its dependencies are resolved; the "Depends
// for" line of each built configuration goes to `dependsLines`.
std::string FormatTargetMakefile(const std::string& platformName,
                                 const Target& target,
                                 const MakeSourceLists& sources,
                                 std::string* dependsLines);
// The same for the configurations `configurations` of the target (its list
// as it stood when its dependencies were resolved: configurations that
// later targets add to it are not in its fragment), appended to `out`.
void AppendTargetMakefile(const std::string& platformName,
                          const Target& target,
                          const std::vector<Configuration*>& configurations,
                          const MakeSourceLists& sources,
                          std::string* out,
                          std::string* dependsLines);

#endif  // QEV_EXPORTERS_MAKE_MAKEFILE_FRAGMENT_WRITER_H_
