# Desktop integration and packaging: the window icon built into the program, the install rules
# (GNUInstallDirs) and the Debian package (CPack, `cpack -G DEB` in the build folder).
#
# Installed tree:
#   bin/peltra, bin/peltra-help, libexec/peltra/peltra-sound.so
#   share/peltra/PELTRA.HLP, share/peltra/MEDIA/DING.WAV     the program's data folder
#   share/applications/peltra.desktop
#   share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/peltra.png, scalable/apps/peltra.svg
#   share/metainfo/org.example.peltra.metainfo.xml
# The program looks for its data in ../share/peltra beside its executable, so the tree can be moved.

include(GNUInstallDirs)

set(PELTRA_SOURCE_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/../resources)
cmake_path(NORMAL_PATH PELTRA_SOURCE_RESOURCES)

# --- The window icon, compiled into the program. ---
qt_add_resources(peltra_icon_sources ${PELTRA_SOURCE_RESOURCES}/icon/icon.qrc)
target_sources(peltra PRIVATE ${peltra_icon_sources})

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
install(FILES ${PELTRA_SOURCE_RESOURCES}/peltra.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.example.peltra.metainfo.xml)
foreach(size IN ITEMS 16 32 48 128 256)
    install(FILES ${PELTRA_SOURCE_RESOURCES}/icon/hicolor/${size}/peltra.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PELTRA_SOURCE_RESOURCES}/icon/peltra.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# --- The Debian package. ---
set(CPACK_PACKAGE_NAME peltra)
set(CPACK_PACKAGE_VENDOR "PELTRA")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "PELTRA <peltra@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "countdown of the days to an event, in Japanese")
set(CPACK_PACKAGE_DESCRIPTION
    "PELTRA shows the number of days left until one event that you choose (an entrance\n"
    "examination, an anniversary, a deadline) in large type between two messages of\n"
    "encouragement, with the event date, today's date and the time in a status bar.\n"
    "The user interface is in Japanese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://peltra.example.org/peltra/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # peltra_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries that the programs link come from dpkg-shlibdeps; these are what they load at run
# time: the Japanese fonts that stand in for the Windows font names, the Japanese texts of Qt's
# standard dialogs, and the database driver of the help viewer's help engine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(peltra_runtime_packages fonts-ipafont qt6-translations-l10n)
if(TARGET peltra-help)
    list(APPEND peltra_runtime_packages libqt6sql6-sqlite)
endif()
list(JOIN peltra_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
