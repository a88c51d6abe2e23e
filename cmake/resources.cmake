# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# netquiz_add_resources(TARGET NAME PREFIX prefix FILES file...): the files built into every program
# that links TARGET, under :PREFIX/ by their path in the source tree (a file from outside it by
# its bare name). The same for Qt 5 and Qt 6: a .qrc written here, compiled by rcc into an object
# library whose objects every program linking TARGET gets, so a static TARGET never drops them.
function(netquiz_add_resources target name)
  cmake_parse_arguments(RES "" "PREFIX" "FILES" ${ARGN})
  set(entries "")
  foreach(file IN LISTS RES_FILES)
    get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    file(RELATIVE_PATH alias "${CMAKE_CURRENT_SOURCE_DIR}" "${path}")
    if(alias MATCHES "^\\.\\./" OR IS_ABSOLUTE "${alias}")
      get_filename_component(alias "${path}" NAME)
    endif()
    string(APPEND entries "    <file alias=\"${alias}\">${path}</file>\n")
  endforeach()
  set(qrc "${CMAKE_CURRENT_BINARY_DIR}/${target}_${name}.qrc")
  file(CONFIGURE OUTPUT "${qrc}" CONTENT
    "<RCC>\n  <qresource prefix=\"${RES_PREFIX}\">\n${entries}  </qresource>\n</RCC>\n" @ONLY)
  qt_add_resources(sources "${qrc}")
  add_library(${target}_${name} OBJECT ${sources})
  target_link_libraries(${target}_${name} PRIVATE Qt::Core)
  set_target_properties(${target}_${name} PROPERTIES AUTOMOC OFF)
  target_sources(${target} INTERFACE $<TARGET_OBJECTS:${target}_${name}>)
  add_dependencies(${target} ${target}_${name})
endfunction()
