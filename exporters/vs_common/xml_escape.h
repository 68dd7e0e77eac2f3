#ifndef QEV_EXPORTERS_VS_COMMON_XML_ESCAPE_H_
#define QEV_EXPORTERS_VS_COMMON_XML_ESCAPE_H_

#include <string>
#include <string_view>

// Values written into the attributes of a project file. Descriptions in use
// hold values that are already escaped (a define such as
// NAME=&amp;quot;x&amp;quot;), so a reference that is already complete is kept
// as written and only what would break the document is escaped.

// Appends `text` to `out` for use inside a double-quoted attribute: "<"
// becomes "&lt;", the double quote "&quot;", and "&" becomes "&amp;" unless
// it starts one of the references &amp; &lt; &gt; &quot; &apos; &#DIGITS;
// &#xHEX; (the last two only when they name a character XML allows).
// Control characters that XML cannot carry become "?", and the bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are written as
// references to the code points Windows reads them as, so the text stays a
// well-formed Windows-1252 document.
void AppendXmlEscaped(std::string_view text, std::string* out);

// True when `text` starts with one of the references that AppendXmlEscaped
// keeps as written; the reference ends at the first ";".
bool StartsXmlReference(std::string_view text);

// The escaped form of `text` as a new string.
std::string XmlEscaped(std::string_view text);

#endif  // QEV_EXPORTERS_VS_COMMON_XML_ESCAPE_H_
