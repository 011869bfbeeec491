#!/usr/bin/env bash
# Measures how much of the command's own code the tests run: the coverage
# preset (every test but the valgrind pass, built with --coverage -O0), then
# gcovr's summary of lines and branches for lookup/, services/ and frame/,
# without the tests beside them, and a table of what is left uncovered.
#
# Left out: frame/runtime_failures.cpp, whose cases end in child processes
# that exit before they write coverage data; the branches that only an
# exception would take, and those of lines without useful code (gcovr's
# --exclude-throw-branches and --exclude-unreachable-branches).
#
# Usage: tests/coverage.sh   (from anywhere; tools/install-deps test coverage)
set -eu
cd "$(dirname "$0")/.."
command -v gcovr >/dev/null || { echo "gcovr is missing: tools/install-deps coverage"; exit 1; }
find build/coverage -name '*.gcda' -delete 2>/dev/null || true
cmake --workflow --preset coverage
filters=(--root . --object-directory build/coverage
         --filter 'lookup/' --filter 'services/' --filter 'frame/'
         --exclude '.*_test\.cpp$' --exclude 'frame/runtime_failures\.cpp$'
         --exclude-throw-branches --exclude-unreachable-branches)
# Per file: lines, then branches, each with what is left uncovered.
echo
gcovr "${filters[@]}"
gcovr "${filters[@]}" --branches --print-summary
