#!/bin/sh
# Builds the source RPM and the binary RPM of hostlix from
# packaging/rpm/hostlix.spec and the release tarball of the commit checked
# out, on a Debian host, then checks them with rpmlint
# (packaging/rpm/rpmlintrc). Fedora's cmake macros and compiler flags come
# from packaging/rpm/macros.debian-host; a caller's CFLAGS, CXXFLAGS and
# LDFLAGS are set aside so that Fedora's apply. BuildRequires name Fedora's
# packages, which the rpm database of a Debian host does not hold, so they
# are not checked (--nodeps).
#
# Usage: packaging/rpm/build.sh OUTDIR   (the .src.rpm and .rpm land there,
#        the -debuginfo and -debugsource packages in OUTDIR/debuginfo)
set -eu
out=${1:?usage: $0 OUTDIR}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
top=$out/rpmbuild
rm -rf "$top"
mkdir -p "$top/SOURCES"
"$src/packaging/release-tarball.sh" "$top/SOURCES" >/dev/null

env -u CFLAGS -u CXXFLAGS -u CPPFLAGS -u LDFLAGS \
  rpmbuild -ba --nodeps --define "_topdir $top" --load "$here/macros.debian-host" \
  "$here/hostlix.spec"
# The RPM recipe's packages in OUTDIR, find-debuginfo's in OUTDIR/debuginfo.
rm -rf "$out"/*.rpm "$out/debuginfo"
mkdir -p "$out/debuginfo"
find "$top/SRPMS" "$top/RPMS" -name '*.rpm' ! -name '*-debug*' -exec cp {} "$out" \;
find "$top/RPMS" -name '*-debug*.rpm' -exec cp {} "$out/debuginfo" \;
ls "$out"/*.rpm "$out"/debuginfo/*.rpm

# The binary package holds the command, its man page, its completion and the
# licence.
for rpm in "$out"/hostlix-[0-9]*.rpm; do
  case $rpm in *.src.rpm) ;; *) break ;; esac
done
files=$(rpm -qlp "$rpm")
for file in /usr/bin/hostlix /usr/share/man/man1/hostlix.1.gz \
            /usr/share/bash-completion/completions/hostlix /usr/share/licenses/hostlix/LICENSE; do
  echo "$files" | grep -q -x -F "$file" || { echo "$0: $rpm lacks $file" >&2; exit 1; }
done
# The command is linked as a C program: of the shared libraries, it requires
# the C library alone (rpm reads the requirements from the binary).
others=$(rpm -qp --requires "$rpm" | grep -F '.so' | grep -v -E '^(libc\.so\.6|ld-linux[-a-z0-9_]*\.so\.[0-9]+)(\(|$)' || true)
[ -z "$others" ] || { echo "$0: $rpm requires more than libc.so.6: $others" >&2; exit 1; }
# rpmlint on what the RPM recipe makes: the -debuginfo and -debugsource packages
# are find-debuginfo's.
rpmlint -c "$here/rpmlint-fedora.toml" -r "$here/rpmlintrc" "$out"/*.rpm "$here/hostlix.spec"
