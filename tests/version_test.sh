#!/usr/bin/env bash
# The version is written once, as the CMake project version; the package
# files that must carry it too agree with it: debian/changelog's newest entry
# (its upstream part) and the RPM spec's Version. The changelog entry's date,
# the time stamp of the packages' files, is not in the future.
#
# Usage: tests/version_test.sh PROJECT_VERSION SOURCE_DIR
set -u
version=$1 src=$2
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
check "the RPM spec's Version $spec is $version" test "$spec" = "$version"
changelog=$(grep -A1 -m1 '^%changelog' "$src/packaging/rpm/hostlix.spec" | tail -1)
check "the RPM spec's newest %changelog entry is for $version" \
  grep -q -E -- "- $version-[0-9]+\$" <<<"$changelog"
summary
