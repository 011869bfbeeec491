#!/usr/bin/env bash
# The project's own packaging files agree with the project: the version, the
# contact address and the home page are each written once in CMakeLists.txt
# (the project version and the defaults of HOSTLIX_CONTACT and
# HOSTLIX_HOMEPAGE), and the package files whose formats must carry them too
# repeat them: debian/changelog's newest entry (its upstream part) and
# hostlix.spec's Version; the maintainer and upstream contact of debian/, and
# hostlix.spec's newest %changelog entry; hostlix.spec's URL. The changelog
# entry's date is not in the future.
#
# A check of the project's CI, never of a package build: whoever packages the
# command adds their own name to these files.
#
# Usage: tests/package_facts_test.sh
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
version=$(sed -n -E 's/^project\(hostlix VERSION ([0-9.]+).*/\1/p' "$src/CMakeLists.txt")
contact=$(sed -n -E 's/^set\(hostlix_placeholder_CONTACT ([^ )]+)\)$/\1/p' "$src/CMakeLists.txt")
homepage=$(sed -n -E 's/^set\(hostlix_placeholder_HOMEPAGE ([^ )]+)\)$/\1/p' "$src/CMakeLists.txt")
check "CMakeLists.txt gives a version ($version), a contact ($contact) and a home page ($homepage)" \
  test -n "$version" -a -n "$contact" -a -n "$homepage"

debian=$(sed -n -E '1s/^hostlix \(([^)]+)\).*/\1/p' "$src/debian/changelog")
upstream=${debian%-*}
check "debian/changelog's upstream version $upstream is $version" test "$upstream" = "$version"
trailer=$(sed -n -E '0,/^ -- /s/^ -- .*>  (.*)$/\1/p' "$src/debian/changelog")
dated=$(date -u -d "$trailer" +%s 2>/dev/null || echo bad)
check "debian/changelog's date '$trailer' is a date" test "$dated" != bad
check "debian/changelog's date '$trailer' is not in the future" test "${dated/bad/0}" -le "$(date +%s)"
spec=$(sed -n -E 's/^Version:[[:space:]]+//p' "$src/packaging/rpm/hostlix.spec")
check "hostlix.spec's Version $spec is $version" test "$spec" = "$version"
url=$(sed -n -E 's/^URL:[[:space:]]+//p' "$src/packaging/rpm/hostlix.spec")
check "hostlix.spec's URL $url is $homepage" test "$url" = "$homepage"
changelog=$(grep -A1 -m1 '^%changelog' "$src/packaging/rpm/hostlix.spec" | tail -1)
check "hostlix.spec's newest %changelog entry is for $version" \
  grep -q -E -- "- $version-[0-9]+\$" <<<"$changelog"
for file in debian/control debian/copyright debian/changelog packaging/rpm/hostlix.spec; do
  check "$file names no contact but <$contact>" \
    test -z "$(grep -o -E '<[^>]+@[^>]+>' "$src/$file" | grep -v -x -F "<$contact>")"
done
check "debian/control's Maintainer is <$contact>" \
  grep -q -E "^Maintainer: .*<$contact>\$" "$src/debian/control"
summary
