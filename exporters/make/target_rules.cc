#include "exporters/make/target_rules.h"

#include "base/text.h"
#include "exporters/make/make_format.h"
#include "model/model.h"

namespace {

enum class OutputKind { kSharedLibrary, kStaticLibrary, kExecutable };

OutputKind KindOf(const std::string& type) {
  if (EqualsNoCase(type, "SHARED_LIB"))
    return OutputKind::kSharedLibrary;
  if (EqualsNoCase(type, "LIB"))
    return OutputKind::kStaticLibrary;
  return OutputKind::kExecutable;
}

void AppendBuildRule(std::string* out,
                     const std::string& t,
                     const std::string& c,
                     const std::string& binary_path,
                     const std::string& dependencies,
                     OutputKind kind) {
  AppendFormat(out, "build_%s_%s: $(%s_%s_bin)\n", {t, c, t, c});
  AppendFormat(out, "$(%s_%s_bin): $(%s_%s_obj) %s\n",
               {t, c, t, c, dependencies});
  AppendFormat(out, "\t@mkdir -p `dirname %s`\n", {binary_path});
  switch (kind) {
    case OutputKind::kSharedLibrary:
      AppendFormat(out,
                   "\t@$(CXX) -shared -Wl,-soname,$(notdir $@)"
                   "$(%s_custom_loptions) $(%s_%s_obj) $(%s_%s_lflags) "
                   "-lc -o $@ \n",
                   {t, t, c, t, c});
      break;
    case OutputKind::kStaticLibrary:
      AppendFormat(out, "\t@$(AR) r $(%s_%s_bin) $^\n", {t, c});
      AppendFormat(out, "\t@$(RANLIB) $(%s_%s_bin)\n", {t, c});
      break;
    case OutputKind::kExecutable:
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

bool IsBuiltConfiguration(const Configuration& configuration) {
  return configuration.show && !EqualsNoCase(configuration.name, "default");
}

const std::string& EffectiveType(const Configuration& defaults,
                                 const Configuration& configuration) {
  return defaults.type.empty() ? configuration.type : defaults.type;
}

std::string GetBinaryPath(const Target& target,
                          const Configuration& defaults,
                          const Configuration& configuration) {
  std::string file =
      configuration.outFile.empty() ? defaults.outFile : configuration.outFile;
  // Without any file name the path would name the output directory itself,
  // which the clean rule would then remove whole.
  if (file.empty())
    file = target.name;
  const std::string& directory =
      configuration.outDir.empty() ? defaults.outDir : configuration.outDir;
  if (file.find('.') == std::string::npos) {
    switch (KindOf(EffectiveType(defaults, configuration))) {
      case OutputKind::kSharedLibrary:
        file += ".so";
        break;
      case OutputKind::kStaticLibrary:
        file += ".a";
        break;
      case OutputKind::kExecutable:
        break;
    }
  }
  std::string path = directory.empty() ? std::string(".") : directory;
  path += '/';
  path += file;
  return path;
}

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
  const std::string binary_path =
      GetBinaryPath(target, defaults, configuration);
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
  out->append("\n");

  AppendFormat(out, "clean_%s_%s: \n", {t, c});
  AppendFormat(out, "\t@$(ECHO) clean %s %s\n", {t, c});
  AppendFormat(out, "\t@$(RMDIR) $(%s_%s_objsdir)\n", {t, c});
  AppendFormat(out, "\t@$(RMDIR) $(%s_%s_bin)\n", {t, c});
  out->append("\n");

  const std::string dependencies = DependencyList(target, configuration);
  AppendFormat(dependsLines, "Depends for %s_%s: %s\n", {t, c, dependencies});

  AppendBuildRule(out, t, c, binary_path, dependencies,
                  KindOf(EffectiveType(defaults, configuration)));
  out->append("\n");
  AppendCompileRules(out, t, c);
}
