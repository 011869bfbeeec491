#!/usr/bin/env bash
# The README's Quick start, its two commands run as they stand, as root in a
# fresh Debian 12 minbase chroot made with mmdebstrap from Debian's mirror,
# where every test case must run (HOSTLIX_REQUIRE_ALL_TESTS).
#
#   tests/quick_start_test.sh [WORK_FOLDER]   (as root; default build/quick-start)
#
# mmdebstrap leaves /etc/hosts out of the chroot; a Debian system has one
# from its installer, and without it no program can look up localhost, so
# the chroot gets the installer's two loopback lines.
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/checks.sh
work=$(realpath -m "${1:-build/quick-start}")

mapfile -t commands < <(sed -n '/^## Quick start/,/^## /s/^    //p' README.md)
if [ "${#commands[@]}" -ne 2 ]; then
  echo "FAIL: the README's Quick start has ${#commands[@]} commands, not 2"
  exit 1
fi
rm -rf "$work"
mkdir -p "$work"
copy_sources "$work/hostlix"
printf '%s\n' "cd /root/hostlix || exit 1" "export HOSTLIX_REQUIRE_ALL_TESTS=1" \
  "${commands[0]} || exit 1" "${commands[1]} || exit 1" >"$work/quick-start.sh"

mmdebstrap --variant=minbase --mode=root \
  --customize-hook='printf "127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n" >"$1/etc/hosts"' \
  --customize-hook="copy-in $work/hostlix $work/quick-start.sh /root" \
  --customize-hook='chroot "$1" sh -ex /root/quick-start.sh' \
  bookworm "$work/chroot"
rm -rf "$work/chroot"
echo "1 passed, 0 failed"
