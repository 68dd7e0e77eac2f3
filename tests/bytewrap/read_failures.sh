#!/usr/bin/env bash
# A read of the input that fails or falls short part way prints the read
# failure, exits 1 and leaves both outputs as they were.
set -u
bytewrap=$1
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gcc -shared -fPIC -o "$work/fail_read.so" "$here/fail_read.c" -ldl || exit 1
cd "$work"

head -c 3000000 /dev/urandom >asset.bin
printf 'old header\n' >asset.h
failures=0
for mode in error short; do
  status=0
  out=$(env LD_PRELOAD="$work/fail_read.so" FAIL_READ_AFTER=1000000 \
        FAIL_READ_MODE=$mode ASAN_OPTIONS=verify_asan_link_order=0 \
        "$bytewrap" asset.bin) || status=$?
  if [ "$status" -ne 1 ] || [ "$out" != $'Failed to read entire file.\r' ]; then
    echo "$mode: status $status, output: $out"
    failures=$((failures + 1))
  fi
  if [ "$(cat asset.h)" != "old header" ] || [ -e asset.cpp ]; then
    echo "$mode: the outputs changed"
    failures=$((failures + 1))
  fi
  leftovers=$(ls -A | grep -v -x -e asset.bin -e asset.h -e fail_read.so)
  if [ -n "$leftovers" ]; then
    echo "$mode: left behind: $leftovers"
    failures=$((failures + 1))
  fi
done
exit $(( failures > 0 ))
