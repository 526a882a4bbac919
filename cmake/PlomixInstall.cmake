# Where `cmake --install` and `make package` put the program and its desktop files.
# Readme.txt goes to share/plomix/, where the program looks for it when it is not beside
# the program (see src/Common/ProgramDir.cpp).
include(GNUInstallDirs)

install(TARGETS plomix plomix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/Readme.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/plomix)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.plomix.Plomix.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.plomix.Plomix.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/plomix.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/plomix.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/plomix-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# `make package`: a Debian package of the installed tree. dpkg-shlibdeps finds the
# shared libraries the programs link; the rest are what they load at run time: the Qt
# platform plugins (X11, Wayland) and the Japanese font the symbol texts are drawn in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plomix)
set(CPACK_PACKAGE_VENDOR "Plomix")
set(CPACK_PACKAGE_CONTACT "Plomix developers <plomix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcode generator with a Japanese user interface")
set(CPACK_PACKAGE_DESCRIPTION "Plomix draws linear barcodes (JAN/EAN, UPC, Code 39, NW-7, \
the 2 of 5 family, the Japanese postal customer barcode, Code 128, Code 93), saves, \
copies and prints them. plomix-cli draws them from scripts.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY plomix)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
