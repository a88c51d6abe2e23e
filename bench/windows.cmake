# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows benchmark's floor (bench/windows.sh), built as netquiz.exe is.
add_executable(floor_prompt_windows WIN32 ${CMAKE_CURRENT_LIST_DIR}/floor_windows.cpp)
target_link_libraries(floor_prompt_windows PRIVATE Qt::Widgets)
target_link_options(floor_prompt_windows PRIVATE -static $<$<CONFIG:Release>:-s>)
