// SPDX-License-Identifier: MIT
// Table checker: the parameter slots of a command and the attribute records they point at.
#include <algorithm>
#include <cstring>

#include "checker_internal.h"

namespace scpi_checker {

namespace {

// An alternative-units list longer than this (every units value once, and U_END) has lost its
// U_END.
constexpr size_t MAX_ALT_UNITS = U_END + 1;
// Most dimensions SCPI_GetChanListEntry reports: its 8-bit count is the capacity plus one
// when an entry has more.
constexpr unsigned MAX_ACCESSOR_DIMS = 254;
// Most dimensions a channel can have in a command of 255 characters: a one-letter header, a
// blank, "(@", a digit per dimension joined by '!', and ")".
constexpr unsigned MAX_INPUT_DIMS = (MAX_TEXT - 4) / 2;

bool NeedsAttribute(EPType ePType) {
  return ePType == P_NUM || ePType == P_BOOL || ePType == P_CH_DAT || ePType == P_NUM_LIST ||
         ePType == P_CHAN_LIST;
}

const char* RecordName(EPType ePType) {
  switch (ePType) {
    case P_NUM:
      return "an SNumAttr";
    case P_BOOL:
      return "an SBoolAttr";
    case P_CH_DAT:
      return "an SCharDataAttr";
    default:
      return "an SListAttr";
  }
}

std::string UnitsValue(unsigned uiUnits) {
  return "units " + std::to_string(uiUnits) + " are no EUnits value (U_NONE to U_FAHREN" +
         (uiUnits == U_END ? "; U_END only ends a list of further units)" : ")");
}

// Where a message about a record is: "parameter 1" or "parameter 1, its alternative P_NUM".
struct SPlace {
  const std::string& sEntry;
  std::string sWhere;
  Reporter& r;
  void Error(const std::string& sText) const { r.Error(sEntry, sWhere + ": " + sText); }
};

void CheckNumAttr(const SPlace& p, const SNumAttr& sAttr) {
  if (sAttr.eUnits >= U_END) p.Error(UnitsValue(sAttr.eUnits));
  if (sAttr.peAltUnits == nullptr) return;
  for (size_t ui = 0; ui < MAX_ALT_UNITS; ++ui) {
    const EUnits eUnits = sAttr.peAltUnits[ui];
    if (eUnits == U_END) return;
    if (eUnits > U_END) {
      p.Error("its list of further units holds " + std::to_string(eUnits) +
              ", which is no EUnits value, before any U_END");
      return;
    }
  }
  p.Error("its list of further units has no U_END among its first " +
          std::to_string(MAX_ALT_UNITS) + " values");
}

void CheckListAttr(const SPlace& p, const SListAttr& sAttr, EPType ePType) {
  if ((sAttr.ucFlags & LIST_CHECK_RANGE) && sAttr.lMin > sAttr.lMax) {
    p.Error("lMin " + std::to_string(sAttr.lMin) + " is above lMax " + std::to_string(sAttr.lMax) +
            ": with LIST_CHECK_RANGE no value is accepted");
  }
  if (ePType != P_CHAN_LIST) return;
  // Every channel has at least one dimension, so a minimum of 0 is 1.
  const unsigned uiMin = std::max<unsigned>(sAttr.ucMinDims, 1);
  if (uiMin > sAttr.ucMaxDims) {
    p.Error("ucMinDims " + std::to_string(sAttr.ucMinDims) + " is above ucMaxDims " +
            std::to_string(sAttr.ucMaxDims) +
            (sAttr.ucMaxDims == 0 ? " (every channel has at least 1 dimension)" : "") +
            ": no channel is accepted");
  } else if (uiMin > MAX_INPUT_DIMS) {
    p.Error("ucMinDims " + std::to_string(sAttr.ucMinDims) + " is more dimensions than a channel " +
            "in a command of " + std::to_string(MAX_TEXT) + " characters can have (" +
            std::to_string(MAX_INPUT_DIMS) + ")");
  }
  if (sAttr.ucMaxDims > MAX_ACCESSOR_DIMS) {
    p.Error("ucMaxDims " + std::to_string(sAttr.ucMaxDims) +
            " is more dimensions than SCPI_GetChanListEntry can return (" +
            std::to_string(MAX_ACCESSOR_DIMS) + ")");
  }
}

// The fault of one choice in words, or "".
std::string ChoiceFault(const std::string& sChoice) {
  std::vector<SNode> vNodes;
  const std::string sNodes = FindNodes(sChoice, &vNodes);
  if (!sNodes.empty()) return "choice " + Quoted(sChoice) + ": " + sNodes;
  if (IsWhiteSpace(sChoice.front()) || IsWhiteSpace(sChoice.back())) {
    return "choice " + Quoted(sChoice) +
           " begins or ends with white space, which a parameter never does";
  }
  char cQuote = 0;
  for (char c : sChoice) {
    if (cQuote != 0) {
      if (c == cQuote) cQuote = 0;
    } else if (c == '"' || c == '\'') {
      cQuote = c;
    } else if (c == ',' || c == ';') {
      return "choice " + Quoted(sChoice) + " holds '" + c +
             "' outside quotes, which ends the parameter: the choice never matches";
    }
  }
  return "";
}

// The choices of a choice list, and its faults in words: the list's own, then each bad choice's.
std::vector<std::string> SplitChoices(const std::string& sList,
                                      std::vector<std::string>* pvChoices) {
  pvChoices->clear();
  for (const char* p = sList.c_str(); p != nullptr;) {
    const unsigned uLen = scpi::ChoiceLength(p);
    pvChoices->emplace_back(p, uLen);
    p = scpi::NextChoice(p, uLen);
  }
  if (sList.empty()) return {"the choice list is empty"};
  std::vector<std::string> vFaults;
  if (std::find(pvChoices->begin(), pvChoices->end(), "") != pvChoices->end()) {
    vFaults.push_back("choice list " + Quoted(sList) +
                      " has an empty choice (two '|' in a row, or one at either end)");
  }
  for (const std::string& sChoice : *pvChoices) {
    if (sChoice.empty()) continue;
    const std::string sFault = ChoiceFault(sChoice);
    if (!sFault.empty()) vFaults.push_back(sFault);
  }
  return vFaults;
}

// Checks a character-data record; returns the most suffixes one of its choices adds.
unsigned CheckCharDataAttr(const SPlace& p, const SCharDataAttr& sAttr, CheckedRecords& sChecked);

// Checks the record of a slot or alternative type once; returns the suffixes its choices add.
unsigned CheckRecord(const SPlace& p, EPType ePType, const void* pAttr, CheckedRecords& sChecked) {
  unsigned uiSuffixes = 0;
  const bool bFirst = sChecked.insert({pAttr, ePType}).second;
  switch (ePType) {
    case P_NUM:
      if (bFirst) CheckNumAttr(p, *static_cast<const SNumAttr*>(pAttr));
      break;
    case P_CH_DAT: {
      // Reported once; the suffix count is needed for every command.
      const LineSink fnQuiet = [](const std::string&) {};
      Reporter rQuiet(fnQuiet);
      const SPlace pQuiet{p.sEntry, p.sWhere, rQuiet};
      uiSuffixes = CheckCharDataAttr(bFirst ? p : pQuiet, *static_cast<const SCharDataAttr*>(pAttr),
                                     sChecked);
      break;
    }
    case P_NUM_LIST:
    case P_CHAN_LIST:
      if (bFirst) CheckListAttr(p, *static_cast<const SListAttr*>(pAttr), ePType);
      break;
    default:
      break;
  }
  return uiSuffixes;
}

unsigned CheckCharDataAttr(const SPlace& p, const SCharDataAttr& sAttr, CheckedRecords& sChecked) {
  unsigned uiSuffixes = 0;
  if (sAttr.pChoices == nullptr) {
    p.Error("its SCharDataAttr has no choice list (pChoices is NULL)");
  } else {
    const size_t uiLen = strnlen(sAttr.pChoices, MAX_TEXT + 1);
    std::vector<std::string> vChoices;
    std::vector<std::string> vFaults;
    if (uiLen > MAX_TEXT) {
      vFaults.push_back("the choice list is longer than " + std::to_string(MAX_TEXT) +
                        " characters");
    } else {
      vFaults = SplitChoices(sAttr.pChoices, &vChoices);
    }
    for (const std::string& sFault : vFaults) p.Error(sFault);
    if (vFaults.empty()) {
      WarnShortForms(p.sEntry, p.sWhere + ": ", sAttr.pChoices, p.r);
      for (const std::string& sChoice : vChoices) {
        uiSuffixes = std::max(uiSuffixes, CountSuffixes(sChoice));
      }
      if (sAttr.ucDefItem != CHAR_DATA_NO_DEFAULT && sAttr.ucDefItem >= vChoices.size()) {
        p.Error("default choice " + std::to_string(sAttr.ucDefItem) + " is beyond its " +
                std::to_string(vChoices.size()) + " choices (0 to " +
                std::to_string(vChoices.size() - 1) + ", or CHAR_DATA_NO_DEFAULT for none)");
      }
    }
  }
  const EPType eAlt = sAttr.eAltPType;
  if (eAlt == P_NONE) return uiSuffixes;
  const std::string sAlt = "alternative type " + std::to_string(eAlt) + " (" + TypeName(eAlt) + ")";
  const SPlace pAlt{p.sEntry, p.sWhere + ", its " + sAlt, p.r};
  if (eAlt == P_CH_DAT || eAlt > P_CHAN_LIST) {  // a block is never an alternative either
    p.Error("its " + sAlt +
            " is never accepted: only the other parameter types can be tried "
            "when no choice matches");
  } else if (NeedsAttribute(eAlt) && sAttr.pAltAttr == nullptr) {
    p.Error("its " + sAlt + " has no attribute record (pAltAttr is NULL): it needs " +
            RecordName(eAlt));
  } else if (NeedsAttribute(eAlt)) {
    CheckRecord(pAlt, eAlt, sAttr.pAltAttr, sChecked);
  }
  return uiSuffixes;
}

}  // namespace

unsigned CheckSlots(const std::string& sEntry, const SParamSpec* psSlots, unsigned uiWidth,
                    CheckedRecords& sChecked, Reporter& r) {
  unsigned uiSuffixes = 0;
  for (unsigned ui = 0; ui < uiWidth; ++ui) {
    const SParamSpec& sSlot = psSlots[ui];
    const SPlace p{sEntry, "parameter " + std::to_string(ui + 1), r};
    if (sSlot.ePType == P_NONE) {
      for (unsigned uiLater = ui + 1; uiLater < uiWidth; ++uiLater) {
        if (psSlots[uiLater].ePType == P_NONE) continue;
        r.Error(sEntry, p.sWhere + " is P_NONE, but parameter " + std::to_string(uiLater + 1) +
                            " is " + TypeName(psSlots[uiLater].ePType) +
                            ": the first P_NONE ends the command's parameters, so parameter " +
                            std::to_string(uiLater + 1) + " is never read");
        break;
      }
      break;
    }
    if (sSlot.ePType > P_BLOCK) {
      p.Error("type " + std::to_string(sSlot.ePType) +
              " is no EPType value (P_NONE to P_BLOCK): it accepts no parameter");
    } else if (NeedsAttribute(sSlot.ePType) && sSlot.pAttr == nullptr) {
      r.Error(sEntry, p.sWhere + " (" + TypeName(sSlot.ePType) +
                          ") has no attribute record (pAttr is NULL): it needs " +
                          RecordName(sSlot.ePType));
    } else if (NeedsAttribute(sSlot.ePType)) {
      uiSuffixes += CheckRecord(p, sSlot.ePType, sSlot.pAttr, sChecked);
    }
  }
  return uiSuffixes;
}

}  // namespace scpi_checker
