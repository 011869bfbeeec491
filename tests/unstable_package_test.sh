#!/usr/bin/env bash
# The Debian package as a sponsor builds it for unstable: in a fresh sid
# chroot from Debian's mirror (tests/chroot_tarball.sh), the build
# dependencies installed from debian/control, dpkg-buildpackage -us -uc as a
# user without root with every test required, then sid's lintian
# --pedantic: no error or warning, and with -I nothing but the tags that ask
# for a public home (home page, watch file, upstream metadata), on the source
# package as shipped. The copy built carries a sponsor's edits, an Uploaders
# line and a changelog entry by the sponsor, which no check may mind; the
# package is then checked as every package is (tests/package_test.sh).
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

# Clones of the commit with their upstream tarball made as doc/packaging.md
# says: the source package as the project ships it, and the copy built,
# with the sponsor's edits.
for copy in shipped/hostlix hostlix; do
  git clone -q --no-local . "$work/root/build/$copy"
  (cd "$work/root/build/$copy" && mk-origtargz --rename "$(packaging/release-tarball.sh ..)" >/dev/null)
done
(cd "$work/root/build/hostlix" &&
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
grep -E 'compiler identification|tests passed|tests failed|\*\*\*Skipped' "$work/build.log" || true
result "dpkg-buildpackage -us -uc as a user, every test run" "$built"

# lint WHAT FILE ALSO: unstable's lintian on FILE: no error or warning, and
# with -I nothing but the allowed tags and ALSO.
lint() {
  local linted=0
  as_user "lintian --pedantic -I --fail-on error,warning $2" >"$work/lintian.log" 2>&1 || linted=$?
  cat "$work/lintian.log"
  result "lintian --pedantic on $1: no error or warning" "$linted"
  check "lintian -I on $1: nothing but $allowed${3:+|$3}" \
    test -z "$(grep -E '^[EWIP]: ' "$work/lintian.log" | grep -v -E " ($allowed${3:+|$3})( |\$)")"
}
shipped=0
as_user 'cd shipped && dpkg-source -b hostlix' >"$work/source.log" 2>&1 || shipped=$?
result "the source package as shipped" "$shipped"
[ "$shipped" -ne 0 ] || lint "the source package as shipped" shipped/hostlix_*.dsc
if [ "$built" -eq 0 ]; then
  # What the sponsor's edits bring: Uploaders asks for Vcs fields (a public
  # home again), and its second revision is no initial upload, whose
  # override then idles.
  lint "the sponsored build" 'hostlix_*_amd64.changes' \
    'co-maintained-package-with-no-vcs-fields|unused-override initial-upload-closes-no-bugs'
  checked=0
  in_sid sh -c 'cd /build && bash hostlix/tests/package_test.sh hostlix_*_amd64.deb' || checked=$?
  result "tests/package_test.sh on the unstable package" "$checked"
fi
summary
