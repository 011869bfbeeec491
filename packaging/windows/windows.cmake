# What a Windows build makes beside HOSTLIX.EXE:
# - stripped/HOSTLIX.EXE: HOSTLIX.EXE stripped, and signed when a
#   certificate is given (signing.cmake);
# with HOSTLIX_WINDOWS_PACKAGES on (the windows-release preset's sub-builds),
# which needs zip, wixl, msitools and faketime:
# - hostlix-VERSION-win64.zip (win32 for a 32-bit target) holding it,
#   LICENSE.TXT and README.TXT, both in CR LF lines;
# - hostlix-VERSION-x64.msi (x86), the installer (make_msi.cmake), and
#   msi-lower/hostlix-0.1-x64.msi, the same installer as version 0.1, which
#   the installer test upgrades from.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(hostlix_windows "64-bit Windows")
  set(hostlix_windows_editions "64-bit editions")
  set(hostlix_zip_arch win64)
  set(hostlix_msi_arch x64)
  set(hostlix_msi_folder "\"C:\\Program Files\\HOSTLIX\"")
else()
  set(hostlix_windows "32-bit Windows")
  set(hostlix_windows_editions "32-bit and 64-bit editions")
  set(hostlix_zip_arch win32)
  set(hostlix_msi_arch x86)
  # One line: configure_file writes CR LF only at the template's own line ends.
  set(hostlix_msi_folder "\"C:\\Program Files (x86)\\HOSTLIX\" (32-bit Windows: \"C:\\Program Files\\HOSTLIX\")")
endif()
set(HOSTLIX_ZIP ${CMAKE_BINARY_DIR}/hostlix-${PROJECT_VERSION}-${hostlix_zip_arch}.zip)
set(HOSTLIX_MSI ${CMAKE_BINARY_DIR}/hostlix-${PROJECT_VERSION}-${hostlix_msi_arch}.msi)
set(HOSTLIX_STRIPPED_EXE ${CMAKE_BINARY_DIR}/stripped/HOSTLIX.EXE)
# The installer's UpgradeCode, the same for every version and both
# architectures: a newer version, or the other architecture, replaces the
# installed one.
set(hostlix_upgrade_code 6C0E5F0B-8E59-4D3C-9B7A-2F4B1D6E9A31)

if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "A Windows build needs strip for the target")
endif()

include(${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/signing.cmake)
set(signing_depends)
set(osslsigncode "")
if(HOSTLIX_SIGN_CERT)
  if(NOT HOSTLIX_SIGN_KEY)
    message(FATAL_ERROR "HOSTLIX_SIGN_CERT is set but not HOSTLIX_SIGN_KEY")
  endif()
  hostlix_find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  set(osslsigncode ${OSSLSIGNCODE})
  set(signing_depends ${HOSTLIX_SIGN_CERT} ${HOSTLIX_SIGN_KEY})
  message(STATUS "Signing HOSTLIX.EXE and the installer with ${HOSTLIX_SIGN_CERT}")
endif()
# Rewritten only when the settings change, so that a change remakes the files.
set(signing_record "")
set(signing)
foreach(setting IN LISTS hostlix_sign_settings)
  string(APPEND signing_record "${HOSTLIX_SIGN_${setting}}\n")
  list(APPEND signing -DSIGN_${setting}=${HOSTLIX_SIGN_${setting}})
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/signing.txt CONTENT "${signing_record}")
list(APPEND signing -DOSSLSIGNCODE=${osslsigncode})
list(APPEND signing_depends ${CMAKE_BINARY_DIR}/packaging/signing.txt
            ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/scripts/sign.cmake)

# File times in the ZIP and the installer, and the PE time stamp of the
# stripped copy: SOURCE_DATE_EPOCH when set at configure time, else the date
# of the release.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch)
  set(epoch ${HOSTLIX_RELEASE_EPOCH})
endif()
set(windows_dir ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows)

add_custom_command(
  OUTPUT ${HOSTLIX_STRIPPED_EXE}
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
          ${CMAKE_COMMAND} -DSTRIP=${CMAKE_STRIP} -DEXE=$<TARGET_FILE:hostlix>
          -DEPOCH=${epoch} -DOUTPUT=${HOSTLIX_STRIPPED_EXE} ${signing}
          -P ${windows_dir}/scripts/stage_exe.cmake
  DEPENDS hostlix ${windows_dir}/scripts/stage_exe.cmake ${signing_depends}
  COMMENT "Stripping HOSTLIX.EXE"
  VERBATIM)
