// Writes N pseudo-random bytes from a fixed seed to standard output, so that
// every benchmark run converts the same input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen_input BYTES SEED\n");
    return 2;
  }
  uint64_t left = std::strtoull(argv[1], nullptr, 10);
  uint64_t state = std::strtoull(argv[2], nullptr, 10) | 1;
  std::vector<unsigned char> buffer(1 << 20);
  while (left > 0) {
    size_t count = left < buffer.size() ? left : buffer.size();
    for (size_t i = 0; i < count; ++i) {
      // xorshift64*
      state ^= state >> 12;
      state ^= state << 25;
      state ^= state >> 27;
      buffer[i] =
          static_cast<unsigned char>((state * 2685821657736338717ULL) >> 56);
    }
    std::fwrite(buffer.data(), 1, count, stdout);
    left -= count;
  }
  return 0;
}
