#!/usr/bin/env bash
# Runs one golden case and compares everything it produced.
#
# A case is a directory holding:
#   cmd               a bash script run in the scratch directory, with qev and
#                     bytewrap on PATH
#   tree/             files copied into the scratch directory first (optional)
#   expected/stdout   standard output (missing means empty)
#   expected/stderr   standard error (missing means empty)
#   expected/status   exit status (missing means 0)
#   expected/files/   files that must exist after the run, laid over tree/;
#                     the scratch directory must then equal tree/ + files/
#                     exactly, so a stray or missing file fails the case.
#   unprivileged      (optional, empty) the case is about permissions: when
#                     the suite runs as root, which permissions do not
#                     restrict, the command runs as user nobody instead;
#                     not so for the Windows programs (QEV_GOLDEN_HOST=windows),
#                     which refuse a read-only file by its attribute
#   host-posix-only   (optional) the case cannot hold on Windows (it says
#                     why); scripts/run-windows-tests.sh skips it
# The absolute path of the scratch directory is shown as <tmp> in the
# captured output, also in the form a Windows program under Wine sees it
# (Z:/tmp/...). Every .vcproj, .vcxproj and .vcxproj.filters left behind
# must be well-formed XML.
set -u

case_dir=$(cd "$1" && pwd)
qev=$2
bytewrap=$3

work=$(mktemp -d)
trap 'chmod -R u+rwX "$work" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/bin" "$work/want"
cp "$qev" "$work/bin/qev"
cp "$bytewrap" "$work/bin/bytewrap"
cp "$case_dir/cmd" "$work/cmd"

if [ -d "$case_dir/tree" ]; then
  cp -a "$case_dir/tree/." "$work/run/"
  cp -a "$case_dir/tree/." "$work/want/"
fi
if [ -d "$case_dir/expected/files" ]; then
  cp -a "$case_dir/expected/files/." "$work/want/"
fi
# Empty directories cannot live in git; a .keep file marks them and goes away.
find "$work/run" "$work/want" -name .keep -type f -delete

as_user=()
if [ -f "$case_dir/unprivileged" ] && [ "$(id -u)" -eq 0 ] &&
   [ "${QEV_GOLDEN_HOST:-}" != windows ]; then
  chmod 755 "$work"
  chown -R 65534:65534 "$work/run"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
(cd "$work/run" && PATH="$work/bin:$PATH" "${as_user[@]}" bash "$work/cmd") \
  >"$work/stdout.raw" 2>"$work/stderr.raw"
status=$?

sed "s|[A-Z]:$work/run|<tmp>|g; s|$work/run|<tmp>|g" "$work/stdout.raw" \
  >"$work/stdout"
sed "s|[A-Z]:$work/run|<tmp>|g; s|$work/run|<tmp>|g" "$work/stderr.raw" \
  >"$work/stderr"
: >"$work/empty"

failed=0
want_status=0
[ -f "$case_dir/expected/status" ] && want_status=$(cat "$case_dir/expected/status")
if [ "$status" != "$want_status" ]; then
  echo "exit status: got $status, want $want_status"
  failed=1
fi

compare() {  # compare <what> <expected file or empty> <actual file>
  if ! cmp -s "$2" "$3"; then
    echo "--- $1 differs (expected vs actual):"
    diff -a -u "$2" "$3" | head -n 80
    failed=1
  fi
}
want_out="$work/empty"
[ -f "$case_dir/expected/stdout" ] && want_out="$case_dir/expected/stdout"
compare stdout "$want_out" "$work/stdout"
want_err="$work/empty"
[ -f "$case_dir/expected/stderr" ] && want_err="$case_dir/expected/stderr"
compare stderr "$want_err" "$work/stderr"

chmod -R u+rwX "$work/run" 2>/dev/null
if ! diff -r -q --no-dereference "$work/want" "$work/run" >"$work/treediff"; then
  echo "--- file tree differs:"
  sed "s|$work/want|expected|g; s|$work/run|actual|g" "$work/treediff"
  diff -r -a -u --no-dereference "$work/want" "$work/run" | head -n 120
  failed=1
fi

while IFS= read -r -d '' project; do
  if ! xmllint --noout "$project" 2>"$work/xmllint"; then
    echo "--- not well-formed XML: ${project#$work/run/}"
    head -n 20 "$work/xmllint"
    failed=1
  fi
done < <(find "$work/run" \( -name '*.vcproj' -o -name '*.vcxproj' -o -name '*.vcxproj.filters' \) -print0)

exit $failed
