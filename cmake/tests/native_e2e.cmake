# The end-to-end suite is a Linux program for the build machine: in a cross
# build tree it is built by a native sub-build of this same project, in
# native/, and pointed at the cross-built command and the program that runs it.
# The sub-build's own command, which the suite's target depends on, is the
# one that a Linux cross build compares its command with. A native build tree
# made already (CI's test preset) can stand in for the sub-build.
set(HOSTLIX_NATIVE_BUILD "" CACHE PATH
    "A native build tree with the tests, whose end-to-end suite and command a cross build uses (empty: a sub-build in native/)")
if(HOSTLIX_NATIVE_BUILD)
  set(native_build ${HOSTLIX_NATIVE_BUILD})
else()
  include(ExternalProject)
  ExternalProject_Add(native_e2e
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/native
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DHOSTLIX_TESTS=ON
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target hostlix_e2e_tests
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
  )
  set(native_build ${CMAKE_BINARY_DIR}/native)
endif()
set(native_e2e_tests ${native_build}/hostlix_e2e_tests)
set(native_command ${native_build}/hostlix)
