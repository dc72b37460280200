/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's commands, each declared once: a name for its number, the header
 * specification, the handler (psu_instrument.c) and the parameter slots. The commands every
 * SCPI instrument answers come from the instrument layer. psu_commands.c defines the attribute
 * records the slots name and turns the list into the table and its handler array.
 */
#ifndef PSU_COMMANDS_H
#define PSU_COMMANDS_H

#include <orvane-scpi/scpi_declare.h>
#include <orvane-scpi/scpi_instrument.h>

/** The supply's numbered outputs, 1 and 2: OUTPut2, SOURce2:VOLTage, (@1,2). */
#define PSU_OUTPUTS 2

/* clang-format off */
#define PSU_COMMANDS(CMD) \
  SCPI_MANDATORY_COMMANDS(CMD) \
  CMD(PSU_VOLT,        "[SOURce#:]VOLTage[:LEVel]",  PsuSetLevel, SCPI_LEVEL(VoltLevel)) \
  CMD(PSU_VOLT_Q,      "[SOURce#:]VOLTage[:LEVel]?", PsuLevelQuery, \
      SCPI_OPTIONAL(SCPI_CH_DAT(&Limit))) \
  CMD(PSU_CURR,        "[SOURce#:]CURRent[:LEVel]",  PsuSetLevel, SCPI_LEVEL(AmpLevel)) \
  CMD(PSU_CURR_Q,      "[SOURce#:]CURRent[:LEVel]?", PsuLevelQuery, \
      SCPI_OPTIONAL(SCPI_CH_DAT(&Limit))) \
  CMD(PSU_LIST_VOLT,   "[SOURce#:]LIST:VOLTage",     PsuSetList, SCPI_BLOCK) \
  CMD(PSU_LIST_VOLT_Q, "[SOURce#:]LIST:VOLTage?",    PsuListQuery) \
  CMD(PSU_MEAS_VOLT_Q, "MEASure#:VOLTage?",          PsuMeasureQuery) \
  CMD(PSU_MEAS_CURR_Q, "MEASure#:CURRent?",          PsuMeasureQuery) \
  CMD(PSU_OUTP,        "OUTPut#[:STATe]",            PsuSetOutput, SCPI_BOOL(&OnOff)) \
  CMD(PSU_OUTP_Q,      "OUTPut#[:STATe]?",           PsuOutputQuery) \
  CMD(PSU_APPL,        "APPLy",                      PsuApply, SCPI_NUM(&OutputNumber), \
      SCPI_LEVEL(VoltLevel), SCPI_LEVEL(AmpLevel), SCPI_BOOL(&OnOff)) \
  CMD(PSU_INST_COUP,   "INSTrument:COUPle",          PsuCouple, SCPI_CHAN_LIST(&Outputs)) \
  CMD(PSU_DISP_TEXT,   "DISPlay:TEXT",               PsuSetDisplay, SCPI_STR) \
  CMD(PSU_DISP_TEXT_Q, "DISPlay:TEXT?",              PsuDisplayQuery)
/* clang-format on */

SCPI_INSTRUMENT_ENUM(PSU_COMMANDS, PSU_COMMAND_COUNT);

/** Parameter slots per command: APPLy has the most. */
#define PSU_PARAM_WIDTH 4

#ifdef __cplusplus
extern "C" {
#endif

/** The supply's command table and its handlers, one per command. */
extern const SScpiTable PsuTable;
extern const PFnScpiHandler PsuHandlers[];

/* The handlers: return 0, or the error number the layer queues. */
int16_t PsuSetLevel(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuLevelQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuSetList(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuListQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuMeasureQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuSetOutput(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuOutputQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuApply(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuCouple(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuSetDisplay(SScpiSession* psSession, const SScpiCall* psCall);
int16_t PsuDisplayQuery(SScpiSession* psSession, const SScpiCall* psCall);

#ifdef __cplusplus
}
#endif

#endif /* PSU_COMMANDS_H */
