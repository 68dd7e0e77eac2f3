#!/usr/bin/env bash
# How qev scales with a long dependency chain: N one-file static libraries,
# each depending on the one before, and one program depending on the last.
# For each N, `qev -t ninja -v 0`, `qev -t make -v 0` and `qev -t VC17 -v 0`
# run into an empty directory; the table gives the bytes written, the wall
# time and the peak memory, each with its ratio to the N before (about 2.0
# per doubling when it grows linearly), and is written to
# bench/CHAIN-RESULTS.md. A benchmark, not a test: run it by hand.
#
#   bench/chain.sh [N...]          (default 1000 2000 4000 8000)
#
# Settings, from the environment:
#   BENCH_WORK     scratch directory (default: a new one under /dev/shm)
#   BENCH_RUNS     runs per command; the fastest counts (default 3)
#   BENCH_TIMEOUT  a run longer than this (seconds) is stopped (default 600)
#   BENCH_RESULTS  where the table goes (default bench/CHAIN-RESULTS.md)
#   QEV            the qev to measure (default: built Release into
#                  build-bench/)
# Bytes counted: ninja: build.ninja + compile_commands.json; make: Makefile,
# <project>.Makefile and the Makefile.<target>.mk fragments; VC17: the
# .vcxproj files (the .sln and .vcxproj.filters in the "all files" column).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 2000 4000 8000)
runs=${BENCH_RUNS:-3}
timeout_s=${BENCH_TIMEOUT:-600}
results=${BENCH_RESULTS:-$here/CHAIN-RESULTS.md}

die() {
  echo "chain: $*" >&2
  exit 1
}

[ -x /usr/bin/time ] || "$repo/scripts/install-packages.sh" time
[ -x /usr/bin/time ] || die "no /usr/bin/time"
qev=${QEV:-}
if [ -z "$qev" ]; then
  "$repo/scripts/install-packages.sh" g++ cmake pkg-config libtinyxml-dev
  cmake -S "$repo" -B "$repo/build-bench" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$repo/build-bench" -j2 --target qev >/dev/null
  qev=$repo/build-bench/driver/qev
fi
[ -x "$qev" ] || die "no qev at $qev"

if [ -n "${BENCH_WORK:-}" ]; then
  work=$BENCH_WORK
  mkdir -p "$work"
