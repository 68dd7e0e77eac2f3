#!/usr/bin/env bash
# Fetches and unpacks the Debian source package of a library, with Debian's
# patches (security fixes included) applied, without touching the machine's
# apt configuration: scripts/fetch-debian-source.sh <package> <directory>.
# The unpacked source ends up in <directory>/<package>; a second run with the
# same directory reuses it. Needs dpkg-dev (dpkg-source).
set -euo pipefail

package=$1
dest=$2
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
if [ -f "$dest/$package/.fetched" ]; then
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/parts" "$work/lists/partial" "$work/download"
# The binary package sources of this machine, turned into source lists.
sources=()
for file in /etc/apt/sources.list.d/*.sources; do
  [ -f "$file" ] && sources+=("$file")
done
if [ ${#sources[@]} -gt 0 ]; then
  sed 's/^Types: deb$/Types: deb-src/' "${sources[@]}" \
    >"$work/parts/debian-src.sources"
fi
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/parts/debian-src.list"
fi
apt_private=(-o Dir::Etc::SourceParts="$work/parts"
             -o Dir::Etc::SourceList=/dev/null
             -o Dir::State::Lists="$work/lists")
# apt's download user cannot write into a private temporary directory.
[ "$(id -u)" -eq 0 ] && apt_private+=(-o APT::Sandbox::User=root)
apt-get -qq "${apt_private[@]}" update
(cd "$work/download" &&
  apt-get -qq "${apt_private[@]}" source --download-only "$package")
dsc=$(ls "$work/download"/*.dsc)
rm -rf "${dest:?}/$package"
# apt checked the .dsc against the signed Sources index and dpkg-source checks
# the tarballs against the .dsc; its note on the .dsc's own signature (no
# Debian keyring installed) is only noise.
if ! dpkg-source -x "$dsc" "$dest/$package" >"$work/unpack.log" 2>&1; then
  cat "$work/unpack.log" >&2
  exit 1
fi
basename "$dsc" >"$dest/$package/.fetched"
