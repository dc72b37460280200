// SPDX-License-Identifier: MIT
// Numbers, unit suffixes and lists: number text becomes an exact SNum with integer arithmetic
// only; numeric and channel lists are validated and stored as spans of their body.
#include "scpi_internal.h"

namespace scpi {

namespace {

constexpr uint16_t MAX_EXP_DIGITS_VALUE = 32767;
constexpr uint8_t BINARY_BASE = 2;
constexpr uint8_t OCTAL_BASE = 8;
constexpr uint8_t HEX_BASE = 16;
constexpr int32_t MAX_POWER = MAX_EXPONENT;

// States of the number scanner, one per position in the number syntax.
enum class ENumState : uint8_t {
  START,
  SIGN,
  INT_DIGITS,
  POINT,
  FRAC_DIGITS,
  AFTER_SPACE,
  EXP_LETTER,
  EXP_SIGN,
  EXP_DIGITS,
  HASH,
  BINARY,
  OCTAL,
  HEX,
  END
};

// Everything the scanner accumulates while it walks over a number.
struct SNumScan {
  uint32_t ulMant;
  int16_t iPowerAdj;  // +1 per integer digit dropped, -1 per fraction digit kept
  uint16_t uiExpVal;
  ENumState eState;
  uint8_t ucResult;
  bool bNeg;
  bool bExpNeg;
  bool bOverflow;
  bool bDigitSeen;
};

uint8_t DigitValue(char c) { return static_cast<uint8_t>(c - '0'); }

bool IsHexLetter(char c) { return c >= 'a' && c <= 'f'; }

void StartMantissa(SNumScan* ps, char c) {
  ps->ulMant = DigitValue(c);
  ps->bDigitSeen = true;
  ps->eState = ENumState::INT_DIGITS;
}

// A digit of the integer part: once one has failed to fit, every later one is dropped too and
// only scales the value.
void IntDigit(SNumScan* ps, char c) {
  if (ps->bOverflow || !AccumulateDigit(&ps->ulMant, DigitValue(c), DECIMAL_BASE)) {
    ps->bOverflow = true;
    ps->iPowerAdj++;
  }
}

// A digit of the fraction: kept while it fits, dropped without effect afterwards (cut off, not
// rounded).
void FracDigit(SNumScan* ps, char c) {
  if (!ps->bOverflow) {
    if (AccumulateDigit(&ps->ulMant, DigitValue(c), DECIMAL_BASE)) {
      ps->iPowerAdj--;
    } else {
      ps->bOverflow = true;
    }
  }
  ps->bDigitSeen = true;
  ps->eState = ENumState::FRAC_DIGITS;
}

void StepStart(SNumScan* ps, char c) {
  if (IsDigit(c)) {
    StartMantissa(ps, c);
  } else if (c == '#') {
    ps->eState = ENumState::HASH;
  } else if (c == '+') {
    ps->eState = ENumState::SIGN;
  } else if (c == '-') {
    ps->bNeg = true;
    ps->eState = ENumState::SIGN;
  } else if (c == '.') {
    ps->eState = ENumState::POINT;
  } else if (!IsWhiteSpace(c)) {
    ps->ucResult = SCPI_ERR_PARAM_TYPE;
  }
}

void StepSign(SNumScan* ps, char c) {
  if (IsDigit(c)) {
    StartMantissa(ps, c);
  } else if (c == '.') {
    ps->eState = ENumState::POINT;
  } else {
    ps->ucResult = SCPI_ERR_PARAM_TYPE;
  }
}

void StepIntDigits(SNumScan* ps, char c) {
  if (IsDigit(c)) {
    IntDigit(ps, c);
  } else if (c == '.') {
    ps->eState = ENumState::POINT;
  } else if (c == 'e') {
    ps->eState = ENumState::EXP_LETTER;
  } else if (IsWhiteSpace(c)) {
    ps->eState = ENumState::AFTER_SPACE;
  } else {
    ps->eState = ENumState::END;
  }
}

// The point and the fraction digits after it; white space ends the number straight after a
// point but leads on to a possible exponent after fraction digits.
void StepFraction(SNumScan* ps, char c) {
  if (IsDigit(c)) {
    FracDigit(ps, c);
  } else if (c == 'e') {
    ps->eState = ENumState::EXP_LETTER;
  } else if (ps->eState == ENumState::FRAC_DIGITS && IsWhiteSpace(c)) {
    ps->eState = ENumState::AFTER_SPACE;
  } else {
    ps->eState = ENumState::END;
  }
}

void StepAfterSpace(SNumScan* ps, char c) {
  if (c == 'e') {
    ps->eState = ENumState::EXP_LETTER;
  } else if (!IsWhiteSpace(c)) {  // a digit here starts something else
    ps->eState = ENumState::END;
  }
}

void StartExponent(SNumScan* ps, char c) {
  ps->uiExpVal = DigitValue(c);
  ps->eState = ENumState::EXP_DIGITS;
}

void StepExpLetter(SNumScan* ps, char c) {
  if (IsDigit(c)) {
    StartExponent(ps, c);
  } else if (c == '+') {
    ps->eState = ENumState::EXP_SIGN;
  } else if (c == '-') {
    ps->bExpNeg = true;
    ps->eState = ENumState::EXP_SIGN;
  } else if (!IsWhiteSpace(c)) {
    ps->ucResult = SCPI_ERR_PARAM_TYPE;
  }
}

void StepExpSign(SNumScan* ps, char c) {
  if (IsDigit(c)) {
    StartExponent(ps, c);
  } else {
    ps->ucResult = SCPI_ERR_PARAM_TYPE;
  }
}

void StepExpDigits(SNumScan* ps, char c) {
  if (!IsDigit(c)) {
    ps->eState = ENumState::END;
  } else if (!AccumulateExponent(&ps->uiExpVal, DigitValue(c))) {
    ps->ucResult = SCPI_ERR_PARAM_OVERFLOW;
  }
}

void StepHash(SNumScan* ps, char c) {
  if (c == 'b') {
    ps->eState = ENumState::BINARY;
  } else if (c == 'q') {
    ps->eState = ENumState::OCTAL;
  } else if (c == 'h') {
    ps->eState = ENumState::HEX;
  } else {
    ps->ucResult = SCPI_ERR_PARAM_TYPE;
  }
}

// A digit of a based number; a based number that passes 32 bits is an overflow, not cut off.
void BasedDigit(SNumScan* ps, uint8_t ucDigit, uint8_t ucBase) {
  ps->bDigitSeen = true;
  if (!AccumulateDigit(&ps->ulMant, ucDigit, ucBase)) {
    ps->ucResult = SCPI_ERR_PARAM_OVERFLOW;
  }
}

void StepBased(SNumScan* ps, char c) {
  uint8_t ucBase = HEX_BASE;
  if (ps->eState == ENumState::BINARY) {
    ucBase = BINARY_BASE;
  } else if (ps->eState == ENumState::OCTAL) {
    ucBase = OCTAL_BASE;
  }
  if (IsDigit(c) && DigitValue(c) < ucBase) {
    BasedDigit(ps, DigitValue(c), ucBase);
  } else if (ucBase == HEX_BASE && IsHexLetter(c)) {
    BasedDigit(ps, static_cast<uint8_t>(c - 'a' + DECIMAL_BASE), ucBase);
  } else {
    ps->eState = ENumState::END;
  }
}

void Step(SNumScan* ps, char c) {
  switch (ps->eState) {
    case ENumState::START: StepStart(ps, c); break;
    case ENumState::SIGN: StepSign(ps, c); break;
    case ENumState::INT_DIGITS: StepIntDigits(ps, c); break;
    case ENumState::POINT:
    case ENumState::FRAC_DIGITS: StepFraction(ps, c); break;
    case ENumState::AFTER_SPACE: StepAfterSpace(ps, c); break;
    case ENumState::EXP_LETTER: StepExpLetter(ps, c); break;
    case ENumState::EXP_SIGN: StepExpSign(ps, c); break;
    case ENumState::EXP_DIGITS: StepExpDigits(ps, c); break;
    case ENumState::HASH: StepHash(ps, c); break;
    case ENumState::BINARY:
    case ENumState::OCTAL:
    case ENumState::HEX: StepBased(ps, c); break;
    case ENumState::END: break;
  }
}

bool IsIncomplete(ENumState eState) {
  return eState == ENumState::START || eState == ENumState::SIGN ||
         eState == ENumState::EXP_LETTER || eState == ENumState::EXP_SIGN ||
         eState == ENumState::HASH;
}

// Writes a power of ten within -43..43 as magnitude and sign bit, keeping NUM_NEG.
void StorePower(SNum* psNum, int32_t lPower) {
  psNum->ucExp = static_cast<uint8_t>(lPower < 0 ? -lPower : lPower);
  psNum->ucNumFlags = static_cast<uint8_t>((psNum->ucNumFlags & NUM_NEG) | (lPower < 0 ? NUM_EXP_NEG : 0));
}

// Brings the scanned number into its shortest exact form and stores it.
uint8_t FinishNumber(const SNumScan* ps, SNum* psNum) {
  uint32_t ulMant = ps->ulMant;
  int32_t lPower = (ps->bExpNeg ? -static_cast<int32_t>(ps->uiExpVal) : ps->uiExpVal) + ps->iPowerAdj;
  while (ulMant != 0 && ulMant % DECIMAL_BASE == 0) {
    ulMant /= DECIMAL_BASE;
    lPower++;
  }
  if (lPower > MAX_POWER) {
    return SCPI_ERR_PARAM_OVERFLOW;
  }
  if (lPower < -MAX_POWER) {
    ulMant = 0;
    lPower = 0;
  }
  psNum->ulMant = ulMant;
  psNum->ucNumFlags = ps->bNeg ? NUM_NEG : 0;
  StorePower(psNum, lPower);
  return SCPI_ERR_OK;
}

bool ListsUnits(const EUnits* peList, EUnits eUnits) {
  for (; *peList != U_END; ++peList) {
    if (*peList == eUnits) {
      return true;
    }
  }
  return false;
}

// Compares a remainder with one suffix: case is ignored and white space inside the text skipped.
bool SuffixMatches(const char* pText, uint8_t ucLen, const char* pSuffix) {
  unsigned i = 0;
  unsigned k = 0;
  while (i < ucLen && pSuffix[k] != '\0') {
    if (ToLower(pText[i]) == ToLower(pSuffix[k])) {
      i++;
      k++;
    } else if (IsWhiteSpace(pText[i])) {
      i++;
    } else {
      break;
    }
  }
  return i == ucLen && pSuffix[k] == '\0';
}

// The value tests shared by both list checks: 0 or SCPI_ERR_INVALID_VALUE.
uint8_t CheckListValue(const SParam* psValue, const SListAttr* psAttr) {
  const uint8_t ucFlags = psValue->uVal.sNum.ucNumFlags;
  uint8_t ucResult = SCPI_ERR_OK;
  if ((ucFlags & NUM_EXP_NEG) && !(psAttr->ucFlags & LIST_ALLOW_REAL)) {
    ucResult = SCPI_ERR_INVALID_VALUE;
  }
  if ((ucFlags & NUM_NEG) && !(psAttr->ucFlags & LIST_ALLOW_NEG)) {
    ucResult = SCPI_ERR_INVALID_VALUE;
  }
  if (psAttr->ucFlags & LIST_CHECK_RANGE) {
    int32_t lVal = 0;
    if (SCPI_ParamToLong(psValue, &lVal) != SCPI_ERR_OK || lVal < psAttr->lMin || lVal > psAttr->lMax) {
      ucResult = SCPI_ERR_INVALID_VALUE;
    }
  }
  return ucResult;
}

// Parses the list value at *pucPos into a scratch record, advances past it and applies the
// value tests. Returns 40 when no number stands there; otherwise 0 or 16.
uint8_t TakeListValue(const char* pText, uint8_t ucLen, const SListAttr* psAttr, uint8_t* pucPos) {
  SParam sValue;
  sValue.ePType = P_NUM;
  sValue.uVal.sNum.eUnits = U_NONE;
  uint8_t ucUsed = 0;
  if (ParseNumber(pText + *pucPos, static_cast<uint8_t>(ucLen - *pucPos), &sValue.uVal.sNum, &ucUsed) !=
      SCPI_ERR_OK) {
    return SCPI_ERR_PARAM_TYPE;
  }
  *pucPos = static_cast<uint8_t>(*pucPos + ucUsed);
  return CheckListValue(&sValue, psAttr);
}

void StoreListBody(SParam* psParam, EPType ePType, const char* pBody, uint8_t ucBodyLen) {
  psParam->ePType = ePType;
  psParam->uVal.sText.pSText = pBody;
  psParam->uVal.sText.ucLen = ucBodyLen;
  psParam->uVal.sText.cDelimiter = '\0';
}

// The list entry being scanned: whether a ':' made it a range and, in a channel list, the
// dimensions of its first and last channel.
struct SListEntry {
  uint8_t ucFirstDims;
  uint8_t ucLastDims;
  bool bRange;
};

bool DimsOutside(uint8_t ucDims, const SListAttr* psAttr) {
  return ucDims < psAttr->ucMinDims || ucDims > psAttr->ucMaxDims;
}

uint8_t CheckEntryDims(const SListEntry* psEntry, const SListAttr* psAttr) {
  if (DimsOutside(psEntry->ucFirstDims, psAttr)) {
    return SCPI_ERR_INVALID_DIMS;
  }
  if (psEntry->bRange &&
      (DimsOutside(psEntry->ucLastDims, psAttr) || psEntry->ucLastDims != psEntry->ucFirstDims)) {
    return SCPI_ERR_INVALID_DIMS;
  }
  return SCPI_ERR_OK;
}

void StartEntry(SListEntry* psEntry) {
  psEntry->ucFirstDims = 1;
  psEntry->ucLastDims = 1;
  psEntry->bRange = false;
}

// Applies one separator: ',' ends the entry (a channel entry's dimensions are checked), ':'
// makes it a range, and in a channel list '!' adds a dimension. Returns 40 for a bad or doubled
// separator, 17 when a ',' closes a channel entry with wrong dimensions, else 0.
uint8_t ListSeparator(char c, bool bChannels, SListEntry* psEntry, const SListAttr* psAttr) {
  uint8_t ucResult = SCPI_ERR_OK;
  if (c == '!' && bChannels) {
    if (psEntry->bRange) {
      psEntry->ucLastDims++;
    } else {
      psEntry->ucFirstDims++;
    }
  } else if (c == ',') {
    if (bChannels) {
      ucResult = CheckEntryDims(psEntry, psAttr);
    }
    StartEntry(psEntry);
  } else if (c == ':' && !psEntry->bRange) {
    psEntry->bRange = true;
  } else {
    ucResult = SCPI_ERR_PARAM_TYPE;
  }
  return ucResult;
}

// Keeps a syntax fault, otherwise lets a later value or dimension fault replace an earlier one.
void NoteFault(uint8_t* pucResult, uint8_t ucFault) {
  if (ucFault != SCPI_ERR_OK && *pucResult != SCPI_ERR_PARAM_TYPE) {
    *pucResult = ucFault;
  }
}

// The checks of a numeric list "(...)" and a channel list "(@...)": every value, every
// separator and, in a channel list, the dimensions of every entry. Stores the body on success.
uint8_t CheckList(const char* pText, uint8_t ucLen, const SListAttr* psAttr, EPType ePType,
                  SParam* psParam) {
  const bool bChannels = ePType == P_CHAN_LIST;
  const uint8_t ucBodyStart = bChannels ? 2 : 1;  // after "(@" or "("
  // The shortest list is its opening, one digit and ")".
  if (ucLen < ucBodyStart + 2 || pText[0] != '(' || (bChannels && pText[1] != '@') ||
      pText[ucLen - 1] != ')') {
    return SCPI_ERR_PARAM_TYPE;
  }
  const uint8_t ucEnd = static_cast<uint8_t>(ucLen - 1);
  uint8_t ucResult = SCPI_ERR_OK;
  uint8_t ucPos = ucBodyStart;
  SListEntry sEntry;
  StartEntry(&sEntry);
  while (ucPos < ucEnd && ucResult != SCPI_ERR_PARAM_TYPE) {
    NoteFault(&ucResult, TakeListValue(pText, ucLen, psAttr, &ucPos));
    if (ucResult == SCPI_ERR_PARAM_TYPE) {
      continue;
    }
    if (ucPos >= ucEnd) {
      if (bChannels) {
        NoteFault(&ucResult, CheckEntryDims(&sEntry, psAttr));
      }
      continue;
    }
    NoteFault(&ucResult, ListSeparator(pText[ucPos], bChannels, &sEntry, psAttr));
    ucPos++;
    if (ucPos == ucEnd) {
      ucResult = SCPI_ERR_PARAM_TYPE;
    }
  }
  if (ucResult == SCPI_ERR_OK) {
    StoreListBody(psParam, ePType, pText + ucBodyStart, static_cast<uint8_t>(ucEnd - ucBodyStart));
  }
  return ucResult;
}

}  // namespace

bool AccumulateDigit(uint32_t* pulAcc, uint8_t ucDigit, uint8_t ucBase) {
  if (*pulAcc > MAX_U32 / ucBase || *pulAcc * ucBase > MAX_U32 - ucDigit) {
    return false;
  }
  *pulAcc = *pulAcc * ucBase + ucDigit;
  return true;
}

bool AccumulateExponent(uint16_t* puiAcc, uint8_t ucDigit) {
  if (*puiAcc > MAX_EXP_DIGITS_VALUE / DECIMAL_BASE ||
      *puiAcc * DECIMAL_BASE > MAX_EXP_DIGITS_VALUE - ucDigit) {
    return false;
  }
  *puiAcc = static_cast<uint16_t>(*puiAcc * DECIMAL_BASE + ucDigit);
  return true;
}

uint8_t ParseNumber(const char* pText, uint8_t ucLen, SNum* psNum, uint8_t* pucUsed) {
  SNumScan s = {0, 0, 0, ENumState::START, SCPI_ERR_OK, false, false, false, false};
  unsigned uPos = 0;
  while (uPos < ucLen && s.ucResult == SCPI_ERR_OK && s.eState != ENumState::END) {
    Step(&s, ToLower(pText[uPos]));
    if (s.eState != ENumState::END) {
      uPos++;
    }
  }
  while (uPos < ucLen && IsWhiteSpace(pText[uPos])) {
    uPos++;
  }
  if (!s.bDigitSeen || IsIncomplete(s.eState)) {
    s.ucResult = SCPI_ERR_PARAM_TYPE;
  }
  if (s.ucResult == SCPI_ERR_OK) {
    s.ucResult = FinishNumber(&s, psNum);
  }
  if (s.ucResult == SCPI_ERR_OK) {
    *pucUsed = static_cast<uint8_t>(uPos);
  }
  return s.ucResult;
}

uint8_t MatchUnits(const char* pText, uint8_t ucLen, const SNumAttr* psAttr,
                   const SUnitSuffix* psSuffixes, EUnits* peUnits, int8_t* pcExp) {
  // A suffix whose first letter differs from the text's first character cannot match, unless
  // that character is white space, which the comparison skips.
  const char cFirst = ucLen > 0 ? ToLower(pText[0]) : '\0';
  const bool bFirstDecides = ucLen > 0 && !IsWhiteSpace(pText[0]);
  const SUnitSuffix* psSuffix = psSuffixes;
  while (psSuffix->pSuffix[0] != '\0' &&
         ((bFirstDecides && ToLower(psSuffix->pSuffix[0]) != cFirst) ||
          !SuffixMatches(pText, ucLen, psSuffix->pSuffix))) {
    ++psSuffix;
  }
  if (psSuffix->pSuffix[0] == '\0') {
    return SCPI_ERR_PARAM_UNITS;
  }
  *peUnits = psSuffix->eUnits;
  *pcExp = psSuffix->cExp;
  if (psSuffix->eUnits == psAttr->eUnits ||
      (psAttr->peAltUnits != nullptr && ListsUnits(psAttr->peAltUnits, psSuffix->eUnits))) {
    return SCPI_ERR_OK;
  }
  return SCPI_ERR_PARAM_UNITS;
}

uint8_t CheckNumeric(const char* pText, uint8_t ucLen, const SNumAttr* psAttr,
                     const SUnitSuffix* psSuffixes, SParam* psParam) {
  SNum* psNum = &psParam->uVal.sNum;
  uint8_t ucUsed = 0;
  uint8_t ucResult = ParseNumber(pText, ucLen, psNum, &ucUsed);
  if (ucResult != SCPI_ERR_OK) {
    return ucResult;
  }
  // A remainder that spells no suffix at all leaves the end entry's units and power (0, 0).
  EUnits eUnits = U_NONE;
  int8_t cExp = 0;
  if (ucUsed < ucLen) {
    ucResult = MatchUnits(pText + ucUsed, static_cast<uint8_t>(ucLen - ucUsed), psAttr,
                          psSuffixes, &eUnits, &cExp);
  } else {
    eUnits = psAttr->eUnits;
    cExp = psAttr->cDefExp;
  }
  int32_t lPower = ((psNum->ucNumFlags & NUM_EXP_NEG) ? -psNum->ucExp : psNum->ucExp) + cExp;
  if (lPower > MAX_POWER) {
    ucResult = SCPI_ERR_PARAM_OVERFLOW;
    lPower = 0;
  } else if (lPower < -MAX_POWER) {
    psNum->ulMant = 0;
    lPower = 0;
  }
  StorePower(psNum, lPower);
  psNum->eUnits = eUnits;
  psParam->ePType = P_NUM;
  return ucResult;
}

uint8_t CheckNumList(const char* pText, uint8_t ucLen, const SListAttr* psAttr, SParam* psParam) {
  return CheckList(pText, ucLen, psAttr, P_NUM_LIST, psParam);
}

uint8_t CheckChanList(const char* pText, uint8_t ucLen, const SListAttr* psAttr, SParam* psParam) {
  return CheckList(pText, ucLen, psAttr, P_CHAN_LIST, psParam);
}

}  // namespace scpi
