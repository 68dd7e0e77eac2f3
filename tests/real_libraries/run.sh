#!/usr/bin/env bash
# Builds real libraries from Debian's sources with what `qev -t ninja` writes
# from the descriptions beside this script, runs their own test programs in
# both configurations, and checks that `qev -t VC17` writes well-formed
# project files from the same descriptions.
#
# usage: run.sh <qev> <source root> [library...]
#   library: snappy, leveldb or cjson (default: all three)
#
# Each library's Debian source package is fetched into <source root>/<name>
# once (scripts/fetch-debian-source.sh) and reused by later runs. The
# description and the files beside it are copied into the top of the source
# tree, and qev-ninja/ and qev-vc17/ below it are made anew. With
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

# --- Test programs -----------------------------------------------------------

tests_passed=0
tests_failed=0
logs=

# run_test <directory> <program> [arguments...]: runs a test program of the
# current configuration in <directory>; it passes when it exits with 0.
run_test() {
  local directory=$1 program=$2
  shift 2
  local name log status
  name=$(basename "$program")
  log="$logs/$configuration-$name.log"
  if [ ! -x "$program" ]; then
    fail "$configuration: $program was not built"
    tests_failed=$((tests_failed + 1))
    return
  fi
  (cd "$directory" && timeout 900 "$program" "$@") >"$log" 2>&1
  status=$?
  if [ $status -eq 0 ]; then
    tests_passed=$((tests_passed + 1))
  else
    tests_failed=$((tests_failed + 1))
    fail "$configuration: $name $* exited with status $status:"
    show_log "$log"
  fi
}

# tests_<library> <source> <build>: runs the library's test programs of
# $configuration, as its own build runs them (and the tools it builds, once,
# on small inputs).
tests_snappy() {
  local bin=$2/bin/$configuration
  # Reads testdata/ from the directory it runs in, as under CMake.
  run_test "$1" "$bin/snappy_unittest"
  run_test "$1" "$bin/snappy_test_tool" testdata/alice29.txt
  run_test "$1" "$bin/snappy_benchmark" '--benchmark_filter=BM_UFlat/0$' \
    --benchmark_min_time=0.01
}

