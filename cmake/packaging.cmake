# Installation and the Debian package (cmake --install, cpack).
if(NOT WIN32)
  include(GNUInstallDirs)
  install(TARGETS hostlix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/doc/hostlix.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completion/hostlix
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME hostlix)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_VENDOR "The HOSTLIX project")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "resolves a host name to its IPv4 address, or an address to its name")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"HOSTLIX prints the first IPv4 address of a host name, or the host name of a
dotted quad, as one line, and tells the outcome in its exit status (0 found,
1 not found, 9 anything else). The name may be pasted inside a UNC path, a
URL or quotes: the command digs the host out itself.")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The HOSTLIX project <hostlix@example.org>")
  set(CPACK_DEBIAN_PACKAGE_SECTION net)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  include(CPack)
endif()
