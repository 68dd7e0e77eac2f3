// XML text of the UTF-8 files.

#include <gtest/gtest.h>

#include "exporters/vs_common/xml_text.h"

namespace {

std::string Xml(const std::string& text) {
  std::string out;
  AppendXmlText(text, &out);
  return out;
}

TEST(XmlTextTest, ReferencesTheOlderFilesKeepAreRead) {
  EXPECT_EQ("NAME=\"x\"", DecodeXmlReferences("NAME=&quot;x&quot;"));
  EXPECT_EQ("a&b<c>'", DecodeXmlReferences("a&amp;b&lt;c&gt;&apos;"));
  EXPECT_EQ("\xC3\xA9;\xF0\x9F\x98\x80",
            DecodeXmlReferences("&#233;&#59;&#x1F600;"));
  // Not references: kept as they are.
  EXPECT_EQ("a & b &x; &#; &#xZZ;",
            DecodeXmlReferences("a & b &x; &#; &#xZZ;"));
}

TEST(XmlTextTest, TextIsUtf8WhateverTheDescriptionUsed) {
  const std::string utf8 = "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80";
  EXPECT_EQ(utf8, ToUtf8(utf8));
  // Windows-1252 bytes, including the range where it differs from Latin-1
  // and a byte it leaves undefined.
  EXPECT_EQ("caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C\xC2\x81",
            ToUtf8("caf\xE9 \x80\x93\x81"));
  // Truncated, overlong and surrogate sequences are bytes of Windows-1252.
  EXPECT_EQ("\xC3\x83", ToUtf8("\xC3"));
  EXPECT_EQ("\xC3\x80\xC2\xAF", ToUtf8("\xC0\xAF"));
  EXPECT_EQ("\xC3\xAD\xC2\xA0\xE2\x82\xAC", ToUtf8("\xED\xA0\x80"));
}

TEST(XmlTextTest, EscapesWhatXmlReadsAsMarkup) {
  EXPECT_EQ("a&amp;b &lt;c&gt; &quot;d&quot; 'e'", Xml("a&b <c> \"d\" 'e'"));
  // A reference in the text is text: it is escaped again.
  EXPECT_EQ("&amp;quot;", Xml("&quot;"));
  EXPECT_EQ("line1\nline2&#xD;\n\tx?y", Xml("line1\nline2\r\n\tx\x01y"));
  EXPECT_EQ("]]&gt;", Xml("]]>"));
}

}  // namespace
