// Feeds bytes to qev as a project description and runs it end to end with
// each tool in a scratch directory: load, read, export and dump. Every
// ninja file and compilation database the ninja tool writes must pass the
// strict readers of tests/ninja_checker, every Visual Studio 2022 tree the
// one of tests/vc17_checker, and every older project file must be
// well-formed XML; anything else aborts, so libFuzzer reports the input.
//
// The scratch directory holds, besides the descriptions, a tree of sources
// whose names ninja, the shell, JSON and XML treat specially (src/, with
// src/sub/), for file patterns to find. QEV_FUZZ_REPORT=1 in the
// environment prints, per input, which tools ran and how many files were
// checked.

#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <tinyxml.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/disk.h"
#include "base/reporter.h"
#include "driver/run.h"
#include "tests/ninja_checker/compile_db_checker.h"
#include "tests/ninja_checker/ninja_manifest_checker.h"
#include "tests/vc17_checker/vc17_checker.h"

namespace {

std::string g_scratch;
std::FILE* g_sink = nullptr;
bool g_report = false;
std::vector<std::string> g_files;

// Names of the scratch tree's sources: ninja's "$ : |", line breaks and
// control characters, "-" and "@" that commands read as options and
// response files, shell, JSON and XML syntax, and bytes that are not UTF-8.
const char* const kSourceNames[] = {
    "a.cpp",           "b.c",        "-dash.cpp",   "@at.c",     "pipe|x.cpp",
    "new\nline.c",     "sp ace.cpp", "dollar$x.cc", "colon:y.c", "q'uote.cpp",
    "bad\xff.c",       "hash#.c",    "tab\t.c",     "amp&.cpp",  "pct%.cpp",
    "semi;c.c",        "lt<gt>.c",   "d.S",         "lib.a",     "h.h",
    "caf\xc3\xa9.cxx",
};

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  return remove(path);
}

int CollectEntry(const char* path, const struct stat*, int type, struct FTW*) {
  if (type == FTW_F)
    g_files.push_back(path);
  return 0;
}

void EmptyScratchDirectory() {
  nftw(g_scratch.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  mkdir(g_scratch.c_str(), 0777);
}

void WriteFile(const std::string& name, std::string_view content) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file)
    return;
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// A fresh scratch directory with the descriptions and the source tree: up
// to three more descriptions for imports to find, each whatever follows a
// marker; they may import one another (and in.qev), so the imports form
// chains, shared files, diamonds and cycles.
void PrepareScratchDirectory(std::string_view text) {
  EmptyScratchDirectory();
  std::string error;
  if (!SystemDisk().ChangeDirectory(g_scratch, &error))
    abort();
  const std::string_view marker = "<!--split-->";
  const char* const names[] = {"in.qev", "b.qev", "c.qev", "d.qev"};
  std::string_view rest = text;
  for (const char* name : names) {
    size_t split = rest.find(marker);
    WriteFile(name, rest.substr(0, split));
    if (split == std::string_view::npos)
      break;
    rest = rest.substr(split + marker.size());
  }
  mkdir("src", 0777);
  mkdir("src/sub", 0777);
  for (const char* name : kSourceNames)
    WriteFile(std::string("src/") + name, "");
  WriteFile("src/sub/x.cpp", "");
}

// A "/" inside a name ("src/sub") cannot lead out of the scratch directory,
// since ".." is refused; one that starts a path or item ("/etc") can.
bool SlashInsideName(std::string_view text, size_t at) {
  if (at == 0)
    return false;
  unsigned char before = static_cast<unsigned char>(text[at - 1]);
  return std::isalnum(before) || before == '_' || before == '.';
}

// Names in a description become the paths that exports write to. A text
// that could name a place outside the scratch directory is read and dumped,
// but nothing is exported for it. A "/" of the XML syntax ("</a>", "<a/>")
// names nothing; in comments, CDATA and declarations every "/" counts.
bool MayNameOtherPlaces(std::string_view text) {
  if (text.find('\\') != std::string_view::npos ||
      text.find("..") != std::string_view::npos ||
      text.find("&#") != std::string_view::npos)
    return true;
  enum { kData, kTag, kQuoted, kMarkup } state = kData;
  char quote = 0;
  std::string_view end_of_markup;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    switch (state) {
      case kTag:
        if (c == '"' || c == '\'') {
          quote = c;
          state = kQuoted;
        } else if (c == '>') {
          state = kData;
        } else if (c == '/' && next != '>') {
          return true;
        }
        break;
      case kQuoted:
        if (c == quote)
          state = kTag;
        else if (c == '/' && !SlashInsideName(text, i))
          return true;
        break;
      case kMarkup:
        if (c == '/')
          return true;
        if (text.substr(i, end_of_markup.size()) == end_of_markup) {
          i += end_of_markup.size() - 1;
          state = kData;
        }
        break;
      case kData:
        if (c == '<' && next == '/') {
          state = kTag;
          ++i;
        } else if (c == '<' &&
                   (std::isalpha(static_cast<unsigned char>(next)) ||
                    next == '_' || next == ':')) {
          state = kTag;
        } else if (c == '<' && (next == '!' || next == '?')) {
          state = kMarkup;
          end_of_markup = text.substr(i, 4) == "<!--"        ? "-->"
                          : text.substr(i, 9) == "<![CDATA[" ? "]]>"
                          : next == '?'                      ? "?>"
                                                             : ">";
          i += 1;
        } else if (c == '/' && !SlashInsideName(text, i)) {
          return true;
        }
        break;
    }
  }
  return false;
}

