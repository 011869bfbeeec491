# The hardening Debian gives every package it builds (dpkg-buildflags on
# bookworm), for every ELF build of the project whatever its build type:
# position-independent executables, a stack protector on functions with
# arrays or addresses taken, fortified libc calls, format-string checks and
# a read-only relocation table after start-up.
#
# Immediate binding (-z now) is not among Debian's defaults: it would resolve
# every libc symbol at start-up, a few thousand instructions a run for calls
# the command never makes, so it is left off.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  # Fortification needs the optimiser: the optimised build types get it (a
  # build without a type takes its flags, fortification included, from the
  # caller, as a distribution's packaging does).
  set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  add_compile_options($<${optimised}:-U_FORTIFY_SOURCE> $<${optimised}:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro)
endif()
