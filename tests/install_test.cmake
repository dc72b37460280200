# SPDX-License-Identifier: MIT
# Installs the built project into a scratch prefix and uses it the way a user would: builds the
# C and C++ examples with find_package(OrvaneScpi), builds the C example once more with the
# pkg-config flags alone, links the manual's small command table with the parser alone (and once
# more built with orvane_scpi_add_table, which derives its header index), runs them all and
# compares what they print.
#
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DLIBDIR=lib -DVERSION=1.3.1 -DGENERATOR=Ninja
#       -DC_COMPILER=... -DCXX_COMPILER=... [-DC_FLAGS=...] [-DCXX_FLAGS=...] [-DLINKER_FLAGS=...]
#       [-DWITH_GUI=ON] -P install_test.cmake
cmake_minimum_required(VERSION 3.16)

string(MD5 build_id "${BUILD_DIR}")
string(SUBSTRING "${build_id}" 0 12 build_id)
set(work /tmp/orvane-install-test-${build_id})
set(prefix ${work}/prefix)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

function(expect_output what expected actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what} printed:\n${actual}\ninstead of:\n${expected}")
  endif()
endfunction()

# ---- Install ----
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(installed
  include/orvane-scpi/scpi.h
  include/orvane-scpi/scpi_table.h
  ${LIBDIR}/liborvane-scpi.a
  ${LIBDIR}/liborvane-scpi-demo-commands.a
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiConfig.cmake
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiConfigVersion.cmake
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiTargets.cmake
  ${LIBDIR}/pkgconfig/orvane-scpi.pc
  ${LIBDIR}/pkgconfig/orvane-scpi-demo.pc
  bin/parsola-cli
  share/doc/orvane-scpi/examples/c/main.c)
if(WITH_GUI)
  list(APPEND installed
    bin/parsola
    share/doc/orvane-scpi/ParsolaManual.pdf
    share/applications/parsola.desktop
    share/icons/hicolor/scalable/apps/parsola.svg)
endif()
foreach(f ${installed})
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "cmake --install did not install ${f}")
  endif()
endforeach()
if(WITH_GUI)
  file(STRINGS ${prefix}/share/doc/orvane-scpi/ParsolaManual.pdf pdf_head LIMIT_COUNT 1)
  if(NOT pdf_head MATCHES "^%PDF-")
    message(FATAL_ERROR "the installed manual is no PDF file: ${pdf_head}")
  endif()
endif()

# ---- The examples, built against the installed package ----
# A sanitized C++ library needs the sanitizers' C++ runtime, which clang links into a C program
# only when asked to.
if(LINKER_FLAGS MATCHES "-fsanitize" AND C_COMPILER MATCHES "clang")
  string(APPEND LINKER_FLAGS " -fsanitize-link-c++-runtime -lstdc++")
endif()
set(compilers "-DCMAKE_C_COMPILER=${C_COMPILER}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
              "-DCMAKE_C_FLAGS=${C_FLAGS}" "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
              "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
foreach(example c cpp)
  run("configuring the ${example} example" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/${example}
      -B ${work}/${example} -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} ${compilers})
  run("building the ${example} example" ${CMAKE_COMMAND} --build ${work}/${example})
endforeach()

# The manual shows what the C example prints for its default line; it must be the real output.
file(READ ${SOURCE_DIR}/docs/manual/07-library.md manual)
set(shown_intro "For the default line it prints:\n\n```\n")
string(FIND "${manual}" "${shown_intro}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the manual no longer shows the C example's output")
endif()
string(LENGTH "${shown_intro}" intro_length)
math(EXPR at "${at} + ${intro_length}")
string(SUBSTRING "${manual}" ${at} -1 c_expected)
string(FIND "${c_expected}" "```" end)
string(SUBSTRING "${c_expected}" 0 ${end} c_expected)
run("the C example" ${work}/c/parse_line)
expect_output("the C example" "${c_expected}" "${run_output}")

# (A ';' would split the argument here: one command per run.)
run("the C example on suffixes" ${work}/c/parse_line "outp2:mod3:fm 5")
expect_output("the C example on suffixes" [=[command 72: OUTPut#:MOD#:FM#
  suffix 0: 2
  suffix 1: 3
  suffix 2: 1
  parameter 1: number 5 (units 0)
]=] "${run_output}")
run("the C example on a channel list" ${work}/c/parse_line "rout:open (@1!2:3!4,5!6)")
expect_output("the C example on a channel list" [=[command 69: ROUTe:OPEN
  parameter 1: channel list
    entry 0: 1!2 to 3!4
    entry 1: 5!6
]=] "${run_output}")
run("the C example on a string" ${work}/c/parse_line "disp:text 'It''s'")
expect_output("the C example on a string" [=[command 60: DISPlay:TEXT
  parameter 1: text [It''s]
]=] "${run_output}")

