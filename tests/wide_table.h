// SPDX-License-Identifier: MIT
// A table of eight slots per command in the one-place form, with blocks and a level slot.
#ifndef ORVANE_TESTS_WIDE_TABLE_H
#define ORVANE_TESTS_WIDE_TABLE_H

#include <orvane-scpi/scpi_declare.h>

#define OPT_ELEMENT SCPI_OPTIONAL(SCPI_CH_DAT(&Element))
#define WIDE_COMMANDS(CMD)                                                                       \
  CMD(W_RST, "*RST")                                                                            \
  CMD(W_ELEM, "FORMat:ELEMents", SCPI_CH_DAT(&Element), OPT_ELEMENT, OPT_ELEMENT, OPT_ELEMENT,  \
      OPT_ELEMENT)                                                                              \
  CMD(W_EIGHT, "EIGHt", SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain), \
      SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain))                   \
  CMD(W_DATA, "DATA", SCPI_NUM(&Plain), SCPI_BLOCK)                                             \
  CMD(W_TRACE, "TRACe", SCPI_OPTIONAL(SCPI_BLOCK))                                              \
  CMD(W_TEXT, "TEXT", SCPI_STR)                                                                 \
  CMD(W_VOLT, "VOLTage", SCPI_LEVEL(VoltLevel))

SCPI_COMMAND_TYPE(WIDE_COMMANDS, EWideCommand, W_COUNT);

SCPI_TABLE_EXTERN_ const SScpiTable WideTable;

#endif  // ORVANE_TESTS_WIDE_TABLE_H
