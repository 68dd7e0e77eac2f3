#!/usr/bin/env bash
# Ctrl-C during a Windows qev run under Wine (Wine turns SIGINT into the
# console's Ctrl-C event) leaves no temporary file behind, and every build
# file is either as the earlier run wrote it or as the new run writes it:
#   tests/windows/interrupted_export.sh <wine> <qev.exe>
set -u
wine=$1
qev=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# describe <define>: enough targets that writing them takes a while; the
# define differs between the old and the new description.
describe() {
  echo "<QEV><project name=\"big\">"
  for ((i = 0; i < 1500; i++)); do
    echo "<target name=\"t$i\"><DEPENDENCIES>t$(( i / 2 ))</DEPENDENCIES>"
    echo "<PREPROCESSOR>$1 TARGET_$i A B C D E F G H I J</PREPROCESSOR>"
    for config in Debug Release Profile; do
      echo "<configuration name=\"$config\" type=\"lib\"><CFLAGS>-O$i</CFLAGS></configuration>"
    done
    echo "</target>"
  done
  echo "</project></QEV>"
}
describe OLD >old.qev
describe NEW >new.qev

mkdir want_new
start=$(date +%s%N)
if ! (cd want_new && "$wine" "$qev" -t VC8 -v 0 -x ../new.qev); then
  echo "the uninterrupted run failed (status $?)"
  exit 1
fi
full_run_ms=$(( ($(date +%s%N) - start) / 1000000 ))

failures=0
interrupted=0
# A loaded machine may finish a run before the interrupt lands: up to three
# rounds, until one interrupt has come during a run.
runs=0
for round in 1 2 3; do
  for fraction in 30 60 90; do
    runs=$((runs + 1))
    rm -rf run want_old
    mkdir run
    if ! (cd run && "$wine" "$qev" -t VC8 -v 0 -x ../old.qev); then
      echo "the run that writes the old files failed (status $?)"
      exit 1
    fi
    cp -a run want_old

    (cd run && exec "$wine" "$qev" -t VC8 -v 0 -x ../new.qev) &
    pid=$!
    sleep "$(awk -v ms="$full_run_ms" -v f="$fraction" 'BEGIN { printf "%.3f", ms * f / 100000 }')"
    kill -INT "$pid" 2>/dev/null
    wait "$pid"
    status=$?
    [ "$status" -ne 0 ] && interrupted=$((interrupted + 1))

    stray=$(comm -13 <(ls -A want_old) <(ls -A run))
    if [ -n "$stray" ]; then
      echo "interrupted at ${fraction}%: left behind: $stray"
      failures=$((failures + 1))
    fi
    for file in want_old/*; do
      name=${file#want_old/}
      if ! cmp -s "run/$name" "want_old/$name" &&
         ! cmp -s "run/$name" "want_new/$name"; then
        echo "interrupted at ${fraction}%: $name is neither the old nor the new file"
        failures=$((failures + 1))
      fi
    done
  done
  [ "$interrupted" -gt 0 ] && break
done
echo "interrupted export: $interrupted of $runs runs interrupted (full run ${full_run_ms} ms), $failures failures"
if [ "$interrupted" -eq 0 ]; then
  echo "no run was interrupted: the check proved nothing"
  exit 1
fi
[ "$failures" -eq 0 ]
