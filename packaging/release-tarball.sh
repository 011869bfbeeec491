#!/bin/sh
# Makes the release tarball hostlix-VERSION.tar.gz in OUTDIR from the commit
# checked out (the version is the CMake project version) and prints its path.
# The same commit gives the same bytes from any clone: git archive writes the
# commit's time on every entry and sorted names, the modes come from a fixed
# umask, and gzip -n stores no name or time. What git archive leaves out or
# fills in is in .gitattributes: no debian/, and cmake/release-time gets the
# commit's time. It is Debian's upstream tarball and the RPM's Source0.
#
# Usage: packaging/release-tarball.sh OUTDIR
set -eu
out=${1:?usage: $0 OUTDIR}
src=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n -E 's/^project\(hostlix VERSION ([0-9.]+).*/\1/p' "$src/CMakeLists.txt")
[ -n "$version" ] || { echo "$0: no project version in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$out"
tarball=$(cd "$out" && pwd)/hostlix-$version.tar.gz
git -C "$src" -c tar.umask=0022 archive --format=tar --prefix="hostlix-$version/" HEAD |
  gzip -9n >"$tarball.tmp"
mv "$tarball.tmp" "$tarball"
echo "$tarball"
