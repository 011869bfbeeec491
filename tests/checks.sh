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
  local what=$1
  shift
  "$@" >/dev/null 2>&1
  result "$what" $?
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
