#ifndef QEV_BYTEWRAP_NAMES_H_
#define QEV_BYTEWRAP_NAMES_H_

#include <string>

// Every name bytewrap derives from its input path.
struct OutputNames {
  std::string headerPath;  // Where the header goes: "data/logo.h".
  std::string sourcePath;  // Where the source goes: "data/logo.cpp".
  std::string headerFile;  // What the source includes: "logo.h".
  std::string arrayName;   // "g_logo".
  std::string guardMacro;  // "LOGO_H".
};

// Derives the names from `input_path` as typed. Only its file-name component
// (the text after the last '/' or '\') names things; its stem runs up to the
// component's first '.', and the outputs keep the directory part as typed.
// Characters that an include line cannot hold (double quotes, control
// characters) become '_' in the output file names, and the source includes
// the header by its name in the source's own directory, so the include line
// always finds it. Returns false when the component has no '.' or the stem
// is empty.
bool DeriveNames(const std::string& input_path, OutputNames* names);

// Why DeriveNames refuses `input_path`, for a user.
std::string NameProblem(const std::string& input_path);

#endif  // QEV_BYTEWRAP_NAMES_H_
