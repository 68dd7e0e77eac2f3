#ifndef QEV_TESTS_SUPPORT_SOURCE_DOCUMENTS_H_
#define QEV_TESTS_SUPPORT_SOURCE_DOCUMENTS_H_

// Reading the project's own documents (README.md, the manual page) in tests
// that keep them equal to the code.

#include <string>
#include <vector>

// The whole text of a file of the source tree, by its path from the top;
// "" when it cannot be read.
std::string ReadSourceFile(const std::string& name);

// The words in backquotes of a Markdown table cell.
std::vector<std::string> QuotedWords(const std::string& cell);

// The cells, untrimmed, of the rows starting with "| `" of the Markdown
// table that follows the line starting with `marker` in `text`, up to the
// first empty line.
std::vector<std::vector<std::string>> MarkdownTableRows(
    const std::string& text,
    const std::string& marker);

#endif  // QEV_TESTS_SUPPORT_SOURCE_DOCUMENTS_H_
