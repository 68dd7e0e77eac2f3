#!/usr/bin/env bash
# Builds real programs with ninja from what `qev -t ninja` writes: the
# bundled example (with its imported description) and a C/C++/assembler
# tree with a static library chain and a shared library. Checks that the
# programs run, that nothing rebuilds without a change, that an edit rebuilds
# exactly what depends on it, that adding or removing a source regenerates
# the graph, that clangd accepts compile_commands.json and that it matches
# `ninja -t compdb`, and that ccache and distcc work as compiler launchers.
#
# usage: real_build_test.sh <qev> <repository root>
set -u

qev=$1
repo=$2

work=$(mktemp -d)
distccd_pid=
distccd_log=
cleanup() {
  [ -n "$distccd_pid" ] && kill "$distccd_pid" 2>/dev/null
  [ -n "$distccd_log" ] && rm -f "$distccd_log"
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
# The toolchain of every generation below, unless a step sets its own.
unset CC CXX AR QEV_LAUNCHER

fail() {
  echo "FAIL: $*"
  failed=1
}

# run_program <path> <expected output>
run_program() {
  local got
  if ! got=$("$1" 2>&1); then
    fail "$1 exited with status $?: $got"
  elif [ "$got" != "$2" ]; then
    fail "$1 printed:"$'\n'"$got"$'\n'"expected:"$'\n'"$2"
  fi
}

# build <log> [ninja arguments...]: runs ninja; fails the test on an error.
build() {
  local log=$1
  shift
  if ! ninja "$@" >"$log" 2>&1; then
    fail "ninja $* failed in $(pwd):"
    cat "$log"
    return 1
  fi
}

# steps <log>: the descriptions of the edges that ran, sorted.
steps() {
  sed -n 's/^\[[0-9]*\/[0-9]*\] //p' "$1" | sort
}

# expect_steps <what> <log> <expected step>...
expect_steps() {
  local what=$1 log=$2
  shift 2
  local want got
  want=$(printf '%s\n' "$@" | sort)
  got=$(steps "$log")
  [ "$got" = "$want" ] ||
    fail "$what ran:"$'\n'"$got"$'\n'"expected:"$'\n'"$want"
}

expect_no_work() {
  build "$work/noop.log" "$@" || return
  grep -qx 'ninja: no work to do.' "$work/noop.log" ||
    fail "a second ninja $* did work: $(cat "$work/noop.log")"
}

# --- The example, with its imported description, in both configurations --
cp -a "$repo/examples" "$work/examples"
cd "$work/examples/build" || exit 1
"$qev" -t ninja -v 3 -x ../demo.qev >"$work/qev.out" 2>&1 ||
  fail "qev failed: $(cat "$work/qev.out")"
build "$work/example.log"
# The imported library is built by this graph, not by a ninja of its own.
grep -q '^\[.*\] AR \.\./textutil/build/lib/Debug/libtextutil\.a$' \
  "$work/example.log" || fail "the imported target was not built in the graph"
expected_tail='core: %s
counter total: 7
rectangle 3x4 area: 12
upper: HELLO FROM QEV'
# shellcheck disable=SC2059
run_program bin/Debug/demo "qev demo: debug build
$(printf "$expected_tail" checked)"
# shellcheck disable=SC2059
run_program bin/Release/demo "qev demo: release build
$(printf "$expected_tail" fast)"
expect_no_work

# One edited source: its object and the program that links it.
touch ../src/app/main.cpp
build "$work/edit.log" Debug
expect_steps "an edit of main.cpp" "$work/edit.log" \
  "CXX obj/demo_Debug/__/src/app/main.cpp.o" "LINK bin/Debug/demo"
build "$work/rest.log"
# The library's source: the archive and the program that links it.
touch ../src/core/counter.cpp
build "$work/edit.log" Release
expect_steps "an edit of counter.cpp" "$work/edit.log" \
  "CXX obj/core_Release/__/src/core/counter.cpp.o" "AR lib/Release/libcore.a" \
  "LINK bin/Release/demo"
build "$work/rest.log"

# compile_commands.json: clangd reads it, and it says what ninja runs.
if command -v clangd >/dev/null; then
  if ! clangd --compile-commands-dir=. --check=../src/app/main.cpp \
    >"$work/clangd.log" 2>&1; then
    fail "clangd --check failed:"
    tail -n 20 "$work/clangd.log"
  fi
  grep -q 'Compile command from CDB is' "$work/clangd.log" ||
    fail "clangd did not use compile_commands.json: $(tail -n 20 "$work/clangd.log")"
else
  fail "clangd is not installed (scripts/setup.sh installs it)"
fi

# entries <compilation database>: one line per entry, its fields by name.
entries() {
  awk '/^  {$/ { d = c = f = o = "" }
       /^    "directory": / { d = $0 } /^    "command": / { c = $0 }
       /^    "file": / { f = $0 } /^    "output": / { o = $0 }
       /^  }/ { gsub(/^ +|,$/, "", d); gsub(/^ +|,$/, "", c)
                gsub(/^ +|,$/, "", f); gsub(/^ +|,$/, "", o)
                print o " " f " " d " " c }' "$1" | sort
}
ninja -t compdb >"$work/compdb.json"
entries compile_commands.json >"$work/ours"
[ "$(wc -l <"$work/ours")" -ge 5 ] ||
  fail "compile_commands.json has too few entries: $(cat compile_commands.json)"
