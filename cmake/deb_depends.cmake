# The Depends field of the package, read from the binary itself: the shared
# libraries it needs and the glibc symbol versions it asks of them. This is
# what dpkg-shlibdeps finds on a native build; a cross build cannot use
# dpkg-shlibdeps, as the target's libc is not installed as a Debian package of
# that architecture, so the cross objdump answers instead.
#
# As a script: cmake -DOBJDUMP=objdump -DBINARY=path -P deb_depends.cmake
# prints the field.
cmake_policy(VERSION 3.25)

# The libraries of glibc all come with the libc6 package, which provides every
# symbol version up to its own version.
set(hostlix_glibc_libraries
    libc.so.6 libm.so.6 libpthread.so.0 libdl.so.2 librt.so.1 libresolv.so.2
    libutil.so.1 libanl.so.1)

function(hostlix_deb_depends objdump binary out_var)
  execute_process(COMMAND ${objdump} -p ${binary}
                  OUTPUT_VARIABLE dump RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${objdump} -p ${binary} failed")
  endif()
  string(REPLACE "\n" ";" lines "${dump}")
  set(libc_version "")
  set(from "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^ +NEEDED +([^ ]+)$")
      set(library ${CMAKE_MATCH_1})
      if(NOT library IN_LIST hostlix_glibc_libraries
         AND NOT library MATCHES "^ld-linux.*\\.so\\.[0-9]+$")
        message(FATAL_ERROR "${binary} needs ${library}, which has no package "
                            "mapping in ${CMAKE_CURRENT_FUNCTION_LIST_FILE}")
      endif()
      if(libc_version STREQUAL "")
        set(libc_version 0)
      endif()
    elseif(line MATCHES "^  required from ([^ ]+):$")
      set(from ${CMAKE_MATCH_1})
    elseif(line MATCHES "^    0x[0-9a-f]+ 0x[0-9a-f]+ [0-9]+ GLIBC_([0-9.]+)$")
      if(CMAKE_MATCH_1 VERSION_GREATER libc_version)
        set(libc_version ${CMAKE_MATCH_1})
      endif()
    elseif(line MATCHES "^    0x[0-9a-f]+ 0x[0-9a-f]+ [0-9]+ ([^ ]+)$")
      message(FATAL_ERROR "${binary} asks ${from} for ${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(libc_version STREQUAL "")
    set(${out_var} "" PARENT_SCOPE)  # static: no dependency
  elseif(libc_version EQUAL 0)
    set(${out_var} "libc6" PARENT_SCOPE)
  else()
    set(${out_var} "libc6 (>= ${libc_version})" PARENT_SCOPE)
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  hostlix_deb_depends(${OBJDUMP} ${BINARY} depends)
  message("${depends}")
endif()
