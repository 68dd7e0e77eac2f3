#!/usr/bin/env bash
# Times qev against two peer generators, GN and premake4, on generated code
# bases of four sizes, checks that the generated input really builds, checks
# how qev's time grows with the number of targets, and writes the tables into
# bench/RESULTS.md.
#
#   bench/run.sh
#
# Installs what it needs with apt-get (as root, or with sudo), builds qev in
# Release into build-bench/, generates the trees with gen_tree.cc into a
# scratch directory and removes them at the end. Settings, from the
# environment:
#   BENCH_WORK     scratch directory (default: a new one under /dev/shm when
#                  it has 4 GB free, else under /tmp); about 2 GB
#   BENCH_KEEP     1 keeps the scratch directory
#   BENCH_SCALES   scales to time (default "small medium large huge")
#   BENCH_SCALING  target counts of the scaling check (default
#                  "1000 2000 5000 10000"; empty skips it)
#   BENCH_SEED     seed of the generated trees (default 1)
#   BENCH_SLOW     a command whose first run takes longer (seconds) is timed
#                  by that one run only (default 20)
#   BENCH_TIMEOUT  a single run longer than this (seconds) is stopped and
#                  reported as such (default 300)
#   BENCH_RESULTS  where the tables go (default bench/RESULTS.md)
#
# Every timed run starts from an empty output directory, so it measures the
# first write. qev leaves unchanged files untouched; the column "rerun" times
# qev once more over its own output, which measures that compare path.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
seed=${BENCH_SEED:-1}
slow=${BENCH_SLOW:-20}
timeout_s=${BENCH_TIMEOUT:-300}
scales=${BENCH_SCALES:-small medium large huge}
scaling=${BENCH_SCALING-1000 2000 5000 10000}
results=${BENCH_RESULTS:-$here/RESULTS.md}

die() {
  echo "bench: $*" >&2
  exit 1
}

# Tools. The Debian package generate-ninja installs the command gn.
packages="g++ make cmake pkg-config libtinyxml-dev generate-ninja premake4 \
time hyperfine ninja-build"
"$repo/scripts/install-packages.sh" $packages
gn=$(command -v gn || command -v generate-ninja) || die "no gn command"
premake=$(command -v premake4) || die "no premake4 command"
command -v hyperfine >/dev/null || die "no hyperfine command"
[ -x /usr/bin/time ] || die "no /usr/bin/time"

echo "Building qev (Release) into build-bench/"
cmake -S "$repo" -B "$repo/build-bench" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$repo/build-bench" -j"$(nproc)" --target qev >/dev/null
qev=$repo/build-bench/driver/qev
[ -x "$qev" ] || die "qev was not built"

# A RAM file system by default: on a disk file system, creating thousands of
# files right after deleting the previous run's output can cost more in the
# kernel than the generators spend (ext4 without a journal scans recently
# deleted inodes on every create), which would swamp what is measured.
if [ -n "${BENCH_WORK:-}" ]; then
  work=$BENCH_WORK
  mkdir -p "$work"
elif [ -d /dev/shm ] &&
  [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -gt 4000000 ]; then
  work=$(mktemp -d /dev/shm/qev-bench.XXXXXX)
else
  work=$(mktemp -d /tmp/qev-bench.XXXXXX)
