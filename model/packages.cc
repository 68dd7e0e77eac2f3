#include "model/packages.h"

#include <algorithm>
#include <vector>

#include "base/disk.h"
#include "base/path.h"
#include "base/text.h"
#include "model/resolved_configuration.h"

namespace {

// pkg-config says little; more than this is no answer.
constexpr size_t kOutputLimit = 1 << 20;

void AddOnce(const TextList& from, TextList* into) {
  for (const std::string& name : from) {
    if (std::find(into->begin(), into->end(), name) == into->end())
      into->push_back(name);
  }
}

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
    line.pop_back();
  return line;
}

}  // namespace

TextList PackagesOf(const ResolvedConfiguration& resolved) {
  TextList packages;
  if (resolved.base)
    AddOnce(resolved.base->packages, &packages);
  if (resolved.configuration && resolved.configuration != resolved.base)
    AddOnce(resolved.configuration->packages, &packages);
  AddOnce(resolved.inherited.packages, &packages);
  return packages;
}

PackageFlags CombinedPackageFlags(const Project& project,
                                  const TextList& packages) {
  PackageFlags combined;
  TextList libs;
  for (const std::string& name : packages) {
    auto found = project.packageFlags.find(name);
    if (found == project.packageFlags.end())
      continue;
    AddOnce(found->second.cflags, &combined.cflags);
    libs.insert(libs.end(), found->second.libs.begin(),
                found->second.libs.end());
  }
  for (size_t i = 0; i < libs.size(); ++i) {
    if (std::find(libs.begin() + i + 1, libs.end(), libs[i]) == libs.end())
      combined.libs.push_back(libs[i]);
  }
  return combined;
}

TextList SplitPackageFlags(std::string_view output) {
  TextList words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (size_t i = 0; i < output.size(); ++i) {
    char c = output[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else if (c == '\\' && quote == '"' && i + 1 < output.size())
        word += output[++i];
      else
        word += c;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inWord)
        words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    // A line broken with a backslash goes on: no word holds a line break.
    if (c == '\\' && i + 1 < output.size() &&
        (output[i + 1] == '\n' || output[i + 1] == '\r')) {
      ++i;
      if (inWord)
        words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\' && i + 1 < output.size())
      word += output[++i];
    else if (c == '"' || c == '\'')
      quote = c;
    else
      word += c;
  }
  if (inWord)
    words.push_back(word);
  return words;
}

std::string PackageInstallHint(const std::string& name) {
  static const std::map<std::string, std::string> kKnown = {
      {"zlib", "zlib1g-dev"},
      {"gtest", "libgtest-dev"},
      {"gtest_main", "libgtest-dev"},
      {"gmock", "libgmock-dev"},
      {"gmock_main", "libgmock-dev"},
      {"benchmark", "libbenchmark-dev"},
      {"benchmark_main", "libbenchmark-dev"},
      {"openssl", "libssl-dev"},
      {"libssl", "libssl-dev"},
      {"libcrypto", "libssl-dev"},
      {"sdl2", "libsdl2-dev"},
      {"libpng", "libpng-dev"},
      {"libzstd", "libzstd-dev"},
      {"liblz4", "liblz4-dev"},
      {"snappy", "libsnappy-dev"},
      {"tinyxml", "libtinyxml-dev"},
      {"libcurl", "libcurl4-openssl-dev"},
      {"x11", "libx11-dev"},
      {"gl", "libgl-dev"},
      {"glfw3", "libglfw3-dev"},
      {"freetype2", "libfreetype-dev"},
      {"sqlite3", "libsqlite3-dev"},
  };
  auto known = kKnown.find(name);
  if (known != kKnown.end())
    return known->second;
  std::string base = name.compare(0, 3, "lib") == 0 ? name : "lib" + name;
  return base + "-dev";
}

PackageResolver::PackageResolver(Disk& disk, std::string program)
    : disk_(disk), program_(std::move(program)) {}

bool PackageResolver::Run(const std::vector<std::string>& arguments,
                          std::string* output,
                          std::string* error) {
  if (missingProgram_) {
    *error = "cannot run " + program_;
    return false;
  }
  std::vector<std::string> command = {program_};
  command.insert(command.end(), arguments.begin(), arguments.end());
  ProgramResult result;
  std::string reason;
  if (!disk_.RunProgram(command, kOutputLimit, &result, &reason)) {
    missingProgram_ = true;
    *error = "cannot run " + program_ + " (" + reason +
             "); install it (Debian: apt-get install pkg-config)";
    return false;
  }
  if (result.status != 0) {
    std::string said = FirstLine(result.errors);
    *error = program_ + " failed" + (said.empty() ? "" : ": " + said);
    return false;
  }
  *output = result.output;
  return true;
}

bool PackageResolver::Resolve(const std::string& name,
                              PackageFlags* flags,
                              std::string* error) {
  auto known = resolved_.find(name);
  if (known != resolved_.end()) {
    *flags = known->second;
    return true;
  }
  auto failed = failed_.find(name);
  if (failed != failed_.end()) {
    *error = failed->second;
    return false;
  }
  std::string problem;
  std::string output;
  PackageFlags found;
  // A name that reads as an option would change what pkg-config does.
  if (name.empty() || name[0] == '-') {
    problem = "\"" + name + "\" is no package name";
  } else if (!Run({"--exists", name}, &output, &problem)) {
    if (!missingProgram_) {
      problem = "pkg-config finds no package \"" + name +
                "\"; install its development files (Debian: apt-get "
                "install " +
                PackageInstallHint(name) + ") or add the directory of its " +
                name + ".pc to PKG_CONFIG_PATH";
    }
  } else if (Run({"--cflags", name}, &output, &problem)) {
    found.cflags = SplitPackageFlags(output);
    if (Run({"--libs", name}, &output, &problem)) {
      found.libs = SplitPackageFlags(output);
      if (Run({"--variable=pcfiledir", name}, &output, &problem)) {
        std::string directory = FirstLine(output);
        if (!directory.empty() && !IsAbsolutePath(directory))
          directory = JoinPath(disk_.CurrentDirectory(), directory);
        if (!directory.empty())
          files_.insert(NormalizePath(JoinPath(directory, name + ".pc")));
      }
    }
  }
  if (!problem.empty()) {
    failed_.emplace(name, problem);
    *error = problem;
    return false;
  }
  resolved_.emplace(name, found);
  *flags = std::move(found);
  return true;
}
