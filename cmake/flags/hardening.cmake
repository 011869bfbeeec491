# Compiler flags: the caller's first, then what the project adds only where
# the caller has said nothing.
#
# A build that names no type and brings no flags of its own is a release
# build. A distribution's build brings its flags (CXXFLAGS, LDFLAGS, or
# CMAKE_CXX_FLAGS and friends): nothing here lowers or overrides them, not
# their optimisation level, their _FORTIFY_SOURCE level, LTO or -z now.
string(JOIN " " hostlix_caller_flags ${CMAKE_CXX_FLAGS} ${CMAKE_EXE_LINKER_FLAGS})
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES AND hostlix_caller_flags STREQUAL "")
  set(CMAKE_BUILD_TYPE Release CACHE STRING "Release, RelWithDebInfo, Debug, MinSizeRel or None" FORCE)
endif()

# An optimisation level of the caller stands: the build type's own -O goes.
if(CMAKE_CXX_FLAGS MATCHES "(^| )-O")
  foreach(config RELEASE RELWITHDEBINFO MINSIZEREL DEBUG)
    string(REGEX REPLACE "(^| )-O[^ ]*" "" CMAKE_CXX_FLAGS_${config} "${CMAKE_CXX_FLAGS_${config}}")
  endforeach()
endif()

# hostlix_unless_caller(PATTERN FLAG...): FLAG... for every compile (or, with
# LINK first, every link) unless the caller's flags already match PATTERN.
function(hostlix_unless_caller pattern)
  if(hostlix_caller_flags MATCHES "${pattern}")
    return()
  endif()
  if(ARGV1 STREQUAL "LINK")
    list(SUBLIST ARGN 1 -1 flags)
    add_link_options(${flags})
  else()
    add_compile_options(${ARGN})
  endif()
endfunction()

# hostlix_fortify(): -D_FORTIFY_SOURCE=2 unless the caller names a level.
# Fortification needs the optimiser: the optimised build types get it, and
# so does a caller's own -O that is not -O0.
function(hostlix_fortify)
  set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  if(CMAKE_CXX_FLAGS MATCHES "(^| )-O([1-3sz]|fast)?( |$)")
    set(optimised 1)
  endif()
  hostlix_unless_caller("_FORTIFY_SOURCE" $<${optimised}:-D_FORTIFY_SOURCE=2>)
endfunction()

# The hardening Debian gives every package it builds (dpkg-buildflags on
# bookworm), for every ELF build whatever its type: position-independent
# executables, a stack protector on functions with arrays or addresses
# taken, fortified libc calls, format-string checks and a read-only
# relocation table after start-up. Immediate binding (-z now) is not among
# them: it would resolve every libc symbol at start-up, about 9,000
# instructions a run for calls the command never makes. A caller that wants
# it passes -Wl,-z,now.
include(CheckPIESupported)
check_pie_supported()
if(NOT hostlix_caller_flags MATCHES "-f(no-)?(pie|PIE|pic|PIC)( |$)|-no-pie")
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  hostlix_unless_caller("-f(no-)?stack-protector" -fstack-protector-strong)
  hostlix_unless_caller("-W(no-)?format( |$)" -Wformat)
  hostlix_unless_caller("format-security" -Werror=format-security)
  hostlix_fortify()
  hostlix_unless_caller("-z,?(no)?relro" LINK -Wl,-z,relro)
endif()
