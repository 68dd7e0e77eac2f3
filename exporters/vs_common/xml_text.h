#ifndef QEV_EXPORTERS_VS_COMMON_XML_TEXT_H_
#define QEV_EXPORTERS_VS_COMMON_XML_TEXT_H_

#include <string>
#include <string_view>

// Text of the UTF-8 documents that Visual Studio 2022 reads. Description
// values are narrow text: mostly UTF-8, sometimes Windows-1252, and now and
// then already escaped for XML (a define NAME=&quot;x&quot;, which the
// VC7-VC8 files keep as written).

// The value a description means: every reference that the VC7-VC8 writer
// keeps as written (&amp; &lt; &gt; &quot; &apos; and character references)
// replaced by the character it names, in UTF-8. Everything else is kept.
std::string DecodeXmlReferences(std::string_view text);

// `text` in UTF-8: valid UTF-8 sequences stay, every other byte is read as
// Windows-1252 (the code page of the older project files) and converted.
std::string ToUtf8(std::string_view text);

// Appends `text` (converted by ToUtf8) escaped for element content or a
// double-quoted attribute: & < > and " become references, a carriage return
// "&#xD;" so that it survives, other control characters that XML cannot
// carry "?".
void AppendXmlText(std::string_view text, std::string* out);

// AppendXmlText for a double-quoted attribute value, where XML reads a raw
// line break or tab back as a space: those become character references.
void AppendXmlAttributeText(std::string_view text, std::string* out);

#endif  // QEV_EXPORTERS_VS_COMMON_XML_TEXT_H_
