#include "exporters/make/project_makefile_writer.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "exporters/make/generate_rules.h"
#include "exporters/make/make_format.h"
#include "exporters/make/target_order.h"
#include "exporters/make/target_rules.h"
#include "model/model.h"

namespace {

struct OrderedTargets {
  std::vector<const Target*> imported;
  std::vector<const Target*> own;
};

// Imported targets are reversed before they are sorted; own targets keep
// their order where no dependency says otherwise.
OrderedTargets OrderTargets(const Project& project,
                            const LeftOutTargets& leftOut) {
  OrderedTargets ordered;
  ordered.imported.assign(project.importedTargets.rbegin(),
                          project.importedTargets.rend());
  SortTargetsByDependency(&ordered.imported);
  ordered.own.reserve(project.targets.size());
  for (const auto& target : project.targets) {
    if (!leftOut.count(target.get()))
      ordered.own.push_back(target.get());
  }
  SortTargetsByDependency(&ordered.own);
  return ordered;
}

// One goal per built configuration of each target, each followed by a
// space.
void AppendGoals(std::string* out,
                 const char* pattern,
                 const std::vector<const Target*>& targets) {
  for (const Target* target : targets) {
    for (const Configuration* configuration : target->configurations) {
      if (IsBuiltConfiguration(*configuration))
        AppendFormat(out, pattern, {target->name, configuration->name});
    }
  }
}

bool HasBuiltConfiguration(const Target& target) {
  return std::any_of(target.configurations.begin(), target.configurations.end(),
                     [](const Configuration* configuration) {
                       return IsBuiltConfiguration(*configuration);
                     });
}

// Each imported target is built and cleaned by its own project's makefile,
// in the directory that its import path and export directory name.
void AppendImportRules(std::string* out, const Target& target) {
  const std::string& t = target.name;
  const std::string owner = target.project ? target.project->name : "";
  for (const Configuration* configuration : target.configurations) {
    if (!IsBuiltConfiguration(*configuration))
      continue;
    const std::string& c = configuration->name;
    AppendFormat(out, "build_import_%s_%s:\n", {t, c});
    AppendFormat(out, "\t$(MAKE) -C %s%s -f %s.Makefile build_%s_%s\n\n",
                 {target.importPath, target.exportDir, owner, t, c});
    AppendFormat(out, "clean_import_%s_%s:\n", {t, c});
    AppendFormat(out, "\t$(MAKE) -C %s%s -f %s.Makefile clean_%s_%s\n\n",
                 {target.importPath, target.exportDir, owner, t, c});
  }
}

bool HasRulesFor(const Target& target,
                 const std::string& configuration_name,
                 const WrittenRules& rules) {
  return std::any_of(target.configurations.begin(), target.configurations.end(),
                     [&](const Configuration* configuration) {
                       return configuration->name == configuration_name &&
                              rules.count(configuration) != 0;
                     });
}

// A fragment's build rule names the output paths of the target's
// dependencies, and make expands them when it reads the rule: the path of a
// dependency whose fragment is included later is still empty then, and the
// edge is lost. Such edges are stated again here, once every fragment has
// been read.
void AppendLateDependencies(std::string* out,
                            const Project& project,
                            const std::vector<const Target*>& own,
                            const WrittenRules& rules) {
  std::unordered_map<const Target*, size_t> position;
  for (size_t i = 0; i < own.size(); ++i)
    position.emplace(own[i], i);
  bool first = true;
  for (const Target* target : own) {
    for (const Configuration* configuration : target->configurations) {
      if (rules.count(configuration) == 0)
        continue;
      std::string late;
      for (const std::string& name : target->dependencies) {
        const Target* dependency = project.FindTarget(name);
        // Two targets that depend on each other keep the one edge that the
        // include order gives them.
        if (!dependency || position[dependency] <= position[target] ||
            DependsOn(*target, *dependency) ||
            !HasRulesFor(*dependency, configuration->name, rules))
          continue;
        if (!late.empty())
          late += ' ';
        AppendFormat(&late, "$(%s_%s_bin)", {name, configuration->name});
      }
      if (late.empty())
        continue;
      if (first) {
        out->append(
            "# Dependencies on targets whose fragments are included later.\n");
        first = false;
      }
      AppendFormat(out, "$(%s_%s_bin): %s\n",
                   {target->name, configuration->name, late});
    }
  }
}

// The objects of a target wait for what the steps of the targets it
// depends on (further on too) generate in the same configuration: their
// headers may include those files.
void AppendGeneratedDependencies(std::string* out,
                                 const Project& project,
                                 const std::vector<const Target*>& own,
                                 const WrittenRules& rules) {
  for (const Target* target : own) {
    for (const Configuration* configuration : target->configurations) {
      if (rules.count(configuration) == 0)
        continue;
      const std::string& c = configuration->name;
      std::vector<const Target*> reached = {target};
      std::string generated;
      for (size_t i = 0; i < reached.size(); ++i) {
        for (const std::string& name : reached[i]->dependencies) {
          const Target* dependency = project.FindTarget(name);
          if (!dependency || std::find(reached.begin(), reached.end(),
                                       dependency) != reached.end())
            continue;
          reached.push_back(dependency);
          const Configuration* matching = dependency->FindConfiguration(c);
          if (matching && rules.count(matching) &&
              HasGenerateSteps(*dependency, *matching)) {
            AppendFormat(&generated, " $(%s_%s_generated)",
                         {dependency->name, matching->name});
          }
        }
      }
      if (!generated.empty()) {
        AppendFormat(out, "$(%s_%s_obj): |%s\n", {target->name, c, generated});
      }
    }
  }
}

// "make test" runs the test programs of every configuration make builds,
// "make test_<configuration>" those of one, each after building what they
// need: a line per test, then how many passed and failed; the status is
// that of the worst.
std::string JoinedText(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts)
    joined += part;
  return joined;
}

