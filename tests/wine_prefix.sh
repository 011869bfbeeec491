#!/usr/bin/env bash
# Makes the Wine prefix of WINEPREFIX for the tests that share it, or brings
# it up to date (tests/wine.sh says how).
#
# Usage: WINEPREFIX=... WINEARCH=... tests/wine_prefix.sh WINE
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/wine.sh
. "$src/tests/wine.sh"
wine_make_prefix "$1"
