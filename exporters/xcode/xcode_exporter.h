#ifndef QEV_EXPORTERS_XCODE_XCODE_EXPORTER_H_
#define QEV_EXPORTERS_XCODE_XCODE_EXPORTER_H_

#include <optional>
#include <string>

#include "exporters/exporter.h"

// Xcode files name no platform: the name is the command line's as given.
std::string XCodePlatformName(const std::optional<std::string>& platform);

// The text of "project.pbxproj": the fixed frame of a project file.
std::string FormatXCodeProjectFile();

// Writes an Xcode project bundle, "<name>.xcodeproj/project.pbxproj", per
// project: the fixed frame of a project file with an empty object table.
class XCodeExporter : public QEVExporter {
 public:
  explicit XCodeExporter(const ExportContext& context) : context_(context) {}

  bool Export(Project& project, const std::string& platformName) override;
  std::vector<std::string> OutputFiles(const Project& project) override;

 private:
  ExportContext context_;
};

#endif  // QEV_EXPORTERS_XCODE_XCODE_EXPORTER_H_
