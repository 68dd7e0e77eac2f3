#include "exporters/vs_common/xml_escape.h"

#include <gtest/gtest.h>

TEST(XmlEscapeTest, EscapesWhatBreaksAnAttribute) {
  EXPECT_EQ("a &lt;b> &quot;c&quot;", XmlEscaped("a <b> \"c\""));
  EXPECT_EQ("make &amp;&amp; run", XmlEscaped("make && run"));
  EXPECT_EQ("R&amp;D", XmlEscaped("R&D"));
  EXPECT_EQ("it's", XmlEscaped("it's"));
  EXPECT_EQ("", XmlEscaped(""));
}

TEST(XmlEscapeTest, KeepsCompleteReferences) {
  EXPECT_EQ("&amp;&lt;&gt;&quot;&apos;",
            XmlEscaped("&amp;&lt;&gt;&quot;&apos;"));
  EXPECT_EQ("NAME=&amp;quot;x&amp;quot;",
            XmlEscaped("NAME=&amp;quot;x&amp;quot;"));
  EXPECT_EQ("&#65;&#x41;&#x1F600;", XmlEscaped("&#65;&#x41;&#x1F600;"));
}

TEST(XmlEscapeTest, EscapesIncompleteOrInvalidReferences) {
  EXPECT_EQ("&amp;amp", XmlEscaped("&amp"));
  EXPECT_EQ("&amp;nbsp;", XmlEscaped("&nbsp;"));
  EXPECT_EQ("&amp;#;", XmlEscaped("&#;"));
  EXPECT_EQ("&amp;#x;", XmlEscaped("&#x;"));
  EXPECT_EQ("&amp;#12a;", XmlEscaped("&#12a;"));
  EXPECT_EQ("&amp;#X41;", XmlEscaped("&#X41;"));
  EXPECT_EQ("&amp;#65", XmlEscaped("&#65"));
  // References to characters that XML forbids would not parse either.
  EXPECT_EQ("&amp;#0;", XmlEscaped("&#0;"));
  EXPECT_EQ("&amp;#x1;", XmlEscaped("&#x1;"));
  EXPECT_EQ("&amp;#xFFFE;", XmlEscaped("&#xFFFE;"));
  EXPECT_EQ("&amp;#1114112;", XmlEscaped("&#1114112;"));
  EXPECT_EQ("&amp;#99999999999999999999;",
            XmlEscaped("&#99999999999999999999;"));
  EXPECT_EQ("&#9;&#10;&#13;&#32;", XmlEscaped("&#9;&#10;&#13;&#32;"));
}

TEST(XmlEscapeTest, KeepsTheDocumentDecodable) {
  // Characters XML has no place for, not even as references.
  EXPECT_EQ("A?B?C", XmlEscaped("A\x01"
                                "B\x1F"
                                "C"));
  EXPECT_EQ("?", XmlEscaped(std::string(1, '\0')));
  EXPECT_EQ("\t\n\r\x7F", XmlEscaped("\t\n\r\x7F"));
  // Windows-1252 leaves five bytes undefined; UTF-8 text holds them often
  // ("\xD0\x81" is a Cyrillic letter).
  EXPECT_EQ("\xD0&#129;&#141;&#143;&#144;&#157;",
            XmlEscaped("\xD0\x81\x8D\x8F\x90\x9D"));
  EXPECT_EQ("\x80\xE9\xFF", XmlEscaped("\x80\xE9\xFF"));
}

TEST(XmlEscapeTest, AppendsToExistingText) {
  std::string out = "Name=\"";
  AppendXmlEscaped("a&b", &out);
  EXPECT_EQ("Name=\"a&amp;b", out);
}
