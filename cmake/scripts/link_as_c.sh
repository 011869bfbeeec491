#!/bin/sh
# Runs the link of a program that is linked as a C program (the command, and
# the test built like it), and when the link fails for want of a symbol, says
# why: the C++ library is never on such a link line.
out=$("$@" 2>&1)
status=$?
[ -z "$out" ] || printf '%s\n' "$out" >&2
if [ "$status" -ne 0 ] && printf '%s\n' "$out" | grep -q 'undefined reference\|undefined symbol'; then
  cat >&2 <<'HINT'
hostlix is linked as a C program, so that it loads libc.so.6 alone: the C++
library (libstdc++) is never on its link line, and GCC 12 has no -nostdlib++.
The symbols above are the C++ library's. Use what the headers alone give or
the C library instead (no iostreams, no std::chrono clock, no out-of-line
library member); if a libstdc++ header calls a new std::__throw_* helper,
define it in frame/runtime_failures.cpp.
HINT
fi
exit "$status"
