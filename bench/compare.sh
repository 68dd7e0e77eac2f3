#!/usr/bin/env bash
# Every qev tool side by side with `gn gen` and with its own I/O floor, on one
# generated tree per scale, and the targets the project sets for them:
#
#   bench/compare.sh [scale...]    (small, medium, large, huge; default
#                                   medium large huge)
#
# Scales as in floor.sh: small 10 targets x 10 files, medium 200 x 50, large
# 2,000 x 50, huge 10,000 x 20 (bench/gen_tree.cc, seed 1). Per scale, each
# command is timed by hyperfine (median of BENCH_RUNS runs, each into an
# empty output directory) and run once more under GNU time for its peak
# memory:
#   - `gn gen` (one configuration, ninja files);
#   - per qev tool (make, VC8, VC17, ninja: every configuration and
#     compile_commands.json, ninja -c Debug, xcode): qev with -j 1 (serial)
#     and without -j (every core), bench/floor.cc over a manifest of that
#     tool's own files, and a rerun: qev again over its own unchanged output.
# Then the time per target of each tool across the scales, `ninja -n` on
# qev's and GN's ninja files at the largest scale, and the targets with
# PASS/FAIL. Everything printed also goes into bench/COMPARE-RESULTS.md.
#
# qev without -j (the `-j N` option) ignores "-j 1": until it knows the
# option, the two rows time the same program (the report says so). The
# outputs of both runs must be identical; the script exits with status 1
# when they differ (after writing the report). Targets that FAIL do not
# change the exit status: this is a benchmark, not a test.
#
# Installs what it needs with scripts/install-packages.sh, builds qev in
# Release into build-bench/. Settings, from the environment:
#   BENCH_WORK     scratch directory (default: a new one under /dev/shm, else
#                  /tmp), removed at the end unless BENCH_KEEP=1; no blanks
#   BENCH_RUNS     runs per median (default 5)
#   BENCH_RESULTS  where the report goes (default bench/COMPARE-RESULTS.md)
#   BENCH_NOTE     a line put under the report's heading (say, why a run was
#                  short or the machine busy)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(medium large huge)
runs=${BENCH_RUNS:-5}
results=${BENCH_RESULTS:-$here/COMPARE-RESULTS.md}

die() {
  echo "compare: $*" >&2
  exit 1
}

declare -A shape=([small]="10 10" [medium]="200 50" [large]="2000 50"
                  [huge]="10000 20")
for scale in "${scales[@]}"; do
  [ -n "${shape[$scale]:-}" ] || die "unknown scale $scale (small, medium, large, huge)"
done
# From the smallest to the largest, each once.
mapfile -t scales < <(for scale in small medium large huge; do
  case " ${scales[*]} " in *" $scale "*) echo "$scale" ;; esac
done)
largest=${scales[-1]}

# The qev tools, in the order of the report, and their arguments.
tools=(make VC8 VC17 ninja ninja-Debug xcode)
declare -A tool_args=([make]="-t make" [VC8]="-t VC8" [VC17]="-t VC17"
                      [ninja]="-t ninja" [ninja-Debug]="-t ninja -c Debug"
                      [xcode]="-t xcode")

# --- Tools, qev, scratch directory ----------------------------------------

"$repo/scripts/install-packages.sh" g++ make cmake pkg-config libtinyxml-dev \
  generate-ninja ninja-build hyperfine time
gn=$(command -v gn || command -v generate-ninja) || die "no gn command"
command -v hyperfine >/dev/null || die "no hyperfine command"
command -v ninja >/dev/null || die "no ninja command"
[ -x /usr/bin/time ] || die "no /usr/bin/time"

echo "Building qev (Release) into build-bench/"
cmake -S "$repo" -B "$repo/build-bench" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$repo/build-bench" -j"$(nproc)" --target qev floor gen_tree \
  >/dev/null
qev=$repo/build-bench/driver/qev
floor=$repo/build-bench/bench/floor
gen_tree=$repo/build-bench/bench/gen_tree
for program in "$qev" "$floor" "$gen_tree"; do
  [ -x "$program" ] || die "$program was not built"
done
if "$qev" --help 2>&1 | grep -q -- '-j '; then
  knows_j=1
