# Shared by the shell tests: `check DESCRIPTION COMMAND...` counts a check
# that passes when the command succeeds (its output hidden), `result
# DESCRIPTION STATUS` counts one from a status already had, `summary`
# prints the closing line and fails when any check did, and `copy_sources
# DEST` copies the project's files as git knows them (or all but build/).
passed=0 failed=0
result() {
  if [ "$2" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $1"
  fi
}
check() {
  local what=$1 status=0
  shift
  "$@" >/dev/null 2>&1 || status=$?
  result "$what" "$status"
}
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
copy_sources() {
  local src
  src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  mkdir -p "$1"
  if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$src" && git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -cf -) | tar -xf - -C "$1"
  else
    (cd "$src" && tar --exclude=./build -cf - .) | tar -xf - -C "$1"
  fi
}
# in_chroot ROOT COMMAND...: runs COMMAND as root in the unpacked Debian
# system ROOT with a clean environment, the host's network and name server,
# its own /proc, /dev and /tmp, and the packages that apt downloads kept in
# HOSTLIX_APT_CACHE when that is set. bwrap makes ROOT the root of a mount
# namespace of its own: there, unlike under chroot(2), a user without root
# may make the user namespaces that the end-to-end cases run in.
in_chroot() {
  local root=$1
  shift
  local keep=()
  [ -z "${HOSTLIX_APT_CACHE:-}" ] || keep=(--bind "$HOSTLIX_APT_CACHE" /var/cache/apt/archives)
  bwrap --bind "$root" / --dev /dev --proc /proc --perms 1777 --tmpfs /tmp \
    --ro-bind /etc/resolv.conf /etc/resolv.conf "${keep[@]}" \
    --unshare-pid --unshare-ipc --die-with-parent --chdir / \
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"
}
# The two lines for the loopback that a Debian installer writes into
# /etc/hosts, and mmdebstrap leaves out.
loopback_hosts() {
  printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n'
}
# unpack_chroot FOLDER WHAT SUITE VARIANT [PACKAGE,...]: a fresh chroot of
# SUITE (tests/chroot_tarball.sh) unpacked into FOLDER/root, with the
# loopback lines in /etc/hosts and a cache for apt's downloads of its own
# (HOSTLIX_APT_CACHE). Where the mirror cannot give SUITE, the script says
# that WHAT was skipped, and why, and ends; with HOSTLIX_REQUIRE_ALL_TESTS
# set it fails instead.
unpack_chroot() {
  local folder=$1 what=$2 made=0 tarball
  shift 2
  tarball=$(tests/chroot_tarball.sh "$@") || made=$?
  if [ "$made" -eq 77 ] && [ -n "${HOSTLIX_REQUIRE_ALL_TESTS:-}" ]; then
    echo "FAIL: $what: the mirror cannot give $1 (above)"
    exit 1
  elif [ "$made" -eq 77 ]; then
    echo "SKIPPED: $what: the mirror cannot give $1 (above)"
    exit 0
  fi
  [ "$made" -eq 0 ] || exit "$made"
  rm -rf "$folder"
  mkdir -p "$folder/root"
  tar -C "$folder/root" -xf "$tarball"
  loopback_hosts >"$folder/root/etc/hosts"
  export HOSTLIX_APT_CACHE=${HOSTLIX_CHROOT_CACHE:-/var/cache/hostlix-ci}/apt-$1
  mkdir -p "$HOSTLIX_APT_CACHE"
}
# work_folder [FOLDER]: FOLDER in $work, or a temporary one, removed at exit.
work_folder() {
  work=${1:-}
  if [ -z "$work" ]; then
    work=$(mktemp -d)
    # After whatever the caller's own EXIT trap does.
    local caller
    caller=$(trap -p EXIT)
    caller=${caller#"trap -- "}
    eval "hostlix_caller_exit_trap=${caller%" EXIT"}"
    trap 'eval "$hostlix_caller_exit_trap"; rm -rf "$work"' EXIT
  fi
  # Absolute, so that it still holds after a script changes its folder.
  mkdir -p "$work"
  work=$(cd "$work" && pwd)
}
