# Tests of HOSTLIX.EXE under Wine, from a Windows (cross) build tree: the
# version record, the unit tests built for Windows, and the end-to-end suite
# of a native sub-build pointed at HOSTLIX.EXE and Wine.
enable_testing()

# Wine's own loader for the program's width: with wine32 installed the plain
# "wine" command is the 32-bit loader, which cannot start a 64-bit program.
# Each build tree has a prefix of its own, of the matching architecture.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  set(wine_arch win64)
else()
  find_program(WINE NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
  set(wine_arch win32)
endif()
if(NOT WINE)
  hostlix_find_program(WINE wine REQUIRED)
endif()
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
set(wine_env WINEPREFIX=${wine_prefix} WINEARCH=${wine_arch} WINELOADER=${WINE} WINEDEBUG=-all
             WINEDLLOVERRIDES=mscoree,mshtml=)

add_executable(version_check tests/version_check_win32.cpp)
target_link_libraries(version_check PRIVATE version)
target_link_options(version_check PRIVATE -static)
target_compile_definitions(version_check PRIVATE HOSTLIX_VERSION="${PROJECT_VERSION}"
  HOSTLIX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} HOSTLIX_VERSION_MINOR=${hostlix_version_minor})

# GoogleTest needs std::mutex: MinGW-w64's posix thread model only.
if(CMAKE_CXX_COMPILER MATCHES "-posix$")
  include(cmake/tests/googletest_source.cmake)
  hostlix_add_unit_tests()
  add_test(NAME wine_unit_tests
    COMMAND ${CMAKE_COMMAND} -E env ${wine_env} ${WINE} $<TARGET_FILE:hostlix_unit_tests>)
  set_tests_properties(wine_unit_tests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900)
endif()

include(cmake/tests/native_e2e.cmake)

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
    ${native_e2e_tests} ${hostlix_e2e_through_runner})
set_tests_properties(wine_end_to_end PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1800
  SKIP_REGULAR_EXPRESSION ${hostlix_e2e_skipped})

# With a signing certificate, the signed and stripped copy that the ZIP and
# the installer hold runs the end-to-end suite as well.
if(HOSTLIX_SIGN_CERT)
  add_test(NAME wine_end_to_end_signed
    COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
      HOSTLIX_E2E_BINARY=${HOSTLIX_STRIPPED_EXE} HOSTLIX_E2E_RUNNER=${WINE}
      ${native_e2e_tests} ${hostlix_e2e_through_runner})
  set_tests_properties(wine_end_to_end_signed PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1800
    SKIP_REGULAR_EXPRESSION ${hostlix_e2e_skipped})
endif()

# The Windows ZIP, unpacked: its files, and the executable and the readme's
# batch file run from it.
add_test(NAME wine_zip
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
    ${CMAKE_SOURCE_DIR}/tests/zip_test.sh ${HOSTLIX_ZIP} ${WINE} ${CMAKE_OBJDUMP})
set_tests_properties(wine_zip PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)

# The installer under Wine, in a prefix of its own made afresh for each run:
# a fresh install (files, Add/Remove entry, PATH, a run from PATH) and its
# uninstall, an upgrade from a lower version, a refused downgrade and the
# uninstall.
add_test(NAME wine_msi
  COMMAND ${CMAKE_COMMAND} -E env WINEARCH=${wine_arch} WINELOADER=${WINE}
          ${CMAKE_SOURCE_DIR}/tests/msi_test.sh ${HOSTLIX_MSI} ${PROJECT_VERSION} ${WINE}
          ${CMAKE_BINARY_DIR}/msi-wineprefix ${CMAKE_COMMAND}
          ${CMAKE_SOURCE_DIR}/packaging/windows/scripts/make_msi.cmake ${HOSTLIX_MSI_ARGS})
set_tests_properties(wine_msi PROPERTIES TIMEOUT 600)

# The hardening of every HOSTLIX.EXE the build makes: the linked one, its
# stripped copy and the copies in the ZIP and the installer.
add_test(NAME pe_hardening
  COMMAND ${CMAKE_SOURCE_DIR}/tests/check_pe.py $<TARGET_FILE:hostlix> ${HOSTLIX_STRIPPED_EXE}
          ${HOSTLIX_ZIP} ${HOSTLIX_MSI})