void AppendTestGoals(std::string* out,
                     const std::vector<const Target*>& own,
                     const WrittenRules& rules) {
  std::vector<std::string> names;
  std::vector<std::string> goals;
  std::vector<std::string> recipes;
  for (const Target* target : own) {
    if (!target->test)
      continue;
    for (const Configuration* configuration : target->configurations) {
      if (rules.count(configuration) == 0)
        continue;
      const std::string& c = configuration->name;
      size_t at = std::find(names.begin(), names.end(), c) - names.begin();
      if (at == names.size()) {
        names.push_back(c);
        goals.emplace_back();
        recipes.emplace_back();
      }
      const Configuration& defaults = target->DefaultConfiguration();
      std::string arguments = configuration->testArguments.empty()
                                  ? defaults.testArguments
                                  : configuration->testArguments;
      std::string directory = configuration->testDirectory.empty()
                                  ? defaults.testDirectory
                                  : configuration->testDirectory;
      std::string doubled;
      for (char ch : arguments) {
        doubled += ch == '\n' ? ' ' : ch;
        if (ch == '$')
          doubled += '$';
      }
      const std::string& t = target->name;
      AppendFormat(&goals[at], " build_%s_%s", {t, c});
      AppendFormat(
          &recipes[at],
          "\tif (cd %s && $(abspath $(%s_%s_bin)) %s) "
          ">$(OBJS_DIR)/%s_%s.test.log 2>&1; then echo \"PASS %s (%s)\"; "
          "passed=$$((passed + 1)); else echo \"FAIL %s (%s)\"; "
          "failed=$$((failed + 1)); fi; \\\n",
          {directory.empty() ? "." : directory, t, c, doubled, t, c, t, c, t,
           c});
    }
  }
  if (names.empty())
    return;
  // "test" runs every configuration's tests and sums them all up; one
  // configuration's failure does not keep the others from running.
  std::vector<std::string> allGoals = goals;
  std::vector<std::string> allRecipes = recipes;
  out->append(".PHONY: test");
  for (const std::string& name : names)
    AppendFormat(out, " test_%s", {name});
  out->append("\n");
  names.insert(names.begin(), std::string());
  goals.insert(goals.begin(), JoinedText(allGoals));
  recipes.insert(recipes.begin(), JoinedText(allRecipes));
  for (size_t i = 0; i < names.size(); ++i) {
    AppendFormat(out, "%s:%s\n",
                 {names[i].empty() ? "test" : "test_" + names[i], goals[i]});
    out->append("\t@passed=0; failed=0; \\\n");
    out->append(recipes[i]);
    out->append(
        "\techo \"$$passed passed, $$failed failed\"; [ $$failed -eq 0 ]\n\n");
  }
}

}  // namespace

std::string FormatWrapperMakefile(const std::string& platformName,
                                  const Project& project) {
  std::string out;
  out.append("#!/usr/bin/make\n");
  AppendFormat(&out, "# Makefile generated by QEV for %s\n\n", {platformName});
  AppendFormat(&out, "all: \n\t$(MAKE) -f %s.Makefile all\n\n", {project.name});
  AppendFormat(&out, "clean: \n\t$(MAKE) -f %s.Makefile clean\n\n",
               {project.name});
  for (const auto& target : project.targets) {
    if (target->test) {
      AppendFormat(&out, "test: \n\t$(MAKE) -f %s.Makefile test\n\n",
                   {project.name});
      break;
    }
  }
  return out;
}

std::string FormatProjectMakefile(const std::string& platformName,
                                  const Project& project,
                                  const WrittenRules& rules,
                                  const LeftOutTargets& leftOut) {
  const OrderedTargets ordered = OrderTargets(project, leftOut);
  std::string out;
  out.append("#!/usr/bin/make\n");
  AppendFormat(&out, "# Makefile generated by QEV for %s\n\n", {platformName});
  AppendFormat(&out, "include Makedefs.%s.mk\n\n", {platformName});

  out.append("all: ");
  AppendGoals(&out, "build_import_%s_%s ", ordered.imported);
  AppendGoals(&out, "build_%s_%s ", ordered.own);
  out.append("\n\n");

  out.append("clean: ");
  AppendGoals(&out, "clean_import_%s_%s ", ordered.imported);
  AppendGoals(&out, "clean_%s_%s ", ordered.own);
  out.append("\n\n");

  for (const Target* target : ordered.own) {
    if (HasBuiltConfiguration(*target))
      AppendFormat(&out, "include Makefile.%s.mk\n", {target->name});
  }
  out.append("\n\n");

  for (const Target* target : ordered.imported)
    AppendImportRules(&out, *target);
  out.append("\n\n");

  AppendLateDependencies(&out, project, ordered.own, rules);
  AppendGeneratedDependencies(&out, project, ordered.own, rules);
  AppendTestGoals(&out, ordered.own, rules);
  return out;
}
