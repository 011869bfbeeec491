#!/usr/bin/env bash
# Counts the instructions of whole runs of the command under valgrind's
# callgrind (repeatable on a busy machine, unlike timings) and their peak
# resident memory, beside `getent hosts localhost` and a minimal C program
# doing one gethostbyname (bench/reference.c), the floor for this job.
#
#   bench/callgrind.sh [path/to/hostlix]      (default: build/release/hostlix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
hostlix=${1:-$root/build/release/hostlix}
if [ ! -x "$hostlix" ]; then
  (cd "$root" && cmake --workflow --preset release >/dev/null)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/reference" "$root/bench/reference.c"
cc -O2 -o "$work/peak_rss" "$root/bench/peak_rss.c"

instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$@" >/dev/null 2>"$work/log" || true
  awk '/^summary:/ {print $2}' "$work/out"
}

peak_rss() {
  # The smallest of five runs: page-cache noise only ever adds.
  local best=
  for _ in 1 2 3 4 5; do
    local kib
    kib=$("$work/peak_rss" "$@")
    if [ -z "$best" ] || [ "$kib" -lt "$best" ]; then best=$kib; fi
  done
  echo "$best"
}

ref_ir=$(instructions "$work/reference" localhost)
ref_rss=$(peak_rss "$work/reference" localhost)
printf '%-28s %14s %7s %10s %7s\n' command instructions ratio 'peak KiB' ratio
row() {
  local name=$1
  shift
  local ir rss
  ir=$(instructions "$@")
  rss=$(peak_rss "$@")
  printf '%-28s %14s %7.3f %10s %7.3f\n' "$name" "$ir" \
    "$(echo "$ir / $ref_ir" | bc -l)" "$rss" "$(echo "$rss / $ref_rss" | bc -l)"
}
row "reference localhost" "$work/reference" localhost
row "hostlix localhost" "$hostlix" localhost
row "hostlix 127.0.0.1" "$hostlix" 127.0.0.1
row "hostlix (usage)" "$hostlix"
row "getent hosts localhost" getent hosts localhost
