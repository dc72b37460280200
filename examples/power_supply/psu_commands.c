/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's command table: the attribute records its commands name, and the table
 * with its handler array from PSU_COMMANDS, with the unit suffixes.
 */
#include "psu_commands.h"

static const SNumAttr OutputNumber = {U_NONE, NULL, 0};
static const SBoolAttr OnOff = {0};

/* The levels have no minimum or maximum in the table: MIN, MAX and DEF are words, and the
 * handlers check a number against the supply's own limits. */
SCPI_DECLARE_LEVEL(VoltLevel, U_VOLT);
SCPI_DECLARE_LEVEL(AmpLevel, U_AMP);
static const SCharDataAttr Limit = SCPI_CHOICES("MINimum|MAXimum|DEFault", CHAR_DATA_NO_DEFAULT);

/* Output numbers, one dimension each, 1 to PSU_OUTPUTS: (@1,2) or (@1:2). */
static const SListAttr Outputs = {LIST_CHECK_RANGE, 1, 1, 1, PSU_OUTPUTS};

/* Here M is milli: the supply has no use for mega. */
static const SUnitSuffix PsuUnitSuffixes[] = {
    {"UV", U_VOLT, -6}, {"MV", U_VOLT, -3}, {"V", U_VOLT, 0},
    {"UA", U_AMP, -6},  {"MA", U_AMP, -3},  {"A", U_AMP, 0},
    {"", U_NONE, 0}};

SCPI_INSTRUMENT_TABLE(PSU_COMMANDS, PsuTable, PSU_PARAM_WIDTH, PsuUnitSuffixes, PsuHandlers);
