#!/usr/bin/env bash
# The checks that read the code rather than run it, for CI:
#   - every C++ file is formatted as .clang-format says;
#   - clang-tidy (.clang-tidy) finds nothing in the command's own sources,
#     read through the compile database of a build tree;
#   - the whole project, tests included, builds without a warning (-Werror);
#   - the release binary carries Debian's hardening (hardening-check).
#
#   tests/static_checks.sh RELEASE_BINARY
set -uo pipefail
cd "$(dirname "$0")/.."
binary=$1
. tests/checks.sh

mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c')
clang-format --dry-run --Werror "${sources[@]}"
result "clang-format" $?

tree=build/checks
cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOSTLIX_TESTS=ON \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build "$tree"
result "build with -Werror" $?

# The command's own code: the front end, the services and the frame, those this
# build compiles (not the Windows sources or the other number format).
mapfile -t own < <(git ls-files 'lookup/*.cpp' 'services/*.cpp' 'frame/*.cpp' | grep -v -E '_test\.cpp$' |
  while read -r file; do grep -q -F "\"file\": \"$PWD/$file\"" "$tree/compile_commands.json" && echo "$file"; done)
printf '%s\n' "${own[@]}" | xargs -P 2 -n 4 clang-tidy -p "$tree" --quiet 2>&1 |
  grep -v -E '^[0-9]+ warnings? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' |
  tee "$tree/clang-tidy.log"
! grep -q -E 'warning:|error:' "$tree/clang-tidy.log"
result "clang-tidy" $?

report=$(hardening-check "$binary")
echo "$report"
hardening() { grep -q -E "^ $1: $2" <<<"$report"; }
hardening "Position Independent Executable" yes
result "hardening: PIE" $?
hardening "Stack protected" yes
result "hardening: stack protector" $?
hardening "Fortify Source functions" "(yes|unknown)"
result "hardening: fortify" $?
hardening "Read-only relocations" yes
result "hardening: RELRO" $?

summary
