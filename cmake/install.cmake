# Installation (cmake --install): the command, its man page and its bash
# completion where Linux users look for them (`--strip` strips the command).
# The Debian package (debian/) and the RPM (packaging/rpm/) install through
# these rules.
if(NOT WIN32)
  include(GNUInstallDirs)
  # The same directory modes whatever the umask of whoever builds.
  set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  install(TARGETS hostlix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/doc/hostlix.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completion/hostlix
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()