fi
[ "${BENCH_KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT
g++ -O2 -std=c++17 -o "$work/gen_tree" "$here/gen_tree.cc"

declare -A shape=([small]="10 10" [medium]="200 50" [large]="2000 50"
                  [huge]="10000 20")
declare -A runs=([small]=10 [medium]=10 [large]=5 [huge]=3)

# make_tree NAME TARGETS FILES: generates the tree once into $work/NAME.
make_tree() {
  local dir=$work/$1
  if [ "$(stat_of "$1" seed 2>/dev/null)" != "$seed" ] ||
    [ "$(stat_of "$1" targets)" != "$2" ] ||
    [ "$(stat_of "$1" files_per_target)" != "$3" ]; then
    echo "Generating $1: $2 targets x $3 files"
    rm -rf "$dir"
    "$work/gen_tree" "$2" "$3" "$seed" "$dir"
  fi
}

stat_of() { awk -v k="$2" '$1 == k { print $2 }' "$work/$1/stats.txt"; }

# --- The generated input must build --------------------------------------

# run_programs DIR: runs every program in DIR, prints their output sorted.
run_programs() {
  local program
  for program in "$1"/t*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    "$program" || die "$program failed"
  done | sort
}

check_build() {
  local dir=$work/small log=$work/check.log
  echo "Building the small tree from qev's, GN's and premake4's output"
  rm -rf "$dir/check-make" "$dir/out/check-debug" "$dir/out/check-release" \
    "$dir/check-premake"
  mkdir "$dir/check-make"
  (cd "$dir/check-make" && "$qev" -t make -v 0 -x ../bench.qev >/dev/null) ||
    die "qev -t make failed on the small tree"
  cp "$dir/Makedefs.LINUX.mk" "$dir/check-make/"
  if ! make -C "$dir/check-make" -j"$(nproc)" all >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    die "CHECK FAILED: the makefiles qev wrote for the small tree do not build"
  fi
  local config expected got
  local -A built
  for config in Debug Release; do
    expected=$(run_programs "$dir/check-make/bin/$config")
    [ "$(echo "$expected" | grep -c .)" = "$(stat_of small executables)" ] ||
      die "CHECK FAILED: make built $(echo "$expected" | grep -c .) programs" \
        "in bin/$config, expected $(stat_of small executables)"
    built[$config]=$expected
  done

  (cd "$dir" && "$gn" gen out/check-debug >/dev/null &&
    "$gn" gen out/check-release --args=is_debug=false >/dev/null &&
    ninja -C out/check-debug >"$log" 2>&1 &&
    ninja -C out/check-release >>"$log" 2>&1) ||
    { tail -n 30 "$log" >&2; die "CHECK FAILED: GN's build of the small tree"; }
  (cd "$dir" && "$premake" --to=check-premake gmake >/dev/null &&
    make -C check-premake config=debug -j"$(nproc)" >"$log" 2>&1 &&
    make -C check-premake config=release -j"$(nproc)" >>"$log" 2>&1) ||
    { tail -n 30 "$log" >&2; die "CHECK FAILED: premake4's build of the small tree"; }
  # The three builds compile the same sources, so the programs agree.
  for config in Debug Release; do
    expected=${built[$config]}
    got=$(run_programs "$dir/out/check-${config,,}")
    [ "$got" = "$expected" ] || die "CHECK FAILED: GN's $config programs differ"
    got=$(run_programs "$dir/check-premake/bin/$config")
    [ "$got" = "$expected" ] ||
      die "CHECK FAILED: premake4's $config programs differ"
  done
  echo "  qev's makefiles, GN and premake4 build the same $(stat_of small executables) programs per configuration"
}

# --- Timing ----------------------------------------------------------------

table=$work/results.tsv
: >"$table"
failures=()

# Before every timed run: remove the output, then flush pending writes, so
# that no run pays for writing back what an earlier one wrote.
cat >"$work/prepare.sh" <<'EOF'
if [ "$1" = . ]; then find . -mindepth 1 -delete; else rm -rf "$1"; fi
sync
EOF

seconds() {  # h:mm:ss.ss or m:ss.ss -> seconds
  awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }' <<<"$1"
}

# measure SCALE LABEL CWD OUTPUT RERUN COMMAND...: times COMMAND in CWD, each
# run after removing OUTPUT (a directory relative to CWD, or "." for CWD's
# contents). RERUN=1 also times runs over the output left by the last one.
# Appends a line to $table.
measure() {
  local scale=$1 label=$2 cwd=$3 output=$4 rerun=$5
  shift 5
  local command="$*" prepare="sh $work/prepare.sh $output"
  echo "  $label"
  mkdir -p "$cwd"
  local status=0
  (cd "$cwd" && $prepare &&
    /usr/bin/time -v -o "$work/time.txt" timeout "$timeout_s" "$@" \
      >/dev/null 2>"$work/stderr.txt") || status=$?
  local rss wall cpu median files bytes n again=-
  rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
  wall=$(seconds "$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time.txt")")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$work/time.txt")
  if [ "$status" = 124 ]; then
    printf '%s\t%s\ttimeout\t-\t1\t%s\t-\t-\t-\n' "$scale" "$label" \
      "$rss" >>"$table"
    echo "    stopped after ${timeout_s} s"
    return
  fi
  if [ "$status" != 0 ]; then
    tail -n 20 "$work/stderr.txt" >&2
    echo "bench: $label FAILED with status $status in $cwd" >&2
    failures+=("$scale: $label (status $status)")
    printf '%s\t%s\tfailed\t-\t1\t%s\t-\t-\t-\n' "$scale" "$label" \
      "$rss" >>"$table"
    return
  fi
  files=$(cd "$cwd" && find "$output" -type f | wc -l)
  bytes=$(cd "$cwd" && du -sb "$output" | cut -f1)
  if awk -v w="$wall" -v s="$slow" 'BEGIN { exit !(w > s) }'; then
    n=1
    median=$wall
  else
    n=${runs[$scale]:-5}
    (cd "$cwd" && hyperfine -N --style none --runs "$n" --prepare "$prepare" \
      --export-csv "$work/h.csv" -- "$command" >/dev/null)
    median=$(awk -F, 'NR == 2 { print $4 }' "$work/h.csv")
    cpu=$(awk -F, 'NR == 2 { print $5 + $6 }' "$work/h.csv")
    if [ "$rerun" = 1 ]; then
      (cd "$cwd" && hyperfine -N --style none --runs "$n" \
        --export-csv "$work/h.csv" -- "$command" >/dev/null)
      again=$(awk -F, 'NR == 2 { print $4 }' "$work/h.csv")
    fi
  fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$scale" "$label" "$median" \
    "$cpu" "$n" "$rss" "$files" "$bytes" "$again" >>"$table"
}

