#ifndef QEV_MODEL_PACKAGES_H_
#define QEV_MODEL_PACKAGES_H_

#include <map>
#include <string>
#include <string_view>

#include "model/model.h"

class Disk;
struct ResolvedConfiguration;

// System packages (PACKAGES) as pkg-config describes them: compiler flags,
// linker flags and the .pc files they came from. pkg-config runs a few times
// per package when build files are generated; it reads PKG_CONFIG_PATH and
// PKG_CONFIG_LIBDIR from the environment as usual.

// The packages a configuration uses, each once in the order first named:
// its target's default configuration's, its own, then those its
// dependencies pass on.
TextList PackagesOf(const ResolvedConfiguration& resolved);

// The flags of `packages` from the project's resolved ones
// (Project::packageFlags): compiler flags each once where first given,
// linker flags each once where last given, so that a library comes after
// the libraries that need it. Names not resolved add nothing.
PackageFlags CombinedPackageFlags(const Project& project,
                                  const TextList& packages);

// The words of pkg-config's output: separated by blanks, a backslash
// taking the next character as it is, quotes grouping.
TextList SplitPackageFlags(std::string_view output);

// What to install for the package `name` on Debian and its relatives, when
// qev knows it (zlib: zlib1g-dev); else a guess of the usual form.
std::string PackageInstallHint(const std::string& name);

class PackageResolver {
 public:
  // `program` is the pkg-config to run.
  explicit PackageResolver(Disk& disk,
                           std::string program = std::string("pkg-config"));

  // The flags of the package `name`, asked of pkg-config the first time.
  // False, with a message naming the missing package and what to install
  // (or why pkg-config could not run), when pkg-config cannot give them.
  bool Resolve(const std::string& name,
               PackageFlags* flags,
               std::string* error);

  // Whether pkg-config could not be run at all (every later Resolve fails).
  bool cannotRun() const { return missingProgram_; }

  // The .pc files of every package resolved so far, absolute.
  const TextSet& files() const { return files_; }

 private:
  bool Run(const std::vector<std::string>& arguments,
           std::string* output,
           std::string* error);

  Disk& disk_;
  std::string program_;
  // By name: the flags, or the error.
  std::map<std::string, PackageFlags> resolved_;
  std::map<std::string, std::string> failed_;
  TextSet files_;
  bool missingProgram_ = false;
};

#endif  // QEV_MODEL_PACKAGES_H_
