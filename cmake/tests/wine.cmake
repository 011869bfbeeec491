# Tests of HOSTLIX.EXE under Wine, from a Windows (cross) build tree: the
# version record, the unit tests built for Windows, and the end-to-end suite
# of a native sub-build pointed at HOSTLIX.EXE and Wine.
enable_testing()

include(cmake/tests/wine_env.cmake)
# Each build tree has a prefix of its own, of the matching architecture.
set(wine_bits 32)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(wine_bits 64)
endif()
hostlix_wine_loader(WINE ${wine_bits})
if(NOT WINE)
  hostlix_find_program(WINE wine REQUIRED)
endif()
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
hostlix_wine_env(wine_env ${WINE} ${wine_bits} ${wine_prefix})

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
  set_tests_properties(wine_unit_tests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900
                      RESOURCE_LOCK ${wine_prefix})
endif()

include(cmake/tests/native_e2e.cmake)

# A Wine prefix of our own, made once before the tests that use it, which
# take it in turns: the end-to-end suite holds the prefix's wineserver for
# its run and stops it at the end, under any other test that shares it.
hostlix_add_wine_prefix(wine_prefix wine ${WINE} ${wine_env})

add_test(NAME wine_version_record
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
    ${WINE} $<TARGET_FILE:version_check> $<TARGET_FILE:hostlix>)
set_tests_properties(wine_version_record PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                      RESOURCE_LOCK ${wine_prefix})

add_test(NAME wine_end_to_end
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
    HOSTLIX_E2E_BINARY=$<TARGET_FILE:hostlix> HOSTLIX_E2E_RUNNER=${WINE}
    ${native_e2e_tests} ${hostlix_e2e_through_runner})
set_tests_properties(wine_end_to_end PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1800
  SKIP_REGULAR_EXPRESSION ${hostlix_e2e_skipped} RESOURCE_LOCK ${wine_prefix})

# With a signing certificate, the signed and stripped copy that the ZIP and
# the installer hold runs the end-to-end suite as well.
if(HOSTLIX_SIGN_CERT)
  add_test(NAME wine_end_to_end_signed
    COMMAND ${CMAKE_COMMAND} -E env ${wine_env}
      HOSTLIX_E2E_BINARY=${HOSTLIX_STRIPPED_EXE} HOSTLIX_E2E_RUNNER=${WINE}
      ${native_e2e_tests} ${hostlix_e2e_through_runner})
  set_tests_properties(wine_end_to_end_signed PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1800
    SKIP_REGULAR_EXPRESSION ${hostlix_e2e_skipped} RESOURCE_LOCK ${wine_prefix})
endif()

# The hardening and the version record's copyright of HOSTLIX.EXE and its
# stripped copy. (The ZIP and the installer are the release's:
# windows_release.cmake.)
add_test(NAME pe_hardening
  COMMAND ${CMAKE_SOURCE_DIR}/tests/check_pe.py --license ${CMAKE_SOURCE_DIR}/LICENSE
          $<TARGET_FILE:hostlix> ${HOSTLIX_STRIPPED_EXE})
