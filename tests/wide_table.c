/* SPDX-License-Identifier: MIT */
/* The records of the wide test table (wide_table.h). */
#include "wide_table.h"

static const SNumAttr Plain = {U_NONE, NULL, 0};
static const SCharDataAttr Element =
    SCPI_CHOICES("VOLTage|CURRent|RESistance|TIME|STATus", CHAR_DATA_NO_DEFAULT);
SCPI_DECLARE_LEVEL_UP_DOWN(VoltLevel, U_VOLT);
static const SUnitSuffix Units[] = {{"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"", U_NONE, 0}};

SCPI_NAMED_COMMAND_TABLE_WIDTH(WIDE_COMMANDS, WideTable, SCPI_MAX_PARAM_SLOTS, Units);
