# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The journal's bytes layer and its Qt-free test cross-built for Windows with MinGW-w64, run
# under Wine as the test journalfile_wine (skipped where either is missing, failed under CI).
find_program(MINGW_CXX x86_64-w64-mingw32-g++-posix)
# Debian's wine64 keeps its loader off the PATH unless the wine wrapper package is installed.
find_program(WINE64 wine64 PATHS /usr/lib/wine)
find_program(WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine)
if(NOT MINGW_CXX OR NOT WINE64 OR NOT WINESERVER)
  message(STATUS "MinGW-w64 or Wine missing: the journal's Windows test is skipped (fails under CI)")
  add_test(NAME journalfile_wine COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/need_tools.sh --absent "MinGW-w64 or Wine")
  set_tests_properties(journalfile_wine PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()

# Not journalfile_test.exe: CMake would take that name for the native target journalfile_test.
set(journalfile_exe ${CMAKE_CURRENT_BINARY_DIR}/journalfile_windows_test.exe)
set(journalfile_win_sources ${PROJECT_SOURCE_DIR}/tests/journalfile_test.cpp ${PROJECT_SOURCE_DIR}/result/journalfile_win.cpp
  ${PROJECT_SOURCE_DIR}/result/journalfile_win_whole.cpp)
set(journalfile_werror "")
if(NETQUIZ_WERROR)
  set(journalfile_werror -Werror)
endif()
add_custom_command(OUTPUT ${journalfile_exe}
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra ${journalfile_werror} -static -O2 -I${PROJECT_SOURCE_DIR}
          ${journalfile_win_sources} -o ${journalfile_exe}
  DEPENDS ${journalfile_win_sources} ${PROJECT_SOURCE_DIR}/result/journalfile.h ${PROJECT_SOURCE_DIR}/result/journalfile_win.h
  COMMENT "Cross-building journalfile_windows_test.exe"
  VERBATIM)
add_custom_target(journalfile_windows_test ALL DEPENDS ${journalfile_exe})

# The prefix lives in the build tree; its first start takes a while.
add_test(NAME journalfile_wine
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine_run.sh ${WINE64} ${WINESERVER} ${CMAKE_CURRENT_BINARY_DIR}/wineprefix ${journalfile_exe})
set_tests_properties(journalfile_wine PROPERTIES TIMEOUT 600 RESOURCE_LOCK wineprefix)

# The Windows program's console layer and its console twin, cross-built beside a probe of their
# own (no Qt needed), run under Wine in a Ukrainian prefix by tests/windows/console_wine.sh.
set(console_sources ${PROJECT_SOURCE_DIR}/control/console_win.cpp ${PROJECT_SOURCE_DIR}/control/console.h
  ${PROJECT_SOURCE_DIR}/control/winargs.h)
set(console_probe ${CMAKE_CURRENT_BINARY_DIR}/console_probe)
add_custom_command(OUTPUT ${console_probe}.exe ${console_probe}.com
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra ${journalfile_werror} -static -O2 -municode -mwindows
          -I${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/console_probe.cpp ${PROJECT_SOURCE_DIR}/control/console_win.cpp
          -o ${console_probe}.exe
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra ${journalfile_werror} -static -O2 -municode -mconsole
          -I${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/control/console_twin_win.cpp ${PROJECT_SOURCE_DIR}/control/console_win.cpp
          -o ${console_probe}.com
  DEPENDS ${console_sources} ${PROJECT_SOURCE_DIR}/tests/console_probe.cpp ${PROJECT_SOURCE_DIR}/control/console_twin_win.cpp
  COMMENT "Cross-building console_probe.exe and its console twin console_probe.com"
  VERBATIM)
add_custom_target(console_probe ALL DEPENDS ${console_probe}.exe ${console_probe}.com)
# Wine's console takes its code page (866) from the Unix locale, compiled into the build tree.
find_program(LOCALEDEF localedef)
set(console_locales ${CMAKE_CURRENT_BINARY_DIR}/locales)
add_custom_command(OUTPUT ${console_locales}/uk_UA.UTF-8/LC_CTYPE
  COMMAND ${CMAKE_COMMAND} -E make_directory ${console_locales}
  COMMAND ${LOCALEDEF} -c -i uk_UA -f UTF-8 ${console_locales}/uk_UA.UTF-8
  COMMENT "Compiling the uk_UA.UTF-8 locale for the console's Wine test"
  VERBATIM)
add_custom_target(console_locales ALL DEPENDS ${console_locales}/uk_UA.UTF-8/LC_CTYPE)
add_test(NAME console_wine
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/need_tools.sh script iconv xxd localedef --
          bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/console_wine.sh ${WINE64} ${WINESERVER} ${CMAKE_CURRENT_BINARY_DIR}/wineprefix
          ${console_locales} ${console_probe}.exe ${console_probe}.com)
set_tests_properties(console_wine PROPERTIES TIMEOUT 600 RESOURCE_LOCK wineprefix SKIP_RETURN_CODE 77
  FAIL_REGULAR_EXPRESSION "FAIL")
