#include "bytewrap/names.h"

#include "base/path.h"
#include "base/text.h"

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

// The text as a file name that a quoted include line can hold: double
// quotes and control characters (a newline ends the line) become '_'.
std::string ToIncludableName(std::string name) {
  for (char& c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || byte < 0x20 || byte == 0x7F)
      c = '_';
  }
  return name;
}

}  // namespace

bool DeriveNames(const std::string& input_path, OutputNames* names) {
  size_t component_start = input_path.size() - FileName(input_path).size();
  size_t dot = input_path.find('.', component_start);
  if (dot == std::string::npos || dot == component_start)
    return false;

  std::string stem = input_path.substr(component_start, dot - component_start);
  // The directory the outputs are written to: only '/' separates there. A
  // '\' before the stem is part of the file name, which the source includes
  // as it is.
  size_t name_start = input_path.size() - NameAfterLastSlash(input_path).size();
  std::string directory = input_path.substr(0, name_start);
  std::string base = ToIncludableName(
      input_path.substr(name_start, component_start - name_start) + stem);
  names->headerFile = base + ".h";
  names->headerPath = directory + names->headerFile;
  names->sourcePath = directory + base + ".cpp";

  std::string id = ToIdentifier(stem);
  names->arrayName = "g_" + id;
  std::string guard = ToUpperAscii(id);
  // A macro cannot start with a digit.
  if (guard[0] >= '0' && guard[0] <= '9')
    guard = "G_" + guard;
  names->guardMacro = guard + "_H";
  return true;
}

std::string NameProblem(const std::string& input_path) {
  size_t component_start = input_path.size() - FileName(input_path).size();
  size_t dot = input_path.find('.', component_start);
  if (dot == std::string::npos)
    return "the file name has no '.'; the outputs are named after the text "
           "before it";
  return "the file name starts with '.', which leaves the outputs no name";
}
