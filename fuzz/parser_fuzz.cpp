// SPDX-License-Identifier: MIT
// Fuzz target for the parser. The input, cut at its first NUL, is one program message line. It is
// taken command by command to its end, and every record is read back through every accessor,
// every list entry through the list accessors (indices past the end and small capacities too).
// Checked on the way:
//  - the read position only moves forward, stays inside the line and rests on ';' or the NUL;
//  - every record and span lies inside the line, with the delimiters its type implies around it;
//  - each accessor accepts exactly its own record types and leaves its outputs alone otherwise;
//  - the integer and floating-point conversions of a number agree;
//  - ucTraceNesting is 0 after every public call;
//  - a second run over the same line, with a trace sink installed, returns the same results, and
//    every traced call leaves one call line (level 3) followed by its result lines (level 4);
//  - SCPI_ParseCtx on the demo table's record, under each rule set, over a copy without the NUL
//    (its end given instead), passes the same checks, and under SCPI_Parse's rules returns what
//    SCPI_Parse returned.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include <orvane-scpi/demo_commands.h>
#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>

namespace {

constexpr uint8_t SENTINEL = 0xA5;
constexpr uint32_t SENTINEL32 = 0xA5A5A5A5u;
constexpr uint8_t NUM_FLAG_BITS = NUM_NEG | NUM_EXP_NEG;
constexpr uint32_t MAX_SUFFIX = MAX_NUM_SUFFIX_VALUE;
constexpr uint32_t MAX_LONG = 2147483647u;
constexpr double TWO_POW_32 = 4294967296.0;
// Asked of every list besides the indices around its end.
constexpr uint8_t FAR_INDEX = 255;
// Capacities offered to SCPI_GetChanListEntry besides the entry's own dimension count.
constexpr uint8_t CHAN_CAPACITIES[] = {0, 1, 2, 3, 255};

// ---- The caller's line ----

struct Line {
  const char* pBegin;
  const char* pEnd;  // at the terminating NUL, or one past the last character of a copy without it

  // [p, p + uLen) lies inside the line (the NUL excluded).
  bool Holds(const char* p, size_t uLen) const {
    const uintptr_t uP = reinterpret_cast<uintptr_t>(p);
    const uintptr_t uBegin = reinterpret_cast<uintptr_t>(pBegin);
    const uintptr_t uEnd = reinterpret_cast<uintptr_t>(pEnd);
    return uP >= uBegin && uP <= uEnd && uLen <= uEnd - uP;
  }
  uint64_t Offset(const char* p) const { return static_cast<uint64_t>(p - pBegin); }
};

// ---- Tracing ----

#if SCPI_TRACE
// A trace sink that checks the lines of every call made from outside the library.
class TraceCheck {
 public:
  TraceCheck() {
    sSink.pfnText = &TraceCheck::Text;
    sSink.pfnReal = &TraceCheck::Real;
    sSink.pfnEndLine = &TraceCheck::EndLine;
    sSink.pfnErrorCodeText = [](uint8_t) { return "code text"; };
    sSink.pfnPTypeText = [](EPType) { return "type text"; };
    sSink.pfnNumSubtypeText = [](ENumSubtype) { return "subtype text"; };
    sSink.pCtx = this;
    SCPI_SetTraceSink(&sSink);
  }
  ~TraceCheck() { SCPI_SetTraceSink(nullptr); }

  // The lines of the call that just returned ucCode: its call line, its return-code line, and
  // its return-values line after every call (bParamsAlways) or after success only.
  void Expect(uint8_t ucCode, bool bParamsAlways) {
    FUZZ_CHECK(sPending.empty());
    FUZZ_CHECK(vLines.size() == (ucCode == SCPI_ERR_OK || bParamsAlways ? 3u : 2u));
    FUZZ_CHECK(vLines[0].first == 3);
    for (size_t i = 1; i < vLines.size(); ++i) FUZZ_CHECK(vLines[i].first == 4);
    FUZZ_CHECK(CodeOf(vLines[1].second) == ucCode);
    if (vLines.size() == 3) FUZZ_CHECK(vLines[2].second.rfind("Return Params:", 0) == 0);
    vLines.clear();
  }

