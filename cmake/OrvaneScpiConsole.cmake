# SPDX-License-Identifier: MIT
# orvane_scpi_add_console(<name> TABLE <table target>)
#
# The console twin for one instrument's command table: the program <name>, with the report
# lines, options and exit statuses of parsola-cli, plus --check-table, which runs the table
# checker over the table, prints its lines and exits with 0 when it found no error (warnings
# are printed too) and 1 when it found any. <table target> is a table library made with
# orvane_scpi_add_table. The project needs the CXX language, since the console is C++.
function(orvane_scpi_add_console name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "TABLE" "")
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
  # main() and the rest are the objects of OrvaneScpi::console.
  add_executable(${name})
  target_link_libraries(${name} PRIVATE OrvaneScpi::console ${ARG_TABLE})
endfunction()
