# SPDX-License-Identifier: MIT
# The single-file drop-in as a build without CMake uses it: plain compiler calls on
# amalgamation/orvane_scpi.cpp, the demo table's source and the C example, with the amalgamation
# folder as the only include path. The program must print what the manual shows.
#
# cmake -DAMALGAMATION_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DC_COMPILER=... -DCXX_COMPILER=...
#       [-DC_FLAGS=...] [-DCXX_FLAGS=...] [-DLINKER_FLAGS=...] -P amalgamation_test.cmake
cmake_minimum_required(VERSION 3.16)

include(${CMAKE_CURRENT_LIST_DIR}/script_support.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
separate_arguments(c_flags UNIX_COMMAND "${C_FLAGS}")
separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
separate_arguments(linker_flags UNIX_COMMAND "${LINKER_FLAGS}")

run("compiling orvane_scpi.cpp" ${CXX_COMPILER} ${cxx_flags} -std=c++17 -I${AMALGAMATION_DIR}
    -c ${AMALGAMATION_DIR}/orvane_scpi.cpp -o ${WORK_DIR}/orvane_scpi.o)
run("compiling orvane_scpi_instrument.cpp" ${CXX_COMPILER} ${cxx_flags} -std=c++17
    -I${AMALGAMATION_DIR} -c ${AMALGAMATION_DIR}/orvane_scpi_instrument.cpp
    -o ${WORK_DIR}/orvane_scpi_instrument.o)
run("compiling the demo table" ${C_COMPILER} ${c_flags} -std=c99 -I${AMALGAMATION_DIR}
    -c ${SOURCE_DIR}/commands/demo_commands.c -o ${WORK_DIR}/demo_commands.o)
run("compiling the C example" ${C_COMPILER} ${c_flags} -std=c99 -I${AMALGAMATION_DIR}
    -c ${SOURCE_DIR}/examples/c/main.c -o ${WORK_DIR}/main.o)
run("linking the C example" ${CXX_COMPILER} ${linker_flags} ${WORK_DIR}/main.o
    ${WORK_DIR}/demo_commands.o ${WORK_DIR}/orvane_scpi.o -o ${WORK_DIR}/parse_line)

manual_c_example_output(${SOURCE_DIR} expected)
run("the C example built from the amalgamation" ${WORK_DIR}/parse_line)
if(NOT run_output STREQUAL expected)
  message(FATAL_ERROR "the C example built from the amalgamation printed:\n${run_output}\n"
                      "instead of:\n${expected}")
endif()

# Once more with the demo table's header index, derived by hand as the manual says: the
# program scpi_table_index.c built with the table and the list of its records, run, and its
# output linked in, the table compiled with ORVANE_SCPI_TABLE_INDEXED.
file(WRITE ${WORK_DIR}/demo_tables.c [=[
#include <orvane-scpi/scpi_table.h>
extern const SScpiTable DemoCommandTable;
const SCmdIndex DemoCommandTableIndex = {0};
const SScpiTable* const ScpiIndexTables[] = {&DemoCommandTable, NULL};
const char* const ScpiIndexTableNames[] = {"DemoCommandTable", NULL};
]=])
run("building scpi_table_index" ${C_COMPILER} ${c_flags} ${linker_flags} -std=c99
    -I${AMALGAMATION_DIR} -DORVANE_SCPI_TABLE_INDEXED ${AMALGAMATION_DIR}/scpi_table_index.c
    ${SOURCE_DIR}/commands/demo_commands.c ${WORK_DIR}/demo_tables.c -o ${WORK_DIR}/table_index)
run("running scpi_table_index" ${WORK_DIR}/table_index ${WORK_DIR}/demo_index.c)
run("compiling the index" ${C_COMPILER} ${c_flags} -std=c99 -I${AMALGAMATION_DIR}
    -c ${WORK_DIR}/demo_index.c -o ${WORK_DIR}/demo_index.o)
run("compiling the demo table with its index" ${C_COMPILER} ${c_flags} -std=c99
    -I${AMALGAMATION_DIR} -DORVANE_SCPI_TABLE_INDEXED -c ${SOURCE_DIR}/commands/demo_commands.c
    -o ${WORK_DIR}/demo_commands_indexed.o)
run("linking the C example with the index" ${CXX_COMPILER} ${linker_flags} ${WORK_DIR}/main.o
    ${WORK_DIR}/demo_commands_indexed.o ${WORK_DIR}/demo_index.o ${WORK_DIR}/orvane_scpi.o
    -o ${WORK_DIR}/parse_line_indexed)
run("the C example with the index" ${WORK_DIR}/parse_line_indexed)
if(NOT run_output STREQUAL expected)
  message(FATAL_ERROR "the C example with the header index printed:\n${run_output}\n"
                      "instead of:\n${expected}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "The amalgamation builds the C example with the demo table alone, and with its index")
