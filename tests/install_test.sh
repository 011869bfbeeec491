#!/usr/bin/env bash
# cmake --install of a build tree puts the command, its man page and its bash
# completion where Linux users look for them, and the installed command runs.
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "0 passed, 1 failed"; exit 1; }
. "$(dirname "$0")/checks.sh"
for file in bin/hostlix share/man/man1/hostlix.1 share/bash-completion/completions/hostlix; do
  check "no $file" test -f "$prefix/$file"
done
"$prefix/bin/hostlix" >/dev/null
result "installed hostlix shows the usage screen (status 9)" $(($? != 9))
summary
