#ifndef BYTEWRAP_OUTPUT_FILE_H_
#define BYTEWRAP_OUTPUT_FILE_H_

#include <cstddef>
#include <string>

// An output file that is written to a temporary file beside its destination
// and put in place only by CommitOutputs, so that a run that fails leaves
// every destination as it was: absent or with its old content.
struct PendingOutput {
  std::string path;         // The destination as named to the user.
  std::string target_path;  // What is replaced: `path`, or its link target.
  std::string temp_path;    // The temporary file while one exists.
  int fd = -1;
};

// Creates the temporary file for `path`. Returns false when `path` could not
// be written: it names a directory or a file without write permission, or
// its directory is missing or not writable. A new file gets the permissions
// the umask allows; a replaced one keeps its permissions, and a symbolic link
// keeps pointing at the file that receives the content.
bool OpenOutput(const std::string& path, PendingOutput* output);

// Writes all of `data`; returns false when any of it could not be written.
bool WriteOutput(PendingOutput* output, const char* data, size_t size);

// Closes the temporary file; returns false when closing reported an error.
bool CloseOutput(PendingOutput* output);

// Closes and removes the temporary file, leaving the destination alone.
void DiscardOutput(PendingOutput* output);

// Puts both closed outputs in place, or neither: when the second cannot be
// renamed, the first destination gets its old content back. On failure both
// temporary files are gone and `failed_path` names the output that failed.
bool CommitOutputs(PendingOutput* first,
                   PendingOutput* second,
                   std::string* failed_path);

#endif  // BYTEWRAP_OUTPUT_FILE_H_
