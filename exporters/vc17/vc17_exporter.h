#ifndef QEV_EXPORTERS_VC17_VC17_EXPORTER_H_
#define QEV_EXPORTERS_VC17_VC17_EXPORTER_H_

#include <optional>
#include <string>

#include "exporters/exporter.h"

// The command line's platform in Visual Studio's spelling (Win32, x64,
// ARM64; x64 without one); a platform VC17AcceptsPlatform refuses stays as
// given.
std::string VC17PlatformName(const std::optional<std::string>& platform);

// False, with a message naming the platform, for a platform Visual Studio
// 2022 cannot build for.
bool VC17AcceptsPlatform(const std::optional<std::string>& platform,
                         std::string* error);

// Writes Visual Studio 2022 build files: a solution "<name>.sln" per project
// and "<target>.vcxproj" with "<target>.vcxproj.filters" per own target,
// where the VC8 files go. GUIDs are those of the VC7-VC8 files.
class VC17Exporter : public QEVExporter {
 public:
  explicit VC17Exporter(const ExportContext& context) : context_(context) {}

  // Writes the project files of every own target, then the solution.
  // Refuses, writing nothing, a platform Visual Studio 2022 cannot build and
  // names it cannot carry. Returns true when every file was written.
  bool Export(Project& project, const std::string& platformName) override;
  std::vector<std::string> OutputFiles(const Project& project) override;

 private:
  ExportContext context_;
};

#endif  // QEV_EXPORTERS_VC17_VC17_EXPORTER_H_
