#ifndef QEV_MODEL_RESOLVED_CONFIGURATION_H_
#define QEV_MODEL_RESOLVED_CONFIGURATION_H_

#include <string>
#include <vector>

#include "model/model.h"
#include "model/neutral_settings.h"

// One configuration of a target as the exporters need it, worked out once
// from what the description says: its kind, output, events, the neutral
// settings in force and what the targets it depends on pass on. The
// exporters read this view instead of the raw fields.

enum class TargetKind {
  kConsoleProgram,
  kWindowsProgram,  // exe, app: a program of Windows' GUI subsystem
  kStaticLibrary,
  kSharedLibrary,
};

// A search path another target passes on, with that target: its paths start
// where its description's do.
struct InheritedPath {
  std::string path;
  const Target* owner;
};

// The public settings of the targets a configuration depends on (directly,
// and further through public dependencies), each target once, in the order
// of the dependencies.
struct InheritedSettings {
  TextList defines;
  std::vector<InheritedPath> headerPaths;
  std::vector<InheritedPath> libraryPaths;
  TextList cflags;
  TextList lflags;
  TextList libraries;
  TextList packages;
  // The first that a dependency sets of each.
  NeutralSettings neutral;

  bool empty() const;
};

struct ResolvedConfiguration {
  const Target* target = nullptr;
  const Configuration* configuration = nullptr;
  // The configuration whose settings it extends (the target's default).
  const Configuration* base = nullptr;

  // The kind as Visual Studio reads the type texts: the configuration's own
  // type over its base's; lib, dll/shared_lib, exe/app, console (ASCII case
  // ignored); none or an unknown text changes nothing.
  TargetKind kind = TargetKind::kConsoleProgram;
  // Whether a type text named the kind (the VC7-VC8 files leave it out
  // otherwise).
  bool kindNamed = false;
  // The subsystem a program, or a DLL that extends one, is linked for: the
  // Windows GUI's after exe or app, the console's after console or none.
  bool windowsSubsystem = false;
  // The kind as make and ninja read them: the base's type, when it has one,
  // decides for every configuration; LIB and SHARED_LIB are libraries,
  // anything else a program.
  TargetKind buildKind = TargetKind::kConsoleProgram;

  // The configuration's own, else the base's; empty when neither is set.
  std::string outDir;
  std::string outFile;
  std::string impDir;
  bool exceptionHandling = true;
  // An event set on the target serves every configuration without its own.
  std::string preBuildEvent;
  std::string preLinkEvent;
  std::string postBuildEvent;

  // The compiler-neutral settings: the configuration's own, else the
  // base's, else what a dependency passes on; as written and as values.
  NeutralSettings neutralSettings;
  NeutralValues neutral;
  InheritedSettings inherited;
};

// Resolves `configuration` of `target`, which extends `base`.
ResolvedConfiguration ResolveConfiguration(const Target& target,
                                           const Configuration& base,
                                           const Configuration& configuration);

// What the targets `target` depends on pass on to its configuration named
// `configurationName`: each dependency's public settings of its default
// configuration and of its configuration of that name, and those of its
// public dependencies, further on.
// With `withDefaults` false the default configurations' are left out (for
// a tool that gives a configuration what its target's default configuration
// inherited already).
InheritedSettings InheritedFrom(const Target& target,
                                const std::string& configurationName,
                                bool withDefaults = true);

// True for the configurations that make and ninja build: shown, and not
// named "default" (ASCII case ignored).
bool IsBuiltConfiguration(const Configuration& configuration);

// True when `name` is the default configuration's, "default" in any case.
bool IsDefaultConfigurationName(const std::string& name);

// The file make and ninja build for `resolved`: "<directory>/<file>", with
// "." for no directory, the target's name for no file, and ".so" or ".a"
// added to a file name without a dot for a shared or static library (its
// buildKind).
std::string BuildOutputPath(const ResolvedConfiguration& resolved);

// What make and ninja add to the compiles of `resolved`: "-fPIC" for a shared
// library (its buildKind), whose objects the linker takes only when they are
// position independent, unless the author's own CFLAGS (its base's or its
// own) already say -fPIC or -fpic; "" otherwise.
std::string PositionIndependentFlag(const ResolvedConfiguration& resolved);

#endif  // QEV_MODEL_RESOLVED_CONFIGURATION_H_