add_custom_target(windows_stripped ALL DEPENDS ${HOSTLIX_STRIPPED_EXE})

if(NOT HOSTLIX_WINDOWS_PACKAGES)
  return()
endif()

hostlix_find_program(ZIP zip REQUIRED)
hostlix_find_program(WIXL wixl REQUIRED)
hostlix_find_program(MSIBUILD msibuild REQUIRED)
hostlix_find_program(FAKETIME faketime REQUIRED)

set(hostlix_readme_title "HOSTLIX ${PROJECT_VERSION} for ${hostlix_windows}")
string(LENGTH "${hostlix_readme_title}" length)
string(REPEAT "=" ${length} hostlix_readme_rule)
configure_file(${windows_dir}/readme.txt.in ${CMAKE_BINARY_DIR}/packaging/README.TXT
               @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT @ONLY NEWLINE_STYLE CRLF)
set(texts ${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT ${CMAKE_BINARY_DIR}/packaging/README.TXT)

add_custom_command(
  OUTPUT ${HOSTLIX_ZIP}
  COMMAND ${CMAKE_COMMAND}
          -DZIP=${ZIP} -DEXE=${HOSTLIX_STRIPPED_EXE} -DLICENSE=${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT
          -DREADME=${CMAKE_BINARY_DIR}/packaging/README.TXT -DSTAGE=${CMAKE_BINARY_DIR}/zip
          -DEPOCH=${epoch} -DOUTPUT=${HOSTLIX_ZIP}
          -P ${windows_dir}/scripts/make_zip.cmake
  DEPENDS ${HOSTLIX_STRIPPED_EXE} ${texts} ${windows_dir}/scripts/make_zip.cmake
  COMMENT "Making ${HOSTLIX_ZIP}"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${HOSTLIX_ZIP})

# The installer of this version, signed when the build signs, and the
# unsigned one of version 0.1 for the upgrade test (tests/msi_test.sh).
set(msi_args
    -DWIXL=${WIXL} -DMSIBUILD=${MSIBUILD} -DFAKETIME=${FAKETIME} -DWXS=${windows_dir}/hostlix.wxs
    -DEXE=${HOSTLIX_STRIPPED_EXE} -DLICENSE=${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT
    -DREADME=${CMAKE_BINARY_DIR}/packaging/README.TXT -DFILE_VERSION=${hostlix_file_version}
    -DARCH=${hostlix_msi_arch} -DUPGRADE_CODE=${hostlix_upgrade_code} -DEPOCH=${epoch}
    -DCONTACT=${HOSTLIX_CONTACT} -DHOMEPAGE=${HOSTLIX_HOMEPAGE})
set(msi_depends ${HOSTLIX_STRIPPED_EXE} ${texts} ${windows_dir}/scripts/make_msi.cmake
                ${windows_dir}/hostlix.wxs ${windows_dir}/Environment.idt)
set(HOSTLIX_LOWER_MSI ${CMAKE_BINARY_DIR}/msi-lower/hostlix-0.1-${hostlix_msi_arch}.msi)
add_custom_command(
  OUTPUT ${HOSTLIX_MSI}
  COMMAND ${CMAKE_COMMAND} ${msi_args} ${signing} -DVERSION=${PROJECT_VERSION}
          -DSTAGE=${CMAKE_BINARY_DIR}/msi -DOUTPUT=${HOSTLIX_MSI}
          -P ${windows_dir}/scripts/make_msi.cmake
  DEPENDS ${msi_depends} ${signing_depends}
  COMMENT "Making ${HOSTLIX_MSI}"
  VERBATIM)
add_custom_command(
  OUTPUT ${HOSTLIX_LOWER_MSI}
  COMMAND ${CMAKE_COMMAND} ${msi_args} -DVERSION=0.1
          -DSTAGE=${CMAKE_BINARY_DIR}/msi-lower/stage -DOUTPUT=${HOSTLIX_LOWER_MSI}
          -P ${windows_dir}/scripts/make_msi.cmake
  DEPENDS ${msi_depends}
  COMMENT "Making the version 0.1 installer for the upgrade test"
  VERBATIM)
add_custom_target(windows_msi ALL DEPENDS ${HOSTLIX_MSI} ${HOSTLIX_LOWER_MSI})
