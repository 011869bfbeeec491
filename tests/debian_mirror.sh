#!/bin/sh
# Prints the Debian mirror that this machine's apt takes its own release
# from: the first URI of a "deb" source whose suite is the release's code
# name, in the one-line format (sources.list, *.list) or the deb822 one
# (*.sources). The chroots that the tests and CI make come from the same
# mirror, so whatever the machine reaches for apt (its mirror, a proxy, a
# local copy) serves them too. Ends with status 1, saying why, when apt's
# sources name none.
set -eu
# shellcheck disable=SC1091 # the running system's
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
one_line() {
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ ! -f "$file" ] || cat "$file"
  done | awk -v codename="$codename" '
    $1 == "deb" {
      field = 2
      if ($field ~ /^\[/) { while (field < NF && $field !~ /\]$/) field++; field++ }
      if ($(field + 1) == codename) { print $field; exit }
    }'
}
deb822() {
  # Each file ends its last stanza with a blank line of its own.
  for file in /etc/apt/sources.list.d/*.sources; do
    [ ! -f "$file" ] || { cat "$file"; echo; }
  done | awk -v codename="$codename" '
    /^[ \t]*$/ {
      if (types ~ / deb( |$)/ && (suites " ") ~ (" " codename " ") && split(uris, uri, " ") > 0) {
        print uri[1]
        exit
      }
      types = uris = suites = ""
      next
    }
    tolower($1) == "types:" { $1 = ""; types = $0 }
    tolower($1) == "uris:" { $1 = ""; uris = $0 }
    tolower($1) == "suites:" { $1 = ""; suites = $0 }'
}
mirror=$(one_line)
[ -n "$mirror" ] || mirror=$(deb822)
if [ -z "$mirror" ]; then
  echo "apt's sources name no Debian mirror for ${codename:-this release}" >&2
  exit 1
fi
echo "${mirror%/}"
