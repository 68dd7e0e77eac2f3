#ifndef BYTEWRAP_NAMES_H_
#define BYTEWRAP_NAMES_H_

#include <string>

// Every name bytewrap derives from its input path.
struct OutputNames {
  std::string header_path;  // Where the header goes: "data/logo.h".
  std::string source_path;  // Where the source goes: "data/logo.cpp".
  std::string header_file;  // What the source includes: "logo.h".
  std::string array_name;   // "g_logo".
  std::string guard_macro;  // "LOGO_H".
};

// Derives the names from `input_path` as typed. Only its file-name component
// (the text after the last '/' or '\') names things; its stem runs up to the
// component's first '.', and the outputs keep the directory part as typed.
// Returns false when the component has no '.' or the stem is empty.
bool DeriveNames(const std::string& input_path, OutputNames* names);

#endif  // BYTEWRAP_NAMES_H_