 private:
  static TraceCheck* Self(void* pCtx) { return static_cast<TraceCheck*>(pCtx); }

  static void Text(void* pCtx, const char* pText, uint16_t uiLen) {
    FUZZ_CHECK(pText != nullptr || uiLen == 0);
    if (uiLen != 0) Self(pCtx)->sPending.append(pText, uiLen);
  }
  static void Real(void* pCtx, double fdVal) {
    FUZZ_CHECK(std::isfinite(fdVal));
    Self(pCtx)->sPending += "<real>";
  }
  static void EndLine(void* pCtx, uint8_t ucLevel) {
    FUZZ_CHECK(ucLevel == 3 || ucLevel == 4);
    TraceCheck* pSelf = Self(pCtx);
    // Lines of calls the library makes to itself are the sink's to drop.
    if (ucTraceNesting == 0) pSelf->vLines.emplace_back(ucLevel, pSelf->sPending);
    pSelf->sPending.clear();
  }

  // The code written in a return-code line, or -1 when the line is not one.
  static int CodeOf(const std::string& sLine) {
    static const char HEAD[] = "Return Code:";
    if (sLine.rfind(HEAD, 0) != 0) return -1;
    size_t i = sizeof HEAD - 1;
    while (i < sLine.size() && (sLine[i] == ' ' || sLine[i] == '\t')) ++i;
    int iCode = -1;
    while (i < sLine.size() && sLine[i] >= '0' && sLine[i] <= '9') {
      iCode = (iCode < 0 ? 0 : iCode * 10) + (sLine[i++] - '0');
    }
    return iCode;
  }

