#ifndef QEV_EXPORTERS_VS_VC71_EXPORTER_H_
#define QEV_EXPORTERS_VS_VC71_EXPORTER_H_

#include "exporters/vs/vc7_exporter.h"

// Visual Studio .NET 2003: the solutions of VC7Exporter and its project
// files with the version 7.10.
class VC71Exporter : public VC7Exporter {
 public:
  explicit VC71Exporter(const ExportContext& context);

  double ProjectFileVersion() override;
  const char* ToolName() const override { return "VC71"; }
};

#endif  // QEV_EXPORTERS_VS_VC71_EXPORTER_H_
