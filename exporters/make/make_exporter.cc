#include "exporters/make/make_exporter.h"

#include "base/host_platform.h"
#include "base/path.h"
#include "base/reporter.h"

#include "base/text.h"
#include "exporters/make/make_safe_name.h"
#include "exporters/make/make_source_lists.h"
#include "exporters/make/makefile_fragment_writer.h"
#include "exporters/make/project_makefile_writer.h"
#include "exporters/make/target_rules.h"
#include "model/description_place.h"
#include "model/model.h"
#include "output/ordered_export.h"
#include "output/output_file.h"

std::string MakePlatformName(const std::optional<std::string>& platform) {
  static const struct {
    const char* platform;
    const char* name;
  } kNames[] = {
      {"Linux", "LINUX"},
      {"MacOSX", "OSX"},
      {"PS3", "PS3"},
      {"Playstation3", "PS3"},
  };
  // The driver always gives one; the host's stands in otherwise.
  std::string name = platform ? *platform : std::string(HostPlatform());
  for (const auto& entry : kNames) {
    if (EqualsNoCase(name, entry.platform))
      return entry.name;
  }
  return name;
}

bool MakeExporter::ClaimGeneratedFiles(const Target& target,
                                       Reporter& reporter) {
  // Every configuration's rules stand in the same makefiles, so one file
  // made by two steps would get two recipes, and make runs only the last.
  std::map<std::string, std::string> claims;
  for (const Configuration* configuration : target.configurations) {
    bool shared = configuration == &target.DefaultConfiguration();
    if (!shared && !IsBuiltConfiguration(*configuration))
      continue;
    std::string owner = "target \"" + target.name + "\"";
    if (!shared)
      owner += " in configuration " + configuration->name;
    for (const GenerateStep& step : configuration->generateSteps) {
      for (const std::string& output : step.outputs) {
        std::string key = NormalizePath(output);
        const std::string* known = nullptr;
        for (const auto* owners : {&generatedOwners_, &claims}) {
          auto found = owners->find(key);
          if (found != owners->end())
            known = &found->second;
        }
        if (known) {
          reporter.Error(DescriptionPlace(*target.project, step.line) +
                         "the GENERATE steps of " + *known + " and " + owner +
                         " both make \"" + Printable(output) +
                         "\"; the target \"" + target.name +
                         "\" is left out of the make output");
          return false;
        }
        claims.emplace(key, owner);
      }
    }
  }
  generatedOwners_.insert(claims.begin(), claims.end());
  return true;
}

bool MakeExporter::Export(Project& project, const std::string& platformName) {
  platformName_ = platformName;
  makeDirectoryName_ = std::string(FileName(context_.disk.CanonicalPath(
      ResolvePath(project.baseDirectory.empty() ? "." : project.baseDirectory,
                  project.exportDir.empty() ? "." : project.exportDir))));
  rules_.clear();
  leftOut_.clear();
  generatedOwners_.clear();
  bool written = true;
  // The dependency step of a target changes the configurations of the
  // targets it depends on, so every target's is done, in order, before any
  // fragment is formatted; the fragments are then formatted and written on
  // as many threads as allowed. What each target reports waits in its own
  // recording, given out in the order of the targets.
  const size_t count = project.targets.size();
  std::vector<PreparedFragment> prepared;
  prepared.reserve(count);
  for (const auto& target : project.targets) {
    prepared.emplace_back(context_.reporter.strict());
    PrepareTargetMakefile(project, *target, &prepared.back());
  }
  ExportInOrder(
      count, jobs_, context_.reporter, context_.held,
      [&](size_t i, const ExportSlot& slot) {
        PreparedFragment& fragment = prepared[i];
        fragment.messages.Replay(*slot.reporter);
        if (!fragment.ready) {
          fragment.written = false;
          return;
        }
        OutputWriter output(context_.disk, *slot.reporter,
                            project.baseDirectory, slot.held);
        fragment.written =
            WriteTargetFragment(output, *project.targets[i], fragment);
      },
      [&](size_t i) {
        PreparedFragment& fragment = prepared[i];
        if (fragment.written)
          rules_.insert(fragment.built.begin(), fragment.built.end());
        else
          written = false;
        fragment = PreparedFragment(false);
      });
  // Every fragment is complete, and every dependency step done, before the
  // project makefile is formatted.
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  if (!WriteProjectMakefiles(output, project))
    written = false;
  return written;
}

