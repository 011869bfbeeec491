#!/usr/bin/env bash
# The version, the contact address and the home page are each written once,
# as the CMake project version, HOSTLIX_CONTACT and HOSTLIX_HOMEPAGE; the
# package files whose formats must carry them too agree with them:
# debian/changelog's newest entry (its upstream part) and hostlix.spec's
# Version; the maintainer and upstream contact of debian/, and hostlix.spec's
# newest %changelog entry; hostlix.spec's URL. The changelog
# entry's date, the time stamp of the packages' files, is not in the future.
#
# Usage: tests/package_facts_test.sh PROJECT_VERSION CONTACT SOURCE_DIR HOMEPAGE
set -u
version=$1 contact=$2 src=$3 homepage=$4
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"

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