int Run(std::initializer_list<const char*> arguments) {
  Reporter reporter(g_sink, g_sink);
  return RunQev(static_cast<int>(arguments.size()), arguments.begin(),
                reporter);
}

[[noreturn]] void Fail(const std::string& file, const std::string& problem) {
  std::fprintf(stderr, "reader_fuzzer: qev wrote a faulty %s: %s\n",
               file.c_str(), problem.c_str());
  abort();
}

std::vector<std::string> FilesEndingWith(std::string_view suffix) {
  g_files.clear();
  nftw(g_scratch.c_str(), CollectEntry, 16, FTW_PHYS);
  std::vector<std::string> found;
  for (const std::string& path : g_files) {
    if (path.size() >= suffix.size() &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
      found.push_back(path);
  }
  return found;
}

int CheckNinjaOutput() {
  int checked = 0;
  for (const std::string& path : FilesEndingWith("/build.ninja")) {
    NinjaCheck check = CheckNinjaFile(path);
    if (!check.problems.empty())
      Fail(path, FormatNinjaProblem(check.problems[0]));
    ++checked;
  }
  for (const std::string& path : FilesEndingWith("/compile_commands.json")) {
    std::vector<JsonProblem> problems = CheckCompileDatabase(ReadFile(path));
    if (!problems.empty())
      Fail(path, FormatJsonProblem(problems[0]));
    ++checked;
  }
  return checked;
}

int CheckVc17Output() {
  int checked = 0;
  std::vector<std::string> problems =
      CheckVC17Tree(g_scratch, CheckOptions(), &checked);
  if (!problems.empty())
    Fail("Visual Studio 2022 file", problems[0]);
  return checked;
}

// Project files (VC7 to VC8's, or VC17's after a run that reported an
// error and may have written only part of a project): well-formed XML.
int CheckWellFormed(std::string_view suffix) {
  int checked = 0;
  for (const std::string& path : FilesEndingWith(suffix)) {
    TiXmlDocument document;
    if (!document.LoadFile(path.c_str()))
      Fail(path, document.ErrorDesc());
    ++checked;
  }
  return checked;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/qev-fuzz-XXXXXX";
  if (!mkdtemp(pattern))
    abort();
  g_scratch = pattern;
  g_sink = std::fopen("/dev/null", "w");
  g_report = getenv("QEV_FUZZ_REPORT") != nullptr;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024)
    return 0;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (MayNameOtherPlaces(text)) {
    PrepareScratchDirectory(text);
    Run({"qev", "-x", "in.qev"});
    if (g_report)
      std::fprintf(stderr, "reader_fuzzer: read only\n");
    return 0;
  }
  PrepareScratchDirectory(text);
  Run({"qev", "-t", "xcode", "-x", "in.qev"});
  PrepareScratchDirectory(text);
  Run({"qev", "-t", "VC8", "-p", "xenon", "-c", "Debug", "-x", "in.qev"});
  int vcproj = CheckWellFormed(".vcproj");
  PrepareScratchDirectory(text);
  Run({"qev", "-t", "VC7", "-p", "PS3", "-o", "out", "-x", "in.qev"});
  vcproj += CheckWellFormed(".vcproj");
  PrepareScratchDirectory(text);
  Run({"qev", "-t", "make", "-x", "in.qev"});
  PrepareScratchDirectory(text);
  int vc17 = 0;
  if (Run({"qev", "-t", "VC17", "-c", "Debug", "-x", "in.qev"}) == 0)
    vc17 = CheckVc17Output();
  else
    vc17 = CheckWellFormed(".vcxproj") + CheckWellFormed(".vcxproj.filters");
  PrepareScratchDirectory(text);
  Run({"qev", "-t", "ninja", "-x", "in.qev"});
  int ninja = CheckNinjaOutput();
  if (g_report) {
    std::fprintf(stderr,
                 "reader_fuzzer: exported; checked %d ninja files and "
                 "databases, %d VC17 files, %d older project files\n",
                 ninja, vc17, vcproj);
  }
  return 0;
}
