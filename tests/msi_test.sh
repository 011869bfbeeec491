#!/usr/bin/env bash
# Installs the MSI under Wine as an administrator would, in the Wine prefix
# of WINEPREFIX, made afresh for the run: this version, then its uninstall;
# the lower version (0.1, the same installer built for the test), this one
# over it (an upgrade in place), the lower one again (refused), then the
# uninstall. After each step: the files, the Add/Remove Programs entry, the
# system PATH, and HOSTLIX run by name from a new cmd process.
#
# Usage: WINEPREFIX=... WINEARCH=... tests/msi_test.sh \
#          hostlix-VERSION-ARCH.msi hostlix-0.1-ARCH.msi VERSION WINE HOSTLIX.EXE
# HOSTLIX.EXE is the copy that the installer holds.
set -u
msi=$1 lower_msi=$2 version=$3 wine=$4 exe=$5
prefix=${WINEPREFIX:?WINEPREFIX names the prefix to make afresh}
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"

# shellcheck source=tests/wine.sh
. "$src/tests/wine.sh"

export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
work=$prefix.work
wine_stop_server "$wine"
rm -rf "$prefix" "$work"
mkdir -p "$work/elsewhere"
trap 'wine_stop_server "$wine"; rm -rf "$work"' EXIT
wine_make_prefix "$wine" >/dev/null 2>&1 || { echo "FAIL: wineboot"; exit 1; }
wine_hold_server "$wine"

# The x86 installer goes to Program Files (x86) on 64-bit Windows.
folder='C:\Program Files\HOSTLIX'
case $msi in
  *-x86.msi) [ -d "$prefix/drive_c/Program Files (x86)" ] && folder='C:\Program Files (x86)\HOSTLIX' ;;
esac
unix_folder=$("$wine" winepath -u "$folder" 2>/dev/null | tr -d '\r')

lower=0.1
msiexec() { "$wine" msiexec "$@" >/dev/null 2>&1; }
# The system PATH as the registry holds it, one element a line.
system_path() {
  "$wine" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH |
    tr -d '\r' | sed -n 's/^ *PATH *REG_[A-Z_]* *//p' | tr ';' '\n'
}
# How often the folder is on the system PATH (with or without a trailing \).
on_path() { system_path | sed 's/\\$//' | grep -c -x -F "$folder"; }
# The DisplayVersion of every Add/Remove Programs entry named HOSTLIX.
arp_versions() {
  "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
    tr -d '\r' | awk '/^HKEY/ { name = ""; shown = "" }
                      /DisplayName/ { name = $NF }
                      /DisplayVersion/ { shown = $NF }
                      name == "HOSTLIX" && shown != "" { print shown; name = "" }'
}
# Runs HOSTLIX from PATH in a new cmd process, away from the folder.
runs_from_path() {
  (cd "$work/elsewhere" && "$wine" cmd /c hostlix localhost >out.txt) &&
    [ "$(od -An -c "$work/elsewhere/out.txt" | tr -d ' \n')" = '127.0.0.1\r\n' ]
}
system_path | grep -v -x '' | tr '\n' ';' >"$work/path.before"

# A fresh install.
msiexec /i "$msi" /qn
result "installs silently" $?
for file in HOSTLIX.EXE LICENSE.TXT README.TXT; do
  check "$file installed" test -s "$unix_folder/$file"
done
check "LICENSE.TXT in CR LF lines" test -z "$(sed -n '/\r$/!p' "$unix_folder/LICENSE.TXT")"
check "one Add/Remove entry, version $version" test "$(arp_versions)" = "$version"
check "the folder once on PATH" test "$(on_path)" -eq 1
check "cmd /c hostlix localhost prints 127.0.0.1 with status 0" runs_from_path
uninstall_leaves_nothing() {
  msiexec /x "$msi" /qn
  result "$1: uninstalls silently" $?
  check "$1: uninstall leaves no file" test -z "$(find "$unix_folder" -type f 2>/dev/null)"
  check "$1: uninstall leaves no Add/Remove entry" test -z "$(arp_versions)"
  check "$1: uninstall takes the folder off PATH" test "$(on_path)" -eq 0
  # Wine's msi leaves the separator it appended (a stray ";", or ";;" after
  # an upgrade) when it takes the folder out again; Windows does not. Only
  # empty elements may remain beyond the PATH of the fresh prefix. (Wine's
  # cmd also stops its PATH search at an empty element, so the run from PATH
  # is checked after the fresh install, before any such residue.)
  check "$1: uninstall restores PATH but for empty elements" \
    test "$(system_path | grep -v -x '' | tr '\n' ';')" = "$(cat "$work/path.before")"
}
uninstall_leaves_nothing "fresh install"

# An upgrade in place from a lower version, and a refused downgrade.
msiexec /i "$lower_msi" /qn
result "version $lower installs silently" $?
check "version $lower: one Add/Remove entry" test "$(arp_versions)" = "$lower"
msiexec /i "$msi" /qn
result "$version installs over $lower" $?
check "after the upgrade: one Add/Remove entry, version $version" test "$(arp_versions)" = "$version"
check "after the upgrade: the folder once on PATH" test "$(on_path)" -eq 1
# Both installers hold the same HOSTLIX.EXE, so its bytes cannot tell the
# versions apart (the Add/Remove entry does); what an upgrade can break is
# the file itself, which the removal of the lower version may take along.
check "after the upgrade: HOSTLIX.EXE still installed, the build's bytes" \
  test "$(sha256sum <"$unix_folder/HOSTLIX.EXE")" = "$(sha256sum <"$exe")"
msiexec /i "$lower_msi" /qn
check "version $lower refuses to install over $version" test $? -ne 0
check "after the refusal: still $version" test "$(arp_versions)" = "$version"
uninstall_leaves_nothing "upgrade"
summary
