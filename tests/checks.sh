# Shared by the shell tests: `check DESCRIPTION COMMAND...` counts a check
# that passes when the command succeeds (its output hidden), and `summary`
# prints the closing line and fails when any check did.
passed=0 failed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $what"
  fi
}
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
