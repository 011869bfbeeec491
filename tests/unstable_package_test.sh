#!/usr/bin/env bash
# The Debian package as a sponsor builds it for unstable: in a fresh sid
# chroot from Debian's mirror (tests/chroot_tarball.sh), the build
# dependencies installed from debian/control, dpkg-buildpackage -us -uc as a
# user without root with every test required, then sid's lintian
# --pedantic: no error or warning, and with -I nothing but the tags that ask
# for a public home (home page, watch file, upstream metadata). The copy
# built carries a sponsor's edits, an Uploaders line and a changelog entry
# by the sponsor, which no check may mind; the package is then checked as
# every package is (tests/package_test.sh).
#
# The chroot is entered through bwrap, whose root is the root of its own
# mount namespace: under a plain chroot the kernel gives a user no user
# namespace, and the end-to-end cases could not run.
#
# Usage: tests/unstable_package_test.sh [WORK_FOLDER]   (as root; default build/unstable)
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/checks.sh
work=$(realpath -m "${1:-build/unstable}")
allowed='no-homepage-field|debian-watch-file-is-missing|upstream-metadata-file-is-missing'

unpack_chroot "$work" "the package build in unstable" sid buildd lintian

# A clone of the commit, its upstream tarball made as doc/packaging.md says,
# and the sponsor's edits.
src=$work/root/build/hostlix
git clone -q --no-local . "$src"
(cd "$src" &&
  mk-origtargz --rename "$(packaging/release-tarball.sh ..)" >/dev/null &&
  sed -i '/^Maintainer:/a Uploaders: A Sponsor <sponsor@example.net>' debian/control &&
  DEBFULLNAME="A Sponsor" DEBEMAIL=sponsor@example.net dch -i -D unstable "Sponsored upload." >/dev/null 2>&1)
chown -R 65534:65534 "$work/root/build"
in_sid() { in_chroot "$work/root" "$@"; }
as_user() { in_sid setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/build sh -c "cd /build && $1"; }

installed=0
in_sid sh -c 'apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get build-dep -q -y /build/hostlix' \
  >"$work/build-deps.log" 2>&1 || installed=$?
[ "$installed" -eq 0 ] || tail -20 "$work/build-deps.log"
result "build dependencies installed from debian/control" "$installed"

built=0
as_user 'cd hostlix && HOSTLIX_REQUIRE_ALL_TESTS=1 dpkg-buildpackage -us -uc' \
  >"$work/build.log" 2>&1 || built=$?
[ "$built" -eq 0 ] || tail -40 "$work/build.log"
grep -E '^(gcc|g\+\+|cmake) version|tests passed|tests failed|\*\*\*Skipped' "$work/build.log" || true
result "dpkg-buildpackage -us -uc as a user, every test run" "$built"

if [ "$built" -eq 0 ]; then
  linted=0
  as_user 'lintian --pedantic -I --fail-on error,warning hostlix_*_amd64.changes' \
    >"$work/lintian.log" 2>&1 || linted=$?
  cat "$work/lintian.log"
  result "lintian --pedantic: no error or warning" "$linted"
  check "lintian -I: nothing but $allowed" \
    test -z "$(grep -E '^[EWIP]: ' "$work/lintian.log" | grep -v -E " ($allowed)( |\$)")"
  checked=0
  in_sid sh -c 'cd /build && bash hostlix/tests/package_test.sh hostlix_*_amd64.deb' || checked=$?
  result "tests/package_test.sh on the unstable package" "$checked"
fi
summary
