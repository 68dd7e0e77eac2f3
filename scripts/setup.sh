#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing, then
# builds everything into build/. Sourced by the other scripts; extra Debian
# packages can be asked for in QEV_EXTRA_PACKAGES.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages="g++ make cmake pkg-config libtinyxml-dev libgtest-dev libxml2-utils \
dpkg-dev man-db ninja-build clangd ccache distcc \
zlib1g-dev libgmock-dev libbenchmark-dev libsnappy-dev \
${QEV_EXTRA_PACKAGES:-}"

"$repo/scripts/install-packages.sh" $packages

configure_project() {  # configure_project <build dir> [cmake options...]
  local dir=$1
  shift
  cmake -S "$repo" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

build_project() {  # build_project <build dir> [cmake options...]: everything
  configure_project "$@"
  cmake --build "$1" -j"$(nproc)"
}
