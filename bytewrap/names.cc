#include "bytewrap/names.h"

namespace {

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

// The stem as a C++ identifier fragment: every byte that cannot stand in one
// (blanks, hyphens, non-ASCII bytes, ...) becomes '_'.
std::string ToIdentifier(const std::string& stem) {
  std::string id = stem;
  for (char& c : id) {
    if (!IsIdentifierChar(c))
      c = '_';
  }
  return id;
}

std::string ToUpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

bool DeriveNames(const std::string& input_path, OutputNames* names) {
  size_t separator = input_path.find_last_of("/\\");
  size_t component_start = separator == std::string::npos ? 0 : separator + 1;
  size_t dot = input_path.find('.', component_start);
  if (dot == std::string::npos || dot == component_start)
    return false;

  std::string directory = input_path.substr(0, component_start);
  std::string stem = input_path.substr(component_start, dot - component_start);
  names->header_file = stem + ".h";
  names->header_path = directory + names->header_file;
  names->source_path = directory + stem + ".cpp";

  std::string id = ToIdentifier(stem);
  names->array_name = "g_" + id;
  std::string guard = ToUpperAscii(id);
  // A macro cannot start with a digit.
  if (guard[0] >= '0' && guard[0] <= '9')
    guard = "G_" + guard;
  names->guard_macro = guard + "_H";
  return true;
}
