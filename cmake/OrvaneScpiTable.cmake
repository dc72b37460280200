# SPDX-License-Identifier: MIT
# orvane_scpi_add_table(<name> SOURCES <files...> [TABLES <records...>])
#
# A static library holding command tables, hand-written or declared with
# orvane-scpi/scpi_declare.h, and whatever the build derives from them. Linking <name> links the
# parser too, in the order the linker needs: SCPI_Parse reads the global names CmdSpecs,
# ParamSpecs and UnitSuffixes of a table that has them.
#
# Derived for each table record named in TABLES (defined in the sources with
# SCPI_TABLE_RECORD_DEFINE or SCPI_NAMED_COMMAND_TABLE): its header index
# (orvane-scpi/scpi_table.h), which the record refers to, and with which a parser context tries
# only the entries that can match a header. The program scpi_table_index.c
# (beside this file) is compiled together with the table's sources by the build machine's C
# compiler and run; the C file it prints is compiled into <name> by the compiler of the target.
# In a cross build the build machine's compiler is ORVANE_SCPI_HOST_C_COMPILER (by default cc,
# gcc or clang from the PATH); the table's include directories and definitions are passed to it.
# Without one, or when a source is not C, the table is built without its index and the parser
# tries every entry, with the same results.

set(ORVANE_SCPI_TABLE_INDEX_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/scpi_table_index.c CACHE INTERNAL
    "Source of the program that derives a command table's header index")

function(orvane_scpi_add_table name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;TABLES")
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
  # SCPI_Parse reads the global names of a table, and the parser comes after the table on a link
  # line: GNU-style linkers are asked to take them in. A program that parses through contexts
  # refers to a record of the table and needs nothing of the kind.
  if(NOT APPLE AND NOT MSVC)
    target_link_options(${name} INTERFACE
      "LINKER:--undefined=CmdSpecs" "LINKER:--undefined=ParamSpecs" "LINKER:--undefined=UnitSuffixes")
  endif()
  if(ARG_TABLES)
    _orvane_scpi_add_table_index(${name} "${ARG_TABLES}" ${ARG_SOURCES})
  endif()
endfunction()

# Derives the header index of each record of <tables> from the sources of table library <name>
# and compiles them into <name>.
function(_orvane_scpi_add_table_index name tables)
  set(sources)
  foreach(source ${ARGN})
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND sources ${source})
  endforeach()
  set(generator_source ${ORVANE_SCPI_TABLE_INDEX_GENERATOR})
  set(index ${CMAKE_CURRENT_BINARY_DIR}/${name}_index.c)
  set(without "the table ${name} is built without its header index (every entry is tried)")
  if(NOT CMAKE_C_COMPILER_LOADED)
    message(WARNING "orvane_scpi_add_table(${name}): the C language is not enabled; ${without}")
    return()
  endif()
  set(includes "$<TARGET_PROPERTY:${name},INCLUDE_DIRECTORIES>")
  set(definitions "$<TARGET_PROPERTY:${name},COMPILE_DEFINITIONS>")

  # The records to index, for the generator.
  set(list_source ${CMAKE_CURRENT_BINARY_DIR}/${name}_index_tables.c)
  set(text "/* The table records of ${name} whose header index the build derives. */\n")
  string(APPEND text "#include <orvane-scpi/scpi_table.h>\n")
  set(pointers "")
  set(names "")
  foreach(table ${tables})
    string(APPEND text "extern const SScpiTable ${table};\nconst SCmdIndex ${table}Index = {0};\n")
    string(APPEND pointers "&${table}, ")
    string(APPEND names "\"${table}\", ")
  endforeach()
  string(APPEND text "const SScpiTable* const ScpiIndexTables[] = {${pointers}NULL};\n")
  string(APPEND text "const char* const ScpiIndexTableNames[] = {${names}NULL};\n")
  file(GENERATE OUTPUT ${list_source} CONTENT "${text}")

  if(NOT CMAKE_CROSSCOMPILING)
    add_executable(${name}_index_generator ${generator_source} ${sources} ${list_source})
    target_include_directories(${name}_index_generator PRIVATE ${includes})
    target_compile_definitions(${name}_index_generator PRIVATE ${definitions}
                               ORVANE_SCPI_TABLE_INDEXED)
    set(generator ${name}_index_generator)
    set(generator_depends ${name}_index_generator)
  else()
    find_program(ORVANE_SCPI_HOST_C_COMPILER NAMES cc gcc clang NO_CMAKE_FIND_ROOT_PATH
                 DOC "C compiler of the build machine, for the command tables' header index")
    if(NOT ORVANE_SCPI_HOST_C_COMPILER)
      message(WARNING "orvane_scpi_add_table(${name}): no C compiler for the build machine "
                      "(set ORVANE_SCPI_HOST_C_COMPILER); ${without}")
      return()
    endif()
    foreach(source ${sources})
      if(NOT source MATCHES "\\.c$")
        message(WARNING "orvane_scpi_add_table(${name}): ${source} is not a C source, which the "
                        "build machine's C compiler cannot compile; ${without}")
        return()
      endif()
    endforeach()
    set(generator ${CMAKE_CURRENT_BINARY_DIR}/${name}_index_generator${CMAKE_HOST_EXECUTABLE_SUFFIX})
    add_custom_command(OUTPUT ${generator}
      COMMAND ${ORVANE_SCPI_HOST_C_COMPILER} "$<$<BOOL:${includes}>:-I$<JOIN:${includes},;-I>>"
              "$<$<BOOL:${definitions}>:-D$<JOIN:${definitions},;-D>>" -DORVANE_SCPI_TABLE_INDEXED
              -o ${generator} ${generator_source} ${sources} ${list_source}
      DEPENDS ${generator_source} ${sources} ${list_source}
      COMMAND_EXPAND_LISTS VERBATIM
      COMMENT "Building the header index generator of ${name} for the build machine")
    set(generator_depends ${generator})
  endif()

  add_custom_command(OUTPUT ${index}
    COMMAND ${generator} ${index}
    DEPENDS ${generator_depends}
    VERBATIM
    COMMENT "Deriving the header index of ${name}")
  target_sources(${name} PRIVATE ${index})
  # The records refer to their indexes.
  target_compile_definitions(${name} PRIVATE ORVANE_SCPI_TABLE_INDEXED)
endfunction()
