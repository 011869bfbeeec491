#!/usr/bin/env bash
# A cross-built command prints the same bytes and ends with the same status as
# the native build, argument for argument: dotted quads with octal, signed,
# empty and overflowing fields, host names bare and inside UNC paths and URLs,
# and every road to the usage screen.
#
# Both run in private mount and network namespaces, over a hosts file that
# names every address 10.0.0.N and N.0.0.10 after its byte N, so that any
# difference in how a field becomes a byte, or in the order of the bytes,
# shows as another name. Only the
# hosts file answers (nsswitch.conf says "files"), and with loopback down no
# query could leave the machine anyway.
#
# Usage: tests/cross_output_test.sh NATIVE_HOSTLIX CROSS_HOSTLIX [RUNNER...]
#   RUNNER: the command that runs the cross-built one (qemu-user and its options)
# A run that cannot make the namespaces exits with 77 (skipped), or fails
# with HOSTLIX_REQUIRE_ALL_TESTS set.
set -u
skip() {
  echo "SKIPPED: $1"
  [ -n "${HOSTLIX_REQUIRE_ALL_TESTS:-}" ] && exit 1
  exit 77
}

if [ "${1:-}" != --inside ]; then
  # Root makes the namespaces directly, any other user inside a user
  # namespace of its own.
  for how in "unshare --mount --net" "unshare --user --map-root-user --mount --net"; do
    # shellcheck disable=SC2086 # the words of the command
    if $how true 2>/dev/null; then exec $how "$0" --inside "$@"; fi
  done
  skip "no private mount and network namespace can be made here"
fi
shift
native=$1
cross=$2
shift 2
runner=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  echo "127.0.0.1 localhost"
  for n in $(seq 0 255); do
    echo "10.0.0.$n byte-$n.test"
    echo "$n.0.0.10 first-$n.test"
  done
} >"$work/hosts"
echo "hosts: files" >"$work/nsswitch.conf"
for file in hosts nsswitch.conf; do
  mount --bind "$work/$file" "/etc/$file" 2>/dev/null ||
    skip "/etc/$file cannot be replaced in the private mount namespace"
done

# shellcheck source=tests/checks.sh
. "$(dirname "$0")/checks.sh"

# Runs both commands with the arguments given and compares what they print
# on each stream and how they end.
compare() {
  local shown=$1
  shift
  "$native" "$@" >"$work/native.out" 2>"$work/native.err"
  local native_status=$?
  "${runner[@]}" "$cross" "$@" >"$work/cross.out" 2>"$work/cross.err"
  local cross_status=$?
  local same=0
  cmp -s "$work/native.out" "$work/cross.out" || same=1
  cmp -s "$work/native.err" "$work/cross.err" || same=1
  [ "$native_status" -eq "$cross_status" ] || same=1
  result "$shown: the same output and status" $same
  if [ $same -ne 0 ]; then
    echo "  native, status $native_status:"
    od -c "$work/native.out" "$work/native.err" | sed 's/^/    /'
    echo "  cross, status $cross_status:"
    od -c "$work/cross.out" "$work/cross.err" | sed 's/^/    /'
  fi
}

zeros=$(printf '%04932d' 0)
# shellcheck disable=SC2016 # a "$" in an argument is the argument's own
arguments=(
  # Dotted quads: plain, leading zeros (read in decimal), the address 0 (the
  # machine's own name), wrapped in a UNC path or a URL, too few or too many
  # fields, a field after a colon.
  10.0.0.1 7.0.0.10 010.000.000.007 0.0.0.0 255.255.255.255 '\\10.0.0.3\ipc$'
  'http://10.0.0.4/index.html' 10.0.0.5:8080 '"10.0.0.6"' 10.0.0 10.0.0.1.1 123
  # Octal radix fields and their type suffixes.
  '10.0.0.&17' '10.0.0.&377' '10.0.0.&400' '&10.0.0.1' '10.0.0.&177777' '10.0.0.&177777&'
  '10.0.0.&177777?' '10.0.0.&0177777' '10.0.0.&100000' '10.0.0.&37777777777'
  '10.0.0.&37777777777&&' '10.0.0.&1777777777777777777777' '10.0.0.&1777777777777777777777?'
  '10.0.0.&2000000000000000000000' '10.0.0.&' '10.0.0.&8' '10.0.0.&18' '10.0.0.&17%'
  # Signs, and fields that do not begin with a number. A minus sign is a
  # name's character: such an argument is a host name.
  10.0.0.+9 10.0.0.++9 '10.0.0.+&17' '10.0.0.$9' 10.0.0.-247 -1.0.0.10 +1.0.0.10
  # Empty fields.
  10...1 10.0.. '\\10.0.0.\share' 10.0..9 .10.0.0.2.
  # Overflow: fields of 256 and more, numbers of more than 18 digits, a
  # number beyond the format's exponent range, and octal fields at the ends
  # of the 64-bit range (-2^63 + 1 packs as 1 only in the 80-bit format).
  10.0.0.256 10.0.0.4294967297 10.0.0.99999999999999999999 10.0.0.000000000000000000000000255
  1234567890123456789012.0.0.10 "10.0.0.1$zeros" '10.0.0.&1000000000000000000000'
  '10.0.0.&1000000000000000000001' '10.0.0.&1777777777777777777401' '10.0.0.&777777777777777777777'
  # Line feeds are skipped before a number, a carriage return is not;
  # bytes above 127 end a number.
  $'10.0.0.\n9' $'10.0.0.\r9' $'10.0.0.1\xc3\xa9'
  # Host names: bare, in other letter case, in quotes, in UNC paths and URLs,
  # with a port, unknown, with a digit first.
  localhost LOCALHOST byte-9.test BYTE-200.TEST '"byte-7.test."' '..\\byte-8.test\..'
  '\\byte-1.test\share1\rest_of_UNCPath\file1.exe' 'http://byte-2.test/index.html'
  'ftp://First-3.Test/x' byte-4.test:80 unknown.test 1a.2.3.4 "$(printf 'a%.0s' $(seq 300))"
  # The usage screen.
  '' '/?' /help -h '?' 'a b' 'a,b' $'a\tb' 'http://' 'http://.host' $'\xff'
)
for argument in "${arguments[@]}"; do
  printf -v shown '%q' "${argument:0:40}"
  compare "$shown" "$argument"
done
compare "no argument"
compare "two arguments" byte-1.test byte-2.test
summary
