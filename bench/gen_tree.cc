// Writes a synthetic, compilable C++ code base and, for the same tree, the
// inputs of three build-file generators: a qev description, GN build files
// and a premake4 script. Everything written depends only on the arguments,
// so a seed reproduces a tree byte for byte.
//
//   gen_tree TARGETS FILES SEED OUTDIR
//
// Target i is named tNNNNN. Targets come in groups of ten with fixed roles
// (two executables and eight static libraries on three levels); a target
// depends on about four targets of the next level, picked at random from its
// own group and the next few, so the dependency graph is a DAG whose
// transitive closure stays bounded at every scale. Every library function
// calls into the libraries it depends on, so a wrong link line fails.
//
// Per target directory src/tNNNNN/: api.h, internal.h, entry.cpp (main.cpp for
// executables), excluded_win32.cpp (holds #error; every generator excludes
// it) and FILES - 4 sources fNNN.cpp. Beside src/: bench.qev (read from a
// directory one level below, with roots ../src/tNNNNN), Makedefs.LINUX.mk for
// the generated makefiles, .gn, BUILD.gn and build/ for GN, premake4.lua,
// and stats.txt with the counts and sizes the benchmark reports.
#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kGroupSize = 10;
// Groups a target may pick its dependencies from: its own and the next ones.
constexpr int kWindow = 3;
constexpr int kFanOut = 4;
// Level of each position within a group; 0 is an executable, 3 a leaf.
constexpr int kLevelOf[kGroupSize] = {0, 1, 1, 2, 3, 0, 1, 2, 2, 3};
constexpr int kLeafLevel = 3;

// splitmix64: small, fast and the same on every machine.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

 private:
  uint64_t state_;
};

struct Target {
  std::string name;
  int level = 0;
  std::vector<int> deps;     // direct dependencies, ascending
  std::vector<int> closure;  // every library reached, in link order
  bool IsExecutable() const { return level == 0; }
};

[[noreturn]] void Die(const std::string& what) {
  std::fprintf(stderr, "gen_tree: %s: %s\n", what.c_str(),
               std::strerror(errno));
  std::exit(1);
}

void MakeDir(const std::string& path) {
  if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
    Die("cannot create " + path);
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    Die("cannot write " + path);
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() ||
      std::fclose(file) != 0)
    Die("cannot write " + path);
}

std::string TargetName(int index) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "t%05d", index);
  return buffer;
}

std::string SourceName(int k) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "f%03d.cpp", k);
  return buffer;
}

std::vector<Target> MakeGraph(int count, Random* random) {
  std::vector<Target> targets(count);
  int groups = (count + kGroupSize - 1) / kGroupSize;
  for (int i = 0; i < count; ++i) {
    targets[i].name = TargetName(i);
    targets[i].level = kLevelOf[i % kGroupSize];
  }
  for (int i = 0; i < count; ++i) {
    Target& target = targets[i];
    if (target.level == kLeafLevel)
      continue;
    std::vector<int> candidates;
    int group = i / kGroupSize;
    for (int w = 0; w < std::min(kWindow, groups); ++w) {
      int base = ((group + w) % groups) * kGroupSize;
      for (int p = 0; p < kGroupSize && base + p < count; ++p) {
        if (kLevelOf[p] == target.level + 1)
          candidates.push_back(base + p);
      }
    }
    int picks = std::min<int>(kFanOut, candidates.size());
    for (int k = 0; k < picks; ++k) {
      int j = k + random->Below(candidates.size() - k);
      std::swap(candidates[k], candidates[j]);
      target.deps.push_back(candidates[k]);
    }
    std::sort(target.deps.begin(), target.deps.end());
  }
  // Link order: by level, then by index. A library only depends on the next
  // level, so this lists every library before the ones it calls.
  for (int i = 0; i < count; ++i) {
    std::vector<char> seen(count, 0);
    std::vector<int> reached;
    std::vector<int> stack(targets[i].deps);
    while (!stack.empty()) {
      int d = stack.back();
      stack.pop_back();
      if (seen[d])
        continue;
      seen[d] = 1;
      reached.push_back(d);
      stack.insert(stack.end(), targets[d].deps.begin(), targets[d].deps.end());
    }
    std::sort(reached.begin(), reached.end(), [&](int a, int b) {
      return targets[a].level != targets[b].level
                 ? targets[a].level < targets[b].level
                 : a < b;
    });
    targets[i].closure = reached;
  }
  return targets;
}

// The libraries a target lists to be linked with: executables name every
// library they reach (static libraries do not bring their own dependencies),
// libraries name their direct dependencies.
const std::vector<int>& LinkList(const Target& target) {
  return target.IsExecutable() ? target.closure : target.deps;
}

