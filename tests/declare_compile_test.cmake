# SPDX-License-Identifier: MIT
# scpi_declare.h: a table declared in one place compiles cleanly as C99, C11 and C++17, and each
# mistake the header promises to catch stops the compiler. Every case is the good table with one
# change; a failing case must also name the problem (its pattern) in the compiler's messages.
#
# Included from tests/CMakeLists.txt it adds one test per case; run with
#   cmake -DCASE=<name> -DC_COMPILER=... -DCXX_COMPILER=... -DINCLUDE_DIRS=... -DWORK_DIR=...
#         -P declare_compile_test.cmake
# it compiles that case.

# Case | what replaces @ROW@ (one more command; WIDE: in a table of width 8) or @CHOICES@ |
# pattern of the failure ("" = compiles)
set(good_choices [=[SCPI_CHOICES_OR("MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, SCPI_NUM(&Volts))]=])
set(cases
  good                 ROW     ""                                                   ""
  too_many_commands    ROW     "@MANY@"                                             "more_than_255|more than 255"
  none_before_used     ROW     [=[CMD(T_BAD, "BAD", SCPI_NONE, SCPI_NUM(&Volts))]=]   "P_NONE_slot_before|SCPI_NONE before a used slot"
  optional_none        ROW     [=[CMD(T_BAD, "BAD", SCPI_OPTIONAL(SCPI_NONE), SCPI_NONE)]=] "optional_P_NONE|SCPI_OPTIONAL\\(SCPI_NONE\\)"
  bool_for_number      ROW     [=[CMD(T_BAD, "BAD", SCPI_NUM(&OnOff), SCPI_NONE)]=]   "SBoolAttr.*CMD\\(T_BAD"
  number_for_list      ROW     [=[CMD(T_BAD, "BAD", SCPI_CHAN_LIST(&Volts), SCPI_NONE)]=] "SNumAttr"
  null_attribute       ROW     [=[CMD(T_BAD, "BAD", SCPI_NUM(NULL), SCPI_NONE)]=]     "SNumAttr"
  zero_attribute       ROW     [=[CMD(T_BAD, "BAD", SCPI_CH_DAT(0), SCPI_NONE)]=]     "SCharDataAttr"
  missing_attribute    ROW     [=[CMD(T_BAD, "BAD", SCPI_BOOL(), SCPI_NONE)]=]        "error"
  too_many_slots       ROW     [=[CMD(T_BAD, "BAD", SCPI_NONE, SCPI_NONE, SCPI_NONE)]=] "width in command T_BAD|width_in_T_BAD"
  nine_slots           WIDE    [=[CMD(T_NINE, "NINE", SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts), SCPI_NUM(&Volts))]=] "width in command T_NINE|width_in_T_NINE"
  alternative_type     CHOICES [=[SCPI_CHOICES_OR("MINimum", 255, SCPI_NUM(&OnOff))]=]    "SBoolAttr"
  alternative_null     CHOICES [=[SCPI_CHOICES_OR("MINimum", 255, SCPI_BOOL(NULL))]=]     "SBoolAttr"
)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  list(LENGTH cases n)
  foreach(i RANGE 0 ${n} 4)
    if(i EQUAL n)
      break()
    endif()
    list(GET cases ${i} name)
    add_test(NAME declare_compile_${name} COMMAND ${CMAKE_COMMAND} -DCASE=${name}
      -DC_COMPILER=${CMAKE_C_COMPILER} -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
      "-DINCLUDE_DIRS=${PROJECT_SOURCE_DIR}/parser/include|${ORVANE_SCPI_GENERATED_INCLUDE_DIR}"
      -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/declare_compile
      -P ${CMAKE_CURRENT_LIST_FILE})
  endforeach()
  return()
endif()

# ---- One case ----
list(FIND cases ${CASE} at)
if(at EQUAL -1)
  message(FATAL_ERROR "no case ${CASE}")
endif()
math(EXPR at_where "${at} + 1")
math(EXPR at_text "${at} + 2")
math(EXPR at_pattern "${at} + 3")
list(GET cases ${at_where} where)
list(GET cases ${at_text} change)
list(GET cases ${at_pattern} pattern)

set(row "")
set(choices "${good_choices}")
set(table "SCPI_COMMAND_TABLE(TEST_COMMANDS);")
if(where STREQUAL "WIDE")
  set(row "${change}")
  set(table "SCPI_NAMED_COMMAND_TABLE(TEST_COMMANDS, TestTable, 8, UnitSuffixes);")
elseif(where STREQUAL "ROW")
  set(row "${change}")
else()
  set(choices "${change}")
endif()
# 6 commands in the good table: 250 more make 256.
if(row STREQUAL "@MANY@")
  set(row "")
  foreach(k RANGE 1 250)
    string(APPEND row "CMD(T_MANY_${k}, \"MANY${k}\", SCPI_NONE, SCPI_NONE) \\\n  ")
  endforeach()
endif()

set(source "#include <orvane-scpi/scpi_declare.h>

static const SNumAttr Volts = {U_VOLT, NULL, 0};
static const SBoolAttr OnOff = {0};
static const SCharDataAttr VoltsOrMinMax = ${choices};
static const SListAttr Outputs = {LIST_CHECK_RANGE, 1, 1, 1, 3};
SCPI_DECLARE_LEVEL_UP_DOWN(AmpsLevel, U_AMP);

#define TEST_COMMANDS(CMD) \\
  CMD(T_RST, \"*RST\", SCPI_NONE, SCPI_NONE) \\
  CMD(T_VOLT, \"VOLTage\", SCPI_CH_DAT(&VoltsOrMinMax), SCPI_NONE) \\
  CMD(T_OUTP, \"OUTPut\", SCPI_BOOL(&OnOff), SCPI_OPTIONAL(SCPI_CHAN_LIST(&Outputs))) \\
  CMD(T_DATA, \"DATA\", SCPI_BLOCK) \\
  CMD(T_CURR, \"CURRent\", SCPI_LEVEL(AmpsLevel)) \\
  CMD(T_ABOR, \"ABORt\") \\
  ${row}

SCPI_COMMAND_TYPE(TEST_COMMANDS, ETest, T_COUNT);
const SUnitSuffix UnitSuffixes[] = {{\"V\", U_VOLT, 0}, {\"\", U_NONE, 0}};
${table}
int CommandCount(void) { return T_COUNT; }
int IsReset(ETest eCmd) { switch (eCmd) { case T_RST: return 1; default: return 0; } }
")
file(MAKE_DIRECTORY ${WORK_DIR})
set(file ${WORK_DIR}/${CASE}.c)
file(WRITE ${file} "${source}")

set(includes "")
string(REPLACE "|" ";" INCLUDE_DIRS "${INCLUDE_DIRS}")
foreach(dir ${INCLUDE_DIRS})
  list(APPEND includes "-I${dir}")
endforeach()
set(warnings -Wall -Wextra -pedantic-errors -Werror)
foreach(mode c99 c11 c++17)
  if(mode MATCHES "c\\+\\+")
    set(compile ${CXX_COMPILER} -x c++ -std=${mode})
  else()
    set(compile ${C_COMPILER} -x c -std=${mode})
  endif()
  execute_process(COMMAND ${compile} ${warnings} ${includes} -fsyntax-only ${file}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(pattern STREQUAL "")
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${CASE} (${mode}) does not compile cleanly:\n${err}")
    endif()
  elseif(rc EQUAL 0)
    message(FATAL_ERROR "${CASE} (${mode}) compiles, but should fail with ${pattern}")
  elseif(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "${CASE} (${mode}) fails without naming ${pattern}:\n${err}")
  endif()
endforeach()
message(STATUS "${CASE}: as expected in C99, C11 and C++17")
