# SPDX-License-Identifier: MIT
# psu-sim --stdio on a transcript (tests/data/psu-sim.in): its answers byte for byte
# (tests/data/psu-sim.out), exit status 0 at the end of the input, nothing on standard error.
#
# cmake -DPSU_SIM=<program> -DSOURCE_DIR=... -DWORK_DIR=... -P psu_sim_test.cmake
cmake_minimum_required(VERSION 3.16)
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${PSU_SIM} --stdio INPUT_FILE ${SOURCE_DIR}/tests/data/psu-sim.in
                OUTPUT_FILE ${WORK_DIR}/psu-sim.out ERROR_VARIABLE err RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/psu-sim.out
                        ${SOURCE_DIR}/tests/data/psu-sim.out RESULT_VARIABLE differs)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR differs)
  file(READ ${WORK_DIR}/psu-sim.out out)
  message(FATAL_ERROR "psu-sim --stdio ended with ${rc} (${err}) and printed:\n${out}")
endif()
