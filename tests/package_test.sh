#!/usr/bin/env bash
# Checks the Debian package: its control fields, its files, and that the
# binary unpacked from it runs.
set -u
deb=$1
passed=0 failed=0
check() {  # description, then a command that must succeed
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $what"
  fi
}
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb -c "$deb")
printf '%s\n' "$info" "$contents"
field() { grep -q -E "^ $1: $2\$" <<<"$info"; }
check "named hostlix_1.03-1_amd64.deb" test "$(basename "$deb")" = hostlix_1.03-1_amd64.deb
check "Package" field Package hostlix
check "Version" field Version 1.03-1
check "Architecture" field Architecture amd64
check "Section" field Section net
check "Maintainer" field Maintainer '.+<.+@.+>'
check "Depends on libc6" field Depends 'libc6 .*'
check "Description" field Description '.+'
for file in ./usr/bin/hostlix ./usr/share/man/man1/hostlix.1 \
            ./usr/share/bash-completion/completions/hostlix; do
  check "holds $file" grep -q -F " $file" <<<"$contents"
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
out=$("$root/usr/bin/hostlix" localhost | od -An -c | tr -s ' ')
status=${PIPESTATUS[0]}
check "unpacked hostlix localhost ends with 0" test "$status" -eq 0
check "unpacked hostlix localhost prints a CR LF line" grep -q -E '\\r \\n$' <<<"$out"
"$root/usr/bin/hostlix" >/dev/null
check "unpacked hostlix without argument ends with 9" test $? -eq 9
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
