#include "exporters/vs/vc71_exporter.h"

VC71Exporter::VC71Exporter(const ExportContext& context)
    : VC7Exporter(context) {
  solutionConfigurationSection_ = "SolutionConfiguration";
  projectConfigurationSection_ = "ProjectConfiguration";
}

double VC71Exporter::ProjectFileVersion() {
  return 7.1;
}
