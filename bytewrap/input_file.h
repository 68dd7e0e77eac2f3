#ifndef QEV_BYTEWRAP_INPUT_FILE_H_
#define QEV_BYTEWRAP_INPUT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

// The input, read front to back in pieces so that memory does not grow with
// its size.
struct InputFile {
  intptr_t handle = -1;  // A file descriptor, or a Windows HANDLE.
  // Taken when opened; exactly this much is read. 0 also for files that
  // have content but no size until read (those under /proc): read them
  // with ReadToEnd.
  uint64_t size = 0;
};

// Opens `path` for reading and takes its size. Returns false when it cannot
// be opened or is not a regular file (a directory, a FIFO, a device), since
// only a regular file has an end to read to; `*reason` then says which.
bool OpenInput(const std::string& path, InputFile* input, std::string* reason);

// Reads exactly `count` bytes into `buffer`. Returns false when the file
// ends early or a read fails, with the reason.
bool ReadInput(InputFile* input,
               unsigned char* buffer,
               size_t count,
               std::string* reason);

// Reads and discards the next `remaining` bytes. Returns false when they
// cannot all be read, as converting them would have failed.
bool ReadThrough(InputFile* input, uint64_t remaining, std::string* reason);

// Reads everything up to the end of the file into `data`. Returns false when
// a read fails or the file holds more than `limit` bytes.
bool ReadToEnd(InputFile* input,
               uint64_t limit,
               std::string* data,
               std::string* reason);

void CloseInput(InputFile* input);

#endif  // QEV_BYTEWRAP_INPUT_FILE_H_
