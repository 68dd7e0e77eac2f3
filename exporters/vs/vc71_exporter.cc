#include "exporters/vs/vc71_exporter.h"

VC71Exporter::VC71Exporter(Reporter& reporter) : VC7Exporter(reporter) {
  solutionConfigurationSection_ = "SolutionConfiguration";
  projectConfigurationSection_ = "ProjectConfiguration";
}

double VC71Exporter::ProjectFileVersion() {
  return 7.1;
}
