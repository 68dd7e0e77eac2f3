#ifndef QEV_EXPORTERS_NINJA_NINJA_EXPORTER_H_
#define QEV_EXPORTERS_NINJA_NINJA_EXPORTER_H_

#include <optional>
#include <string>

#include "exporters/exporter.h"

struct Toolchain;

// Writes build.ninja and compile_commands.json into a project's export
// directory: one graph for the project's own and imported targets, for
// Linux and MacOSX. Reads the toolchain from CC, CXX, AR and QEV_LAUNCHER.
class NinjaExporter : public QEVExporter {
 public:
  explicit NinjaExporter(const ExportContext& context) : context_(context) {}

  bool Export(Project& project, const std::string& platformName) override;
  std::vector<std::string> OutputFiles(const Project& project) override;

 private:
  ExportContext context_;
  bool refusedPlatform_ = false;
};

// The platform as the files name it: as given, the host's without one.
std::string NinjaPlatformName(const std::optional<std::string>& platform);

// True for the platforms ninja files are written for, Linux and MacOSX
// (ASCII case ignored; none means the host); otherwise false with the
// reason in `*error`.
bool NinjaAcceptsPlatform(const std::optional<std::string>& platform,
                          std::string* error);

// The toolchain that `lookup` (an environment) names: CC, CXX, AR and
// QEV_LAUNCHER, defaults cc, c++, ar and none for unset or empty ones.
Toolchain ToolchainFromEnvironment(const char* (*lookup)(const char*));

#endif  // QEV_EXPORTERS_NINJA_NINJA_EXPORTER_H_
