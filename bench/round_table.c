/* SPDX-License-Identifier: MIT */
/* The command table of the round-trip benchmark's power supply, with its attribute records: a
 * source of its own, so that orvane_scpi_add_table can derive its header index. */
#include "round_instrument.h"

static const SNumAttr Volts = {U_VOLT, NULL, 0};
static const SNumAttr Amps = {U_AMP, NULL, 0};
static const SBoolAttr OnOff = {0};
static const SUnitSuffix Units[] = {
    {"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"MA", U_AMP, -3}, {"A", U_AMP, 0}, {"", U_NONE, 0}};

SCPI_INSTRUMENT_TABLE(ROUND_COMMANDS, RoundTable, 1, Units);