std::string Guard(const std::string& name, const char* file) {
  std::string guard = "BENCH_" + name + "_" + file + "_H_";
  for (char& c : guard)
    c = static_cast<char>(c == '.' ? '_' : std::toupper(c));
  return guard;
}

// Writes the sources of one target; returns the file names that the build
// uses (every name but the excluded one), sorted as qev lists them.
std::vector<std::string> WriteSources(const std::string& root,
                                      const std::vector<Target>& targets,
                                      int index,
                                      int files,
                                      Random* random) {
  const Target& target = targets[index];
  const std::string& t = target.name;
  std::string dir = root + "/src/" + t;
  MakeDir(dir);
  int functions = files - 4;
  std::string entry = t + "_entry";

  std::string api = "#ifndef " + Guard(t, "api") + "\n#define " +
                    Guard(t, "api") + "\n\nunsigned " + entry +
                    "(unsigned x);\n\n#endif\n";
  WriteFile(dir + "/api.h", api);

  std::string internal = "#ifndef " + Guard(t, "internal") + "\n#define " +
                         Guard(t, "internal") + "\n\n";
  for (int k = 1; k <= functions; ++k)
    internal +=
        "unsigned " + t + "_f" + SourceName(k).substr(1, 3) + "(unsigned x);\n";
  internal += "\n#endif\n";
  WriteFile(dir + "/internal.h", internal);

  for (int k = 1; k <= functions; ++k) {
    char body[160];
    std::snprintf(body, sizeof body,
                  "unsigned %s_f%03d(unsigned x) {\n"
                  "  return x * %uu + %uu;\n}\n",
                  t.c_str(), k, 3 + 2 * random->Below(1000),
                  random->Below(100000));
    WriteFile(dir + "/" + SourceName(k),
              "#include \"" + t + "/internal.h\"\n\n" + body);
  }

  std::string code =
      "#include \"" + t + "/api.h\"\n#include \"" + t + "/internal.h\"\n";
  for (int d : target.deps)
    code += "#include \"" + targets[d].name + "/api.h\"\n";
  if (target.IsExecutable())
    code += "\n#include <cstdio>\n";
  code += "\nunsigned " + entry + "(unsigned x) {\n  unsigned r = x;\n";
  for (int k = 1; k <= functions; ++k) {
    char call[64];
    std::snprintf(call, sizeof call, "  r += %s_f%03d(r);\n", t.c_str(), k);
    code += call;
  }
  for (int d : target.deps)
    code += "  r ^= " + targets[d].name + "_entry(x + r);\n";
  code += "  return r;\n}\n";
  if (target.IsExecutable()) {
    code += "\nint main() {\n  std::printf(\"" + t + " %u\\n\", " + entry +
            "(1u));\n  return 0;\n}\n";
  }
  std::string main_file = target.IsExecutable() ? "main.cpp" : "entry.cpp";
  WriteFile(dir + "/" + main_file, code);

  WriteFile(dir + "/excluded_win32.cpp",
            "#error \"excluded_win32.cpp is not part of this build\"\n");

  std::vector<std::string> used = {"api.h", "internal.h", main_file};
  for (int k = 1; k <= functions; ++k)
    used.push_back(SourceName(k));
  std::sort(used.begin(), used.end());
  return used;
}

std::string QevTarget(const std::vector<Target>& targets, int index) {
  const Target& target = targets[index];
  const std::string& t = target.name;
  std::string text = "    <target name=\"" + t + "\">\n";
  text += "      <FILES name=\"Source\" root=\"../src/" + t +
          "\">*.cpp *.h -excluded_*.cpp</FILES>\n";
  text += "      <SEARCHPATHS type=\"header\">../src</SEARCHPATHS>\n";
  const std::vector<int>& links = LinkList(target);
  if (!links.empty()) {
    text += "      <DEPENDENCIES>";
    for (size_t k = 0; k < links.size(); ++k)
      text += (k ? " " : "") + targets[links[k]].name;
    text += "</DEPENDENCIES>\n";
  }
  static const char* const kConfigs[2][3] = {{"Debug", "DEBUG", "-g -O0"},
                                             {"Release", "NDEBUG", "-O2"}};
  for (const auto& config : kConfigs) {
    const char* type = target.IsExecutable() ? "console" : "lib";
    text += std::string("      <configuration name=\"") + config[0] +
            "\" type=\"" + type + "\">\n";
    if (target.IsExecutable()) {
      text += "        <OUTFILE>" + t + "</OUTFILE>\n";
      text += std::string("        <OUTDIR>bin/") + config[0] + "</OUTDIR>\n";
    } else {
      text += "        <OUTFILE>lib" + t + "</OUTFILE>\n";
      text += std::string("        <OUTDIR>lib/") + config[0] + "</OUTDIR>\n";
    }
    text +=
        std::string("        <PREPROCESSOR>") + config[1] + "</PREPROCESSOR>\n";
    text += std::string("        <CFLAGS>") + config[2] + "</CFLAGS>\n";
    text += "      </configuration>\n";
  }
  text += "    </target>\n";
  return text;
}