time_scale() {
  local scale=$1 dir=$work/$1
  echo "Timing $scale"
  local -a x=(-x ../bench.qev)
  measure "$scale" "qev -t make -v 0" "$dir/run-make" . 1 "$qev" -t make -v 0 "${x[@]}"
  measure "$scale" "qev -t make" "$dir/run-make" . 0 "$qev" -t make "${x[@]}"
  measure "$scale" "qev -t VC8 -v 0" "$dir/run-vc8" . 1 "$qev" -t VC8 -v 0 "${x[@]}"
  measure "$scale" "qev -t VC8" "$dir/run-vc8" . 0 "$qev" -t VC8 "${x[@]}"
  measure "$scale" "qev -t xcode -v 0" "$dir/run-xcode" . 1 "$qev" -t xcode -v 0 "${x[@]}"
  measure "$scale" "qev -t xcode" "$dir/run-xcode" . 0 "$qev" -t xcode "${x[@]}"
  measure "$scale" "gn gen" "$dir" out/gn 0 "$gn" gen out/gn
  measure "$scale" "premake4 gmake" "$dir" run-premake-gmake 0 \
    "$premake" --to=run-premake-gmake gmake
  measure "$scale" "premake4 vs2008" "$dir" run-premake-vs2008 0 \
    "$premake" --to=run-premake-vs2008 vs2008
  rm -rf "$dir/run-make" "$dir/run-vc8" "$dir/run-xcode" "$dir/out" \
    "$dir/run-premake-gmake" "$dir/run-premake-vs2008"
}

# The scaling check's trees have 20 files per target; the huge tree is the
# one of 10,000 targets.
scaling_name() {
  if [ "$1" = 10000 ]; then echo huge; else echo "t$1"; fi
}

for scale in $scales; do
  [ -n "${shape[$scale]:-}" ] || die "unknown scale $scale"
  make_tree "$scale" ${shape[$scale]}
done
for count in $scaling; do
  make_tree "$(scaling_name "$count")" "$count" 20
done
sync
case " $scales " in *" small "*) check_build ;; esac
for scale in $scales; do
  time_scale "$scale"
done

scaling_table=$work/scaling.tsv
: >"$scaling_table"
for count in $scaling; do
  name=$(scaling_name "$count")
  echo "Scaling: $count targets"
  runs[$name]=5
  for tool in make VC8; do
    before=$(wc -l <"$table")
    measure "$name" "scaling qev -t $tool -v 0" "$work/$name/run-$tool" . 0 \
      "$qev" -t "$tool" -v 0 -x ../bench.qev
    tail -n +$((before + 1)) "$table" |
      awk -F'\t' -v n="$count" -v t="$tool" '{ print n "\t" t "\t" $3 "\t" $6 }' \
      >>"$scaling_table"
    rm -rf "$work/$name/run-$tool"
  done
done

# --- RESULTS.md ------------------------------------------------------------

value() {  # value SCALE LABEL COLUMN
  awk -F'\t' -v s="$1" -v l="$2" -v c="$3" '$1 == s && $2 == l { print $c }' "$table"
}

