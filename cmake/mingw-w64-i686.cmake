# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's MinGW-w64 (posix threads) targeting 32-bit Windows: one program for 32- and 64-bit
# Windows alike. The static Qt from tools/windows-qt.sh is found through CMAKE_PREFIX_PATH.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1) # Windows 7, the oldest Windows the program runs on
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  i686-w64-mingw32-windres)
set(CMAKE_AR           /usr/bin/i686-w64-mingw32-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/i686-w64-mingw32-ranlib CACHE FILEPATH "")
# The Windows headers declare only what Windows 7 has.
set(CMAKE_C_FLAGS_INIT "-DWINVER=0x0601 -D_WIN32_WINNT=0x0601")
set(CMAKE_CXX_FLAGS_INIT "-DWINVER=0x0601 -D_WIN32_WINNT=0x0601")
# The Qt prefix (CMAKE_PREFIX_PATH) is a root too, so that its packages are found.
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
