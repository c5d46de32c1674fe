# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program's place, the desktop integration files and the Debian package.
set(TIREL_APP_ID cat.tirel.tirel)
set(tirel_dist ${CMAKE_CURRENT_SOURCE_DIR}/dist)

# On Linux the program lives in a private folder, beside the Info.bat its "Info" starts (its own
# folder is where "Info" looks first: Documentation.cmake installs that file), and bin/tirel is a
# relative link to it, so no Info.bat lies on PATH and the installed tree can move as a whole.
# Elsewhere the program goes into bin/ alone.
if(UNIX AND NOT APPLE AND NOT EMSCRIPTEN)
  set(TIREL_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/tirel)
  install(TARGETS tirel RUNTIME DESTINATION ${TIREL_INSTALL_PROGRAMDIR})
  cmake_path(RELATIVE_PATH CMAKE_INSTALL_FULL_LIBEXECDIR BASE_DIRECTORY ${CMAKE_INSTALL_FULL_BINDIR}
             OUTPUT_VARIABLE tirel_program_from_bin)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/dist)
  file(CREATE_LINK ${tirel_program_from_bin}/tirel/tirel ${CMAKE_CURRENT_BINARY_DIR}/dist/tirel SYMBOLIC)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/dist/tirel DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  install(TARGETS tirel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${tirel_dist}/${TIREL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tirel_dist}/${TIREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# One design, drawn at 32 x 32 and as a scalable picture.
install(FILES ${tirel_dist}/icons/tirel.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${tirel_dist}/icons/tirel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME tirel)
set(CPACK_PACKAGE_VENDOR "Tirel developers")
# The project has no public mail address: one placeholder on the reserved .invalid domain, which
# can never be delivered to and which Debian's checker accepts as such, stands for it wherever a
# contact is asked for (the package, its changelog, its copyright file).
set(TIREL_CONTACT "Tirel developers <dev@tirel.invalid>")
set(CPACK_PACKAGE_CONTACT "${TIREL_CONTACT}")
# The package carries the version the About dialog shows.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for progressions, interest and annuities")
# CPack writes the description as it is: every line within 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator with a Catalan interface for arithmetic and geometric
progressions (with the sum of a decreasing infinite progression kept in step
while typing), the interpolation of terms between two values, simple and
compound interest, and annuities of capitalisation and of amortisation.
Type the quantities you know and press Ok: the missing ones are written into
the empty fields. Numbers follow the user's locale.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tirel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from the binary itself; the faces the window maps its fonts to do not.
# Liberation Sans 2 is fonts-liberation from Debian 13 on and fonts-liberation2 in Debian 12 (whose
# fonts-liberation is version 1), so one package installs on both.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation (>= 1:2) | fonts-liberation2, fonts-urw-base35, fonts-comic-neue")
# Qt's own platform plugin for a Wayland session; under X11 the program runs without it. xdg-open
# is what Info.bat opens the help page with: only "Info" needs it, so it is recommended, not
# depended on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")

include(CPack)
include(${CMAKE_CURRENT_LIST_DIR}/Documentation.cmake)
