#!/usr/bin/env bash
# Runs the strict readers of ninja files and compilation databases over
# generated files, and where the real ninja is installed checks that it
# reads each ninja file as the strict reader does: both accept it and
# `ninja -t targets all` lists the same outputs and rules in the same order.
#   agree_with_ninja.sh case <case dir> <ninja_check> <compdb_check>
#     the case's tree/ with its expected/files/ laid over it, <tmp> and
#     <qev> put back as the scratch directory and a program path
#   agree_with_ninja.sh example <examples dir> <qev> <ninja_check> <compdb_check>
#     a copy of the example, written with -t ninja from its build directory
#   agree_with_ninja.sh snippets <snippets dir> <ninja_check>
#     each snippet's first line says what ninja does with it: "# accepted"
#     and "# strict ..." (the strict reader finds a fault that ninja lets
#     through) must be read alike, "# rejected ..." refused by both
# Exit status 77 (skipped) when ninja is missing and nothing else failed.
set -u -o pipefail

mode=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
have_ninja=1
command -v ninja >/dev/null || have_ninja=0

# agree <build file>: the strict reader and ninja read it alike.
agree() {
  local file=$1 dir name ours theirs
  dir=$(dirname "$file")
  name=$(basename "$file")
  ours=$("$ninja_check" --targets "$file" 2>"$work/ours.err")
  local ours_status=$?
  [ "$have_ninja" = 1 ] || return "$ours_status"
  theirs=$(cd "$dir" && ninja -f "$name" -t targets all 2>"$work/theirs.err")
  local theirs_status=$?
  if [ "$theirs_status" -ne 0 ]; then
    echo "ninja refuses ${file#$work/}:"
    cat "$work/theirs.err"
    return 1
  fi
  if [ "$ours" != "$theirs" ]; then
    echo "ninja reads other targets from ${file#$work/}:"
    diff <(echo "$theirs") <(echo "$ours") | head -n 20
    return 1
  fi
  return "$ours_status"
}

check_tree() {
  local count=0 file
  while IFS= read -r -d '' file; do
    count=$((count + 1))
    if ! agree "$file"; then
      sed "s|$work/||" "$work/ours.err"
      status=1
    fi
  done < <(find "$work" -name build.ninja -type f -print0)
  while IFS= read -r -d '' file; do
    "$compdb_check" "$file" | sed "s|$work/||" || status=1
  done < <(find "$work" -name compile_commands.json -type f -print0)
  echo "$count ninja files read"
  [ "$count" -gt 0 ] || { echo "no build.ninja to read"; status=1; }
}

case $mode in
  case)
    case_dir=$2
    ninja_check=$3
    compdb_check=$4
    [ -d "$case_dir/tree" ] && cp -a "$case_dir/tree/." "$work/"
    [ -d "$case_dir/expected/files" ] && cp -a "$case_dir/expected/files/." "$work/"
    find "$work" -name .keep -type f -delete
    find "$work" \( -name build.ninja -o -name compile_commands.json \) \
      -type f -exec sed -i "s|<tmp>|$work|g; s|<qev>|/usr/bin/qev|g" {} +
    check_tree
    ;;
  example)
    cp -a "$2/." "$work/"
    qev=$3
    ninja_check=$4
    compdb_check=$5
    (cd "$work/build" && env -u QEV_LAUNCHER "$qev" -t ninja -x ../demo.qev -v 3) ||
      status=1
    check_tree
    ;;
  snippets)
    ninja_check=$3
    count=0
    for snippet in "$2"/*.ninja; do
      count=$((count + 1))
      cp "$snippet" "$work/build.ninja"
      expect=$(head -n 1 "$snippet")
      expect=${expect%$'\r'}
      case $expect in
        "# rejected"*)
          "$ninja_check" "$work/build.ninja" >"$work/ours.out" &&
            { echo "$(basename "$snippet"): the strict reader accepts it"; status=1; }
          if [ "$have_ninja" = 1 ] &&
             (cd "$work" && ninja -t targets all >/dev/null 2>&1); then
            echo "$(basename "$snippet"): ninja accepts it"
            status=1
          fi
          ;;
        "# accepted"* | "# strict"*)
          agree "$work/build.ninja" >"$work/agree.out"
          agreed=$?
          if [ "$expect" = "# accepted" ] && [ "$agreed" -ne 0 ]; then
            echo "$(basename "$snippet"):"
            cat "$work/agree.out" "$work/ours.err"
            status=1
          elif [ "$expect" != "# accepted" ] && [ "$agreed" -ne 1 ]; then
            echo "$(basename "$snippet"): expected a strict finding"
            status=1
          elif grep -q . "$work/agree.out"; then
            echo "$(basename "$snippet"):"
            cat "$work/agree.out"
            status=1
          fi
          ;;
        *)
          echo "$(basename "$snippet"): first line says neither accepted, strict nor rejected"
          status=1
          ;;
      esac
    done
    echo "$count snippets read"
    ;;
  *)
    echo "usage: agree_with_ninja.sh case|example|snippets ..." >&2
    exit 2
    ;;
esac

if [ "$status" -eq 0 ] && [ "$have_ninja" = 0 ]; then
  echo "ninja is not installed: only the strict readers ran"
  exit 77
fi
exit $status
