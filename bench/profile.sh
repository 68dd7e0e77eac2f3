#!/usr/bin/env bash
# Counts where qev spends its instructions at the large scale (2,000 targets x
# 50 files) with callgrind, for `qev -t make -v 0` and `qev -t VC8 -v 0`, and
# prints the functions with the most instructions, own and inclusive.
#
#   bench/profile.sh [TARGETS FILES]
#
# Builds qev Release with symbols into build-bench-profile/ (installs valgrind
# and the build tools with apt-get when missing), generates the tree with
# gen_tree.cc (seed 1) into a scratch directory, and keeps the callgrind
# files there (BENCH_WORK, default a new directory under /tmp) for
# callgrind_annotate or kcachegrind.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
targets=${1:-2000}
files=${2:-50}

packages="g++ make cmake pkg-config libtinyxml-dev valgrind"
"$repo/scripts/install-packages.sh" $packages

cmake -S "$repo" -B "$repo/build-bench-profile" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS=-g -DBUILD_TESTING=OFF >/dev/null
cmake --build "$repo/build-bench-profile" -j"$(nproc)" --target qev >/dev/null
qev=$repo/build-bench-profile/driver/qev

work=${BENCH_WORK:-$(mktemp -d /tmp/qev-profile.XXXXXX)}
mkdir -p "$work"
g++ -O2 -std=c++17 -o "$work/gen_tree" "$here/gen_tree.cc"
tree=$work/tree-$targets-$files
[ -f "$tree/stats.txt" ] || "$work/gen_tree" "$targets" "$files" 1 "$tree"

# top FILE INCLUSIVE: the 25 functions with the most instructions, with the
# standard library's long type names shortened and the start-up frames and
# the duplicate rows that name a file by its absolute path left out.
top() {
  callgrind_annotate --inclusive="$2" --threshold=100 "$1" 2>/dev/null |
    sed -e 's/std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >/std::string/g' \
      -e 's/std::basic_string_view<char, std::char_traits<char> >/std::string_view/g' \
      -e 's/ \[[^]]*\]$//' |
    awk '/PROGRAM TOTALS/ { print } /file:function/ { on = 1; getline; next }
         /%\)  \/|\(below main\)|\?\?\?:0x|libc-start/ { next }
         on && NF && n++ < 25 { print }'
}

for tool in make VC8; do
  out=$work/callgrind.$tool.out
  rm -rf "$tree/run-$tool"
  mkdir "$tree/run-$tool"
  (cd "$tree/run-$tool" &&
    valgrind --tool=callgrind --callgrind-out-file="$out" \
      "$qev" -t "$tool" -v 0 -x ../bench.qev >/dev/null 2>"$work/valgrind.$tool.log")
  echo "== qev -t $tool -v 0, $targets targets x $files files: own instructions"
  top "$out" no
  echo "== inclusive"
  top "$out" yes
done
echo "callgrind files: $work"
