// SPDX-License-Identifier: MIT
// SCPI_Parse and its context: the table of the global names CmdSpecs, ParamSpecs and
// UnitSuffixes, with the rules the library was built to follow. Kept apart from the context
// functions, so that a program that parses through its own contexts links neither these names
// nor this context.
#include "scpi_internal.h"

namespace scpi {

namespace {

// The global names carry no command count: the entries run to the "" that ends CmdSpecs.
constexpr SScpiTable GLOBAL_TABLE = {CmdSpecs, &ParamSpecs[0][0], UnitSuffixes, nullptr,
                                     MAX_COUNT, MAX_PARAMS};

SScpiContext sLibraryContext = {&GLOBAL_TABLE, nullptr,
                                SCPI_STANDARD_RULES ? SCPI_RULES_STANDARD : SCPI_RULES_LIBRARY,
                                0, BLOCK_SLOTS_UNKNOWN, {}};

}  // namespace

SScpiContext* LibraryContext() { return &sLibraryContext; }

}  // namespace scpi

uint8_t SCPI_Parse(const char** pSInput, uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
                   uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  return scpi::TracedParse(false, &scpi::sLibraryContext, pSInput, nullptr, bResetTree,
                           pCmdSpecNum, sParam, pNumSufCnt, uiNumSuf);
}
