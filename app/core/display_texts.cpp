// SPDX-License-Identifier: MIT
// Parsola report core: the display texts of parser codes, types, units and parameter values.
#include "display_texts.h"

#include <cstring>

#include <orvane-scpi/scpi_table.h>

#include "table_reading.h"

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

// Whether ucCmdNum names an entry of the table (it ends at its empty string).
bool IsCommand(const SScpiTable& sTable, uint8_t ucCmdNum) {
  for (unsigned uCmd = 0; uCmd < sTable.ucCmdCount && sTable.ppCmdSpecs[uCmd][0] != '\0'; ++uCmd) {
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

std::string BlockText(const uint8_t* pucData, uint32_t ulLen) {
  std::string sText = std::to_string(ulLen) + " bytes \"";
  for (uint32_t ul = 0; ul < ulLen && ul < SCPI_BLOCK_PREVIEW_BYTES; ++ul) {
    char acByte[4];
    sText.append(acByte, SCPI_EscapeBlockByte(pucData[ul], acByte));
  }
  return sText + (ulLen > SCPI_BLOCK_PREVIEW_BYTES ? "\"..." : "\"");
}

const SScpiTable& GlobalTable() {
  // The global names carry no command count: the entries run to the "" that ends CmdSpecs.
  static const SScpiTable sTable = {CmdSpecs, &ParamSpecs[0][0], UnitSuffixes, nullptr, 255,
                                    MAX_PARAMS};
  return sTable;
}

std::string CharDataItemText(uint8_t ucCmdNum, uint8_t ucSlot, uint8_t ucItem) {
  return CharDataItemText(GlobalTable(), ucCmdNum, ucSlot, ucItem);
}

std::string CharDataItemText(const SScpiTable& sTable, uint8_t ucCmdNum, uint8_t ucSlot,
                             uint8_t ucItem) {
  if (ucSlot >= sTable.ucParamWidth || !IsCommand(sTable, ucCmdNum)) return std::string();
  const SParamSpec& sSpec = sTable.psParamSpecs[unsigned{ucCmdNum} * sTable.ucParamWidth + ucSlot];
  if (sSpec.ePType != P_CH_DAT || sSpec.pAttr == nullptr) return std::string();
  const char* pChoices = static_cast<const SCharDataAttr*>(sSpec.pAttr)->pChoices;
  if (pChoices == nullptr) return std::string();
  unsigned uLen = 0;
  const char* pChoice = scpi::ChoiceAt(pChoices, ucItem, &uLen);
  return pChoice == nullptr ? std::string() : std::string(pChoice, uLen);
}

}  // namespace parsola