else
  base=/dev/shm
  [ -w "$base" ] || base=${TMPDIR:-/tmp}
  work=$(mktemp -d "$base/qev-chain.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

# generate <N> <dir>: the sources and chain.qev; qev runs in <dir>/out.
generate() {
  local n=$1 dir=$2 i name previous=""
  rm -rf "$dir"
  mkdir -p "$dir/src/app" "$dir/out"
  seq -f "$dir/src/l%05g" 1 "$n" | xargs mkdir
  {
    echo '<?xml version="1.0"?>'
    echo '<QEV version="4">'
    echo '  <project name="chain">'
    for ((i = 1; i <= n; ++i)); do
      printf -v name 'l%05d' "$i"
      if [ -n "$previous" ]; then
        printf 'int %s();\nint %s() { return %s() + 1; }\n' "$previous" \
          "$name" "$previous" >"$dir/src/$name/$name.cpp"
      else
        echo "int $name() { return 1; }" >"$dir/src/$name/$name.cpp"
      fi
      echo "    <target name=\"$name\">"
      echo "      <configuration name=\"Debug\" type=\"lib\"><OUTFILE>lib$name</OUTFILE><OUTDIR>lib</OUTDIR></configuration>"
      echo "      <FILES name=\"Source\" root=\"../src/$name\">*.cpp</FILES>"
      [ -n "$previous" ] && echo "      <DEPENDENCIES>$previous</DEPENDENCIES>"
      echo "    </target>"
      previous=$name
    done
    echo '    <target name="app">'
    echo '      <configuration name="Debug" type="exe"><OUTDIR>bin</OUTDIR></configuration>'
    echo '      <FILES name="Source" root="../src/app">*.cpp</FILES>'
    echo "      <DEPENDENCIES>$previous</DEPENDENCIES>"
    echo '    </target>'
    echo '  </project>'
    echo '</QEV>'
  } >"$dir/chain.qev"
  printf 'int %s();\nint main() { return %s() > 0 ? 0 : 1; }\n' \
    "$previous" "$previous" >"$dir/src/app/main.cpp"
}

# measure <tool> <dir>: sets ms (fastest wall time), kib (its peak memory),
# bytes (the counted files) and all_bytes (every file written).
measure() {
  local tool=$1 dir=$2 run start end
  ms=""
  for ((run = 0; run < runs; ++run)); do
    rm -rf "$dir/out"
    mkdir "$dir/out"
    start=$(date +%s%N)
    if ! (cd "$dir/out" && timeout "$timeout_s" /usr/bin/time -f %M \
            -o "$work/time.txt" "$qev" -t "$tool" -v 0 -x ../chain.qev \
            >/dev/null 2>"$work/stderr.txt"); then
      echo "chain: qev -t $tool failed or timed out:" >&2
      head -n 5 "$work/stderr.txt" >&2
      ms=timeout
      kib=-
      bytes=-
      all_bytes=-
      return
    fi
    end=$(date +%s%N)
    local this=$(((end - start) / 1000000))
    if [ -z "$ms" ] || [ "$this" -lt "$ms" ]; then
      ms=$this
      kib=$(tail -n 1 "$work/time.txt")
    fi
  done
  case $tool in
    ninja) bytes=$(cat "$dir/out/build.ninja" "$dir/out/compile_commands.json" | wc -c) ;;
    make) bytes=$(cat "$dir/out"/Makefile "$dir/out"/*.Makefile "$dir/out"/Makefile.*.mk | wc -c) ;;
    VC17) bytes=$(find "$dir/out" -name '*.vcxproj' -exec cat {} + | wc -c) ;;
  esac
  all_bytes=$(find "$dir/out" -type f -exec cat {} + | wc -c)
}

ratio() {  # ratio <new> <old>: "x2.03", or "" without a previous value
  if [ -z "$2" ] || [ "$1" = - ] || [ "$2" = - ] || [ "$1" = timeout ] ||
     [ "$2" = timeout ] || [ "$2" = 0 ]; then
    echo ""
  else
    awk -v a="$1" -v b="$2" 'BEGIN { printf "x%.2f", a / b }'
  fi
}

table=$work/table.md
{
  echo "| tool | N | bytes counted | per doubling | all files | wall | per doubling | peak memory | per doubling |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
} >"$table"
declare -A got
tools=(ninja make VC17)
for n in "${sizes[@]}"; do
  echo "chain: N=$n" >&2
  generate "$n" "$work/chain"
  for tool in "${tools[@]}"; do
    measure "$tool" "$work/chain"
    got[$tool/$n]="$bytes $all_bytes $ms $kib"
  done
done
for tool in "${tools[@]}"; do
  prev_bytes="" prev_ms="" prev_kib=""
  for n in "${sizes[@]}"; do
    read -r bytes all_bytes ms kib <<<"${got[$tool/$n]}"
    printf '| %s | %s | %s | %s | %s | %s ms | %s | %s MiB | %s |\n' \
      "$tool" "$n" "$bytes" "$(ratio "$bytes" "$prev_bytes")" "$all_bytes" \
      "$ms" "$(ratio "$ms" "$prev_ms")" \
      "$(awk -v k="$kib" 'BEGIN { if (k == "-") print "-"; else printf "%.1f", k / 1024 }')" \
      "$(ratio "$kib" "$prev_kib")" | tee -a "$table"
    prev_bytes=$bytes prev_ms=$ms prev_kib=$kib
  done
done

commit=$(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown)
{
  echo "# Benchmark: a dependency chain"
  echo
  echo "Written by \`bench/chain.sh\` on $(date -u +%Y-%m-%d): $(nproc) cores," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), qev at commit $commit," \
    "work directory $(df --output=fstype "$work" | tail -n 1)."
  echo
  echo "N one-file static libraries, each depending on the one before, and"
  echo "one program depending on the last, in one description (Debug only)."
  echo "Each command runs $runs times into an empty directory; the fastest"
  echo "wall time counts, with its peak resident memory (\`/usr/bin/time -f %M\`)."
  echo "\"per doubling\" is the ratio to the row above: about x2.00 when the"
  echo "quantity grows linearly, x4.00 when it grows with the square."
  echo "Bytes counted: ninja: build.ninja + compile_commands.json; make: the"
  echo "makefiles; VC17: the .vcxproj files (\"all files\" adds the solution"
  echo "and the filters files)."
  echo
  cat "$table"
} >"$results"
echo "chain: table written to $results"