ms() {  # seconds -> milliseconds text
  case $1 in
    timeout) echo "> ${timeout_s} s (stopped)" ;;
    failed) echo "failed" ;;
    -|"") echo "-" ;;
    *) awk -v s="$1" 'BEGIN { if (s >= 10) printf "%.1f s", s;
                              else if (s >= 0.1) printf "%.0f ms", s * 1000;
                              else printf "%.1f ms", s * 1000 }' ;;
  esac
}

mib() {  # KiB or bytes/1024 -> MiB text
  case $1 in -|"") echo "-" ;; *) awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }' ;; esac
}

size() {  # bytes -> KiB or MiB text
  awk -v b="$1" 'BEGIN { if (b < 1048576) printf "%.0f KiB", b / 1024;
                         else printf "%.1f MiB", b / 1048576 }'
}

# faster A B LIMIT: "yes" when time A < LIMIT x time B, then B / A.
faster() {
  awk -v a="$1" -v b="$2" -v lim="$3" 'BEGIN {
    number = "^[0-9.e+-]+$"
    if (a ~ number && b == "timeout") { print "yes (peer stopped)"; exit }
    if (a !~ number || b !~ number) { print "not measured"; exit }
    r = b / a;
    printf "%s (%.2fx)", (a < lim * b ? "yes" : "NO"), r }'
}

