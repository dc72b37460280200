// SPDX-License-Identifier: MIT
// Parameter parsing and validation: counting, splitting and checking the parameters of one
// candidate command against its parameter specifications.
#include "keyword_walk.h"
#include "scpi_internal.h"

namespace scpi {
namespace {

/// The quotes, brackets and comma that split parameters all come at or before ',' in ASCII.
constexpr uint8_t LAST_SPLITTING_CHAR = ',';

inline bool MaySplit(char c) { return static_cast<uint8_t>(c) <= LAST_SPLITTING_CHAR; }

/// A Boolean given as a number takes no unit suffix and no scaling.
constexpr SNumAttr UNITLESS_NUMBER = {U_NONE, nullptr, 0};

bool IsQuote(char c) { return c == '"' || c == '\''; }

/// A parameter that cannot take a unit suffix searches no suffixes.
constexpr SUnitSuffix NO_UNIT_SUFFIXES[] = {{"", U_NONE, 0}};

/// One parameter as the grammar reads it: its text (trailing white space included), whether a
/// comma ended it, the first fault met in it, and whether it is an arbitrary block (whose bytes
/// its check finds again).
struct SParamRun {
  uint32_t ulStart;
  uint32_t ulLen;
  uint8_t ucFault;
  bool bComma;
  bool bBlock;
};

/// The parameter grammar, the one rule for both counting and splitting: reads the parameter
/// that starts at *pulPos up to the next ',' outside quotes and brackets (stepped over) or the
/// section's end. Leading white space is skipped. A quoted run reaches the next equal quote (a
/// doubled quote closes the run and opens the next one); a bracketed run nests, quotes and commas
/// inside it included; an unclosed run takes the rest of the section. A stray ')' is a fault
/// but does not end the parameter. With bBlocks, a parameter that starts with '#' and a digit is
/// an arbitrary block, whose bytes are stepped over unread; a broken length field, or bytes
/// running past the section, take the rest of the section.
void NextParameter(const char* pSection, uint32_t ulSectionLen, bool bBlocks, uint32_t* pulPos,
                   SParamRun* psRun) {
  uint32_t ulPos = *pulPos;
  while (ulPos < ulSectionLen && IsWhiteSpace(pSection[ulPos])) ulPos++;
  *psRun = SParamRun{ulPos, 0, SCPI_ERR_OK, false, false};
  if (bBlocks && ulSectionLen - ulPos >= 2 && pSection[ulPos] == '#' &&
      IsDigit(pSection[ulPos + 1])) {
    uint32_t ulDataStart = 0;
    uint32_t ulDataLen = 0;
    const uint32_t ulBlockLen =
        ReadBlock(pSection + ulPos, ulSectionLen - ulPos, &ulDataStart, &ulDataLen);
    psRun->bBlock = ulBlockLen != 0;
    ulPos = ulBlockLen != 0 ? ulPos + ulBlockLen : ulSectionLen;
    while (ulPos < ulSectionLen && IsWhiteSpace(pSection[ulPos])) ulPos++;
    if (ulBlockLen == 0 || (ulPos < ulSectionLen && pSection[ulPos] != ',')) {
      psRun->ucFault = SCPI_ERR_INVALID_BLOCK;
    }
  }
  for (; ulPos < ulSectionLen && pSection[ulPos] != ','; ulPos++) {
    const char c = pSection[ulPos];
    uint8_t ucFault = SCPI_ERR_OK;
    if (!MaySplit(c)) {
      continue;  // an ordinary character of the parameter
    } else if (IsQuote(c)) {
      do {
        ulPos++;
      } while (ulPos < ulSectionLen && pSection[ulPos] != c);
      if (ulPos >= ulSectionLen) ucFault = SCPI_ERR_UNMATCHED_QUOTE;
    } else if (c == '(') {
      for (uint32_t ulDepth = 1; ulDepth > 0 && ++ulPos < ulSectionLen;) {
        if (pSection[ulPos] == '(') ulDepth++;
        if (pSection[ulPos] == ')') ulDepth--;
      }
      if (ulPos >= ulSectionLen) ucFault = SCPI_ERR_UNMATCHED_BRACKET;
    } else if (c == ')') {
      ucFault = SCPI_ERR_UNMATCHED_BRACKET;
    }
    if (psRun->ucFault == SCPI_ERR_OK) psRun->ucFault = ucFault;
  }
  psRun->ulLen = ulPos - psRun->ulStart;
  psRun->bComma = ulPos < ulSectionLen;
  *pulPos = psRun->bComma ? ulPos + 1 : ulPos;
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

/// Longest string parameter compared with a quoted choice after its quotes are exchanged: far
/// longer than any choice, and small enough for a stack frame of a microcontroller.
constexpr unsigned MAX_REQUOTED_LEN = 128;

/// A string parameter quoted with the other quote character than a quoted choice, matched against
/// that choice as if the input had used the choice's quote: the same text between the quotes, a
/// doubled quote of the input's kind standing for one such character, a quote of the choice's
/// kind doubled. Kept out of line, so that the copy takes stack only for such a parameter; a
/// copy of more than MAX_REQUOTED_LEN characters matches nothing.
[[gnu::noinline]] uint8_t MatchRequoted(SScpiContext* psCtx, const char* pChoice,
                                        uint8_t ucChoiceLen, const char* pText, uint8_t ucLen,
                                        uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  const char cOwn = pText[0];
  const char cChoice = pChoice[0];
  char acText[MAX_REQUOTED_LEN];
  unsigned uOut = 0;
  bool bInside = false;
  for (unsigned uPos = 0; uPos < ucLen; ++uPos) {
    char c = pText[uPos];
    if (bInside && c == cOwn && uPos + 1 < ucLen && pText[uPos + 1] == cOwn) {
      ++uPos;  // a doubled quote of the input's kind: one such character
    } else if (c == cOwn) {
      c = cChoice;
      bInside = !bInside;
    } else if (c == cChoice && bInside) {
      if (uOut >= MAX_REQUOTED_LEN) return SCPI_ERR_INVALID_CMD;
      acText[uOut++] = c;  // doubled, as the choice writes it
    }
    if (uOut >= MAX_REQUOTED_LEN) return SCPI_ERR_INVALID_CMD;
    acText[uOut++] = c;
  }
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
    const unsigned uItemLen = ChoiceLength(pItem);
    // A choice list holds at most 255 characters; a longer item cannot be matched in full.
    // A choice whose first character must be typed and differs cannot match.
    const char cItem0 = pItem[0];
    if (IsQuote(cItem0) && bAnyQuote && IsQuote(pText[0]) && cItem0 != pText[0] &&
        uItemLen <= MAX_COUNT) {
      ucResult = MatchRequoted(psCtx, pItem, static_cast<uint8_t>(uItemLen), pText, ucLen,
                               uiNumSuf, pNumSufCnt);
    } else if (uItemLen > 0 && FailsAtStop(pItem, 0, 0, pText[0])) {
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

uint32_t ReadBlock(const char* pBlock, uint32_t ulAvail, uint32_t* pulDataStart,
                   uint32_t* pulDataLen) {
  const uint32_t ulDigits = static_cast<uint32_t>(pBlock[1] - '0');
  uint32_t ulAt = 2;
  uint32_t ulLen = ulAvail - ulAt;  // #0: the bytes run to the end of the message
  if (ulDigits != 0) {
    if (ulAvail - ulAt < ulDigits) return 0;
    ulLen = 0;  // nine digits at most: no overflow
    for (const uint32_t ulEnd = ulAt + ulDigits; ulAt < ulEnd; ++ulAt) {
      if (!IsDigit(pBlock[ulAt])) return 0;
      ulLen = ulLen * DECIMAL_BASE + static_cast<uint32_t>(pBlock[ulAt] - '0');
    }
    if (ulAvail - ulAt < ulLen) return 0;
  }
  *pulDataStart = ulAt;
  *pulDataLen = ulLen;
  return ulAt + ulLen;
}

bool TableHasBlockSlots(const SScpiTable* psTable) {
  const unsigned uSlots = unsigned{psTable->ucCmdCount} * psTable->ucParamWidth;
  for (unsigned uSlot = 0; uSlot < uSlots; ++uSlot) {
    if (psTable->psParamSpecs[uSlot].ePType == P_BLOCK) return true;
  }
  return false;
}

const char* SplitWithBlocks(const char* pFrom, const char* pSEnd, std::size_t* puiBlockBytes) {
  if (pSEnd == nullptr) {
    pSEnd = pFrom;
    while (*pSEnd != '\0') ++pSEnd;
  }
  char cQuote = '\0';         // the quote of the string that is open
  bool bParamStart = true;    // only white space since the header or a ','
  const char* p = pFrom;
  for (; p != pSEnd; ++p) {
    const char c = *p;
    if (c == '\0' || (c == ';' && cQuote == '\0')) break;
    if (cQuote != '\0') {
      if (c == cQuote) cQuote = '\0';
    } else if (IsQuote(c)) {
      cQuote = c;
      bParamStart = false;
    } else if (bParamStart && c == '#' && pSEnd - p >= 2 && IsDigit(p[1])) {
      // A broken block takes the rest of the message, as its parameter check does.
      const uint32_t ulAvail = static_cast<uint32_t>(pSEnd - p);
      uint32_t ulDataStart = 0;
      uint32_t ulDataLen = ulAvail - 2;
      uint32_t ulBlockLen = ReadBlock(p, ulAvail, &ulDataStart, &ulDataLen);
      if (ulBlockLen == 0) ulBlockLen = ulAvail;
      bParamStart = false;
      *puiBlockBytes += ulDataLen;
      p += ulBlockLen - 1;
    } else if (c == ',') {
      bParamStart = true;
    } else if (!IsWhiteSpace(c)) {
      bParamStart = false;
    }
  }
  return p;
}

namespace {

/// Reads every parameter of a section with the parameter grammar, the first ucKeep runs into
/// asRuns[]. Returns the count: 0 for a section of white space alone.
uint32_t SplitSection(const SScpiContext* psCtx, const char* pSection, uint32_t ulSectionLen,
                      SParamRun asRuns[], uint8_t ucKeep) {
  if (ulSectionLen == 0) return 0;  // most commands end at their header
  uint32_t ulPos = 0;
  // More than 255 commas make more than 256 parameters: the count needs more than 8 bits.
  uint32_t ulCount = 0;
  SParamRun sBeyond;  // a run past the kept ones: only its comma and start matter
  SParamRun* psRun;
  do {
    psRun = ulCount < ucKeep ? &asRuns[ulCount] : &sBeyond;
    NextParameter(pSection, ulSectionLen, psCtx->bBlockSlots != 0, &ulPos, psRun);
    ulCount++;
  } while (psRun->bComma);
  // A first run that starts at the end found white space alone.
  return ulCount == 1 && psRun->ulStart == ulSectionLen ? 0 : ulCount;
}

/// Whether a count of parameters fits the ucUsed slots in use.
bool CountFits(const SParamSpec* psSpecs, uint8_t ucUsed, uint32_t ulCount) {
  return ulCount >= RequiredSlots(psSpecs, ucUsed) && ulCount <= ucUsed;
}

}  // namespace

uint8_t CheckParamCount(const SScpiContext* psCtx, uint8_t ucCmdNum, const char* pSection,
                        uint32_t ulSectionLen) {
  const SParamSpec* psSpecs = CommandSlots(psCtx, ucCmdNum);
  const uint8_t ucUsed = UsedSlots(psSpecs, psCtx->psTable->ucParamWidth);
  const uint32_t ulCount = SplitSection(psCtx, pSection, ulSectionLen, nullptr, 0);
  return CountFits(psSpecs, ucUsed, ulCount) ? SCPI_ERR_OK : SCPI_ERR_PARAM_COUNT;
}

namespace {

/// Checks one split parameter against its slot and fills its record. Only an arbitrary block
/// fits a block slot, and a block fits no other type.
uint8_t CheckSlot(SScpiContext* psCtx, const SParamSpec& sSpec, const char* pSection,
                  uint32_t ulSectionLen, const SParamRun& sRun, SParam* psParam,
                  uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  if (sRun.bBlock || sSpec.ePType == P_BLOCK) {
    if (!sRun.bBlock || sSpec.ePType != P_BLOCK) return SCPI_ERR_PARAM_TYPE;
    const char* pBlock = pSection + sRun.ulStart;
    uint32_t ulDataStart = 0;
    uint32_t ulDataLen = 0;
    ReadBlock(pBlock, ulSectionLen - sRun.ulStart, &ulDataStart, &ulDataLen);
    psParam->ePType = P_BLOCK;
    psParam->uVal.sBlock =
        SBlock{reinterpret_cast<const uint8_t*>(pBlock + ulDataStart), ulDataLen};
    return SCPI_ERR_OK;
  }
  uint32_t ulLen = sRun.ulLen;
  const char* pText = pSection + sRun.ulStart;
  while (ulLen > 0 && IsWhiteSpace(pText[ulLen - 1])) ulLen--;
  // Only a block's bytes may pass the 8-bit lengths; such a command is not recognised.
  if (ulLen > MAX_COUNT) return SCPI_ERR_INVALID_CMD;
  const uint8_t ucLen = static_cast<uint8_t>(ulLen);
  if (sSpec.ePType == P_CH_DAT) {
    return CheckCharData(psCtx, pText, ucLen, static_cast<const SCharDataAttr*>(sSpec.pAttr),
                         psParam, uiNumSuf, pNumSufCnt);
  }
  return CheckAsType(psCtx, sSpec.ePType, sSpec.pAttr, pText, ucLen, psParam);
}

}  // namespace

uint8_t ParseParameters(SScpiContext* psCtx, uint8_t ucCmdNum, const char* pSection,
                        uint32_t ulSectionLen, SParam sParam[], uint32_t uiNumSuf[],
                        uint8_t* pNumSufCnt) {
  const SParamSpec* psSpecs = CommandSlots(psCtx, ucCmdNum);
  const uint8_t ucWidth = psCtx->psTable->ucParamWidth;
  const uint8_t ucUsed = UsedSlots(psSpecs, ucWidth);
  // Split once: the count is checked before any parameter, and the runs are kept for the slots.
  SParamRun asRuns[SCPI_MAX_PARAM_SLOTS];
  // A command without slots takes nothing but white space.
  const uint32_t ulCount = SplitSection(psCtx, pSection, ulSectionLen, asRuns, ucUsed);
  if (!CountFits(psSpecs, ucUsed, ulCount)) {
    return SCPI_ERR_PARAM_COUNT;
  }
  for (uint8_t ucSlot = 0; ucSlot < ucWidth; ucSlot++) sParam[ucSlot].ePType = P_NONE;
  uint8_t ucResult = SCPI_ERR_OK;
  for (uint8_t ucSlot = 0; ucSlot < ucUsed && ucResult == SCPI_ERR_OK; ucSlot++) {
    const SParamSpec& sSpec = psSpecs[ucSlot];
    // A slot beyond the count reads an empty parameter at the section's end.
    if (ucSlot >= ulCount) {
      asRuns[ucSlot] = SParamRun{ulSectionLen, 0, SCPI_ERR_OK, false, false};
    }
    const SParamRun& sRun = asRuns[ucSlot];
    ucResult = sRun.ucFault;
    if (ucResult != SCPI_ERR_OK) {
      break;
    }
    ucResult = CheckSlot(psCtx, sSpec, pSection, ulSectionLen, sRun, &sParam[ucSlot], uiNumSuf,
                         pNumSufCnt);
    // An empty optional parameter is simply absent; its record keeps P_NONE.
    if (ucResult != SCPI_ERR_OK && sRun.ulLen == 0 && (sSpec.ucFlags & PS_OPTIONAL) != 0) {
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
