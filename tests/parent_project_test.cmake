# SPDX-License-Identifier: MIT
# Builds tests/parent_project, a parent project that takes the project in by add_subdirectory or
# FetchContent, and checks what it got: the configure step checks the targets, the build links a
# program with the demo table and one with a table of its own; no tests and no CPack came in,
# and a bare #include <scpi.h> does not compile.
#
# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DHOW=add_subdirectory|FetchContent -DGENERATOR=Ninja
#       -DC_COMPILER=... -DCXX_COMPILER=... [-DC_FLAGS=...] [-DCXX_FLAGS=...] [-DLINKER_FLAGS=...]
#       -P parent_project_test.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/script_support.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
run("configuring the parent project (${HOW})" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/parent_project
    -B ${WORK_DIR} -G ${GENERATOR} -DORVANE_SCPI_SOURCE=${SOURCE_DIR} -DHOW=${HOW}
    "-DCMAKE_C_COMPILER=${C_COMPILER}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
    "-DCMAKE_C_FLAGS=${C_FLAGS}" "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
run("building the parent project" ${CMAKE_COMMAND} --build ${WORK_DIR})

if(EXISTS ${WORK_DIR}/CPackConfig.cmake)
  message(FATAL_ERROR "the parent project got a CPack configuration")
endif()
run("ctest -N" ${CMAKE_CTEST_COMMAND} --test-dir ${WORK_DIR} -N)
if(NOT run_output MATCHES "Total Tests: 0")
  message(FATAL_ERROR "the parent project got tests:\n${run_output}")
endif()

run("the program with the demo table" ${WORK_DIR}/parse_line "outp:rel 0.5")
if(NOT run_output STREQUAL "command 56: OUTPut:RELay[:STATe]\n  parameter 1: Boolean ON\n")
  message(FATAL_ERROR "the program with the demo table printed:\n${run_output}")
endif()
# The FetchContent parent switches the tracing off.
if(HOW STREQUAL "FetchContent")
  set(trace 0)
else()
  set(trace 1)
endif()
run("the program with a table of its own" ${WORK_DIR}/own_instrument)
if(NOT run_output STREQUAL "trace ${trace}\ncommand 0 1\ncommand 1 1\ncommand 1 0\nerror 70\n")
  message(FATAL_ERROR "the program with a table of its own printed:\n${run_output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} --target bare_include
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT "${out}${err}" MATCHES "scpi\\.h")
  message(FATAL_ERROR "#include <scpi.h> did not fail as it should (${rc}):\n${out}\n${err}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "The parent project (${HOW}) got the libraries alone, and its programs work")
