#!/usr/bin/env bash
# Checks a Debian package of hostlix, of any architecture: its control fields,
# its files and how they are compressed and stripped, that lintian finds no
# error or warning, and that the binary unpacked from it runs (natively, or
# under qemu-user for another architecture when that is installed).
#
# Usage: tests/package_test.sh hostlix_VERSION-1_ARCH.deb
set -u
deb=$1
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
version=$(sed -n -E 's/^project\(hostlix VERSION ([0-9.]+).*/\1/p' "$src/CMakeLists.txt")
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb -c "$deb")
arch=$(dpkg-deb -f "$deb" Architecture)
printf '%s\n' "$info" "$contents"
field() { grep -q -E "^ $1: $2\$" <<<"$info"; }

check "named hostlix_$version-1_$arch.deb" test "$(basename "$deb")" = "hostlix_$version-1_$arch.deb"
check "Package" field Package hostlix
check "Version" field Version "$version-1"
check "Architecture" field Architecture '(amd64|arm64|armhf|i386)'
check "Section" field Section net
check "Maintainer" field Maintainer '.+<.+@.+>'
check "Depends on a version of libc6" field Depends 'libc6 \(>= [0-9]+\.[0-9]+(\.[0-9]+)?\)'
check "Description" field Description '[a-z].{10,78}[^.]'
for file in ./usr/bin/hostlix ./usr/share/man/man1/hostlix.1.gz \
            ./usr/share/bash-completion/completions/hostlix \
            ./usr/share/doc/hostlix/copyright ./usr/share/doc/hostlix/changelog.Debian.gz \
            ./usr/share/lintian/overrides/hostlix; do
  check "holds $file" grep -q -E " $file\$" <<<"$contents"
done
check "every entry owned by root/root" test -z "$(grep -v ' root/root ' <<<"$contents")"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
bin=$root/usr/bin/hostlix
doc=$root/usr/share/doc/hostlix

# Stripped as dh_strip does: no symbol table, no debugging or .comment section.
sections=$(readelf -S -W "$bin")
for section in .symtab .comment .debug_info; do
  check "binary has no $section section" test -z "$(grep -F " $section " <<<"$sections")"
done
# gzip -9n: no file name, no time stamp, maximum compression (the first ten
# bytes of the header).
for gz in "$root/usr/share/man/man1/hostlix.1.gz" "$doc/changelog.Debian.gz"; do
  check "${gz#"$root"} compressed by gzip -9n" \
    test "$(od -An -tx1 -N10 "$gz" | tr -d ' ')" = 1f8b0800000000000203
done
check "changelog names this version" \
  grep -q -F "hostlix ($version-1) " <(zcat "$doc/changelog.Debian.gz" | head -1)
check "copyright in the machine-readable format" grep -q -x -F \
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$doc/copyright"
check "copyright holds the licence's text" \
  diff <(tac "$doc/copyright" | sed '/^License: Expat$/q' | tac | tail -n +2 | sed 's/^ \.$//; s/^ //') \
       <(sed -n '/^Permission/,$p' "$src/LICENSE")

# On the build machine's own architecture dpkg-shlibdeps made the Depends
# field; the reading of the binary that cross builds use must agree with it.
if [ "$arch" = "$(dpkg --print-architecture)" ]; then
  derived=$(cmake -DOBJDUMP=objdump -DBINARY="$bin" -P "$src/cmake/deb_depends.cmake" 2>&1)
  check "Depends as cross builds read it: $derived" field Depends "${derived//[()]/.}"
fi

if command -v lintian >/dev/null; then
  tags=$(lintian --pedantic --allow-root "$deb" 2>&1)
  [ -n "$tags" ] && echo "$tags"
  check "lintian finds no error or warning" test -z "$(grep -E '^[EW]: ' <<<"$tags")"
else
  check "lintian is installed" false
fi

case $arch in
  "$(dpkg --print-architecture)") run=() ;;
  arm64) run=(qemu-aarch64 -L /usr/aarch64-linux-gnu) ;;
  armhf) run=(qemu-arm -L /usr/arm-linux-gnueabihf) ;;
  *) run=(false) ;;
esac
if command -v "${run[0]:-true}" >/dev/null && [ "${run[0]:-}" != false ]; then
  "${run[@]}" "$bin" localhost >"$root/out"
  check "unpacked hostlix localhost ends with 0" test $? -eq 0
  check "unpacked hostlix localhost prints a CR LF line" \
    grep -q -E '\\r \\n$' <(od -An -c "$root/out" | tr -s ' ')
  "${run[@]}" "$bin" >/dev/null
  check "unpacked hostlix without argument ends with 9" test $? -eq 9
else
  echo "SKIP: no way to run a $arch binary here"
fi
summary