tests_leveldb() {
  local bin=$2/bin/$configuration test
  local scratch
  scratch=$(mktemp -d)
  # The tests' databases, and GoogleTest's TempDir().
  export TEST_TMPDIR=$scratch
  for test in c_test fault_injection_test issue178_test issue200_test \
    issue320_test env_test status_test no_destructor_test autocompact_test \
    corruption_test db_test dbformat_test filename_test log_test \
    recovery_test skiplist_test version_edit_test version_set_test \
    write_batch_test memenv_test filter_block_test table_test arena_test \
    bloom_test cache_test coding_test crc32c_test hash_test logging_test \
    env_posix_test; do
    if [ $test = db_test ]; then
      # DBTest.HiddenValuesAreRemoved is left out: it depends on when a
      # background compaction runs, and fails on a busy 2-core machine in
      # leveldb's own CMake build too (4 and 6 runs out of 10, with and
      # without snappy).
      run_test "$2" "$bin/$test" --gtest_filter=-DBTest.HiddenValuesAreRemoved
    else
      run_test "$2" "$bin/$test"
    fi
  done
  run_test "$2" "$bin/db_bench" --benchmarks=fillseq,readrandom --num=2000 \
    --db="$scratch/bench"
  # The write-ahead log db_bench left behind, printed.
  local wal
  for wal in "$scratch"/bench/*.log; do break; done
  run_test "$2" "$bin/leveldbutil" dump "$wal"
  unset TEST_TMPDIR
  rm -rf "$scratch"
}

tests_cjson() {
  local bin=$2/bin/$configuration test input
  run_test "$1/tests" "$bin/cJSON_test"
  # They read inputs/ and json-patch-tests/ from the directory they run in,
  # as under CMake (which copies both next to them).
  for test in parse_examples parse_number parse_hex4 parse_string \
    parse_array parse_object parse_value print_string print_number \
    print_array print_object print_value misc_tests parse_with_opts \
    compare_tests cjson_add readme_examples minify_tests json_patch_tests \
    old_utils_tests misc_utils_tests; do
    run_test "$1/tests" "$bin/$test"
  done
  for input in "$1"/fuzzing/inputs/*; do
    run_test "$1/fuzzing" "$bin/fuzz_main" "$input"
  done
}

# --- One library -------------------------------------------------------------

# What run_library found, for the summary.
build_seconds=- step_count=- test_seconds=- vc17_files=- results=()

run_library() {
  local package=$library description=$library.qev
  local source=$root/$package start
  library_failed=0
  build_seconds=- step_count=- test_seconds=- vc17_files=- results=()

  if ! "$repo/scripts/fetch-debian-source.sh" "$package" "$root"; then
    fail "the Debian source package $package could not be fetched"
    return
  fi
  echo "source: $(cat "$source/.fetched") in $source"
  cp -r "$here/$library/." "$source/"
  rm -rf "$source/qev-ninja" "$source/qev-vc17"
  # Both before qev runs: a new entry in a FILES directory reruns qev.
  mkdir -p "$source/qev-ninja/logs" "$source/qev-vc17"
  logs=$source/qev-ninja/logs

  # The ninja build, from nothing.
  local build=$source/qev-ninja
  cd "$build" || return
  if ! "$qev" -t ninja -v 3 -x "../$description" >"$logs/qev.out" \
    2>"$logs/qev.err"; then
    fail "qev -t ninja failed:"
    show_log "$logs/qev.err"
    return
  fi
  # The descriptions are meant to be read without a warning.
  if [ -s "$logs/qev.err" ]; then
    fail "qev -t ninja printed on standard error:"
    show_log "$logs/qev.err"
  fi
  [ -f compile_commands.json ] || fail "qev wrote no compile_commands.json"
  start=$(now)
  if ! ninja -j2 >"$logs/ninja.log" 2>&1; then
    fail "ninja failed:"
    show_log "$logs/ninja.log"
    return
  fi
  build_seconds=$(seconds_since "$start")
  step_count=$(grep -c '^\[[0-9]*/[0-9]*\] ' "$logs/ninja.log")
  echo "built: $step_count steps in $build_seconds s"
  # Nothing is left to do: no event rewrites what a compile reads, and no
  # build output lands in a directory that qev lists.
  ninja -j2 >"$logs/noop.log" 2>&1
  grep -qx 'ninja: no work to do.' "$logs/noop.log" ||
    { fail "a second ninja did work:"; show_log "$logs/noop.log"; }

  # The test programs, in each configuration.
  start=$(now)
  for configuration in "${configurations[@]}"; do
    tests_passed=0
    tests_failed=0
    "tests_$library" "$source" "$build"
    results+=("$configuration $tests_passed/$((tests_passed + tests_failed))")
  done
  test_seconds=$(seconds_since "$start")
  echo "test runs passed: ${results[*]} in $test_seconds s"

  # The Visual Studio 2022 files of the same description.
  cd "$source/qev-vc17" || return
  if ! "$qev" -t VC17 -v 3 -x "../$description" >"$logs/vc17.out" \
    2>"$logs/vc17.err"; then
    fail "qev -t VC17 failed:"
    show_log "$logs/vc17.err"
  elif [ -s "$logs/vc17.err" ]; then
    fail "qev -t VC17 printed on standard error:"
    show_log "$logs/vc17.err"
  fi
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
  summary+=("$(printf '%-8s %-6s %6s s: build %s s (%s steps), test runs %s passed in %s s, VC17 %s files' \
    "$library" "$verdict" "$total_seconds" "$build_seconds" "$step_count" \
    "${results[*]:--}" "$test_seconds" "$vc17_files")")
done

echo
echo "== summary (logs in <source>/qev-ninja/logs)"
printf '%s\n' "${summary[@]}"
echo "real libraries: $passed_libraries passed, $failed_libraries failed"
[ $failed_libraries -eq 0 ]
