#!/usr/bin/env bash
# Sets the machine up, builds qev, generates the example's makefiles with it
# (printing the project dump), builds the example with make and runs it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build_project "$repo/build"
cd "$repo/examples/build"
"$repo/build/driver/qev" -t make -x ../demo.qev
make all
./bin/Debug/demo
./bin/Release/demo
