# Writes the package managers' manifests of a release into OUTPUT: the winget
# manifest set (winget/: version, installer and default-locale manifests)
# for the two installers and the Scoop manifest (scoop/hostlix.json) for the
# two ZIPs. The hashes are those of the files given; the product and upgrade
# codes are read back from each installer's Property table (msiinfo), so the
# manifests say what the files hold. Each file's address is RELEASE_URL/name;
# Scoop's autoupdate takes RELEASE_URL with this version's path element as
# $version, and its checkver looks for the newest ZIP's name on HOMEPAGE.
#
# -DPROJECT_VERSION= -DRELEASE_URL= -DHOMEPAGE= -DMSIINFO= -DMSI_x64= -DMSI_x86=
# -DZIP_win64= -DZIP_win32= -DOUTPUT=
cmake_policy(VERSION 3.25)

function(msi_property msi name result)
  execute_process(COMMAND ${MSIINFO} export ${msi} Property
                  OUTPUT_VARIABLE table RESULT_VARIABLE status)
  string(REGEX MATCH "\n${name}\t([^\r\n]*)" line "${table}")
  if(NOT status EQUAL 0 OR CMAKE_MATCH_1 STREQUAL "")
    message(FATAL_ERROR "no ${name} in the Property table of ${msi}")
  endif()
  set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

foreach(arch x64 x86)
  set(file ${MSI_${arch}})
  get_filename_component(name ${file} NAME)
  set(url_${arch} ${RELEASE_URL}/${name})
  file(SHA256 ${file} hash)
  string(TOUPPER ${hash} sha256_${arch})
  msi_property(${file} ProductCode product_code_${arch})
  msi_property(${file} UpgradeCode upgrade_code_${arch})
endforeach()
foreach(arch win64 win32)
  set(file ${ZIP_${arch}})
  get_filename_component(name ${file} NAME)
  set(url_${arch} ${RELEASE_URL}/${name})
  file(SHA256 ${file} sha256_${arch})
endforeach()
set(homepage ${HOMEPAGE})
string(REPLACE "/${PROJECT_VERSION}/" "/$version/" autoupdate_url "${RELEASE_URL}/")
string(REGEX REPLACE "/$" "" autoupdate_url "${autoupdate_url}")

file(REMOVE_RECURSE ${OUTPUT}/winget ${OUTPUT}/scoop)
file(GLOB templates ${CMAKE_CURRENT_LIST_DIR}/../winget/*.yaml.in)
foreach(template IN LISTS templates)
  get_filename_component(name ${template} NAME_WLE)
  configure_file(${template} ${OUTPUT}/winget/${name} @ONLY)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/../scoop/hostlix.json.in ${OUTPUT}/scoop/hostlix.json @ONLY)
