#include "model/unwritten_steps.h"

#include "model/description_place.h"
#include "model/model.h"

namespace {

void Add(const Project& project,
         const Target& target,
         const GenerateStep& step,
         const std::string& tool,
         std::vector<std::string>* warnings) {
  std::string made;
  for (const std::string& output : step.outputs)
    made += (made.empty() ? "\"" : ", \"") + output + "\"";
  if (made.empty())
    made = "nothing is";
  else
    made += step.outputs.size() == 1 ? " is not" : " are not";
  warnings->push_back(DescriptionPlace(project, step.line) + "target \"" +
                      target.name + "\": " + tool + " runs no GENERATE step; " +
                      made + " made");
}

}  // namespace

std::vector<std::string> UnwrittenGenerateSteps(const Project& project,
                                                const Target& target,
                                                const std::string& tool) {
  std::vector<std::string> warnings;
  for (const GenerateStep& step : target.DefaultConfiguration().generateSteps)
    Add(project, target, step, tool, &warnings);
  for (const Configuration* config : target.configurations) {
    if (config == &target.DefaultConfiguration())
      continue;
    for (const GenerateStep& step : config->generateSteps)
      Add(project, target, step, tool, &warnings);
  }
  return warnings;
}
