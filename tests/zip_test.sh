#!/usr/bin/env bash
# Checks the Windows ZIP as a Windows user gets it: exactly HOSTLIX.EXE,
# LICENSE.TXT and README.TXT; the executable stripped; and, unpacked, the
# executable and the readme's example batch file run under Wine with the
# statuses the readme gives. (The texts themselves are checked without Wine,
# for both architectures: tests/release_texts_test.py.)
#
# Usage: tests/zip_test.sh hostlix-VERSION-winNN.zip WINE OBJDUMP
set -u
zip=$1 wine=$2 objdump=$3
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
# shellcheck source=tests/wine.sh
. "$src/tests/wine.sh"
dir=$(mktemp -d)
wine_hold_server "$wine"
trap 'wine_stop_server "$wine"; rm -rf "$dir"' EXIT
unzip -q "$zip" -d "$dir" || { echo "FAIL: unzip $zip"; exit 1; }
exe=$dir/HOSTLIX.EXE readme=$dir/README.TXT

check "holds exactly HOSTLIX.EXE, LICENSE.TXT, README.TXT" \
  test "$(cd "$dir" && find . -mindepth 1 -printf '%P\n' | sort | tr '\n' ' ')" = "HOSTLIX.EXE LICENSE.TXT README.TXT "
check "HOSTLIX.EXE has no symbols" grep -q -x "no symbols" <("$objdump" -t "$exe")
check "HOSTLIX.EXE has no debugging sections" test -z "$("$objdump" -h "$exe" | grep -F .debug)"

# The unpacked executable: one CR LF line and status 0 for localhost, the
# usage screen and status 9 without an argument.
cd "$dir" || exit 1
"$wine" HOSTLIX.EXE localhost >out.txt
check "HOSTLIX.EXE localhost ends with 0" test $? -eq 0
check "HOSTLIX.EXE localhost prints 127.0.0.1 CR LF" \
  test "$(od -An -c out.txt | tr -d ' \n')" = '127.0.0.1\r\n'
"$wine" HOSTLIX.EXE >out.txt
check "HOSTLIX.EXE without argument ends with 9" test $? -eq 9
check "HOSTLIX.EXE without argument prints 24 lines" test "$(wc -l <out.txt)" -eq 24

# The readme's example batch file, as printed there (indented by four).
sed -n '/^Example batch file/,/^Licence/{/^    /s/^    //p}' "$readme" >example.bat
check "the readme holds an example batch file" grep -q -F '%ERRORLEVEL%' example.bat
for case in "localhost 0 is known" "1.2.3 9 is not a host name"; do
  read -r arg status text <<<"$case"
  "$wine" cmd /c example.bat "$arg" >out.txt
  check "example.bat $arg ends with $status" test $? -eq "$status"
  check "example.bat $arg says '$arg $text'" grep -q -F "$arg $text" out.txt
done
"$wine" cmd /c example.bat >out.txt
check "example.bat without argument ends with 9" test $? -eq 9
check "example.bat without argument shows its usage" grep -q '^Usage: example' out.txt
summary
