# Desktop integration and packaging: the install rules
# (GNUInstallDirs) and the Debian package (CPack, `cpack -G DEB` in the build folder).
#
# Installed tree:
#   bin/peltra, bin/peltra-help, libexec/peltra/peltra-sound.so
#   share/peltra/PELTRA.HLP, share/peltra/MEDIA/DING.WAV     the program's data folder
#   share/applications/peltra.desktop
#   share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/peltra.png, scalable/apps/peltra.svg
#   share/metainfo/org.example.peltra.metainfo.xml
#   share/man/man1/{peltra,peltra-help}.1.gz, share/doc/peltra/{copyright,changelog.gz}
# The program looks for its data in ../share/peltra beside its executable, so the tree can be moved.

include(GNUInstallDirs)

set(PELTRA_SOURCE_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/../resources)
cmake_path(NORMAL_PATH PELTRA_SOURCE_RESOURCES)

# --- Install rules. ---
# The program finds its data folder as ../share/peltra from its own folder; other layouts would
# install a program that cannot find its help file and chime.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
    message(FATAL_ERROR "CMAKE_INSTALL_BINDIR and CMAKE_INSTALL_DATADIR must be relative to the prefix "
                        "(the program finds its data as ../share/peltra)")
endif()
cmake_path(GET CMAKE_INSTALL_BINDIR PARENT_PATH peltra_bin_parent)
if(NOT CMAKE_INSTALL_DATADIR STREQUAL "${peltra_bin_parent}share" AND
   NOT CMAKE_INSTALL_DATADIR STREQUAL "${peltra_bin_parent}/share")
    message(FATAL_ERROR "CMAKE_INSTALL_DATADIR (${CMAKE_INSTALL_DATADIR}) must be the folder 'share' beside "
                        "CMAKE_INSTALL_BINDIR (${CMAKE_INSTALL_BINDIR}): the program finds its data as ../share/peltra")
endif()
set(PELTRA_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/peltra)

install(TARGETS peltra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The chime's player, a private module: the program looks for it in ../libexec/peltra beside its
# own folder. Not under lib/, where the package would run ldconfig for a library nobody links.
install(TARGETS peltra-sound LIBRARY DESTINATION libexec/peltra)
if(TARGET peltra-help)
    install(TARGETS peltra-help RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The help file is compiled by the target peltra_helpfile into the build folder.
if(TARGET peltra_helpfile)
    install(FILES ${CMAKE_BINARY_DIR}/PELTRA.HLP DESTINATION ${PELTRA_INSTALL_DATA})
endif()
install(FILES ${PELTRA_SOURCE_RESOURCES}/DING.WAV DESTINATION ${PELTRA_INSTALL_DATA}/MEDIA)

install(FILES ${PELTRA_SOURCE_RESOURCES}/peltra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metadata and the package's documents name the author's addresses of the build settings.
configure_file(${PELTRA_SOURCE_RESOURCES}/peltra.metainfo.xml ${CMAKE_BINARY_DIR}/org.example.peltra.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.example.peltra.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
configure_file(${PELTRA_SOURCE_RESOURCES}/package/copyright ${CMAKE_BINARY_DIR}/doc/copyright @ONLY)
configure_file(${PELTRA_SOURCE_RESOURCES}/package/changelog ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)

# Manual pages and the changelog go compressed, without a name or a time stamp in the gzip header,
# so that the same sources make the same package.
find_program(PELTRA_GZIP gzip REQUIRED)
set(peltra_compressed_docs)
foreach(source IN ITEMS ${PELTRA_SOURCE_RESOURCES}/peltra.1 ${PELTRA_SOURCE_RESOURCES}/peltra-help.1
                        ${CMAKE_BINARY_DIR}/doc/changelog)
    cmake_path(GET source FILENAME name)
    set(compressed ${CMAKE_BINARY_DIR}/doc/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND ${PELTRA_GZIP} -9n -c ${source} > ${compressed}
                       DEPENDS ${source})
    list(APPEND peltra_compressed_docs ${compressed})
endforeach()
add_custom_target(peltra_docs ALL DEPENDS ${peltra_compressed_docs})
install(FILES ${CMAKE_BINARY_DIR}/doc/peltra.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET peltra-help)
    install(FILES ${CMAKE_BINARY_DIR}/doc/peltra-help.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${CMAKE_BINARY_DIR}/doc/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PELTRA_SOURCE_RESOURCES}/package/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME peltra)
foreach(size IN ITEMS 16 32 48 128 256)
    install(FILES ${PELTRA_SOURCE_RESOURCES}/icon/hicolor/${size}/peltra.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PELTRA_SOURCE_RESOURCES}/icon/peltra.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# --- The Debian package. ---
set(CPACK_PACKAGE_NAME peltra)
set(CPACK_PACKAGE_VENDOR "PELTRA")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "PELTRA <${PELTRA_AUTHOR_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "countdown of the days to an event, in Japanese")
set(CPACK_PACKAGE_DESCRIPTION
    "PELTRA shows the number of days left until one event that you choose (an\n"
    "entrance examination, an anniversary, a deadline) in large type between two\n"
    "messages of encouragement, with the event date, today's date and the time in\n"
    "a status bar. The user interface is in Japanese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "${PELTRA_HOME_PAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # peltra_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries that the programs link come from dpkg-shlibdeps; these are what they load at run
# time: the Japanese and Latin fonts that stand in for the Windows font names, the Japanese texts of Qt's
# standard dialogs, and the database driver of the help viewer's help engine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(peltra_runtime_packages fonts-ipafont fonts-liberation2 qt6-translations-l10n)
if(TARGET peltra-help)
    list(APPEND peltra_runtime_packages libqt6sql6-sqlite)
endif()
# The X11 platform plugin, without which no window opens, from whichever package ships it here:
# Debian 12 has it in libqt6gui6, which the programs link anyway; where it lies in
# qt6-qpa-plugins, the libraries only recommend that.
execute_process(COMMAND dpkg-query --search "*/qt6/plugins/platforms/libqxcb.so"
                OUTPUT_VARIABLE peltra_xcb_plugin_package ERROR_QUIET)
string(REGEX MATCH "^[^:, ]+" peltra_xcb_plugin_package "${peltra_xcb_plugin_package}")
if(peltra_xcb_plugin_package AND NOT peltra_xcb_plugin_package STREQUAL "libqt6gui6")
    list(APPEND peltra_runtime_packages ${peltra_xcb_plugin_package})
endif()
list(JOIN peltra_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
