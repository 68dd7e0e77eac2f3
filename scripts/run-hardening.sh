#!/usr/bin/env bash
# Sets the machine up, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole test suite under them (any
# report fails), then runs every fuzz target for a short while (seconds per
# target as the first argument, default 30).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build_project "$repo/build-asan" -DQEV_SANITIZE=ON
# The real libraries (minutes of compiling their code, not qev's) are built
# once, by scripts/run-tests.sh.
(cd "$repo/build-asan" &&
  ctest --output-on-failure -j"$(nproc)" -LE real_libraries)

"$repo/scripts/run-fuzzers.sh" "${1:-30}"
