#!/usr/bin/env bash
# Runs the strict Visual Studio 2022 reader over generated files.
#   check_tree.sh case <case dir> <vc17_check>
#     the case's tree/ with its expected/files/ laid over it
#   check_tree.sh example <examples dir> <qev> <vc17_check>
#     a copy of the example, written with -t VC17 from its build directory
# Every .vcxproj and .vcxproj.filters must also pass xmllint --noout.
set -eu -o pipefail

mode=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $mode in
  case)
    case_dir=$2
    check=$3
    [ -d "$case_dir/tree" ] && cp -a "$case_dir/tree/." "$work/"
    [ -d "$case_dir/expected/files" ] && cp -a "$case_dir/expected/files/." "$work/"
    find "$work" -name .keep -type f -delete
    ;;
  example)
    cp -a "$2/." "$work/"
    check=$4
    (cd "$work/build" && "$3" -t VC17 -x ../demo.qev -v 3)
    if ! ls "$work"/build/*.vcxproj >/dev/null 2>&1; then
      echo "qev wrote no project files for the example"
      exit 1
    fi
    ;;
  *)
    echo "usage: check_tree.sh case|example ..." >&2
    exit 2
    ;;
esac

status=0
while IFS= read -r -d '' file; do
  if ! xmllint --noout "$file"; then
    echo "not well-formed: ${file#$work/}"
    status=1
  fi
done < <(find "$work" \( -name '*.vcxproj' -o -name '*.vcxproj.filters' \) -print0)

"$check" --sources "$work" | sed "s|$work|<tmp>|g" || status=1
exit $status
