// SPDX-License-Identifier: MIT
// SCPI_Parse and its context: the table of the global names CmdSpecs, ParamSpecs and
// UnitSuffixes, with the rules the library was built to follow. Kept apart from the context
// functions, so that a program that parses through its own contexts links neither these names
// nor this context.
#include "scpi_internal.h"

// SCPI_Parse and the global table names: 0 leaves them out, for a program whose tables are all
// records and whose build keeps code nobody calls (a single-file build without --gc-sections).
#ifndef ORVANE_SCPI_GLOBAL_TABLE
#define ORVANE_SCPI_GLOBAL_TABLE 1
#endif

#if ORVANE_SCPI_GLOBAL_TABLE
#if defined(__GNUC__)
extern "C" const SCmdIndex CmdSpecIndex __attribute__((weak));
#define GLOBAL_TABLE_INDEX (&CmdSpecIndex)
#else
#define GLOBAL_TABLE_INDEX nullptr
#endif

namespace scpi {

namespace {

// The global names carry no command count: the entries run to the "" that ends CmdSpecs. Their
// header index, when the table was built with one, is CmdSpecIndex; only a weak reference can
// find it without asking more of the program, so other compilers search every entry.
const SScpiTable GLOBAL_TABLE = {CmdSpecs, &ParamSpecs[0][0], UnitSuffixes, GLOBAL_TABLE_INDEX,
                                 MAX_COUNT, MAX_PARAMS};

SScpiContext sLibraryContext = {&GLOBAL_TABLE, nullptr,
                                SCPI_STANDARD_RULES ? SCPI_RULES_STANDARD : SCPI_RULES_LIBRARY,
                                0, 0, {}};

}  // namespace

SScpiContext* LibraryContext() { return &sLibraryContext; }

}  // namespace scpi

uint8_t SCPI_Parse(const char** pSInput, uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
                   uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  return scpi::TracedParse(false, &scpi::sLibraryContext, pSInput, nullptr, bResetTree,
                           pCmdSpecNum, sParam, pNumSufCnt, uiNumSuf);
}
#endif  // ORVANE_SCPI_GLOBAL_TABLE
