// SPDX-License-Identifier: MIT
// Orvane-SCPI Parser: functions shared between the parser's own modules (C++ only, not installed).
//
// The public SCPI_ functions are thin traced wrappers (tracing.cpp) over the untraced workers
// declared here; the parser calls its own public accessors where a traced call is wanted to
// stay silent, which the trace nesting count takes care of.
#ifndef ORVANE_SCPI_INTERNAL_H
#define ORVANE_SCPI_INTERNAL_H

#include <cstddef>

#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>

#include "keyword_walk.h"
#include "table_reading.h"

namespace scpi {

/// Largest count, length or index the 8-bit counters can hold.
constexpr unsigned MAX_COUNT = SCPI_MAX_COUNT;

/// Largest value of a mantissa and of the 32-bit accessor results.
constexpr uint32_t MAX_U32 = 4294967295u;

constexpr uint8_t DECIMAL_BASE = 10;

/// A character that is not NUL and is at most 32 when read as a signed byte:
/// 1..32 and 128..255 are white space.
inline bool IsWhiteSpace(char c) { return c != '\0' && static_cast<int8_t>(c) <= 32; }

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// ASCII lower-case fold; every other byte is returned unchanged (a letter's case bit set).
inline char ToLower(char c) {
  const uint8_t uc = static_cast<uint8_t>(c);
  return static_cast<char>(uc | SPEC_CHARS.aucCaseBit[uc]);
}

// ---- Header matching and the command tree path (header_matching.cpp) ----

/// Compares a header specification (or a character-data choice in parameter mode) with a text,
/// under the context's rules. Header mode: pText is the command (leading ':' dropped) and
/// ucTextLen the effective header's length, the context's path text standing in front of it.
/// Parameter mode: the text alone. New suffixes are stored from uiNumSuf[*pNumSufCnt] on;
/// *pNumSufCnt takes the new count on success only. Returns 0, SCPI_ERR_TOO_MANY_NUM_SUF,
/// SCPI_ERR_INVALID_NUM_SUF or SCPI_ERR_INVALID_CMD.
uint8_t MatchKeywords(SScpiContext* psCtx, const char* pSpec, uint8_t ucSpecLen,
                      const char* pText, uint8_t ucTextLen, uint8_t bParamMode,
                      uint32_t uiNumSuf[], uint8_t* pNumSufCnt);

/// Empties the context's command tree path.
void ResetTree(SScpiContext* psCtx);

/// Length of the context's current path text.
uint8_t TreePathTextLen(SScpiContext* psCtx);

// ---- The standard rule for optional nodes (standard_rules.cpp) ----

/// Walks a header specification against a header (pText[0..ucTextLen)): recognised when any
/// choice of present and absent optional nodes matches. A node is present whenever the rest can
/// still match after it, the earliest node first; the suffixes and the codes come from that
/// choice, and every '#' of an absent node takes the value 1, so that each '#' of the
/// specification keeps its place. Suffixes are stored from uiNumSuf[*pucN] on and *pucN is
/// raised by them whatever the result. Returns 0, SCPI_ERR_TOO_MANY_NUM_SUF,
/// SCPI_ERR_INVALID_NUM_SUF or SCPI_ERR_INVALID_CMD.
uint8_t WalkNodeChoices(const char* pSpec, uint8_t ucSpecLen, const char* pText,
                        uint8_t ucTextLen, uint32_t uiNumSuf[], uint8_t* pucN);

/// The context of SCPI_Parse: the table of the global names CmdSpecs, ParamSpecs and
/// UnitSuffixes, with the rules of SCPI_STANDARD_RULES (library_context.cpp).
SScpiContext* LibraryContext();

/// Flags of the Parse worker: bResetTree of SCPI_Parse, and a search without the header index
/// (every entry tried, as for a table built without it; the results are the same).
constexpr uint8_t PARSE_RESET_TREE = 1;
constexpr uint8_t PARSE_WITHOUT_INDEX = 2;

/// Worker of SCPI_ParseCtx and SCPI_Parse: the message ends at pSEnd (NULL: at its NUL).
uint8_t Parse(SScpiContext* psCtx, const char** ppSInput, const char* pSEnd, uint8_t ucFlags,
              uint8_t* pCmdSpecNum, SParam sParam[], uint8_t* pNumSufCnt, uint32_t uiNumSuf[]);

/// Worker of SCPI_ContextInit.
uint8_t ContextInit(SScpiContext* psCtx, const SScpiTable* psTable, uint8_t ucRules);

/// The traced call of SCPI_Parse (bContext 0) or SCPI_ParseCtx (1) around Parse (tracing.cpp);
/// without tracing, Parse itself.
#if SCPI_TRACE
uint8_t TracedParse(bool bContext, SScpiContext* psCtx, const char** ppSInput, const char* pSEnd,
                    uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
                    uint8_t* pNumSufCnt, uint32_t uiNumSuf[]);
#else
inline uint8_t TracedParse(bool, SScpiContext* psCtx, const char** ppSInput, const char* pSEnd,
                           uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
                           uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  return Parse(psCtx, ppSInput, pSEnd, bResetTree != 0 ? PARSE_RESET_TREE : 0, pCmdSpecNum,
               sParam, pNumSufCnt, uiNumSuf);
}
#endif

// ---- Parameters (parameters.cpp) ----

/// The parameter slots of command ucCmdNum of the context's table.
inline const SParamSpec* CommandSlots(const SScpiContext* psCtx, uint8_t ucCmdNum) {
  const SScpiTable* psTable = psCtx->psTable;
  return psTable->psParamSpecs + unsigned{ucCmdNum} * psTable->ucParamWidth;
}

/// Whether any command of the table has a P_BLOCK slot.
bool TableHasBlockSlots(const SScpiTable* psTable);

/// The arbitrary block that starts with '#' and a digit at pBlock, ulAvail bytes before the
/// message ends: #0 runs to the end; #<d><d length digits> is followed by that many bytes.
/// Writes where its bytes start and how many there are, and returns the length of the whole
/// block, or 0 when the length field or the bytes are cut short.
uint32_t ReadBlock(const char* pBlock, uint32_t ulAvail, uint32_t* pulDataStart,
                   uint32_t* pulDataLen);

/// Takes a command off a message of a table with block slots from pFrom (its header's end) on:
/// up to the end, a NUL or a ';' outside quotes, stepping over every block that begins a
/// parameter, whose bytes it adds to *puiBlockBytes; a broken block takes the rest of the
/// message. Returns where the command ends.
const char* SplitWithBlocks(const char* pFrom, const char* pSEnd, std::size_t* puiBlockBytes);

/// Counts the parameters of a section and checks the count against the command's slots.
/// In a table with block slots (SScpiContext.bBlockSlots) a parameter may be an arbitrary block.
/// Returns 0 or SCPI_ERR_PARAM_COUNT.
uint8_t CheckParamCount(const SScpiContext* psCtx, uint8_t ucCmdNum, const char* pSection,
                        uint32_t ulSectionLen);

/// Checks the count, then splits and checks every parameter of candidate command ucCmdNum,
/// filling sParam[] (the table's parameter width of records) and appending choice suffixes.
/// Only a block's bytes make the section longer than 255 characters.
/// Returns 0 or the first failing code.
uint8_t ParseParameters(SScpiContext* psCtx, uint8_t ucCmdNum, const char* pSection,
                        uint32_t ulSectionLen, SParam sParam[], uint32_t uiNumSuf[],
                        uint8_t* pNumSufCnt);

uint8_t CheckBoolean(const char* pText, uint8_t ucLen, const SBoolAttr* psAttr, SParam* psParam);
/// A character-data parameter: its choices under the context's rules, else its alternative type.
uint8_t CheckCharData(SScpiContext* psCtx, const char* pText, uint8_t ucLen,
                      const SCharDataAttr* psAttr, SParam* psParam, uint32_t uiNumSuf[],
                      uint8_t* pNumSufCnt);
uint8_t CheckString(const char* pText, uint8_t ucLen, EPType ePType, SParam* psParam);
uint8_t CheckExpression(const char* pText, uint8_t ucLen, SParam* psParam);

// ---- Numbers, units and lists (numbers.cpp) ----

/// Reads one number from pText[0..ucLen) into *psNum (units untouched) and the characters
/// used, white space after the number included. Nothing is written on failure.
/// Returns 0, SCPI_ERR_PARAM_TYPE or SCPI_ERR_PARAM_OVERFLOW.
uint8_t ParseNumber(const char* pText, uint8_t ucLen, SNum* psNum, uint8_t* pucUsed);

/// Finds the unit suffix of psSuffixes that pText[0..ucLen) spells and checks it against the
/// attribute. *peUnits and *pcExp are written whenever a table entry matched.
/// Returns 0 or SCPI_ERR_PARAM_UNITS.
uint8_t MatchUnits(const char* pText, uint8_t ucLen, const SNumAttr* psAttr,
                   const SUnitSuffix* psSuffixes, EUnits* peUnits, int8_t* pcExp);

/// A numeric parameter, its unit suffix looked up in psSuffixes.
uint8_t CheckNumeric(const char* pText, uint8_t ucLen, const SNumAttr* psAttr,
                     const SUnitSuffix* psSuffixes, SParam* psParam);
uint8_t CheckNumList(const char* pText, uint8_t ucLen, const SListAttr* psAttr, SParam* psParam);
uint8_t CheckChanList(const char* pText, uint8_t ucLen, const SListAttr* psAttr, SParam* psParam);

/// *pulAcc = *pulAcc * ucBase + ucDigit when that fits in 32 bits; otherwise *pulAcc is
/// unchanged and the result is false.
bool AccumulateDigit(uint32_t* pulAcc, uint8_t ucDigit, uint8_t ucBase);

/// The same for a decimal exponent bounded by 32767.
bool AccumulateExponent(uint16_t* puiAcc, uint8_t ucDigit);

// ---- Accessors (accessors.cpp, list_accessors.cpp): the untraced workers ----

uint8_t ParamType(const SParam* psParam, EPType* pePType, ENumSubtype* pNumSubtype);
uint8_t ParamUnits(const SParam* psParam, EUnits* peUnits);
uint8_t ParamToCharDataItem(const SParam* psParam, uint8_t* pItemNum);
uint8_t ParamToBOOL(const SParam* psParam, uint8_t* pbVal);
uint8_t ParamToUnsignedLong(const SParam* psParam, uint32_t* pulVal);
uint8_t ParamToLong(const SParam* psParam, int32_t* plVal);
uint8_t ParamToScaledLong(const SParam* psParam, uint8_t ucDecimals, int32_t* plVal);
uint8_t ParamToUnsignedInt(const SParam* psParam, unsigned int* puiVal);
uint8_t ParamToInt(const SParam* psParam, int* piVal);
uint8_t ParamToDouble(const SParam* psParam, double* pfdVal);
uint8_t ParamToString(const SParam* psParam, const char** pSString, uint8_t* pLen,
                      char* pDelimiter);
uint8_t ParamToBlock(const SParam* psParam, const uint8_t** ppData, uint32_t* pulLen);
uint8_t GetNumListEntry(const SParam* psParam, uint8_t Index, uint8_t* pbRange, SParam* psFirst,
                        SParam* psLast);
uint8_t GetChanListEntry(const SParam* psParam, uint8_t Index, uint8_t* pDims, uint8_t* pbRange,
                         SParam sFirst[], SParam sLast[]);

/// x * 0.1 with the tenth held to a 64-bit significand, rounded to nearest at 64 bits and then
/// to double: the same bits whether or not the platform has an 80-bit long double.
double MulTenthPortable(double x);

}  // namespace scpi

#endif  // ORVANE_SCPI_INTERNAL_H
