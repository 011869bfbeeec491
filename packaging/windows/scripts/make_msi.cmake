# Makes hostlix-VERSION-ARCH.msi from hostlix.wxs with wixl, then adds with
# msibuild what wixl 0.101 cannot write:
# - the Environment table (Environment.idt: the installation folder appended
#   to the system PATH, taken out again on uninstall) and the two actions
#   that apply it;
# - the file version of HOSTLIX.EXE (wixl leaves the file unversioned, with a
#   hash instead, so an upgrade would not know which copy is newer);
# - the package code, which wixl draws at random, and the platform in the
#   summary's Template: Windows Installer knows x86 as "Intel" and refuses a
#   package whose platform it cannot parse (wixl's own "Intel" for x86 would
#   do, but the summary is rewritten here as a whole);
# - the upgrade of the same version: the Upgrade row's maximum (this version)
#   made inclusive, so that installing one architecture replaces the other
#   architecture of the same version (they share the UpgradeCode).
# The product code is fixed per version and architecture, and the package
# code per content: both are name-based UUIDs under the UpgradeCode. wixl
# stamps the summary with the current time: it runs under faketime, the
# clock frozen at EPOCH, so that two builds give the same bytes. The MSI is
# signed last (sign.cmake).
#
# Run by windows.cmake (for this version, and for 0.1 for the upgrade test), with
# -DWIXL= -DMSIBUILD= -DFAKETIME= -DWXS= -DEXE= -DLICENSE= -DREADME=
# -DVERSION= -DFILE_VERSION= -DCONTACT= -DHOMEPAGE= -DARCH=x64|x86 -DUPGRADE_CODE= -DEPOCH=
# -DSTAGE= -DOUTPUT= and the SIGN_* settings of sign.cmake.
cmake_policy(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/sign.cmake)

# The cabinet records each file's time: the release time, in UTC.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
set(content "${VERSION} ${ARCH}")
foreach(pair EXE:HOSTLIX.EXE LICENSE:LICENSE.TXT README:README.TXT)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 input)
  list(GET pair 1 name)
  file(COPY_FILE ${${input}} ${STAGE}/${name})
  file(CHMOD ${STAGE}/${name} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC touch -d @${EPOCH} ${STAGE}/${name} COMMAND_ERROR_IS_FATAL ANY)
  file(SHA256 ${STAGE}/${name} hash)
  string(APPEND content " ${hash}")
endforeach()
file(SHA256 ${WXS} hash)
string(APPEND content " ${hash}")

string(UUID product_code NAMESPACE ${UPGRADE_CODE} NAME "product ${VERSION} ${ARCH}"
       TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${UPGRADE_CODE} NAME "package ${content}" TYPE SHA1 UPPER)
if(ARCH STREQUAL "x64")
  set(folder ProgramFiles64Folder)
  set(win64 yes)
  set(platform x64)
else()
  set(folder ProgramFilesFolder)
  set(win64 no)
  set(platform Intel)
endif()

execute_process(COMMAND date -u -d @${EPOCH} "+%Y-%m-%d %H:%M:%S"
                OUTPUT_VARIABLE frozen OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE ${OUTPUT})
# wixl takes the sources' names relative to the folder it runs in.
file(COPY_FILE ${WXS} ${STAGE}/hostlix.wxs)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${FAKETIME} -f "${frozen}"
          ${WIXL} -a ${ARCH} -o ${OUTPUT}
          -D ProductCode=${product_code} -D UpgradeCode=${UPGRADE_CODE} -D Version=${VERSION}
          -D Arch=${ARCH} -D ProgramFilesFolder=${folder} -D Win64=${win64}
          -D Contact=${CONTACT} -D Homepage=${HOMEPAGE} -D Exe=HOSTLIX.EXE -D License=LICENSE.TXT -D Readme=README.TXT hostlix.wxs
  WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -i ${CMAKE_CURRENT_LIST_DIR}/../Environment.idt COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q
    "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q
    "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q
    "UPDATE `File` SET `Version` = '${FILE_VERSION}', `Language` = '1033' WHERE `File` = 'HOSTLIX.EXE'" COMMAND_ERROR_IS_FATAL ANY)
# A versioned file is compared by its version, never by a hash.
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q "DELETE FROM `MsiFileHash` WHERE `File_` = 'HOSTLIX.EXE'" COMMAND_ERROR_IS_FATAL ANY)
# msidbUpgradeAttributesMigrateFeatures | msidbUpgradeAttributesVersionMaxInclusive
# Attributes is part of the Upgrade table's key: the row is replaced.
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q
    "DELETE FROM `Upgrade` WHERE `VersionMax` = '${VERSION}' AND `Attributes` = 1" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${MSIBUILD} ${OUTPUT} -q
    "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{${UPGRADE_CODE}}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED')" COMMAND_ERROR_IS_FATAL ANY)
# (The template "PLATFORM;1033" holds a semicolon: it must not pass through a list.)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${FAKETIME} -f "${frozen}"
          ${MSIBUILD} ${OUTPUT} -s "HOSTLIX ${VERSION} (${ARCH})" "The HOSTLIX project"
          "${platform};1033" "{${package_code}}"
  COMMAND_ERROR_IS_FATAL ANY)

hostlix_sign(${OUTPUT})
