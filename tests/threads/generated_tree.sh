#!/usr/bin/env bash
# Every tool on a generated tree of 1,000 targets, with one thread and with
# eight: the build files, standard output, standard error and exit status
# must be the same. Each run writes into the same directory (moved aside
# after the run), since the build files name it. Then the same once more
# over the files already there (which stay untouched), and a strict run.
#
#   generated_tree.sh <qev> <gen_tree>
set -u
qev=$(realpath "$1")
gen_tree=$(realpath "$2")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gen_tree" 1000 5 7 "$work/tree" >/dev/null || exit 1
# Some targets write into export directories that cannot be entered, for
# warnings in the middle of the export.
sed -i 's|^\( *<target name="t0000\([0-5]\)">\)$|\1<EXPORT>missing\2</EXPORT>|' \
  "$work/tree/bench.qev"
grep -q "<EXPORT>missing3</EXPORT>" "$work/tree/bench.qev" || exit 1

failures=0
# run <name> <jobs> <arguments...>: runs qev in tree/out and keeps what it
# made under runs/<name>-<jobs>.
run() {
  local name=$1 jobs=$2
  shift 2
  (cd "$work/tree/out" && QEV_JOBS=$jobs "$qev" "$@" >"$work/stdout" \
    2>"$work/stderr"
   echo $? >"$work/status")
  local kept=$work/runs/$name-$jobs
  mkdir -p "$kept"
  mv "$work/stdout" "$work/stderr" "$work/status" "$kept/"
  cp -a "$work/tree/out" "$kept/files"
}
compare() {  # compare <name>
  if ! diff -r "$work/runs/$1-1" "$work/runs/$1-8" >"$work/diff"; then
    echo "$1: -j 1 and -j 8 differ:"
    head -n 20 "$work/diff"
    failures=$((failures + 1))
  fi
}

for tool in make VC7 VC71 VC8 VC17 ninja ninja-Debug xcode; do
  arguments=(-t "$tool")
  [ "$tool" = ninja-Debug ] && arguments=(-t ninja -c Debug)
  for jobs in 1 8; do
    rm -rf "$work/tree/out" && mkdir "$work/tree/out"
    run "$tool" "$jobs" "${arguments[@]}" -x ../bench.qev
    # Over its own output: nothing changes.
    run "$tool-again" "$jobs" "${arguments[@]}" -x ../bench.qev
  done
  compare "$tool"
  compare "$tool-again"
done
for jobs in 1 8; do
  rm -rf "$work/tree/out" && mkdir "$work/tree/out"
  run strict "$jobs" -t VC8 --strict -x ../bench.qev
done
compare strict
grep -q "Depends for" "$work/runs/make-8/stdout" || {
  echo "make printed no dependency lines"
  failures=$((failures + 1))
}
grep -q "missing3" "$work/runs/make-8/stderr" || {
  echo "no warning about the export directories that cannot be entered"
  failures=$((failures + 1))
}
exit $((failures > 0))
