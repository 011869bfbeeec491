#!/usr/bin/env bash
# The bash completion offers the host names that bash knows (here from a
# HOSTFILE of our own), for the first argument only.
set -u
completion=$1
hosts=$(mktemp)
trap 'rm -f "$hosts"' EXIT
printf '10.0.0.1 alpha.test alpha\n10.0.0.2 beta.test\n10.0.0.3 alpine.test\n' > "$hosts"

. "$(dirname "$0")/checks.sh"
offers() {  # words... -- expected (sorted, blank-separated)
  local words=() expected
  while [ "$1" != -- ]; do words+=("$1"); shift; done
  expected=$2
  local got
  got=$(HOSTFILE=$hosts bash --norc --noprofile -c '
    source "$0"
    COMP_WORDS=("${@}")
    COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))
    _hostlix
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' "$completion" "${words[@]}")
  [ "${got% }" = "$expected" ]
  result "${words[*]}: got '${got% }', want '$expected'" $?
}
offers hostlix al -- "alpha alpha.test alpine.test"
offers hostlix beta -- "beta.test"
offers hostlix zz -- ""
offers hostlix alpha.test al -- ""
summary