else
  knows_j=0
fi

# On tmpfs: on a disk file system, the kernel's cost of creating files right
# after deleting the last run's can swamp what is measured (see run.sh).
if [ -n "${BENCH_WORK:-}" ]; then
  work=$BENCH_WORK
  mkdir -p "$work"
elif [ -d /dev/shm ] &&
  [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -gt 4000000 ]; then
  work=$(mktemp -d /dev/shm/qev-compare.XXXXXX)
else
  work=$(mktemp -d /tmp/qev-compare.XXXXXX)
fi
case $work in *[[:space:]]*) die "BENCH_WORK must not hold blanks: $work" ;; esac
[ "${BENCH_KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT

# Empties an output directory before a run: "." empties the current one.
empty=$work/empty.sh
cat >"$empty" <<'EOF'
if [ "$1" = . ]; then find . -mindepth 1 -delete; else rm -rf "$1" && mkdir -p "$1"; fi
EOF

# --- Measuring ---------------------------------------------------------------

# One line per measurement: scale, kind (gn, floor, serial, default, rerun,
# noop), tool, label, median seconds, peak KiB ("-" when not measured).
table=$work/table.tsv
: >"$table"
row() { printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$@" >>"$table"; }

# peak CWD OUTPUT COMMAND...: runs COMMAND once in CWD, after emptying OUTPUT
# (relative to CWD; "-" keeps what is there), and prints its peak resident
# memory in KiB. A command that fails stops the benchmark.
peak() {
  local cwd=$1 output=$2
  shift 2
  mkdir -p "$cwd"
  [ "$output" = - ] || (cd "$cwd" && sh "$empty" "$output")
  if ! (cd "$cwd" && /usr/bin/time -f %M -o "$work/peak.txt" "$@" \
          >/dev/null 2>"$work/stderr.txt"); then
    tail -n 20 "$work/stderr.txt" >&2
    die "failed in $cwd: $*"
  fi
  tail -n 1 "$work/peak.txt"
}

# median CWD OUTPUT COMMAND: the median wall time in seconds of $runs runs of
# COMMAND (one string, run without a shell) in CWD, each after emptying
# OUTPUT ("-": no emptying, the runs reuse what is there).
median() {
  local cwd=$1 output=$2 command=$3
  local -a prepare=()
  [ "$output" = - ] || prepare=(--prepare "sh $empty $output")
  if ! (cd "$cwd" && hyperfine -N --style none --runs "$runs" "${prepare[@]}" \
          --export-csv "$work/h.csv" -- "$command" >/dev/null \
          2>"$work/hyperfine.txt"); then
    cat "$work/hyperfine.txt" >&2
    die "hyperfine failed in $cwd: $command"
  fi
  # Outliers are the norm on a busy machine; the report gives the load.
  if grep -q outliers "$work/hyperfine.txt"; then
    echo "    (outliers: $command)" >&2
  fi
  awk -F, 'NR == 2 { print $4 }' "$work/h.csv"
}

load() { cut -d' ' -f1 /proc/loadavg; }

# manifest TREE DIR: floor.cc's manifest of the files qev wrote into DIR,
# for a run from a directory one level below TREE, as qev's.
manifest() {
  echo "R ../bench.qev"
  grep -o 'root="[^"]*"' "$1/bench.qev" | sed 's/^root="\(.*\)"$/L \1/'
  (cd "$2" && find . -mindepth 1 -type d -printf 'D %P\n')
  (cd "$2" && find . -type f -printf 'W %P %s\n')
}

declare -A started ended
mismatches=()

time_scale() {
  local scale=$1 tree=$work/tree-$1 kib seconds tool args label
  echo "== $scale: ${shape[$scale]% *} targets x ${shape[$scale]#* } files"
  rm -rf "$tree"
  # shellcheck disable=SC2086
  "$gen_tree" ${shape[$scale]} 1 "$tree" >/dev/null
  started[$scale]=$(load)

  echo "  gn gen"
  kib=$(peak "$tree" out/gn "$gn" gen out/gn)
  seconds=$(median "$tree" out/gn "$gn gen out/gn")
  row "$scale" gn gn "gn gen" "$seconds" "$kib"

  for tool in "${tools[@]}"; do
    args=${tool_args[$tool]}
    label="qev $args -v 0"
    # Both runs write into one directory: the ninja files hold its path.
    local out=$tree/q-$tool serial=$tree/serial-$tool floor_dir=$tree/f-$tool
    echo "  $label"
    # shellcheck disable=SC2086
    kib=$(peak "$out" . "$qev" $args -v 0 -j 1 -x ../bench.qev)
    seconds=$(median "$out" . "$qev $args -v 0 -j 1 -x ../bench.qev")
    row "$scale" serial "$tool" "$label -j 1" "$seconds" "$kib"
    manifest "$tree" "$out" >"$tree/manifest.$tool"
    mv "$out" "$serial"

    # shellcheck disable=SC2086
    kib=$(peak "$out" . "$qev" $args -v 0 -x ../bench.qev)
    # The same files but for the command line that build.ninja's
    # regeneration rule records.
    find "$serial" -type f -exec sed -i 's/ -j 1 -x / -x /g' {} +
    if ! diff -r "$serial" "$out" >"$work/diff.txt"; then
      head -n 20 "$work/diff.txt" >&2
      echo "compare: $scale: $label wrote other files with -j 1" >&2
      mismatches+=("$scale: \`$label\`")
    fi
    rm -rf "$serial"
    seconds=$(median "$out" . "$qev $args -v 0 -x ../bench.qev")
    row "$scale" default "$tool" "$label" "$seconds" "$kib"

    # The output of the last timed run stays: the rerun finds it unchanged.
    seconds=$(median "$out" - "$qev $args -v 0 -x ../bench.qev")
    # shellcheck disable=SC2086
    kib=$(peak "$out" - "$qev" $args -v 0 -x ../bench.qev)
    row "$scale" rerun "$tool" "rerun: $label" "$seconds" "$kib"

    kib=$(peak "$floor_dir" . "$floor" "../manifest.$tool")
    seconds=$(median "$floor_dir" . "$floor ../manifest.$tool")
    row "$scale" floor "$tool" "floor ($tool's files)" "$seconds" "$kib"

    # The ninja files of the largest scale stay for `ninja -n`.
    if [ "$scale" != "$largest" ] || [[ $tool != ninja* ]]; then
      rm -rf "$out"
    fi
    rm -rf "$floor_dir"
  done

  if [ "$scale" = "$largest" ]; then
    # A dry run loads the graph, stats every input and output and walks
    # every edge: the fixed cost of each build on these files.
    echo "  ninja -n"
    seconds=$(median "$tree" - "ninja -n -C out/gn")
    row "$scale" noop gn "\`ninja -n\` on \`gn gen\`'s output" "$seconds" -
    seconds=$(median "$tree" - "ninja -n -C q-ninja-Debug")
    row "$scale" noop ninja-Debug \
      "\`ninja -n\` on \`qev -t ninja -c Debug\`'s output" "$seconds" -
    seconds=$(median "$tree" - "ninja -n -C q-ninja Debug")
    row "$scale" noop ninja "\`ninja -n Debug\` on \`qev -t ninja\`'s output" \
      "$seconds" -
  fi
  ended[$scale]=$(load)
  rm -rf "$tree"
}

started_all=$(load)
for scale in "${scales[@]}"; do
  time_scale "$scale"
done

# --- The report ------------------------------------------------------------

# get SCALE KIND TOOL COLUMN: 5 is the median, 6 the peak KiB.
get() {
  awk -F'\t' -v s="$1" -v k="$2" -v t="$3" -v c="$4" \
    '$1 == s && $2 == k && $3 == t { print $c; exit }' "$table"
}

ms() {  # seconds -> "12.3 ms", "456 ms" or "7.89 s"
  awk -v s="$1" 'BEGIN { if (s >= 1) printf "%.2f s", s;
                         else if (s >= 0.1) printf "%.0f ms", s * 1000;
                         else printf "%.1f ms", s * 1000 }'
}
mib() { awk -v k="$1" 'BEGIN { if (k == "-") print "-"; else printf "%.1f", k / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }

# verdict A LIMIT B: PASS when A <= LIMIT x B.
verdict() {
  awk -v a="$1" -v l="$2" -v b="$3" 'BEGIN { print (a <= l * b ? "PASS" : "FAIL") }'
}

scale_table() {
  local scale=$1 gn_s kind tool label seconds kib floor_s over_floor
  gn_s=$(get "$scale" gn gn 5)
  echo "| command | wall (median) | / gn gen | / own floor | peak memory (MiB) |"
  echo "|---|---:|---:|---:|---:|"
  while IFS=$'\t' read -r _ kind tool label seconds kib; do
    over_floor=-
    if [ "$kind" != gn ]; then
      floor_s=$(get "$scale" floor "$tool" 5)
      over_floor=$(ratio "$seconds" "$floor_s")
    fi
    case $kind in
      floor) label="floor ($tool's files)" ;;
      rerun) label="rerun: \`${label#rerun: }\`" ;;
      *) label="\`$label\`" ;;
    esac
    echo "| $label | $(ms "$seconds") | $(ratio "$seconds" "$gn_s") |" \
      "$over_floor | $(mib "$kib") |"
  done < <(awk -F'\t' -v s="$scale" '$1 == s && $2 != "noop"' "$table")
}

