#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a temporary
# root and checks what it installs: both programs run and print the project's
# version, the manual pages format without warnings, the platform
# definitions and the example are there, and the installed qev writes the
# installed example's makefiles.
# Usage: deb_install.sh <build dir> <version>
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/pkg" --config CPackConfig.cmake) \
  >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
shopt -s nullglob
packages=("$work"/pkg/qev_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "want one package, got: ${packages[*]}"; exit 1; }
deb=${packages[0]}
dpkg-deb --field "$deb" Package Version Depends

root="$work/root"
dpkg -x "$deb" "$root"
failed=0
check() {  # check <what> <command...>: the command must succeed
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what"
    failed=1
  fi
}

check "qev --version" test "$("$root/usr/bin/qev" --version)" = "qev $version"
check "bytewrap --version" \
  test "$("$root/usr/bin/bytewrap" --version)" = "bytewrap $version"
check "qev --help" "$root/usr/bin/qev" --help >/dev/null
check "bytewrap --help" "$root/usr/bin/bytewrap" --help >/dev/null

for page in qev bytewrap; do
  file="$root/usr/share/man/man1/$page.1"
  check "$page.1 installed" test -f "$file"
  MANWIDTH=80 man --warnings -l "$file" >"$work/$page.txt" 2>"$work/$page.err"
  check "man -l $page.1 without warnings" test ! -s "$work/$page.err"
  cat "$work/$page.err"
  check "$page.1 has its name section" grep -q "^NAME" "$work/$page.txt"
done

for file in Makedefs.LINUX.mk Makedefs.OSX.mk example/demo.qev \
            example/build/Makedefs.LINUX.mk example/textutil/textutil.qev \
            example/src/core/counter.cpp \
            example/public-settings/public-settings.qev \
            example/public-settings/src/fixed/include/fixed/fixed.h; do
  check "share/qev/$file installed" test -f "$root/usr/share/qev/$file"
done

cp -r "$root/usr/share/qev/example" "$work/example"
(cd "$work/example/build" &&
  "$root/usr/bin/qev" -t make -v 0 -x ../demo.qev >"$work/qev.out" 2>&1)
check "installed qev writes the example's makefiles" \
  test -f "$work/example/build/demo.Makefile"
[ $failed -eq 0 ] && echo "package $(basename "$deb") checked"
exit $failed
