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
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Dravinor developers <dravinor@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin comes with libqt6gui6, which the libraries pull
# in (a Wayland desktop runs it through XWayland); the translations of Qt's
# own dialogs are welcome but not needed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
