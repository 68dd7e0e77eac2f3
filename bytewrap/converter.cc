#include "bytewrap/converter.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "base/disk.h"
#include "bytewrap/array_writer.h"
#include "bytewrap/input_file.h"
#include "bytewrap/names.h"
#include "output/output_file.h"

namespace {

// Input read per step; with its formatted text (about five times as much)
// this bounds the memory the conversion needs, whatever the input's size.
constexpr size_t kChunkSize = 256 * 1024;

// A file without a size (under /proc) is read whole into memory; this bounds
// it, since some of them never end in practice.
constexpr uint64_t kSizelessLimit = 256ull * 1024 * 1024;

Outcome Failure(const std::string& message, const std::string& reason) {
  return Outcome{1, message, "bytewrap: " + reason + "\n"};
}

std::string WriteFailed(const std::string& path) {
  return "Failed to write file " + path + ".\r\n";
}

const char kReadFailed[] = "Failed to read entire file.\r\n";

// Why `path` cannot be written to, from the writer's reason and what the
// file system says about the path.
std::string OutputReason(const std::string& path, const std::string& error) {
  if (SystemDisk().Stat(path).kind == FileKind::kDirectory)
    return path + ": it is a directory";
  return path + ": " + (error.empty() ? "Input/output error" : error);
}

// Where the bytes to convert come from: the input file, or what was read of
// it into memory.
struct ByteSource {
  InputFile* file = nullptr;
  const std::string* memory = nullptr;
  uint64_t size = 0;
  size_t offset = 0;

  bool Read(unsigned char* buffer, size_t count, std::string* reason) {
    if (!memory)
      return ReadInput(file, buffer, count, reason);
    std::memcpy(buffer, memory->data() + offset, count);
    offset += count;
    return true;
  }
};

bool WriteText(StreamedOutput* output,
               const std::string& text,
               std::string* error) {
  return output->Write(text.data(), text.size(), error);
}

// Streams the byte lines of the whole input into `source`. Sets
// `read_failed` when the input ended early or could not be read.
bool WriteByteLines(ByteSource* input,
                    StreamedOutput* source,
                    bool* read_failed,
                    std::string* reason) {
  std::unique_ptr<unsigned char[]> chunk(new unsigned char[kChunkSize]);
  std::unique_ptr<char[]> text(new char[FormattedCapacity(kChunkSize)]);
  uint64_t done = 0;
  while (done < input->size) {
    uint64_t left = input->size - done;
    size_t count = left < kChunkSize ? static_cast<size_t>(left) : kChunkSize;
    if (!input->Read(chunk.get(), count, reason)) {
      *read_failed = true;
      return false;
    }
    char* end =
        FormatByteLines(chunk.get(), count, done, input->size, text.get());
    std::string error;
    if (!source->Write(text.get(), static_cast<size_t>(end - text.get()),
                       &error)) {
      *reason = OutputReason(source->path(), error);
      return false;
    }
    done += count;
  }
  return true;
}

// Writes both outputs into their temporary files and closes them.
Outcome WriteOutputs(ByteSource* input,
                     const std::string& input_path,
                     const OutputNames& names,
                     StreamedOutput* header,
                     StreamedOutput* source) {
  std::string error;
  if (!WriteText(header, HeaderText(names, input->size), &error) ||
      !header->Close(&error)) {
    return Failure(WriteFailed(header->path()),
                   OutputReason(header->path(), error));
  }
  bool read_failed = false;
  std::string reason;
  bool written =
      WriteText(source, SourcePrologue(names, input->size), &error) &&
      WriteByteLines(input, source, &read_failed, &reason) &&
      WriteText(source, SourceEpilogue(), &error) && source->Close(&error);
  if (!written) {
    if (read_failed)
      return Failure(kReadFailed, input_path + ": " + reason);
    if (reason.empty())
      reason = OutputReason(source->path(), error);
    return Failure(WriteFailed(source->path()), reason);
  }
  return Outcome{};
}

Outcome ConvertOpenInput(const std::string& path, InputFile* input) {
  ByteSource bytes;
  bytes.file = input;
  bytes.size = input->size;
  std::string memory;
  std::string reason;
  if (input->size == 0) {
    // Files under /proc say 0 and have content: read them to their end.
    if (!ReadToEnd(input, kSizelessLimit, &memory, &reason))
      return Failure(kReadFailed, path + ": " + reason);
    bytes.memory = &memory;
    bytes.size = memory.size();
  }
  if (bytes.size == 0)
    return Failure("Nothing to convert, empty file.\r\n",
                   path + ": the file holds no bytes");

  // The input is read through before a name or output failure is reported,
  // so that an unreadable input is always reported as that first.
  OutputNames names;
  if (!DeriveNames(path, &names)) {
    if (!bytes.memory && !ReadThrough(input, input->size, &reason))
      return Failure(kReadFailed, path + ": " + reason);
    return Failure("Expected filename extension on input file.\r\n",
                   path + ": " + NameProblem(path));
  }

  StreamedOutput header(SystemDisk());
  StreamedOutput source(SystemDisk());
  std::string open_failures;
  std::string open_reasons;
  std::string error;
  if (!header.Open(names.headerPath, &error)) {
    open_failures +=
        "Failed to open file " + names.headerPath + " for write access.\r\n";
    open_reasons +=
        "bytewrap: " + OutputReason(names.headerPath, error) + "\n";
  }
  if (!source.Open(names.sourcePath, &error)) {
    open_failures +=
        "Failed to open file " + names.sourcePath + " for write access.\r\n";
    open_reasons +=
        "bytewrap: " + OutputReason(names.sourcePath, error) + "\n";
  }
  if (!open_failures.empty()) {
    header.Discard();
    source.Discard();
    if (!bytes.memory && !ReadThrough(input, input->size, &reason))
      return Failure(kReadFailed, path + ": " + reason);
    return Outcome{1, open_failures, open_reasons};
  }

  Outcome written = WriteOutputs(&bytes, path, names, &header, &source);
  if (written.status != 0) {
    header.Discard();
    source.Discard();
    return written;
  }
  std::string failed_path;
  if (!CommitOutputs(&header, &source, &failed_path, &error))
    return Failure(WriteFailed(failed_path), OutputReason(failed_path, error));

  return Outcome{0,
                 "Created header file '" + names.headerPath + "'\r\n" +
                     "Created source file '" + names.sourcePath + "'\r\n",
                 std::string()};
}

}  // namespace

Outcome Convert(const std::vector<std::string>& args) {
  if (args.size() != 1)
    return Failure("Usage: Bytewrap <fileName>\r\n",
                   "expected one file name, got " +
                       std::to_string(args.size()) + " arguments (see " +
                       "bytewrap --help)");
  const std::string& path = args[0];

  InputFile input;
  std::string reason;
  if (!OpenInput(path, &input, &reason))
    return Failure(
        "Failed to open input file '" + path + "' for read access.\r\n",
        path + ": " + reason);
  Outcome outcome = ConvertOpenInput(path, &input);
  CloseInput(&input);
  return outcome;
}