namespace {

// The output file and directory are make targets and words of shell
// commands: one that make or the shell would read as syntax is refused.
bool CheckOutputNames(const Target& target, Reporter& reporter) {
  for (const Configuration* configuration : target.configurations) {
    for (const auto& [what, text] : {std::pair<const char*, const std::string*>{
                                         "OUTFILE", &configuration->outFile},
                                     {"OUTDIR", &configuration->outDir}}) {
      std::string unsafe = MakeUnsafeAuthorReason(*text);
      if (unsafe.empty())
        continue;
      reporter.Error(DescriptionPlace(*target.project, target.line) +
                     "target \"" + target.name + "\": " + what + " \"" +
                     Printable(*text) + "\" " + unsafe.substr(3) +
                     ", which make or the shell would read as syntax; the "
                     "target is left out of the make output");
      return false;
    }
  }
  // The files of GENERATE steps are make targets and prerequisites too.
  auto steps_of = [&target](const Configuration* configuration) {
    return configuration == &target.DefaultConfiguration() ||
                   IsBuiltConfiguration(*configuration)
               ? &configuration->generateSteps
               : nullptr;
  };
  for (const Configuration* configuration : target.configurations) {
    const std::vector<GenerateStep>* steps = steps_of(configuration);
    for (size_t i = 0; steps && i < steps->size(); ++i) {
      const GenerateStep& step = (*steps)[i];
      std::vector<std::string> paths = step.outputs;
      for (const std::string& input : step.inputs)
        paths.push_back(step.root.empty() ? input : step.root + "/" + input);
      for (const std::string& path : paths) {
        std::string unsafe = MakeUnsafeAuthorReason(path);
        if (unsafe.empty())
          continue;
        reporter.Error(DescriptionPlace(*target.project, step.line) +
                       "target \"" + target.name + "\": the GENERATE file \"" +
                       Printable(path) + "\" " + unsafe.substr(3) +
                       ", which make or the shell would read as syntax; the "
                       "target is left out of the make output");
        return false;
      }
    }
  }
  return true;
}

// Search paths and libraries that the fragment leaves out (see
// AppendVariableBlock), and what make does not build or run.
void WarnAboutTarget(const Target& target, Reporter& reporter) {
  const std::string place = DescriptionPlace(*target.project, target.line);
  bool built = false;
  for (const Configuration* configuration : target.configurations) {
    built = built || IsBuiltConfiguration(*configuration);
    if (!configuration->show)
      continue;
    for (const TextList* list :
         {&configuration->searchPaths.header,
          &configuration->searchPaths.library, &configuration->libraries}) {
      for (const std::string& item : *list) {
        std::string unsafe = MakeUnsafeAuthorReason(item);
        if (!unsafe.empty()) {
          reporter.WarningOnce(place + "target \"" + target.name + "\": \"" +
                               Printable(item) +
                               "\" is left out of the make output: " + unsafe +
                               ", which make or the shell would read as "
                               "syntax");
        }
      }
    }
  }
  if (!built) {
    reporter.Warning(
        place + "target \"" + target.name +
        "\" has no shown configuration but \"default\", so make builds "
        "nothing for it; "
        "give it a <configuration>");
  }
  const Configuration& defaults = target.DefaultConfiguration();
  for (const auto& [element, text] :
       {std::pair<const char*, const std::string*>{"PREBUILDEVENT",
                                                   &defaults.preBuildEvent},
        {"PRELINKEVENT", &defaults.preLinkEvent},
        {"POSTBUILDEVENT", &defaults.postBuildEvent}}) {
    if (!text->empty()) {
      reporter.Warning(place + "target \"" + target.name + "\": its " +
                       element +
                       " is not written in the make output, which runs no "
                       "build events");
    }
  }
}

}  // namespace

