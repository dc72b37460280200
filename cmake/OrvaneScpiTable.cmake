# SPDX-License-Identifier: MIT
# orvane_scpi_add_table(<name> SOURCES <files...>)
#
# A static library holding one instrument's command table (CmdSpecs, ParamSpecs, UnitSuffixes),
# hand-written or declared with orvane-scpi/scpi_declare.h, and whatever the build derives from
# it. Linking <name> links the parser too, in the order the linker needs: the parser reads the
# table's symbols, so the table's objects are pulled into every program that links <name>.
function(orvane_scpi_add_table name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES")
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "orvane_scpi_add_table(${name}): no SOURCES given")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "orvane_scpi_add_table(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET OrvaneScpi::parser)
    message(FATAL_ERROR "orvane_scpi_add_table(${name}): the target OrvaneScpi::parser is missing")
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC OrvaneScpi::parser)
  # The table's objects are needed by the parser, which comes after the table on a link line.
  target_link_options(${name} INTERFACE
    "LINKER:--undefined=CmdSpecs" "LINKER:--undefined=ParamSpecs" "LINKER:--undefined=UnitSuffixes")
endfunction()
