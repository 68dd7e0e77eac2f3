#include "output/held_outputs.h"

#include "base/disk.h"
#include "base/reporter.h"
#include "output/output_file.h"

void HeldOutputs::HoldFile(std::string path,
                           std::string shown,
                           std::string content) {
  held_.push_back({std::move(path), std::move(shown), std::move(content)});
}

void HeldOutputs::HoldDirectory(std::string path) {
  Held directory;
  directory.path = std::move(path);
  directory.directory = true;
  held_.push_back(std::move(directory));
}

void HeldOutputs::TakeFrom(HeldOutputs& other) {
  for (Held& held : other.held_)
    held_.push_back(std::move(held));
  other.held_.clear();
}

bool HeldOutputs::WriteAll(Disk& disk, Reporter& reporter) {
  bool ok = true;
  for (const Held& held : held_) {
    std::string error;
    if (held.directory) {
      disk.MakeDirectory(held.path, &error);
      continue;
    }
    if (!WriteFileIfChanged(disk, held.path, held.content, &error)) {
      reporter.Error("cannot write \"" + held.shown + "\": " + error);
      ok = false;
    }
  }
  held_.clear();
  return ok;
}
