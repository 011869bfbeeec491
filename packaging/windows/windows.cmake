# The Windows release, made by every Windows build:
# - stripped/HOSTLIX.EXE: HOSTLIX.EXE stripped, and signed when a
#   certificate is given (below);
# - hostlix-VERSION-win64.zip (win32 for a 32-bit target) holding it,
#   LICENSE.TXT and README.TXT, both in CR LF lines;
# - hostlix-VERSION-x64.msi (x86), the installer (make_msi.cmake).
#
# Signing: the environment variables HOSTLIX_SIGN_CERT and HOSTLIX_SIGN_KEY,
# read at configure time (or the same names given with -D), name a PEM
# certificate (chain) and its private key; HOSTLIX_SIGN_TIME, seconds since
# 1970, fixes the signing time. Without a certificate nothing is signed.
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
  set(hostlix_msi_folder "\"C:\\Program Files (x86)\\HOSTLIX\" (\"C:\\Program Files\\HOSTLIX\" on\n32-bit Windows)")
endif()
set(HOSTLIX_ZIP ${CMAKE_BINARY_DIR}/hostlix-${PROJECT_VERSION}-${hostlix_zip_arch}.zip)
set(HOSTLIX_MSI ${CMAKE_BINARY_DIR}/hostlix-${PROJECT_VERSION}-${hostlix_msi_arch}.msi)
set(HOSTLIX_STRIPPED_EXE ${CMAKE_BINARY_DIR}/stripped/HOSTLIX.EXE)
# The installer's UpgradeCode, the same for every version and both
# architectures: a newer version, or the other architecture, replaces the
# installed one.
set(hostlix_upgrade_code 6C0E5F0B-8E59-4D3C-9B7A-2F4B1D6E9A31)

hostlix_find_program(ZIP zip REQUIRED)
hostlix_find_program(WIXL wixl REQUIRED)
hostlix_find_program(MSIBUILD msibuild REQUIRED)
hostlix_find_program(FAKETIME faketime REQUIRED)
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "The Windows release needs strip for the target")
endif()

foreach(setting CERT KEY TIME)
  if(NOT DEFINED HOSTLIX_SIGN_${setting})
    set(HOSTLIX_SIGN_${setting} "$ENV{HOSTLIX_SIGN_${setting}}")
  endif()
endforeach()
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
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/signing.txt
     CONTENT "${HOSTLIX_SIGN_CERT}\n${HOSTLIX_SIGN_KEY}\n${HOSTLIX_SIGN_TIME}\n")
set(signing -DSIGN_CERT=${HOSTLIX_SIGN_CERT} -DSIGN_KEY=${HOSTLIX_SIGN_KEY}
            -DSIGN_TIME=${HOSTLIX_SIGN_TIME} -DOSSLSIGNCODE=${osslsigncode})
list(APPEND signing_depends ${CMAKE_BINARY_DIR}/packaging/signing.txt
            ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/scripts/sign.cmake)

# File times in the ZIP and the installer, and the PE time stamp of the
# stripped copy: SOURCE_DATE_EPOCH when set at configure time, else the date
# of the release.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch)
  set(epoch ${HOSTLIX_RELEASE_EPOCH})
endif()

set(hostlix_readme_title "HOSTLIX ${PROJECT_VERSION} for ${hostlix_windows}")
string(LENGTH "${hostlix_readme_title}" length)
string(REPEAT "=" ${length} hostlix_readme_rule)
set(windows_dir ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows)
configure_file(${windows_dir}/readme.txt.in ${CMAKE_BINARY_DIR}/packaging/README.TXT
               @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT @ONLY NEWLINE_STYLE CRLF)
set(texts ${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT ${CMAKE_BINARY_DIR}/packaging/README.TXT)

add_custom_command(
  OUTPUT ${HOSTLIX_STRIPPED_EXE}
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
          ${CMAKE_COMMAND} -DSTRIP=${CMAKE_STRIP} -DEXE=$<TARGET_FILE:hostlix>
          -DEPOCH=${epoch} -DOUTPUT=${HOSTLIX_STRIPPED_EXE} ${signing}
          -P ${windows_dir}/scripts/stage_exe.cmake
  DEPENDS hostlix ${windows_dir}/scripts/stage_exe.cmake ${signing_depends}
  COMMENT "Stripping HOSTLIX.EXE"
  VERBATIM)

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

# The arguments of make_msi.cmake but VERSION, STAGE and OUTPUT, which the
# installer test sets too.
set(HOSTLIX_MSI_ARGS
    -DWIXL=${WIXL} -DMSIBUILD=${MSIBUILD} -DFAKETIME=${FAKETIME} -DWXS=${windows_dir}/hostlix.wxs
    -DEXE=${HOSTLIX_STRIPPED_EXE} -DLICENSE=${CMAKE_BINARY_DIR}/packaging/LICENSE.TXT
    -DREADME=${CMAKE_BINARY_DIR}/packaging/README.TXT -DFILE_VERSION=${hostlix_file_version}
    -DARCH=${hostlix_msi_arch} -DUPGRADE_CODE=${hostlix_upgrade_code} -DEPOCH=${epoch}
    -DCONTACT=${HOSTLIX_CONTACT})
add_custom_command(
  OUTPUT ${HOSTLIX_MSI}
  COMMAND ${CMAKE_COMMAND} ${HOSTLIX_MSI_ARGS} ${signing} -DVERSION=${PROJECT_VERSION}
          -DSTAGE=${CMAKE_BINARY_DIR}/msi -DOUTPUT=${HOSTLIX_MSI}
          -P ${windows_dir}/scripts/make_msi.cmake
  DEPENDS ${HOSTLIX_STRIPPED_EXE} ${texts} ${signing_depends}
          ${windows_dir}/scripts/make_msi.cmake ${windows_dir}/hostlix.wxs ${windows_dir}/Environment.idt
  COMMENT "Making ${HOSTLIX_MSI}"
  VERBATIM)
add_custom_target(windows_msi ALL DEPENDS ${HOSTLIX_MSI})
