#!/usr/bin/env bash
# The release tarball (packaging/release-tarball.sh) of the commit checked
# out: it holds no debian/, it records the commit's time, and unpacked it
# configures and builds the command with neither git nor a date program on
# PATH and no SOURCE_DATE_EPOCH, taking its release time stamp from that
# record.
#
# Usage: tests/release_tarball_test.sh [WORK_FOLDER]   (default: a temporary one)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
work_folder "${1:-}"

rm -rf "${work:?}/tarball" "${work:?}/bin"
tarball=$("$src/packaging/release-tarball.sh" "$work/tarball")
top=$(basename "$tarball" .tar.gz)
commit_time=$(git -C "$src" log -1 --format=%ct)
check "the tarball holds no debian/" test -z "$(tar -tzf "$tarball" | grep "^$top/debian/")"
check "the tarball records the commit's time $commit_time" \
  test "$(tar -xzOf "$tarball" "$top/cmake/release-time")" = "$commit_time"

# Every program of the system but these.
mkdir -p "$work/bin"
for program in /usr/bin/* /usr/sbin/*; do
  case ${program##*/} in
    date | git) ;;
    *) ln -sf "$program" "$work/bin/" ;;
  esac
done
check "no date program on the reduced PATH" test -z "$(PATH=$work/bin command -v date)"
tar -xzf "$tarball" -C "$work/tarball"
built=0
(cd "$work/tarball/$top" &&
  env -u SOURCE_DATE_EPOCH PATH="$work/bin" cmake --workflow --preset release) >"$work/build.log" 2>&1 ||
  built=$?
[ "$built" -eq 0 ] || tail -20 "$work/build.log"
result "configured and built from the tarball without git or date" "$built"
check "the release time stamp is the recorded one" \
  grep -q -F "Release time stamp: $commit_time (from the release tarball)" "$work/build.log"
status=0
"$work/tarball/$top/build/release/hostlix" >/dev/null || status=$?
check "the command built runs (usage screen, status 9)" test "$status" -eq 9
summary
