# The end-to-end suite is a Linux program for the build machine: in a cross
# build tree it is built by a native sub-build of this same project, in
# native/, and pointed at the cross-built command and the program that runs it.
# The sub-build's own command, which the suite's target depends on, is the
# one that a Linux cross build compares its command with.
include(ExternalProject)
ExternalProject_Add(native_e2e
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/native
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DHOSTLIX_TESTS=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target hostlix_e2e_tests
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
)
set(native_e2e_tests ${CMAKE_BINARY_DIR}/native/hostlix_e2e_tests)
set(native_command ${CMAKE_BINARY_DIR}/native/hostlix)
