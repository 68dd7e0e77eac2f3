#!/usr/bin/env bash
# Builds real libraries from Debian's sources with what `qev --strict -t
# ninja` writes from the descriptions beside this script, runs their tests
# with `ninja test` in both configurations (cJSON also with `qev --strict -t
# make`, `make all` and `make test`), and checks that `qev -t VC17` writes
# well-formed project files from the same descriptions, warning about
# nothing but the packages it does not resolve.
#
# usage: run.sh <qev> <source root> [library...]
#   library: snappy, leveldb or cjson (default: all three)
#
# Each library's Debian source package is fetched into <source root>/<name>
# once (scripts/fetch-debian-source.sh) and reused by later runs. The
# description and the files beside it are copied into the top of the source
# tree, and qev-ninja/, qev-make/ and qev-vc17/ below it are made anew. With
# VC17_CHECK=<vc17_check> the strict reader of tests/vc17_checker reads the
# Visual Studio files too. The exit status is 0 when every library passed.
set -u

if [ $# -lt 2 ]; then
  echo "usage: run.sh <qev> <source root> [snappy|leveldb|cjson...]" >&2
  exit 2
fi
case $1 in
  */*) qev=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") ;;
  *) qev=$(command -v "$1") || { echo "run.sh: no program $1" >&2; exit 2; } ;;
esac
mkdir -p "$2"
root=$(cd "$2" && pwd)
shift 2
libraries=("$@")
[ ${#libraries[@]} -eq 0 ] && libraries=(snappy leveldb cjson)
if [ -n "${VC17_CHECK:-}" ]; then
  VC17_CHECK=$(cd "$(dirname "$VC17_CHECK")" && pwd)/$(basename "$VC17_CHECK")
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
# The toolchain that build.ninja records: the defaults, whatever the caller has.
unset CC CXX AR QEV_LAUNCHER
configurations=(Debug Release)

# --- Reporting -------------------------------------------------------------

now() { echo "${EPOCHREALTIME/./}"; }  # microseconds
seconds_since() {  # seconds_since <start from now>: "12.3"
  local tenths=$((($(now) - $1) / 100000))
  echo "$((tenths / 10)).$((tenths % 10))"
}

library_failed=0   # whether the current library failed a step
summary=()         # one line per library
passed_libraries=0
failed_libraries=0

fail() {
  echo "FAIL: $library: $*"
  library_failed=1
}

# show_log <log>: the end of a log, indented.
show_log() {
  tail -n 25 "$1" | sed 's/^/    /'
}

# --- Tests -----------------------------------------------------------------

# The test programs each description declares (test="true"), run once per
# configuration by `ninja test` and `make test`.
expected_tests() {
  case $1 in
    snappy) echo 3 ;;
    leveldb) echo 31 ;;   # 30 tests and db_bench
    cjson) echo 22 ;;
  esac
}

# check_tests <log> <tool>: reads what `<tool> test` printed: a PASS or FAIL
# line per test and configuration, then "N passed, M failed". Every test of
# every configuration must have passed. Adds "<tool> <configuration>
# passed/run" to results.
check_tests() {
  local log=$1 tool=$2 summary want configuration passed failed
  want=$(($(expected_tests "$library") * ${#configurations[@]}))
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    fail "$tool test printed no summary:"
    show_log "$log"
    return
  fi
  if [ "$summary" != "$want passed, 0 failed" ]; then
    fail "$tool test: $summary, not $want passed, 0 failed:"
    grep -A 20 '^FAIL ' "$log" | head -n 60 | sed 's/^/    /'
  fi
  for configuration in "${configurations[@]}"; do
    passed=$(grep -c "^PASS .* ($configuration)\$" "$log")
    failed=$(grep -c "^FAIL .* ($configuration)" "$log")
    results+=("$tool $configuration $passed/$((passed + failed))")
  done
}

# run_tool <directory> <program> [arguments...]: runs a program that is no
# test (a tool, on an input) in <directory>; it passes when it exits with 0.
run_tool() {
  local directory=$1 program=$2 log status
  shift 2
  log="$logs/$configuration-$(basename "$program").log"
  (cd "$directory" && timeout 300 "$program" "$@") >>"$log" 2>&1
  status=$?
  if [ $status -ne 0 ]; then
    fail "$configuration: $(basename "$program") $* exited with status $status:"
    show_log "$log"
  fi
}

# prepare_tests_<library> <build>: what the tests need before `ninja test`
# starts them all at once.
prepare_tests_snappy() { :; }

prepare_tests_leveldb() {
  # Every test's TEST_TMPDIR (tmp, beside where it runs) exists before the
  # first test starts: leveldb's Env creates it on first use, googletest's
  # TempDir() in fault_injection_test does not, so that test failed to open
  # its database whenever it started before another test of its directory.
  local directory
  sed -n 's|.*<TESTDIR>\([^<]*\)</TESTDIR>.*|\1|p' "$1/../$description" | sort -u |
    while read -r directory; do mkdir -p "$1/$directory/tmp"; done
}

prepare_tests_cjson() { :; }

# tools_<library> <source> <build>: what the library's tests do not cover,
# run after `ninja test` in each configuration.
tools_snappy() { :; }

tools_leveldb() {
  # The write-ahead log that db_bench (a test) left behind, printed.
  local wal
  for wal in "$2/$configuration/tmp/dbbench"/*.log; do break; done
  run_tool "$2" "$2/$configuration/leveldbutil" dump "$wal"
}

tools_cjson() {
  local input
  for input in "$1"/fuzzing/inputs/*; do
    run_tool "$1/fuzzing" "$2/bin/$configuration/fuzz_main" "$input"
  done
}

# --- One library -------------------------------------------------------------

# run_qev <tool> <log name>: writes the build files of the description for
# <tool> into the current directory; with --strict but for VC17.
run_qev() {
  local tool=$1 name=$2 strict=--strict
  [ "$tool" = VC17 ] && strict=
  if ! "$qev" $strict -t "$tool" -v 3 -x "../$description" \
    >"$logs/$name.out" 2>"$logs/$name.err"; then
    fail "qev -t $tool failed:"
    show_log "$logs/$name.err"
    return 1
  fi
  # The descriptions are meant to be read without a warning; VC17 resolves
  # no packages, and says so once per target that names any.
  local unexpected
  if [ "$tool" = VC17 ]; then
    unexpected=$(grep -v '^qev: warning: .*: target "[^"]*": VC17 does not resolve PACKAGES (' \
      "$logs/$name.err")
  else
    unexpected=$(cat "$logs/$name.err")
  fi
  if [ -n "$unexpected" ]; then
    fail "qev -t $tool printed on standard error:"
    echo "$unexpected" | tail -n 25 | sed 's/^/    /'
  fi
  return 0
}

# What run_library found, for the summary.
build_seconds=- step_count=- test_seconds=- make_seconds=- vc17_files=-
results=()

run_library() {
  local package=$library description=$library.qev
  local source=$root/$package start
  library_failed=0
  build_seconds=- step_count=- test_seconds=- make_seconds=- vc17_files=-
  results=()

  if ! "$repo/scripts/fetch-debian-source.sh" "$package" "$root"; then
    fail "the Debian source package $package could not be fetched"
    return
  fi
  echo "source: $(cat "$source/.fetched") in $source"
  cp -r "$here/$library/." "$source/"
  rm -rf "$source/qev-ninja" "$source/qev-make" "$source/qev-vc17"
  # All before qev runs: a new entry in a FILES directory reruns qev.
  mkdir -p "$source/qev-ninja/logs" "$source/qev-vc17"
  [ "$library" = cjson ] && mkdir -p "$source/qev-make"
  logs=$source/qev-ninja/logs

  # The ninja build, from nothing: first one object of the first test
  # program (what it includes, generated headers too, must be made first),
  # then everything, both configurations.
  local build=$source/qev-ninja
  cd "$build" || return
  run_qev ninja qev || return
  [ -f compile_commands.json ] || fail "qev wrote no compile_commands.json"
  start=$(now)
  local object
  object=$(ninja -t targets all | sed -n 's|^\(obj/[^:]*_Debug/[^:]*\.o\): .*|\1|p' |
    grep -F "$(first_test_object_directory)" | head -n 1)
  if [ -z "$object" ]; then
    fail "no object of the first test in build.ninja"
  elif ! ninja -j2 "$object" >"$logs/ninja-object.log" 2>&1; then
    fail "ninja $object failed in a clean tree:"
    show_log "$logs/ninja-object.log"
    return
  fi
  if ! ninja -j2 >"$logs/ninja.log" 2>&1; then
    fail "ninja failed:"
    show_log "$logs/ninja.log"
    return
  fi
  build_seconds=$(seconds_since "$start")
  step_count=$(($(grep -c '^\[[0-9]*/[0-9]*\] ' "$logs/ninja.log") + 0))
  echo "built: $step_count steps in $build_seconds s"
  # Nothing is left to do: no step rewrites what a compile reads, and no
  # build output lands in a directory that qev lists.
  ninja -j2 >"$logs/noop.log" 2>&1
  grep -qx 'ninja: no work to do.' "$logs/noop.log" ||
    { fail "a second ninja did work:"; show_log "$logs/noop.log"; }

  # The tests of both configurations at once. leveldb's tests put their
  # databases in TEST_TMPDIR, relative to where each runs: its
  # configuration's output directory.
  start=$(now)
  "prepare_tests_$library" "$build"
  TEST_TMPDIR=tmp ninja -j8 test >"$logs/ninja-test.log" 2>&1
  local status=$?
  check_tests "$logs/ninja-test.log" ninja
  if [ $status -ne 0 ] && [ $library_failed -eq 0 ]; then
    fail "ninja test exited with status $status:"
    show_log "$logs/ninja-test.log"
  fi
  for configuration in "${configurations[@]}"; do
    "tools_$library" "$source" "$build"
  done

  test_seconds=$(seconds_since "$start")

  # cJSON with make as well, from nothing.
  if [ "$library" = cjson ]; then
    start=$(now)
    cd "$source/qev-make" || return
    cp "$repo/examples/build/Makedefs.LINUX.mk" .
    if run_qev make make; then
      if ! make -j2 all >"$logs/make.log" 2>&1; then
        fail "make all failed:"
        show_log "$logs/make.log"
      else
        make test >"$logs/make-test.log" 2>&1
        status=$?
        check_tests "$logs/make-test.log" make
        # make keeps what a test printed in obj/<test>_<configuration>.test.log.
        local failed_test
        sed -n 's/^FAIL \(.*\) (\(.*\))$/\1_\2/p' "$logs/make-test.log" |
          while read -r failed_test; do
            echo "    $failed_test:"
            show_log "obj/$failed_test.test.log"
          done
        if [ $status -ne 0 ] && [ $library_failed -eq 0 ]; then
          fail "make test exited with status $status:"
          show_log "$logs/make-test.log"
        fi
      fi
    fi
    make_seconds=$(seconds_since "$start")
  fi
  echo "tests passed: ${results[*]}; ninja test $test_seconds s, make $make_seconds s"

  # The Visual Studio 2022 files of the same description.
  cd "$source/qev-vc17" || return
  run_qev VC17 vc17
  vc17_files=0
  local file
  for file in *.sln *.vcxproj *.vcxproj.filters; do
    [ -f "$file" ] || continue
    vc17_files=$((vc17_files + 1))
    case $file in
      *.sln) ;;
      *) xmllint --noout "$file" 2>>"$logs/xmllint.log" ||
           fail "$file is not well-formed XML" ;;
    esac
  done
  ls ./*.sln >/dev/null 2>&1 || fail "qev -t VC17 wrote no solution"
  ls ./*.vcxproj >/dev/null 2>&1 || fail "qev -t VC17 wrote no project file"
  if [ -n "${VC17_CHECK:-}" ]; then
    "$VC17_CHECK" --sources . >"$logs/vc17_check.log" 2>&1 ||
      { fail "the strict reader refused the VC17 files:"; show_log "$logs/vc17_check.log"; }
  fi
  echo "VC17: $vc17_files files"
}

# The object directory of the first test program of the library's
# description, in its Debug configuration.
first_test_object_directory() {
  case $library in
    snappy) echo obj/snappy_unittest_Debug/ ;;
    leveldb) echo obj/c_test_Debug/ ;;
    cjson) echo obj/cJSON_test_Debug/ ;;
  esac
}

for library in "${libraries[@]}"; do
  case $library in
    snappy | leveldb | cjson) ;;
    *)
      echo "run.sh: unknown library \"$library\" (snappy, leveldb or cjson)" >&2
      exit 2
      ;;
  esac
done

for library in "${libraries[@]}"; do
  echo "== $library"
  library_start=$(now)
  run_library
  verdict=passed
  if [ $library_failed -ne 0 ]; then
    verdict=FAILED
    failed_libraries=$((failed_libraries + 1))
  else
    passed_libraries=$((passed_libraries + 1))
  fi
  total_seconds=$(seconds_since "$library_start")
  summary+=("$(printf '%-8s %-6s %6s s: ninja build %s s (%s steps), ninja test %s s, make %s s; tests passed: %s; VC17 %s files' \
    "$library" "$verdict" "$total_seconds" "$build_seconds" "$step_count" \
    "$test_seconds" "$make_seconds" "${results[*]:--}" "$vc17_files")")
done

echo
echo "== summary (logs in <source>/qev-ninja/logs)"
printf '%s\n' "${summary[@]}"
echo "real libraries: $passed_libraries passed, $failed_libraries failed"
[ $failed_libraries -eq 0 ]
