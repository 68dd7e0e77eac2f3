#ifndef QEV_OUTPUT_HELD_OUTPUTS_H_
#define QEV_OUTPUT_HELD_OUTPUTS_H_

#include <string>
#include <vector>

class Disk;
class Reporter;

// Build files held back until the run knows it succeeds (a strict run
// writes nothing when anything was reported): then all are written in the
// order they came, as OutputWriter writes them, or none.
class HeldOutputs {
 public:
  // `path` as the disk takes it, `shown` as messages name it.
  void HoldFile(std::string path, std::string shown, std::string content);
  void HoldDirectory(std::string path);
  // Holds what `other` holds after what this holds, and empties `other`.
  void TakeFrom(HeldOutputs& other);

  // Writes what was held; false when a file could not be written (each
  // reported as OutputWriter reports it).
  bool WriteAll(Disk& disk, Reporter& reporter);

 private:
  struct Held {
    std::string path;
    std::string shown;
    std::string content;
    bool directory = false;
  };
  std::vector<Held> held_;
};

#endif  // QEV_OUTPUT_HELD_OUTPUTS_H_
