#include "exporters/vc17/msbuild_escape.h"

#include "base/text.h"

namespace {

std::string Escaped(std::string_view value, bool keepMacros) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    switch (c) {
      case '%':
        out.append("%25");
        break;
      case '$':
        if (keepMacros && i + 1 < value.size() && value[i + 1] == '(')
          out.push_back('$');
        else
          out.append("%24");
        break;
      case '@':
        out.append("%40");
        break;
      case ';':
        out.append("%3B");
        break;
      case '\'':
        out.append("%27");
        break;
      case '?':
        out.append("%3F");
        break;
      case '*':
        out.append("%2A");
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string MsBuildEscaped(std::string_view value) {
  return Escaped(value, true);
}

std::string MsBuildEscapedLiteral(std::string_view value) {
  return Escaped(value, false);
}

std::string MsBuildUnescaped(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size() &&
        HexDigitValue(value[i + 1]) >= 0 && HexDigitValue(value[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexDigitValue(value[i + 1]) * 16 +
                                      HexDigitValue(value[i + 2])));
      i += 2;
    } else {
      out.push_back(value[i]);
    }
  }
  return out;
}