grep -q '"output": "obj/demo_Debug/' "$work/ours" ||
  fail "compile_commands.json does not describe the Debug configuration"
entries "$work/compdb.json" | grep -F -f <(cut -d' ' -f1-2 "$work/ours") \
  >"$work/theirs"
if ! diff -u "$work/theirs" "$work/ours" >"$work/compdb.diff"; then
  fail "compile_commands.json differs from ninja -t compdb:"
  cat "$work/compdb.diff"
fi

# --- A mixed tree: headers, a static chain, a shared library, new files ---
cp -a "$repo/exporters/ninja/testdata/mix" "$work/mix"
mkdir -p "$work/mix/build"
cd "$work/mix/build" || exit 1
"$qev" -t ninja -v 3 -x ../mix.qev >"$work/mix-qev.out" 2>&1 ||
  fail "qev failed on mix.qev: $(cat "$work/mix-qev.out")"
for jobs in 2 1; do
  rm -rf bin lib obj .ninja_log .ninja_deps events.log
  build "$work/mix.log" -j"$jobs" || break
  # The events of app's Debug configuration, in their places.
  [ "$(cat events.log 2>/dev/null)" = $'pre-build\npre-link\npost-build' ] ||
    fail "the build events ran as: $(cat events.log 2>/dev/null)"
  run_program bin/Debug/app "mix: 321122"
  run_program bin/Release/app "mix: 321122"
  # Found through the run path, not the environment.
  LD_LIBRARY_PATH= run_program bin/Debug/app "mix: 321122"
done
expect_no_work

# A header included directly (low.c) and through another header (mid.cpp and
# top.cc through mid.h); main.cpp and the shared library include neither.
touch ../src/low/low.h
build "$work/header.log" Debug
expect_steps "an edit of low.h" "$work/header.log" \
  "CC obj/low_Debug/__/src/low/low.c.o" "CXX obj/mid_Debug/__/src/mid/mid.cpp.o" \
  "CXX obj/top_Debug/__/src/top/top.cc.o" "AR lib/Debug/low.a" \
  "AR lib/Debug/mid.a" "AR lib/Debug/top.a" "LINK bin/Debug/app"
build "$work/rest.log"
touch ../src/app/value.h
build "$work/header.log" Debug
expect_steps "an edit of value.h" "$work/header.log" \
  "CC obj/app_Debug/__/src/app/asm.S.o" "LINK bin/Debug/app"
build "$work/rest.log"

# A new source in a listed directory is picked up by the next ninja, and a
# deleted one leaves the graph.
cat >../src/app/two/extra.cpp <<'EOF'
int Extra() { return 5; }
EOF
build "$work/add.log" Debug
grep -q 'Regenerating build.ninja' "$work/add.log" ||
  fail "adding a source did not regenerate build.ninja: $(cat "$work/add.log")"
grep -q 'CXX obj/app_Debug/__/src/app/two/extra.cpp.o' "$work/add.log" ||
  fail "the added source was not compiled: $(cat "$work/add.log")"
expect_no_work Debug
rm ../src/app/two/extra.cpp
build "$work/remove.log" Debug
grep -q 'Regenerating build.ninja' "$work/remove.log" ||
  fail "removing a source did not regenerate build.ninja"
