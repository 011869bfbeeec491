# The windows-release preset's test step, on the files it made
# (packaging/windows/release.cmake: release_files, release_exes, msi_ARCH,
# zip_win64, zip_win32):
# - without running them: the manifests against the files, both installers'
#   tables, the texts of every ZIP and installer, the hardening and the
#   copyright of every HOSTLIX.EXE, the signatures when the release is signed;
# - signing with a time stamp, against a time-stamping server of its own;
# - the refusals of a release to publish;
# - under Wine, for each architecture whose Wine runs here: the ZIP unpacked
#   and run, and the installer installed, upgraded and uninstalled.
enable_testing()
set(tests ${CMAKE_SOURCE_DIR}/tests)

add_test(NAME release_manifests
  COMMAND ${tests}/release_manifests_test.py ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
          ${HOSTLIX_RELEASE_URL} ${HOSTLIX_CONTACT} ${HOSTLIX_HOMEPAGE})
add_test(NAME msi_tables
  COMMAND ${tests}/check_msi.py ${PROJECT_VERSION} ${HOSTLIX_CONTACT} ${HOSTLIX_HOMEPAGE}
          ${msi_x64} ${msi_x86})
add_test(NAME release_texts
  COMMAND ${tests}/release_texts_test.py ${CMAKE_SOURCE_DIR}/LICENSE ${HOSTLIX_CONTACT} ${HOSTLIX_HOMEPAGE}
          ${zip_win64} ${zip_win32} ${msi_x64} ${msi_x86})
add_test(NAME pe_hardening
  COMMAND ${tests}/check_pe.py --license ${CMAKE_SOURCE_DIR}/LICENSE ${release_exes} ${release_files})
add_test(NAME release_refusals
  COMMAND ${tests}/release_refusals_test.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/refusals
          ${PROJECT_VERSION})
set_tests_properties(release_refusals PROPERTIES TIMEOUT 300)

# A copy of each architecture's HOSTLIX.EXE and installer, signed with a
# throwaway certificate and time-stamped by a server on 127.0.0.1 that the
# test starts and stops itself. (The copies the build never signs: the
# linked executable and the version 0.1 installer.)
hostlix_find_program(OSSLSIGNCODE osslsigncode REQUIRED)
hostlix_find_program(OPENSSL openssl REQUIRED)
set(unsigned)
foreach(arch x64 x86)
  list(APPEND unsigned ${CMAKE_BINARY_DIR}/${arch}/HOSTLIX.EXE
                       ${CMAKE_BINARY_DIR}/${arch}/msi-lower/hostlix-0.1-${arch}.msi)
endforeach()
add_test(NAME sign_timestamp
  COMMAND ${tests}/timestamp_test.sh ${CMAKE_SOURCE_DIR}/packaging/windows/scripts/sign.cmake
          ${OSSLSIGNCODE} ${unsigned})
set_tests_properties(sign_timestamp PROPERTIES TIMEOUT 120)

# The signatures of a signed release, trusting the given certificate file
# (self-signed, or a chain up to its root).
if(HOSTLIX_SIGN_CERT)
  foreach(arch x64 x86)
    add_test(NAME signature_${arch}_exe
      COMMAND ${OSSLSIGNCODE} verify -CAfile ${HOSTLIX_SIGN_CERT}
              -in ${CMAKE_BINARY_DIR}/${arch}/stripped/HOSTLIX.EXE)
    add_test(NAME signature_${arch}_msi
      COMMAND ${OSSLSIGNCODE} verify -CAfile ${HOSTLIX_SIGN_CERT} -in ${msi_${arch}})
  endforeach()
endif()

# Under Wine: x64 always (wine64); x86 where a 32-bit Wine runs, which needs
# Debian's wine32:i386 and a kernel that executes i386 programs.
include(cmake/tests/wine_env.cmake)
hostlix_wine_loader(WINE_64 64)
if(NOT WINE_64)
  hostlix_missing_hint(wine64 hint)
  message(FATAL_ERROR ${hint})
endif()
set(wine_arches x64)
hostlix_wine_loader(WINE_32 32)
if(NOT WINE_32)
  message(STATUS "The x86 ZIP and installer are not run under Wine: no 32-bit Wine (wine32:i386)")
else()
  execute_process(COMMAND ${WINE_32} --version RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE error)
  if(status EQUAL 0)
    list(APPEND wine_arches x86)
  else()
    message(STATUS "The x86 ZIP and installer are not run under Wine: ${WINE_32} does not run here (${status} ${error})")
  endif()
endif()
foreach(arch IN LISTS wine_arches)
  if(arch STREQUAL "x64")
    set(bits 64)
    set(zip ${zip_win64})
    set(triplet x86_64-w64-mingw32)
  else()
    set(bits 32)
    set(zip ${zip_win32})
    set(triplet i686-w64-mingw32)
  endif()
  hostlix_find_program(OBJDUMP_${arch} ${triplet}-objdump REQUIRED)
  hostlix_wine_env(env ${WINE_${bits}} ${bits} ${CMAKE_BINARY_DIR}/wineprefix-${arch})
  hostlix_add_wine_prefix(wine_prefix_${arch} wine_${arch} ${WINE_${bits}} ${env})
  # The ZIP unpacked: its files, and the executable and the readme's batch
  # file run from it.
  add_test(NAME wine_zip_${arch}
    COMMAND ${CMAKE_COMMAND} -E env ${env} ${tests}/zip_test.sh ${zip} ${WINE_${bits}} ${OBJDUMP_${arch}})
  set_tests_properties(wine_zip_${arch} PROPERTIES FIXTURES_REQUIRED wine_${arch} TIMEOUT 300)
  # The installer, in a prefix of its own made afresh for each run: a fresh
  # install (files, Add/Remove entry, PATH, a run from PATH) and its
  # uninstall, an upgrade from version 0.1, a refused downgrade and the
  # uninstall.
  hostlix_wine_env(env ${WINE_${bits}} ${bits} ${CMAKE_BINARY_DIR}/msi-wineprefix-${arch})
  add_test(NAME wine_msi_${arch}
    COMMAND ${CMAKE_COMMAND} -E env ${env}
            ${tests}/msi_test.sh ${msi_${arch}} ${CMAKE_BINARY_DIR}/${arch}/msi-lower/hostlix-0.1-${arch}.msi
            ${PROJECT_VERSION} ${WINE_${bits}} ${CMAKE_BINARY_DIR}/${arch}/stripped/HOSTLIX.EXE)
  set_tests_properties(wine_msi_${arch} PROPERTIES TIMEOUT 600)
endforeach()
