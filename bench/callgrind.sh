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
# Each build of the command named gets its rows, labelled with the C++
# runtime it links: by default the release build (libstdc++ and libgcc linked
# in) and the same with the system's shared ones (HOSTLIX_STATIC_RUNTIME=OFF,
# as the Debian and RPM packages build it), each built when missing.
#
#   bench/callgrind.sh [path/to/hostlix...]
#     (default: build/release/hostlix build/release-shared-runtime/hostlix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=("$@")
[ $# -gt 0 ] || builds=("$root/build/release/hostlix" "$root/build/release-shared-runtime/hostlix")
for i in "${!builds[@]}"; do builds[i]=$(realpath -m "${builds[i]}"); done

if [ -z "${HOSTLIX_BENCH_INSIDE:-}" ]; then
  if [ $# -eq 0 ]; then
    (cd "$root" &&
      { [ -x build/release/hostlix ] || cmake --workflow --preset release; } &&
      { [ -x build/release-shared-runtime/hostlix ] ||
        { cmake --preset release -B build/release-shared-runtime -DHOSTLIX_STATIC_RUNTIME=OFF &&
          cmake --build build/release-shared-runtime; }; }) >/dev/null
  fi
  if ! command -v gethostip >/dev/null; then
    if [ "$(id -u)" -eq 0 ]; then
      apt-get install -y -q --no-install-recommends syslinux-utils >/dev/null
    else
      echo "gethostip missing: install Debian's syslinux-utils" >&2
      exit 2
    fi
  fi
  for tool in valgrind bc cc; do
    command -v "$tool" >/dev/null || { echo "$tool missing" >&2; exit 2; }
  done
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(--map-root-user)
  exec env HOSTLIX_BENCH_INSIDE=1 unshare --net "${as_root[@]}" "$0" "${builds[@]}"
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
  # The smallest of 25 runs: where the loader places the mappings moves the
  # pages a run touches by a hundred KiB or so, and noise only ever adds.
  local best=
  for _ in $(seq 25); do
    local kib
    kib=$(env -i PATH=/usr/bin:/bin "$work/peak_rss" "$@")
    if [ -z "$best" ] || [ "$kib" -lt "$best" ]; then best=$kib; fi
  done
  echo "$best"
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
row "gethostip -d localhost" "$gethostip" -d localhost
row "getent hosts localhost" "$getent" hosts localhost
for hostlix in "${builds[@]}"; do
  runtime=static
  if readelf -d "$hostlix" | grep -q -E 'NEEDED.*\[libstdc\+\+'; then runtime=shared; fi
  row "hostlix localhost ($runtime)" "$hostlix" localhost
  row "hostlix 127.0.0.1 ($runtime)" "$hostlix" 127.0.0.1
  row "hostlix usage ($runtime)" "$hostlix"
done
