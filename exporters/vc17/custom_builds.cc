#include "exporters/vc17/custom_builds.h"

#include <map>

#include "base/path.h"
#include "base/text.h"
#include "exporters/vc17/msbuild_path.h"
#include "model/model.h"

namespace {

std::string Backslashed(std::string path) {
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path;
}

class Collector {
 public:
  Collector(const std::string& currentDirectory,
            const std::string& projectDirectory,
            const std::string& descriptionFile,
            CustomBuilds* builds)
      : currentDirectory_(currentDirectory),
        projectDirectory_(projectDirectory),
        descriptionFile_(descriptionFile),
        builds_(builds) {}

  // Adds `step` of the configuration `configuration` ("" for the target)
  // of `target`.
  void Add(const Target& target,
           const GenerateStep& step,
           const std::string& configuration) {
    std::vector<std::string> inputs;
    for (const std::string& input : step.inputs) {
      std::string path = step.root.empty() ? input : step.root + "/" + input;
      inputs.push_back(RebasePath(path, currentDirectory_, projectDirectory_));
    }
    std::vector<std::string> candidates = inputs;
    // Without any file the step rides on the project file itself.
    candidates.push_back(
        descriptionFile_.empty()
            ? target.name + ".vcxproj"
            : WindowsRelativePath(projectDirectory_, descriptionFile_));
    // A file of its own when one is free, else the first candidate's:
    // steps that share a file run together.
    CustomBuildItem* item = nullptr;
    for (const std::string& candidate : candidates) {
      item = Free(candidate);
      if (item)
        break;
    }
    if (!item)
      item = &builds_->items[byFile_.at(ToLowerAscii(candidates.front()))];
    CustomBuildStep built;
    built.configuration = configuration;
    built.command = step.command;
    for (const std::string& input : inputs) {
      if (input != item->include)
        built.additionalInputs.push_back(input);
    }
    for (const std::string& output : step.outputs) {
      std::string path = Backslashed(output);
      built.outputs.push_back(path);
      ItemKind kind = ItemKindOf(path);
      if (kind != ItemKind::kClCompile && kind != ItemKind::kResourceCompile)
        continue;
      ProjectItem generated{kind, path, std::string(), {}};
      if (!configuration.empty())
        generated.onlyIn.push_back(configuration);
      AddGenerated(std::move(generated));
    }
    item->steps.push_back(std::move(built));
  }

 private:
  // The new item of the file `include`; null when the file has one.
  CustomBuildItem* Free(const std::string& include) {
    if (!byFile_.emplace(ToLowerAscii(include), builds_->items.size()).second)
      return nullptr;
    builds_->items.push_back({include, {}});
    builds_->projectItems.push_back(
        {ItemKind::kCustomBuild, include, std::string(), {}});
    return &builds_->items.back();
  }

  // One generated file is one item, built in every configuration that
  // makes it.
  void AddGenerated(ProjectItem generated) {
    std::string key = ToLowerAscii(generated.include);
    auto found = generated_.find(key);
    if (found == generated_.end()) {
      generated_.emplace(key, builds_->projectItems.size());
      builds_->projectItems.push_back(std::move(generated));
      return;
    }
    ProjectItem& item = builds_->projectItems[found->second];
    if (item.onlyIn.empty())
      return;
    if (generated.onlyIn.empty())
      item.onlyIn.clear();
    else
      item.onlyIn.push_back(generated.onlyIn.front());
  }

  const std::string& currentDirectory_;
  const std::string& projectDirectory_;
  const std::string& descriptionFile_;
  CustomBuilds* builds_;
  // Lower-case file name to the index of its item.
  std::map<std::string, size_t> byFile_;
  // Lower-case generated file name to its index in projectItems.
  std::map<std::string, size_t> generated_;
};

}  // namespace

CustomBuilds CollectCustomBuilds(
    const Target& target,
    const std::vector<PlannedConfiguration>& configurations,
    const std::string& currentDirectory,
    const std::string& projectDirectory,
    const std::string& descriptionFile) {
  CustomBuilds builds;
  Collector collector(currentDirectory, projectDirectory, descriptionFile,
                      &builds);
  const Configuration& defaults = target.DefaultConfiguration();
  for (const GenerateStep& step : defaults.generateSteps)
    collector.Add(target, step, std::string());
  for (const PlannedConfiguration& planned : configurations) {
    if (planned.config == &defaults)
      continue;
    for (const GenerateStep& step : planned.config->generateSteps)
      collector.Add(target, step, planned.config->name);
  }
  return builds;
}
