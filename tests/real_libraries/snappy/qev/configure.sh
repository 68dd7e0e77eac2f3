#!/bin/sh
# Writes one of the two headers that snappy's CMake build configures, from
# its template: configure.sh <template> <header>, where <template> is
# cmake/config.h.in or snappy-stubs-public.h.in. The answers are those
# CMake's checks give on Debian 12 (Linux, glibc, gcc or clang, a
# little-endian machine, zlib but no LZO or LZ4, no -mssse3 or -mbmi2), or,
# under the sh of Git for Windows or MSYS2, with Visual Studio 2022 on x64
# (windows.h, no zlib). snappy.qev runs it as a generate step per header.
set -e
template=$1
header=$2

case $(uname -s) in
  MINGW* | MSYS* | CYGWIN* | Windows_NT)
    found="HAVE_WINDOWS_H"
    uio=0
    ;;
  *)
    found="HAVE_ATTRIBUTE_ALWAYS_INLINE HAVE_BUILTIN_CTZ HAVE_BUILTIN_EXPECT
HAVE_FUNC_MMAP HAVE_FUNC_SYSCONF HAVE_LIBZ HAVE_SYS_MMAN_H HAVE_SYS_RESOURCE_H
HAVE_SYS_TIME_H HAVE_SYS_UIO_H HAVE_UNISTD_H"
    uio=1
    ;;
esac

# Each "#cmakedefine NAME 1" of the features found becomes a #define, every
# other one a comment, and "#cmakedefine01 NAME" a 0 (SSSE3, BMI2); the
# version and <sys/uio.h> take their values.
script=
for name in $found; do
  script="$script
s/^#cmakedefine $name 1\$/#define $name 1/"
done
mkdir -p "$(dirname "$header")"
# Through a rename: a compile never reads half a header.
sed -e "$script" \
    -e 's/^#cmakedefine \([A-Za-z0-9_]*\) 1$/\/* #undef \1 *\//' \
    -e 's/^#cmakedefine01 \([A-Za-z0-9_]*\)$/#define \1 0/' \
    -e "s/\${HAVE_SYS_UIO_H_01}/$uio/" \
    -e 's/\${PROJECT_VERSION_MAJOR}/1/' \
    -e 's/\${PROJECT_VERSION_MINOR}/1/' \
    -e 's/\${PROJECT_VERSION_PATCH}/9/' \
    "$template" >"$header.new.$$"

# Anything left unanswered would silently compile as false: refuse it.
if grep -n 'cmakedefine\|\${' "$header.new.$$" >&2; then
  rm -f "$header.new.$$"
  echo "configure.sh: unanswered template lines above in $header" >&2
  exit 1
fi
mv -f "$header.new.$$" "$header"
