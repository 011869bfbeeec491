#!/usr/bin/env bash
# DNS cost of one lookup: the queries each command sends and the time of one
# lookup against a name server that answers after a fixed delay, for
# hostlix, `getent hosts` and `gethostip -d` (syslinux-utils).
#
#   sudo bench/dns_bench.sh build/release/hostlix [DELAY_MS]
#
# Runs in private mount, UTS and network namespaces (root), with the end-to-
# end tests' name server (unbound and tests/e2e/dns.zone) on the namespace's
# loopback; nothing leaves the machine. The delay comes from netem on lo
# where the kernel has it, otherwise from bench/delay_relay.c in front of
# the server. Needs unbound, iproute2, a C compiler, getent, gethostip.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${HOSTLIX_BENCH_INSIDE:-}" ]; then
  exec unshare -mnu env HOSTLIX_BENCH_INSIDE=1 "$0" "$@"
fi
hostlix=$(realpath "$1")
delay=${2:-50}
runs=7

run=$(mktemp -d)
cleanup() {
  for pid in ${server:-} ${relay:-}; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$run"
}
trap cleanup EXIT

ip link set lo up
mount --make-rprivate /
printf '127.0.0.1\tlocalhost\n' >"$run/hosts"
printf 'nameserver 127.0.0.1\noptions timeout:5 attempts:1\n' >"$run/resolv.conf"
printf 'hosts: files dns\n' >"$run/nsswitch.conf"
for f in hosts resolv.conf nsswitch.conf; do mount --bind "$run/$f" "/etc/$f"; done
[ -d /run/nscd ] && mount -t tmpfs tmpfs /run/nscd

# The tests' server, with a large.test zone of its own: one name with 339
# addresses (just too many for a 4 KiB host entry) and one with 4,000.
{
  printf '$TTL 60\nlarge.test. IN SOA ns.test. admin.test. 1 3600 600 86400 60\n'
  for i in $(seq 1 339); do printf 'above4k.large.test. IN A 10.1.%d.%d\n' $((i / 256)) $((i % 256)); done
  for i in $(seq 1 4000); do printf 'huge.large.test. IN A 10.2.%d.%d\n' $((i / 256)) $((i % 256)); done
} >"$run/large.zone"
start_server() {  # port
  sed -e "s|@DATA@|$here/tests/e2e|g" -e "s|@RUN@|$run|g" -e "s|port: 53|port: $1|" \
    "$here/tests/e2e/unbound.conf" >"$run/unbound.conf"
  : >"$run/query.log"
  unbound -d -c "$run/unbound.conf" 2>>"$run/unbound.err" &
  server=$!
  for _ in $(seq 50); do
    grep -q 'start of service' "$run/query.log" 2>/dev/null && return
    sleep 0.1
  done
  echo "unbound did not start: $(cat "$run/unbound.err")" >&2
  exit 1
}
stop_server() { kill "$server"; wait "$server" 2>/dev/null || true; server=; }

queries() {  # command... : the DNS messages it sends, by type
  local before after
  before=$(grep -c ' IN$' "$run/query.log" || true)
  "$@" >/dev/null 2>&1 || true
  sleep 0.05
  after=$(grep ' IN$' "$run/query.log" | tail -n +$((before + 1)) | awk '{print $(NF-1)}' |
    sort | uniq -c | awk '{printf "%s%d %s", sep, $1, $2; sep=" + "}')
  echo "${after:-0}"
}

millis() {  # command... : the median wall time of $runs runs, in ms
  local times=() t0 t1
  for _ in $(seq $runs); do
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$((runs / 2 + 1))p" | awk '{printf "%.1f", $1 / 1000}'
}

declare -A commands=(
  [hostlix]="$hostlix"
  [getent]="getent hosts"
  [gethostip]="gethostip -d"
)
order=(hostlix getent gethostip)

millis_cell() { echo "$(millis "$@") ms"; }

table() {  # cell function, names: a row a name, a column a command
  local cell=$1 name c row
  shift
  printf '| %-34s | %-16s | %-16s | %-16s |\n' lookup "${order[@]}"
  for name in "$@"; do
    row=()
    for c in "${order[@]}"; do
      # gethostip looks up names only.
      if [ "$c" = gethostip ] && [ "$name" = 192.0.2.33 ]; then row+=("n/a"); continue; fi
      # shellcheck disable=SC2086  # a command line, split into its words
      row+=("$("$cell" ${commands[$c]} "$name")")
    done
    printf '| %-34s | %-16s | %-16s | %-16s |\n' "$name" "${row[@]}"
  done
}

echo "Queries per lookup (messages the server received; TCP retries count):"
start_server 53
table queries only-dns.test 192.0.2.33 missing.test above4k.large.test huge.large.test
stop_server

# The same server behind a delay of $delay ms per answer.
if tc qdisc add dev lo root netem delay "$((delay / 2))ms" 2>/dev/null; then
  how="netem on lo, $((delay / 2)) ms each way"
  start_server 53
else
  how="bench/delay_relay.c (the kernel has no netem)"
  cc -O2 -o "$run/delay_relay" "$here/bench/delay_relay.c"
  start_server 5300
  "$run/delay_relay" "$delay" 5300 &
  relay=$!
  sleep 0.2
fi
echo
echo "Time of one lookup, median of $runs, answers delayed $delay ms ($how):"
table millis_cell localhost only-dns.test 192.0.2.33 missing.test
