// The floor of a generation run: the work no generator can skip. Reads the
// description, lists and sorts each directory its file groups name, and
// writes files of the sizes qev wrote through a temporary file and a rename
// each, as qev does. Nothing is parsed or formatted.
//
//   floor MANIFEST
//
// MANIFEST lines: "R path" reads a file, "L dir" lists a directory, "D dir"
// makes a directory, "W path size" writes a file of that size.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool ReadAll(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat info;
  fstat(fd, &info);
  std::string text(static_cast<size_t>(info.st_size), '\0');
  size_t done = 0;
  while (done < text.size()) {
    ssize_t got = read(fd, &text[done], text.size() - done);
    if (got <= 0)
      break;
    done += static_cast<size_t>(got);
  }
  close(fd);
  return done == text.size();
}

size_t List(const std::string& directory) {
  std::vector<std::string> names;
  DIR* dir = opendir(directory.c_str());
  if (!dir)
    return 0;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 &&
        std::strcmp(entry->d_name, "..") != 0)
      names.emplace_back(entry->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names.size();
}

bool Write(const std::string& path, size_t size, const std::string& bytes) {
  struct stat info;
  lstat(path.c_str(), &info);  // qev looks before it writes, too
  size_t slash = path.rfind('/');
  std::string temporary =
      (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
      ".floor" + std::to_string(getpid());
  int fd =
      open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  size_t done = 0;
  while (done < size) {
    size_t piece = std::min(size - done, bytes.size());
    ssize_t written = write(fd, bytes.data(), piece);
    if (written <= 0)
      break;
    done += static_cast<size_t>(written);
  }
  close(fd);
  return done == size && rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor MANIFEST\n");
    return 2;
  }
  std::ifstream manifest(argv[1]);
  const std::string bytes(1 << 16, 'x');
  std::string kind, path;
  size_t failures = 0;
  while (manifest >> kind >> path) {
    if (kind == "R") {
      failures += !ReadAll(path);
    } else if (kind == "L") {
      List(path);
    } else if (kind == "D") {
      failures += mkdir(path.c_str(), 0777) != 0;
    } else if (kind == "W") {
      size_t size = 0;
      manifest >> size;
      failures += !Write(path, size, bytes);
    }
  }
  if (failures)
    std::fprintf(stderr, "floor: %zu operations failed\n", failures);
  return failures ? 1 : 0;
}
