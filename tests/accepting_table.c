/* SPDX-License-Identifier: MIT */
/* A hand-written command table that accepts one of its checker warnings and names one that it
 * does not get, for a console's --check-table. */
#include <stddef.h>

#include <orvane-scpi/scpi_table.h>

const char* const CmdSpecs[] = {"SYSTem:ERRor[:NEXT]?", ""};
const SParamSpec ParamSpecs[][MAX_PARAMS] = {{{0, P_NONE, NULL}, {0, P_NONE, NULL}}};
const SUnitSuffix UnitSuffixes[] = {{"V", U_VOLT, 0}, {"", U_NONE, 0}};
const char* const AcceptedWarnings[] = {"SYSTem:ERRor[:NEXT]? tree-path", "*RST unreachable", ""};
