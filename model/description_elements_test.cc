// README's "Writing descriptions" chapter and the manual page list every
// element of the reader's table with the attributes it reads: these tests
// keep the three equal, so that the documentation cannot drift from what
// the reader checks descriptions against.

#include "model/description_elements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "model/split_items.h"
#include "tests/support/source_documents.h"

namespace {

struct ListedElement {
  std::string name;
  std::vector<std::string> attributes;  // besides version, platform, tool
  std::string meaning;
};

std::string Described(const ListedElement& element) {
  std::string text = element.name + " [";
  for (const std::string& attribute : element.attributes)
    text += " " + attribute;
  return text + " ] " + element.meaning;
}

// One line per entry where `listed` differs from `table`, position by
// position; "" when they are equal.
std::string Differences(const std::vector<ListedElement>& listed,
                        const std::vector<ListedElement>& table) {
  std::string differences;
  for (size_t i = 0; i < std::max(listed.size(), table.size()); ++i) {
    std::string has = i < listed.size() ? Described(listed[i]) : "nothing";
    std::string wants = i < table.size() ? Described(table[i]) : "nothing";
    if (has != wants)
      differences += "  lists " + has + "\n  table " + wants + "\n";
  }
  return differences;
}

std::vector<ListedElement> TableElements() {
  std::vector<ListedElement> elements;
  for (const ElementInfo& info : DescriptionElements())
    elements.push_back({info.name, SplitItems(info.attributes), info.meaning});
  return elements;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The rows "| `name` | `attribute` ... | meaning |" of the table that
// follows the elements marker in README.md.
std::vector<ListedElement> ReadmeElements() {
  std::vector<ListedElement> elements;
  for (std::vector<std::string> cells :
       MarkdownTableRows(ReadSourceFile("README.md"), "<!-- elements:")) {
    if (cells.size() < 3)
      continue;
    for (std::string& cell : cells)
      cell = Trimmed(cell);
    std::vector<std::string> name = QuotedWords(cells[0]);
    elements.push_back(
        {name.empty() ? cells[0] : name[0], QuotedWords(cells[1]), cells[2]});
  }
  return elements;
}

// A text line of the page as it reads: "\-" is a minus.
std::string Unescaped(std::string text) {
  for (size_t at = text.find("\\-"); at != std::string::npos;
       at = text.find("\\-", at + 1))
    text.erase(at, 1);
  return text;
}

// The ".TP / .B name" or ".TP / .BI name \" attributes\"" entries of the
// page's Elements subsection, each with its one line of meaning.
std::vector<ListedElement> ManualElements() {
  std::istringstream page(ReadSourceFile("man/qev.1"));
  std::vector<ListedElement> elements;
  bool inside = false;
  std::string line;
  while (std::getline(page, line)) {
    if (line.rfind(".SH", 0) == 0 || line.rfind(".SS", 0) == 0) {
      inside = line == ".SS Elements";
      continue;
    }
    if (!inside || line != ".TP")
      continue;
    std::string heading;
    std::string meaning;
    std::getline(page, heading);
    std::getline(page, meaning);
    ListedElement element;
    element.meaning = Unescaped(meaning);
    if (heading.rfind(".B ", 0) == 0) {
      element.name = heading.substr(3);
    } else if (heading.rfind(".BI ", 0) == 0) {
      size_t quote = heading.find(" \"", 4);
      element.name = heading.substr(4, quote - 4);
      if (quote != std::string::npos) {
        std::string attributes = heading.substr(quote + 2);
        if (!attributes.empty() && attributes.back() == '"')
          attributes.pop_back();
        element.attributes = SplitItems(attributes);
      }
    } else {
      element.name = heading;
    }
    elements.push_back(element);
  }
  return elements;
}

// What README's table should hold, to paste when it differs.
std::string ExpectedReadmeRows() {
  std::string rows;
  for (const ListedElement& element : TableElements()) {
    rows += "| `" + element.name + "` |";
    for (const std::string& attribute : element.attributes)
      rows += " `" + attribute + "`";
    rows += " | " + element.meaning + " |\n";
  }
  return rows;
}

// What the page's Elements subsection should hold.
std::string ExpectedManualEntries() {
  std::string entries;
  for (const ListedElement& element : TableElements()) {
    entries += ".TP\n";
    if (element.attributes.empty()) {
      entries += ".B " + element.name + "\n";
    } else {
      entries += ".BI " + element.name + " \"";
      for (const std::string& attribute : element.attributes)
        entries += " " + attribute;
      entries += "\"\n";
    }
    // A minus that starts a word is "\-" on the page.
    std::string meaning;
    for (size_t i = 0; i < element.meaning.size(); ++i) {
      if (element.meaning[i] == '-' &&
          (i == 0 || element.meaning[i - 1] == ' '))
        meaning += '\\';
      meaning += element.meaning[i];
    }
    entries += meaning + "\n";
  }
  return entries;
}

}  // namespace

TEST(DescriptionElementsTest, ReadmeListsEveryElementAndAttributeOfTheTable) {
  const std::vector<ListedElement> table = TableElements();
  ASSERT_FALSE(table.empty());
  const std::string differences = Differences(ReadmeElements(), table);
  EXPECT_EQ(differences, "") << "README.md's elements table should read:\n"
                             << ExpectedReadmeRows();
}

TEST(DescriptionElementsTest, ManualPageListsEveryElementAndAttribute) {
  const std::vector<ListedElement> table = TableElements();
  const std::string differences = Differences(ManualElements(), table);
  EXPECT_EQ(differences, "")
      << "the Elements subsection of man/qev.1 should read:\n"
      << ExpectedManualEntries();
}

// The table is what the reader checks against: every listed attribute is
// one the element takes, and the filters are taken by all.
TEST(DescriptionElementsTest, ListedAttributesAreThoseTheReaderAccepts) {
  for (const ElementInfo& info : DescriptionElements()) {
    for (const std::string& attribute : SplitItems(info.attributes))
      EXPECT_TRUE(ElementTakesAttribute(info, attribute)) << info.name;
    for (const char* filter : {"version", "PLATFORM", "Tool"})
      EXPECT_TRUE(ElementTakesAttribute(info, filter)) << info.name;
    EXPECT_EQ(FindElementInfo(ToLowerAscii(info.name)), &info);
  }
  EXPECT_EQ(FindElementInfo("configuraton"), nullptr);
}

// The complete example of README's chapter is the description that the
// propagation test builds, as it stands.
TEST(DescriptionElementsTest, ReadmeExampleIsTheExampleDescription) {
  const std::string readme = ReadSourceFile("README.md");
  const std::string example =
      ReadSourceFile("examples/public-settings/public-settings.qev");
  ASSERT_FALSE(example.empty());
  size_t chapter = readme.find("### A complete example");
  ASSERT_NE(chapter, std::string::npos);
  size_t open = readme.find("```xml\n", chapter);
  ASSERT_NE(open, std::string::npos);
  open += 7;
  size_t close = readme.find("```\n", open);
  ASSERT_NE(close, std::string::npos);
  EXPECT_EQ(readme.substr(open, close - open), example);
}
