#!/usr/bin/env bash
# Counts the instructions of whole runs of the command under valgrind's
# callgrind (repeatable on a busy machine, unlike timings) and their peak
# resident memory, side by side in one run with its peers:
#   - bench/reference.c, one gethostbyname and a printf: the floor for this job;
#   - gethostip -d localhost (Debian's syslinux-utils), the closest peer;
#   - getent hosts localhost.
# Everything runs inside a private network namespace that has only loopback,
# so no query can leave the machine, and with a minimal environment, so the
# size of the caller's environment (which the dynamic loader reads) does not
# move the counts.
# Each build of the command named gets its rows, labelled LABEL where the
# argument is LABEL=PATH (by default the release build, built when missing).
# With --check, the first build's `localhost` row must stay within the limits
# CI holds the packaged command to: at most 1.02 times the reference's
# instructions and below gethostip's, at most 1.05 times its peak memory;
# otherwise the script says which limit it passed and ends with status 1.
#
#   bench/callgrind.sh [--check] [[LABEL=]path/to/hostlix...]
#     (default: release=build/release/hostlix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=no
if [ "${1:-}" = --check ]; then
  check=yes
  shift
fi
builds=("$@")
[ $# -gt 0 ] || builds=("release=$root/build/release/hostlix")
labels=()
for i in "${!builds[@]}"; do
  label=${builds[i]%%=*}
  [ "$label" != "${builds[i]}" ] || label=$(basename "$(dirname "$(realpath -m "${builds[i]}")")")
  labels[i]=$label
  builds[i]=$(realpath -m "${builds[i]#*=}")
done

if [ -z "${HOSTLIX_BENCH_INSIDE:-}" ]; then
  if [ $# -eq 0 ] && [ ! -x "$root/build/release/hostlix" ]; then
    (cd "$root" && cmake --workflow --preset release) >/dev/null
  fi
  if ! command -v gethostip >/dev/null; then
    if [ "$(id -u)" -eq 0 ]; then
      apt-get install -y -q --no-install-recommends syslinux-utils >/dev/null
    else
      echo "gethostip missing: install Debian's syslinux-utils" >&2
      exit 2
    fi
  fi
  for hostlix in "${builds[@]}"; do
    [ -x "$hostlix" ] || { echo "$hostlix: no such command" >&2; exit 2; }
  done
  for tool in valgrind bc cc; do
    command -v "$tool" >/dev/null || { echo "$tool missing" >&2; exit 2; }
  done
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(--map-root-user)
  args=()
  for i in "${!builds[@]}"; do args+=("${labels[i]}=${builds[i]}"); done
  [ "$check" = no ] || args=(--check "${args[@]}")
  exec env HOSTLIX_BENCH_INSIDE=1 unshare --net "${as_root[@]}" "$0" "${args[@]}"
fi

ip link set lo up 2>/dev/null || ifconfig lo up
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/reference" "$root/bench/reference.c"
cc -O2 -o "$work/peak_rss" "$root/bench/peak_rss.c"
gethostip=$(command -v gethostip)
getent=$(command -v getent)
valgrind=$(command -v valgrind)

instructions() {
  env -i PATH=/usr/bin:/bin "$valgrind" --tool=callgrind --callgrind-out-file="$work/out" "$@" \
    >/dev/null 2>"$work/log" || true
  awk '/^summary:/ {print $2}' "$work/out"
}

peak_rss() {
  # One run is enough: peak_rss.c turns address-space randomisation off, so
  # every run maps the same layout and the figure repeats.
  env -i PATH=/usr/bin:/bin "$work/peak_rss" "$@"
}

ref_ir=$(instructions "$work/reference" localhost)
ref_rss=$(peak_rss "$work/reference" localhost)
printf '%-32s %14s %7s %10s %7s\n' command instructions ratio 'peak KiB' ratio
print_row() {  # name, instructions, peak KiB
  printf '%-32s %14s %7.3f %10s %7.3f\n' "$1" "$2" \
    "$(echo "$2 / $ref_ir" | bc -l)" "$3" "$(echo "$3 / $ref_rss" | bc -l)"
}
row() {
  local name=$1
  shift
  print_row "$name" "$(instructions "$@")" "$(peak_rss "$@")"
}
print_row "reference localhost" "$ref_ir" "$ref_rss"
failures=()
gethostip_ir=$(instructions "$gethostip" -d localhost)
print_row "gethostip -d localhost" "$gethostip_ir" "$(peak_rss "$gethostip" -d localhost)"
row "getent hosts localhost" "$getent" hosts localhost
for i in "${!builds[@]}"; do
  hostlix=${builds[i]}
  label=${labels[i]}
  ir=$(instructions "$hostlix" localhost)
  rss=$(peak_rss "$hostlix" localhost)
  print_row "hostlix localhost ($label)" "$ir" "$rss"
  row "hostlix 127.0.0.1 ($label)" "$hostlix" 127.0.0.1
  row "hostlix usage ($label)" "$hostlix"
  if [ "$check" = yes ] && [ "$i" -eq 0 ]; then
    [ "$(echo "$ir <= 1.02 * $ref_ir" | bc -l)" -eq 1 ] ||
      failures+=("instructions above 1.02 times the reference's")
    [ "$ir" -lt "$gethostip_ir" ] || failures+=("instructions not below gethostip's")
    [ "$(echo "$rss <= 1.05 * $ref_rss" | bc -l)" -eq 1 ] ||
      failures+=("peak memory above 1.05 times the reference's")
  fi
done
if [ "$check" = yes ]; then
  if [ "${#failures[@]}" -gt 0 ]; then
    printf "FAIL: hostlix localhost (${labels[0]//%/%%}): %s\n" "${failures[@]}" >&2
    exit 1
  fi
  echo "hostlix localhost (${labels[0]}): at most 1.02 times the reference's instructions" \
       "and below gethostip's, at most 1.05 times its peak memory"
fi
