#!/usr/bin/env bash
# Builds real programs from the makefiles that qev writes: the bundled
# example (serial make, both configurations, then make clean; and the same
# description through the Xcode exporter), and a project whose targets depend
# only on each other, with a parallel make.
#
# usage: example_build_test.sh <qev> <repository root>
set -u

qev=$1
repo=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

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

# no_build_products <directory>...: nothing that a compile, archive or link
# makes is left.
no_build_products() {
  local left
  left=$(find "$@" -type f \( -name '*.o' -o -name '*.a' -o -name '*.so' \
    -o -perm -u+x \) -print)
  [ -z "$left" ] || fail "left after make clean:"$'\n'"$left"
}

# The example, as the README runs it.
cp -a "$repo/examples" "$work/examples"
cd "$work/examples/build" || exit 1
"$qev" -t make -v 3 -x ../demo.qev >"$work/qev.out" 2>&1 ||
  fail "qev failed: $(cat "$work/qev.out")"
if ! make all >"$work/make.out" 2>&1; then
  fail "make all failed:"
  cat "$work/make.out"
fi
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

# The platform definitions track headers: a second make compiles nothing,
# and an edited header recompiles exactly the objects that include it.
make all >"$work/again.out" 2>&1 || fail "second make all failed"
if grep -q '^compiling' "$work/again.out"; then
  fail "a second make all compiled again:"$'\n'"$(cat "$work/again.out")"
fi
sleep 1
touch ../src/shape/shape.h
make all >"$work/header.out" 2>&1 || fail "make all after a header edit failed"
compiled=$(grep '^compiling' "$work/header.out" | sed 's/\.\.\.$//' | sort |
  tr '\n' ';')
[ "$compiled" = "compiling Debug ../src/app/main.cpp;compiling Debug ../src/shape/shape.c;compiling Release ../src/app/main.cpp;compiling Release ../src/shape/shape.c;" ] ||
  fail "an edit of shape.h compiled: $compiled"

if ! make clean >"$work/clean.out" 2>&1; then
  fail "make clean failed:"
  cat "$work/clean.out"
fi
no_build_products "$work/examples/build" "$work/examples/textutil/build"
[ -z "$(find obj ../textutil/build/obj -mindepth 1 -print)" ] ||
  fail "object directories left: $(find obj ../textutil/build/obj -mindepth 1)"

# The same description serves the Xcode exporter.
cp -a "$repo/examples" "$work/xcode"
(cd "$work/xcode/build" && "$qev" -t xcode -v 3 -x ../demo.qev) \
  >"$work/xcode.out" 2>&1 || fail "qev -t xcode failed: $(cat "$work/xcode.out")"
for bundle in build/demo.xcodeproj textutil/build/textutil.xcodeproj; do
  [ -f "$work/xcode/$bundle/project.pbxproj" ] || fail "no $bundle written"
done

# Targets listed before what they depend on; only the edges of the
# generated rules keep a parallel build in order. Build it a few times.
cp -a "$repo/exporters/make/testdata/chain" "$work/chain"
mkdir -p "$work/chain/build"
cp "$repo"/examples/build/Makedefs.*.mk "$work/chain/build/"
cd "$work/chain/build" || exit 1
"$qev" -t make -v 3 -x ../chain.qev >"$work/chain-qev.out" 2>&1 ||
  fail "qev failed on chain.qev: $(cat "$work/chain-qev.out")"
for round in 1 2 3; do
  if ! make -j2 all >"$work/chain-make.out" 2>&1; then
    fail "make -j2 all failed (round $round):"
    cat "$work/chain-make.out"
    break
  fi
  run_program bin/Debug/tool "chain: 42"
  run_program bin/Release/tool "chain: 42"
  make -j2 clean >/dev/null 2>&1 || fail "make -j2 clean failed"
  no_build_products "$work/chain/build"
done

# A program listed before the library it needs, with unrelated targets
# between them: the include order leaves that edge to the end of the project
# makefile. Build it from scratch, serially and in parallel.
cp -a "$repo/exporters/make/testdata/scattered" "$work/scattered"
mkdir -p "$work/scattered/build"
cp "$repo"/examples/build/Makedefs.*.mk "$work/scattered/build/"
cd "$work/scattered/build" || exit 1
"$qev" -t make -v 3 -x ../scattered.qev >"$work/scattered-qev.out" 2>&1 ||
  fail "qev failed on scattered.qev: $(cat "$work/scattered-qev.out")"
for jobs in 1 2 1 2; do
  if ! make -j"$jobs" all >"$work/scattered-make.out" 2>&1; then
    fail "make -j$jobs all failed:"
    cat "$work/scattered-make.out"
    break
  fi
  run_program bin/Debug/app "scattered: 42"
  run_program bin/Release/app "scattered: 42"
  make clean >/dev/null 2>&1 || fail "make clean failed"
  no_build_products "$work/scattered/build"
done

# Files that are not sources, a source make cannot compile, and a file that
# two patterns and two groups match: only the C++ and C sources are
# compiled, each once, and qev warns about the .cc file.
cp -a "$repo/exporters/make/testdata/mixed" "$work/mixed"
mkdir -p "$work/mixed/build"
cp "$repo"/examples/build/Makedefs.*.mk "$work/mixed/build/"
cd "$work/mixed/build" || exit 1
"$qev" -t make -v 3 -x ../mixed.qev >"$work/mixed-qev.out" \
  2>"$work/mixed-qev.err" ||
  fail "qev failed on mixed.qev: $(cat "$work/mixed-qev.out")"
grep -q 'legacy.cc" is not built' "$work/mixed-qev.err" ||
  fail "no warning about legacy.cc: $(cat "$work/mixed-qev.err")"
if ! make -j2 all >"$work/mixed-make.out" 2>&1; then
  fail "make all failed on mixed.qev:"
  cat "$work/mixed-make.out"
fi
run_program bin/Debug/app "mixed: hello"
run_program bin/Release/app "mixed: hello"

[ "$failed" = 0 ] && echo "example builds and runs"
exit "$failed"
