#!/usr/bin/env bash
# Times qev's ninja output against GN + ninja on the generated code bases of
# bench/gen_tree.cc, and writes the table into bench/NINJA-RESULTS.md:
#   - generation: qev -t ninja against qev -t make and gn gen;
#   - no-op: a second ninja on each generator's output, after a build with a
#     stand-in compiler (it only creates the files a compile, archive or link
#     would), so that large trees can be "built" in minutes;
#   - a real build of one tree with g++, and a one-file edit in it.
# Optional: run by hand, not by the test suite.
#
#   bench/ninja.sh
#
# Settings, from the environment:
#   BENCH_WORK         scratch directory (default: a new one under /dev/shm)
#   BENCH_SCALES       scales timed for generation (default "small medium huge")
#   BENCH_NOOP_SCALES  scales built with the stand-in and timed for no-op
#                      (default "medium huge")
#   BENCH_BUILD_SCALE  scale built for real with g++ (default "medium"; empty
#                      skips it)
#   BENCH_RUNS         runs per timing (default 5)
#   BENCH_RESULTS      where the table goes (default bench/NINJA-RESULTS.md)
# qev's graph holds every configuration; GN's build directory one. Timings
# are given for qev's whole output and for `-c Debug` (one configuration,
# the same work as GN's).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
scales=${BENCH_SCALES-small medium huge}
noop_scales=${BENCH_NOOP_SCALES-medium huge}
build_scale=${BENCH_BUILD_SCALE-medium}
runs=${BENCH_RUNS:-5}
results=${BENCH_RESULTS:-$here/NINJA-RESULTS.md}
jobs=$(nproc)

die() {
  echo "bench: $*" >&2
  exit 1
}

"$repo/scripts/install-packages.sh" g++ cmake pkg-config libtinyxml-dev \
  ninja-build hyperfine time
# GN is the peer; without it only qev's columns are filled.
"$repo/scripts/install-packages.sh" generate-ninja >/dev/null 2>&1 || true
gn=$(command -v gn || command -v generate-ninja || true)
[ -n "$gn" ] || echo "bench: no gn command; GN columns stay empty" >&2

cmake -S "$repo" -B "$repo/build-bench" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$repo/build-bench" -j"$jobs" --target qev >/dev/null
qev=$repo/build-bench/driver/qev

if [ -n "${BENCH_WORK:-}" ]; then
  work=$BENCH_WORK
  mkdir -p "$work"
else
  work=$(mktemp -d /dev/shm/qev-ninja-bench.XXXXXX)
  trap 'rm -rf "$work"' EXIT
fi
g++ -O2 -std=c++17 -o "$work/gen_tree" "$here/gen_tree.cc"
# The stand-in compiler, archiver and linker: creates the output (-o, or the
# archive after "rcs") and an empty depfile (-MF).
cat >"$work/standin.c" <<'EOF'
#include <stdio.h>
#include <string.h>
int main(int argc, char** argv) {
  const char* out = 0;
  const char* dep = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (strcmp(argv[i], "-o") == 0)
      out = argv[++i];
    else if (strcmp(argv[i], "-MF") == 0)
      dep = argv[++i];
  }
  if (argc > 2 && strcmp(argv[1], "rcs") == 0)
    out = argv[2];
  if (!out)
    return 0;
  FILE* f = fopen(out, "w");
  if (!f || fclose(f) != 0)
    return 1;
  if (dep) {
    f = fopen(dep, "w");
    if (!f)
      return 1;
    fprintf(f, "%s:\n", out);
    fclose(f);
  }
  return 0;
}
EOF
gcc -O2 -o "$work/standin" "$work/standin.c"
standin=$work/standin

declare -A shape=([small]="10 10" [medium]="200 50" [large]="2000 50"
                  [huge]="10000 20")
tree() {
  local dir=$work/$1
  [ -n "${shape[$1]:-}" ] || die "unknown scale $1"
  if [ ! -f "$dir/stats.txt" ]; then
    echo "Generating $1"
    # shellcheck disable=SC2086
    "$work/gen_tree" ${shape[$1]} 1 "$dir" >/dev/null
  fi
}

table=$work/table.tsv
: >"$table"
row() { printf '%s\t%s\t%s\t%s\n' "$@" >>"$table"; }

# seconds CSV: the median of a hyperfine run.
median() { awk -F, 'NR == 2 { print $4 }' "$1"; }

# time_cmd PREPARE COMMAND: the median over $runs runs, each after PREPARE.
time_cmd() {
  local prepare=$1 command=$2
  if [ -n "$prepare" ]; then
    hyperfine --style none --runs "$runs" --prepare "$prepare" \
      --export-csv "$work/h.csv" -- "$command" >/dev/null
  else
    hyperfine --style none --runs "$runs" --warmup 1 \
      --export-csv "$work/h.csv" -- "$command" >/dev/null
  fi
  median "$work/h.csv"
}

generation() {
  local s=$1 d=$work/$1
  echo "Generation: $s"
  local x="-v 0 -x ../bench.qev >/dev/null"
  row "$s" "qev -t make -v 0" "$(time_cmd "rm -rf $d/g-make; mkdir $d/g-make" \
    "cd $d/g-make && $qev -t make $x")" "-"
  row "$s" "qev -t ninja -v 0" "$(time_cmd "rm -rf $d/g-ninja; mkdir $d/g-ninja" \
    "cd $d/g-ninja && $qev -t ninja $x")" "-"
  local gen=-
  [ -n "$gn" ] && gen=$(time_cmd "rm -rf $d/out/g-gn" "cd $d && $gn gen out/g-gn >/dev/null")
  row "$s" "qev -t ninja -v 0 -c Debug / gn gen" "$(time_cmd \
    "rm -rf $d/g-ninja; mkdir $d/g-ninja" \
    "cd $d/g-ninja && $qev -t ninja -c Debug $x")" "$gen"
  rm -rf "$d/g-make" "$d/g-ninja" "$d/out/g-gn"
}

