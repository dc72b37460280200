// SPDX-License-Identifier: MIT
// Parsola manual: Markdown tables generated from CmdSpecs, ParamSpecs and UnitSuffixes.
#include "manual_tables.h"

#include <cstring>
#include <vector>

namespace manual {
namespace {

const char* const MARKER_OPEN = "<!-- generated: ";
const char* const MARKER_CLOSE = " -->";
const char* const MARKER_COMMANDS = "command-set";
const char* const MARKER_SUFFIXES = "unit-suffixes";
const char* const VERSION_TOKEN = "{{VERSION}}";

/// A Markdown code span that may stand inside a table cell: '|' would end the cell.
std::string Code(const std::string& sText) {
  std::string sOut = "`";
  for (char c : sText) {
    if (c == '|') sOut += '\\';
    sOut += c;
  }
  return sOut + "`";
}

/// Every choice of a '|'-separated list as its own code span, so long lists can wrap.
std::string Choices(const char* pChoices) {
  std::string sOut;
  std::string sItem;
  for (const char* p = pChoices;; ++p) {
    if (*p == '|' || *p == '\0') {
      if (!sOut.empty()) sOut += " \\| ";
      sOut += Code(sItem);
      sItem.clear();
      if (*p == '\0') break;
    } else {
      sItem += *p;
    }
  }
  return sOut;
}

/// The ucItem-th choice of a '|'-separated list, counting from 0; empty if there are fewer.
std::string ChoiceAt(const char* pChoices, unsigned ucItem) {
  unsigned uiBars = 0;
  std::string sItem;
  for (const char* p = pChoices; *p != '\0'; ++p) {
    if (*p == '|') {
      if (uiBars == ucItem) return sItem;
      ++uiBars;
    } else if (uiBars == ucItem) {
      sItem += *p;
    }
  }
  return uiBars == ucItem ? sItem : std::string();
}

std::string PowerOfTen(int iExp) { return iExp == 0 ? "1" : "1e" + std::to_string(iExp); }

std::string DescribeNumber(const SNumAttr* psAttr) {
  if (psAttr == nullptr) return "number";
  std::string sOut = psAttr->eUnits == U_NONE ? "number without units"
                                              : "number in " + UnitsName(psAttr->eUnits);
  if (psAttr->peAltUnits != nullptr && psAttr->peAltUnits[0] != U_END) {
    sOut += " (also ";
    for (const EUnits* p = psAttr->peAltUnits; *p != U_END; ++p) {
      if (p != psAttr->peAltUnits) sOut += ", ";
      sOut += UnitsName(*p);
    }
    sOut += ")";
  }
  if (psAttr->cDefExp != 0) {
    sOut += "; a number without suffix is taken × " + PowerOfTen(psAttr->cDefExp);
  }
  return sOut;
}

std::string DescribeBoolean(const SBoolAttr* psAttr) {
  std::string sOut = "Boolean";
  if (psAttr != nullptr && (psAttr->ucFlags & BOOL_HAS_DEFAULT) != 0) {
    sOut += (psAttr->ucFlags & BOOL_DEFAULT_ON) != 0 ? ", empty means ON" : ", empty means OFF";
  }
  return sOut;
}

std::string DescribeList(EPType ePType, const SListAttr* psAttr) {
  std::string sOut = ePType == P_NUM_LIST ? "numeric list" : "channel list";
  if (psAttr == nullptr) return sOut;
  sOut += (psAttr->ucFlags & LIST_ALLOW_REAL) != 0 ? " of numbers" : " of whole numbers";
  sOut += (psAttr->ucFlags & LIST_ALLOW_NEG) != 0 ? ", negatives allowed" : ", no negatives";
  if ((psAttr->ucFlags & LIST_CHECK_RANGE) != 0) {
    sOut += ", each from " + std::to_string(psAttr->lMin) + " to " + std::to_string(psAttr->lMax);
  }
  if (ePType == P_CHAN_LIST) {
    if (psAttr->ucMinDims == psAttr->ucMaxDims) {
      sOut += ", exactly " + std::to_string(psAttr->ucMinDims) + " dimension" +
              (psAttr->ucMinDims == 1 ? "" : "s") + " per channel";
    } else {
      sOut += ", " + std::to_string(psAttr->ucMinDims) + " to " +
              std::to_string(psAttr->ucMaxDims) + " dimensions per channel";
    }
  }
  return sOut;
}

/// A parameter type with its attribute record, without the optional flag.
std::string DescribeType(EPType ePType, const void* pAttr) {
  switch (ePType) {
    case P_NUM:
      return DescribeNumber(static_cast<const SNumAttr*>(pAttr));
    case P_BOOL:
      return DescribeBoolean(static_cast<const SBoolAttr*>(pAttr));
    case P_CH_DAT: {
      const SCharDataAttr* psAttr = static_cast<const SCharDataAttr*>(pAttr);
      if (psAttr == nullptr) return "character data";
      std::string sOut = "one of " + Choices(psAttr->pChoices);
      if (psAttr->ucDefItem != CHAR_DATA_NO_DEFAULT) {
        sOut += ", empty means " + Code(ChoiceAt(psAttr->pChoices, psAttr->ucDefItem));
      }
      if (psAttr->eAltPType != P_NONE && psAttr->eAltPType != P_CH_DAT) {
        sOut += ", or else a " + DescribeType(psAttr->eAltPType, psAttr->pAltAttr);
      }
      return sOut;
    }
    case P_STR:
      return "quoted string";
    case P_UNQ_STR:
      return "unquoted string";
    case P_EXPR:
      return "expression in brackets";
    case P_BLOCK:
      return "arbitrary block";
    case P_NUM_LIST:
    case P_CHAN_LIST:
      return DescribeList(ePType, static_cast<const SListAttr*>(pAttr));
    default:
      return "unknown type " + std::to_string(ePType);
  }
}

std::string ExpandOne(const std::string& sName, bool* pbKnown) {
  *pbKnown = true;
  if (sName == MARKER_COMMANDS) return CommandSetTable();
  if (sName == MARKER_SUFFIXES) return UnitSuffixTable();
  *pbKnown = false;
  return std::string();
}

}  // namespace

std::string UnitsName(EUnits eUnits) {
  static const char* const NAMES[] = {
      "no units", "volts", "amps", "ohms", "watts", "decibel-watts", "joules", "farads",
      "henries", "hertz", "seconds", "kelvin", "degrees Celsius", "degrees Fahrenheit"};
  return eUnits < U_END ? NAMES[eUnits] : std::string();
}

std::string DescribeParam(const SParamSpec& sSpec) {
  std::string sOut = DescribeType(sSpec.ePType, sSpec.pAttr);
  return (sSpec.ucFlags & PS_OPTIONAL) != 0 ? "optional " + sOut : sOut;
}

// The number of slots the linked table gives each command.
constexpr unsigned TABLE_WIDTH = sizeof ParamSpecs[0] / sizeof ParamSpecs[0][0];

std::string CommandSetTable() {
  std::string sRows;
  unsigned uiCount = 0;
  for (; CmdSpecs[uiCount][0] != '\0'; ++uiCount) {
    // A command with several parameters takes a row for each.
    sRows += "| " + std::to_string(uiCount) + " | " + Code(CmdSpecs[uiCount]) + " | ";
    for (unsigned uiSlot = 0; uiSlot < TABLE_WIDTH; ++uiSlot) {
      const SParamSpec& sSpec = ParamSpecs[uiCount][uiSlot];
      if (sSpec.ePType == P_NONE) {
        if (uiSlot == 0) sRows += "none |\n";
        break;
      }
      if (uiSlot > 0) sRows += "| | | ";
      sRows += "(" + std::to_string(uiSlot + 1) + ") " + DescribeParam(sSpec) + " |\n";
    }
  }
  return "The demo instrument knows " + std::to_string(uiCount) +
         " commands, numbered from 0 in the order the parser tries them.\n\n"
         "| No. | Header | Parameters |\n|---:|---|---|\n" +
         sRows;
}

std::string UnitSuffixTable() {
  std::vector<EUnits> eOrder;
  unsigned uiCount = 0;
  for (; UnitSuffixes[uiCount].pSuffix[0] != '\0'; ++uiCount) {
    bool bSeen = false;
    for (EUnits e : eOrder) bSeen = bSeen || e == UnitSuffixes[uiCount].eUnits;
    if (!bSeen) eOrder.push_back(UnitSuffixes[uiCount].eUnits);
  }
  std::string sOut = "The " + std::to_string(uiCount) +
                     " unit suffixes, grouped by the units they select, each with the power of "
                     "ten it multiplies by:\n\n| Units | Suffixes |\n|---|---|\n";
  for (EUnits e : eOrder) {
    std::string sCell;
    for (unsigned ui = 0; ui < uiCount; ++ui) {
      if (UnitSuffixes[ui].eUnits != e) continue;
      if (!sCell.empty()) sCell += ", ";
      sCell += Code(UnitSuffixes[ui].pSuffix) + " " + PowerOfTen(UnitSuffixes[ui].cExp);
    }
    sOut += "| " + UnitsName(e) + " | " + sCell + " |\n";
  }
  return sOut;
}

bool ExpandMarkers(std::string* psMarkdown, const std::string& sVersion, std::string* psError) {
  std::string sOut;
  bool bCommands = false;
  bool bSuffixes = false;
  size_t uiPos = 0;
  while (uiPos < psMarkdown->size()) {
    size_t uiEnd = psMarkdown->find('\n', uiPos);
    if (uiEnd == std::string::npos) uiEnd = psMarkdown->size();
    std::string sLine = psMarkdown->substr(uiPos, uiEnd - uiPos);
    uiPos = uiEnd + 1;
    size_t uiOpen = sLine.find(MARKER_OPEN);
    if (uiOpen == std::string::npos) {
      sOut += sLine + "\n";
      continue;
    }
    size_t uiNameStart = uiOpen + std::strlen(MARKER_OPEN);
    size_t uiClose = sLine.find(MARKER_CLOSE, uiNameStart);
    std::string sName = sLine.substr(uiNameStart, uiClose == std::string::npos
                                                      ? std::string::npos
                                                      : uiClose - uiNameStart);
    bool bKnown = false;
    sOut += ExpandOne(sName, &bKnown);
    if (!bKnown) {
      *psError = "unknown generated table \"" + sName + "\"";
      return false;
    }
    bCommands = bCommands || sName == MARKER_COMMANDS;
    bSuffixes = bSuffixes || sName == MARKER_SUFFIXES;
  }
  if (!bCommands || !bSuffixes) {
    *psError = std::string("the manual has no place for the ") +
               (bCommands ? "unit-suffix" : "command set") + " table";
    return false;
  }
  for (size_t uiAt = sOut.find(VERSION_TOKEN); uiAt != std::string::npos;
       uiAt = sOut.find(VERSION_TOKEN, uiAt + sVersion.size())) {
    sOut.replace(uiAt, std::strlen(VERSION_TOKEN), sVersion);
  }
  *psMarkdown = sOut;
  return true;
}

}  // namespace manual
