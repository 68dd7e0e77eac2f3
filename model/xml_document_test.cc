#include "model/xml_document.h"

#include <gtest/gtest.h>

#include <tinyxml.h>
#include "base/disk.h"

#include "tests/support/test_support.h"

namespace {

std::string Nested(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i)
    text += "<a>";
  for (int i = 0; i < levels; ++i)
    text += "</a>";
  return text;
}

}  // namespace

TEST(ScanNestingTest, CountsElementLevelsLikeTheParser) {
  EXPECT_EQ(ScanNesting("<a><b/><c><d/></c></a>", 100).depth, 3);
  EXPECT_EQ(ScanNesting("<a x='/>' y=\"</z>\"><b/></a>", 100).depth, 2);
  EXPECT_EQ(ScanNesting("<?xml version='1.0'?><!-- <a><a> --><a/>", 100).depth,
            1);
  EXPECT_EQ(ScanNesting("<a><![CDATA[<b><c>]]></a>", 100).depth, 1);
  // A comment's end is looked for after its start.
  EXPECT_EQ(ScanNesting("<!--><m\n--><m><m", 100).depth, 2);
  EXPECT_EQ(ScanNesting("<a>1 < 2 <!DOCTYPE x></a>", 100).depth, 1);
  // Only the declaration's own attributes are read as quoted values.
  EXPECT_EQ(ScanNesting("<a><?xml version=\"></b>\"?><a></a></a>", 100).depth,
            2);
}

TEST(ScanNestingTest, NumericReferencesRunToTheirSemicolonAsInTheParser) {
  // The parser takes "&#<#;" as one reference and then sees <O.
  EXPECT_EQ(ScanNesting("<i>&#<#;<O", 100).depth, 2);
  EXPECT_EQ(ScanNesting("<i a='&#\"#;'><b/></i>", 100).depth, 2);
}

TEST(ScanNestingTest, ReadsTheDeclarationsEncodingAsTheParserDoes) {
  // A reference in the encoding runs to its ";" too: the parser never sees
  // <Q, reads the encoding as a null character, so as empty (UTF-8), and
  // builds <p><\xff.
  EXPECT_GE(ScanNesting("<?xmlencoding=\"&#\"><Q#;\"><p><\xff", 100).depth, 2);
  // In UTF-8 the lead byte \xC3 takes the quote after it, so "/>" stays in
  // the value and <b/> is a child of <a>; in any other encoding it is not.
  const std::string body = "<a x=\"\xC3\"/>\"><b/></a>";
  // A value that starts with a null character is empty: UTF-8.
  EXPECT_EQ(ScanNesting("<?xml encoding=\"&#0;x\"?>" + body, 100).depth, 2);
  // An \"&\" that starts no reference is dropped: "utf-8".
  EXPECT_EQ(ScanNesting("<?xml encoding=\"&utf-8\"?>" + body, 100).depth, 2);
  // &#213; is the byte 0xD5, not a "U".
  EXPECT_EQ(ScanNesting("<?xml encoding=\"&#213;TF-8\"?>" + body, 100).depth,
            1);
  EXPECT_EQ(ScanNesting("<?xml encoding=\"&#x55;TF-8\"?>" + body, 100).depth,
            2);
}

TEST(ScanNestingTest, StopsAtTheFirstLevelBeyondTheLimit) {
  NestingScan scan = ScanNesting("<a>\n <b>\n  <c>", 2);
  EXPECT_EQ(scan.depth, 3);
  EXPECT_EQ(scan.row, 3);
  EXPECT_EQ(scan.column, 3);
}

