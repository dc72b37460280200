// SPDX-License-Identifier: MIT
// Parsola report core: the display texts of parser codes, types, units and parameter values.
#include "display_texts.h"

#include <cstring>

#include <orvane-scpi/scpi_table.h>

namespace parsola {

namespace {

struct SCodeText {
  uint8_t ucCode;
  const char* pText;
};

// The misspelling of the fallback text is how the application has always shown it.
constexpr SCodeText ERROR_TEXTS[] = {
    {SCPI_ERR_OK, "OK"},
    {SCPI_ERR_TOO_MANY_NUM_SUF, "DESIGN ERROR: Too many numeric suffices in Command Spec"},
    {SCPI_ERR_NO_COMMAND, "End of commands reached"},
    {SCPI_ERR_INVALID_NUM_SUF, "Error: Numeric suffix entered is invalid"},
    {SCPI_ERR_INVALID_VALUE, "Error: Invalid value in list"},
    {SCPI_ERR_INVALID_DIMS,
     "Error: Invalid number of dimensions in one or more entries in channel list"},
    {SCPI_ERR_PARAM_OVERFLOW, "Error: Parameter overflow"},
    {SCPI_ERR_PARAM_UNITS, "Error: Wrong units for parameter"},
    {SCPI_ERR_PARAM_TYPE, "Error: Wrong type of parameter"},
    {SCPI_ERR_PARAM_COUNT, "Error: Wrong number of parameters"},
    {SCPI_ERR_UNMATCHED_QUOTE, "Error: Unmatched quotation mark"},
    {SCPI_ERR_INVALID_BLOCK, "Error: Invalid block data"},
    {SCPI_ERR_UNMATCHED_BRACKET, "Error: Unmatched bracket"},
    {SCPI_ERR_INVALID_CMD, "Error: Unrecognized command"},
    {SCPI_ERR_NO_ENTRY, "No entry to retrieve"},
    {SCPI_ERR_TOO_MANY_DIMS, "Error: Too many dimensions in entry to be returned in parameters"},
};

constexpr const char* PTYPE_TEXTS[] = {"No Param", "Numeric",  "Boolean",
                                       "Char Data", "String",   "Unquoted String",
                                       "Expression", "Numeric List", "Channel List",
                                       "Block"};

// Decibel-watts (U_DB_W) have never had a name of their own.
constexpr const char* UNITS_TEXTS[] = {"None",    "Volts",  "Amps",    "Ohms",       "Watts",
                                       "",        "Joules", "Farads",  "Henrys",     "Hz",
                                       "Seconds", "Deg Kelvin", "Deg Cel.", "Deg Fah."};

// Indexed by the NUM_SUB_NEG and NUM_SUB_REAL bits.
constexpr const char* SUBTYPE_TEXTS[] = {"+ve int", "-ve int", "+ve real", "-ve real"};

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N]) {
  return N;
}

// Whether ucCmdNum names an entry of CmdSpecs (the table ends at its empty string).
bool IsCommand(uint8_t ucCmdNum) {
  for (unsigned uCmd = 0; CmdSpecs[uCmd][0] != '\0'; ++uCmd) {
    if (uCmd == ucCmdNum) return true;
  }
  return false;
}

}  // namespace

const char* ErrorCodeText(uint8_t ucCode) {
  for (const SCodeText& sEntry : ERROR_TEXTS) {
    if (sEntry.ucCode == ucCode) return sEntry.pText;
  }
  return "Unrecgonized SCPI Error Code";
}

const char* PTypeText(EPType ePType) {
  return ePType < Count(PTYPE_TEXTS) ? PTYPE_TEXTS[ePType] : "Unknown Type";
}

const char* NumSubtypeText(ENumSubtype eSubtype) {
  return SUBTYPE_TEXTS[eSubtype & (NUM_SUB_NEG | NUM_SUB_REAL)];
}

const char* UnitsText(EUnits eUnits) {
  return eUnits < Count(UNITS_TEXTS) ? UNITS_TEXTS[eUnits] : "";
}

const char* BoolText(uint8_t bVal) { return bVal != 0 ? "ON" : "OFF"; }

std::string CharDataItemText(uint8_t ucCmdNum, uint8_t ucSlot, uint8_t ucItem) {
  if (ucSlot >= MAX_PARAMS || !IsCommand(ucCmdNum)) return std::string();
  const SParamSpec& sSpec = ParamSpecs[ucCmdNum][ucSlot];
  if (sSpec.ePType != P_CH_DAT || sSpec.pAttr == nullptr) return std::string();
  const char* pChoice = static_cast<const SCharDataAttr*>(sSpec.pAttr)->pChoices;
  if (pChoice == nullptr) return std::string();
  for (unsigned uSkip = ucItem; uSkip > 0; --uSkip) {
    pChoice = std::strchr(pChoice, '|');
    if (pChoice == nullptr) return std::string();
    ++pChoice;
  }
  return std::string(pChoice, std::strcspn(pChoice, "|"));
}

}  // namespace parsola
