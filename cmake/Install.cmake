# SPDX-License-Identifier: GPL-2.0-or-later
# Installation (cmake --install, any prefix, DESTDIR respected) and the Debian
# package (cpack -G DEB). Everything belongs to the component "kvel", so a
# test that installs only that component leaves install_manifest.txt alone.

include(GNUInstallDirs)
include(cmake/AppIcon.cmake)

set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME kvel)
set(kvel_built ${CMAKE_BINARY_DIR}/bin)
set(kvel_docdir ${CMAKE_INSTALL_DATADIR}/doc/kvel)

# kvel-native-host stays beside kvel: the browser manifests name it there and
# it starts the kvel beside itself.
install(TARGETS kvel kvel-lookup kvel-dict kvel-native-host
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The dictionary where kvel looks in the XDG data folders: kvel/kvel.mdb, with
# its index file kvel.mdb.kvx beside it.
install(FILES ${kvel_built}/kvel.mdb ${kvel_built}/kvel.mdb.kvx
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kvel)
install(DIRECTORY ${kvel_built}/browser-extension DESTINATION ${CMAKE_INSTALL_DATADIR}/kvel)
install(FILES ${PROJECT_SOURCE_DIR}/resources/browser/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kvel/browser-extension)

# The help file, its HTML copy and the Help menu's pages: ../share/doc/kvel
# from the installed kvel.
install(FILES ${kvel_built}/kvel.chm DESTINATION ${kvel_docdir})
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/copyright DESTINATION ${kvel_docdir})
install(DIRECTORY ${kvel_built}/kvel-help ${kvel_built}/doc/ DESTINATION ${kvel_docdir})

install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/kvel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/org.kvel.Kvel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KVEL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${KVEL_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvel)
set(CPACK_PACKAGE_VENDOR Kvel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small English-Serbian desktop dictionary")
set(CPACK_PACKAGE_DESCRIPTION "\
Kvel is a narrow bar that stays on top of every window and looks English and
Serbian (Latin script) words up as you type, in both directions, showing the
hits in a balloon beside the bar. It can look up copied words and words
selected in a web browser, and speaks English words.

The package holds the program, its help, the command-line tools kvel-lookup
and kvel-dict, and a default dictionary built from FreeDict's English-Serbian
data.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Kvel;kvel;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The project has no mail box; the field names who makes the package.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kvel developers")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker cannot see: the speech plugins are loaded at run time, the
# balloon's font metrics need Liberation, and xdg-mime finds a help viewer.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-liberation, xdg-utils, qt6-speech-speechd-plugin | qt6-speech-flite-plugin")
# The dictionary forms of inflected words come from these; without them the
# preference is greyed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-sr, hunspell-en-us, wordnet-base")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
