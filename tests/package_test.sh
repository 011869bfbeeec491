#!/usr/bin/env bash
# Checks a Debian package of hostlix built from debian/, of any architecture:
# it holds the command, the man page, the completion and the copyright file,
# depends on libc6 and libstdc++6 and links the shared libstdc++, and the
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
# The shared C++ runtime, as Debian links every program.
for library in libc6 libstdc++6; do
  check "Depends on a version of $library" \
    grep -q -E "(^|, )${library//+/\\+} \\(>= [0-9.]+\\)" <<<"$(dpkg-deb -f "$deb" Depends)"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
check "the command links the shared libstdc++.so.6" \
  grep -q -E 'NEEDED.*\[libstdc\+\+\.so\.6\]' <<<"$(readelf -d "$root/usr/bin/hostlix")"
# Another architecture's binary runs under the qemu-user of its toolchain
# file, as the installed package runs: against this system's libc6:ARCH and
# libstdc++6:ARCH.
run=()
if [ "$arch" != "$(dpkg --print-architecture)" ]; then
  triplet=$(dpkg-architecture -a "$arch" -qDEB_HOST_GNU_TYPE 2>/dev/null)
  qemu=$(sed -n 's/^set(hostlix_qemu \(.*\))$/\1/p' "$src/cmake/toolchains/$triplet.cmake" 2>/dev/null)
  run=("qemu-${qemu:-none}")
fi
installed=yes
for library in "libc6:$arch" "libstdc++6:$arch"; do
  [ "$(dpkg-query -W -f '${Status}' "$library" 2>/dev/null)" = "install ok installed" ] || installed=no
done
if ! command -v "${run[0]:-true}" >/dev/null || [ "$installed" = no ]; then
  check "qemu-user, libc6:$arch and libstdc++6:$arch to run a $arch binary here" false
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
