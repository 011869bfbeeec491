# Shared by the shell tests that run Wine, with WINEPREFIX set. WINE is
# Wine's loader (/usr/lib/wine/wine64, say); its wineserver is beside it.
#
# A wineserver is found by the device and inode of its prefix's folder (in
# /run/user/UID/wine where that exists). One still running for a folder
# since deleted answers for a new folder that reuses the inode: a prefix
# made through it is never booted (wine: could not load kernel32.dll, status
# c0000135), and a command run through it sees the old prefix's state. And
# Debian's wineserver ends the moment its last client does, so each command
# of a script would start a server of its own while the previous one may
# still be shutting down. So a script makes its prefix with
# wine_make_prefix, holds one server while it runs (wine_hold_server), and
# stops it on exit (wine_stop_server).

# wine_server WINE ARG...: runs the wineserver beside the loader WINE.
wine_server() {
  "$(dirname "$1")/wineserver" "${@:2}"
}

# wine_stop_server WINE: stops the server that answers for WINEPREFIX, if
# one does, and waits until it has ended.
wine_stop_server() {
  wine_server "$1" -k 2>/dev/null
  wine_server "$1" -w 2>/dev/null
  return 0
}

# wine_make_prefix WINE: makes the prefix of WINEPREFIX, or brings it up to
# date, through a server of its own, and waits until that server has ended,
# so that the prefix is whole when the tests start. False when wineboot
# fails.
wine_make_prefix() {
  mkdir -p "$WINEPREFIX" || return 1
  wine_stop_server "$1"
  "$1" wineboot --init || return 1
  wine_server "$1" -w
}

# wine_hold_server WINE: one server for the prefix until wine_stop_server,
# started with its streams on /dev/null, then Wine's background processes by
# a quiet first run: a server or background process that a checked command
# started would hold that command's output open for as long as it lingers.
wine_hold_server() {
  wine_stop_server "$1"
  wine_server "$1" -p </dev/null >/dev/null 2>&1 && "$1" wineboot </dev/null >/dev/null 2>&1
}
