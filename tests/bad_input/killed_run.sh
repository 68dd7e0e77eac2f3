#!/usr/bin/env bash
# A qev run killed while it writes a large project leaves every build file
# that an earlier run wrote either as it was or as the new run writes it,
# never cut short: files are written beside their destination and renamed.
set -u
qev=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# describe <define>: 1500 targets with three configurations each, so that
# writing takes long enough to be interrupted; the define differs between
# the old and the new description, so every file changes.
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

# The new run's files, made by a run that is not interrupted.
mkdir want_new
start=$(date +%s%N)
(cd want_new && "$qev" -t VC8 -v 0 -x ../new.qev) || exit 1
full_run_ms=$(( ($(date +%s%N) - start) / 1000000 ))

failures=0
for fraction in 25 50 75; do
  rm -rf run want_old
  mkdir run
  (cd run && "$qev" -t VC8 -v 0 -x ../old.qev) || exit 1
  cp -a run want_old

  (cd run && exec "$qev" -t VC8 -v 0 -x ../new.qev) &
  pid=$!
  sleep "$(awk -v ms="$full_run_ms" -v f="$fraction" 'BEGIN { printf "%.3f", ms * f / 100000 }')"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null

  # One checksum list per tree instead of a cmp per file: 1,500 files.
  (cd want_old && md5sum -- *) >old.sums
  (cd want_new && md5sum -- *) >new.sums
  (cd run && md5sum -- *) >run.sums 2>/dev/null
  read -r old new bad < <(awk '
    FILENAME == ARGV[1] { want_old[$2] = $1; next }
    FILENAME == ARGV[2] { want_new[$2] = $1; next }
    { got[$2] = $1 }
    END {
      for (name in want_old) {
        if (got[name] == want_old[name]) old++
        else if (got[name] == want_new[name]) new++
        else { bad++; print name > "/dev/stderr" }
      }
      print old + 0, new + 0, bad + 0
    }' old.sums new.sums run.sums 2>bad.names)
  while read -r name; do
    echo "killed at ${fraction}%: $name is neither the old nor the new file"
  done <bad.names
  failures=$((failures + bad))
  echo "killed at ${fraction}% of ${full_run_ms} ms: $old files old, $new new"
done
exit $(( failures > 0 ))
