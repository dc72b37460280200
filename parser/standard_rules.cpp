// SPDX-License-Identifier: MIT
// The standard SCPI rule for optional nodes (contexts with SCPI_RULES_STANDARD): a header matches
// a specification when any choice of present and absent optional nodes matches it.
//
// '[' and ']' split a specification into parts; a part after '[' is an optional node, every
// other part is required. Inside a part the keyword rules are the plain matcher's (the short
// form or the whole long form, suffix digits read greedily), so a part walked from one text
// position (with its long-form flag) ends at one position or fails. A node is taken as present
// whenever the rest of the header specification can still take the text to its end after it, the
// earliest node first; the suffixes and the codes 5 and 14 come from that choice. A '#' of an
// absent node reads 1, as an omitted suffix does, so every '#' keeps its place among the
// suffixes whichever nodes the input gives.
#include "scpi_internal.h"

namespace scpi {

namespace {

// Where the walk stands in the text: position and whether a lower-case letter of the current
// keyword has matched.
struct SPos {
  unsigned uiTi;
  bool bLongForm;
};

// The header being matched (not the public SText span: no delimiter, and read past its end as NUL).
struct SHeaderText {
  const char* pText;
  uint8_t ucTextLen;
};

inline char CharAt(const SHeaderText& sText, unsigned uiTi) {
  return uiTi < sText.ucTextLen ? sText.pText[uiTi] : '\0';
}

inline bool IsLongForm(char c) { return c >= 'a' && c <= 'z'; }

// The suffixes of the choice being walked: stored from uiNumSuf[ucN] on, with the code 14 when
// one is out of range.
struct SSuffixes {
  uint32_t* puiNumSuf;
  uint8_t ucN;
  uint8_t ucResult;
};

// One part of a specification: pSpec[uiBegin, uiEnd), optional when it follows '['.
struct SPart {
  unsigned uiBegin;
  unsigned uiEnd;
  bool bNode;
};

// Finds the part from *puiSi on and moves *puiSi to its end; false at the end of the
// specification (its NUL or uiSpecLen).
bool NextPart(const char* pSpec, unsigned uiSpecLen, unsigned* puiSi, SPart* psPart) {
  unsigned uiSi = *puiSi;
  while (uiSi < uiSpecLen && pSpec[uiSi] == ']') ++uiSi;
  if (uiSi >= uiSpecLen || pSpec[uiSi] == '\0') return false;
  psPart->bNode = pSpec[uiSi] == '[';
  if (psPart->bNode) ++uiSi;
  psPart->uiBegin = uiSi;
  while (uiSi < uiSpecLen && pSpec[uiSi] != '\0' && pSpec[uiSi] != '[' && pSpec[uiSi] != ']') {
    ++uiSi;
  }
  psPart->uiEnd = *puiSi = uiSi;
  return true;
}

// Reads the suffix digits at *puiTi (none gives 1) into the next suffix.
void ReadSuffix(const SHeaderText& sText, unsigned* puiTi, SSuffixes* psSuf) {
  uint32_t uiValue = 1;
  bool bDigits = false;
  for (char c = CharAt(sText, *puiTi); IsDigit(c); c = CharAt(sText, ++*puiTi)) {
    if (!bDigits) {
      uiValue = 0;
      bDigits = true;
    }
    const uint32_t uiNext = uiValue * 10 + static_cast<uint32_t>(c - '0');
    if (uiValue > MAX_NUM_SUFFIX_VALUE / 10 || uiNext > MAX_NUM_SUFFIX_VALUE) {
      psSuf->ucResult = SCPI_ERR_INVALID_NUM_SUF;  // the value stays as it was
    } else {
      uiValue = uiNext;
    }
  }
  if (uiValue < 1) psSuf->ucResult = SCPI_ERR_INVALID_NUM_SUF;
  psSuf->puiNumSuf[psSuf->ucN++] = uiValue;
}

// Walks a part from *psPos, which moves on to where the part ends. Without psSuf the suffix
// digits are only stepped over. Returns 0, SCPI_ERR_INVALID_CMD on a mismatch, or
// SCPI_ERR_TOO_MANY_NUM_SUF when the part would store an eleventh suffix.
uint8_t WalkPart(const char* pSpec, const SPart& sPart, const SHeaderText& sText, SPos* psPos,
                 SSuffixes* psSuf) {
  const unsigned uiEnd = sPart.uiEnd;
  unsigned uiSi = sPart.uiBegin;
  unsigned uiTi = psPos->uiTi;
  bool bLongForm = psPos->bLongForm;
  while (uiSi < uiEnd) {
    const char cSpec = pSpec[uiSi];
    const char cText = CharAt(sText, uiTi);
    if (cSpec == '#') {
      if (psSuf == nullptr) {
        while (IsDigit(CharAt(sText, uiTi))) ++uiTi;
      } else if (psSuf->ucN >= MAX_NUM_SUFFIX) {
        return SCPI_ERR_TOO_MANY_NUM_SUF;  // a fault of the table
      } else {
        ReadSuffix(sText, &uiTi, psSuf);
      }
      ++uiSi;
      continue;
    }
    if (cSpec == ':') bLongForm = false;
    if (ToLower(cSpec) == ToLower(cText)) {
      if (IsLongForm(cSpec)) bLongForm = true;
      ++uiSi;
      ++uiTi;
    } else if (IsLongForm(cSpec) && !bLongForm) {
      // The short form: skip the rest of the long form and compare the same text again.
      while (uiSi < uiEnd && IsLongForm(pSpec[uiSi])) ++uiSi;
    } else {
      return SCPI_ERR_INVALID_CMD;
    }
  }
  *psPos = SPos{uiTi, bLongForm};
  return SCPI_ERR_OK;
}

// Gives each '#' of an absent node the value 1. Returns 0, or SCPI_ERR_TOO_MANY_NUM_SUF when that
// would store an eleventh suffix.
uint8_t SkipAbsentNode(const char* pSpec, const SPart& sPart, SSuffixes* psSuf) {
  for (unsigned uiSi = sPart.uiBegin; uiSi < sPart.uiEnd; ++uiSi) {
    if (pSpec[uiSi] != '#') continue;
    if (psSuf->ucN >= MAX_NUM_SUFFIX) return SCPI_ERR_TOO_MANY_NUM_SUF;  // a fault of the table
    psSuf->puiNumSuf[psSuf->ucN++] = 1;
  }
  return SCPI_ERR_OK;
}

// A set of walk positions: bit 2 * position + long-form flag, for every position of a text of
// at most MAX_COUNT characters.
constexpr unsigned POS_BITS = 2 * (MAX_COUNT + 1);
constexpr unsigned WORD_BITS = 32;

struct SPosSet {
  uint32_t aulWord[POS_BITS / WORD_BITS];
};

inline unsigned PosBit(const SPos& sPos) { return 2 * sPos.uiTi + (sPos.bLongForm ? 1 : 0); }

inline void Add(SPosSet* psSet, const SPos& sPos) {
  const unsigned uiBit = PosBit(sPos);
  psSet->aulWord[uiBit / WORD_BITS] |= uint32_t{1} << (uiBit % WORD_BITS);
}

// Whether the set holds the end of the text, with either long-form flag.
inline bool HasEnd(const SPosSet& sSet, const SHeaderText& sText) {
  const unsigned uiBit = PosBit(SPos{sText.ucTextLen, false});
  return ((sSet.aulWord[uiBit / WORD_BITS] >> (uiBit % WORD_BITS)) & 3) != 0;
}

// Replaces every position of the set by where the part takes it; a node keeps the positions
// too (absent). A part never moves a position backwards, and one it leaves in place keeps its
// flag, so going from the highest bit down meets each position of the old set once and none
// that the part has added.
void StepSet(const char* pSpec, const SPart& sPart, const SHeaderText& sText, SPosSet* psSet) {
  for (unsigned uiWord = POS_BITS / WORD_BITS; uiWord-- > 0;) {
    const uint32_t ulOld = psSet->aulWord[uiWord];
    if (ulOld == 0) continue;
    if (!sPart.bNode) psSet->aulWord[uiWord] = 0;
    for (unsigned uiBit = WORD_BITS; uiBit-- > 0;) {
      if (((ulOld >> uiBit) & 1) == 0) continue;
      const unsigned uiPos = uiWord * WORD_BITS + uiBit;
      SPos sPos{uiPos / 2, (uiPos & 1) != 0};
      if (WalkPart(pSpec, sPart, sText, &sPos, nullptr) == SCPI_ERR_OK) Add(psSet, sPos);
    }
  }
}

// Whether some choice of the nodes from uiSi on takes the text from sPos to its end. Kept out
// of line, so that the set takes stack only while a node is decided.
[[gnu::noinline]] bool RestCanMatch(const char* pSpec, unsigned uiSpecLen, unsigned uiSi,
                                    const SHeaderText& sText, const SPos& sPos) {
  SPosSet sSet{};
  Add(&sSet, sPos);
  SPart sPart;
  while (NextPart(pSpec, uiSpecLen, &uiSi, &sPart)) StepSet(pSpec, sPart, sText, &sSet);
  return HasEnd(sSet, sText);
}

}  // namespace

uint8_t WalkNodeChoices(const char* pSpec, uint8_t ucSpecLen, const char* pText,
                        uint8_t ucTextLen, uint32_t uiNumSuf[], uint8_t* pucN) {
  const SHeaderText sText{pText, ucTextLen};
  SSuffixes sSuf{uiNumSuf, *pucN, SCPI_ERR_OK};
  SPos sPos{0, false};
  uint8_t ucResult = SCPI_ERR_OK;
  SPart sPart;
  for (unsigned uiSi = 0; ucResult == SCPI_ERR_OK && NextPart(pSpec, ucSpecLen, &uiSi, &sPart);) {
    if (sPart.bNode) {
      SPos sPresent = sPos;
      if (WalkPart(pSpec, sPart, sText, &sPresent, nullptr) != SCPI_ERR_OK ||
          !RestCanMatch(pSpec, ucSpecLen, uiSi, sText, sPresent)) {
        ucResult = SkipAbsentNode(pSpec, sPart, &sSuf);
        continue;
      }
    }
    ucResult = WalkPart(pSpec, sPart, sText, &sPos, &sSuf);  // a present node gives 0 or 5
  }
  *pucN = sSuf.ucN;
  if (ucResult != SCPI_ERR_OK) return ucResult;
  // Text the header specification did not consume.
  return sPos.uiTi != ucTextLen ? uint8_t{SCPI_ERR_INVALID_CMD} : sSuf.ucResult;
}

}  // namespace scpi
