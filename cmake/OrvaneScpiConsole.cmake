# SPDX-License-Identifier: MIT
# orvane_scpi_add_console(<name> TABLE <table target> [RECORD <table record>])
#
# The console twin for one instrument's command table: the program <name>, with the report
# lines, options and exit statuses of parsola-cli, plus --check-table, which runs the table
# checker over the table, prints its lines and exits with 0 when it found no error (warnings
# are printed too) and 1 when it found any. <table target> is a table library made with
# orvane_scpi_add_table. With RECORD, the console parses through a context over that table record
# (SScpiTable, of any width, e.g. one of SCPI_NAMED_COMMAND_TABLE) and checks it; the table then
# needs no global names CmdSpecs, ParamSpecs and UnitSuffixes. The project needs the CXX
# language, since the console is C++.
function(orvane_scpi_add_console name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "TABLE;RECORD" "")
  if(NOT ARG_TABLE)
    message(FATAL_ERROR "orvane_scpi_add_console(${name}): no TABLE given")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "orvane_scpi_add_console(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${ARG_TABLE})
    message(FATAL_ERROR "orvane_scpi_add_console(${name}): TABLE ${ARG_TABLE} is no target")
  endif()
  if(NOT TARGET OrvaneScpi::console)
    message(FATAL_ERROR "orvane_scpi_add_console(${name}): the target OrvaneScpi::console is missing")
  endif()
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT "CXX" IN_LIST languages)
    message(FATAL_ERROR "orvane_scpi_add_console(${name}): the console is C++: enable CXX, "
                        "e.g. project(... LANGUAGES C CXX)")
  endif()
  # main() and the rest are the objects of OrvaneScpi::console. A console over a table record
  # names the record in a source of its own.
  add_executable(${name})
  if(ARG_RECORD)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}_console.cpp)
    set(content "// The console ${name}: OrvaneScpi::console with the command table ${ARG_TABLE}.\n")
    string(APPEND content "#include <orvane-scpi/scpi_table.h>\n"
      "extern \"C\" const SScpiTable ${ARG_RECORD};\n"
      "extern \"C\" const SScpiTable* const ScpiConsoleTable;\n"
      "const SScpiTable* const ScpiConsoleTable = &${ARG_RECORD};\n"
      "// Parsed through the record: the global names stay an empty table.\n"
      "extern \"C\" const char* const CmdSpecs[];\n"
      "extern \"C\" const SParamSpec ParamSpecs[][MAX_PARAMS];\n"
      "extern \"C\" const SUnitSuffix UnitSuffixes[];\n"
      "const char* const CmdSpecs[] = {\"\"};\n"
      "const SParamSpec ParamSpecs[][MAX_PARAMS] = {{}};\n"
      "const SUnitSuffix UnitSuffixes[] = {{\"\", U_NONE, 0}};\n")
    set(old "")
    if(EXISTS ${source})
      file(READ ${source} old)
    endif()
    if(NOT old STREQUAL content)
      file(WRITE ${source} "${content}")
    endif()
    target_sources(${name} PRIVATE ${source})
  endif()
  target_link_libraries(${name} PRIVATE OrvaneScpi::console ${ARG_TABLE})
endfunction()
