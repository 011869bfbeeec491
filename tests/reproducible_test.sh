#!/usr/bin/env bash
# Builds the release tarball, the Debian packages and the Windows executable,
# ZIP and installer twice, from two clones of the repository in differently
# named folders, with the same SOURCE_DATE_EPOCH, the second under another
# umask, time zone and locale, and checks that both builds give the same
# bytes. The clones hold the commit checked out: uncommitted changes are not
# built.
#
# Usage: tests/reproducible_test.sh [work folder]   (default: a temporary one)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
# The commit's own time: never the clock, which would differ between runs.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
work_folder "${1:-}"

clone() {
  mkdir -p "$(dirname "$1")"
  git clone -q --no-local "$src" "$1"
}

build() {  # folder; the log goes beside it, as the source package may not change
  if ! (cd "$1" &&
        # The tests run in the package builds of CI: here only the bytes count.
        mk-origtargz --rename "$(packaging/release-tarball.sh ..)" &&
        DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -Pnocheck &&
        cmake --preset windows -DHOSTLIX_WINE_TESTS=OFF -DHOSTLIX_WINDOWS_PACKAGES=ON &&
        cmake --build --preset windows) >"$1.log" 2>&1; then
    tail -30 "$1.log"
    echo "FAIL: build in $1"
    exit 1
  fi
}

one=$work/one/hostlix
two=$work/second-build/src/hostlix-copy
clone "$one"
clone "$two"
build "$one"
(umask 0002 && export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 && build "$two")

# dpkg-buildpackage writes beside the source folder; the release tarball,
# renamed, is the package's .orig.tar.gz.
for file in ../hostlix_*.orig.tar.gz ../hostlix_*.deb ../hostlix-dbgsym_*.deb \
            build/windows/HOSTLIX.EXE build/windows/hostlix-*-win*.zip build/windows/hostlix-*-x64.msi; do
  # shellcheck disable=SC2086 # the names hold wildcards
  a=$(cd "$one" && ls $file)
  same=0
  cmp "$one/$a" "$two/$a" || same=$?
  result "$a the same from both ($(sha256sum <"$one/$a" | cut -c1-16))" "$same"
done
summary
