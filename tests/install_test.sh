#!/usr/bin/env bash
# cmake --install of a build tree puts the command, its man page and its bash
# completion where Linux users look for them, and the installed command runs.
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "0 passed, 1 failed"; exit 1; }
passed=0 failed=0
for file in bin/hostlix share/man/man1/hostlix.1 share/bash-completion/completions/hostlix; do
  if [ -f "$prefix/$file" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: no $file"; fi
done
"$prefix/bin/hostlix" >/dev/null
if [ $? -eq 9 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: installed hostlix"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
