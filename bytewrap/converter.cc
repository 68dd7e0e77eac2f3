#include "bytewrap/converter.h"

#include <cstdint>
#include <memory>

#include "bytewrap/array_writer.h"
#include "bytewrap/input_file.h"
#include "bytewrap/names.h"
#include "output/output_file.h"

namespace {

// Input read per step; with its formatted text (about five times as much)
// this bounds the memory the conversion needs, whatever the input's size.
constexpr size_t kChunkSize = 256 * 1024;

Outcome Failure(const std::string& messages) {
  return Outcome{1, messages};
}

std::string WriteFailed(const StreamedOutput& output) {
  return "Failed to write file " + output.path() + ".\r\n";
}

std::string ReadFailed() {
  return "Failed to read entire file.\r\n";
}

bool WriteText(StreamedOutput* output, const std::string& text) {
  std::string error;
  return output->Write(text.data(), text.size(), &error);
}

bool CloseOutput(StreamedOutput* output) {
  std::string error;
  return output->Close(&error);
}

// Streams the byte lines of the whole input into `source`. Sets
// `read_failed` when the input ended early or could not be read.
bool WriteByteLines(InputFile* input,
                    StreamedOutput* source,
                    bool* read_failed) {
  std::unique_ptr<unsigned char[]> chunk(new unsigned char[kChunkSize]);
  std::unique_ptr<char[]> text(new char[FormattedCapacity(kChunkSize)]);
  uint64_t done = 0;
  while (done < input->size) {
    uint64_t left = input->size - done;
    size_t count = left < kChunkSize ? static_cast<size_t>(left) : kChunkSize;
    if (!ReadInput(input, chunk.get(), count)) {
      *read_failed = true;
      return false;
    }
    char* end =
        FormatByteLines(chunk.get(), count, done, input->size, text.get());
    std::string error;
    if (!source->Write(text.get(), static_cast<size_t>(end - text.get()),
                       &error))
      return false;
    done += count;
  }
  return true;
}

// Writes both outputs into their temporary files and closes them.
Outcome WriteOutputs(InputFile* input,
                     const OutputNames& names,
                     StreamedOutput* header,
                     StreamedOutput* source) {
  if (!WriteText(header, HeaderText(names, input->size)) ||
      !CloseOutput(header)) {
    return Failure(WriteFailed(*header));
  }
  bool read_failed = false;
  if (!WriteText(source, SourcePrologue(names, input->size)) ||
      !WriteByteLines(input, source, &read_failed) ||
      !WriteText(source, SourceEpilogue()) || !CloseOutput(source)) {
    return Failure(read_failed ? ReadFailed() : WriteFailed(*source));
  }
  return Outcome{};
}

Outcome ConvertOpenInput(const std::string& path, InputFile* input) {
  if (input->size == 0)
    return Failure("Nothing to convert, empty file.\r\n");

  // The input is read through before a name or output failure is reported,
  // so that an unreadable input is always reported as that first.
  OutputNames names;
  if (!DeriveNames(path, &names)) {
    if (!ReadThrough(input, input->size))
      return Failure(ReadFailed());
    return Failure("Expected filename extension on input file.\r\n");
  }

  StreamedOutput header(SystemDisk());
  StreamedOutput source(SystemDisk());
  std::string open_failures;
  std::string error;
  if (!header.Open(names.header_path, &error))
    open_failures +=
        "Failed to open file " + names.header_path + " for write access.\r\n";
  if (!source.Open(names.source_path, &error))
    open_failures +=
        "Failed to open file " + names.source_path + " for write access.\r\n";
  if (!open_failures.empty()) {
    header.Discard();
    source.Discard();
    if (!ReadThrough(input, input->size))
      return Failure(ReadFailed());
    return Failure(open_failures);
  }

  Outcome written = WriteOutputs(input, names, &header, &source);
  if (written.status != 0) {
    header.Discard();
    source.Discard();
    return written;
  }
  std::string failed_path;
  if (!CommitOutputs(&header, &source, &failed_path, &error))
    return Failure("Failed to write file " + failed_path + ".\r\n");

  return Outcome{0, "Created header file '" + names.header_path + "'\r\n" +
                        "Created source file '" + names.source_path + "'\r\n"};
}

}  // namespace

Outcome Convert(const std::vector<std::string>& args) {
  if (args.size() != 1)
    return Failure("Usage: Bytewrap <fileName>\r\n");
  const std::string& path = args[0];

  InputFile input;
  if (!OpenInput(path, &input))
    return Failure("Failed to open input file '" + path +
                   "' for read access.\r\n");
  Outcome outcome = ConvertOpenInput(path, &input);
  CloseInput(&input);
  return outcome;
}
