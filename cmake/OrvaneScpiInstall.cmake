# SPDX-License-Identifier: MIT
# Installation: the two programs, the manual, the public headers, the parser and demo-table
# libraries, the host libraries behind orvane_scpi_add_console (report core, console, table
# checker), the CMake package OrvaneScpi, pkg-config files, a desktop entry and an icon.
# Two install components (cmake --install <build> --component <name>):
#   development   the libraries, headers, CMake package, pkg-config files, examples and documents;
#   applications  the programs, the manual, the desktop entry and the icons.
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/OrvaneScpiDirs.cmake)

# ---- Libraries, headers and the CMake package ----

# The public headers as absolute paths: install() resolves relative ones from this directory.
set(ORVANE_SCPI_PUBLIC_HEADERS
  ${PROJECT_SOURCE_DIR}/parser/include/orvane-scpi/scpi.h
  ${PROJECT_SOURCE_DIR}/parser/include/orvane-scpi/scpi_table.h
  ${PROJECT_SOURCE_DIR}/parser/include/orvane-scpi/scpi_declare.h
  ${ORVANE_SCPI_GENERATED_INCLUDE_DIR}/orvane-scpi/scpi_config.h)
set(ORVANE_SCPI_INSTRUMENT_HEADERS
  ${PROJECT_SOURCE_DIR}/instrument/include/orvane-scpi/scpi_instrument.h)
set_target_properties(scpi_parser PROPERTIES EXPORT_NAME parser
  PUBLIC_HEADER "${ORVANE_SCPI_PUBLIC_HEADERS}")
set_target_properties(scpi_demo_commands PROPERTIES EXPORT_NAME demo_commands)
set_target_properties(scpi_demo PROPERTIES EXPORT_NAME demo)
set_target_properties(scpi_instrument PROPERTIES EXPORT_NAME instrument
  PUBLIC_HEADER "${ORVANE_SCPI_INSTRUMENT_HEADERS}")
install(TARGETS scpi_parser scpi_demo_commands scpi_demo scpi_instrument
  EXPORT OrvaneScpiTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  PUBLIC_HEADER DESTINATION ${ORVANE_INSTALL_INCLUDEDIR} COMPONENT development)

# Host side: what orvane_scpi_add_console links besides a table. Firmware links none of it.
if(TARGET parsola_console)
  set_target_properties(parsola_report PROPERTIES EXPORT_NAME report)
  set_target_properties(parsola_console PROPERTIES EXPORT_NAME console)
  set_target_properties(scpi_table_checker PROPERTIES EXPORT_NAME checker)
  install(TARGETS parsola_report parsola_console scpi_table_checker
    EXPORT OrvaneScpiTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
    PUBLIC_HEADER DESTINATION ${ORVANE_INSTALL_INCLUDEDIR} COMPONENT development)
endif()

install(EXPORT OrvaneScpiTargets
  NAMESPACE OrvaneScpi::
  DESTINATION ${ORVANE_INSTALL_CMAKEDIR}
  COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/OrvaneScpiConfig.cmake.in
  ${PROJECT_BINARY_DIR}/OrvaneScpiConfig.cmake
  INSTALL_DESTINATION ${ORVANE_INSTALL_CMAKEDIR}
  PATH_VARS ORVANE_INSTALL_DOCDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/OrvaneScpiConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/OrvaneScpiConfig.cmake
              ${PROJECT_BINARY_DIR}/OrvaneScpiConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/OrvaneScpiTable.cmake
              ${CMAKE_CURRENT_LIST_DIR}/OrvaneScpiConsole.cmake
              ${CMAKE_CURRENT_LIST_DIR}/scpi_table_index.c
  DESTINATION ${ORVANE_INSTALL_CMAKEDIR}
  COMPONENT development)

# ---- pkg-config: relocatable, the prefix found from the .pc file's own folder ----

if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  file(RELATIVE_PATH ORVANE_PC_TO_PREFIX "${CMAKE_INSTALL_LIBDIR}/pkgconfig" "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH ORVANE_PC_TO_PREFIX "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
endif()
string(REGEX REPLACE "/$" "" ORVANE_PC_TO_PREFIX "${ORVANE_PC_TO_PREFIX}")
foreach(pc orvane-scpi orvane-scpi-demo orvane-scpi-instrument)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT development)
endforeach()

# ---- Programs, manual, desktop entry and icon ----

if(TARGET parsola-cli)
  install(TARGETS parsola-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT applications)
endif()
if(TARGET psu-sim)
  install(TARGETS psu-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT applications)
endif()
if(TARGET parsola)
  # The window finds the installed manual through ORVANE_DOC_DIR (OrvaneScpiDirs.cmake).
  install(TARGETS parsola RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/parsola.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/parsola.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps COMPONENT applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/parsola.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/256x256/apps COMPONENT applications)
endif()
if(TARGET parsola_manual)
  install(FILES ${ORVANE_MANUAL_PDF} DESTINATION ${ORVANE_INSTALL_DOCDIR} COMPONENT applications)
endif()
# The licence goes with either component.
foreach(component development applications)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${ORVANE_INSTALL_DOCDIR}
    COMPONENT ${component})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  DESTINATION ${ORVANE_INSTALL_DOCDIR} COMPONENT development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${ORVANE_INSTALL_DOCDIR}/examples
  COMPONENT development)
# The demo instrument's table, a complete table in the one-place form.
install(FILES ${PROJECT_SOURCE_DIR}/commands/demo_commands.h ${PROJECT_SOURCE_DIR}/commands/demo_commands.c
  DESTINATION ${ORVANE_INSTALL_DOCDIR}/examples/demo_commands COMPONENT development)
