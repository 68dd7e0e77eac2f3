// Feeds bytes to qev as a project description and runs it end to end with
// each tool in a scratch directory: load, read, export and dump.

#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/disk.h"
#include "base/reporter.h"
#include "driver/run.h"

namespace {

std::string g_scratch;
std::FILE* g_sink = nullptr;

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  return remove(path);
}

void EmptyScratchDirectory() {
  nftw(g_scratch.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  mkdir(g_scratch.c_str(), 0777);
}

void WriteFile(const char* name, std::string_view content) {
  std::FILE* file = std::fopen(name, "wb");
  if (!file)
    return;
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
}

// Names in a description become the paths that exports write to. A text
// that could name a place outside the scratch directory is read and dumped,
// but nothing is exported for it.
bool MayNameOtherPlaces(std::string_view text) {
  return text.find('/') != std::string_view::npos ||
         text.find('\\') != std::string_view::npos ||
         text.find("..") != std::string_view::npos ||
         text.find("&#") != std::string_view::npos;
}

void Run(std::initializer_list<const char*> arguments) {
  Reporter reporter(g_sink, g_sink);
  RunQev(static_cast<int>(arguments.size()), arguments.begin(), reporter);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/qev-fuzz-XXXXXX";
  if (!mkdtemp(pattern))
    abort();
  g_scratch = pattern;
  g_sink = std::fopen("/dev/null", "w");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024)
    return 0;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  EmptyScratchDirectory();
  std::string error;
  if (!SystemDisk().ChangeDirectory(g_scratch, &error))
    abort();

  // Up to three more descriptions for imports to find, each whatever
  // follows a marker; they may import one another (and in.qev), so the
  // imports form chains, shared files, diamonds and cycles.
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

  if (MayNameOtherPlaces(text)) {
    Run({"qev", "-x", "in.qev"});
    return 0;
  }
  Run({"qev", "-t", "xcode", "-x", "in.qev"});
  Run({"qev", "-t", "VC8", "-p", "xenon", "-c", "Debug", "-x", "in.qev"});
  Run({"qev", "-t", "VC7", "-p", "PS3", "-o", "out", "-x", "in.qev"});
  Run({"qev", "-t", "make", "-x", "in.qev"});
  Run({"qev", "-t", "VC17", "-c", "Debug", "-x", "in.qev"});
  Run({"qev", "-t", "ninja", "-x", "in.qev"});
  return 0;
}
