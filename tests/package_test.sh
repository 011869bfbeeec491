#!/usr/bin/env bash
# Checks a Debian package of hostlix built from debian/, of any architecture:
# it holds the command, the man page, the completion and the copyright file,
# depends on libc6 alone and its command loads libc.so.6 alone, and the
# binary unpacked from it answers (natively, or under qemu-user for another
# architecture). How the files are stripped and compressed is debhelper's
# work and lintian's to check.
#
# Usage: tests/package_test.sh hostlix_VERSION-REVISION_ARCH.deb
set -u
deb=$1
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
contents=$(dpkg-deb -c "$deb")
arch=$(dpkg-deb -f "$deb" Architecture)

for file in ./usr/bin/hostlix ./usr/share/man/man1/hostlix.1.gz \
            ./usr/share/bash-completion/completions/hostlix ./usr/share/doc/hostlix/copyright; do
  check "holds $file" grep -q -E " $file\$" <<<"$contents"
done
# The command is linked as a C program: the C library is all it needs.
depends=$(dpkg-deb -f "$deb" Depends)
check "Depends on a version of libc6 and nothing else (Depends: $depends)" \
  grep -q -x -E "libc6 \\(>= [0-9.]+\\)" <<<"$depends"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
# libc.so.6 and, where an architecture lists it, the dynamic loader.
needed=$(readelf -d "$root/usr/bin/hostlix" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' | sort | tr '\n' ' ')
check "the command NEEDs libc.so.6 alone (NEEDED: $needed)" \
  grep -q -x -E "(ld(-linux[-a-z0-9_]*|64)?\.so\.[0-9]+ )?libc\.so\.6 " <<<"$needed"
# Another architecture's binary runs under the qemu-user of its toolchain
# file, as the installed package runs: against this system's libc6:ARCH.
run=()
if [ "$arch" != "$(dpkg --print-architecture)" ]; then
  triplet=$(dpkg-architecture -a "$arch" -qDEB_HOST_GNU_TYPE 2>/dev/null)
  qemu=$(sed -n 's/^set(hostlix_qemu \(.*\))$/\1/p' "$src/cmake/toolchains/$triplet.cmake" 2>/dev/null)
  run=("qemu-${qemu:-none}")
fi
installed=no
[ "$(dpkg-query -W -f '${Status}' "libc6:$arch" 2>/dev/null)" != "install ok installed" ] || installed=yes
if ! command -v "${run[0]:-true}" >/dev/null || [ "$installed" = no ]; then
  check "qemu-user and libc6:$arch to run a $arch binary here" false
else
  # The answer comes from this machine's hosts file, which names localhost.
  "${run[@]}" "$root/usr/bin/hostlix" localhost >"$root/out"
  check "unpacked hostlix localhost ends with 0" test $? -eq 0
  check "unpacked hostlix localhost prints 127.0.0.1 CR LF" \
    cmp "$root/out" <(printf '127.0.0.1\r\n')
  "${run[@]}" "$root/usr/bin/hostlix" >/dev/null
  check "unpacked hostlix without argument ends with 9" test $? -eq 9
fi
summary
