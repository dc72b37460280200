// SPDX-License-Identifier: MIT
/*
 * Orvane-SCPI Parser: a command table declared in one place.
 *
 * The instrument writes every command once, in a list macro of its own: a name for the host,
 * the header specification, and the parameter slots it uses (none to the table's width; the
 * slots it leaves out are P_NONE).
 *
 *   SCPI_DECLARE_LEVEL(VoltLevel, U_VOLT);        (a number in volts, or MIN, MAX or DEF)
 *
 *   #define PSU_COMMANDS(CMD) \
 *     CMD(PSU_RST,  "*RST") \
 *     CMD(PSU_VOLT, "[SOURce#:]VOLTage[:LEVel]", SCPI_LEVEL(VoltLevel)) \
 *     CMD(PSU_LIST, "[SOURce#:]LIST:VOLTage", SCPI_BLOCK)
 *
 * A header the host includes turns the list into the command numbers for its switch, with a
 * type name (so a switch over it gets the compiler's help), and the number of commands:
 *
 *   SCPI_COMMAND_TYPE(PSU_COMMANDS, EPsuCommand, PSU_COMMAND_COUNT);
 *
 * (SCPI_COMMAND_ENUM(PSU_COMMANDS, PSU_COMMAND_COUNT) gives the numbers without a type name.)
 * The table's source file, where the attribute records are defined, turns it into CmdSpecs
 * (ended by ""), ParamSpecs and CmdSpecCount, in the format of scpi_table.h, with MAX_PARAMS
 * (2) slots per command:
 *
 *   SCPI_COMMAND_TABLE(PSU_COMMANDS);
 *
 * The compiler rejects a list with more than SCPI_MAX_COMMANDS commands, a row with more slots
 * than the table's width, a P_NONE slot (or an optional one) before a used slot, an attribute
 * record of the wrong type for its slot (an SBoolAttr given to SCPI_NUM), and a missing or NULL
 * attribute. A failed check names the row: in C11 and C++11 its message ends with the row's
 * name, before them an array of negative size is named SCPI_ERROR_..._<name>. A wrong
 * attribute is reported on the row's own line.
 * This header compiles as C99 and as C++.
 */
#ifndef ORVANE_SCPI_DECLARE_H
#define ORVANE_SCPI_DECLARE_H

#include <stddef.h>

#include "scpi_table.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Most commands a table can hold: command numbers are 8-bit, and CmdSpecs[255] ends it. */
#define SCPI_MAX_COMMANDS 255

/** The number of commands of a table declared with SCPI_COMMAND_TABLE. A hand-written table
 *  has none; tools that read it declare it weak. */
extern const uint8_t CmdSpecCount;

/* Declared only, never defined: their types are compared with the attribute records given to
 * the slot macros inside sizeof, which reads no object. */
extern const SNumAttr ScpiDeclNumProbe_;
extern const SBoolAttr ScpiDeclBoolProbe_;
extern const SCharDataAttr ScpiDeclCharDataProbe_;
extern const SListAttr ScpiDeclListProbe_;

#ifdef __cplusplus
}
#endif

/* ---- Parameter slots: (flags, type, attribute) ----------------------------------------------- */

/* The attribute pointer as const void*, or a compile error when psAttr does not point at the
 * probe's type: pointers to different record types (or NULL, or 0) cannot be subtracted. */
#define SCPI_DECL_ATTR_(psAttr, sProbe) \
  ((const void*)((psAttr) + 0 * sizeof((psAttr) - &(sProbe))))

/** No parameter: ends the command's list (every later slot must be SCPI_NONE too). */
#define SCPI_NONE (0, P_NONE, NULL)
/** A number with its SNumAttr. */
#define SCPI_NUM(psNumAttr) (0, P_NUM, SCPI_DECL_ATTR_(psNumAttr, ScpiDeclNumProbe_))
/** ON, OFF or a number, with its SBoolAttr. */
#define SCPI_BOOL(psBoolAttr) (0, P_BOOL, SCPI_DECL_ATTR_(psBoolAttr, ScpiDeclBoolProbe_))
/** Character data with its SCharDataAttr. */
#define SCPI_CH_DAT(psCharDataAttr) \
  (0, P_CH_DAT, SCPI_DECL_ATTR_(psCharDataAttr, ScpiDeclCharDataProbe_))
