/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's commands, each declared once: the name the firmware's switch uses, the
 * header specification and the two parameter slots. psu_commands.c defines the attribute
 * records the slots name and turns the list into the table.
 */
#ifndef PSU_COMMANDS_H
#define PSU_COMMANDS_H

#include <orvane-scpi/scpi_declare.h>

/** The supply's numbered outputs, 1 and 2: OUTPut2, SOURce2:VOLTage, (@1,2). */
#define PSU_OUTPUTS 2

/* clang-format off */
#define PSU_COMMANDS(CMD) \
  CMD(PSU_CLS,         "*CLS",                       SCPI_NONE, SCPI_NONE) \
  CMD(PSU_IDN_Q,       "*IDN?",                      SCPI_NONE, SCPI_NONE) \
  CMD(PSU_RST,         "*RST",                       SCPI_NONE, SCPI_NONE) \
  CMD(PSU_VOLT,        "[SOURce#:]VOLTage[:LEVel]",  SCPI_CH_DAT(&VoltsOrMinMax), SCPI_NONE) \
  CMD(PSU_VOLT_Q,      "[SOURce#:]VOLTage[:LEVel]?", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&MinMax)), SCPI_NONE) \
  CMD(PSU_CURR,        "[SOURce#:]CURRent[:LEVel]",  SCPI_CH_DAT(&AmpsOrMinMax), SCPI_NONE) \
  CMD(PSU_CURR_Q,      "[SOURce#:]CURRent[:LEVel]?", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&MinMax)), SCPI_NONE) \
  CMD(PSU_OUTP,        "OUTPut#[:STATe]",            SCPI_BOOL(&OnOff), SCPI_NONE) \
  CMD(PSU_OUTP_Q,      "OUTPut#[:STATe]?",           SCPI_NONE, SCPI_NONE) \
  CMD(PSU_INST_COUP,   "INSTrument:COUPle",          SCPI_CHAN_LIST(&Outputs), SCPI_NONE) \
  CMD(PSU_DISP_TEXT,   "DISPlay:TEXT",               SCPI_STR, SCPI_NONE) \
  CMD(PSU_DISP_TEXT_Q, "DISPlay:TEXT?",              SCPI_NONE, SCPI_NONE) \
  CMD(PSU_SYST_ERR_Q,  "SYSTem:ERRor[:NEXT]?",       SCPI_NONE, SCPI_NONE)
/* clang-format on */

SCPI_COMMAND_ENUM(PSU_COMMANDS, PSU_COMMAND_COUNT);

#endif /* PSU_COMMANDS_H */
