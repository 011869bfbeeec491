#!/usr/bin/env bash
# The test preset as a user without root, from a copy of the sources that the
# user owns, where every test case must run (HOSTLIX_REQUIRE_ALL_TESTS): the
# end-to-end tests then make their namespaces inside a user namespace.
#
#   tests/unprivileged_test.sh [USER]   (as root; the user is made if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/checks.sh
user=${1:-hostlix-tests}
id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
rm -rf "$home/hostlix"
copy_sources "$home/hostlix"
chown -R "$user:" "$home/hostlix"
cd "$home/hostlix"
runuser -u "$user" -- env HOSTLIX_REQUIRE_ALL_TESTS=1 cmake --workflow --preset test