/** A quoted string, an unquoted string, a bracketed expression: no attribute record. */
#define SCPI_STR (0, P_STR, NULL)
#define SCPI_UNQ_STR (0, P_UNQ_STR, NULL)
#define SCPI_EXPR (0, P_EXPR, NULL)
/** An arbitrary block: #<n><length><bytes>, or #0<bytes> to the end of the message. */
#define SCPI_BLOCK (0, P_BLOCK, NULL)
/** A numeric list or a channel list with its SListAttr. */
#define SCPI_NUM_LIST(psListAttr) (0, P_NUM_LIST, SCPI_DECL_ATTR_(psListAttr, ScpiDeclListProbe_))
#define SCPI_CHAN_LIST(psListAttr) \
  (0, P_CHAN_LIST, SCPI_DECL_ATTR_(psListAttr, ScpiDeclListProbe_))
/** The same slot with PS_OPTIONAL: SCPI_OPTIONAL(SCPI_NUM(&Volts)). */
#define SCPI_OPTIONAL(Slot) SCPI_DECL_OPTIONAL_ Slot
#define SCPI_DECL_OPTIONAL_(ucFlags, ePType, pAttr) (PS_OPTIONAL, ePType, pAttr)

/* ---- Character-data attribute records -------------------------------------------------------- */

/** An SCharDataAttr initializer without an alternative type:
 *  static const SCharDataAttr MinMax = SCPI_CHOICES("MINimum|MAXimum", CHAR_DATA_NO_DEFAULT); */
#define SCPI_CHOICES(pChoices, ucDefItem) {pChoices, ucDefItem, P_NONE, NULL}
/** One whose alternative type is written as a slot, its attribute checked like a slot's:
 *  SCPI_CHOICES_OR("MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, SCPI_NUM(&Volts)). */
#define SCPI_CHOICES_OR(pChoices, ucDefItem, AltSlot) {pChoices, ucDefItem, SCPI_DECL_ALT_ AltSlot}
#define SCPI_DECL_ALT_(ucFlags, ePType, pAttr) ePType, pAttr

/* ---- A number or MINimum|MAXimum|DEFault, in one line -------------------------------------- */

/** The choice numbers of a level slot: SCPI_ParamToCharDataItem gives one of them, or the
 *  record is P_NUM when a number was given. */
#define SCPI_LEVEL_MIN 0
#define SCPI_LEVEL_MAX 1
#define SCPI_LEVEL_DEF 2
#define SCPI_LEVEL_UP 3
#define SCPI_LEVEL_DOWN 4

/** Defines Name, the records of a slot that takes a number in eUnits (any unit suffix of eUnits)
 *  or MINimum, MAXimum or DEFault; written at file scope, with a ';' after it. */
#define SCPI_DECLARE_LEVEL(Name, eUnits) \
  SCPI_DECLARE_LEVEL_OF(Name, "MINimum|MAXimum|DEFault", eUnits, NULL, 0)
/** The same with UP and DOWN as well, for a command that steps its level. */
#define SCPI_DECLARE_LEVEL_UP_DOWN(Name, eUnits) \
  SCPI_DECLARE_LEVEL_OF(Name, "MINimum|MAXimum|DEFault|UP|DOWN", eUnits, NULL, 0)
/** The general form: the choices, then the SNumAttr fields (further units ended by U_END, or
 *  NULL; the power of ten of a number given without a unit suffix). */
