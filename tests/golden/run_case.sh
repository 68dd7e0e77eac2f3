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
# With UPDATE=1 in the environment expected/ is first rewritten from the run:
# stdout, stderr and status as captured (left out when empty or 0), files/ as
# every file that is new or differs from tree/, .keep marking new empty
# directories. A file the run removed from tree/ cannot be said there: that
# is reported and fails the case.
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
mkdir -p "$work/tree" "$work/run" "$work/bin" "$work/want"
cp "$qev" "$work/bin/qev"
cp "$bytewrap" "$work/bin/bytewrap"
cp "$case_dir/cmd" "$work/cmd"

if [ -d "$case_dir/tree" ]; then
  cp -a "$case_dir/tree/." "$work/tree/"
fi
# Empty directories cannot live in git; a .keep file marks them and goes away.
find "$work/tree" -name .keep -type f -delete
cp -a "$work/tree/." "$work/run/"

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

chmod -R u+rwX "$work/run" 2>/dev/null

# UPDATE=1 rewrites the case's expected files from this run; the comparisons
# below then check that they hold.
same_entry() {  # same_entry <a> <b>: equal files, or links to one target
  if [ -L "$1" ] || [ -L "$2" ]; then
    [ -L "$1" ] && [ -L "$2" ] && [ "$(readlink "$1")" = "$(readlink "$2")" ]
  else
    [ -f "$1" ] && [ -f "$2" ] && cmp -s "$1" "$2"
  fi
}
update_expected() {
  local expected=$case_dir/expected base=$work/tree new=$work/new path ok=0
  mkdir -p "$expected" "$new"
  for stream in stdout stderr; do
    if [ -s "$work/$stream" ]; then
      cp "$work/$stream" "$expected/$stream"
    else
      rm -f "$expected/$stream"
    fi
  done
  if [ "$status" != 0 ]; then
    echo "$status" >"$expected/status"
  else
    rm -f "$expected/status"
  fi
  # expected/files is laid over tree/: what the run removed from tree/ has
  # no way to be said there.
  while IFS= read -r -d '' path; do
    if [ -d "$base/$path" ] && [ ! -L "$base/$path" ]; then
      [ -d "$work/run/$path" ] && [ ! -L "$work/run/$path" ] && continue
    elif [ -e "$work/run/$path" ] || [ -L "$work/run/$path" ]; then
      [ -d "$work/run/$path" ] && [ ! -L "$work/run/$path" ] || continue
    fi
    echo "UPDATE: the run removed or replaced tree/$path, which expected/files cannot express"
    ok=1
  done < <(cd "$base" && find . -mindepth 1 -printf '%P\0')
  # Copies without owner or time: the run may have been user nobody's.
  while IFS= read -r -d '' path; do
    if [ -d "$work/run/$path" ] && [ ! -L "$work/run/$path" ]; then
      if [ ! -d "$base/$path" ] && [ -z "$(ls -A "$work/run/$path")" ]; then
        mkdir -p "$new/$path"
        : >"$new/$path/.keep"
      fi
    elif ! same_entry "$base/$path" "$work/run/$path"; then
      mkdir -p "$(dirname "$new/$path")"
      cp -P "$work/run/$path" "$new/$path"
    fi
  done < <(cd "$work/run" && find . -mindepth 1 -printf '%P\0')
  rm -rf "$expected/files"
  if [ -n "$(ls -A "$new")" ]; then
    mkdir "$expected/files"
    cp -R -P "$new/." "$expected/files/"
  fi
  echo "UPDATE: rewrote the expected files of $(basename "$case_dir")"
  return $ok
}

failed=0
if [ "${UPDATE:-}" = 1 ]; then
  update_expected || failed=1
fi
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

cp -a "$work/tree/." "$work/want/"
if [ -d "$case_dir/expected/files" ]; then
  cp -a "$case_dir/expected/files/." "$work/want/"
fi
find "$work/want" -name .keep -type f -delete
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
