#!/usr/bin/env bash
# The README's Quick start, its two commands run as they stand, as root in a
# fresh Debian 13 minbase chroot made by mmdebstrap from Debian's mirror
# (tests/chroot_tarball.sh), where every test case must run
# (HOSTLIX_REQUIRE_ALL_TESTS).
#
#   tests/quick_start_test.sh [WORK_FOLDER]   (as root; default build/quick-start)
#
# mmdebstrap leaves /etc/hosts out of the chroot; a Debian system has one
# from its installer, and without it no program can look up localhost (as
# the README says), so the chroot gets the installer's two loopback lines.
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/checks.sh
work=$(realpath -m "${1:-build/quick-start}")

mapfile -t commands < <(sed -n '/^## Quick start/,/^## /s/^    //p' README.md)
if [ "${#commands[@]}" -ne 2 ]; then
  echo "FAIL: the README's Quick start has ${#commands[@]} commands, not 2"
  exit 1
fi
unpack_chroot "$work" "the Quick start in Debian 13" trixie minbase
copy_sources "$work/root/root/hostlix"
printf '%s\n' "cd /root/hostlix || exit 1" "export HOSTLIX_REQUIRE_ALL_TESTS=1" \
  "${commands[0]} || exit 1" "${commands[1]} || exit 1" >"$work/root/root/quick-start.sh"

in_chroot "$work/root" sh -ex /root/quick-start.sh
rm -rf "$work/root"
echo "1 passed, 0 failed"