#define SCPI_DECLARE_LEVEL_OF(Name, pChoices, eUnits, peAltUnits, cDefExp)                     \
  static const SNumAttr Name##_Number = {eUnits, peAltUnits, cDefExp};                          \
  static const SCharDataAttr Name = {pChoices, CHAR_DATA_NO_DEFAULT, P_NUM, &Name##_Number}
/** The slot of a record defined by SCPI_DECLARE_LEVEL...: SCPI_LEVEL(VoltLevel). */
#define SCPI_LEVEL(Name) SCPI_CH_DAT(&Name)

/* ---- Compile-time checks --------------------------------------------------------------------- */

#if defined(__cplusplus) && __cplusplus >= 201103L
#define SCPI_DECL_ASSERT_(bCond, Name, pMessage) static_assert(bCond, pMessage)
#elif !defined(__cplusplus) && defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define SCPI_DECL_ASSERT_(bCond, Name, pMessage) _Static_assert(bCond, pMessage)
#else
#define SCPI_DECL_ASSERT_(bCond, Name, pMessage) typedef char Name[(bCond) ? 1 : -1]
#endif

#define SCPI_DECL_FLAGS_(ucFlags, ePType, pAttr) (ucFlags)
#define SCPI_DECL_TYPE_(ucFlags, ePType, pAttr) (ePType)

/* ---- Row expansion ----------------------------------------------------------------------------
 * A row is (Name, pSpec, Slot...). Each of the row macros below takes a whole row, so a list
 * macro's CMD can be any of them. SCPI_DECL_EACH_(F, E, pSpec, Slot...) applies F(index, Slot)
 * to every slot, or gives E() for a row without slots. */

#define SCPI_DECL_CAT_(a, b) SCPI_DECL_CAT_I_(a, b)
#define SCPI_DECL_CAT_I_(a, b) a##b
#define SCPI_DECL_EACH_(F, E, ...) \
  SCPI_DECL_CAT_(SCPI_DECL_EACH_, SCPI_DECL_NARGS_(__VA_ARGS__))(F, E, __VA_ARGS__)
#define SCPI_DECL_NOTHING_()
#define SCPI_DECL_NO_SLOT_() {0, P_NONE, NULL}
#define SCPI_DECL_INIT_(ucIndex, Slot) SCPI_DECL_SLOT_ Slot,
#define SCPI_DECL_COUNT_(ucIndex, Slot) +1
#define SCPI_DECL_USED_(ucIndex, Slot) +(SCPI_DECL_TYPE_ Slot != P_NONE)
#define SCPI_DECL_USED_BIT_(ucIndex, Slot) +((SCPI_DECL_TYPE_ Slot != P_NONE) ? 1 << (ucIndex) : 0)
#define SCPI_DECL_FLAGGED_NONE_(ucIndex, Slot) \
  +(SCPI_DECL_TYPE_ Slot == P_NONE && SCPI_DECL_FLAGS_ Slot != 0)
#define SCPI_DECL_SLOT_(ucFlags, ePType, pAttr) {ucFlags, ePType, pAttr}

/* The width of the table being defined, which every row's check reads. */
#define SCPI_DECL_WIDTH_ ScpiDeclTableWidth_

/* Nothing may follow a P_NONE slot, since the parser reads a command's slots up to the first
 * one; a P_NONE slot has no flags; no row has more slots than the table's width. */
#define SCPI_DECL_CHECK_ROW_(Name, ...)                                                         \
  SCPI_DECL_ASSERT_((0 SCPI_DECL_EACH_(SCPI_DECL_COUNT_, SCPI_DECL_NOTHING_, __VA_ARGS__)) <=      \
                        SCPI_DECL_WIDTH_,                                                        \
                    SCPI_ERROR_more_slots_than_the_table_width_in_##Name,                        \
                    "more slots than the table's width in command " #Name);                      \
  SCPI_DECL_ASSERT_((0 SCPI_DECL_EACH_(SCPI_DECL_USED_BIT_, SCPI_DECL_NOTHING_, __VA_ARGS__)) ==   \
                        (1 << (0 SCPI_DECL_EACH_(SCPI_DECL_USED_, SCPI_DECL_NOTHING_, __VA_ARGS__))) - 1, \
                    SCPI_ERROR_P_NONE_slot_before_a_used_slot_in_##Name,                         \
                    "SCPI_NONE before a used slot in command " #Name);                           \
  SCPI_DECL_ASSERT_((0 SCPI_DECL_EACH_(SCPI_DECL_FLAGGED_NONE_, SCPI_DECL_NOTHING_, __VA_ARGS__)) == 0, \
                    SCPI_ERROR_optional_P_NONE_slot_in_##Name,                                   \
                    "SCPI_OPTIONAL(SCPI_NONE) in command " #Name);

#define SCPI_DECL_ENUM_ENTRY_(Name, ...) Name,
#define SCPI_DECL_ONE_(Name, ...) +1
#define SCPI_DECL_SPEC_(Name, ...) SCPI_DECL_FIRST_(__VA_ARGS__, ~),
#define SCPI_DECL_FIRST_(pFirst, ...) pFirst
#define SCPI_DECL_ROW_(Name, ...) \
  {SCPI_DECL_EACH_(SCPI_DECL_INIT_, SCPI_DECL_NO_SLOT_, __VA_ARGS__)},

/** For a list whose rows carry one more column after the header specification (a handler,
 *  say: CMD(Name, pSpec, Handler, Slot...)): calls the row macro X with that column left out.
 *  A header for such rows defines its own row macros on top of the ones above, e.g.
 *    #define MY_ROW_(...) SCPI_ROW_WITHOUT_THIRD(SCPI_DECL_ROW_, __VA_ARGS__)
 *  and passes them to SCPI_COMMAND_TABLE_ROWS and SCPI_COMMAND_TYPE_ROWS. */
#define SCPI_ROW_WITHOUT_THIRD(X, ...) \
  SCPI_DECL_CAT_(SCPI_DECL_DROP3_, SCPI_DECL_NARGS_(__VA_ARGS__))(X, __VA_ARGS__)

/* Argument counting (up to 20) and the fixed-arity expansions behind the macros above. */
#define SCPI_DECL_NARGS_(...) SCPI_DECL_NARGS_I_(__VA_ARGS__, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define SCPI_DECL_NARGS_I_(a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18, a19, a20, N, ...) N
#define SCPI_DECL_EACH_1(F, E, S) E()
#define SCPI_DECL_EACH_2(F, E, S, s0) F(0, s0)
#define SCPI_DECL_EACH_3(F, E, S, s0, s1) F(0, s0) F(1, s1)
#define SCPI_DECL_EACH_4(F, E, S, s0, s1, s2) F(0, s0) F(1, s1) F(2, s2)
#define SCPI_DECL_EACH_5(F, E, S, s0, s1, s2, s3) F(0, s0) F(1, s1) F(2, s2) F(3, s3)
#define SCPI_DECL_EACH_6(F, E, S, s0, s1, s2, s3, s4) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4)
#define SCPI_DECL_EACH_7(F, E, S, s0, s1, s2, s3, s4, s5) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5)
#define SCPI_DECL_EACH_8(F, E, S, s0, s1, s2, s3, s4, s5, s6) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6)
#define SCPI_DECL_EACH_9(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7)
#define SCPI_DECL_EACH_10(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8)
#define SCPI_DECL_EACH_11(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8, s9) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8) F(9, s9)
#define SCPI_DECL_EACH_12(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8) F(9, s9) F(10, s10)
#define SCPI_DECL_EACH_13(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8) F(9, s9) F(10, s10) F(11, s11)
#define SCPI_DECL_EACH_14(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11, s12) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8) F(9, s9) F(10, s10) F(11, s11) F(12, s12)
#define SCPI_DECL_EACH_15(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11, s12, s13) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8) F(9, s9) F(10, s10) F(11, s11) F(12, s12) F(13, s13)
#define SCPI_DECL_EACH_16(F, E, S, s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11, s12, s13, s14) F(0, s0) F(1, s1) F(2, s2) F(3, s3) F(4, s4) F(5, s5) F(6, s6) F(7, s7) F(8, s8) F(9, s9) F(10, s10) F(11, s11) F(12, s12) F(13, s13) F(14, s14)
#define SCPI_DECL_DROP3_3(X, c1, c2, c3) X(c1, c2)
#define SCPI_DECL_DROP3_4(X, c1, c2, c3, c4) X(c1, c2, c4)
#define SCPI_DECL_DROP3_5(X, c1, c2, c3, c4, c5) X(c1, c2, c4, c5)
#define SCPI_DECL_DROP3_6(X, c1, c2, c3, c4, c5, c6) X(c1, c2, c4, c5, c6)
#define SCPI_DECL_DROP3_7(X, c1, c2, c3, c4, c5, c6, c7) X(c1, c2, c4, c5, c6, c7)
#define SCPI_DECL_DROP3_8(X, c1, c2, c3, c4, c5, c6, c7, c8) X(c1, c2, c4, c5, c6, c7, c8)
#define SCPI_DECL_DROP3_9(X, c1, c2, c3, c4, c5, c6, c7, c8, c9) X(c1, c2, c4, c5, c6, c7, c8, c9)
#define SCPI_DECL_DROP3_10(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10) X(c1, c2, c4, c5, c6, c7, c8, c9, c10)
#define SCPI_DECL_DROP3_11(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11)
#define SCPI_DECL_DROP3_12(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12)
#define SCPI_DECL_DROP3_13(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13)
#define SCPI_DECL_DROP3_14(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14)
#define SCPI_DECL_DROP3_15(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15)
#define SCPI_DECL_DROP3_16(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16)
#define SCPI_DECL_DROP3_17(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17)
#define SCPI_DECL_DROP3_18(X, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17, c18) X(c1, c2, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17, c18)

/* ---- The list turned into code --------------------------------------------------------------- */

/** The command numbers, one enumerator per command in list order, followed by CountName, the
 *  number of commands. Write a ';' after it. */
#define SCPI_COMMAND_ENUM(LIST, CountName)                                                      \
  enum { LIST(SCPI_DECL_ENUM_ENTRY_) CountName };                                                \
  SCPI_DECL_ASSERT_((CountName) <= SCPI_MAX_COMMANDS, SCPI_ERROR_more_than_255_commands_in_##LIST, \
                    "more than 255 commands in " #LIST)

/** The command numbers as the enumeration TypeName, one enumerator per command in list order,
 *  and CountName, the number of commands, apart from it (so that a switch over a TypeName
 *  covers the commands alone). Write a ';' after it. */
#define SCPI_COMMAND_TYPE(LIST, TypeName, CountName) \
  SCPI_COMMAND_TYPE_ROWS(LIST, TypeName, CountName, SCPI_DECL_ENUM_ENTRY_, SCPI_DECL_ONE_)

/** SCPI_COMMAND_TYPE with the row macros given: ENUM_ROW gives "Name,", ONE_ROW "+1". */
#define SCPI_COMMAND_TYPE_ROWS(LIST, TypeName, CountName, ENUM_ROW, ONE_ROW)                     \
  typedef enum TypeName { LIST(ENUM_ROW) } TypeName;                                             \
  enum { CountName = 0 LIST(ONE_ROW) };                                                          \
  SCPI_DECL_ASSERT_((CountName) <= SCPI_MAX_COMMANDS, SCPI_ERROR_more_than_255_commands_in_##LIST, \
                    "more than 255 commands in " #LIST)

/** CmdSpecs with its "" end, ParamSpecs of MAX_PARAMS slots per command and CmdSpecCount,
 *  defined from the list; the attribute records must be declared before. Write a ';' after it. */
#define SCPI_COMMAND_TABLE(LIST) \
  SCPI_COMMAND_TABLE_ROWS(LIST, MAX_PARAMS, SCPI_DECL_CHECK_ROW_, SCPI_DECL_SPEC_, SCPI_DECL_ROW_)

/* The table's width, then every row against it. */
#define SCPI_DECL_CHECKS_(LIST, ucWidth, CHECK_ROW)                                              \
  enum { SCPI_DECL_WIDTH_ = (ucWidth) };                                                         \
  SCPI_DECL_ASSERT_(SCPI_DECL_WIDTH_ >= 1 && SCPI_DECL_WIDTH_ <= SCPI_MAX_PARAM_SLOTS,             \
                    SCPI_ERROR_table_width_not_1_to_8_in_##LIST,                                 \
                    "the width of " #LIST " is not 1 to 8 slots");                               \
  LIST(CHECK_ROW)

/** SCPI_COMMAND_TABLE with the row macros given (CHECK_ROW, SPEC_ROW, PARAM_ROW) and ucWidth
 *  slots per command. */
#define SCPI_COMMAND_TABLE_ROWS(LIST, ucWidth, CHECK_ROW, SPEC_ROW, PARAM_ROW)                   \
  SCPI_DECL_CHECKS_(LIST, ucWidth, CHECK_ROW)                                                    \
  const char* const CmdSpecs[] = {LIST(SPEC_ROW) ""};                                            \
  const SParamSpec ParamSpecs[][ucWidth] = {LIST(PARAM_ROW)};                                    \
  SCPI_DECL_ASSERT_(sizeof CmdSpecs / sizeof CmdSpecs[0] <= SCPI_MAX_COMMANDS + 1,                 \
                    SCPI_ERROR_more_than_255_commands_in_table_##LIST,                            \
                    "more than 255 commands in " #LIST);                                          \
  const uint8_t CmdSpecCount = (uint8_t)(sizeof CmdSpecs / sizeof CmdSpecs[0] - 1)

/** A table of ucWidth slots per command (1 to SCPI_MAX_PARAM_SLOTS): the record Name
 *  (SScpiTable, for SCPI_ContextInit) over arrays of its own, NameCmdSpecs and NameParamSpecs,
 *  and the unit suffixes given. One table of this form per source file. Write a ';' after it:
 *    SCPI_NAMED_COMMAND_TABLE(DMM_COMMANDS, DmmTable, 5, DmmUnits); */
#define SCPI_NAMED_COMMAND_TABLE(LIST, Name, ucWidth, unitSuffixes)                            \
  SCPI_NAMED_COMMAND_TABLE_ROWS(LIST, Name, ucWidth, unitSuffixes, SCPI_DECL_CHECK_ROW_,              \
                           SCPI_DECL_SPEC_, SCPI_DECL_ROW_)

/** SCPI_NAMED_COMMAND_TABLE with the row macros given. */
#define SCPI_NAMED_COMMAND_TABLE_ROWS(LIST, Name, ucWidth, unitSuffixes, CHECK_ROW, SPEC_ROW,         \
                                 PARAM_ROW)                                                      \
  SCPI_DECL_CHECKS_(LIST, ucWidth, CHECK_ROW)                                                    \
  static const char* const Name##CmdSpecs[] = {LIST(SPEC_ROW) ""};                               \
  static const SParamSpec Name##ParamSpecs[][ucWidth] = {LIST(PARAM_ROW)};                       \
  SCPI_DECL_ASSERT_(sizeof Name##CmdSpecs / sizeof Name##CmdSpecs[0] <= SCPI_MAX_COMMANDS + 1,     \
                    SCPI_ERROR_more_than_255_commands_in_table_##LIST,                            \
                    "more than 255 commands in " #LIST);                                          \
  SCPI_TABLE_RECORD_DEFINE(Name, Name##CmdSpecs, Name##ParamSpecs, unitSuffixes)

#endif /* ORVANE_SCPI_DECLARE_H */