std::string GnTarget(const std::vector<Target>& targets,
                     int index,
                     const std::vector<std::string>& files) {
  const Target& target = targets[index];
  std::string text =
      target.IsExecutable() ? "executable(\"" : "static_library(\"";
  text += target.name + "\") {\n  sources = [\n";
  for (const std::string& file : files)
    text += "    \"" + file + "\",\n";
  text += "  ]\n";
  // GN links the libraries that static libraries depend on by itself, so
  // each target names its direct dependencies only.
  if (!target.deps.empty()) {
    text += "  deps = [\n";
    for (int d : target.deps)
      text += "    \"//src/" + targets[d].name + "\",\n";
    text += "  ]\n";
  }
  text += "}\n";
  return text;
}

void WriteGnFrame(const std::string& root, const std::vector<Target>& targets) {
  WriteFile(root + "/.gn", "buildconfig = \"//build/BUILDCONFIG.gn\"\n");
  MakeDir(root + "/build");
  MakeDir(root + "/build/toolchain");
  WriteFile(
      root + "/build/BUILDCONFIG.gn",
      "declare_args() {\n"
      "  is_debug = true\n"
      "  # The compiler and archiver; bench/ninja.sh swaps in a stand-in.\n"
      "  cxx_tool = \"g++\"\n"
      "  ar_tool = \"ar\"\n"
      "}\n\n"
      "set_default_toolchain(\"//build/toolchain:gcc\")\n\n"
      "_configs = [ \"//build:compiler\" ]\n"
      "set_defaults(\"static_library\") {\n"
      "  configs = _configs\n"
      "}\n"
      "set_defaults(\"executable\") {\n"
      "  configs = _configs\n"
      "}\n");
  WriteFile(root + "/build/BUILD.gn",
            "config(\"compiler\") {\n"
            "  include_dirs = [ \"//src\" ]\n"
            "  if (is_debug) {\n"
            "    defines = [ \"DEBUG\" ]\n"
            "    cflags = [ \"-g\", \"-O0\" ]\n"
            "  } else {\n"
            "    defines = [ \"NDEBUG\" ]\n"
            "    cflags = [ \"-O2\" ]\n"
            "  }\n"
            "}\n");
  WriteFile(
      root + "/build/toolchain/BUILD.gn",
      "toolchain(\"gcc\") {\n"
      "  tool(\"cxx\") {\n"
      "    depfile = \"{{output}}.d\"\n"
      "    command = \"$cxx_tool -MMD -MF $depfile {{defines}} "
      "{{include_dirs}} "
      "{{cflags}} {{cflags_cc}} -c {{source}} -o {{output}}\"\n"
      "    depsformat = \"gcc\"\n"
      "    description = \"CXX {{output}}\"\n"
      "    outputs = [ "
      "\"{{source_out_dir}}/{{target_output_name}}.{{source_name_part}}.o\" "
      "]\n"
      "  }\n"
      "  tool(\"alink\") {\n"
      "    command = \"rm -f {{output}} && $ar_tool rcs {{output}} "
      "{{inputs}}\"\n"
      "    description = \"AR {{output}}\"\n"
      "    outputs = [ "
      "\"{{target_out_dir}}/{{target_output_name}}{{output_extension}}\" ]\n"
      "    default_output_extension = \".a\"\n"
      "    output_prefix = \"lib\"\n"
      "  }\n"
      "  tool(\"link\") {\n"
      "    command = \"$cxx_tool {{ldflags}} -o {{output}} {{inputs}} "
      "{{libs}}\"\n"
      "    description = \"LINK {{output}}\"\n"
      "    outputs = [ \"{{root_out_dir}}/{{target_output_name}}\" ]\n"
      "  }\n"
      "  tool(\"stamp\") {\n"
      "    command = \"touch {{output}}\"\n"
      "    description = \"STAMP {{output}}\"\n"
      "  }\n"
      "  tool(\"copy\") {\n"
      "    command = \"cp -af {{source}} {{output}}\"\n"
      "    description = \"COPY {{source}} {{output}}\"\n"
      "  }\n"
      "}\n");
  std::string all = "group(\"all\") {\n  deps = [\n";
  for (const Target& target : targets)
    all += "    \"//src/" + target.name + "\",\n";
  all += "  ]\n}\n";
  WriteFile(root + "/BUILD.gn", all);
}

