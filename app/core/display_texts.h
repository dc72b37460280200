// SPDX-License-Identifier: MIT
// Parsola report core: the display texts of parser codes, types, units and parameter values.
#ifndef PARSOLA_DISPLAY_TEXTS_H
#define PARSOLA_DISPLAY_TEXTS_H

#include <cstdint>
#include <string>

#include <orvane-scpi/scpi.h>

namespace parsola {

/// Text of a parser result code; "Unrecgonized SCPI Error Code" for a code the parser never returns.
const char* ErrorCodeText(uint8_t ucCode);

/// Text of a parameter type; "Unknown Type" outside P_NONE..P_BLOCK.
const char* PTypeText(EPType ePType);

/// "+ve"/"-ve" after the NUM_SUB_NEG bit, then " int"/" real" after the NUM_SUB_REAL bit.
const char* NumSubtypeText(ENumSubtype eSubtype);

/// Text of a units value; empty for U_DB_W and for every value above U_FAHREN.
const char* UnitsText(EUnits eUnits);

/// "ON" for any non-zero value, "OFF" for 0.
const char* BoolText(uint8_t bVal);

/// Choice ucItem (from 0) of the character-data parameter in slot ucSlot of command ucCmdNum,
/// exactly as the command table spells it. Empty when there is no such choice, or the slot
/// holds no character-data parameter.
std::string CharDataItemText(uint8_t ucCmdNum, uint8_t ucSlot, uint8_t ucItem);

/// The same in a table record of any width.
std::string CharDataItemText(const SScpiTable& sTable, uint8_t ucCmdNum, uint8_t ucSlot,
                             uint8_t ucItem);

/// The table of the global names CmdSpecs, ParamSpecs and UnitSuffixes, which SCPI_Parse reads.
const SScpiTable& GlobalTable();

/// An arbitrary block as a report shows it: its length and its first bytes, escaped:
/// 17 bytes "a\x00b..."...
std::string BlockText(const uint8_t* pucData, uint32_t ulLen);

}  // namespace parsola

#endif  // PARSOLA_DISPLAY_TEXTS_H