ninja -t targets all | grep -q extra && fail "the removed source is still in the graph"
run_program bin/Debug/app "mix: 321122"
expect_no_work Debug

# --- ccache as the launcher: a clean rebuild comes from the cache ---------
if command -v ccache >/dev/null; then
  cp -a "$repo/exporters/ninja/testdata/mix" "$work/cached"
  mkdir -p "$work/cached/build"
  cd "$work/cached/build" || exit 1
  export CCACHE_DIR="$work/ccache-dir"
  QEV_LAUNCHER=ccache "$qev" -t ninja -v 0 -x ../mix.qev ||
    fail "qev failed with QEV_LAUNCHER=ccache"
  grep -q '^launcher = ccache$' build.ninja || fail "the launcher was not recorded"
  build "$work/cached.log" Debug
  ccache -z >/dev/null
  ninja -t clean >/dev/null
  build "$work/cached.log" Debug
  hits=$(ccache --print-stats | awk -F'\t' '$1 ~ /_cache_hit$/ { s += $2 } END { print s + 0 }')
  misses=$(ccache --print-stats | awk -F'\t' '$1 == "cache_miss" { print $2 }')
  [ "$hits" -ge 9 ] && [ "${misses:-1}" = 0 ] ||
    fail "the clean rebuild was not served from ccache (hits $hits, misses $misses)"
  run_program bin/Debug/app "mix: 321122"
  # Regeneration keeps the launcher, whatever the environment says now.
  touch ../mix.qev
  build "$work/cached.log" Debug
  grep -q '^launcher = ccache$' build.ninja || fail "regeneration lost the launcher"
  unset CCACHE_DIR
else
  echo "SKIP: ccache is not installed: cannot test it as the launcher"
fi

# --- distcc as the launcher, to a distccd on 127.0.0.1 only ---------------
if command -v distcc >/dev/null && command -v distccd >/dev/null; then
  # Outside the private scratch directory: the daemon drops to nobody when
  # started as root.
  distccd_log=$(mktemp /tmp/qev-distccd.XXXXXX)
  log=$distccd_log
  chmod 666 "$log"
  user_option=()
  [ "$(id -u)" = 0 ] && user_option=(--user nobody)
  # A free port: the first of a few on which the daemon comes up.
  port=
  for candidate in $(( 20000 + $$ % 20000 )) $(( 21000 + $$ % 9000 )) \
    $(( 30000 + $$ % 9000 )) $(( 40000 + $$ % 9000 )); do
    distccd --daemon --no-detach --listen 127.0.0.1 --allow 127.0.0.1 \
      --port "$candidate" --jobs 8 --log-file "$log" --log-level info \
      "${user_option[@]}" &
    distccd_pid=$!
    for _ in $(seq 50); do
      if (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
        port=$candidate
        break
      fi
      kill -0 "$distccd_pid" 2>/dev/null || break
      sleep 0.1
    done
    [ -n "$port" ] && break
    kill "$distccd_pid" 2>/dev/null
    wait "$distccd_pid" 2>/dev/null
    distccd_pid=
  done
  [ -n "$port" ] || fail "distccd did not start: $(tail -n 5 "$log")"
  cp -a "$repo/exporters/ninja/testdata/mix" "$work/distributed"
  mkdir -p "$work/distributed/build"
  cd "$work/distributed/build" || exit 1
  mkdir -p "$work/distcc"
  QEV_LAUNCHER=distcc "$qev" -t ninja -v 0 -x ../mix.qev ||
    fail "qev failed with QEV_LAUNCHER=distcc"
  # No local fallback: a job that does not reach the server fails.
  DISTCC_HOSTS="127.0.0.1:$port/8" DISTCC_FALLBACK=0 DISTCC_DIR="$work/distcc" \
    build "$work/distributed.log" -j8
  # The assembler file carries no C code; distcc may compile it remotely or
  # refuse it as not distributable, both fine.
  compiles=$(grep -c 'COMPILE_OK' "$log")
  [ "$compiles" -ge 16 ] ||
    fail "distccd compiled $compiles jobs, expected at least 16: $(tail -n 20 "$log")"
  run_program bin/Debug/app "mix: 321122"
  run_program bin/Release/app "mix: 321122"
else
  echo "SKIP: distcc is not installed: cannot test distributed compiles"
fi

[ "$failed" = 0 ] && echo "ninja builds, rebuilds and regenerates correctly"
exit "$failed"
