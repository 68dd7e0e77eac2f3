#!/usr/bin/env bash
# Measures bytewrap against `xxd -i` and against only writing output of the
# same size, on seeded random inputs of 1, 16 and 128 MiB.
#
#   bench/bytewrap/run.sh [BYTEWRAP] [RUNS]
#
# BYTEWRAP defaults to build/bytewrap/bytewrap in the checkout (what
# scripts/run-tests.sh builds); RUNS
# (default 5) is how often each tool runs per size, the best time counting.
# Throughput is input MB (10^6 bytes) per second of wall time; peak memory is
# the largest resident set size seen, from /usr/bin/time (Debian package
# `time`, installed when missing, as is xxd). Outputs go to a scratch directory under $TMPDIR and are removed
# before every run, so each tool creates its files anew.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bytewrap=$(realpath "${1:-$here/../../build/bytewrap/bytewrap}")
runs=${2:-5}
"$here/../../scripts/install-packages.sh" time xxd g++

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -O2 -o "$work/gen_input" "$here/gen_input.cc"
g++ -O2 -o "$work/write_floor" "$here/write_floor.cc"
mkdir "$work/run"
cd "$work/run"

# measure <command...>: runs it `runs` times after removing the outputs;
# sets best_ns and peak_kib.
measure() {
  best_ns=
  peak_kib=0
  for ((i = 0; i < runs; i++)); do
    rm -f in.h in.cpp xxd.c floor.out
    local start end kib
    start=$(date +%s%N)
    /usr/bin/time -f %M -o ../rss "$@" >/dev/null
    end=$(date +%s%N)
    kib=$(tail -n 1 ../rss)
    local ns=$((end - start))
    if [ -z "$best_ns" ] || [ "$ns" -lt "$best_ns" ]; then best_ns=$ns; fi
    if [ "$kib" -gt "$peak_kib" ]; then peak_kib=$kib; fi
  done
}

mbps() { awk -v b="$1" -v ns="$2" 'BEGIN { printf "%.0f", b / 1e6 / (ns / 1e9) }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

echo "| input | bytewrap MB/s | xxd -i MB/s | write-only floor MB/s | bytewrap vs xxd -i | bytewrap vs floor (time) | peak memory bytewrap | peak memory xxd -i |"
echo "|---|---|---|---|---|---|---|---|"
for size in 1 16 128; do
  bytes=$((size * 1024 * 1024))
  "$work/gen_input" "$bytes" 42 >in.bin

  measure "$bytewrap" in.bin
  bw_ns=$best_ns bw_kib=$peak_kib
  out_bytes=$(($(stat -c %s in.h) + $(stat -c %s in.cpp)))

  measure xxd -i in.bin xxd.c
  xxd_ns=$best_ns xxd_kib=$peak_kib

  measure "$work/write_floor" floor.out "$out_bytes"
  floor_ns=$best_ns

  ratio_xxd=$(awk -v a="$xxd_ns" -v b="$bw_ns" 'BEGIN { printf "%.1fx", a / b }')
  ratio_floor=$(awk -v a="$bw_ns" -v b="$floor_ns" 'BEGIN { printf "%.2fx", a / b }')
  echo "| $size MiB | $(mbps "$bytes" "$bw_ns") | $(mbps "$bytes" "$xxd_ns") |" \
       "$(mbps "$bytes" "$floor_ns") | $ratio_xxd | $ratio_floor |" \
       "$(mib "$bw_kib") MiB | $(mib "$xxd_kib") MiB |"
  rm -f in.bin
done