  STraceSink sSink;
  std::string sPending;
  std::vector<std::pair<uint8_t, std::string>> vLines;
};

TraceCheck* gpTrace = nullptr;
#endif

// Run after every public call.
void AfterCall(uint8_t ucCode, bool bParamsAlways) {
#if SCPI_TRACE
  FUZZ_CHECK(ucTraceNesting == 0);
  if (gpTrace != nullptr) gpTrace->Expect(ucCode, bParamsAlways);
#else
  (void)ucCode;
  (void)bParamsAlways;
#endif
}

// ---- Records ----

bool IsParseCode(uint8_t ucCode) {
  switch (ucCode) {
    case SCPI_ERR_OK: case SCPI_ERR_TOO_MANY_NUM_SUF: case SCPI_ERR_NO_COMMAND:
    case SCPI_ERR_INVALID_NUM_SUF: case SCPI_ERR_INVALID_VALUE: case SCPI_ERR_INVALID_DIMS:
    case SCPI_ERR_PARAM_OVERFLOW: case SCPI_ERR_PARAM_UNITS: case SCPI_ERR_PARAM_TYPE:
    case SCPI_ERR_PARAM_COUNT: case SCPI_ERR_UNMATCHED_QUOTE: case SCPI_ERR_UNMATCHED_BRACKET:
    case SCPI_ERR_INVALID_CMD:
      return true;
    default:
      return false;
  }
}

bool IsTextType(EPType e) { return e >= P_STR && e <= P_CHAN_LIST; }

unsigned TableSize() {
  unsigned n = 0;
  while (CmdSpecs[n][0] != '\0') ++n;
  return n;
}

SParam SentinelRecord() {
  SParam s;
  std::memset(&s, SENTINEL, sizeof s);
  return s;
}

// What a record of each type must look like. List entries keep the caller's units.
void CheckShape(const SParam& s, const Line& sLine, bool bListEntry) {
  FUZZ_CHECK(s.ePType <= P_CHAN_LIST);
  const SText& t = s.uVal.sText;
  switch (s.ePType) {
    case P_NUM:
      FUZZ_CHECK(s.uVal.sNum.ucExp <= MAX_EXPONENT);
      FUZZ_CHECK((s.uVal.sNum.ucNumFlags & ~NUM_FLAG_BITS) == 0);
      if (!bListEntry) FUZZ_CHECK(s.uVal.sNum.eUnits < U_END);
      break;
    case P_BOOL:
      FUZZ_CHECK(s.uVal.bVal <= 1);
      break;
    case P_STR:  // the quotes stand just outside the span
      FUZZ_CHECK(t.cDelimiter == '"' || t.cDelimiter == '\'');
      FUZZ_CHECK(sLine.Holds(t.pSText - 1, t.ucLen + 2u));
      FUZZ_CHECK(t.pSText[-1] == t.cDelimiter && t.pSText[t.ucLen] == t.cDelimiter);
      break;
    case P_UNQ_STR:
      FUZZ_CHECK(t.cDelimiter == 0 && sLine.Holds(t.pSText, t.ucLen));
      break;
    case P_EXPR:  // the brackets are inside the span
      FUZZ_CHECK(t.cDelimiter == 0 && t.ucLen >= 2 && sLine.Holds(t.pSText, t.ucLen));
      FUZZ_CHECK(t.pSText[0] == '(' && t.pSText[t.ucLen - 1] == ')');
      break;
    case P_NUM_LIST:
      FUZZ_CHECK(t.cDelimiter == 0 && t.ucLen >= 1 && sLine.Holds(t.pSText - 1, t.ucLen + 2u));
      FUZZ_CHECK(t.pSText[-1] == '(' && t.pSText[t.ucLen] == ')');
      break;
    case P_CHAN_LIST:
      FUZZ_CHECK(t.cDelimiter == 0 && t.ucLen >= 1 && sLine.Holds(t.pSText - 2, t.ucLen + 3u));
      FUZZ_CHECK(t.pSText[-2] == '(' && t.pSText[-1] == '@' && t.pSText[t.ucLen] == ')');
      break;
    default:
      break;
  }
}

// A number times 10^ucDecimals, halves rounded away from zero, in 128-bit integers; false when
// the result leaves the int32_t range.
bool ScaledReference(const SNum& n, uint8_t ucDecimals, int64_t* pllVal) {
  constexpr int MOST_DIGITS = 30;  // 10^30 fits in 128 bits and is far above any mantissa
  const int iPower = ucDecimals + ((n.ucNumFlags & NUM_EXP_NEG) ? -n.ucExp : n.ucExp);
  unsigned __int128 uMag = n.ulMant;
  if (iPower >= 0) {
    for (int i = 0; i < iPower && uMag <= UINT32_MAX; i++) uMag *= 10;  // stops once too big
  } else if (-iPower > MOST_DIGITS) {
    uMag = 0;
  } else {
    unsigned __int128 uDivisor = 1;
    for (int i = 0; i < -iPower; i++) uDivisor *= 10;
    uMag = (uMag + uDivisor / 2) / uDivisor;
  }
  const bool bNeg = (n.ucNumFlags & NUM_NEG) != 0;
  if (uMag > MAX_LONG + (bNeg ? 1u : 0u)) return false;
  *pllVal = bNeg ? -static_cast<int64_t>(uMag) : static_cast<int64_t>(uMag);
  return true;
}

// Every scalar accessor on one record.
void ReadScalars(const SParam& s, const Line& sLine, Transcript& sOut) {
  const EPType e = s.ePType;
  const bool bNum = e == P_NUM;
  const SNum& n = s.uVal.sNum;

  EPType eType = SENTINEL;
  ENumSubtype eSub = SENTINEL;
  uint8_t c = SCPI_ParamType(&s, &eType, &eSub);
  AfterCall(c, true);
  FUZZ_CHECK(c == SCPI_ERR_OK && eType == e);
  if (bNum) {
    const unsigned uSub = ((n.ucNumFlags & NUM_NEG) ? unsigned{NUM_SUB_NEG} : 0u) |
                          ((n.ucNumFlags & NUM_EXP_NEG) ? unsigned{NUM_SUB_REAL} : 0u);
    FUZZ_CHECK(eSub == uSub);
  } else {
    FUZZ_CHECK(eSub == SENTINEL);
  }

  EUnits eUnits = SENTINEL;
  c = SCPI_ParamUnits(&s, &eUnits);
  AfterCall(c, false);
  FUZZ_CHECK(bNum ? c == SCPI_ERR_OK && eUnits == n.eUnits
                  : c == SCPI_ERR_PARAM_TYPE && eUnits == SENTINEL);

  uint8_t ucItem = SENTINEL;
  c = SCPI_ParamToCharDataItem(&s, &ucItem);
  AfterCall(c, false);
  FUZZ_CHECK(e == P_CH_DAT ? c == SCPI_ERR_OK && ucItem == s.uVal.ucItemNum
                           : c == SCPI_ERR_PARAM_TYPE && ucItem == SENTINEL);
  sOut.Note(ucItem);

  uint8_t bVal = SENTINEL;
  c = SCPI_ParamToBOOL(&s, &bVal);
  AfterCall(c, false);
  FUZZ_CHECK(e == P_BOOL ? c == SCPI_ERR_OK && bVal == s.uVal.bVal
                         : c == SCPI_ERR_PARAM_TYPE && bVal == SENTINEL);
  sOut.Note(bVal);

  uint32_t ulVal = SENTINEL32;
  const uint8_t cUl = SCPI_ParamToUnsignedLong(&s, &ulVal);
  AfterCall(cUl, false);
  FUZZ_CHECK(bNum ? cUl == SCPI_ERR_OK || cUl == SCPI_ERR_PARAM_OVERFLOW
                  : cUl == SCPI_ERR_PARAM_TYPE && ulVal == SENTINEL32);
  sOut.Note(cUl);
  sOut.Note(ulVal);

  unsigned int uiVal = SENTINEL32;
  c = SCPI_ParamToUnsignedInt(&s, &uiVal);
  AfterCall(c, false);
  FUZZ_CHECK(c == cUl && (cUl != SCPI_ERR_OK || uiVal == ulVal));

  // The signed forms: the magnitude's code, then the 31-bit limit for either sign.
  const bool bLongFits = cUl == SCPI_ERR_OK && ulVal <= MAX_LONG;
  const int32_t lExpected = (n.ucNumFlags & NUM_NEG) ? -static_cast<int32_t>(ulVal & MAX_LONG)
                                                     : static_cast<int32_t>(ulVal & MAX_LONG);
  int32_t lVal = static_cast<int32_t>(SENTINEL32);
  c = SCPI_ParamToLong(&s, &lVal);
  AfterCall(c, false);
  if (!bNum || cUl != SCPI_ERR_OK) {
    FUZZ_CHECK(c == cUl && lVal == static_cast<int32_t>(SENTINEL32));
  } else {
    FUZZ_CHECK(bLongFits ? c == SCPI_ERR_OK && lVal == lExpected
                         : c == SCPI_ERR_PARAM_OVERFLOW && lVal == static_cast<int32_t>(SENTINEL32));
  }
  sOut.Note(c);
  sOut.Note(lVal);

  int iVal = static_cast<int>(SENTINEL32);
  const uint8_t cInt = SCPI_ParamToInt(&s, &iVal);
  AfterCall(cInt, false);
  FUZZ_CHECK(cInt == c && iVal == lVal);

  for (const uint8_t ucDecimals : {0, 3, 9}) {
    int32_t lScaled = static_cast<int32_t>(SENTINEL32);
    const uint8_t cScaled = SCPI_ParamToScaledLong(&s, ucDecimals, &lScaled);
    AfterCall(cScaled, false);
    int64_t llExpected = 0;
    if (!bNum) {
      FUZZ_CHECK(cScaled == SCPI_ERR_PARAM_TYPE && lScaled == static_cast<int32_t>(SENTINEL32));
    } else if (ScaledReference(n, ucDecimals, &llExpected)) {
      FUZZ_CHECK(cScaled == SCPI_ERR_OK && lScaled == llExpected);
    } else {
      FUZZ_CHECK(cScaled == SCPI_ERR_PARAM_OVERFLOW &&
                 lScaled == static_cast<int32_t>(SENTINEL32));
    }
  }

  double fdVal = -1.5;
  c = SCPI_ParamToDouble(&s, &fdVal);
  AfterCall(c, false);
  if (bNum) {
    FUZZ_CHECK(c == SCPI_ERR_OK && std::isfinite(fdVal));
    FUZZ_CHECK((fdVal == 0) == (n.ulMant == 0));
    FUZZ_CHECK(std::signbit(fdVal) == (n.ulMant != 0 && (n.ucNumFlags & NUM_NEG) != 0));
    // Both conversions cut the fraction off; the double is near enough to agree on the
    // whole part, and is at least 2^32 exactly when the unsigned conversion overflows.
    const double fdMag = std::fabs(fdVal);
    if (cUl == SCPI_ERR_OK) {
      FUZZ_CHECK(fdMag < TWO_POW_32 && static_cast<uint32_t>(fdMag) == ulVal);
    } else {
      FUZZ_CHECK(fdMag >= TWO_POW_32);
    }
  } else {
    FUZZ_CHECK(c == SCPI_ERR_PARAM_TYPE && fdVal == -1.5);
  }
  uint64_t ullBits;
  std::memcpy(&ullBits, &fdVal, sizeof ullBits);
  sOut.Note(ullBits);

  static const char cOutside = 0;
  const char* pText = &cOutside;
  uint8_t ucLen = SENTINEL;
  char cDelim = static_cast<char>(SENTINEL);
  c = SCPI_ParamToString(&s, &pText, &ucLen, &cDelim);
  AfterCall(c, false);
  if (IsTextType(e)) {
    FUZZ_CHECK(c == SCPI_ERR_OK && pText == s.uVal.sText.pSText && ucLen == s.uVal.sText.ucLen &&
               cDelim == s.uVal.sText.cDelimiter && sLine.Holds(pText, ucLen));
    sOut.Note(sLine.Offset(pText));
    sOut.Note(ucLen);
    sOut.Note(cDelim);
  } else {
    FUZZ_CHECK(c == SCPI_ERR_PARAM_TYPE && pText == &cOutside && ucLen == SENTINEL &&
               cDelim == static_cast<char>(SENTINEL));
  }
}

// ---- Lists ----

// The shape of entry ucIndex of a checked list body: entries lie between commas, a range's ends
// are split by ':' and a channel's dimensions by '!'.
struct EntryShape {
  bool bFound;
  bool bRange;
  unsigned uDims;  // of the last end
};

EntryShape ShapeOf(const SText& t, unsigned uIndex) {
  EntryShape sShape = {false, false, 1};
  unsigned uPos = 0;
  for (unsigned uCommas = 0; uCommas < uIndex && uPos < t.ucLen; ++uPos) {
    if (t.pSText[uPos] == ',') ++uCommas;
  }
  if (uPos >= t.ucLen) return sShape;
  sShape.bFound = true;
  for (; uPos < t.ucLen && t.pSText[uPos] != ','; ++uPos) {
    if (t.pSText[uPos] == ':') {
      sShape.bRange = true;
      sShape.uDims = 1;
    } else if (t.pSText[uPos] == '!') {
      ++sShape.uDims;
    }
  }
  return sShape;
}

void ReadNumEntry(const SParam& s, uint8_t ucIndex, const Line& sLine, Transcript& sOut) {
  uint8_t bRange = SENTINEL;
  SParam sFirst = SentinelRecord();
  SParam sLast = SentinelRecord();
  const uint8_t c = SCPI_GetNumListEntry(&s, ucIndex, &bRange, &sFirst, &sLast);
  AfterCall(c, true);
  sOut.Note(c);
  const EntryShape sShape =
      s.ePType == P_NUM_LIST ? ShapeOf(s.uVal.sText, ucIndex) : EntryShape{false, false, 0};
  if (s.ePType != P_NUM_LIST || !sShape.bFound) {
    FUZZ_CHECK(c == (s.ePType != P_NUM_LIST ? SCPI_ERR_PARAM_TYPE : SCPI_ERR_NO_ENTRY));
    FUZZ_CHECK(bRange == SENTINEL && sFirst.ePType == SENTINEL && sLast.ePType == SENTINEL);
    return;
  }
  // Every entry of a list the parser accepted can be read.
  FUZZ_CHECK(c == SCPI_ERR_OK && bRange == sShape.bRange && sFirst.ePType == P_NUM);
  FUZZ_CHECK(sLast.ePType == (sShape.bRange ? uint8_t{P_NUM} : SENTINEL));
  CheckShape(sFirst, sLine, true);
  ReadScalars(sFirst, sLine, sOut);
  if (sShape.bRange) {
    CheckShape(sLast, sLine, true);
    ReadScalars(sLast, sLine, sOut);
  }
}

void ReadChanEntry(const SParam& s, uint8_t ucIndex, uint8_t ucCapacity, const Line& sLine,
                   Transcript& sOut) {
  // Arrays of exactly the capacity, so a sanitizer sees any write beyond it.
  std::vector<SParam> vFirst(ucCapacity, SentinelRecord());
  std::vector<SParam> vLast(ucCapacity, SentinelRecord());
  uint8_t ucDims = ucCapacity;
  uint8_t bRange = SENTINEL;
  const uint8_t c =
      SCPI_GetChanListEntry(&s, ucIndex, &ucDims, &bRange, vFirst.data(), vLast.data());
  AfterCall(c, true);
  sOut.Note(c);
  sOut.Note(ucDims);
  const EntryShape sShape =
      s.ePType == P_CHAN_LIST ? ShapeOf(s.uVal.sText, ucIndex) : EntryShape{false, false, 0};
  if (s.ePType != P_CHAN_LIST || !sShape.bFound) {
    FUZZ_CHECK(c == (s.ePType != P_CHAN_LIST ? SCPI_ERR_PARAM_TYPE : SCPI_ERR_NO_ENTRY));
    FUZZ_CHECK(ucDims == ucCapacity && bRange == SENTINEL);
    for (unsigned i = 0; i < ucCapacity; ++i) {
      FUZZ_CHECK(vFirst[i].ePType == SENTINEL && vLast[i].ePType == SENTINEL);
    }
    return;
  }
  if (sShape.uDims > ucCapacity) {
    // Both ends of a checked range have the same dimensions, so the first end overflows.
    FUZZ_CHECK(c == SCPI_ERR_TOO_MANY_DIMS && ucDims == ucCapacity + 1u && bRange == 0);
    for (unsigned i = 0; i < ucCapacity; ++i) {
      FUZZ_CHECK(vFirst[i].ePType == P_NUM && vLast[i].ePType == SENTINEL);
    }
    return;
  }
  FUZZ_CHECK(c == SCPI_ERR_OK && ucDims == sShape.uDims && bRange == sShape.bRange);
  for (unsigned i = 0; i < ucCapacity; ++i) {
    const bool bUsed = i < sShape.uDims;
    FUZZ_CHECK(vFirst[i].ePType == (bUsed ? uint8_t{P_NUM} : SENTINEL));
    FUZZ_CHECK(vLast[i].ePType == (bUsed && sShape.bRange ? uint8_t{P_NUM} : SENTINEL));
    if (vFirst[i].ePType == P_NUM) {
      CheckShape(vFirst[i], sLine, true);
      ReadScalars(vFirst[i], sLine, sOut);
    }
    if (vLast[i].ePType == P_NUM) {
      CheckShape(vLast[i], sLine, true);
      ReadScalars(vLast[i], sLine, sOut);
    }
  }
}

unsigned EntryCount(const SParam& s) {
  if (s.ePType != P_NUM_LIST && s.ePType != P_CHAN_LIST) return 0;
  unsigned uEntries = 1;
  for (unsigned i = 0; i < s.uVal.sText.ucLen; ++i) uEntries += s.uVal.sText.pSText[i] == ',';
  return uEntries;
}

// Both list accessors on any record: every entry, the two indices after the last, and 255.
void ReadLists(const SParam& s, const Line& sLine, Transcript& sOut) {
  std::vector<unsigned> vIndices;
  for (unsigned i = 0; i < EntryCount(s) + 2 && i < FAR_INDEX; ++i) vIndices.push_back(i);
  vIndices.push_back(FAR_INDEX);
  for (const unsigned uIndex : vIndices) {
    const uint8_t ucIndex = static_cast<uint8_t>(uIndex);
    ReadNumEntry(s, ucIndex, sLine, sOut);
    const EntryShape sShape =
        s.ePType == P_CHAN_LIST ? ShapeOf(s.uVal.sText, uIndex) : EntryShape{false, false, 0};
    for (const uint8_t ucCapacity : CHAN_CAPACITIES) {
      ReadChanEntry(s, ucIndex, ucCapacity, sLine, sOut);
    }
    if (sShape.bFound && sShape.uDims < FAR_INDEX) {
      ReadChanEntry(s, ucIndex, static_cast<uint8_t>(sShape.uDims), sLine, sOut);
    }
  }
}

// ---- One line ----

void ReadCommand(uint8_t ucCmd, const SParam sParam[], uint8_t ucSufCnt, const uint32_t uiSuf[],
                 const Line& sLine, Transcript& sOut) {
  static const unsigned uTableSize = TableSize();
  FUZZ_CHECK(ucCmd < uTableSize);
  FUZZ_CHECK(ucSufCnt <= MAX_NUM_SUFFIX);
  sOut.Note(ucCmd);
  sOut.Note(ucSufCnt);
  for (unsigned i = 0; i < ucSufCnt; ++i) {
    FUZZ_CHECK(uiSuf[i] >= 1 && uiSuf[i] <= MAX_SUFFIX);
    sOut.Note(uiSuf[i]);
  }
  for (unsigned i = 0; i < MAX_PARAMS; ++i) {
    sOut.Note(sParam[i].ePType);
    CheckShape(sParam[i], sLine, false);
    ReadScalars(sParam[i], sLine, sOut);
    ReadLists(sParam[i], sLine, sOut);
  }
}

// Takes the line through SCPI_Parse, or through SCPI_ParseCtx on psCtx with the line's end.
uint8_t ParseNext(SScpiContext* psCtx, const Line& sLine, const char** ppPos, uint8_t bResetTree,
                  uint8_t* pucCmd, SParam sParam[], uint8_t* pucSufCnt, uint32_t uiSuf[]) {
  if (psCtx == nullptr) return SCPI_Parse(ppPos, bResetTree, pucCmd, sParam, pucSufCnt, uiSuf);
  return SCPI_ParseCtx(psCtx, ppPos, sLine.pEnd, bResetTree, pucCmd, sParam, pucSufCnt, uiSuf);
}

void RunLine(const Line& sLine, Transcript& sOut, SScpiContext* psCtx = nullptr) {
  const char* pPos = sLine.pBegin;
  uint8_t bResetTree = 1;
  // Every call but the last takes at least one character.
  const size_t uMaxCalls = static_cast<size_t>(sLine.pEnd - sLine.pBegin) + 1;
  for (size_t uCalls = 1;; ++uCalls) {
    FUZZ_CHECK(uCalls <= uMaxCalls);
    uint8_t ucCmd = SENTINEL;
    uint8_t ucSufCnt = SENTINEL;
    SParam sParam[MAX_PARAMS] = {SentinelRecord(), SentinelRecord()};
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    const char* const pBefore = pPos;
    const uint8_t c =
        ParseNext(psCtx, sLine, &pPos, bResetTree, &ucCmd, sParam, &ucSufCnt, uiSuf);
    AfterCall(c, true);
    bResetTree = 0;
    FUZZ_CHECK(IsParseCode(c));
    FUZZ_CHECK(sLine.Holds(pPos, 0) && pPos >= pBefore);
    FUZZ_CHECK(pPos == sLine.pEnd || *pPos == ';');
    sOut.Note(c);
    sOut.Note(sLine.Offset(pPos));
    if (c == SCPI_ERR_NO_COMMAND) {
      FUZZ_CHECK(pPos == sLine.pEnd);
      break;
    }
    FUZZ_CHECK(pPos > pBefore);
    if (c == SCPI_ERR_OK) ReadCommand(ucCmd, sParam, ucSufCnt, uiSuf, sLine, sOut);
  }
  // A line used up stays used up.
  uint8_t ucCmd, ucSufCnt;
  SParam sParam[MAX_PARAMS];
  uint32_t uiSuf[MAX_NUM_SUFFIX];
  const uint8_t c = ParseNext(psCtx, sLine, &pPos, 0, &ucCmd, sParam, &ucSufCnt, uiSuf);
  AfterCall(c, true);
  FUZZ_CHECK(c == SCPI_ERR_NO_COMMAND && pPos == sLine.pEnd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize) {
  // An empty input may come without any buffer at all.
  static const char cEmpty = '\0';
  const char* const pBytes = uSize == 0 ? &cEmpty : reinterpret_cast<const char*>(pData);
  const size_t uLen = strnlen(pBytes, uSize);
  // An exact-size copy, so a sanitizer sees any read past the terminating NUL.
  char* const pCopy = static_cast<char*>(std::malloc(uLen + 1));
  std::memcpy(pCopy, pBytes, uLen);
  pCopy[uLen] = '\0';
  const Line sLine = {pCopy, pCopy + uLen};

  Transcript sPlain;
  RunLine(sLine, sPlain);
  Transcript sTraced;
  {
#if SCPI_TRACE
    TraceCheck sTrace;
    gpTrace = &sTrace;
    RunLine(sLine, sTraced);
    gpTrace = nullptr;
#else
    RunLine(sLine, sTraced);
#endif
  }
  FUZZ_CHECK(sPlain.Bytes() == sTraced.Bytes());
  FUZZ_CHECK(std::memcmp(pCopy, pBytes, uLen) == 0);
  std::free(pCopy);

  // Through contexts, on a copy whose end is given instead of a NUL.
  char* const pBare = static_cast<char*>(std::malloc(uLen == 0 ? 1 : uLen));
  std::memcpy(pBare, pBytes, uLen);
  const Line sBare = {pBare, pBare + uLen};
  for (uint8_t ucRules : {SCPI_RULES_LIBRARY, SCPI_RULES_STANDARD}) {
    SScpiContext sCtx;
    FUZZ_CHECK(SCPI_ContextInit(&sCtx, &DemoCommandTable, ucRules) == SCPI_ERR_OK);
    Transcript sContext;
    RunLine(sBare, sContext, &sCtx);
    if (ucRules == (SCPI_STANDARD_RULES ? SCPI_RULES_STANDARD : SCPI_RULES_LIBRARY)) {
      FUZZ_CHECK(sContext.Bytes() == sPlain.Bytes());
    }
  }
  std::free(pBare);
  return 0;
}
