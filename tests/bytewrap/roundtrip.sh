#!/usr/bin/env bash
# Converts inputs with bytewrap, compiles the generated pairs with g++ into a
# small program and checks that it gives back the original bytes. Inputs span
# several of the converter's read chunks and every byte value, and one name
# needs sanitising, so the identifiers and guards must compile as generated.
set -eu
bytewrap=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Deterministic bytes: every value once, then a seeded LCG.
cat >gen.cc <<'CC'
#include <cstdio>
#include <cstdlib>
int main(int argc, char** argv) {
  unsigned long n = std::strtoul(argv[1], nullptr, 10);
  unsigned int state = static_cast<unsigned int>(std::strtoul(argv[2], nullptr, 10));
  for (unsigned long i = 0; i < n; ++i) {
    state = state * 1664525u + 1013904223u;
    std::putchar(i < 256 ? static_cast<int>(i) : static_cast<int>(state >> 24));
  }
}
CC
g++ -O1 -o gen gen.cc
mkdir -p data "assets.v2"
./gen 786477 1 >data/logo.png
./gen 1000 2 >"assets.v2/9 lives-é.bin"

"$bytewrap" data/logo.png >/dev/null
"$bytewrap" "assets.v2/9 lives-é.bin" >/dev/null

cat >main.cc <<'CC'
#include <cstdio>
#include <cstring>
#include "logo.h"
#include "logo.h"  // The guard makes a second inclusion harmless.
#include "9 lives-é.h"
int main(int, char** argv) {
  if (std::strcmp(argv[1], "logo") == 0)
    std::fwrite(g_logo, 1, sizeof g_logo, stdout);
  else
    std::fwrite(g_9_lives___, 1, sizeof g_9_lives___, stdout);
}
CC
g++ -Wall -Wextra -Werror -Idata -Iassets.v2 -o embed main.cc data/logo.cpp \
  "assets.v2/9 lives-é.cpp"

./embed logo >logo.out
./embed lives >lives.out
cmp data/logo.png logo.out
cmp "assets.v2/9 lives-é.bin" lives.out
echo "round trip ok"
