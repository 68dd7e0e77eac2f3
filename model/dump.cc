#include "model/dump.h"

#include "base/reporter.h"
#include "model/model.h"

namespace {

void DumpList(const char* indent,
              const char* word,
              const TextList& list,
              std::string* out) {
  if (list.empty())
    return;
  out->append(indent).append(word).append("\n");
  out->append(indent).append("{\n");
  for (const std::string& entry : list)
    out->append(indent).append("  ").append(entry).append("\n");
  out->append(indent).append("};\n");
}

}  // namespace

void DumpConfiguration(const Configuration& configuration, std::string* out) {
  const std::string& type =
      configuration.type.empty() ? std::string("DEFAULT") : configuration.type;
  out->append("    configuration( \"")
      .append(configuration.name)
      .append("\", \"")
      .append(type)
      .append("\" )\n    {\n");
  if (!configuration.outDir.empty())
    out->append("      OutDir = \"")
        .append(configuration.outDir)
        .append("\";\n");
  if (!configuration.outFile.empty())
    out->append("      OutFile = \"")
        .append(configuration.outFile)
        .append("\";\n");
  const char* indent = "      ";
  DumpList(indent, "libraries", configuration.libraries, out);
  DumpList(indent, "defines", configuration.defines, out);
  DumpList(indent, "cflags", configuration.cflags, out);
  DumpList(indent, "lflags", configuration.lflags, out);
  DumpList(indent, "searchPaths.header", configuration.searchPaths.header, out);
  DumpList(indent, "searchPaths.library", configuration.searchPaths.library,
           out);
  out->append("    };\n");
}

void DumpTarget(const Target& target, std::string* out) {
  out->append("  target ").append(target.name).append("\n  {\n");
  if (!target.show)
    out->append("    Show = \"false\";\n");
  if (target.test)
    out->append("    Test = \"true\";\n");
  if (!target.exportDir.empty())
    out->append("    Export = \"").append(target.exportDir).append("\";\n");
  for (const Configuration* configuration : target.configurations)
    DumpConfiguration(*configuration, out);
  DumpList("    ", "dependencies", target.dependencies, out);
  for (const FileGroup& group : target.fileGroups) {
    if (group.files.empty())
      continue;
    out->append("    files (group=\"").append(group.name).append("\")\n");
    out->append("    {\n");
    for (const FileEntry& file : group.files)
      out->append("      \"").append(file.path).append("\",\n");
    out->append("    };\n");
  }
  out->append("  };\n\n");
}

void DumpProject(const Project& project, Reporter& reporter) {
  // Printed in pieces of about this size.
  const size_t kChunk = 1 << 16;
  std::string out;
  out.append("project ").append(project.name).append("\n{\n");
  if (!project.exportDir.empty())
    out.append("  Export = \"").append(project.exportDir).append("\";\n");
  // Templates stand where the description has them.
  auto templates = project.templates.begin();
  const size_t count = project.targets.size() + project.templates.size();
  for (size_t position = 0, own = 0; position < count; ++position) {
    if (templates != project.templates.end() && templates->first == position) {
      DumpTarget(*templates->second, &out);
      ++templates;
    } else {
      DumpTarget(*project.targets[own++], &out);
    }
    if (out.size() >= kChunk) {
      reporter.Print(out);
      out.clear();
    }
  }
  out.append("};\n");
  reporter.Print(out);
}