linearity() {
  local tool scale line kind
  for tool in "${tools[@]}"; do
    line="- \`qev ${tool_args[$tool]} -v 0\`:"
    for kind in default serial; do
      [ "$kind" = serial ] && line+="; with -j 1:"
      local first=1
      for scale in "${scales[@]}"; do
        [ "$first" = 1 ] || line+=","
        first=0
        line+=" $(awk -v s="$(get "$scale" "$kind" "$tool" 5)" \
          -v n="${shape[$scale]% *}" 'BEGIN { printf "%.1f", s / n * 1e6 }') µs ($scale)"
      done
    done
    echo "$line"
  done
}

noop_table() {
  local scale=$largest gn_s
  gn_s=$(get "$scale" noop gn 5)
  echo "| command | wall (median) | / on gn gen's output |"
  echo "|---|---:|---:|"
  while IFS=$'\t' read -r _ _ _ label seconds _; do
    echo "| $label | $(ms "$seconds") |" \
      "$(ratio "$seconds" "$gn_s") |"
  done < <(awk -F'\t' -v s="$scale" '$1 == s && $2 == "noop"' "$table")
}

targets_table() {
  local scale=$largest tool label q f g qk gk v8 v17 mk nd fresh again
  g=$(get "$scale" gn gn 5)
  gk=$(get "$scale" gn gn 6)
  echo "| target | measured | result |"
  echo "|---|---|---|"
  for tool in make VC8 VC17 ninja-Debug; do
    label="\`qev ${tool_args[$tool]} -v 0\`"
    q=$(get "$scale" default "$tool" 5)
    f=$(get "$scale" floor "$tool" 5)
    qk=$(get "$scale" default "$tool" 6)
    echo "| $label at least 2x faster than \`gn gen\` |" \
      "$(ms "$q"), gn gen $(ms "$g"): gn gen / qev = $(ratio "$g" "$q") |" \
      "$(verdict "$q" 0.5 "$g") |"
    echo "| $label within 1.5x of its floor |" \
      "$(ms "$q"), floor $(ms "$f"): qev / floor = $(ratio "$q" "$f") |" \
      "$(verdict "$q" 1.5 "$f") |"
    echo "| $label peak memory no higher than \`gn gen\`'s |" \
      "$(mib "$qk") MiB, gn gen $(mib "$gk") MiB |" "$(verdict "$qk" 1 "$gk") |"
  done
  nd=$(get "$scale" default ninja-Debug 5)
  mk=$(get "$scale" default make 5)
  echo "| \`qev -t ninja -c Debug -v 0\` within 1.1x of \`qev -t make -v 0\` |" \
    "$(ms "$nd"), make $(ms "$mk"): $(ratio "$nd" "$mk") |" \
    "$(verdict "$nd" 1.1 "$mk") |"
  v17=$(get "$scale" default VC17 5)
  v8=$(get "$scale" default VC8 5)
  echo "| \`qev -t VC17 -v 0\` within 1.3x of \`qev -t VC8 -v 0\` |" \
    "$(ms "$v17"), VC8 $(ms "$v8"): $(ratio "$v17" "$v8") |" \
    "$(verdict "$v17" 1.3 "$v8") |"
  for tool in "${tools[@]}"; do
    fresh=$(get "$scale" default "$tool" 5)
    again=$(get "$scale" rerun "$tool" 5)
    echo "| rerun of \`qev ${tool_args[$tool]} -v 0\` at least as fast as a fresh run |" \
      "$(ms "$again"), fresh $(ms "$fresh"): $(ratio "$again" "$fresh") |" \
      "$(verdict "$again" 1 "$fresh") |"
  done
}

