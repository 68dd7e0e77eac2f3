#!/usr/bin/env bash
# Sets the machine up, builds, and runs the whole test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

build_project "$repo/build"
cd "$repo/build"
ctest --output-on-failure -j"$(nproc)"
