/* SPDX-License-Identifier: MIT */
/* A two-command instrument of the parent's own. */
#include <stddef.h>
#include <orvane-scpi/scpi_table.h>

static const SNumAttr Volts = {U_VOLT, NULL, 0};
static const SBoolAttr OnOff = {0};

const char* const CmdSpecs[] = {"[SOURce:]VOLTage[:LEVel]", "OUTPut[:STATe]", ""};
const SParamSpec ParamSpecs[][MAX_PARAMS] = {
    {{0, P_NUM, &Volts}, {0, P_NONE, NULL}},
    {{0, P_BOOL, &OnOff}, {0, P_NONE, NULL}},
};
const SUnitSuffix UnitSuffixes[] = {{"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"", U_NONE, 0}};
