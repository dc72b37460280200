// SPDX-License-Identifier: MIT
/*
 * Orvane-SCPI Parser: a command table declared in one place.
 *
 * The instrument writes every command once, in a list macro of its own: a name for the host,
 * the header specification, and exactly MAX_PARAMS parameter slots.
 *
 *   #define PSU_COMMANDS(CMD) \
 *     CMD(PSU_RST,  "*RST",                      SCPI_NONE,                     SCPI_NONE) \
 *     CMD(PSU_VOLT, "[SOURce#:]VOLTage[:LEVel]", SCPI_CH_DAT(&VoltsOrMinMax), SCPI_NONE)
 *
 * A header the host includes turns the list into the command numbers for its switch, and the
 * number of commands:
 *
 *   SCPI_COMMAND_ENUM(PSU_COMMANDS, PSU_COMMAND_COUNT);
 *
 * The table's source file, where the attribute records are defined, turns it into CmdSpecs
 * (ended by ""), ParamSpecs and CmdSpecCount, in the format of scpi_table.h:
 *
 *   SCPI_COMMAND_TABLE(PSU_COMMANDS);
 *
 * or, so that several tables live in one program, into a table record of its own name that a
 * parser context reads (PsuTableCmdSpecs and PsuTableParamSpecs behind it):
 *
 *   SCPI_NAMED_COMMAND_TABLE(PSU_COMMANDS, PsuTable, PsuUnitSuffixes);
 *
 * The compiler rejects a list with more than SCPI_MAX_COMMANDS commands, a row with too few or
 * too many slots, a P_NONE slot (or an optional one) before a used slot, an attribute record of
 * the wrong type for its slot (an SBoolAttr given to SCPI_NUM), and a missing or NULL attribute.
 * Before C11 and C++11 a failed check shows as an array of negative size named SCPI_ERROR_...
 * This header compiles as C99 and as C++.
 */
#ifndef ORVANE_SCPI_DECLARE_H
#define ORVANE_SCPI_DECLARE_H

#include <stddef.h>

#include "scpi_table.h"

#if MAX_PARAMS != 2
#error "scpi_declare.h writes two parameter slots per command (MAX_PARAMS)"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Most commands a table can hold: command numbers are 8-bit, and CmdSpecs[255] ends it. */
#define SCPI_MAX_COMMANDS SCPI_MAX_COUNT

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

/* The parser reads a command's slots up to the first P_NONE, so nothing may follow one, and a
 * P_NONE slot has no flags. */
#define SCPI_DECL_CHECK_ROW_(Name, pSpec, Slot1, Slot2)                                          \
  SCPI_DECL_ASSERT_(SCPI_DECL_TYPE_ Slot1 != P_NONE || SCPI_DECL_TYPE_ Slot2 == P_NONE,           \
                    SCPI_ERROR_P_NONE_slot_before_a_used_slot_in_##Name,                         \
                    "SCPI_NONE before a used slot in command " #Name);                           \
  SCPI_DECL_ASSERT_((SCPI_DECL_TYPE_ Slot1 != P_NONE || SCPI_DECL_FLAGS_ Slot1 == 0) &&           \
                        (SCPI_DECL_TYPE_ Slot2 != P_NONE || SCPI_DECL_FLAGS_ Slot2 == 0),         \
                    SCPI_ERROR_optional_P_NONE_slot_in_##Name,                                   \
                    "SCPI_OPTIONAL(SCPI_NONE) in command " #Name);

/* ---- The list turned into code --------------------------------------------------------------- */

#define SCPI_DECL_ENUM_ENTRY_(Name, pSpec, Slot1, Slot2) Name,
#define SCPI_DECL_SPEC_(Name, pSpec, Slot1, Slot2) pSpec,
#define SCPI_DECL_SLOT_(ucFlags, ePType, pAttr) {ucFlags, ePType, pAttr}
#define SCPI_DECL_ROW_(Name, pSpec, Slot1, Slot2) {SCPI_DECL_SLOT_ Slot1, SCPI_DECL_SLOT_ Slot2},

/** The command numbers, one enumerator per command in list order, followed by CountName, the
 *  number of commands. Write a ';' after it. */
#define SCPI_COMMAND_ENUM(LIST, CountName)                                                      \
  enum { LIST(SCPI_DECL_ENUM_ENTRY_) CountName };                                                \
  SCPI_DECL_ASSERT_((CountName) <= SCPI_MAX_COMMANDS, SCPI_ERROR_more_than_255_commands_in_##LIST, \
                    "more than 255 commands in " #LIST)

/** CmdSpecs with its "" end, ParamSpecs and CmdSpecCount, defined from the list; the attribute
 *  records must be declared before. Write a ';' after it. */
#define SCPI_COMMAND_TABLE(LIST)                                                                 \
  LIST(SCPI_DECL_CHECK_ROW_)                                                                      \
  const char* const CmdSpecs[] = {LIST(SCPI_DECL_SPEC_) ""};                                      \
  const SParamSpec ParamSpecs[][MAX_PARAMS] = {LIST(SCPI_DECL_ROW_)};                             \
  SCPI_DECL_ASSERT_(sizeof CmdSpecs / sizeof CmdSpecs[0] <= SCPI_MAX_COMMANDS + 1,                 \
                    SCPI_ERROR_more_than_255_commands_in_table_##LIST,                            \
                    "more than 255 commands in " #LIST);                                          \
  const uint8_t CmdSpecCount = (uint8_t)(sizeof CmdSpecs / sizeof CmdSpecs[0] - 1)

/** The table record Name (SScpiTable) over Name##CmdSpecs and Name##ParamSpecs, defined from the
 *  list, and the unit suffixes pUnitSuffixes (an array declared before it).
 *  orvane_scpi_add_table derives its header index when Name is among its TABLES. Write a ';'
 *  after it. */
#define SCPI_NAMED_COMMAND_TABLE(LIST, Name, pUnitSuffixes)                                      \
  LIST(SCPI_DECL_CHECK_ROW_)                                                                      \
  SCPI_TABLE_EXTERN_ const char* const Name##CmdSpecs[];                                          \
  SCPI_TABLE_EXTERN_ const SParamSpec Name##ParamSpecs[][MAX_PARAMS];                             \
  const char* const Name##CmdSpecs[] = {LIST(SCPI_DECL_SPEC_) ""};                                \
  const SParamSpec Name##ParamSpecs[][MAX_PARAMS] = {LIST(SCPI_DECL_ROW_)};                       \
  SCPI_DECL_ASSERT_(sizeof Name##CmdSpecs / sizeof Name##CmdSpecs[0] <= SCPI_MAX_COMMANDS + 1,    \
                    SCPI_ERROR_more_than_255_commands_in_table_##Name,                            \
                    "more than 255 commands in " #LIST);                                          \
  SCPI_TABLE_RECORD_DEFINE(Name, Name##CmdSpecs, Name##ParamSpecs, pUnitSuffixes)

#endif /* ORVANE_SCPI_DECLARE_H */
