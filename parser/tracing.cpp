// SPDX-License-Identifier: MIT
// The public SCPI_ functions: traced wrappers around the untraced workers.
//
// A call from outside the library is announced by a call line (level 3); the worker then runs
// with ucTraceNesting raised, so the library's calls to its own public functions stay silent;
// a return-code line and, where the function has one, a return-values line (level 4) follow,
// showing the caller's variables as they stand after the call.
// Lines reach the host in pieces through the installed STraceSink; nothing is built while no
// sink is installed, and with SCPI_TRACE 0 the wrappers only forward.
#include "scpi_internal.h"

namespace {

// Layout of the return-code line. Some accessors report their wrong-type return in a tabbed
// form of their own; every other return of every function uses the standard form.
enum ERcForm : uint8_t {
  RC_STANDARD,   // "Return Code:     40 /*text*/"
  RC_TABS,       // "Return Code:\t\t\t40 /*text*/"
  RC_TABS_UNITS  // "Return Code:\t\t\t 40\t /*text*/"
};

#if SCPI_TRACE

STraceSink sSink;
bool bSinkInstalled = false;

constexpr uint8_t LEVEL_CALL = 3;
constexpr uint8_t LEVEL_RESULT = 4;
constexpr uint16_t MAX_PIECE = 0xFFFFu;
constexpr unsigned DIGITS_U32 = 10;
// SCPI_Parse quotes the rest of the line twice per command, which would make the trace of a long
// line grow with the square of its length; a longer rest is cut here and marked as cut.
constexpr unsigned long MAX_QUOTED_REST = 400;
constexpr char CUT_MARK[] = "...";

// The lines of a call are wanted when a host listens and the call comes from outside.
bool Listening() { return bSinkInstalled && ucTraceNesting == 0; }
void Raise() { ++ucTraceNesting; }
void Lower() { --ucTraceNesting; }

void Text(const char* pText, unsigned long ulLen) {
  // The rest of an input line may be longer than one piece can carry.
  while (ulLen > 0) {
    const uint16_t uiPiece = ulLen > MAX_PIECE ? MAX_PIECE : static_cast<uint16_t>(ulLen);
    sSink.pfnText(sSink.pCtx, pText, uiPiece);
    pText += uiPiece;
    ulLen -= uiPiece;
  }
}

void Text(const char* pText) {
  unsigned long ulLen = 0;
  if (pText != nullptr) {
    while (pText[ulLen] != '\0') ++ulLen;
  }
  Text(pText, ulLen);
}

void Unsigned(uint32_t ulVal) {
  char acDigits[DIGITS_U32];
  unsigned uPos = DIGITS_U32;
  do {
    acDigits[--uPos] = static_cast<char>('0' + ulVal % 10);
    ulVal /= 10;
  } while (ulVal != 0);
  Text(acDigits + uPos, DIGITS_U32 - uPos);
}

void Signed(int32_t lVal) {
  uint32_t ulMag = static_cast<uint32_t>(lVal);
  if (lVal < 0) {
    Text("-", 1);
    ulMag = 0u - ulMag;
  }
  Unsigned(ulMag);
}

void Real(double fdVal) {
  if (sSink.pfnReal != nullptr) sSink.pfnReal(sSink.pCtx, fdVal);
}

void EndLine(uint8_t ucLevel) { sSink.pfnEndLine(sSink.pCtx, ucLevel); }

// The text from a read position to the end of the input, between quote marks; a rest longer
// than MAX_QUOTED_REST shows its start and the cut mark. Nothing beyond the cut is read.
void QuotedRest(const char* const* pSInput, const char* pSEnd = nullptr) {
  Text("\"", 1);
  const char* pRest = pSInput != nullptr ? *pSInput : nullptr;
  if (pRest != nullptr && (pSEnd == nullptr || pSEnd >= pRest)) {
    unsigned long ulLen = 0;
    while (ulLen <= MAX_QUOTED_REST && pRest + ulLen != pSEnd && pRest[ulLen] != '\0') ++ulLen;
    if (ulLen > MAX_QUOTED_REST) {
      Text(pRest, MAX_QUOTED_REST);
      Text(CUT_MARK, sizeof(CUT_MARK) - 1);
    } else {
      Text(pRest, ulLen);
    }
  }
  Text("\"", 1);
}

// The first bytes of a block between quote marks, escaped, and the cut mark when there are more.
void BlockPreview(const uint8_t* pucData, uint32_t ulLen) {
  Text("\"", 1);
  const uint32_t ulShown = ulLen < SCPI_BLOCK_PREVIEW_BYTES ? ulLen : SCPI_BLOCK_PREVIEW_BYTES;
  for (uint32_t ul = 0; ul < ulShown; ++ul) {
    char acByte[4];
    Text(acByte, SCPI_EscapeBlockByte(pucData[ul], acByte));
  }
  Text("\"", 1);
  if (ulShown < ulLen) Text(CUT_MARK, sizeof(CUT_MARK) - 1);
}

// "<number> /*<name>*/": a number with its display name beside it.
void Named(uint8_t ucVal, const char* pName) {
  Unsigned(ucVal);
  Text(" /*");
  Text(pName);
  Text("*/");
}

const char* CodeText(uint8_t ucCode) {
  return sSink.pfnErrorCodeText != nullptr ? sSink.pfnErrorCodeText(ucCode) : nullptr;
}
const char* TypeText(EPType ePType) {
  return sSink.pfnPTypeText != nullptr ? sSink.pfnPTypeText(ePType) : nullptr;
}
const char* SubtypeText(ENumSubtype eSubtype) {
  return sSink.pfnNumSubtypeText != nullptr ? sSink.pfnNumSubtypeText(eSubtype) : nullptr;
}

#else  // !SCPI_TRACE: every helper vanishes, the wrappers only forward.

constexpr uint8_t LEVEL_CALL = 3;
constexpr uint8_t LEVEL_RESULT = 4;
inline bool Listening() { return false; }
inline void Raise() {}
inline void Lower() {}
inline void Text(const char*, unsigned long) {}
inline void Text(const char*) {}
inline void Unsigned(uint32_t) {}
inline void Signed(int32_t) {}
inline void Real(double) {}
inline void EndLine(uint8_t) {}
inline void QuotedRest(const char* const*, const char* = nullptr) {}
inline void BlockPreview(const uint8_t*, uint32_t) {}
inline void Named(uint8_t, const char*) {}
inline const char* CodeText(uint8_t) { return nullptr; }
inline const char* TypeText(EPType) { return nullptr; }
inline const char* SubtypeText(ENumSubtype) { return nullptr; }

#endif  // SCPI_TRACE

// Announces a call whose call line is one fixed text, then raises the nesting count.
bool Enter(const char* pCallLine) {
  const bool bTrace = Listening();
  if (bTrace) {
    Text(pCallLine);
    EndLine(LEVEL_CALL);
  }
  Raise();
  return bTrace;
}

// Lowers the nesting count (on every way out, before any result line) and writes the
// return-code line. Returns the code.
uint8_t Leave(bool bTrace, uint8_t ucCode, ERcForm eForm) {
  Lower();
  if (bTrace) {
    if (ucCode != SCPI_ERR_PARAM_TYPE) eForm = RC_STANDARD;
    Text(eForm == RC_STANDARD ? "Return Code:     "
         : eForm == RC_TABS   ? "Return Code:\t\t\t"
                              : "Return Code:\t\t\t ");
    Unsigned(ucCode);
    if (eForm == RC_TABS_UNITS) Text("\t", 1);
    Text(" /*");
    Text(CodeText(ucCode));
    Text("*/");
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

// The return-values lines of the scalar accessors, written on success only.
void UnsignedResult(const char* pLabel, uint32_t ulVal) {
  Text(pLabel);
  Unsigned(ulVal);
  EndLine(LEVEL_RESULT);
}

void SignedResult(const char* pLabel, int32_t lVal) {
  Text(pLabel);
  Signed(lVal);
  EndLine(LEVEL_RESULT);
}

}  // namespace

#if SCPI_TRACE
uint8_t ucTraceNesting = 0;

void SCPI_SetTraceSink(const STraceSink* psSink) {
  bSinkInstalled = psSink != nullptr && psSink->pfnText != nullptr && psSink->pfnEndLine != nullptr;
  if (bSinkInstalled) sSink = *psSink;
}
#endif

namespace scpi {

// The argument names in the trace lines are those of the function traced.
uint8_t TracedParse(bool bContext, SScpiContext* psCtx, const char** ppSInput, const char* pSEnd,
                    uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
                    uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  const bool bTrace = Listening();
  if (bTrace) {
    Text(bContext ? "SCPI_ParseCtx( *psCtx, [in/out]*ppSInput=" : "SCPI_Parse( [in/out]*pSInput=");
    QuotedRest(ppSInput, pSEnd);
    Text(", bResetTree=");
    Unsigned(bResetTree);
    Text(bContext ? ", [out]*pucCmdSpecNum, [out]sParam[], [out]*pucNumSufCnt, [out]uiNumSuf[])"
                  : ", [out]*pCmdSpecNum, [out]sParam[], [out]*pNumSufCnt, [out]uiNumSuf[])");
    EndLine(LEVEL_CALL);
  }
  Raise();
  const uint8_t ucFlags = bResetTree != 0 ? PARSE_RESET_TREE : 0;
  const uint8_t ucCode = Leave(
      bTrace, Parse(psCtx, ppSInput, pSEnd, ucFlags, pCmdSpecNum, sParam, pNumSufCnt, uiNumSuf),
      RC_STANDARD);
  if (bTrace) {
    Text(bContext ? "Return Params: *ppSInput=" : "Return Params: *pSInput=");
    QuotedRest(ppSInput, pSEnd);
    Text(bContext ? ", *pucCmdSpecNum=" : ", *pCmdSpecNum=");
    Unsigned(*pCmdSpecNum);
    Text(bContext ? ", sParam[]={..}, *pucNumSufCnt=" : ", sParam[]={..}, *pNumSufCnt=");
    Unsigned(*pNumSufCnt);
    Text(", uiNumSuf[]={..}");
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

}  // namespace scpi

uint8_t SCPI_ContextInit(SScpiContext* psCtx, const SScpiTable* psTable, uint8_t ucRules) {
  return scpi::ContextInit(psCtx, psTable, ucRules);
}

uint8_t SCPI_ParseCtx(SScpiContext* psCtx, const char** ppSInput, const char* pSEnd,
                      uint8_t bResetTree, uint8_t* pucCmdSpecNum, SParam sParam[],
                      uint8_t* pucNumSufCnt, uint32_t uiNumSuf[]) {
  return scpi::TracedParse(true, psCtx, ppSInput, pSEnd, bResetTree, pucCmdSpecNum, sParam,
                           pucNumSufCnt, uiNumSuf);
}

uint8_t SCPI_ParamType(const SParam* psParam, EPType* pePType, ENumSubtype* pNumSubtype) {
  const bool bTrace = Enter("SCPI_ParamType( *psParam={..}, [out]*pePType, [out]*pNumSubtype )");
  const uint8_t ucCode =
      Leave(bTrace, scpi::ParamType(psParam, pePType, pNumSubtype), RC_STANDARD);
  if (bTrace) {
    // The subtype is shown as the caller's variable holds it, also when it was not written.
    Text("Return Params: *pePType=");
    Named(*pePType, TypeText(*pePType));
    Text(", *pNumSubtype=");
    Named(*pNumSubtype, SubtypeText(*pNumSubtype));
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

uint8_t SCPI_ParamUnits(const SParam* psParam, EUnits* peUnits) {
  const bool bTrace = Enter("SCPI_ParamUnits( *psParam={..}, [out]*peUnits)");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamUnits(psParam, peUnits), RC_TABS_UNITS);
  if (bTrace && ucCode == SCPI_ERR_OK) UnsignedResult("Return Params: *peUnits=", *peUnits);
  return ucCode;
}

uint8_t SCPI_ParamToCharDataItem(const SParam* psParam, uint8_t* pItemNum) {
  const bool bTrace = Enter("SCPI_ParamToCharDataItem( *psParam={..}, [out]*pItemNum )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToCharDataItem(psParam, pItemNum), RC_TABS);
  if (bTrace && ucCode == SCPI_ERR_OK) UnsignedResult("Return Params: *pItemNum=", *pItemNum);
  return ucCode;
}

uint8_t SCPI_ParamToBOOL(const SParam* psParam, uint8_t* pbVal) {
  const bool bTrace = Enter("SCPI_ParamToBOOL( *psParam={..}, [out]*pbVal )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToBOOL(psParam, pbVal), RC_TABS);
  if (bTrace && ucCode == SCPI_ERR_OK) UnsignedResult("Return Params: *pbVal=", *pbVal);
  return ucCode;
}

uint8_t SCPI_ParamToUnsignedLong(const SParam* psParam, uint32_t* pulVal) {
  const bool bTrace = Enter("SCPI_ParamToUnsignedLong( *psParam={..}, [out]*pulVal )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToUnsignedLong(psParam, pulVal), RC_STANDARD);
  if (bTrace && ucCode == SCPI_ERR_OK) UnsignedResult("Return Params: *pulVal=", *pulVal);
  return ucCode;
}

uint8_t SCPI_ParamToLong(const SParam* psParam, int32_t* plVal) {
  const bool bTrace = Enter("SCPI_ParamToLong( *psParam={..}, [out]*plVal )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToLong(psParam, plVal), RC_STANDARD);
  if (bTrace && ucCode == SCPI_ERR_OK) SignedResult("Return Params: *plVal=", *plVal);
  return ucCode;
}

uint8_t SCPI_ParamToScaledLong(const SParam* psParam, uint8_t ucDecimals, int32_t* plVal) {
  const bool bTrace = Listening();
  if (bTrace) {
    Text("SCPI_ParamToScaledLong( *psParam={..}, ucDecimals=");
    Unsigned(ucDecimals);
    Text(", [out]*plVal )");
    EndLine(LEVEL_CALL);
  }
  Raise();
  const uint8_t ucCode =
      Leave(bTrace, scpi::ParamToScaledLong(psParam, ucDecimals, plVal), RC_STANDARD);
  if (bTrace && ucCode == SCPI_ERR_OK) SignedResult("Return Params: *plVal=", *plVal);
  return ucCode;
}

uint8_t SCPI_ParamToUnsignedInt(const SParam* psParam, unsigned int* puiVal) {
  const bool bTrace = Enter("SCPI_ParamToUnsignedInt( *psParam={..}, [out]*puiVal )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToUnsignedInt(psParam, puiVal), RC_STANDARD);
  if (bTrace && ucCode == SCPI_ERR_OK) UnsignedResult("Return Params: *puiVal=", *puiVal);
  return ucCode;
}

uint8_t SCPI_ParamToInt(const SParam* psParam, int* piVal) {
  const bool bTrace = Enter("SCPI_ParamToInt( [in]*psParam={..}, [out]*piVal )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToInt(psParam, piVal), RC_STANDARD);
  if (bTrace && ucCode == SCPI_ERR_OK) SignedResult("Return Params: *piVal=", *piVal);
  return ucCode;
}

uint8_t SCPI_ParamToDouble(const SParam* psParam, double* pfdVal) {
  const bool bTrace = Enter("SCPI_ParamToDouble( *psParam={..}, [out]*pfdVal )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToDouble(psParam, pfdVal), RC_TABS);
  if (bTrace && ucCode == SCPI_ERR_OK) {
    Text("Return Params: *pfdVal=");
    Real(*pfdVal);
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

uint8_t SCPI_ParamToString(const SParam* psParam, const char** pSString, uint8_t* pLen,
                           char* pDelimiter) {
  const bool bTrace = Enter("SCPI_ParamToString( *psParam={..}, [out]**pSString, [out]*pLen )");
  const uint8_t ucCode =
      Leave(bTrace, scpi::ParamToString(psParam, pSString, pLen, pDelimiter), RC_TABS);
  if (bTrace && ucCode == SCPI_ERR_OK) {
    Text("Return Params: *pSString=\"");
    Text(*pSString, *pLen);
    Text("\", *pLen=");
    Unsigned(*pLen);
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

uint8_t SCPI_ParamToBlock(const SParam* psParam, const uint8_t** ppData, uint32_t* pulLen) {
  const bool bTrace = Enter("SCPI_ParamToBlock( *psParam={..}, [out]**ppData, [out]*pulLen )");
  const uint8_t ucCode = Leave(bTrace, scpi::ParamToBlock(psParam, ppData, pulLen), RC_STANDARD);
  if (bTrace && ucCode == SCPI_ERR_OK) {
    Text("Return Params: *ppData=");
    BlockPreview(*ppData, *pulLen);
    Text(", *pulLen=");
    Unsigned(*pulLen);
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

uint8_t SCPI_GetNumListEntry(const SParam* psParam, uint8_t Index, uint8_t* pbRange,
                             SParam* psFirst, SParam* psLast) {
  const bool bTrace = Listening();
  if (bTrace) {
    Text("SCPI_GetNumListEntry( *psParam={..}, Index=");
    Unsigned(Index);
    Text(", [out]*pbRange, [out]*psFirst={..}, [out]*psLast={..} )");
    EndLine(LEVEL_CALL);
  }
  Raise();
  const uint8_t ucCode =
      Leave(bTrace, scpi::GetNumListEntry(psParam, Index, pbRange, psFirst, psLast), RC_STANDARD);
  if (bTrace) {
    Text("Return Params: *pbRange= ");
    Unsigned(*pbRange);
    Text(", *psFirst={..}, *psLast={..}");
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}

uint8_t SCPI_GetChanListEntry(const SParam* psParam, uint8_t Index, uint8_t* pDims,
                              uint8_t* pbRange, SParam sFirst[], SParam sLast[]) {
  const bool bTrace = Listening();
  if (bTrace) {
    Text("SCPI_GetChanListEntry( *psParam={..}, Index=");
    Unsigned(Index);
    Text(", [in/out]*pDims=");
    Unsigned(*pDims);
    Text(", [out]*pbRange, [out]sFirst[]={..}, [out]sLast[]={..} )");
    EndLine(LEVEL_CALL);
  }
  Raise();
  const uint8_t ucCode = Leave(
      bTrace, scpi::GetChanListEntry(psParam, Index, pDims, pbRange, sFirst, sLast), RC_STANDARD);
  if (bTrace) {
    Text("Return Params: *pbRange=");
    Unsigned(*pbRange);
    Text(", *pDims=");
    Unsigned(*pDims);
    Text(", sFirst[]={..}, sLast[]={..}");
    EndLine(LEVEL_RESULT);
  }
  return ucCode;
}
