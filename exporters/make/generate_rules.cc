#include "exporters/make/generate_rules.h"

#include <set>

#include "base/path.h"
#include "exporters/make/make_format.h"

namespace {

// The lines of a command as one command list, "$" doubled for make.
std::string RecipeCommand(const std::string& text) {
  std::string command;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos) {
      if (!command.empty())
        command += " && ";
      command += line.substr(first);
    }
    start = end + 1;
  }
  std::string doubled;
  for (char c : command) {
    doubled += c;
    if (c == '$')
      doubled += '$';
  }
  return doubled;
}

}  // namespace

TextList GeneratedOutputs(const std::vector<GenerateStep>& steps) {
  TextList outputs;
  for (const GenerateStep& step : steps)
    outputs.insert(outputs.end(), step.outputs.begin(), step.outputs.end());
  return outputs;
}

bool HasGenerateSteps(const Target& target,
                      const Configuration& configuration) {
  return !target.DefaultConfiguration().generateSteps.empty() ||
         !configuration.generateSteps.empty();
}

void AppendGenerateRules(std::string* out,
                         const std::vector<GenerateStep>& steps) {
  for (const GenerateStep& step : steps) {
    if (step.outputs.empty())
      continue;
    const std::string& first = step.outputs.front();
    std::string inputs;
    for (const std::string& input : step.inputs) {
      inputs += ' ';
      inputs += step.root.empty() ? input : step.root + "/" + input;
    }
    AppendFormat(out, "%s:%s\n", {first, inputs});
    AppendFormat(out, "\t@$(ECHO) generating %s\n", {first});
    std::set<std::string> directories;
    for (const std::string& output : step.outputs) {
      std::string directory = ParentDirectory(output);
      if (directory != ".")
        directories.insert(directory);
    }
    if (!directories.empty()) {
      out->append("\t@mkdir -p");
      for (const std::string& directory : directories)
        out->append(" ").append(directory);
      out->append("\n");
    }
    AppendFormat(out, "\t@%s\n", {RecipeCommand(step.command)});
    for (size_t i = 1; i < step.outputs.size(); ++i)
      AppendFormat(out, "%s: %s\n", {step.outputs[i], first});
    out->append("\n");
  }
}
