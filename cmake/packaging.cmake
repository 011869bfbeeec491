# Installation and the Debian package (cmake --install, cpack).
#
# `cmake --install` puts the command, its man page and its bash completion
# under the prefix as they are built (`--strip` strips the command). The
# Debian package holds the same files as Debian installs them: the binary
# stripped as dh_strip does, the man page gzipped, and the copyright file and
# changelog.Debian.gz in /usr/share/doc/hostlix (cmake/deb_stage.cmake.in).
if(NOT WIN32)
  include(GNUInstallDirs)
  # The same directory modes whatever the umask of whoever builds.
  set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  install(TARGETS hostlix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/doc/hostlix.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completion/hostlix
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

  # The Debian architecture of the target. A cross build names it by the
  # target's processor; a native build asks dpkg.
  set(hostlix_deb_arch "")
  if(NOT CMAKE_CROSSCOMPILING)
    find_program(DPKG dpkg)
    if(DPKG)
      execute_process(COMMAND ${DPKG} --print-architecture
                      OUTPUT_VARIABLE hostlix_deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
    endif()
  endif()
  if(hostlix_deb_arch STREQUAL "")
    string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" processor)
    if(processor MATCHES "^(x86_64|amd64)$")
      set(hostlix_deb_arch amd64)
    elseif(processor MATCHES "^(aarch64|arm64)")
      set(hostlix_deb_arch arm64)
    elseif(processor MATCHES "^arm")
      set(hostlix_deb_arch armhf)
    elseif(processor MATCHES "^i[3-6]86$")
      set(hostlix_deb_arch i386)
    endif()
  endif()

  if(hostlix_deb_arch STREQUAL "")
    message(WARNING "No Debian architecture for processor '${CMAKE_SYSTEM_PROCESSOR}': "
                    "no package can be made from this build.")
  else()
    set(hostlix_maintainer "The HOSTLIX project <${HOSTLIX_CONTACT}>")
    set(hostlix_deb_release 1)
    set(hostlix_deb_version ${PROJECT_VERSION}-${hostlix_deb_release})

    # The copyright file in Debian's machine-readable format, from LICENSE:
    # its copyright line and its text, each line indented, empty lines as ".".
    file(READ ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE license)
    string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${license}")
    set(hostlix_copyright ${CMAKE_MATCH_1})
    string(REGEX REPLACE "^.*\nCopyright [^\n]*\n\n" "" license "${license}")
    string(REGEX REPLACE "\n+$" "" license "${license}")
    string(REPLACE "\n" "\n " license " ${license}")
    string(REGEX REPLACE "\n \n" "\n .\n" hostlix_license_text "${license}")
    configure_file(packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
    configure_file(packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)

    if(NOT CMAKE_STRIP OR NOT CMAKE_OBJDUMP)
      message(FATAL_ERROR "The Debian package needs strip and objdump for the target")
    endif()
    # dpkg-shlibdeps reads the libraries of this system's architecture only.
    if(CMAKE_CROSSCOMPILING)
      set(hostlix_shlibdeps OFF)
    else()
      set(hostlix_shlibdeps ON)
    endif()
    configure_file(cmake/deb_stage.cmake.in ${CMAKE_BINARY_DIR}/packaging/deb_stage.cmake @ONLY)
    configure_file(cmake/deb_repack.cmake.in ${CMAKE_BINARY_DIR}/packaging/deb_repack.cmake @ONLY)

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME hostlix)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_VENDOR "The HOSTLIX project")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look up the IPv4 address of a host name, or the reverse")
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"HOSTLIX prints the first IPv4 address of a host name, or the host name of a
dotted quad, as one line, and tells the outcome in its exit status (0 found,
1 not found, 9 anything else), so that scripts can test it. The name may be
pasted inside a UNC path, a URL or quotes: the command digs the host out
itself.")
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${hostlix_maintainer})
    set(CPACK_DEBIAN_PACKAGE_SECTION net)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${hostlix_deb_release})
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${hostlix_deb_arch})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ${hostlix_shlibdeps})
    set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/packaging/deb_stage.cmake)
    set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/packaging/deb_repack.cmake)
    include(CPack)
  endif()
endif()
