# The Windows release, made by every Windows build:
# hostlix-<version>-win64.zip (win32 for a 32-bit target) holding a stripped
# HOSTLIX.EXE, LICENSE and README.TXT, a readme in CR LF lines.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(hostlix_windows_bits 64)
else()
  set(hostlix_windows_bits 32)
endif()
set(hostlix_windows "${hostlix_windows_bits}-bit Windows")
set(HOSTLIX_ZIP ${CMAKE_BINARY_DIR}/hostlix-${PROJECT_VERSION}-win${hostlix_windows_bits}.zip)

find_program(ZIP zip REQUIRED)
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "The Windows ZIP needs strip for the target")
endif()
set(hostlix_readme_title "HOSTLIX ${PROJECT_VERSION} for ${hostlix_windows}")
string(LENGTH "${hostlix_readme_title}" length)
string(REPEAT "=" ${length} hostlix_readme_rule)
configure_file(packaging/readme_windows.txt.in ${CMAKE_BINARY_DIR}/packaging/README.TXT
               @ONLY NEWLINE_STYLE CRLF)

add_custom_command(
  OUTPUT ${HOSTLIX_ZIP}
  COMMAND ${CMAKE_COMMAND}
          -DSTRIP=${CMAKE_STRIP} -DZIP=${ZIP} -DEXE=$<TARGET_FILE:hostlix>
          -DLICENSE=${CMAKE_CURRENT_SOURCE_DIR}/LICENSE
          -DREADME=${CMAKE_BINARY_DIR}/packaging/README.TXT -DSTAGE=${CMAKE_BINARY_DIR}/zip
          -DRELEASE_EPOCH=${HOSTLIX_RELEASE_EPOCH} -DOUTPUT=${HOSTLIX_ZIP}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_windows_zip.cmake
  DEPENDS hostlix ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/packaging/README.TXT
          ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_windows_zip.cmake
  COMMENT "Making ${HOSTLIX_ZIP}"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${HOSTLIX_ZIP})