std::string PremakeHead() {
  return "newoption {\n"
         "  trigger = \"to\",\n"
         "  value = \"path\",\n"
         "  description = \"Directory for the generated files\"\n"
         "}\n"
         "local to = _OPTIONS[\"to\"] or \"build-premake\"\n\n"
         "solution \"bench\"\n"
         "  configurations { \"Debug\", \"Release\" }\n"
         "  location(to)\n"
         "  language \"C++\"\n"
         "  includedirs { \"src\" }\n"
         "  configuration \"Debug\"\n"
         "    defines { \"DEBUG\" }\n"
         "    flags { \"Symbols\" }\n"
         "    targetdir(to .. \"/bin/Debug\")\n"
         "  configuration \"Release\"\n"
         "    defines { \"NDEBUG\" }\n"
         "    flags { \"Optimize\" }\n"
         "    targetdir(to .. \"/bin/Release\")\n";
}

std::string PremakeProject(const std::vector<Target>& targets, int index) {
  const Target& target = targets[index];
  const std::string& t = target.name;
  std::string text = "\nproject \"" + t + "\"\n";
  text += target.IsExecutable() ? "  kind \"ConsoleApp\"\n"
                                : "  kind \"StaticLib\"\n";
  text += "  files { \"src/" + t + "/*.cpp\", \"src/" + t + "/*.h\" }\n";
  text += "  excludes { \"src/" + t + "/excluded_*.cpp\" }\n";
  const std::vector<int>& links = LinkList(target);
  if (!links.empty()) {
    text += "  links {";
    for (size_t k = 0; k < links.size(); ++k)
      text += std::string(k ? ", \"" : " \"") + targets[links[k]].name + "\"";
    text += " }\n";
  }
  return text;
}

const char kMakedefs[] =
    "# Platform definitions for the makefiles that qev writes for LINUX.\n"
    "OBJS_DIR    = obj\n"
    "ECHO        = echo\n"
    "RMDIR       = rm -rf\n"
    "CXX         = g++\n"
    "CC          = gcc\n"
    "CCLD        = g++\n"
    "AR          = ar\n"
    "RANLIB      = ranlib\n"
    "PARSEDEPEND = :\n";

int ParseCount(const char* text, const char* what, int low, int high) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < low || value > high) {
    std::fprintf(stderr, "gen_tree: %s must be %d to %d\n", what, low, high);
    std::exit(2);
  }
  return static_cast<int>(value);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: gen_tree TARGETS FILES SEED OUTDIR\n");
    return 2;
  }
  int count = ParseCount(argv[1], "TARGETS", 1, 99999);
  int files = ParseCount(argv[2], "FILES", 5, 999);
  uint64_t seed = std::strtoull(argv[3], nullptr, 10);
  std::string root = argv[4];
  MakeDir(root);
  MakeDir(root + "/src");

  Random random(seed);
  std::vector<Target> targets = MakeGraph(count, &random);

  char header[160];
  std::snprintf(header, sizeof header,
                "<?xml version=\"1.0\"?>\n"
                "<!-- gen_tree %d targets x %d files, seed %llu. Read from a "
                "directory beside src/. -->\n",
                count, files, static_cast<unsigned long long>(seed));
  std::string qev = std::string(header) + "<QEV>\n  <project name=\"bench\">\n";
  std::string premake = PremakeHead();
  uint64_t file_list_bytes = 0;
  size_t edges = 0, link_items = 0, executables = 0;
  for (int i = 0; i < count; ++i) {
    std::vector<std::string> used =
        WriteSources(root, targets, i, files, &random);
    for (const std::string& file : used)
      file_list_bytes += ("../src/" + targets[i].name + "/" + file).size() + 1;
    WriteFile(root + "/src/" + targets[i].name + "/BUILD.gn",
              GnTarget(targets, i, used));
    qev += QevTarget(targets, i);
    premake += PremakeProject(targets, i);
    edges += targets[i].deps.size();
    link_items += LinkList(targets[i]).size();
    executables += targets[i].IsExecutable();
  }
  qev += "  </project>\n</QEV>\n";
  WriteFile(root + "/bench.qev", qev);
  WriteFile(root + "/premake4.lua", premake);
  WriteGnFrame(root, targets);
  WriteFile(root + "/Makedefs.LINUX.mk", kMakedefs);

  char stats[512];
  std::snprintf(stats, sizeof stats,
                "seed %llu\ntargets %d\nexecutables %zu\nfiles_per_target %d\n"
                "source_files %llu\ndirect_dependencies %zu\n"
                "dependency_items %zu\ndescription_bytes %zu\n"
                "file_list_bytes %llu\n",
                static_cast<unsigned long long>(seed), count, executables,
                files, static_cast<unsigned long long>(count) * files, edges,
                link_items, qev.size(),
                static_cast<unsigned long long>(file_list_bytes));
  WriteFile(root + "/stats.txt", stats);
  return 0;
}
