#!/usr/bin/env bash
# Cross-builds qev.exe and bytewrap.exe with their unit tests for 64-bit
# Windows (MinGW-w64) into build-windows/, then runs the unit tests and the
# golden suite with the Windows executables under Wine:
#   scripts/run-windows-tests.sh [golden case name pattern...]
# The golden cases compare against the same expected files as on Linux; a
# case holding a file named host-posix-only (which says why) is skipped.
# TinyXML comes from Debian's source package, GoogleTest from the googletest
# package's sources, both compiled with the cross compiler.
set -euo pipefail
QEV_EXTRA_PACKAGES="g++-mingw-w64-x86-64-posix wine64 dpkg-dev googletest \
${QEV_EXTRA_PACKAGES:-}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

patterns=("$@")
out="$repo/build-windows"
mkdir -p "$out"

"$repo/scripts/fetch-debian-source.sh" tinyxml "$out/third_party"
cmake -S "$repo" -B "$out" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DQEV_TINYXML_SOURCE_DIR="$out/third_party/tinyxml" \
  -DQEV_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
cmake --build "$out" -j"$(nproc)" --target qev bytewrap qev_tests bytewrap_tests

# One Wine prefix in the build directory and one wineserver kept alive for
# the whole run: starting Wine costs seconds, a program in a live one does not.
export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
"$wineserver" -p 2>/dev/null || true  # a server of an earlier run may live on
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# Creates the prefix; the services Wine starts keep the standard streams of
# the program that started them, so they get none.
"$wine" wineboot >/dev/null 2>&1 </dev/null || true

failed=0
echo "== unit tests under Wine"
exe_path() {  # exe_path <name>: where the build put <name>.exe
  find "$out" -name "$1.exe" -type f -not -path "*/CMakeFiles/*" | head -n 1
}
for tests in qev_tests bytewrap_tests; do
  exe=$(exe_path "$tests")
  if ! "$wine" "$exe" --gtest_brief=1 >"$out/unit.log" 2>&1; then
    cat "$out/unit.log"
    failed=1
  fi
  tail -n 3 "$out/unit.log"
done

# The golden runner puts programs named qev and bytewrap on PATH: here they
# are scripts that start the Windows executables.
bin="$out/wine-bin"
mkdir -p "$bin"
for program in qev bytewrap; do
  exe=$(exe_path "$program")
  printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$wine" "$exe" >"$bin/$program"
  chmod +x "$bin/$program"
done

echo "== golden cases under Wine"
passed=0
skipped=()
failures=()
for case_dir in "$repo"/tests/golden/cases/*/; do
  name=$(basename "$case_dir")
  if [ ${#patterns[@]} -gt 0 ]; then
    wanted=0
    for pattern in "${patterns[@]}"; do
      [[ $name == *$pattern* ]] && wanted=1
    done
    [ $wanted -eq 1 ] || continue
  fi
  if [ -f "$case_dir/host-posix-only" ]; then
    skipped+=("$name")
    continue
  fi
  if QEV_GOLDEN_HOST=windows "$repo/tests/golden/run_case.sh" "$case_dir" \
      "$bin/qev" "$bin/bytewrap" >"$out/case.log" 2>&1; then
    passed=$((passed + 1))
  else
    echo "FAILED golden/$name"
    cat "$out/case.log"
    failures+=("$name")
  fi
done
echo "golden under Wine: $passed passed, ${#failures[@]} failed," \
     "${#skipped[@]} skipped (POSIX only: ${skipped[*]:-none})"
[ ${#failures[@]} -eq 0 ] || failed=1

echo "== interrupted export under Wine"
"$repo/tests/windows/interrupted_export.sh" "$wine" "$(exe_path qev)" ||
  failed=1
exit $failed
