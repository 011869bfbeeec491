# The same bytes from the same sources wherever they are checked out and
# built: the source and build folders reach the objects (debug information,
# __FILE__, and through them the build ID that survives stripping) only under
# fixed names. When one folder lies inside the other, the longer match wins:
# GCC and clang try the prefix maps given last first.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
endif()

# The PE header of a Windows executable holds the link time unless told not to.
if(MINGW)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# File times in the Windows ZIP come from SOURCE_DATE_EPOCH when it is set at
# packaging time, and otherwise from the date of the release's changelog
# entry, as dpkg-buildpackage does.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog trailer REGEX "^ -- ")
list(GET trailer 0 trailer)
string(REGEX REPLACE "^.*  ([A-Z][a-z][a-z], )" "\\1" release_date "${trailer}")
execute_process(COMMAND date -u -d "${release_date}" +%s
                OUTPUT_VARIABLE HOSTLIX_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT HOSTLIX_RELEASE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "Cannot read the date of debian/changelog: '${release_date}'")
endif()