void MakeExporter::PrepareTargetMakefile(const Project& project,
                                         Target& target,
                                         PreparedFragment* fragment) {
  Reporter& reporter = fragment->messages;
  OutputWriter output(context_.disk, reporter, project.baseDirectory,
                      context_.held);
  const std::string file_name = "Makefile." + target.name + ".mk";
  fragment->path =
      JoinPath(output.ExportDirectory(target.exportDir, file_name), file_name);
  // A fragment that can never be written leaves the model alone: no
  // dependency step, no "Depends for" lines.
  if (!output.CanHold(fragment->path))
    return;
  // A refused target is left out of the project makefile as well, so that
  // make builds the rest.
  if (!CheckOutputNames(target, reporter) ||
      !ClaimGeneratedFiles(target, reporter)) {
    leftOut_.insert(&target);
    return;
  }
  WarnAboutTarget(target, reporter);
  // The configurations that get rules: those built before the dependency
  // step can add any to this target.
  for (const Configuration* configuration : target.configurations) {
    if (IsBuiltConfiguration(*configuration))
      fragment->built.push_back(configuration);
  }
  ResolveDependencyLinkInputs(target);
  fragment->configurations = target.configurations;
  fragment->ready = true;
}

bool MakeExporter::WriteTargetFragment(OutputWriter& output,
                                       const Target& target,
                                       const PreparedFragment& fragment) {
  MakeSourceLists sources = CollectMakeSources(target);
  // The sources the target's own steps generate are compiled too; the
  // compile rule finds a source by a directory before its object path, so
  // a path from here leads up and back down into this directory.
  for (const GenerateStep& step : target.DefaultConfiguration().generateSteps) {
    for (const std::string& output : step.outputs) {
      MakeFileKind kind = MakeKindOf(output);
      if (kind != MakeFileKind::kCpp && kind != MakeFileKind::kC)
        continue;
      sources.generatedSources.emplace_back(
          IsAbsolutePath(output) || output.compare(0, 3, "../") == 0
              ? output
              : "../" + makeDirectoryName_ + "/" + output,
          output);
      sources.entries.push_back({kind, sources.generatedSources.back().first});
    }
  }
  Reporter& reporter = output.reporter();
  for (const std::string& warning : sources.warnings)
    reporter.Warning(warning);
  std::string depends_lines;
  std::string text;
  AppendTargetMakefile(platformName_, target, fragment.configurations, sources,
                       &text, &depends_lines);
  reporter.Print(depends_lines);
  return output.WritePath(fragment.path, text);
}

bool MakeExporter::WriteProjectMakefiles(OutputWriter& output,
                                         const Project& project) {
  // A wrapper that cannot be written does not keep the project makefile
  // from being written.
  const std::string directory =
      output.ExportDirectory(project.exportDir, "Makefile");
  bool wrapper = output.Write(directory, "Makefile",
                              FormatWrapperMakefile(platformName_, project));
  bool makefile = output.Write(
      output.ExportDirectory(project.exportDir, project.name + ".Makefile"),
      project.name + ".Makefile",
      FormatProjectMakefile(platformName_, project, rules_, leftOut_));
  return wrapper && makefile;
}

std::vector<std::string> MakeExporter::OutputFiles(const Project& project) {
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  std::vector<std::string> files;
  for (const auto& target : project.targets) {
    files.push_back(output.PlannedPath(target->exportDir,
                                       "Makefile." + target->name + ".mk"));
  }
  files.push_back(output.PlannedPath(project.exportDir, "Makefile"));
  files.push_back(
      output.PlannedPath(project.exportDir, project.name + ".Makefile"));
  return files;
}
