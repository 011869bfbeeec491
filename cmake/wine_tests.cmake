# Tests of HOSTLIX.EXE under Wine, from a Windows (cross) build tree.
#
# The end-to-end suite is a Linux program: it is built here by a native
# sub-build of this same project and pointed at HOSTLIX.EXE and Wine.
enable_testing()
include(ExternalProject)

find_program(WINE wine REQUIRED)
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
set(wine_env WINEPREFIX=${wine_prefix} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)

add_executable(version_check tests/version_check_win32.cpp)
target_link_libraries(version_check PRIVATE version)
target_link_options(version_check PRIVATE -static)

ExternalProject_Add(native_e2e
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/native
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DHOSTLIX_TESTS=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target hostlix_e2e_tests
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
)

# A Wine prefix of our own, made once before the tests that use it.
add_test(NAME wine_prefix
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env} ${WINE} wineboot --init)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)

add_test(NAME wine_version_record
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
    ${WINE} $<TARGET_FILE:version_check> $<TARGET_FILE:hostlix>)
set_tests_properties(wine_version_record PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)

add_test(NAME wine_end_to_end
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
    HOSTLIX_E2E_BINARY=$<TARGET_FILE:hostlix> HOSTLIX_E2E_RUNNER=${WINE}
    ${CMAKE_BINARY_DIR}/native/hostlix_e2e_tests)
set_tests_properties(wine_end_to_end PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1800)

# The Windows ZIP, unpacked: its files, and the executable and the readme's
# batch file run from it.
add_test(NAME wine_zip
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
    ${CMAKE_SOURCE_DIR}/tests/zip_test.sh ${HOSTLIX_ZIP} ${WINE} ${CMAKE_OBJDUMP})
set_tests_properties(wine_zip PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
