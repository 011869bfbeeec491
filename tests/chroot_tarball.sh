#!/usr/bin/env bash
# A Debian chroot as a tarball, made by mmdebstrap from the mirror that this
# machine's apt uses (tests/debian_mirror.sh) and kept in /var/cache/hostlix-ci
# (HOSTLIX_CHROOT_CACHE) between runs: every chroot that the tests and CI
# make comes from here. It is made anew when it is older than
# HOSTLIX_CHROOT_DAYS days (default 3), when its recipe (suite, variant,
# packages, options, mirror) changes, or when it cannot be read. Prints the
# tarball's path. Where the mirror cannot give the suite, it says why on
# standard error and ends with status 77.
#
# Usage: tests/chroot_tarball.sh SUITE VARIANT [PACKAGE,...] [MMDEBSTRAP_OPTION...]
#   (as root; for example --architectures=amd64,riscv64)
set -euo pipefail
suite=$1 variant=$2 include=${3:-}
shift $(($# < 3 ? $# : 3))
cache=${HOSTLIX_CHROOT_CACHE:-/var/cache/hostlix-ci}
mirror=$("$(dirname "$0")/debian_mirror.sh")
# A mirror may serve unstable's Release file after its Valid-Until date.
options=(--variant="$variant" --aptopt='Acquire::Check-Valid-Until "false"' "$@")
[ -z "$include" ] || options+=(--include="$include")
key=$(printf '%s\n' "$suite" "$mirror" "${options[@]}" | sha256sum | cut -c1-12)
tarball=$cache/$suite-$variant-$key.tar
mkdir -p "$cache"

if [ -s "$tarball" ] && [ -z "$(find "$tarball" -mmin +$((${HOSTLIX_CHROOT_DAYS:-3} * 1440)))" ] &&
   tar -tf "$tarball" ./etc/os-release >/dev/null 2>&1; then
  echo "$tarball"
  exit 0
fi
new=$cache/new-$suite-$variant-$key.tar
log=$cache/$suite-$variant.log
if ! mmdebstrap "${options[@]}" "$suite" "$new" "$mirror" >"$log" 2>&1; then
  rm -f "$new"
  echo "the mirror $mirror cannot give $suite:" "$(grep -E '^E: ' "$log" | head -1)" >&2
  exit 77
fi
mv "$new" "$tarball"
# What the cache held of this suite and variant before is out of date.
find "$cache" -maxdepth 1 -name "$suite-$variant-*.tar" ! -path "$tarball" -delete
echo "$tarball"
