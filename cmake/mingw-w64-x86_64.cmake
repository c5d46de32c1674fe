# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-builds for 64-bit Windows with Debian's mingw-w64 compilers. The posix-threads variants
# are the ones Qt's threading needs (std::thread, std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TIREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TIREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TIREL_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TIREL_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TIREL_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the mingw sysroot and the static Qt prefix only, never from
# the Linux host; programs (moc, rcc, uic) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TIREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
