# The hardening of a Windows build (MinGW-w64), the counterpart of
# hardening.cmake's flags for ELF builds, for every target of the tree:
# - a stack protector on functions with arrays or addresses taken (GCC links
#   MinGW-w64's libssp into the static executable; its canary is seeded
#   through ADVAPI32) and fortified C library calls in optimised builds;
# - address-space layout randomisation (--dynamicbase, with the relocation
#   table it needs), 64-bit high-entropy randomisation on x64 and a data
#   execution prevention opt-in (--nxcompat);
# - --tsaware: no per-session INI and registry redirection on a terminal
#   server; --large-address-aware on x86: the whole 4 GiB of a 32-bit
#   process on 64-bit Windows;
# - Windows 7 (6.1) as the oldest system, in the OS and subsystem versions.
# Debian's binutils cannot mark an image for Control Flow Guard, and SafeSEH
# is an x86 MSVC table GNU ld does not write: neither is asked for here.
# As on ELF builds (hardening.cmake), each flag only where the caller's own
# flags say nothing of it.
if(NOT MINGW)
  return()
endif()
hostlix_unless_caller("-f(no-)?stack-protector" -fstack-protector-strong)
hostlix_unless_caller("-f(no-)?stack-protector" LINK -fstack-protector-strong)
hostlix_fortify()
hostlix_unless_caller("dynamicbase" LINK -Wl,--dynamicbase)
hostlix_unless_caller("nxcompat" LINK -Wl,--nxcompat)
hostlix_unless_caller("tsaware" LINK -Wl,--tsaware)
hostlix_unless_caller("(os|subsystem)-version" LINK
  -Wl,--major-os-version,6 -Wl,--minor-os-version,1
  -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,1)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  hostlix_unless_caller("high-entropy-va" LINK -Wl,--high-entropy-va)
else()
  hostlix_unless_caller("large-address-aware" LINK -Wl,--large-address-aware)
endif()
