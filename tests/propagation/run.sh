#!/usr/bin/env bash
# Settings that libraries pass on, proved by real builds of
# examples/public-settings: a static library (fixed) whose include
# directory, FIXED_ONE and C++20 are public, a second one (geometry) that
# depends on it publicly, a program (app) and a test program that name only
# geometry and include fixed's header. Built with what `qev -t ninja` and
# `qev -t make` write, the programs are run and the tests pass; the VC17
# files pass the strict reader and carry the mapped elements.
#
# usage: run.sh <qev> <repository root> <vc17_check>
set -u

absolute() {
  case $1 in
    /*) echo "$1" ;;
    *) echo "$PWD/$1" ;;
  esac
}
qev=$(absolute "$1")
repo=$(absolute "$2")
vc17_check=$(absolute "$3")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
unset CC CXX AR QEV_LAUNCHER

fail() {
  echo "FAIL: $*"
  failed=1
}

# fresh <name>: a copy of the example with an empty build directory; prints
# the build directory.
fresh() {
  cp -a "$repo/examples/public-settings" "$work/$1" || exit 1
  mkdir -p "$work/$1/build"
  echo "$work/$1/build"
}

# generate <tool>: runs qev in the current directory; it must warn about
# nothing.
generate() {
  "$qev" -t "$1" -v 3 -x ../public-settings.qev >"$work/qev-$1.out" \
    2>"$work/qev-$1.err" ||
    fail "qev -t $1 failed: $(cat "$work/qev-$1.out" "$work/qev-$1.err")"
  if [ -s "$work/qev-$1.err" ]; then
    fail "qev -t $1 reported:"$'\n'"$(cat "$work/qev-$1.err")"
  fi
}

# run_app <path> <debug|release>
run_app() {
  local got
  if ! got=$("$1" 2>&1); then
    fail "$1 exited with status $?: $got"
    return
  fi
  local expected="geometry demo ($2 build)
one unit is 1000 steps
area: 3.375
perimeter: 7.500"
  [ "$got" = "$expected" ] ||
    fail "$1 printed:"$'\n'"$got"$'\n'"expected:"$'\n'"$expected"
}

# expect_tests <log>: both configurations' test passed, none failed.
expect_tests() {
  for configuration in Debug Release; do
    grep -q "^PASS geometry_test ($configuration)" "$1" ||
      fail "geometry_test ($configuration) did not pass:"$'\n'"$(cat "$1")"
  done
  if grep -q '^FAIL' "$1"; then
    fail "a test failed:"$'\n'"$(cat "$1")"
  fi
}

# --- ninja -----------------------------------------------------------------
build=$(fresh ninja)
cd "$build" || exit 1
generate ninja
if ! ninja >"$work/ninja.out" 2>&1; then
  fail "ninja failed:"$'\n'"$(cat "$work/ninja.out")"
fi
run_app bin/Debug/app debug
run_app bin/Release/app release
ninja test >"$work/ninja-test.out" 2>&1 ||
  fail "ninja test failed:"$'\n'"$(cat "$work/ninja-test.out")"
expect_tests "$work/ninja-test.out"
# The program's compile gets what fixed passes on through geometry, and
# nothing fixed keeps to itself.
main=$(grep '"command".*src/app/main.cpp' compile_commands.json)
for word in -DFIXED_ONE=1000 -I../src/fixed/include -I../src/geometry/include \
            -std=c++20 -O0 -g -Wall -Werror; do
  case " ${main//\"/ } " in
    *" $word "*) ;;
    *) fail "the program's compile lacks $word: $main" ;;
  esac
done
case $main in
  *FIXED_BUILDING*) fail "fixed's private define reached the program: $main" ;;
esac
# Release links the C++ runtime statically (RUNTIME static).
grep -q -- '-static-libstdc++' build.ninja ||
  fail "RUNTIME static is not in build.ninja"

# Without OUTDIR each configuration's outputs go to a directory named after
# it, beside build.ninja, so that the two do not overwrite each other.
build=$(fresh ninja-no-outdir)
sed -i '/<OUTDIR>/d' "$build/../public-settings.qev"
cd "$build" || exit 1
generate ninja
if ! ninja >"$work/ninja2.out" 2>&1; then
  fail "ninja without OUTDIR failed:"$'\n'"$(cat "$work/ninja2.out")"
fi
run_app Debug/app debug
run_app Release/app release
for library in Debug/libfixed.a Release/libfixed.a Debug/libgeometry.a \
               Release/libgeometry.a; do
  [ -f "$library" ] || fail "no $library without OUTDIR"
done

# --- make ------------------------------------------------------------------
build=$(fresh make)
cd "$build" || exit 1
cp "$repo/examples/build/Makedefs.LINUX.mk" .
generate make
if ! make -j2 all >"$work/make.out" 2>&1; then
  fail "make all failed:"$'\n'"$(cat "$work/make.out")"
fi
run_app bin/Debug/app debug
run_app bin/Release/app release
make test >"$work/make-test.out" 2>&1 ||
  fail "make test failed:"$'\n'"$(cat "$work/make-test.out")"
expect_tests "$work/make-test.out"
# An edit of geometry's public header recompiles what includes it, found
# through the include directory geometry passes on, and nothing else.
sleep 1
touch ../src/geometry/include/geometry/geometry.h
make all >"$work/make-again.out" 2>&1 ||
  fail "make all after a header edit failed"
compiled=$(grep '^compiling' "$work/make-again.out" | sed 's/\.\.\.$//' |
  sort | tr '\n' ';')
expected="compiling Debug ../src/app/main.cpp;compiling Debug ../src/geometry/geometry.cpp;compiling Debug ../src/tests/geometry_test.cpp;compiling Release ../src/app/main.cpp;compiling Release ../src/geometry/geometry.cpp;compiling Release ../src/tests/geometry_test.cpp;"
[ "$compiled" = "$expected" ] ||
  fail "an edit of geometry.h compiled: $compiled"

# --- VC17 ------------------------------------------------------------------
build=$(fresh vc17)
cd "$build" || exit 1
generate VC17
for file in *.vcxproj *.vcxproj.filters; do
  xmllint --noout "$file" || fail "not well-formed: $file"
done
"$vc17_check" --sources "$work/vc17" >"$work/vc17.out" 2>&1 ||
  fail "the VC17 reader found problems:"$'\n'"$(cat "$work/vc17.out")"

# value <project> <configuration> <tool element> <element>: the text of one
# setting of the configuration's ItemDefinitionGroup.
value() {
  xmllint --xpath "string(//*[local-name()='ItemDefinitionGroup'][contains(@Condition,\"=='$2|x64'\")]/*[local-name()='$3']/*[local-name()='$4'])" "$1"
}
# property <project> <configuration> <element>: a configuration property.
property() {
  xmllint --xpath "string(//*[local-name()='PropertyGroup'][contains(@Condition,\"=='$2|x64'\")]/*[local-name()='$3'])" "$1"
}
# expect <what> <got> <expected>
expect() {
  [ "$2" = "$3" ] || fail "$1: \"$2\", expected \"$3\""
}

for configuration in Debug Release; do
  defines=FIXED_ONE=1000
  [ $configuration = Release ] && defines="NDEBUG;$defines"
  expect "app $configuration defines" \
    "$(value app.vcxproj $configuration ClCompile PreprocessorDefinitions)" \
    "$defines;%(PreprocessorDefinitions)"
  expect "app $configuration include directories" \
    "$(value app.vcxproj $configuration ClCompile AdditionalIncludeDirectories)" \
    '..\src\geometry\include;..\src\fixed\include;%(AdditionalIncludeDirectories)'
  expect "app $configuration standard" \
    "$(value app.vcxproj $configuration ClCompile LanguageStandard)" stdcpp20
  expect "app $configuration warnings" \
    "$(value app.vcxproj $configuration ClCompile WarningLevel)" Level4
  expect "app $configuration warnings as errors" \
    "$(value app.vcxproj $configuration ClCompile TreatWarningAsError)" true
  expect "app $configuration output directory" \
    "$(property app.vcxproj $configuration OutDir)" "bin\\$configuration\\"
  expect "geometry_test $configuration defines" \
    "$(value geometry_test.vcxproj $configuration ClCompile PreprocessorDefinitions)" \
    "$defines;%(PreprocessorDefinitions)"
  own="FIXED_ONE=1000;FIXED_BUILDING"
  [ $configuration = Release ] && own="$own;NDEBUG"
  expect "fixed $configuration defines" \
    "$(value fixed.vcxproj $configuration ClCompile PreprocessorDefinitions)" \
    "$own;%(PreprocessorDefinitions)"
done
expect "app Debug optimisation" \
  "$(value app.vcxproj Debug ClCompile Optimization)" Disabled
expect "app Debug debug information" \
  "$(value app.vcxproj Debug ClCompile DebugInformationFormat)" ProgramDatabase
expect "app Debug linker debug information" \
  "$(value app.vcxproj Debug Link GenerateDebugInformation)" true
expect "app Debug debug libraries" \
  "$(property app.vcxproj Debug UseDebugLibraries)" true
expect "app Release optimisation" \
  "$(value app.vcxproj Release ClCompile Optimization)" MaxSpeed
expect "app Release debug information" \
  "$(value app.vcxproj Release ClCompile DebugInformationFormat)" None
expect "app Release linker debug information" \
  "$(value app.vcxproj Release Link GenerateDebugInformation)" false
expect "app Release runtime" \
  "$(value app.vcxproj Release ClCompile RuntimeLibrary)" MultiThreaded
expect "fixed Debug type" \
  "$(xmllint --xpath "string(//*[local-name()='PropertyGroup'][@Label='Configuration'][contains(@Condition,\"=='Debug|x64'\")]/*[local-name()='ConfigurationType'])" fixed.vcxproj)" \
  StaticLibrary
expect "app's references" \
  "$(xmllint --xpath "string(//*[local-name()='ProjectReference']/@Include)" app.vcxproj)" \
  geometry.vcxproj
expect "geometry's references" \
  "$(xmllint --xpath "string(//*[local-name()='ProjectReference']/@Include)" geometry.vcxproj)" \
  fixed.vcxproj

[ "$failed" = 0 ] && echo "public settings reach the program with ninja, make and VC17"
exit "$failed"
