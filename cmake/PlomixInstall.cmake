# Where `cmake --install` and `make package` put the program and its desktop files.
# Readme.txt goes to share/plomix/, where the program looks for it when it is not beside
# the program (see src/Common/ProgramDir.cpp).
include(GNUInstallDirs)

install(TARGETS plomix plomix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# plomix-cli's full program, which its front starts (see CMakeLists.txt).
install(TARGETS plomix-cli-qt RUNTIME DESTINATION ${PLOMIX_FULL_CLI_DIR})
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

# Man pages and the changelog go out compressed, as Debian wants them: gzip -9 without a
# name or time stamp, so that the same source gives the same bytes.
find_program(PLOMIX_GZIP gzip REQUIRED)
set(compressed_dir ${CMAKE_BINARY_DIR}/compressed)
set(compressed "")
foreach(source plomix.1 plomix-cli.1 changelog)
  set(output ${compressed_dir}/${source}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/${source} ${compressed_dir}/${source}
    COMMAND ${PLOMIX_GZIP} -9nf ${compressed_dir}/${source}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/${source}
    COMMENT "Compressing ${source}")
  list(APPEND compressed ${output})
endforeach()
add_custom_target(plomix_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${compressed_dir}/plomix.1.gz ${compressed_dir}/plomix-cli.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licence and the changelog where Debian looks for them.
set(PLOMIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/plomix)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${compressed_dir}/changelog.gz DESTINATION ${PLOMIX_DOC_DIR})

# `make package`: a Debian package of the installed tree. dpkg-shlibdeps finds the
# shared libraries the programs link; the rest are what they load at run time: the Qt
# platform plugins (X11, Wayland) and the Japanese font the symbol texts are drawn in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plomix)
set(CPACK_PACKAGE_VENDOR "Plomix")
set(CPACK_PACKAGE_CONTACT "Plomix developers <plomix-devel@plomix.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcode generator with a Japanese user interface")
# Lines of at most 80 characters: the package tools show the description as it stands.
set(CPACK_PACKAGE_DESCRIPTION "Plomix draws linear barcodes (JAN/EAN, UPC, Code 39, NW-7,
the 2 of 5 family, the Japanese postal customer barcode, Code 128, Code 93),
saves, copies and prints them. plomix-cli draws them from scripts.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY plomix)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
