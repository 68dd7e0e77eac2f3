#!/usr/bin/env bash
# qev next to the floor of a generation run (bench/floor.cc: read the
# description, list its directories, write the same files through temporary
# files) and next to `gn gen`, in one run on one generated tree; prints a
# table with qev's ratio to the floor. Then the directory-listing cases:
# many file groups on one large root.
#
#   bench/floor.sh [scale]      (scale: small, medium, large or huge; huge)
#
# Builds qev in Release into build-bench/; the tree goes into a scratch
# directory on tmpfs (BENCH_WORK to choose another), removed at the end.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
scale=${1:-huge}
declare -A shape=([small]="10 10" [medium]="200 50" [large]="2000 50"
                  [huge]="10000 20")
[ -n "${shape[$scale]:-}" ] || { echo "unknown scale $scale" >&2; exit 2; }

"$repo/scripts/install-packages.sh" g++ cmake pkg-config libtinyxml-dev \
  generate-ninja hyperfine
gn=$(command -v gn || command -v generate-ninja)

cmake -S "$repo" -B "$repo/build-bench" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$repo/build-bench" -j"$(nproc)" --target qev floor gen_tree \
  >/dev/null
qev=$repo/build-bench/driver/qev
floor=$repo/build-bench/bench/floor

work=${BENCH_WORK:-$(mktemp -d /dev/shm/qev-floor.XXXXXX)}
mkdir -p "$work"
[ -n "${BENCH_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
"$repo/build-bench/bench/gen_tree" ${shape[$scale]} 1 "$work/tree" >/dev/null
cd "$work/tree"

# One manifest per tool, from what qev writes for it.
for tool in make VC8 xcode; do
  rm -rf out && mkdir out
  (cd out && "$qev" -t "$tool" -v 0 -x ../bench.qev >/dev/null)
  {
    echo "R ../bench.qev"
    grep -o 'root="[^"]*"' bench.qev | sed 's/^root="\(.*\)"$/L \1/'
    (cd out && find . -mindepth 1 -type d -printf 'D %P\n')
    (cd out && find . -type f -printf 'W %P %s\n')
  } >"manifest.$tool"
done

results=$work/results.json
hyperfine --warmup 1 --runs "${BENCH_RUNS:-5}" --export-json "$results" \
  --prepare 'rm -rf out && mkdir out' \
  -n "floor (make's files)" "cd out && exec $floor ../manifest.make" \
  -n "qev -t make -v 0" "cd out && exec $qev -t make -v 0 -x ../bench.qev >/dev/null" \
  -n "floor (VC8's files)" "cd out && exec $floor ../manifest.VC8" \
  -n "qev -t VC8 -v 0" "cd out && exec $qev -t VC8 -v 0 -x ../bench.qev" \
  -n "floor (xcode's files)" "cd out && exec $floor ../manifest.xcode" \
  -n "qev -t xcode -v 0" "cd out && exec $qev -t xcode -v 0 -x ../bench.qev" \
  -n "gn gen" "rm -rf gnout && exec $gn gen gnout" >/dev/null

python3 - "$results" "$scale" <<'PY'
import json, sys
runs = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
print(f"| {sys.argv[2]} | median | ratio |")
print("|---|---:|---:|")
gn = runs["gn gen"]
for tool in ("make", "VC8", "xcode"):
    floor = runs[f"floor ({tool}'s files)"]
    qev = runs[f"qev -t {tool} -v 0"]
    print(f"| floor ({tool}'s files) | {floor:.3f} s | 1.00 |")
    print(f"| `qev -t {tool} -v 0` | {qev:.3f} s | {qev / floor:.2f}x floor, {gn / qev:.2f}x faster than gn gen |")
print(f"| `gn gen` | {gn:.3f} s | |")
PY

# Many file groups on one large root: each directory is listed once.
mkdir -p wide/src wide/out
(cd wide/src && seq -f 'f%05g.cpp' 20000 | xargs touch)
{
  echo '<QEV><project name="wide"><target name="t">'
  for ((i = 0; i < 5000; i++)); do
    printf '<FILES name="g%d" root="../src">f%04d?.cpp</FILES>\n' "$i" "$((i % 2000))"
  done
  echo '</target></project></QEV>'
} >wide/wide.qev
hyperfine --runs 3 -n "5000 file groups on one 20,000-file root" \
  "cd $work/tree/wide/out && exec $qev -t make -v 0 -x ../wide.qev" |
  grep -E 'Benchmark|Time'
