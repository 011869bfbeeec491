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

# The release time stamp, for the stripped HOSTLIX.EXE and the file times in
# the Windows packages (the Debian and RPM tools take their own): SOURCE_DATE_EPOCH when it is set at
# configure time; in a git checkout, the time of the commit checked out; in a
# release tarball, the commit time that git archive wrote into
# cmake/release-time (export-subst in .gitattributes); otherwise none.
# Configuring needs neither debian/ nor any date program.
set(HOSTLIX_RELEASE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
set(hostlix_epoch_from "SOURCE_DATE_EPOCH")
if(HOSTLIX_RELEASE_EPOCH STREQUAL "" AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/.git)
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_CURRENT_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE HOSTLIX_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
    set(hostlix_epoch_from "the commit checked out")
  endif()
endif()
if(NOT HOSTLIX_RELEASE_EPOCH MATCHES "^[0-9]+$")
  # Outside a release tarball the file holds git's placeholder, not a number.
  file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/release-time HOSTLIX_RELEASE_EPOCH
       REGEX "^[0-9]+$" LIMIT_COUNT 1)
  set(hostlix_epoch_from "the release tarball")
endif()
if(HOSTLIX_RELEASE_EPOCH MATCHES "^[0-9]+$")
  message(STATUS "Release time stamp: ${HOSTLIX_RELEASE_EPOCH} (from ${hostlix_epoch_from})")
else()
  set(HOSTLIX_RELEASE_EPOCH "")
  message(STATUS "Release time stamp: none (no SOURCE_DATE_EPOCH, git checkout or release tarball)")
  if(MINGW)
    message(FATAL_ERROR "The stripped HOSTLIX.EXE and the Windows packages take their time stamp "
                        "from the release: set SOURCE_DATE_EPOCH")
  endif()
endif()
