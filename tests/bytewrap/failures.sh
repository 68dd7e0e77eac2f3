#!/usr/bin/env bash
# Failure cases that need special files, permissions or resource limits.
# Each must print its one message, exit 1 and leave every output as it was.
set -u
bytewrap=$1

work=$(mktemp -d)
trap 'chmod -R u+rwX "$work"; rm -rf "$work"' EXIT
cd "$work"
failed=0

fail() {
  echo "FAIL: $*"
  failed=1
}

# expect <case> <want status> <want stdout as printf format> <args...>
expect() {
  local name=$1 want_status=$2 want_out
  want_out=$(printf "$3" | od -c)
  shift 3
  local out status
  timeout 20 "$bytewrap" "$@" >"$work/stdout.raw"
  status=$?
  out=$(od -c <"$work/stdout.raw")
  [ "$status" = "$want_status" ] || fail "$name: status $status, want $want_status"
  [ "$out" = "$want_out" ] || fail "$name: stdout"$'\n'"$out"$'\n'"want"$'\n'"$want_out"
}

# Lists the directory, so that a left-over temporary file shows.
listing() { ls -A "$@" | tr '\n' ' '; }

# A FIFO has no size to convert; opening it must not wait for a writer.
mkdir fifo && mkfifo fifo/pipe.bin
expect fifo 1 "Failed to open input file 'fifo/pipe.bin' for read access.\r\n" \
  fifo/pipe.bin
[ "$(listing fifo)" = "pipe.bin " ] || fail "fifo: left $(listing fifo)"

# A write that fails part way (file size limit) keeps the old outputs.
mkdir limit && head -c 20000 /dev/zero >limit/logo.png
printf 'old header' >limit/logo.h
printf 'old source' >limit/logo.cpp
(
  trap '' XFSZ  # Let write() fail with EFBIG instead of a signal.
  ulimit -f 8
  cd limit && expect write-limit 1 "Failed to write file logo.cpp.\r\n" logo.png
  exit $failed
) || failed=1
[ "$(cat limit/logo.h)" = "old header" ] || fail "write-limit: header changed"
[ "$(cat limit/logo.cpp)" = "old source" ] || fail "write-limit: source changed"
[ "$(listing limit)" = "logo.cpp logo.h logo.png " ] ||
  fail "write-limit: left $(listing limit)"

# New outputs get the permissions the umask allows; replaced ones keep theirs.
mkdir modes && printf 'x' >modes/logo.png
printf 'old' >modes/logo.h && chmod 600 modes/logo.h
(umask 027 && cd modes && "$bytewrap" logo.png >/dev/null)
[ "$(stat -c %a modes/logo.h)" = 600 ] || fail "modes: header $(stat -c %a modes/logo.h)"
[ "$(stat -c %a modes/logo.cpp)" = 640 ] || fail "modes: source $(stat -c %a modes/logo.cpp)"

# An input that is also an output is read whole before it is replaced.
mkdir same && printf 'abc' >same/notes.h
(cd same && "$bytewrap" notes.h >/dev/null)
grep -q '^  0x61,0x62,0x63' same/notes.cpp || fail "same: source lost the input"
grep -q 'g_notes\[3\]' same/notes.h || fail "same: header not written"

if [ "$(id -u)" = 0 ]; then
  echo "skipped: permission cases (root ignores permissions)"
else
  mkdir ro && printf 'x' >ro/logo.png && chmod 555 ro
  expect unwritable-dir 1 "Failed to open file ro/logo.h for write access.\r\nFailed to open file ro/logo.cpp for write access.\r\n" ro/logo.png
  [ "$(listing ro)" = "logo.png " ] || fail "unwritable-dir: left $(listing ro)"

  mkdir rofile && printf 'x' >rofile/logo.png
  printf 'old header' >rofile/logo.h && chmod 444 rofile/logo.h
  expect read-only-output 1 "Failed to open file rofile/logo.h for write access.\r\n" rofile/logo.png
  [ "$(cat rofile/logo.h)" = "old header" ] || fail "read-only-output: header changed"
  [ "$(listing rofile)" = "logo.h logo.png " ] || fail "read-only-output: left $(listing rofile)"

  printf 'x' >secret.bin && chmod 000 secret.bin
  expect unreadable 1 "Failed to open input file 'secret.bin' for read access.\r\n" secret.bin
fi

if [ $failed = 0 ]; then echo "failure cases ok"; fi
exit $failed
