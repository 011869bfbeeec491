# The tools that configure looks for, each named with the Debian package that
# brings it, from tools/debian-packages.txt (the one list of them). With
# HOSTLIX_REQUIRE_TOOLS on, as every preset has it, a missing tool stops
# configure; otherwise what needs it is left out, and configure says so.

# The hint for a missing `name`: the package that tools/debian-packages.txt
# gives for it (its PROGRAM column may name several, between commas).
function(hostlix_missing_hint name out_var)
  file(STRINGS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/debian-packages.txt lines
       REGEX "^[^#]")
  set(package "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(GET fields 1 programs)
    string(REPLACE "," ";" programs "${programs}")
    if(name IN_LIST programs)
      list(GET fields 0 package)
      break()
    endif()
  endforeach()
  if(package STREQUAL "")
    set(${out_var} "${name} not found" PARENT_SCOPE)
    return()
  endif()
  string(CONCAT hint "${name} not found: install the Debian package ${package} "
                "(tools/install-deps PRESET installs every package of a preset)")
  set(${out_var} ${hint} PARENT_SCOPE)
endfunction()

# hostlix_find_program(VAR NAME [REQUIRED] [FOR WHAT]): the path of program
# NAME in VAR. When it is missing: stop if REQUIRED or HOSTLIX_REQUIRE_TOOLS,
# otherwise say that WHAT is left out.
function(hostlix_find_program var name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "REQUIRED" "FOR" "")
  find_program(${var} ${name} PATHS /usr/sbin /sbin)
  if(${var})
    return()
  endif()
  hostlix_missing_hint(${name} hint)
  if(arg_REQUIRED OR HOSTLIX_REQUIRE_TOOLS)
    message(FATAL_ERROR ${hint})
  endif()
  message(STATUS ${hint} ": ${arg_FOR} left out")
endfunction()

# GoogleTest, which every test build needs.
function(hostlix_find_gtest)
  find_package(GTest)
  if(NOT GTest_FOUND)
    hostlix_missing_hint(GTest hint)
    message(FATAL_ERROR ${hint})
  endif()
endfunction()
