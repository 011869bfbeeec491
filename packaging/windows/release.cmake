# The Windows release (the windows-release preset): both architectures built
# by sub-builds of this project (x64/ and x86/, with the windows and
# windows-x86 toolchains, the command and its packages only), their ZIPs and
# installers gathered here, and the winget and Scoop manifests made for them.
#
# HOSTLIX_RELEASE_URL (a -D setting, or the environment variable of the same
# name) is the address under which the release's files will be published;
# the manifests point there. The signing settings of windows.cmake
# (HOSTLIX_SIGN_CERT, HOSTLIX_SIGN_KEY, HOSTLIX_SIGN_TIME) are handed on to
# both sub-builds, whose configure step runs again when they change.
include(ExternalProject)

if(NOT DEFINED HOSTLIX_RELEASE_URL)
  set(HOSTLIX_RELEASE_URL "$ENV{HOSTLIX_RELEASE_URL}")
endif()
if(NOT HOSTLIX_RELEASE_URL)
  set(HOSTLIX_RELEASE_URL https://example.invalid/hostlix/${PROJECT_VERSION})
  message(WARNING "HOSTLIX_RELEASE_URL is not set: the manifests point to ${HOSTLIX_RELEASE_URL}")
endif()
string(REGEX REPLACE "/+$" "" HOSTLIX_RELEASE_URL "${HOSTLIX_RELEASE_URL}")

set(sub_args -DCMAKE_BUILD_TYPE=Release -DHOSTLIX_TESTS=OFF -DHOSTLIX_WINE_TESTS=OFF -DHOSTLIX_REQUIRE_TOOLS=ON
             -DHOSTLIX_CONTACT=${HOSTLIX_CONTACT})
foreach(setting CERT KEY TIME)
  if(NOT DEFINED HOSTLIX_SIGN_${setting})
    set(HOSTLIX_SIGN_${setting} "$ENV{HOSTLIX_SIGN_${setting}}")
  endif()
  list(APPEND sub_args -DHOSTLIX_SIGN_${setting}=${HOSTLIX_SIGN_${setting}})
endforeach()

hostlix_find_program(MSIINFO msiinfo REQUIRED)
set(release_files)
set(release_exes)
foreach(arch x64 x86)
  if(arch STREQUAL "x64")
    set(toolchain mingw-w64-x86_64.cmake)
    set(zip_arch win64)
  else()
    set(toolchain mingw-w64-i686.cmake)
    set(zip_arch win32)
  endif()
  set(tree ${CMAKE_BINARY_DIR}/${arch})
  set(zip hostlix-${PROJECT_VERSION}-${zip_arch}.zip)
  set(msi hostlix-${PROJECT_VERSION}-${arch}.msi)
  ExternalProject_Add(windows_${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${tree}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchains/${toolchain} ${sub_args}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target windows_zip windows_msi
    BUILD_BYPRODUCTS ${tree}/${zip} ${tree}/${msi}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  foreach(file ${zip} ${msi})
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${tree}/${file} ${CMAKE_BINARY_DIR}/${file}
      DEPENDS ${tree}/${file} windows_${arch}
      VERBATIM)
    list(APPEND release_files ${CMAKE_BINARY_DIR}/${file})
  endforeach()
  set(msi_${arch} ${CMAKE_BINARY_DIR}/${msi})
  set(zip_${zip_arch} ${CMAKE_BINARY_DIR}/${zip})
  list(APPEND release_exes ${tree}/HOSTLIX.EXE ${tree}/stripped/HOSTLIX.EXE)
endforeach()

set(manifests
  ${CMAKE_BINARY_DIR}/winget/HOSTLIX.HOSTLIX.yaml
  ${CMAKE_BINARY_DIR}/winget/HOSTLIX.HOSTLIX.installer.yaml
  ${CMAKE_BINARY_DIR}/winget/HOSTLIX.HOSTLIX.locale.en-US.yaml
  ${CMAKE_BINARY_DIR}/scoop/hostlix.json)
set(windows_dir ${CMAKE_SOURCE_DIR}/packaging/windows)
file(GLOB manifest_templates ${windows_dir}/winget/*.in ${windows_dir}/scoop/*.in)
add_custom_command(OUTPUT ${manifests}
  COMMAND ${CMAKE_COMMAND} -DPROJECT_VERSION=${PROJECT_VERSION}
          -DRELEASE_URL=${HOSTLIX_RELEASE_URL} -DMSIINFO=${MSIINFO}
          -DMSI_x64=${msi_x64} -DMSI_x86=${msi_x86}
          -DZIP_win64=${zip_win64} -DZIP_win32=${zip_win32} -DOUTPUT=${CMAKE_BINARY_DIR}
          -P ${windows_dir}/scripts/make_manifests.cmake
  DEPENDS ${release_files} ${windows_dir}/scripts/make_manifests.cmake ${manifest_templates}
  COMMENT "Writing the winget and Scoop manifests"
  VERBATIM)
add_custom_target(windows_release ALL DEPENDS ${manifests})

# The test step: the manifests against the files, the hardening of every
# HOSTLIX.EXE, and the signatures when there are any (trusting the given
# certificate file: self-signed, or a chain up to its root).
enable_testing()
add_test(NAME release_manifests
  COMMAND ${CMAKE_SOURCE_DIR}/tests/release_manifests_test.py ${CMAKE_BINARY_DIR}
          ${PROJECT_VERSION} ${HOSTLIX_RELEASE_URL} ${HOSTLIX_CONTACT})
add_test(NAME pe_hardening
  COMMAND ${CMAKE_SOURCE_DIR}/tests/check_pe.py ${release_exes} ${release_files})
if(HOSTLIX_SIGN_CERT)
  hostlix_find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  foreach(arch x64 x86)
    add_test(NAME signature_${arch}_exe
      COMMAND ${OSSLSIGNCODE} verify -CAfile ${HOSTLIX_SIGN_CERT}
              -in ${CMAKE_BINARY_DIR}/${arch}/stripped/HOSTLIX.EXE)
    add_test(NAME signature_${arch}_msi
      COMMAND ${OSSLSIGNCODE} verify -CAfile ${HOSTLIX_SIGN_CERT} -in ${msi_${arch}})
  endforeach()
endif()
