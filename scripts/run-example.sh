#!/usr/bin/env bash
# Sets the machine up, builds qev, generates the example's makefiles with it
# (printing the project dump), builds the example with make and runs it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# Only the program: the test suite takes minutes on a fresh machine, and
# scripts/run-tests.sh builds it into the same build/ when asked.
configure_project "$repo/build"
cmake --build "$repo/build" -j"$(nproc)" --target qev
cd "$repo/examples/build"
"$repo/build/driver/qev" -t make -x ../demo.qev
make all
./bin/Debug/demo
./bin/Release/demo
