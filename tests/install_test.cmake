# SPDX-License-Identifier: MIT
# Installs the built project into a scratch prefix and uses it the way a user would: installs
# the development component alone first, then the applications; builds the C and C++ examples
# with find_package(OrvaneScpi), asks for the package's components (and for one it does not
# have), builds the C example once more with the pkg-config flags alone, links the manual's
# small command table with the parser alone (and once more built with orvane_scpi_add_table,
# which derives its header index), builds the power-supply example and runs its psu-sim,
# and consoles for the installed demo table and for a table with mistakes; runs them all and
# compares what they print. A bare #include <scpi.h> must fail with the CMake package and with
# pkg-config.
#
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DLIBDIR=lib -DVERSION=1.3.1 -DGENERATOR=Ninja
#       -DC_COMPILER=... -DCXX_COMPILER=... [-DC_FLAGS=...] [-DCXX_FLAGS=...] [-DLINKER_FLAGS=...]
#       [-DWITH_GUI=ON] [-DTRACE=ON] -P install_test.cmake
cmake_minimum_required(VERSION 3.16)

string(MD5 build_id "${BUILD_DIR}")
string(SUBSTRING "${build_id}" 0 12 build_id)
set(work /tmp/orvane-install-test-${build_id})
set(prefix ${work}/prefix)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

include(${CMAKE_CURRENT_LIST_DIR}/script_support.cmake)

function(expect_output what expected actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what} printed:\n${actual}\ninstead of:\n${expected}")
  endif()
endfunction()

function(expect_installed what)
  foreach(f ${ARGN})
    if(NOT EXISTS ${prefix}/${f})
      message(FATAL_ERROR "${what} did not install ${f}")
    endif()
  endforeach()
endfunction()

# ---- Install: the development component, then the applications ----
run("cmake --install --component development" ${CMAKE_COMMAND} --install ${BUILD_DIR}
    --prefix ${prefix} --component development)
set(development
  include/orvane-scpi/scpi.h
  include/orvane-scpi/scpi_table.h
  include/orvane-scpi/scpi_declare.h
  include/orvane-scpi/scpi_instrument.h
  include/orvane-scpi/table_checker.h
  include/orvane-scpi/scpi_config.h
  include/orvane-scpi/demo_commands.h
  ${LIBDIR}/liborvane-scpi.a
  ${LIBDIR}/liborvane-scpi-demo-commands.a
  ${LIBDIR}/liborvane-scpi-instrument.a
  ${LIBDIR}/liborvane-scpi-report.a
  ${LIBDIR}/liborvane-scpi-console.a
  ${LIBDIR}/liborvane-scpi-checker.a
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiConsole.cmake
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiConfig.cmake
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiConfigVersion.cmake
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiTargets.cmake
  ${LIBDIR}/cmake/OrvaneScpi/OrvaneScpiTable.cmake
  ${LIBDIR}/pkgconfig/orvane-scpi.pc
  ${LIBDIR}/pkgconfig/orvane-scpi-instrument.pc
  ${LIBDIR}/pkgconfig/orvane-scpi-demo.pc
  share/doc/orvane-scpi/LICENSE
  share/doc/orvane-scpi/copyright
  share/doc/orvane-scpi/examples/c/main.c
  share/doc/orvane-scpi/examples/power_supply/psu_instrument.c
  share/doc/orvane-scpi/examples/demo_commands/demo_commands.c
  share/doc/orvane-scpi/amalgamation/orvane_scpi.cpp
  share/doc/orvane-scpi/amalgamation/orvane-scpi/scpi.h
  share/doc/orvane-scpi/amalgamation/orvane-scpi/scpi_table.h
  share/doc/orvane-scpi/amalgamation/orvane-scpi/scpi_config.h)
expect_installed("cmake --install --component development" ${development})
foreach(f bin include/scpi.h share/doc/orvane-scpi/ParsolaManual.pdf share/applications)
  if(EXISTS ${prefix}/${f})
    message(FATAL_ERROR "cmake --install --component development installed ${f}")
  endif()
endforeach()

run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(applications bin/parsola-cli bin/psu-sim)
if(WITH_GUI)
  list(APPEND applications
    bin/parsola
    share/doc/orvane-scpi/ParsolaManual.pdf
    share/applications/parsola.desktop
    share/icons/hicolor/scalable/apps/parsola.svg)
endif()
expect_installed("cmake --install" ${applications})
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

# ---- Package components, the configuration header, and no bare scpi.h ----
if(TRACE)
  set(trace 1)
else()
  set(trace 0)
endif()
file(WRITE ${work}/components/CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.16)
project(components C)
find_package(OrvaneScpi REQUIRED COMPONENTS ${COMPONENTS})
add_executable(built_with built_with.c)
target_link_libraries(built_with PRIVATE OrvaneScpi::demo)
add_executable(bare_include EXCLUDE_FROM_ALL bare_include.c)
target_link_libraries(bare_include PRIVATE OrvaneScpi::parser)
]=])
file(WRITE ${work}/components/built_with.c [=[
#include <stdio.h>
#include <orvane-scpi/scpi.h>
int main(void) {
  printf("%s trace %d\n", ORVANE_SCPI_VERSION_STRING, SCPI_TRACE);
  return 0;
}
]=])
file(WRITE ${work}/components/bare_include.c "#include <scpi.h>\nint main(void) { return 0; }\n")
run("find_package with every component" ${CMAKE_COMMAND} -S ${work}/components
    -B ${work}/components-build -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} ${compilers}
    "-DCOMPONENTS=parser;demo_commands;demo")
