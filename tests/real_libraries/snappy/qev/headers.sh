#!/bin/sh
# Writes the two headers that snappy's CMake build configures, config.h and
# snappy-stubs-public.h, into gen/ of the current (build) directory, from the
# templates in the snappy source directory above this script. The answers are
# those CMake's checks give on Debian 12 (Linux, glibc, gcc or clang, a
# little-endian machine, zlib but no LZO or LZ4, no -mssse3 or -mbmi2).
#
# Run as every target's pre-build event: each target needs the headers before
# its first compile, and a target's event is the only step its compiles wait
# for. A header is replaced only when its content changes (so a second run
# rebuilds nothing), and through a rename (so a compile never reads half of
# one while another target's event writes it).
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p gen

# replace <file>: puts <file>.new.<pid> in place of <file> unless equal.
replace() {
  if cmp -s "$1.new.$$" "$1"; then
    rm -f "$1.new.$$"
  else
    mv -f "$1.new.$$" "$1"
  fi
}

# The features found: each "#cmakedefine NAME 1" of these becomes a #define,
# every other one a comment, and "#cmakedefine01 NAME" a 0 (SSSE3, BMI2).
found="HAVE_ATTRIBUTE_ALWAYS_INLINE HAVE_BUILTIN_CTZ HAVE_BUILTIN_EXPECT
HAVE_FUNC_MMAP HAVE_FUNC_SYSCONF HAVE_LIBZ HAVE_SYS_MMAN_H HAVE_SYS_RESOURCE_H
HAVE_SYS_TIME_H HAVE_SYS_UIO_H HAVE_UNISTD_H"
script=
for name in $found; do
  script="$script
s/^#cmakedefine $name 1\$/#define $name 1/"
done
sed -e "$script" \
    -e 's/^#cmakedefine \([A-Za-z0-9_]*\) 1$/\/* #undef \1 *\//' \
    -e 's/^#cmakedefine01 \([A-Za-z0-9_]*\)$/#define \1 0/' \
    "$source_dir/cmake/config.h.in" >gen/config.h.new.$$
replace gen/config.h

sed -e 's/\${HAVE_SYS_UIO_H_01}/1/' \
    -e 's/\${PROJECT_VERSION_MAJOR}/1/' \
    -e 's/\${PROJECT_VERSION_MINOR}/1/' \
    -e 's/\${PROJECT_VERSION_PATCH}/9/' \
    "$source_dir/snappy-stubs-public.h.in" >gen/snappy-stubs-public.h.new.$$
replace gen/snappy-stubs-public.h

# Anything left unanswered would silently compile as false: refuse it.
if grep -n 'cmakedefine\|\${' gen/config.h gen/snappy-stubs-public.h >&2; then
  echo "headers.sh: unanswered template lines above" >&2
  exit 1
fi
