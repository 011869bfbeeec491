#!/usr/bin/env bash
# Builds the Debian package and the Windows executable, ZIP and installer
# twice, from two copies of the sources in differently named folders, with the
# same SOURCE_DATE_EPOCH, the second under another umask, time zone and locale,
# and checks that both builds give the same bytes.
#
# Usage: tests/reproducible_test.sh [work folder]   (default: a temporary one)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct 2>/dev/null || date +%s)}
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"

build() {  # folder
  (
    cd "$1"
    cmake --workflow --preset package >build.log 2>&1
    cmake --preset windows -DHOSTLIX_WINE_TESTS=OFF >>build.log 2>&1
    cmake --build --preset windows >>build.log 2>&1
  ) || { tail -30 "$1/build.log"; echo "FAIL: build in $1"; exit 1; }
}

one=$work/one/hostlix
two=$work/second-build/src/hostlix-copy
copy_sources "$one"
copy_sources "$two"
build "$one"
(umask 0002 && export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 && build "$two")

passed=0 failed=0
for file in build/release/hostlix_1.03-1_*.deb build/windows/HOSTLIX.EXE build/windows/hostlix-1.03-win*.zip \
  build/windows/hostlix-*-x64.msi; do
  # shellcheck disable=SC2086 # the names hold wildcards
  a=$(cd "$one" && ls $file)
  if cmp "$one/$a" "$two/$a"; then
    passed=$((passed + 1))
    echo "same: $a ($(sha256sum <"$one/$a" | cut -c1-16))"
  else
    failed=$((failed + 1))
    echo "FAIL: $a differs between $one and $two"
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