{
  echo "# Benchmark: qev against GN and premake4"
  echo
  echo "Written by \`bench/run.sh\` on $(date -u +%Y-%m-%d): $(nproc) cores," \
    "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)," \
    "$(. /etc/os-release && echo "$PRETTY_NAME"), qev at commit" \
    "$(git -C "$repo" describe --always --dirty) built Release with" \
    "$(g++ --version | head -n 1 | sed 's/.*) //'); GN $("$gn" --version)," \
    "premake4 $("$premake" --version | head -n 1 | awk '{ print $NF }')," \
    "$(hyperfine --version). Trees and output on" \
    "$(df -PT "$work" | awk 'NR == 2 { print $2 }') (a disk file system adds the" \
    "kernel's cost of creating files, which can dominate; see run.sh)."
  echo
  echo "Trees from \`bench/gen_tree.cc\`, seed $seed: targets in groups of ten"
  echo "(two executables, eight static libraries on three levels), each"
  echo "non-leaf target depending on up to four targets of the next level; every"
  echo "function calls into its dependencies. Debug and Release configurations."
  echo "qev reads one description with \`*.cpp *.h -excluded_*.cpp\` per target;"
  echo "executables list every library they link (static libraries do not bring"
  echo "their own), libraries their direct dependencies. premake4 gets the same"
  echo "patterns, exclusions and link lists; GN gets a BUILD.gn per target with"
  echo "explicit sources and direct dependencies only (GN links the rest itself)."
  echo
  echo "Times are medians of several runs (hyperfine; runs column), each run into"
  echo "an empty output directory. \"rerun\" is qev run again over its own output:"
  echo "unchanged files are compared and left alone. CPU is user + system time"
  echo "(GN uses several threads). Peak memory is the maximum resident set size"
  echo "from \`/usr/bin/time -v\`. Output is what the command wrote. Each qev run"
  echo "writes both configurations; \`gn gen\` writes one build directory, so one"
  echo "configuration. A command whose first run took over ${slow} s was run once;"
  echo "one that took over ${timeout_s} s was stopped."
  for scale in $scales; do
    echo
    read -r t f <<<"${shape[$scale]}"
    echo "## $scale: $t targets x $f files"
    echo
    echo "$(stat_of "$scale" source_files) source files," \
      "$(stat_of "$scale" direct_dependencies) direct dependencies," \
      "$(stat_of "$scale" dependency_items) DEPENDENCIES items;" \
      "description $(stat_of "$scale" description_bytes) bytes, file lists" \
      "$(stat_of "$scale" file_list_bytes) bytes (every path the patterns yield," \
      "one per line)."
    echo
    echo "| command | median | CPU | rerun | runs | peak memory | output |"
    echo "|---|---:|---:|---:|---:|---:|---:|"
    awk -F'\t' -v s="$scale" '$1 == s && $2 !~ /^scaling/' "$table" |
      while IFS=$'\t' read -r _ label median cpu n rss files bytes again; do
        out="-"
        [ "$files" != "-" ] && out="$files files, $(size "$bytes")"
        echo "| \`$label\` | $(ms "$median") | $(ms "$cpu") | $(ms "$again") |" \
          "$n | $(mib "$rss") | $out |"
      done
  done

  if [ -s "$scaling_table" ]; then
    echo
    echo "## Scaling: qev -v 0 at 20 files per target"
    echo
    echo "Per doubling: the time ratio between two rows, taken to the power"
    echo "1 / log2(target ratio), so 5,000 against 2,000 counts as 1.32 doublings."
    echo
    echo "| targets | make | per doubling | VC8 | per doubling | peak memory (make) |"
    echo "|---:|---:|---:|---:|---:|---:|"
    awk -F'\t' '
      { key = $1; if (!(key in seen)) { order[++n] = key; seen[key] = 1 }
        t[key, $2] = $3; m[key, $2] = $4 }
      function per(prev, cur, tool) {
        if (prev == "") return "-"
        return sprintf("%.2fx", (t[cur, tool] / t[prev, tool]) ^ (log(2) / log(cur / prev)))
      }
      function show(s) { return s >= 0.1 ? sprintf("%.0f ms", s * 1000) : sprintf("%.1f ms", s * 1000) }
      END {
        for (i = 1; i <= n; i++) {
          k = order[i]; p = i > 1 ? order[i - 1] : ""
          printf "| %d | %s | %s | %s | %s | %.1f MiB |\n", k, show(t[k, "make"]),
            per(p, k, "make"), show(t[k, "VC8"]), per(p, k, "VC8"), m[k, "make"] / 1024
        }
      }' "$scaling_table"
  fi

  echo
  echo "## Goals"
  echo
  if case " $scales " in *" huge "*) true ;; *) false ;; esac; then
    make0=$(value huge "qev -t make -v 0" 3)
    dump=$(value huge "qev -t make" 3)
    gen=$(value huge "gn gen" 3)
    echo "- Huge, \`qev -t make -v 0\` faster than \`gn gen\`:" \
      "$(faster "$make0" "$gen" 1) ($(ms "$make0") against $(ms "$gen"))."
    echo "- Huge, \`qev -t make\` with the dump at most 2x \`gn gen\`:" \
      "$(faster "$dump" "$gen" 2 | sed 's/ (.*//') ($(ms "$dump") against" \
      "2 x $(ms "$gen"))."
    limit=$(( ($(stat_of huge description_bytes) + $(stat_of huge file_list_bytes)) * 10 / 1024 ))
    worst=0
    for label in "qev -t make -v 0" "qev -t make" "qev -t VC8 -v 0" "qev -t VC8" \
      "qev -t xcode -v 0" "qev -t xcode"; do
      rss=$(value huge "$label" 6)
      [ "${rss:-0}" -gt "$worst" ] && worst=$rss
    done
    verdict=NO
    [ "$worst" -lt "$limit" ] && verdict=yes
    echo "- Huge, qev's peak memory under 10x description plus file lists:" \
      "$verdict (largest of the six qev commands $(mib "$worst"), limit $(mib "$limit"))."
  fi
  for scale in $scales; do
    echo "- $scale, faster than premake4 for the same output:" \
      "make $(faster "$(value "$scale" "qev -t make -v 0" 3)" "$(value "$scale" "premake4 gmake" 3)" 1)," \
      "VC8 $(faster "$(value "$scale" "qev -t VC8 -v 0" 3)" "$(value "$scale" "premake4 vs2008" 3)" 1)" \
      "(with the dump: make $(faster "$(value "$scale" "qev -t make" 3)" "$(value "$scale" "premake4 gmake" 3)" 1)," \
      "VC8 $(faster "$(value "$scale" "qev -t VC8" 3)" "$(value "$scale" "premake4 vs2008" 3)" 1))."
  done
  if [ -s "$scaling_table" ]; then
    worst=$(awk -F'\t' '$2 == "make" { if (p != "") { r = ($3 / pt) ^ (log(2) / log($1 / p)); if (r > w) w = r }
                                        p = $1; pt = $3 } END { printf "%.2f", w }' "$scaling_table")
    verdict=NO
    awk -v w="$worst" 'BEGIN { exit !(w <= 2.2) }' && verdict=yes
    echo "- Linear, each doubling of targets at most 2.2x the time" \
      "(\`qev -t make -v 0\`): $verdict (worst ${worst}x per doubling)."
  fi
  echo
  echo "The ratio after each verdict is the peer's time over qev's."
} >"$results"

echo "Wrote $results"
cat "$results"
if [ ${#failures[@]} -gt 0 ]; then
  printf 'bench: FAILED: %s\n' "${failures[@]}" >&2
  exit 1
fi
