#ifndef BYTEWRAP_INPUT_FILE_H_
#define BYTEWRAP_INPUT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

// The input, read front to back in pieces so that memory does not grow with
// its size.
struct InputFile {
  intptr_t handle = -1;  // A file descriptor, or a Windows HANDLE.
  uint64_t size = 0;     // Taken when opened; exactly this much is read.
};

// Opens `path` for reading and takes its size. Returns false when it cannot
// be opened or is not a regular file (a directory, a FIFO, a device), since
// only a regular file has a size to convert.
bool OpenInput(const std::string& path, InputFile* input);

// Reads exactly `count` bytes into `buffer`. Returns false when the file
// ends early or a read fails.
bool ReadInput(InputFile* input, unsigned char* buffer, size_t count);

// Reads and discards the next `remaining` bytes. Returns false when they
// cannot all be read, as converting them would have failed.
bool ReadThrough(InputFile* input, uint64_t remaining);

void CloseInput(InputFile* input);

#endif  // BYTEWRAP_INPUT_FILE_H_
