# `cmake --install` in the GNU layout: the programs in bin, the sound and print modules in a
# private library folder, the shipped files in share/kolvane, and the desktop entry, icon,
# AppStream data and manual pages where desktops and man look for them. The same executables
# also run from the build folder: they find what they ship relative to their own place
# (platform/installed_layout.h).
include(GNUInstallDirs)

set(KOLVANE_ID org.kolvane.Kolvane)
set(KOLVANE_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/kolvane)

# The installed programs' way from their folder to the shared data and to the modules.
file(RELATIVE_PATH _kolvane_data_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR})
file(RELATIVE_PATH _kolvane_module_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/kolvane)
target_compile_definitions(platform PRIVATE
  "KOLVANE_ID=\"${KOLVANE_ID}\""
  "KOLVANE_DATA_FROM_BIN=\"${_kolvane_data_from_bin}\""
  "KOLVANE_MODULE_FROM_BIN=\"${_kolvane_module_from_bin}\"")

install(TARGETS Kolvane tavikg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kolvane_sound kolvane_print LIBRARY DESTINATION ${KOLVANE_MODULE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/files/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kolvane)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/data/${KOLVANE_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The menu entry starts the program where it is installed, which only the install step knows
# (`--prefix`, the package's /usr).
configure_file(${CMAKE_CURRENT_LIST_DIR}/install_desktop_entry.cmake.in
               ${CMAKE_BINARY_DIR}/install_desktop_entry.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/install_desktop_entry.cmake)
install(FILES ${PROJECT_SOURCE_DIR}/data/man/Kolvane.1 ${PROJECT_SOURCE_DIR}/data/man/tavikg.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