report() {
  local scale targets files
  echo "# qev side by side with gn gen and with its I/O floor"
  echo
  [ -z "${BENCH_NOTE:-}" ] || { echo "**$BENCH_NOTE**"; echo; }
  echo "Written by \`bench/compare.sh ${scales[*]}\` on $(date -u +%Y-%m-%d):" \
    "$(nproc) cores, $(. /etc/os-release && echo "$PRETTY_NAME"), load average" \
    "$started_all at the start; qev at $(git -C "$repo" describe --always --dirty)" \
    "built Release with $(g++ --version | head -n 1 | sed 's/.*) //'); GN" \
    "$("$gn" --version), ninja $(ninja --version), $(hyperfine --version)." \
    "Trees of bench/gen_tree.cc (seed 1) and all output on" \
    "$(df -PT "$work" | awk 'NR == 2 { print $2 }')."
  echo
  echo "Wall times are medians of $runs runs (hyperfine), each into an empty"
  echo "output directory; a rerun runs qev again over its own unchanged output."
  echo "\"/ gn gen\" and \"/ own floor\" are the row's time divided by that one"
  echo "(below 1.00 is faster). The floor (bench/floor.cc) reads the description,"
  echo "lists the directories its file groups name and writes files of the sizes"
  echo "the qev tool wrote, through a temporary file each. Peak memory is the"
  echo "maximum resident set size of one more run (GNU time). qev writes every"
  echo "configuration (Debug, Release) but with \`-c Debug\`; \`gn gen\` writes one."
  if [ "$knows_j" = 1 ]; then
    echo "Rows without -j use every core."
  else
    echo "This qev does not know \`-j\` yet and ignores it: the rows with and"
    echo "without \`-j 1\` time the same program."
  fi
  for scale in "${scales[@]}"; do
    targets=${shape[$scale]% *}
    files=${shape[$scale]#* }
    echo
    echo "## $scale: $targets targets x $files files"
    echo
    echo "Load average ${started[$scale]} before, ${ended[$scale]} after."
    echo
    scale_table "$scale"
  done
  echo
  echo "## Time per target (default runs; with -j 1 after the semicolon)"
  echo
  echo "Steady across scales when qev's time grows linearly; the huge tree has"
  echo "20 files per target, the medium and large ones 50, so huge should cost"
  echo "less per target."
  echo
  linearity
  echo
  echo "## \`ninja -n\` at $largest"
  echo
  echo "A dry run of the whole graph: it loads the files, stats every input and"
  echo "output and walks every edge, the fixed cost of each build. On GN's"
  echo "build directory, on qev's \`-c Debug\` output, and on qev's output of every"
  echo "configuration with the target Debug."
  echo
  noop_table
  echo
  echo "## Targets at $largest"
  echo
  if [ "$largest" != huge ]; then
    echo "The targets are set for huge; at $largest they are indicative only."
    echo
  fi
  echo "qev's default runs (no \`-j\`); peak memory of those runs."
  echo
  targets_table
  echo
  if [ ${#mismatches[@]} -eq 0 ]; then
    echo "Output with \`-j 1\` and without: identical for every tool and scale."
  else
    echo "Output with \`-j 1\` and without: DIFFERENT for" \
      "$(printf '%s; ' "${mismatches[@]}")(see the diff on standard error)."
  fi
}

report >"$work/report.md"
cp "$work/report.md" "$results"
echo
cat "$results"
echo
echo "Wrote $results"
[ ${#mismatches[@]} -eq 0 ] || exit 1
