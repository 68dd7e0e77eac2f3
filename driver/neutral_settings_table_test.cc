// README's mapping table of the compiler-neutral settings, checked row by
// row against what the tools write: the GCC and Clang options of make and
// ninja, the VC17 elements and the VC7-VC8 attributes. A backquoted part of
// a cell must be in the tool's output for that value; a cell without one
// means the value writes nothing, so the output is the same as without the
// setting. The manual page's list must hold the same parts, entry by entry.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/disk.h"
#include "base/reporter.h"
#include "base/text.h"
#include "exporters/vc17/project_file_writer.h"
#include "exporters/vs/vc8_exporter.h"
#include "model/model.h"
#include "model/neutral_settings.h"
#include "tests/support/source_documents.h"

namespace {

const char* const kSettings[] = {"OPTIMIZE",    "DEBUGINFO", "CSTANDARD",
                                 "CXXSTANDARD", "WARNINGS",  "WARNINGSASERRORS",
                                 "RUNTIME"};

struct MappingRow {
  std::string setting;
  std::string value;
  std::vector<std::string> gcc;
  std::vector<std::string> vc17;
  std::vector<std::string> vc7;
};

// The rows of the table that follows the neutral settings marker.
std::vector<MappingRow> ReadmeRows() {
  std::vector<MappingRow> rows;
  for (const std::vector<std::string>& cells : MarkdownTableRows(
           ReadSourceFile("README.md"), "<!-- neutral settings:")) {
    if (cells.size() < 5)
      continue;
    std::vector<std::string> setting = QuotedWords(cells[0]);
    std::vector<std::string> value = QuotedWords(cells[1]);
    rows.push_back({setting.empty() ? "" : setting[0],
                    value.empty() ? "" : value[0], QuotedWords(cells[2]),
                    QuotedWords(cells[3]), QuotedWords(cells[4])});
  }
  return rows;
}

std::string* Field(NeutralSettings& settings, const std::string& setting) {
  if (setting == "OPTIMIZE")
    return &settings.optimize;
  if (setting == "DEBUGINFO")
    return &settings.debugInfo;
  if (setting == "CSTANDARD")
    return &settings.cStandard;
  if (setting == "CXXSTANDARD")
    return &settings.cxxStandard;
  if (setting == "WARNINGS")
    return &settings.warnings;
  if (setting == "WARNINGSASERRORS")
    return &settings.warningsAsErrors;
  if (setting == "RUNTIME")
    return &settings.runtime;
  return nullptr;
}

// The outputs of each tool for one program with a Debug and a Release
// configuration, both with `setting` at `value` (none when empty).
struct Outputs {
  std::string gcc;
  std::string vc17;
  std::string vc7;
};

Outputs Write(const std::string& setting, const std::string& value) {
  Project project("p");
  Target target("app", &project);
  std::vector<Configuration*> configurations;
  for (const char* name : {"Debug", "Release"}) {
    Configuration& configuration =
        target.FindOrCreateConfiguration(name, std::string("console"));
    if (!value.empty())
      *Field(configuration.neutral, setting) = value;
    configurations.push_back(&configuration);
  }
  Outputs outputs;
  for (Configuration* configuration : configurations) {
    GccNeutralFlags flags = GccFlags(ReadNeutralValues(configuration->neutral));
    outputs.gcc += flags.compile + "|" + flags.c + "|" + flags.cxx + "|" +
                   flags.link + "\n";
  }

  ProjectFileInput input;
  input.target = &target;
  input.platform = "x64";
  input.currentDirectory = "/w";
  input.directory = "/w";
  for (Configuration* configuration : configurations)
    input.configurations.push_back(
        {&target.DefaultConfiguration(), configuration});
  outputs.vc17 = FormatProjectFile(input);

  Reporter reporter(stdout, stderr);
  ExportContext context{SystemDisk(), reporter};
  VC8Exporter vc8(context);
  vc8.SetPlatform(std::nullopt);
  outputs.vc7 = vc8.FormatProjectFile(target);
  return outputs;
}

void ExpectMapped(const std::string& tool,
                  const MappingRow& row,
                  const std::vector<std::string>& parts,
                  const std::string& output,
                  const std::string& without) {
  const std::string what = row.setting + " " + row.value + ", " + tool;
  if (parts.empty()) {
    EXPECT_EQ(output, without) << what << ": README says it writes nothing";
    return;
  }
  // Options are whole words: "-g" is not "-g0".
  std::string words = " " + output + " ";
  for (char& c : words) {
    if (c == '|' || c == '\n')
      c = ' ';
  }
  for (const std::string& part : parts) {
    EXPECT_NE(tool == "make, ninja" ? words.find(" " + part + " ")
                                    : output.find(part),
              std::string::npos)
        << what << ": README names \"" << part << "\", which is not in:\n"
        << output;
  }
}

// The page's entry ".TP / .B "SETTING value"" of the Neutral settings
// subsection, as it reads ("\-" a minus); "" when there is none.
std::string ManualEntry(const std::string& setting, const std::string& value) {
  const std::string page = ReadSourceFile("man/qev.1");
  size_t section = page.find("\n.SS Neutral settings\n");
  if (section == std::string::npos)
    return std::string();
  size_t end = page.find("\n.SS ", section + 1);
  const std::string heading = "\n.B \"" + setting + " " + value + "\"\n";
  size_t at = page.find(heading, section);
  if (at == std::string::npos || at > end)
    return std::string();
  size_t next = page.find("\n.TP\n", at);
  std::string entry = page.substr(at, std::min(next, end) - at);
  for (size_t minus = entry.find("\\-"); minus != std::string::npos;
       minus = entry.find("\\-", minus))
    entry.erase(minus, 1);
  return entry;
}

}  // namespace

TEST(NeutralSettingsTableTest, ReadmeHasARowForEveryValueInOrder) {
  std::vector<std::string> expected;
  for (const char* setting : kSettings) {
    for (const std::string& value : NeutralSettingValues(setting))
      expected.push_back(std::string(setting) + " " + value);
  }
  std::vector<std::string> listed;
  for (const MappingRow& row : ReadmeRows())
    listed.push_back(row.setting + " " + row.value);
  EXPECT_EQ(listed, expected);
}

TEST(NeutralSettingsTableTest, EachToolWritesWhatReadmeSays) {
  const Outputs without = Write("", "");
  const std::vector<MappingRow> rows = ReadmeRows();
  ASSERT_FALSE(rows.empty());
  for (const MappingRow& row : rows) {
    NeutralSettings settings;
    ASSERT_NE(Field(settings, row.setting), nullptr) << row.setting;
    const Outputs outputs = Write(row.setting, row.value);
    ExpectMapped("make, ninja", row, row.gcc, outputs.gcc, without.gcc);
    ExpectMapped("VC17", row, row.vc17, outputs.vc17, without.vc17);
    ExpectMapped("VC7-VC8", row, row.vc7, outputs.vc7, without.vc7);
  }
}

TEST(NeutralSettingsTableTest, ManualPageHoldsEveryRow) {
  for (const MappingRow& row : ReadmeRows()) {
    const std::string entry = ManualEntry(row.setting, row.value);
    ASSERT_FALSE(entry.empty()) << "man/qev.1 has no entry .B \"" << row.setting
                                << " " << row.value << "\"";
    for (const auto* parts : {&row.gcc, &row.vc17, &row.vc7}) {
      for (const std::string& part : *parts) {
        EXPECT_NE(entry.find(part), std::string::npos)
            << row.setting << " " << row.value << ": \"" << part
            << "\" is not in the page's entry:" << entry;
      }
    }
  }
}
