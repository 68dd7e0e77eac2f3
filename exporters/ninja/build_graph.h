#ifndef QEV_EXPORTERS_NINJA_BUILD_GRAPH_H_
#define QEV_EXPORTERS_NINJA_BUILD_GRAPH_H_

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Project;

// What the ninja output builds, resolved from the model once: every
// compile, archive and link with its paths relative to the build directory
// (the project's export directory) and its flags as shell text. Sources and
// search paths of a description start at its base (an import's root);
// outputs are the make output's, below where that description's make runs.
// The writers format it; nothing here touches the disk or the model.

// Programs from the environment at generation time.
struct Toolchain {
  std::string cc = "cc";
  std::string cxx = "c++";
  std::string ar = "ar";
  std::string launcher;  // put in front of every compiler call, "" for none
};

// How build.ninja reruns qev: the same program, arguments, directory and
// toolchain, when one of `inputs` changes.
struct Regeneration {
  std::string program;                 // absolute
  std::string workingDirectory;        // absolute
  std::vector<std::string> arguments;  // without the program name
  std::vector<std::string> inputs;     // absolute files and directories
  // Variables of the environment the run passes on as they were (a value)
  // or unset (none): pkg-config's, when the project names packages.
  std::vector<std::pair<std::string, std::optional<std::string>>> environment;
};

enum class SourceKind { kC, kCxx, kAssembler, kLinkInput, kOther };

// What a file-group entry is, by its extension: .c C; .S and .s assembler
// (C compiler); .cpp .cc .cxx .c++ .C C++; .a .lib .so link input.
SourceKind ClassifySource(const std::string& path);

enum class LinkKind { kExecutable, kSharedLibrary, kStaticLibrary };

struct CompileStep {
  std::string source;
  // Where the object goes below a unit's object directory: the source path
  // with ".." components renamed, so that no two sources share one.
  std::string objectName;
  SourceKind kind = SourceKind::kC;
};

// The compiles of a target, the same in each of its configurations.
using CompileSteps = std::vector<CompileStep>;

// One target in one configuration.
struct BuildUnit {
  std::string target;
  std::string configuration;
  // Imported from another description: its goals are build_import_*.
  bool imported = false;
  // Shown and not "default": it gets goals and is built by "all". Other
  // units are only built as what a built one needs.
  bool built = true;
  LinkKind kind = LinkKind::kExecutable;
  std::string output;
  std::string objectDirectory;
  // Prefix of this unit's ninja variables, unique in the file.
  std::string variablePrefix;
  // Shared by the units of one target; never null once resolved.
  std::shared_ptr<const CompileSteps> compiles;
  // A source path has a "__" component, which a renamed ".." could meet.
  bool objectNamesMayRepeat = false;
  // Shell text of the compiler flags and of what follows the inputs of a
  // link (search paths, libraries, flags, run path).
  std::string cflags;
  // Flags for its C or its C++ compiles alone (a language standard).
  std::string cOnlyFlags;
  std::string cxxOnlyFlags;
  std::string libs;
  // What is linked by path after the objects, in this order: library files
  // of the unit's file groups; the library units it needs (indices into
  // BuildGraph::units), each before the libraries it needs; the library
  // files of those that are static libraries.
  std::vector<std::string> linkFiles;
  std::vector<size_t> linkUnits;
  std::vector<std::string> dependencyLinkFiles;
  // Library files linked as "./" + path in `libs` (their paths start like
  // an option or a response file), which the link waits for.
  std::vector<std::string> implicitInputs;
  // Units that must be built first without being linked (programs that this
  // one depends on).
  std::vector<size_t> orderOnlyUnits;
  // Units whose goals the unit's goal builds besides its output: for a
  // static library, what it needs, as make's goal would.
  std::vector<size_t> goalUnits;
  // It has a goal: it is built, or another goal names it.
  bool goal = false;
  // What its custom build steps make (paths from the build directory), and
  // the phony path that stands for everything generated that its compiles
  // wait for: its own outputs and those of what it depends on; "" when
  // there is nothing.
  std::vector<std::string> generatedOutputs;
  std::string generatedAlias;
  std::vector<std::string> generatedAliasInputs;
  // A test program: run by the test goals with these arguments (shell
  // text) in this directory (from the build directory, "" for it).
  bool test = false;
  std::string testArguments;
  std::string testDirectory;
  // Event commands, "" for none.
  std::string preBuild;
  std::string preLink;
  std::string postBuild;

  std::string PreBuildStamp() const {
    return objectDirectory + "/prebuild.stamp";
  }
  std::string ObjectPath(const CompileStep& step) const {
    return objectDirectory + "/" + step.objectName;
  }
};

// A custom build step (GENERATE): its command makes `outputs` from
// `inputs`, all paths from the build directory.
struct GenerateEdge {
  std::vector<std::string> outputs;
  std::vector<std::string> inputs;
  // Shell text, run in the build directory.
  std::string command;
  // Whose step it is, for messages: "target core" or "target core in
  // configuration Debug".
  std::string owner;
};

struct BuildGraph {
  bool macOS = false;
  std::string buildDirectory;  // absolute
  Toolchain toolchain;
  Regeneration regeneration;
  std::vector<BuildUnit> units;
  std::vector<GenerateEdge> generateEdges;
  // Names of the built configurations, in the order first met.
  std::vector<std::string> configurations;
  // Index into `units` of what compile_commands.json describes: each
  // target's first built configuration.
  std::vector<size_t> compileDatabaseUnits;
  // Files left out, one line each, without the "qev: warning: " prefix.
  std::vector<std::string> warnings;
};

struct BuildGraphOptions {
  bool macOS = false;
  std::string buildDirectory;  // absolute
  // Where the project's description paths start, absolute; the build
  // directory when empty.
  std::string baseDirectory;
  Toolchain toolchain;
  Regeneration regeneration;
};

// Resolves the project's own and imported targets into a graph: every built
// configuration, or with -c names (the project's configuration filter) only
// those, and what they need. Fails with a message in `*error` when two steps
// would write the same file.
bool ResolveBuildGraph(const Project& project,
                       const BuildGraphOptions& options,
                       BuildGraph* graph,
                       std::string* error);

#endif  // QEV_EXPORTERS_NINJA_BUILD_GRAPH_H_
