# SPDX-License-Identifier: MIT
# The single-file drop-in for builds without CMake: the target amalgamation writes
#   <build>/amalgamation/orvane_scpi.cpp      every parser source in one file
#   <build>/amalgamation/orvane_scpi_instrument.cpp  every instrument layer source in one file
#   <build>/amalgamation/orvane-scpi/*.h      the public headers and this build's scpi_config.h
#   <build>/amalgamation/scpi_table_index.c   the program that derives a table's header index
# and the development component installs the folder with the documents.
# Included after OrvaneScpiInstall.cmake, whose ORVANE_SCPI_PUBLIC_HEADERS it copies.
set(ORVANE_SCPI_AMALGAMATION_DIR ${PROJECT_BINARY_DIR}/amalgamation)

# The C++ sources of a library target, as absolute paths.
function(_orvane_cpp_sources target dir_var sources_var)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(files ${target} SOURCES)
  set(sources "")
  foreach(file IN LISTS files)
    if(file MATCHES "\\.cpp$")
      list(APPEND sources ${dir}/${file})
    endif()
  endforeach()
  set(${dir_var} ${dir} PARENT_SCOPE)
  set(${sources_var} ${sources} PARENT_SCOPE)
endfunction()
_orvane_cpp_sources(scpi_parser _orvane_parser_dir _orvane_parser_sources)
_orvane_cpp_sources(scpi_instrument _orvane_instrument_dir _orvane_instrument_sources)
# The internal headers the sources include in quotes are inlined; any of them may change.
file(GLOB _orvane_internal_headers CONFIGURE_DEPENDS ${_orvane_parser_dir}/*.h
     ${_orvane_instrument_dir}/*.h)

set(_orvane_amalgamation_outputs ${ORVANE_SCPI_AMALGAMATION_DIR}/orvane_scpi.cpp
    ${ORVANE_SCPI_AMALGAMATION_DIR}/orvane_scpi_instrument.cpp)
foreach(_header IN LISTS ORVANE_SCPI_PUBLIC_HEADERS ORVANE_SCPI_INSTRUMENT_HEADERS)
  get_filename_component(_name ${_header} NAME)
  list(APPEND _orvane_amalgamation_outputs ${ORVANE_SCPI_AMALGAMATION_DIR}/orvane-scpi/${_name})
endforeach()

# Lists travel to the script with '|' between their items.
string(REPLACE ";" "|" _orvane_sources_arg "${_orvane_parser_sources}")
string(REPLACE ";" "|" _orvane_instrument_arg "${_orvane_instrument_sources}")
string(REPLACE ";" "|" _orvane_headers_arg
       "${ORVANE_SCPI_PUBLIC_HEADERS};${ORVANE_SCPI_INSTRUMENT_HEADERS}")
add_custom_command(
  OUTPUT ${_orvane_amalgamation_outputs}
  COMMAND ${CMAKE_COMMAND} -DSOURCES=${_orvane_sources_arg}
          -DINSTRUMENT_SOURCES=${_orvane_instrument_arg} -DHEADERS=${_orvane_headers_arg}
          -DOUTPUT_DIR=${ORVANE_SCPI_AMALGAMATION_DIR} -DVERSION=${PROJECT_VERSION}
          -P ${CMAKE_CURRENT_LIST_DIR}/amalgamate.cmake
  DEPENDS ${_orvane_parser_sources} ${_orvane_instrument_sources} ${_orvane_internal_headers}
          ${ORVANE_SCPI_PUBLIC_HEADERS} ${ORVANE_SCPI_INSTRUMENT_HEADERS}
          ${CMAKE_CURRENT_LIST_DIR}/amalgamate.cmake
  COMMENT "Writing the single-file parser and instrument layer in amalgamation/"
  VERBATIM)
add_custom_command(
  OUTPUT ${ORVANE_SCPI_AMALGAMATION_DIR}/scpi_table_index.c
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/scpi_table_index.c
          ${ORVANE_SCPI_AMALGAMATION_DIR}/scpi_table_index.c
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/scpi_table_index.c
  VERBATIM)
list(APPEND _orvane_amalgamation_outputs ${ORVANE_SCPI_AMALGAMATION_DIR}/scpi_table_index.c)
add_custom_target(amalgamation ALL DEPENDS ${_orvane_amalgamation_outputs})

install(DIRECTORY ${ORVANE_SCPI_AMALGAMATION_DIR}/ DESTINATION ${ORVANE_INSTALL_DOCDIR}/amalgamation
  COMPONENT development)
