#include "driver/tool_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver/command_line.h"

namespace {

using ToolList = std::vector<std::pair<std::string, std::string>>;

std::string ReadSourceFile(const std::string& name) {
  std::ifstream in(std::string(QEV_SOURCE_DIR) + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

ToolList TableTools() {
  ToolList tools;
  for (const Tool* tool : AllTools())
    tools.emplace_back(tool->name, tool->description);
  return tools;
}

// The ".TP / .B name / description" entries of the page's TOOLS section.
ToolList ManualTools() {
  std::istringstream page(ReadSourceFile("man/qev.1"));
  ToolList tools;
  bool inside = false;
  std::string line;
  while (std::getline(page, line)) {
    if (line.rfind(".SH", 0) == 0) {
      inside = line == ".SH TOOLS";
      continue;
    }
    if (inside && line.rfind(".B ", 0) == 0) {
      std::string description;
      std::getline(page, description);
      tools.emplace_back(line.substr(3), description);
    }
  }
  return tools;
}

// The rows "| `name` | description |" of the table that follows the tools
// marker in README.md.
ToolList ReadmeTools() {
  std::istringstream readme(ReadSourceFile("README.md"));
  ToolList tools;
  bool inside = false;
  std::string line;
  while (std::getline(readme, line)) {
    if (line.rfind("<!-- tools:", 0) == 0) {
      inside = true;
      continue;
    }
    if (!inside)
      continue;
    if (line.empty())
      break;
    size_t open = line.find("| `");
    size_t close = line.find("` | ");
    if (open != 0 || close == std::string::npos)
      continue;
    std::string description = line.substr(close + 4);
    description = description.substr(0, description.rfind(" |"));
    tools.emplace_back(line.substr(3, close - 3), description);
  }
  return tools;
}

}  // namespace

TEST(ToolTableTest, HelpManualAndReadmeListTheTable) {
  const ToolList table = TableTools();
  ASSERT_FALSE(table.empty());
  EXPECT_EQ(ManualTools(), table);
  EXPECT_EQ(ReadmeTools(), table);
  const std::string usage = UsageText();
  for (const auto& [name, description] : table) {
    std::string padded = name + std::string(8 - name.size(), ' ');
    EXPECT_NE(usage.find("                  " + padded + description + "\n"),
              std::string::npos)
        << name;
  }
}

TEST(ToolTableTest, UnknownNamesListTheToolsAndTheNearest) {
  std::string tools;
  for (const Tool* tool : AllTools())
    tools += (tools.empty() ? "" : ", ") + std::string(tool->name);
  EXPECT_EQ(UnknownToolMessage("nija"),
            "there is no tool \"nija\"; did you mean \"ninja\"? The tools are " +
                tools);
  EXPECT_EQ(UnknownToolMessage("gradle").find("did you mean"),
            std::string::npos);
  EXPECT_NE(FindTool("Ninja"), nullptr);
}
