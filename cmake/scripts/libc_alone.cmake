# Runs after the command is linked (cmake -P, with READELF and BINARY set):
# the command must load the C library alone, and the dynamic loader where an
# architecture lists it. Anything else (libstdc++, libgcc_s, libm) fails the
# build and the binary is removed, so that it is neither installed nor
# packaged, and the next build links it again.
execute_process(COMMAND ${READELF} -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${READELF} -d ${BINARY} failed")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" lines "${dynamic}")
set(others "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE ".*\\[(.*)\\].*" "\\1" library "${line}")
  if(NOT library MATCHES "^(libc\\.so\\.6|ld(-linux[-a-z0-9_]*|64)?\\.so\\.[0-9]+)$")
    list(APPEND others ${library})
  endif()
endforeach()
if(others)
  file(REMOVE ${BINARY})
  list(JOIN others ", " others)
  message(FATAL_ERROR "${BINARY} needs ${others}: the command must load libc.so.6 alone. "
                      "Something it calls now comes from that library; "
                      "do it with the C library or in the command's own code.")
endif()
