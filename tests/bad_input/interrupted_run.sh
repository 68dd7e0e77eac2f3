#!/usr/bin/env bash
# SIGINT, SIGTERM and SIGHUP during a run: qev and bytewrap remove the
# temporary files they have in flight and end as the signal ends a process.
set -u
qev=$(realpath "$1")
bytewrap=$(realpath "$2")
# Job control, so that background jobs do not start with SIGINT ignored.
set -m

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

{
  echo "<QEV><project name=\"big\">"
  for ((i = 0; i < 3000; i++)); do
    echo "<target name=\"t$i\"><configuration name=\"Debug\" type=\"lib\">"
    echo "<PREPROCESSOR>TARGET_$i A B C D E F G H I J K L M N O P</PREPROCESSOR>"
    echo "</configuration></target>"
  done
  echo "</project></QEV>"
} >big.qev
head -c 60000000 /dev/urandom >blob.bin

failures=0
check() {  # check <what> <status> <signal number> <directory>
  local leftovers
  leftovers=$(find "$4" -name '.qev*' | head -n 3)
  if [ -n "$leftovers" ]; then
    echo "$1: temporary files left: $leftovers"
    failures=$((failures + 1))
  fi
  if [ "$2" -ne $((128 + $3)) ] && [ "$2" -ne 0 ]; then
    echo "$1: status $2, want $((128 + $3)) (or 0 when it finished first)"
    failures=$((failures + 1))
  fi
  [ "$2" -eq $((128 + $3)) ] && interrupted=$((interrupted + 1))
}

interrupted=0
for signal in INT TERM HUP; do
  number=$(kill -l "$signal")
  for delay in 0.05 0.15 0.3; do
    # One thread, and eight with several files in flight at once.
    for jobs in 1 8; do
      rm -rf run && mkdir run
      (cd run && exec "$qev" -t VC8 -v 0 -j "$jobs" -x ../big.qev) &
      pid=$!
      sleep "$delay"
      kill -s "$signal" "$pid" 2>/dev/null
      wait "$pid"
      check "qev -j $jobs, SIG$signal after ${delay}s" $? "$number" run
    done

    rm -f blob.h blob.cpp
    "$bytewrap" blob.bin >/dev/null &
    pid=$!
    sleep "$delay"
    kill -s "$signal" "$pid" 2>/dev/null
    wait "$pid"
    check "bytewrap, SIG$signal after ${delay}s" $? "$number" .
  done
done
echo "$interrupted of 27 runs were interrupted before they finished"
[ "$interrupted" -gt 0 ] || failures=$((failures + 1))
exit $(( failures > 0 ))
