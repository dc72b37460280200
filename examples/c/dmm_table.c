/* SPDX-License-Identifier: MIT */
/* The multimeter's table: its attribute records, then the table record DmmTable. */
#include "dmm_table.h"

static const SCharDataAttr DmmElement =
    SCPI_CHOICES("VOLTage|CURRent|RESistance|TIME|STATus", CHAR_DATA_NO_DEFAULT);
SCPI_DECLARE_LEVEL(DmmVoltRange, U_VOLT);
SCPI_DECLARE_LEVEL(DmmAmpRange, U_AMP);

static const SUnitSuffix DmmUnits[] = {
    {"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"KV", U_VOLT, 3},
    {"UA", U_AMP, -6},  {"MA", U_AMP, -3}, {"A", U_AMP, 0},
    {"", U_NONE, 0}};

SCPI_NAMED_COMMAND_TABLE_WIDTH(DMM_COMMANDS, DmmTable, DMM_WIDTH, DmmUnits);
