#include "tests/support/source_documents.h"

#include <fstream>
#include <sstream>

std::string ReadSourceFile(const std::string& name) {
  std::ifstream in(std::string(QEV_SOURCE_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> QuotedWords(const std::string& cell) {
  std::vector<std::string> words;
  for (size_t open = cell.find('`'); open != std::string::npos;) {
    size_t close = cell.find('`', open + 1);
    if (close == std::string::npos)
      break;
    words.push_back(cell.substr(open + 1, close - open - 1));
    open = cell.find('`', close + 1);
  }
  return words;
}

std::vector<std::vector<std::string>> MarkdownTableRows(
    const std::string& text,
    const std::string& marker) {
  std::istringstream lines(text);
  std::vector<std::vector<std::string>> rows;
  bool inside = false;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(marker, 0) == 0) {
      inside = true;
      continue;
    }
    if (!inside)
      continue;
    if (line.empty())
      break;
    if (line.rfind("| `", 0) != 0)
      continue;
    std::vector<std::string> cells;
    std::istringstream row(line.substr(1));
    std::string cell;
    while (std::getline(row, cell, '|'))
      cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}
