# Tests of a Linux cross build: the unit tests built for the target and run
# under the toolchain's emulator (CMAKE_CROSSCOMPILING_EMULATOR, applied by
# CTest), the end-to-end suite run natively against the cross-built command
# started through the same emulator, and the command's output compared with
# the native build's.
enable_testing()
include(cmake/tests/googletest_source.cmake)
include(GoogleTest)

hostlix_add_unit_tests()
gtest_discover_tests(hostlix_unit_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

include(cmake/tests/native_e2e.cmake)
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator)
add_test(NAME emulated_end_to_end
  COMMAND ${CMAKE_COMMAND} -E env HOSTLIX_E2E_BINARY=$<TARGET_FILE:hostlix>
    "HOSTLIX_E2E_RUNNER=${emulator}" ${native_e2e_tests} ${hostlix_e2e_through_runner})
set_tests_properties(emulated_end_to_end PROPERTIES TIMEOUT 1800
  SKIP_REGULAR_EXPRESSION ${hostlix_e2e_skipped})

add_test(NAME same_output_as_native
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/cross_output_test.sh
          ${native_command} $<TARGET_FILE:hostlix> ${CMAKE_CROSSCOMPILING_EMULATOR})
set_tests_properties(same_output_as_native PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)
