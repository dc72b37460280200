// SPDX-License-Identifier: MIT
// Table checker: the unit suffixes, searched in order up to the entry with an empty suffix.
#include <algorithm>

#include "checker_internal.h"

namespace scpi_checker {

namespace {

// Without an empty suffix among this many entries the end entry is taken as missing.
constexpr unsigned MAX_UNIT_SUFFIXES = SCPI_MAX_COUNT;

// A suffix as the matcher compares it: letter case and, as long as the suffix itself holds
// none, the white space of the input do not count.
std::string Folded(const std::string& sSuffix, bool bDropWhiteSpace) {
  std::string s;
  for (char c : sSuffix) {
    if (!(bDropWhiteSpace && IsWhiteSpace(c))) s += ToUpper(c);
  }
  return s;
}

bool HoldsWhiteSpace(const std::string& s) { return std::any_of(s.begin(), s.end(), IsWhiteSpace); }

}  // namespace

unsigned CheckUnitSuffixes(const SUnitSuffix* psSuffixes, Reporter& r) {
  std::vector<std::string> vSeen;
  for (unsigned ui = 0;; ++ui) {
    const SUnitSuffix& sSuffix = psSuffixes[ui];
    const std::string sEntry = SuffixEntry(ui, sSuffix.pSuffix);
    if (sSuffix.pSuffix == nullptr) {
      r.Error(sEntry,
              "the suffix text is NULL, which the parser reads as text: end the list "
              "with an entry whose suffix is \"\"");
      return ui;
    }
    const std::string sText = sSuffix.pSuffix;
    if (sText.empty()) return ui;
    if (ui == MAX_UNIT_SUFFIXES) {
      r.Error(sEntry, "no entry with an empty suffix \"\" ends UnitSuffixes within its first " +
                          std::to_string(MAX_UNIT_SUFFIXES + 1) + " entries");
      return ui;
    }
    if (sSuffix.eUnits == U_NONE) {
      r.Error(sEntry,
              "units U_NONE: a suffix must stand for units, or parameters in U_NONE, "
              "which take no suffix, would take this one");
    } else if (sSuffix.eUnits >= U_END) {
      r.Error(sEntry, "units " + std::to_string(sSuffix.eUnits) +
                          " are no EUnits value (U_VOLT to U_FAHREN)");
    }
    if (IsWhiteSpace(sText.front()) || IsWhiteSpace(sText.back())) {
      r.Error(sEntry,
              "never chosen: it begins or ends with white space, which a number "
              "and its parameter never leave before or after a suffix");
    } else if (ToUpper(sText.front()) == 'E') {
      r.Error(sEntry,
              "never chosen: a number reads an 'E' after it as the start of its "
              "exponent");
    } else {
      const std::string sFolded = Folded(sText, true);
      for (unsigned uiEarlier = 0; uiEarlier < vSeen.size(); ++uiEarlier) {
        const std::string& sEarlier = vSeen[uiEarlier];
        const bool bShadows = HoldsWhiteSpace(sEarlier)
                                  ? Folded(sEarlier, false) == Folded(sText, false)
                                  : Folded(sEarlier, false) == sFolded;
        if (!bShadows) continue;
        r.Error(sEntry, "never chosen: " + SuffixEntry(uiEarlier, sEarlier.c_str()) +
                            " comes first in search order and takes the same input");
        break;
      }
    }
    vSeen.push_back(sText);
  }
}

}  // namespace scpi_checker
