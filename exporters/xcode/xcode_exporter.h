#ifndef QEV_EXPORTERS_XCODE_XCODE_EXPORTER_H_
#define QEV_EXPORTERS_XCODE_XCODE_EXPORTER_H_

#include "driver/exporter.h"

class Reporter;

// Writes an Xcode project bundle, "<name>.xcodeproj/project.pbxproj", per
// project: the fixed frame of a project file with an empty object table.
class XCodeExporter : public QEVExporter {
 public:
  explicit XCodeExporter(Reporter& reporter) : reporter_(reporter) {}

  bool Export(Project& project,
              const std::optional<std::string>& platform) override;

 private:
  Reporter& reporter_;
};

#endif  // QEV_EXPORTERS_XCODE_XCODE_EXPORTER_H_
