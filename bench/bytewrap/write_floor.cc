// The floor for bytewrap: writes N bytes to a file in 1 MiB writes and
// nothing else, as fast as output of that size can be produced at all.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_floor FILE BYTES\n");
    return 2;
  }
  int fd = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0)
    return 1;
  uint64_t left = std::strtoull(argv[2], nullptr, 10);
  std::vector<char> buffer(1 << 20, 'x');
  while (left > 0) {
    size_t count = left < buffer.size() ? left : buffer.size();
    if (write(fd, buffer.data(), count) != static_cast<ssize_t>(count))
      return 1;
    left -= count;
  }
  return close(fd) == 0 ? 0 : 1;
}