TEST(ScanNestingTest, NeverCountsLessThanTheParserBuilds) {
  // Whatever the parser accepts, its tree is no deeper than the scan says.
  const char* documents[] = {
      "<a><b x=\"1\"><c/></b><d><e><f/></e></d></a>",
      "<a>text<b>more<c>&lt;</c></b></a>",
      "<a><?xml version=\"1\" other=\">\"?><b><c/></b></a>",
      "<a><!--x--><b><![CDATA[</b>]]></b></a>",
      // In UTF-8 a lead byte takes the next byte along, a "<" included.
      "<?xml version=\"1.0\"?><a x=\"\xC3\"/>\"><b>\xD8</b><c/></b></a>",
      "\xEF\xBB\xBF<a\xEF\xBB\xBF/><b>\xE0<c>\xEF\xBB\xBF</b>",
  };
  for (const char* text : documents) {
    TiXmlDocument doc;
    doc.Parse(text);
    ASSERT_FALSE(doc.Error()) << text;
    int depth = 0;
    for (const TiXmlNode* node = doc.RootElement(); node;) {
      int level = 0;
      for (const TiXmlNode* up = node; up->Parent(); up = up->Parent())
        ++level;
      if (node->ToElement())
        depth = std::max(depth, level);
      if (node->FirstChild()) {
        node = node->FirstChild();
        continue;
      }
      while (node && !node->NextSibling())
        node = node->Parent();
      if (node)
        node = node->NextSibling();
    }
    EXPECT_GE(ScanNesting(text, 100).depth, depth) << text;
  }
}

TEST(LoadXmlDocumentTest, ReportsWhyAndWhere) {
  ScratchDirectory scratch;
  WriteTextFile("bad.qev", "<QEV>\r\n<project name='p'>\r\n\t</QEV>\r\n");
  TiXmlDocument doc;
  XmlLoadError error;
  ASSERT_FALSE(LoadXmlDocument(SystemDisk(), "bad.qev", &doc, &error));
  // The parser notices the missing end tag at the next one.
  EXPECT_EQ(error.row, 3);
  EXPECT_EQ(error.sourceLine, "\t</QEV>");
  EXPECT_EQ(FormatXmlLoadError(error),
            "bad.qev:3:2: error: Error reading end tag.\n\t</QEV>\n\t^\n");
}

TEST(LoadXmlDocumentTest, RefusesWhatCannotBeReadSafely) {
  ScratchDirectory scratch;
  TiXmlDocument doc;
  XmlLoadError error;
  EXPECT_FALSE(LoadXmlDocument(SystemDisk(), "missing.qev", &doc, &error));
  EXPECT_EQ(FormatXmlLoadError(error),
            "missing.qev: error: cannot read the file: No such file or "
            "directory\n");

  WriteTextFile("dir/x", "");
  EXPECT_FALSE(LoadXmlDocument(SystemDisk(), "dir", &doc, &error));
  EXPECT_NE(error.message.find("directory"), std::string::npos);

  WriteTextFile("deep.qev", Nested(kMaxXmlNesting + 1));
  TiXmlDocument deep;
  EXPECT_FALSE(LoadXmlDocument(SystemDisk(), "deep.qev", &deep, &error));
  EXPECT_EQ(error.row, 1);
  EXPECT_EQ(error.column, 3 * kMaxXmlNesting + 1);

  WriteTextFile("ok.qev", Nested(kMaxXmlNesting));
  TiXmlDocument ok;
  EXPECT_TRUE(LoadXmlDocument(SystemDisk(), "ok.qev", &ok, &error));

  WriteTextFile("null.qev", std::string("<QEV>\n<a\0/></QEV>", 18));
  TiXmlDocument with_null;
  EXPECT_FALSE(LoadXmlDocument(SystemDisk(), "null.qev", &with_null, &error));
  EXPECT_EQ(error.row, 2);
  EXPECT_EQ(error.column, 3);

  WriteTextFile("empty.qev", "");
  TiXmlDocument empty;
  EXPECT_FALSE(LoadXmlDocument(SystemDisk(), "empty.qev", &empty, &error));

  WriteTextFile("noroot.qev", "<?xml version='1.0'?><!-- nothing -->");
  TiXmlDocument no_root;
  EXPECT_FALSE(LoadXmlDocument(SystemDisk(), "noroot.qev", &no_root, &error));
}

TEST(FormatXmlLoadErrorTest, ShowsAWindowOfLongLines) {
  XmlLoadError error;
  error.file = "big.qev";
  error.row = 1;
  error.column = 5001;
  error.message = "Error reading end tag.";
  error.sourceLine = std::string(5000, 'x') + "<" + std::string(5000, 'y');
  std::string report = FormatXmlLoadError(error);
  EXPECT_LT(report.size(), 500u);
  size_t line_start = report.find('\n') + 1;
  size_t caret_line = report.find('\n', line_start) + 1;
  size_t caret = report.find('^', caret_line);
  EXPECT_EQ(report[line_start + (caret - caret_line)], '<');
}
