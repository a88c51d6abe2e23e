# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The plugins a program built with the static Qt 5 for Windows carries (tools/windows-qt.sh). Qt 5's
# CMake files link every plugin of a static Qt into whatever uses its modules, each with a source
# that imports it (Q_IMPORT_PLUGIN), unless told otherwise: a program takes only these, a static
# library none (its programs import them once).
#   windows platform (qwindows)            the windows themselves
#   Windows Vista style (qwindowsvistastyle)  controls drawn as Windows draws its own
#   SVG image format and icon engine (qsvg, qsvgicon)  the pictures and the icon
#   Windows printing (windowsprintersupport)  the teacher's print dialog and printers
set(netquiz_plugin_types platforms styles imageformats iconengines printsupport generic platformthemes
  platforminputcontexts bearer)
function(netquiz_windows_plugins)
  foreach(target IN LISTS ARGN)
    if(NOT TARGET ${target})
      continue()
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      qt5_import_plugins(${target}
        INCLUDE_BY_TYPE platforms Qt5::QWindowsIntegrationPlugin
        INCLUDE_BY_TYPE styles Qt5::QWindowsVistaStylePlugin
        INCLUDE_BY_TYPE imageformats Qt5::QSvgPlugin
        INCLUDE_BY_TYPE iconengines Qt5::QSvgIconPlugin
        INCLUDE_BY_TYPE printsupport Qt5::QWindowsPrinterSupportPlugin
        EXCLUDE_BY_TYPE generic platformthemes platforminputcontexts bearer)
    else()
      qt5_import_plugins(${target} EXCLUDE_BY_TYPE ${netquiz_plugin_types})
    endif()
  endforeach()
endfunction()
