#ifndef QEV_OUTPUT_OUTPUT_CLAIMS_H_
#define QEV_OUTPUT_OUTPUT_CLAIMS_H_

#include <string>
#include <unordered_map>
#include <vector>

class Disk;

// Which owner (a project, in a message's words) writes each file, so that
// a second project whose build files would land on a file another already
// wrote is refused before any of its files is written, instead of silently
// replacing the first one's. Files are told apart by their
// directory as the system names it (links and "." and ".." resolved) and
// their name.
class OutputClaims {
 public:
  // Claims every file of `paths` (as the disk takes them) for `owner`. When
  // one of them is another owner's already, claims none and returns false
  // with that file (as given) in `*path` and the other owner in `*holder`.
  // `*repeated` (when given) tells whether two of `paths` are one file
  // (names compared ignoring ASCII case, as some file systems do).
  bool Claim(Disk& disk,
             const std::vector<std::string>& paths,
             const std::string& owner,
             std::string* path,
             std::string* holder,
             bool* repeated = nullptr);

 private:
  std::string Key(Disk& disk, const std::string& path);

  std::unordered_map<std::string, std::string> owners_;
  // Directories as the system names them, each asked for once.
  std::unordered_map<std::string, std::string> directories_;
};

#endif  // QEV_OUTPUT_OUTPUT_CLAIMS_H_
