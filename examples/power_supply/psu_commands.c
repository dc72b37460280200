/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's command table: the attribute records its commands name, CmdSpecs and
 * ParamSpecs from PSU_COMMANDS, and the unit suffixes.
 */
#include "psu_commands.h"

static const SNumAttr Volts = {U_VOLT, NULL, 0};
static const SNumAttr Amps = {U_AMP, NULL, 0};
static const SBoolAttr OnOff = {0};

/* The numbers themselves have no minimum or maximum in the table: MIN and MAX are words, and
 * the firmware checks a number against its own limits. */
static const SCharDataAttr MinMax = SCPI_CHOICES("MINimum|MAXimum", CHAR_DATA_NO_DEFAULT);
static const SCharDataAttr VoltsOrMinMax =
    SCPI_CHOICES_OR("MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, SCPI_NUM(&Volts));
static const SCharDataAttr AmpsOrMinMax =
    SCPI_CHOICES_OR("MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, SCPI_NUM(&Amps));

/* Output numbers, one dimension each, 1 to PSU_OUTPUTS: (@1,2) or (@1:2). */
static const SListAttr Outputs = {LIST_CHECK_RANGE, 1, 1, 1, PSU_OUTPUTS};

SCPI_COMMAND_TABLE(PSU_COMMANDS);

/* Here M is milli: the supply has no use for mega. */
const SUnitSuffix UnitSuffixes[] = {
    {"UV", U_VOLT, -6}, {"MV", U_VOLT, -3}, {"V", U_VOLT, 0},
    {"UA", U_AMP, -6},  {"MA", U_AMP, -3},  {"A", U_AMP, 0},
    {"", U_NONE, 0}};