# no_work DIR [TARGET]: ninja in DIR must have nothing to do.
no_work() {
  ninja -C "$@" | grep -q 'ninja: no work to do.' ||
    die "ninja -C $* is not a no-op"
}

noop() {
  local s=$1 d=$work/$1
  echo "No-op: $s (stand-in build first)"
  mkdir -p "$d/n-all" "$d/n-debug"
  (cd "$d/n-all" && CC=$standin CXX=$standin AR=$standin \
    "$qev" -t ninja -v 0 -x ../bench.qev >/dev/null)
  (cd "$d/n-debug" && CC=$standin CXX=$standin AR=$standin \
    "$qev" -t ninja -v 0 -c Debug -x ../bench.qev >/dev/null)
  ninja -C "$d/n-all" -j"$jobs" Debug >/dev/null
  ninja -C "$d/n-debug" -j"$jobs" >/dev/null
  no_work "$d/n-all" Debug
  no_work "$d/n-debug"
  local peer=-
  if [ -n "$gn" ]; then
    (cd "$d" && "$gn" gen out/n-gn \
      --args="cxx_tool=\"$standin\" ar_tool=\"$standin\"" >/dev/null)
    ninja -C "$d/out/n-gn" -j"$jobs" >/dev/null
    no_work "$d/out/n-gn"
    peer=$(time_cmd "" "ninja -C $d/out/n-gn")
  fi
  row "$s" "no-op: ninja Debug on the whole output" \
    "$(time_cmd "" "ninja -C $d/n-all Debug")" "$peer"
  row "$s" "no-op: ninja on -c Debug / on gn gen" \
    "$(time_cmd "" "ninja -C $d/n-debug")" "$peer"
  rm -rf "$d/n-all" "$d/n-debug" "$d/out/n-gn"
}

# seconds_of COMMAND...: wall time of one run.
seconds_of() {
  /usr/bin/time -f %e -o "$work/t" "$@" >"$work/build.log" 2>&1 ||
    { tail -n 20 "$work/build.log" >&2; die "$* failed"; }
  cat "$work/t"
}

# edges LOG: "N compiles, M archives and links" of a ninja log.
edges() {
  local c l
  c=$(grep -c '\] CXX ' "$1" || true)
  l=$(grep -Ec '\] (AR|LINK) ' "$1" || true)
  echo "$c compile, $l archive/link"
}

real_build() {
  local s=$1 d=$work/$1
  echo "Real build: $s (g++, -j$jobs)"
  mkdir -p "$d/b-qev"
  (cd "$d/b-qev" && "$qev" -t ninja -v 0 -c Debug -x ../bench.qev >/dev/null)
  local ours peer=- edit_ours edit_peer=-
  ours=$(seconds_of ninja -C "$d/b-qev" -j"$jobs")
  if [ -n "$gn" ]; then
    (cd "$d" && "$gn" gen out/b-gn >/dev/null)
    peer=$(seconds_of ninja -C "$d/out/b-gn" -j"$jobs")
    local program expected got
    for program in "$d"/b-qev/bin/Debug/t*; do
      expected=$("$program")
      got=$("$d/out/b-gn/$(basename "$program")")
      [ "$expected" = "$got" ] || die "$program differs from GN's build"
    done
  fi
  row "$s" "full build, Debug" "$ours" "$peer"
  # A leaf library's source: one compile, then what links it.
  touch "$d/src/t00004/f001.cpp"
  ninja -C "$d/b-qev" >"$work/edit.log"
  edit_ours=$(edges "$work/edit.log")
  if [ -n "$gn" ]; then
    ninja -C "$d/out/b-gn" >"$work/edit.log"
    edit_peer=$(edges "$work/edit.log")
  fi
  row "$s" "one-file edit (src/t00004/f001.cpp)" "$edit_ours" "$edit_peer"
  rm -rf "$d/b-qev" "$d/out/b-gn"
}

for s in $scales $noop_scales $build_scale; do tree "$s"; done
for s in $scales; do generation "$s"; done
for s in $noop_scales; do noop "$s"; done
[ -n "$build_scale" ] && real_build "$build_scale"

show() {  # seconds or text
  case $1 in
    -) echo "-" ;;
    *[a-z]*) echo "$1" ;;
    *) awk -v s="$1" 'BEGIN { if (s >= 10) printf "%.1f s", s;
                              else printf "%.0f ms", s * 1000 }' ;;
  esac
}
{
  echo "# Benchmark: qev's ninja output against GN + ninja"
  echo
  echo "Written by \`bench/ninja.sh\` on $(date -u +%Y-%m-%d): $jobs cores," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), qev at" \
    "$(git -C "$repo" describe --always --dirty), ninja $(ninja --version)," \
    "GN ${gn:+$("$gn" --version)}, trees of bench/gen_tree.cc (seed 1) on" \
    "$(df -PT "$work" | awk 'NR == 2 { print $2 }'). Medians of $runs runs."
  echo "No-op rows: after a build with a stand-in tool that only creates the"
  echo "outputs. qev writes Debug and Release into one graph; \`-c Debug\`"
  echo "writes Debug alone, as \`gn gen\` writes one build directory."
  echo
  echo "| scale | measure | qev | GN |"
  echo "|---|---|---:|---:|"
  while IFS=$'\t' read -r s what ours peer; do
    echo "| $s | $what | $(show "$ours") | $(show "$peer") |"
  done <"$table"
} >"$results"
echo "Wrote $results"
cat "$results"
