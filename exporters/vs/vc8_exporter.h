#ifndef QEV_EXPORTERS_VS_VC8_EXPORTER_H_
#define QEV_EXPORTERS_VS_VC8_EXPORTER_H_

#include "exporters/vs/vc7_exporter.h"

// The platform name that VC8 files use: as VC7PlatformName, but Xbox 360's
// is "Xbox 360" and Win64 keeps that spelling.
std::string VC8PlatformName(const std::optional<std::string>& platform);

// Visual Studio 2005: solution format 9.00 with configurations named per
// platform, project files of version 8.00, the Xbox 360 compiler and linker,
// and the manifest tool for applications.
class VC8Exporter : public VC7Exporter {
 public:
  explicit VC8Exporter(const ExportContext& context);

  void WriteSolutionHeader(std::string* out) override;
  double ProjectFileVersion() override;
  const char* ToolName() const override { return "VC8"; }
  void MapPlatformName(std::string* name) override;
  std::string CompilerToolName(const std::string& platform) override;
  std::string LinkerToolName(const std::string& platform) override;
  void WriteSolutionConfiguration(std::string* out,
                                  const std::string& configuration,
                                  const std::string& platform) override;
  void WriteProjectActiveConfiguration(std::string* out,
                                       const std::string& guid,
                                       const std::string& configuration,
                                       const std::string& platform) override;
  void WriteProjectBuildConfiguration(std::string* out,
                                      const std::string& guid,
                                      const std::string& configuration,
                                      const std::string& platform) override;
  void WriteExtraTools(std::string* out,
                       const Configuration& config,
                       int type) override;
};

#endif  // QEV_EXPORTERS_VS_VC8_EXPORTER_H_
