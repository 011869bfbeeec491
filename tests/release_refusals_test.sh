#!/usr/bin/env bash
# A Windows release made to be published (HOSTLIX_RELEASE_URL given) refuses
# the placeholder contact address and home page, and an address without the
# version as a path element (Scoop's autoupdate could not derive the next
# one); with both set and the version in the address it configures. Each
# case configures the windows-release build afresh in WORK and looks for
# the refusal's message.
#
# Usage: tests/release_refusals_test.sh SOURCE_DIR WORK VERSION
set -u
src=$1 work=$2 version=$3
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
url=https://downloads.example.net/hostlix/$version
real="-DHOSTLIX_CONTACT=bugs@example.net -DHOSTLIX_HOMEPAGE=https://example.net/hostlix"

# case: description | -D settings | what configure prints (empty: it succeeds)
while IFS='|' read -r what settings message; do
  rm -rf "$work"
  # shellcheck disable=SC2086 # the settings are words
  output=$(env -u HOSTLIX_RELEASE_URL cmake -S "$src" -B "$work" -G Ninja \
             -DHOSTLIX_WINDOWS_RELEASE=ON $settings 2>&1)
  status=$?
  if [ -z "$message" ]; then
    result "$what: configures" "$status"
  else
    check "$what: refused" test "$status" -ne 0
    # (CMake wraps a message's lines.)
    check "$what: says '$message'" grep -q -F "$message" <<<"$(tr -s ' \n' '  ' <<<"$output")"
  fi
done <<EOF
placeholder contact|-DHOSTLIX_RELEASE_URL=$url -DHOSTLIX_HOMEPAGE=https://example.net/hostlix|HOSTLIX_CONTACT is still the placeholder
placeholder home page|-DHOSTLIX_RELEASE_URL=$url -DHOSTLIX_CONTACT=bugs@example.net|HOSTLIX_HOMEPAGE is still the placeholder
address without the version|-DHOSTLIX_RELEASE_URL=https://downloads.example.net/hostlix/latest $real|has no path element $version
contact, home page and a versioned address|-DHOSTLIX_RELEASE_URL=$url $real|
EOF
rm -rf "$work"
summary