file(WRITE ${work}/cpp-input.txt
  "conf:freq 12.5kHz; :trig:sour ext2\nmeas:volt:dc? 10 mV, max\nsyst:err:enab (1,3:5); *rst\n")
execute_process(COMMAND ${work}/cpp/parse_stdin INPUT_FILE ${work}/cpp-input.txt
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the C++ example failed (${rc}):\n${out}\n${err}")
endif()
expect_output("the C++ example" [=[CONFigure:FREQuency 12500 Hz
TRIGger:SOURce EXTernal# [suffixes 2]
MEASure:VOLTage:DC? 0.01 V, MAXimum
SYSTem:ERRor:ENABle[:LIST] (1,3..5)
*RST
]=] "${out}")

# ---- pkg-config ----
set(ENV{PKG_CONFIG_PATH} ${prefix}/${LIBDIR}/pkgconfig)
run("pkg-config --modversion" pkg-config --modversion orvane-scpi orvane-scpi-demo)
expect_output("pkg-config --modversion" "${VERSION}\n${VERSION}\n" "${run_output}")
run("pkg-config --cflags --libs" pkg-config --cflags --libs orvane-scpi-demo)
string(STRIP "${run_output}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
separate_arguments(c_flags UNIX_COMMAND "${C_FLAGS} ${LINKER_FLAGS}")
run("compiling the C example with the pkg-config flags" ${C_COMPILER} ${c_flags}
    ${SOURCE_DIR}/examples/c/main.c ${pc_flags} -o ${work}/parse_line_pc)
run("the C example built with pkg-config" ${work}/parse_line_pc)
expect_output("the C example built with pkg-config" "${c_expected}" "${run_output}")

# ---- An instrument of its own: the manual's small table, linked with the parser alone ----
set(table_intro "A small table:\n\n```c\n")
string(FIND "${manual}" "${table_intro}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the manual no longer shows a small command table")
endif()
string(LENGTH "${table_intro}" intro_length)
math(EXPR at "${at} + ${intro_length}")
string(SUBSTRING "${manual}" ${at} -1 table)
string(FIND "${table}" "```" end)
string(SUBSTRING "${table}" 0 ${end} table)
file(WRITE ${work}/own/table.c "${table}")
file(WRITE ${work}/own/main.c [=[
#include <stdio.h>
#include <orvane-scpi/scpi.h>

int main(void) {
  const char* pSInput = "sour:volt 5 mV;:outp on;*rst;:volt max;curr 1";
  uint8_t bResetTree = 1;
  for (;;) {
    SParam sParam[MAX_PARAMS];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucNumSufCnt = 0;
    double fdVal = 0;
    uint8_t ucErr = SCPI_Parse(&pSInput, bResetTree, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf);
    bResetTree = 0;
    if (ucErr == SCPI_ERR_NO_COMMAND) return 0;
    if (ucErr != SCPI_ERR_OK) {
      printf("error %u\n", ucErr);
    } else if (SCPI_ParamToDouble(&sParam[0], &fdVal) == SCPI_ERR_OK) {
      printf("command %u %g\n", ucCmd, fdVal);
    } else {
      printf("command %u\n", ucCmd);
    }
  }
}
]=])
run("pkg-config --cflags --libs orvane-scpi" pkg-config --cflags --libs orvane-scpi)
string(STRIP "${run_output}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
run("compiling a program with a table of its own" ${C_COMPILER} ${c_flags}
    ${work}/own/main.c ${work}/own/table.c ${pc_flags} -o ${work}/own/instrument)
run("the program with a table of its own" ${work}/own/instrument)
expect_output("the program with a table of its own" "command 1 0.005
command 2
command 0
command 1
error 70
" "${run_output}")

# The same table built with orvane_scpi_add_table from the installed package, which derives its
# header index with the installed generator.
file(WRITE ${work}/own-cmake/CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.16)
project(own_instrument C)
find_package(OrvaneScpi REQUIRED)
orvane_scpi_add_table(own_table SOURCES ../own/table.c)
add_executable(instrument ../own/main.c)
target_link_libraries(instrument PRIVATE own_table)
]=])
run("configuring a table built with orvane_scpi_add_table" ${CMAKE_COMMAND} -S ${work}/own-cmake
    -B ${work}/own-cmake/build -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} ${compilers})
run("building a table with orvane_scpi_add_table" ${CMAKE_COMMAND} --build ${work}/own-cmake/build)
if(NOT EXISTS ${work}/own-cmake/build/own_table_index.c)
  message(FATAL_ERROR "orvane_scpi_add_table derived no header index from the installed package")
endif()
run("the program with a table built by orvane_scpi_add_table" ${work}/own-cmake/build/instrument)
expect_output("the program with a table built by orvane_scpi_add_table" "command 1 0.005
command 2
command 0
command 1
error 70
" "${run_output}")

file(REMOVE_RECURSE ${work})
message(STATUS "Installed into a scratch prefix; both examples and pkg-config work")