run("building with the components" ${CMAKE_COMMAND} --build ${work}/components-build)
run("the program built with the components" ${work}/components-build/built_with)
expect_output("the program built with the components" "${VERSION} trace ${trace}\n" "${run_output}")
execute_process(COMMAND ${CMAKE_COMMAND} --build ${work}/components-build --target bare_include
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT "${out}${err}" MATCHES "scpi\\.h")
  message(FATAL_ERROR "#include <scpi.h> did not fail with the CMake package (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${work}/components -B ${work}/components-unknown
                -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} ${compilers}
                "-DCOMPONENTS=parser;frobnicate"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT "${out}${err}" MATCHES "no component named frobnicate")
  message(FATAL_ERROR "an unknown component did not fail with its name (${rc}):\n${out}\n${err}")
endif()

# The manual shows what the C example prints for its default line; it must be the real output.
manual_c_example_output(${SOURCE_DIR} c_expected)
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

# ---- The bench supply: a table in the one-place form, psu-sim on the instrument layer ----
run("configuring the power-supply example" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/power_supply
    -B ${work}/psu -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} ${compilers})
run("building the power-supply example" ${CMAKE_COMMAND} --build ${work}/psu)
run("psu-sim --stdio of the power-supply example" ${CMAKE_COMMAND} -DPSU_SIM=${work}/psu/psu-sim
    -DSOURCE_DIR=${SOURCE_DIR} -DWORK_DIR=${work}/psu-sim -P ${SOURCE_DIR}/tests/psu_sim_test.cmake)

# ---- Consoles for the installed demo table and for a table with mistakes ----
file(WRITE ${work}/consoles/CMakeLists.txt "
cmake_minimum_required(VERSION 3.16)
project(consoles LANGUAGES C CXX)
find_package(OrvaneScpi REQUIRED)
orvane_scpi_add_table(demo_copy SOURCES ${prefix}/share/doc/orvane-scpi/examples/demo_commands/demo_commands.c)
orvane_scpi_add_console(demo-cli TABLE demo_copy)
orvane_scpi_add_table(broken SOURCES ${SOURCE_DIR}/tests/broken_table.c)
orvane_scpi_add_console(broken-cli TABLE broken)
")
run("configuring the consoles" ${CMAKE_COMMAND} -S ${work}/consoles -B ${work}/consoles/build
    -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} ${compilers})
run("building the consoles" ${CMAKE_COMMAND} --build ${work}/consoles/build)
execute_process(COMMAND ${work}/consoles/build/demo-cli INPUT_FILE ${SOURCE_DIR}/tests/data/samples.in
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ ${SOURCE_DIR}/tests/data/samples.out samples_out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL samples_out)
  message(FATAL_ERROR "the console of the installed demo table (${rc}) differs from parsola-cli:\n${err}")
endif()
run("demo-cli --check-table" ${work}/consoles/build/demo-cli --check-table)
execute_process(COMMAND ${work}/consoles/build/broken-cli --check-table
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT out MATCHES "^command 1 \"VOLTage\\[:LEVel\": error: '\\[' at position 8"
   OR NOT out MATCHES "\n5 commands, 2 unit suffixes: 3 errors, 1 warning\n$")
  message(FATAL_ERROR "broken-cli --check-table ended with ${rc} and printed:\n${out}\n${err}")
endif()

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
execute_process(COMMAND ${C_COMPILER} ${c_flags} -c ${work}/components/bare_include.c ${pc_flags}
                        -o ${work}/bare_include_pc.o
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT "${out}${err}" MATCHES "scpi\\.h")
  message(FATAL_ERROR "#include <scpi.h> did not fail with the pkg-config flags (${rc}):\n${out}\n${err}")
endif()

# ---- The demo table's record with plain compiler calls: no linker option, and its index ----
file(WRITE ${work}/record/main.c [=[
#include <stdio.h>
#include <orvane-scpi/demo_commands.h>

int main(void) {
  const char* pSInput = "SOUR2:VOLT 1;*RST";
  SScpiContext sCtx;
  SParam sParam[MAX_PARAMS];
  uint32_t uiNumSuf[MAX_NUM_SUFFIX];
  uint8_t ucCmd = 0, ucNumSufCnt = 0;
  if (SCPI_ContextInit(&sCtx, &DemoCommandTable, SCPI_RULES_LIBRARY) != 0) return 1;
  printf("index %s\n", DemoCommandTable.psIndex != NULL ? "yes" : "no");
  printf("%u\n", SCPI_ParseCtx(&sCtx, &pSInput, NULL, 1, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf));
  printf("%u", SCPI_ParseCtx(&sCtx, &pSInput, NULL, 0, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf));
  printf(" %u\n", ucCmd);
  return 0;
}
]=])
separate_arguments(plain_flags UNIX_COMMAND "${C_FLAGS} ${LINKER_FLAGS}")
run("cc main.c -lorvane-scpi-demo-commands -lorvane-scpi" ${C_COMPILER} ${plain_flags}
    -I${prefix}/include ${work}/record/main.c -L${prefix}/${LIBDIR} -lorvane-scpi-demo-commands
    -lorvane-scpi -o ${work}/record/parse_record)
run("the program on DemoCommandTable" ${work}/record/parse_record)
expect_output("the program on DemoCommandTable" "index yes\n70\n0 7\n" "${run_output}")

# ---- An instrument of its own: the manual's small table, linked with the parser alone ----
manual_block(${SOURCE_DIR} "A small table:\n\n```c\n" table)
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
orvane_scpi_add_table(own_table SOURCES ../own/table.c TABLES MyTable)
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
message(STATUS "Installed into a scratch prefix; the examples, the consoles, the components and pkg-config work")
