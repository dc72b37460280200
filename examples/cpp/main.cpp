// SPDX-License-Identifier: MIT
// Reads SCPI program messages from standard input, one per line, parses them with Orvane-SCPI
// Parser and prints each command with its parameters, read back through the accessors.
//
//   echo 'conf:freq 12.5kHz; :trig:sour ext2' | parse_stdin
//   CONFigure:FREQuency 12500 Hz
//   TRIGger:SOURce EXTernal# [suffixes 2]
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include <orvane-scpi/scpi_table.h>

namespace {

std::string_view UnitSymbol(EUnits eUnits) {
  static constexpr std::string_view SYMBOLS[] = {"",  "V", "A",  "Ohm", "W", "dBW", "J",
                                                 "F", "H", "Hz", "s",   "K", "Cel", "Far"};
  return eUnits < U_END ? SYMBOLS[eUnits] : "";
}

// The ucItem-th choice of a character-data parameter, as the command table writes it.
std::string_view ChoiceText(uint8_t ucCmd, int iSlot, uint8_t ucItem) {
  const auto* psAttr = static_cast<const SCharDataAttr*>(ParamSpecs[ucCmd][iSlot].pAttr);
  std::string_view sChoices = psAttr->pChoices;
  for (; ucItem > 0 && sChoices.find('|') != std::string_view::npos; --ucItem) {
    sChoices.remove_prefix(sChoices.find('|') + 1);
  }
  return sChoices.substr(0, sChoices.find('|'));
}

std::string NumberText(const SParam& sParam) {
  double fdVal = 0;
  EUnits eUnits = U_NONE;
  SCPI_ParamToDouble(&sParam, &fdVal);
  SCPI_ParamUnits(&sParam, &eUnits);
  std::ostringstream os;
  os << fdVal;
  std::string sText = os.str();
  return eUnits == U_NONE ? sText : sText + " " + std::string(UnitSymbol(eUnits));
}

std::string ListText(const SParam& sParam) {
  std::string sText = "(";
  SParam sFirst{}, sLast{};
  uint8_t bRange = 0;
  for (uint8_t ucIndex = 0; SCPI_GetNumListEntry(&sParam, ucIndex, &bRange, &sFirst, &sLast) == 0;
       ++ucIndex) {
    if (ucIndex > 0) sText += ",";
    sText += NumberText(sFirst);
    if (bRange) sText += ".." + NumberText(sLast);
  }
  return sText + ")";
}

std::string ParamText(uint8_t ucCmd, int iSlot, const SParam& sParam) {
  EPType ePType = P_NONE;
  ENumSubtype eSubtype = 0;
  SCPI_ParamType(&sParam, &ePType, &eSubtype);
  switch (ePType) {
    case P_NUM:
      return NumberText(sParam);
    case P_BOOL: {
      uint8_t bVal = 0;
      SCPI_ParamToBOOL(&sParam, &bVal);
      return bVal ? "ON" : "OFF";
    }
    case P_CH_DAT: {
      uint8_t ucItem = 0;
      SCPI_ParamToCharDataItem(&sParam, &ucItem);
      return std::string(ChoiceText(ucCmd, iSlot, ucItem));
    }
    case P_NUM_LIST:
      return ListText(sParam);
    default: {  // strings, expressions, channel lists: a span of the input line
      const char* pText = nullptr;
      uint8_t ucLen = 0;
      char cDelimiter = 0;
      SCPI_ParamToString(&sParam, &pText, &ucLen, &cDelimiter);
      return "[" + std::string(pText, ucLen) + "]";
    }
  }
}

}  // namespace

int main() {
  int iFailures = 0;
  std::string sLine;
  while (std::getline(std::cin, sLine)) {
    const char* pSInput = sLine.c_str();  // the records point into sLine: keep it unchanged
    for (uint8_t bResetTree = 1;; bResetTree = 0) {
      SParam sParam[MAX_PARAMS];
      uint32_t uiNumSuf[MAX_NUM_SUFFIX];
      uint8_t ucCmd = 0, ucNumSufCnt = 0;
      uint8_t ucErr = SCPI_Parse(&pSInput, bResetTree, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf);
      if (ucErr == SCPI_ERR_NO_COMMAND) break;
      if (ucErr != SCPI_ERR_OK) {
        std::cout << "error " << unsigned(ucErr) << "\n";
        ++iFailures;
        continue;
      }
      std::cout << CmdSpecs[ucCmd];
      for (int iSlot = 0; iSlot < MAX_PARAMS && sParam[iSlot].ePType != P_NONE; ++iSlot) {
        std::cout << (iSlot == 0 ? " " : ", ") << ParamText(ucCmd, iSlot, sParam[iSlot]);
      }
      if (ucNumSufCnt > 0) {
        std::cout << " [suffixes";
        for (uint8_t uc = 0; uc < ucNumSufCnt; ++uc) std::cout << " " << uiNumSuf[uc];
        std::cout << "]";
      }
      std::cout << "\n";
    }
  }
  return iFailures == 0 ? 0 : 1;
}
