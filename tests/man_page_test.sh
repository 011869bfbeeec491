#!/usr/bin/env bash
# The man page renders with groff's every warning on and says nothing.
set -u
groff=$1
page=$2
warnings=$("$groff" -ww -mandoc -z "$page" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$warnings" ]; then
  printf 'groff said (status %s):\n%s\n0 passed, 1 failed\n' "$status" "$warnings"
  exit 1
fi
echo "1 passed, 0 failed"
