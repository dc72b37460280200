// SPDX-License-Identifier: MIT
// Parameter parsing and validation: counting, splitting and checking the parameters of one
// candidate command against its parameter specifications.
#include "scpi_internal.h"

namespace scpi {
namespace {

constexpr char CHOICE_SEPARATOR = '|';

/// The quotes, brackets and comma that split parameters all come at or before ',' in ASCII.
constexpr uint8_t LAST_SPLITTING_CHAR = ',';

inline bool MaySplit(char c) { return static_cast<uint8_t>(c) <= LAST_SPLITTING_CHAR; }

/// A Boolean given as a number takes no unit suffix and no scaling.
constexpr SNumAttr UNITLESS_NUMBER = {U_NONE, nullptr, 0};

bool IsQuote(char c) { return c == '"' || c == '\''; }

/// A parameter that cannot take a unit suffix searches no suffixes.
constexpr SUnitSuffix NO_UNIT_SUFFIXES[] = {{"", U_NONE, 0}};

/// Number of slots in use: those before the first P_NONE.
uint8_t UsedSlots(const SParamSpec* psSpecs, uint8_t ucWidth) {
  uint8_t ucUsed = 0;
  while (ucUsed < ucWidth && psSpecs[ucUsed].ePType != P_NONE) {
    ucUsed++;
  }
  return ucUsed;
}

/// 1 + the position of the last used slot that is not optional, 0 when all are optional.
/// An optional slot before a required one is therefore required as well.
uint8_t RequiredSlots(const SParamSpec* psSpecs, uint8_t ucUsed) {
  for (uint8_t ucSlot = ucUsed; ucSlot > 0; ucSlot--) {
    if ((psSpecs[ucSlot - 1].ucFlags & PS_OPTIONAL) == 0) {
      return ucSlot;
    }
  }
  return 0;
}

/// Splits off the parameter that starts at *pucPos: skips leading white space, then reads up
/// to the next ',' outside quotes and brackets (which it steps over) or the section's end.
uint8_t SplitParameter(const char* pSection, uint8_t ucSectionLen, uint8_t* pucPos,
                       uint8_t* pucStart, uint8_t* pucLen) {
  unsigned uPos = *pucPos;
  while (uPos < ucSectionLen && IsWhiteSpace(pSection[uPos])) {
    uPos++;
  }
  const unsigned uStart = uPos;
  while (uPos < ucSectionLen && pSection[uPos] != ',') {
    const char c = pSection[uPos];
    if (!MaySplit(c)) {
      // an ordinary character of the parameter
    } else if (IsQuote(c)) {
      // Everything up to the next equal quote belongs to the run; a doubled quote closes
      // the run and opens the next one at once.
      do {
        uPos++;
      } while (uPos < ucSectionLen && pSection[uPos] != c);
      if (uPos >= ucSectionLen) {
        return SCPI_ERR_UNMATCHED_QUOTE;
      }
    } else if (c == '(') {
      unsigned uDepth = 1;
      while (uDepth > 0) {
        uPos++;
        if (uPos >= ucSectionLen) {
          return SCPI_ERR_UNMATCHED_BRACKET;
        }
        if (pSection[uPos] == '(') {
          uDepth++;
        } else if (pSection[uPos] == ')') {
          uDepth--;
        }
      }
    } else if (c == ')') {
      return SCPI_ERR_UNMATCHED_BRACKET;
    }
    uPos++;
  }
  *pucStart = static_cast<uint8_t>(uStart);
  *pucLen = static_cast<uint8_t>(uPos - uStart);
  // Step over the comma so that the next parameter starts after it.
  *pucPos = static_cast<uint8_t>(uPos < ucSectionLen ? uPos + 1 : uPos);
  return SCPI_ERR_OK;
}

/// Runs the check of a parameter type; P_CH_DAT is not handled here (it has its own suffix
/// arguments) and gives 40 like any unknown type.
uint8_t CheckAsType(const SScpiContext* psCtx, EPType ePType, const void* pAttr,
                    const char* pText, uint8_t ucLen, SParam* psParam) {
  switch (ePType) {
    case P_NUM:
      return CheckNumeric(pText, ucLen, static_cast<const SNumAttr*>(pAttr),
                          psCtx->psTable->psUnitSuffixes, psParam);
    case P_BOOL:
      return CheckBoolean(pText, ucLen, static_cast<const SBoolAttr*>(pAttr), psParam);
    case P_STR:
    case P_UNQ_STR:
      return CheckString(pText, ucLen, ePType, psParam);
    case P_EXPR:
      return CheckExpression(pText, ucLen, psParam);
    case P_NUM_LIST:
      return CheckNumList(pText, ucLen, static_cast<const SListAttr*>(pAttr), psParam);
    case P_CHAN_LIST:
      return CheckChanList(pText, ucLen, static_cast<const SListAttr*>(pAttr), psParam);
    default:
      return SCPI_ERR_PARAM_TYPE;
  }
}

bool EqualsIgnoringCase(const char* pText, uint8_t ucLen, const char* pWord) {
  unsigned uIndex = 0;
  for (; pWord[uIndex] != '\0'; uIndex++) {
    if (uIndex >= ucLen || ToLower(pText[uIndex]) != ToLower(pWord[uIndex])) {
      return false;
    }
  }
  return uIndex == ucLen;
}

/// A string parameter quoted with the other quote character than a quoted choice, matched against
/// that choice as if the input had used the choice's quote: the same text between the quotes, a
/// doubled quote of the input's kind standing for one such character, a quote of the choice's
/// kind doubled. Kept out of line, so that the copy takes stack only for such a parameter.
[[gnu::noinline]] uint8_t MatchRequoted(SScpiContext* psCtx, const char* pChoice,
                                        uint8_t ucChoiceLen, const char* pText, uint8_t ucLen,
                                        uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  const char cOwn = pText[0];
  const char cChoice = pChoice[0];
  char acText[MAX_COUNT];
  unsigned uOut = 0;
  auto emit = [&acText, &uOut](char c) {
    if (uOut >= MAX_COUNT) return false;
    acText[uOut++] = c;
    return true;
  };
  bool bFits = emit(cChoice);
  unsigned uPos = 1;
  for (bool bOpen = true; bFits && bOpen && uPos < ucLen; ++uPos) {
    const char c = pText[uPos];
    if (c == cOwn && uPos + 1 < ucLen && pText[uPos + 1] == cOwn) {
      bFits = emit(cOwn);  // a doubled quote of the input's kind: one such character
      ++uPos;
    } else if (c == cOwn) {
      bFits = emit(cChoice);  // the closing quote
      bOpen = false;
    } else {
      bFits = emit(c) && (c != cChoice || emit(c));
    }
  }
  // What follows the closing quote is compared as it stands.
  for (; bFits && uPos < ucLen; ++uPos) bFits = emit(pText[uPos]);
  if (!bFits) return SCPI_ERR_INVALID_CMD;
  return MatchKeywords(psCtx, pChoice, ucChoiceLen, acText, static_cast<uint8_t>(uOut), 1,
                       uiNumSuf, pNumSufCnt);
}

/// Matches the parameter against each '|'-separated choice in turn. Returns 0 with the
/// choice's number, or the code of the last choice tried (70, or 14 / 5 for its suffix).
uint8_t MatchChoices(SScpiContext* psCtx, const char* pChoices, const char* pText, uint8_t ucLen,
                     uint8_t* pucItem, uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  const bool bAnyQuote = psCtx->ucRules == SCPI_RULES_STANDARD;
  uint8_t ucResult = SCPI_ERR_INVALID_CMD;
  uint8_t ucItem = 0;
  const char* pItem = pChoices;
  for (;;) {
    unsigned uItemLen = 0;
    while (pItem[uItemLen] != '\0' && pItem[uItemLen] != CHOICE_SEPARATOR) {
      uItemLen++;
    }
    // A choice list holds at most 255 characters; a longer item cannot be matched in full.
    // A choice whose first character must be typed and differs cannot match.
    const char cItem0 = pItem[0];
    const bool bRequired0 = uItemLen > 0 && cItem0 != '[' && cItem0 != ']' && cItem0 != '#' &&
                            !(cItem0 >= 'a' && cItem0 <= 'z');
    if (bAnyQuote && uItemLen <= MAX_COUNT && IsQuote(cItem0) && IsQuote(pText[0]) &&
        cItem0 != pText[0]) {
      ucResult = MatchRequoted(psCtx, pItem, static_cast<uint8_t>(uItemLen), pText, ucLen,
                               uiNumSuf, pNumSufCnt);
    } else if (bRequired0 && ToLower(cItem0) != ToLower(pText[0])) {
      ucResult = SCPI_ERR_INVALID_CMD;
    } else if (uItemLen <= MAX_COUNT) {
      ucResult = MatchKeywords(psCtx, pItem, static_cast<uint8_t>(uItemLen), pText, ucLen, 1,
                               uiNumSuf, pNumSufCnt);
    } else {
      ucResult = SCPI_ERR_INVALID_CMD;
    }
    if (ucResult == SCPI_ERR_OK) {
      *pucItem = ucItem;
      return SCPI_ERR_OK;
    }
    if (pItem[uItemLen] == '\0') {
      return ucResult;
    }
    pItem += uItemLen + 1;
    ucItem++;
  }
}

uint8_t Smaller(uint8_t ucA, uint8_t ucB) { return ucA < ucB ? ucA : ucB; }

/// Whether a number's magnitude is at least one half, in integers: ulMant x 10^-k >= 1/2 when
/// ulMant >= 5 x 10^(k-1), which no 32-bit mantissa reaches from k = 10 on.
bool AtLeastHalf(const SNum& sNum) {
  if (sNum.ulMant == 0) {
    return false;
  }
  if ((sNum.ucNumFlags & NUM_EXP_NEG) == 0) {
    return true;
  }
  uint32_t ulHalf = DECIMAL_BASE / 2;
  for (unsigned uPower = 1; uPower < sNum.ucExp; uPower++) {
    if (ulHalf > MAX_U32 / DECIMAL_BASE) {
      return false;
    }
    ulHalf *= DECIMAL_BASE;
  }
  return sNum.ulMant >= ulHalf;
}

}  // namespace

uint8_t CheckParamCount(const SScpiContext* psCtx, uint8_t ucCmdNum, const char* pSection,
                        uint8_t ucSectionLen) {
  unsigned uPos = 0;
  while (uPos < ucSectionLen && IsWhiteSpace(pSection[uPos])) {
    uPos++;
  }
  // Up to 255 commas make 256 parameters: the count needs more than 8 bits.
  unsigned uCount = 0;
  if (uPos < ucSectionLen) {
    uCount = 1;
    bool bQuoteOpen = false;
    char cQuote = '\0';
    unsigned uDepth = 0;
    for (; uPos < ucSectionLen; uPos++) {
      const char c = pSection[uPos];
      if (!MaySplit(c)) {
        continue;
      }
      if (IsQuote(c)) {
        if (!bQuoteOpen || cQuote == c) {
          bQuoteOpen = !bQuoteOpen;
          cQuote = c;
        }
      } else if (c == '(') {
        uDepth++;
      } else if (c == ')') {
        if (uDepth > 0) {
          uDepth--;
        }
      } else if (c == ',' && !bQuoteOpen && uDepth == 0) {
        uCount++;
      }
    }
  }
  const SParamSpec* psSpecs = CommandSlots(psCtx, ucCmdNum);
  const uint8_t ucMax = UsedSlots(psSpecs, psCtx->psTable->ucParamWidth);
  const uint8_t ucMin = RequiredSlots(psSpecs, ucMax);
  return (uCount < ucMin || uCount > ucMax) ? SCPI_ERR_PARAM_COUNT : SCPI_ERR_OK;
}

uint8_t ParseParameters(SScpiContext* psCtx, uint8_t ucCmdNum, const char* pSection,
                        uint8_t ucSectionLen, SParam sParam[], uint32_t uiNumSuf[],
                        uint8_t* pNumSufCnt) {
  const SParamSpec* psSpecs = CommandSlots(psCtx, ucCmdNum);
  const uint8_t ucWidth = psCtx->psTable->ucParamWidth;
  uint8_t ucResult = SCPI_ERR_OK;
  if (psSpecs[0].ePType == P_NONE) {
    // No slots: anything but white space is a parameter too many.
    for (unsigned uPos = 0; uPos < ucSectionLen; uPos++) {
      if (!IsWhiteSpace(pSection[uPos])) {
        return SCPI_ERR_PARAM_COUNT;
      }
    }
  } else {
    ucResult = CheckParamCount(psCtx, ucCmdNum, pSection, ucSectionLen);
    if (ucResult != SCPI_ERR_OK) {
      return ucResult;
    }
  }
  for (uint8_t ucSlot = 0; ucSlot < ucWidth; ucSlot++) {
    sParam[ucSlot].ePType = P_NONE;
  }
  uint8_t ucPos = 0;
  for (uint8_t ucSlot = 0; ucSlot < ucWidth && ucResult == SCPI_ERR_OK; ucSlot++) {
    const SParamSpec& sSpec = psSpecs[ucSlot];
    if (sSpec.ePType == P_NONE) {
      break;
    }
    uint8_t ucStart = 0;
    uint8_t ucLen = 0;
    ucResult = SplitParameter(pSection, ucSectionLen, &ucPos, &ucStart, &ucLen);
    if (ucResult != SCPI_ERR_OK) {
      break;
    }
    const char* pText = pSection + ucStart;
    while (ucLen > 0 && IsWhiteSpace(pText[ucLen - 1])) {
      ucLen--;
    }
    if (sSpec.ePType == P_CH_DAT) {
      ucResult = CheckCharData(psCtx, pText, ucLen,
                               static_cast<const SCharDataAttr*>(sSpec.pAttr), &sParam[ucSlot],
                               uiNumSuf, pNumSufCnt);
    } else {
      ucResult = CheckAsType(psCtx, sSpec.ePType, sSpec.pAttr, pText, ucLen, &sParam[ucSlot]);
    }
    // An empty optional parameter is simply absent; its record keeps P_NONE.
    if (ucResult != SCPI_ERR_OK && ucLen == 0 && (sSpec.ucFlags & PS_OPTIONAL) != 0) {
      ucResult = SCPI_ERR_OK;
    }
  }
  return ucResult;
}

uint8_t CheckBoolean(const char* pText, uint8_t ucLen, const SBoolAttr* psAttr, SParam* psParam) {
  uint8_t bVal = 0;
  if (ucLen == 0) {
    if ((psAttr->ucFlags & BOOL_HAS_DEFAULT) == 0) {
      return SCPI_ERR_PARAM_TYPE;
    }
    bVal = (psAttr->ucFlags & BOOL_DEFAULT_ON) != 0 ? 1 : 0;
  } else if (EqualsIgnoringCase(pText, ucLen, "ON")) {
    bVal = 1;
  } else if (EqualsIgnoringCase(pText, ucLen, "OFF")) {
    bVal = 0;
  } else {
    // A number without units: ON unless it rounds (halves away from zero) to 0.
    SParam sNumber;
    if (CheckNumeric(pText, ucLen, &UNITLESS_NUMBER, NO_UNIT_SUFFIXES, &sNumber) != SCPI_ERR_OK) {
      return SCPI_ERR_PARAM_TYPE;
    }
    bVal = AtLeastHalf(sNumber.uVal.sNum) ? 1 : 0;
  }
  psParam->ePType = P_BOOL;
  psParam->uVal.bVal = bVal;
  return SCPI_ERR_OK;
}

uint8_t CheckCharData(SScpiContext* psCtx, const char* pText, uint8_t ucLen,
                      const SCharDataAttr* psAttr, SParam* psParam, uint32_t uiNumSuf[],
                      uint8_t* pNumSufCnt) {
  uint8_t ucChoiceResult = SCPI_ERR_INVALID_CMD;
  if (ucLen == 0) {
    if (psAttr->ucDefItem != CHAR_DATA_NO_DEFAULT) {
      psParam->ePType = P_CH_DAT;
      psParam->uVal.ucItemNum = psAttr->ucDefItem;
      return SCPI_ERR_OK;
    }
  } else {
    uint8_t ucItem = 0;
    ucChoiceResult =
        MatchChoices(psCtx, psAttr->pChoices, pText, ucLen, &ucItem, uiNumSuf, pNumSufCnt);
    if (ucChoiceResult == SCPI_ERR_OK) {
      psParam->ePType = P_CH_DAT;
      psParam->uVal.ucItemNum = ucItem;
      return SCPI_ERR_OK;
    }
  }
  const uint8_t ucAltResult =
      CheckAsType(psCtx, psAttr->eAltPType, psAttr->pAltAttr, pText, ucLen, psParam);
  if (ucAltResult == SCPI_ERR_OK) {
    return SCPI_ERR_OK;
  }
  return Smaller(ucChoiceResult, ucAltResult);
}

uint8_t CheckString(const char* pText, uint8_t ucLen, EPType ePType, SParam* psParam) {
  if (ePType == P_UNQ_STR) {
    psParam->ePType = P_UNQ_STR;
    psParam->uVal.sText = SText{pText, ucLen, '\0'};
    return SCPI_ERR_OK;
  }
  if (ucLen == 0 || !IsQuote(pText[0])) {
    return SCPI_ERR_PARAM_TYPE;
  }
  const char cDelimiter = pText[0];
  bool bInside = true;
  for (unsigned uPos = 1; uPos < ucLen; uPos++) {
    if (pText[uPos] == cDelimiter) {
      bInside = !bInside;
    } else if (!bInside) {
      return SCPI_ERR_PARAM_TYPE;
    }
  }
  if (bInside) {
    return SCPI_ERR_UNMATCHED_QUOTE;
  }
  psParam->ePType = P_STR;
  psParam->uVal.sText = SText{pText + 1, static_cast<uint8_t>(ucLen - 2), cDelimiter};
  return SCPI_ERR_OK;
}

uint8_t CheckExpression(const char* pText, uint8_t ucLen, SParam* psParam) {
  if (ucLen == 0) {
    return SCPI_ERR_PARAM_TYPE;
  }
  unsigned uDepth = 0;
  for (unsigned uPos = 0; uPos < ucLen; uPos++) {
    const char c = pText[uPos];
    if (c == '(') {
      uDepth++;
    } else if (c == ')') {
      if (uDepth == 0) {
        return SCPI_ERR_UNMATCHED_BRACKET;
      }
      uDepth--;
      if (uDepth == 0 && uPos + 1 != ucLen) {
        return SCPI_ERR_PARAM_TYPE;
      }
    } else if (uDepth == 0) {
      return SCPI_ERR_PARAM_TYPE;
    }
  }
  if (uDepth > 0) {
    return SCPI_ERR_UNMATCHED_BRACKET;
  }
  psParam->ePType = P_EXPR;
  psParam->uVal.sText = SText{pText, ucLen, '\0'};
  return SCPI_ERR_OK;
}

}  // namespace scpi
