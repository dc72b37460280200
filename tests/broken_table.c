/* SPDX-License-Identifier: MIT */
/* A hand-written command table with mistakes the compiler lets through, for a console's
 * --check-table. It still parses what it can: "*RST" and "OUTPut ON" are recognised. */
#include <stddef.h>

#include <orvane-scpi/scpi_table.h>

static const SNumAttr Volts = {U_VOLT, NULL, 0};
static const SBoolAttr OnOff = {0};
static const SCharDataAttr MinMax = {"MINimum|MAXimum", 2, P_NONE, NULL};

const char* const CmdSpecs[] = {"*RST", "VOLTage[:LEVel", "OUTPut", "CURRent", "*RST", ""};
const SParamSpec ParamSpecs[][MAX_PARAMS] = {
    {{0, P_NONE, NULL}, {0, P_NONE, NULL}},
    {{0, P_NUM, &Volts}, {0, P_NONE, NULL}},
    {{0, P_BOOL, &OnOff}, {0, P_NONE, NULL}},
    {{0, P_CH_DAT, &MinMax}, {0, P_NONE, NULL}},
    {{0, P_NONE, NULL}, {0, P_NONE, NULL}},
};
const SUnitSuffix UnitSuffixes[] = {{"V", U_VOLT, 0}, {"V", U_VOLT, 3}, {"", U_NONE, 0}};
