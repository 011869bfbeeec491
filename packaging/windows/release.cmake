# The Windows release (the windows-release preset): both architectures built
# by sub-builds of this project (x64/ and x86/, with the windows and
# windows-x86 toolchains, the command and its packages only), their ZIPs and
# installers gathered here, and the winget and Scoop manifests made for them.
# Its tests are cmake/tests/windows_release.cmake.
#
# HOSTLIX_RELEASE_URL (a -D setting, or the environment variable of the same
# name) is the address under which the release's files will be published;
# the manifests point there, and Scoop's autoupdate puts each new version
# where this one's number stands in it. A release with an address is one to
# publish: it refuses to be made with the placeholder contact address or
# home page. Without one, the manifests point to a placeholder under
# example.invalid, with a warning. The signing settings (signing.cmake) are
# handed on to both sub-builds, whose configure step runs again when they
# change.
include(ExternalProject)

if(NOT DEFINED HOSTLIX_RELEASE_URL)
  set(HOSTLIX_RELEASE_URL "$ENV{HOSTLIX_RELEASE_URL}")
endif()
if(HOSTLIX_RELEASE_URL)
  foreach(setting CONTACT HOMEPAGE)
    if("${HOSTLIX_${setting}}" STREQUAL "${hostlix_placeholder_${setting}}")
      message(FATAL_ERROR "HOSTLIX_${setting} is still the placeholder ${HOSTLIX_${setting}}: "
              "a release to publish at ${HOSTLIX_RELEASE_URL} needs the real one (-DHOSTLIX_${setting}=...)")
    endif()
  endforeach()
else()
  set(HOSTLIX_RELEASE_URL https://example.invalid/hostlix/${PROJECT_VERSION})
  message(WARNING "HOSTLIX_RELEASE_URL is not set: the manifests point to ${HOSTLIX_RELEASE_URL}")
endif()
string(REGEX REPLACE "/+$" "" HOSTLIX_RELEASE_URL "${HOSTLIX_RELEASE_URL}")
string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
if(NOT HOSTLIX_RELEASE_URL MATCHES "/${version_pattern}(/|$)")
  message(FATAL_ERROR "HOSTLIX_RELEASE_URL ${HOSTLIX_RELEASE_URL} has no path element ${PROJECT_VERSION}: "
          "each version needs an address of its own, which Scoop's autoupdate derives from it")
endif()

set(sub_args -DCMAKE_BUILD_TYPE=Release -DHOSTLIX_TESTS=OFF -DHOSTLIX_WINE_TESTS=OFF -DHOSTLIX_REQUIRE_TOOLS=ON
             -DHOSTLIX_WINDOWS_PACKAGES=ON -DHOSTLIX_CONTACT=${HOSTLIX_CONTACT} -DHOSTLIX_HOMEPAGE=${HOSTLIX_HOMEPAGE})
include(${CMAKE_SOURCE_DIR}/packaging/windows/signing.cmake)
foreach(setting IN LISTS hostlix_sign_settings)
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
    BUILD_BYPRODUCTS ${tree}/${zip} ${tree}/${msi} ${tree}/msi-lower/hostlix-0.1-${arch}.msi
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
          -DHOMEPAGE=${HOSTLIX_HOMEPAGE} -DMSI_x64=${msi_x64} -DMSI_x86=${msi_x86}
          -DZIP_win64=${zip_win64} -DZIP_win32=${zip_win32} -DOUTPUT=${CMAKE_BINARY_DIR}
          -P ${windows_dir}/scripts/make_manifests.cmake
  DEPENDS ${release_files} ${windows_dir}/scripts/make_manifests.cmake ${manifest_templates}
  COMMENT "Writing the winget and Scoop manifests"
  VERBATIM)
add_custom_target(windows_release ALL DEPENDS ${manifests})

include(cmake/tests/windows_release.cmake)
