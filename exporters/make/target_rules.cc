#include "exporters/make/target_rules.h"

#include "base/text.h"
#include "exporters/make/generate_rules.h"
#include "exporters/make/make_format.h"
#include "model/model.h"

namespace {

void AppendBuildRule(std::string* out,
                     const std::string& t,
                     const std::string& c,
                     const std::string& binary_path,
                     const std::string& dependencies,
                     TargetKind kind) {
  AppendFormat(out, "build_%s_%s: $(%s_%s_bin)\n", {t, c, t, c});
  AppendFormat(out, "$(%s_%s_bin): $(%s_%s_obj) %s\n",
               {t, c, t, c, dependencies});
  AppendFormat(out, "\t@mkdir -p `dirname %s`\n", {binary_path});
  switch (kind) {
    case TargetKind::kSharedLibrary:
      AppendFormat(out,
                   "\t@$(CXX) -shared -Wl,-soname,$(notdir $@)"
                   "$(%s_custom_loptions) $(%s_%s_obj) $(%s_%s_lflags) "
                   "-lc -o $@ \n",
                   {t, t, c, t, c});
      break;
    case TargetKind::kStaticLibrary:
      AppendFormat(out, "\t@$(AR) r $(%s_%s_bin) $^\n", {t, c});
      AppendFormat(out, "\t@$(RANLIB) $(%s_%s_bin)\n", {t, c});
      break;
    case TargetKind::kConsoleProgram:
    case TargetKind::kWindowsProgram:
      AppendFormat(out, "\t@$(CCLD) $^ $(%s_%s_lflags) -o $(%s_%s_bin) \n",
                   {t, c, t, c});
      break;
  }
  out->append("\t@$(ECHO) building $@ complete!\n");
}

void AppendCompileRules(std::string* out,
                        const std::string& t,
                        const std::string& c) {
  AppendFormat(out, "$(%s_%s_cpp_o): $(%s_%s_objsdir)/%c.o: $(%s_cppfiles)\n",
               {t, c, t, c, t});
  AppendFormat(out,
               "\t@$(ECHO) compiling %s $(filter %c$(strip $(subst .cpp.o,"
               ".cpp, $(subst $(%s_%s_objsdir),, $@))), $(%s_cppfiles))...\n",
               {c, t, c, t});
  out->append("\t@mkdir -p $(dir $(@))\n");
  AppendFormat(out,
               "\t@$(CXX) $(%s_%s_cflags) -c $(filter %c$(strip $(subst "
               ".cpp.o,.cpp, $(subst $(%s_%s_objsdir),, $@))), "
               "$(%s_cppfiles)) -o $@ \n",
               {t, c, t, c, t});
  out->append("\t@$(PARSEDEPEND)\n\n");

  AppendFormat(out, "$(%s_%s_c_o): $(%s_%s_objsdir)/%c.o: $(%s_cfiles)\n",
               {t, c, t, c, t});
  AppendFormat(out,
               "\t@$(ECHO) compiling %s $(filter %c$(strip $(subst .c.o,"
               ".c, $(subst $(%s_%s_objsdir),, $@))), $(%s_cfiles))...\n",
               {c, t, c, t});
  out->append("\t@mkdir -p $(dir $(@))\n");
  AppendFormat(out,
               "\t@$(CC) $(%s_%s_cflags) -c $(filter %c$(strip $(subst "
               ".c.o,.c, $(subst $(%s_%s_objsdir),, $@))), "
               "$(%s_cfiles)) -o $@ \n",
               {t, c, t, c, t});
  out->append("\t@$(PARSEDEPEND)\n\n");
}

}  // namespace

std::string DependencyList(const Target& target,
                           const Configuration& configuration) {
  std::string list;
  for (const std::string& dependency : target.dependencies) {
    if (!list.empty())
      list += ' ';
    AppendFormat(&list, "$(%s_%s_bin)", {dependency, configuration.name});
  }
  return list;
}

void WriteTargetRules(std::string* fragment,
                      const Target& target,
                      const Configuration& defaults,
                      const Configuration& configuration,
                      std::string* dependsLines) {
  const std::string& t = target.name;
  const std::string& c = configuration.name;
  const ResolvedConfiguration resolved =
      ResolveConfiguration(target, defaults, configuration);
  const std::string binary_path = BuildOutputPath(resolved);
  std::string* out = fragment;

  AppendFormat(out, "%s_%s_objsdir  = $(OBJS_DIR)/%s_%s\n", {t, c, t, c});
  AppendFormat(out,
               "%s_%s_cpp_o    = $(addprefix $(%s_%s_objsdir)/, $(subst ../, "
               ", $(patsubst %c.cpp, %c.cpp.o, $(%s_cppfiles))))\n",
               {t, c, t, c, t});
  AppendFormat(out,
               "%s_%s_c_o      = $(addprefix $(%s_%s_objsdir)/, $(subst ../, "
               ", $(patsubst %c.c, %c.c.o, $(%s_cfiles))))\n",
               {t, c, t, c, t});
  AppendFormat(out, "%s_%s_obj      = $(%s_%s_cpp_o) $(%s_%s_c_o)\n",
               {t, c, t, c, t, c});
  AppendFormat(out, "%s_%s_bin      = %s\n", {t, c, binary_path});
  // Every object waits for what the target's steps generate.
  if (HasGenerateSteps(target, configuration)) {
    TextList generated = GeneratedOutputs(defaults.generateSteps);
    if (&configuration != &defaults) {
      TextList own = GeneratedOutputs(configuration.generateSteps);
      generated.insert(generated.end(), own.begin(), own.end());
    }
    std::string list;
    for (const std::string& path : generated)
      list += (list.empty() ? "" : " ") + path;
    AppendFormat(out, "%s_%s_generated = %s\n", {t, c, list});
    AppendFormat(out, "$(%s_%s_obj): | $(%s_%s_generated)\n", {t, c, t, c});
  }
  // A language standard reaches that language's compiles alone.
  const GccNeutralFlags neutral = GccFlags(resolved.neutral);
  if (!neutral.cxx.empty())
    AppendFormat(out, "$(%s_%s_cpp_o): %s_%s_cflags += %s\n",
                 {t, c, t, c, neutral.cxx});
  if (!neutral.c.empty())
    AppendFormat(out, "$(%s_%s_c_o): %s_%s_cflags += %s\n",
                 {t, c, t, c, neutral.c});
  out->append("\n");

  AppendFormat(out, "clean_%s_%s: \n", {t, c});
  AppendFormat(out, "\t@$(ECHO) clean %s %s\n", {t, c});
  AppendFormat(out, "\t@$(RMDIR) $(%s_%s_objsdir)\n", {t, c});
  AppendFormat(out, "\t@$(RMDIR) $(%s_%s_bin)\n", {t, c});
  out->append("\n");

  const std::string dependencies = DependencyList(target, configuration);
  AppendFormat(dependsLines, "Depends for %s_%s: %s\n", {t, c, dependencies});

  AppendBuildRule(out, t, c, binary_path, dependencies, resolved.buildKind);
  out->append("\n");
  if (&configuration != &defaults)
    AppendGenerateRules(out, configuration.generateSteps);
  AppendCompileRules(out, t, c);
}
