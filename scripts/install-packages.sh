#!/usr/bin/env bash
# Installs those of the Debian packages named as arguments that the machine
# lacks, with apt-get (through sudo when not root). Another apt-get or dpkg
# holding the package lock is waited for, up to ten minutes.
set -euo pipefail

missing=()
for package in "$@"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
lock_wait=(-o DPkg::Lock::Timeout=600)
# The lists lock of apt-get update is not covered by the timeout everywhere:
# retry a while when the update fails.
for attempt in $(seq 1 60); do
  $sudo apt-get "${lock_wait[@]}" update -qq && break
  [ "$attempt" -eq 60 ] && exit 1
  echo "apt-get update failed (package lists locked?); retrying in 10 s"
  sleep 10
done
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock_wait[@]}" install -y -qq \
  --no-install-recommends "${missing[@]}" >/dev/null
