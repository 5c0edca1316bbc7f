# `cpack -G DEB` (scripts/package.sh) builds a Debian package of the
# installed tree under /usr; dpkg-shlibdeps names the libraries it needs.
set(CPACK_PACKAGE_NAME dravinor)
set(CPACK_PACKAGE_VENDOR "Dravinor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for a lambda-controlled LPG mixer controller")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the controller on a serial port, reads and edits its parameters, keeps\nparameter sets in files, shows the engine live and runs a guided\nauto-adaptation. Polish and Russian user interface; a simulated controller\n(dravinor --demo) and a command-line tool (dravinor-cli) are included.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(DRAVINOR_PACKAGE_MAINTAINER "Dravinor packaging <packaging@dravinor.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DRAVINOR_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries dpkg-shlibdeps finds: the report's PDF is set in
# DejaVu Sans, whose Polish and Cyrillic letters a bare system may lack.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# The X11 platform plugin comes with libqt6gui6, which the libraries pull
# in (a Wayland desktop runs it through XWayland); the translations of Qt's
# own dialogs are welcome but not needed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)

# What Debian asks of a package beside the programs: the changelog, compressed
# (a native package calls it changelog.gz), and the lintian overrides that
# say why a tag does not apply.
add_custom_command(OUTPUT changelog.gz
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/packaging/changelog
          -DOUTPUT=${PROJECT_BINARY_DIR}/changelog.gz -P ${PROJECT_SOURCE_DIR}/cmake/GzipFile.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_SOURCE_DIR}/cmake/GzipFile.cmake)
add_custom_target(dravinor_changelog ALL DEPENDS changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dravinor)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME dravinor)

# A stripped install (the package's) also drops the compilers' .comment
# section, as Debian's own strip step does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program dravinor dravinor-cli dravinor-sim)
      set(binary \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${binary}\" RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"cannot remove .comment from \${binary}\")
      endif()
    endforeach()
  endif()")
