// SPDX-License-Identifier: MIT
// Header matching: taking one command off the line, recognising its header against the
// context's table, and the command tree path that lets a compound command leave out its leading nodes.
#include <cstddef>
#include <cstring>

#include "keyword_walk.h"
#include "scpi_internal.h"

namespace scpi {

const SSpecChars SPEC_CHARS = MakeSpecChars();

namespace {

// The command tree path lives in the context: the text of the last recognised non-common
// specification up to and including its last colon, with '[' and ']' left out (library rules),
// or the header as typed up to its last colon (standard rules). Most lines hold one command, so
// the library rules copy the text out of the header specification (pPendingPath) only when a later
// command of the line reads it.

// Copies the pending path's text; a prefix text that would not fit is cut at MAX_COUNT
// characters: no effective header can then fit either, so nothing is recognised through it.
void TakePendingPath(SScpiContext* psCtx) {
  if (psCtx->pPendingPath == nullptr) return;
  uint8_t ucLen = 0;
  uint8_t ucUpToColon = 0;
  for (const char* p = psCtx->pPendingPath; *p != '\0'; ++p) {
    if (*p == '[' || *p == ']') continue;
    if (ucLen < MAX_COUNT) psCtx->acPathText[ucLen++] = *p;
    if (*p == ':') ucUpToColon = ucLen;
  }
  psCtx->ucPathTextLen = ucUpToColon;
  psCtx->pPendingPath = nullptr;
}

// What a character of the input line means when a command is taken off it.
constexpr uint8_t LF_WHITE = 1;      // white space: ends a header
constexpr uint8_t LF_SEPARATOR = 2;  // white space or ';', skipped before a command
constexpr uint8_t LF_SPLIT = 4;      // NUL, ';' or a quote: may end the command

// The line flags of every character, built at compile time.
struct SLineFlags {
  uint8_t aucFlags[256];
};

constexpr SLineFlags MakeLineFlags() {
  SLineFlags sTable{};
  for (unsigned ui = 0; ui < 256; ++ui) {
    const bool bWhite = ui != 0 && (ui <= 32 || ui >= 128);  // as IsWhiteSpace
    uint8_t ucFlags = bWhite ? LF_WHITE | LF_SEPARATOR : 0;
    if (ui == ';') ucFlags = LF_SEPARATOR | LF_SPLIT;
    if (ui == '\0' || ui == '"' || ui == '\'') ucFlags = LF_SPLIT;
    sTable.aucFlags[ui] = ucFlags;
  }
  return sTable;
}

constexpr SLineFlags LINE_FLAGS = MakeLineFlags();

inline bool HasLineFlag(char c, uint8_t ucFlag) {
  return (LINE_FLAGS.aucFlags[static_cast<uint8_t>(c)] & ucFlag) != 0;
}

// Length of the command's header: its characters up to the first white space.
inline uint8_t HeaderLen(const char* pCmd, uint8_t ucCmdLen) {
  unsigned uiLen = 0;
  while (uiLen < ucCmdLen && !HasLineFlag(pCmd[uiLen], LF_WHITE)) ++uiLen;
  return static_cast<uint8_t>(uiLen);
}

using SMatchText = SWalkText;

// The effective header of ucEffectiveLen characters (at most MAX_COUNT): the path text followed
// by the command's header. With a path, the header is copied behind the path text, whose buffer
// has room for any effective header; the path text itself is left as it was.
[[gnu::noinline]] SMatchText EffectiveHeader(SScpiContext* psCtx, const char* pCmd,
                                          uint8_t ucEffectiveLen) {
  const uint8_t ucPathTextLen = psCtx->ucPathTextLen;
  if (ucPathTextLen == 0) return SMatchText{pCmd, ucEffectiveLen};
  if (ucEffectiveLen > ucPathTextLen) {
    std::memcpy(psCtx->acPathText + ucPathTextLen, pCmd, ucEffectiveLen - ucPathTextLen);
  }
  return SMatchText{psCtx->acPathText, ucEffectiveLen};
}

// The standard rules' path, the header as the input gave it: the effective header up to and
// including its last colon, copied, since the caller's line need not outlive the call.
void SetTypedPath(SScpiContext* psCtx, const SMatchText& sText) {
  uint8_t ucLen = sText.ucTextLen;
  while (ucLen > 0 && sText.pText[ucLen - 1] != ':') --ucLen;
  if (sText.pText != psCtx->acPathText) std::memcpy(psCtx->acPathText, sText.pText, ucLen);
  psCtx->ucPathTextLen = ucLen;
}

// Reads one digit of a numeric suffix into *puiSuf. Returns false, leaving the value as it was,
// when it would pass the largest suffix.
inline bool AddSuffixDigit(uint32_t* puiSuf, char cDigit) {
  const uint32_t uiDigit = static_cast<uint32_t>(cDigit - '0');
  if (*puiSuf > MAX_NUM_SUFFIX_VALUE / 10) return false;
  const uint32_t uiNext = *puiSuf * 10 + uiDigit;
  if (uiNext > MAX_NUM_SUFFIX_VALUE) return false;
  *puiSuf = uiNext;
  return true;
}

}  // namespace

// The keyword walk (keyword_walk.h), in this file so that the entry loop's calls can be
// specialised.
uint8_t WalkKeywords(const char* pSpec, uint8_t ucSpecLen, const SWalkText& sText,
                     uint32_t uiNumSuf[], uint8_t* pucN, SWalkStop* psStop, uint8_t ucOptions) {
  unsigned uiSi = 0;
  unsigned uiTi = 0;
  unsigned uiNodeTi = 0;
  uint8_t ucN = *pucN;
  uint8_t ucResult = SCPI_ERR_OK;
  bool bInNode = false;
  bool bLongForm = false;  // a lower-case letter of the current keyword has matched
  bool bDigits = false;    // reading the digits of a suffix
  bool bMismatch = false;
  unsigned uiSkipEnd = 0;  // where the last skip ended
  if (ucOptions & WALK_RESUME) {
    uiSi = psStop->ucSi;
    uiTi = psStop->ucTi;
    uiNodeTi = psStop->ucNodeTi;
    ucN = psStop->ucN;
    ucResult = psStop->ucResult;
    bInNode = psStop->bInNode;
    bLongForm = psStop->bLongForm;
  }

  // The text in locals: the suffix stores could otherwise alias it for the compiler.
  const SWalkText sLocalText = sText;
  char cText;
  for (;;) {
    cText = CharAt(sLocalText, uiTi);
    if (uiSi >= ucSpecLen) break;
    const char cSpec = pSpec[uiSi];
    const uint8_t ucClass = SpecClass(cSpec);

    if (ucClass >= SC_LONG_FORM && SameIgnoringCase(cSpec, cText)) {
      // A lower-case letter continues a long form; a ':' starts a new keyword.
      if (ucClass != SC_REQUIRED) bLongForm = ucClass == SC_LONG_FORM;
      ++uiSi;
      ++uiTi;
    } else if (ucClass >= SC_LONG_FORM) {
      if (ucClass == SC_COLON) bLongForm = false;
      if (ucClass == SC_LONG_FORM && !bLongForm) {
        // Short form: skip the rest of the long form and compare the same text character again.
        while (uiSi < ucSpecLen && SpecClass(pSpec[uiSi]) == SC_LONG_FORM) ++uiSi;
        uiSkipEnd = uiSi;
      } else if (bInNode) {
        // The optional node is absent: retry its text against what follows the node.
        uiTi = uiNodeTi;
        // Up to its ']' or the end (the classes SC_NODE_CLOSE and SC_END).
        while (uiSi < ucSpecLen && (SpecClass(pSpec[uiSi]) & ~SC_NODE_CLOSE) != 0) ++uiSi;
        uiSkipEnd = uiSi;
      } else {
        bMismatch = true;
        break;
      }
    } else if (ucClass == SC_NODE_OPEN) {
      bInNode = true;
      uiNodeTi = uiTi;
      ++uiSi;
    } else if (ucClass == SC_NODE_CLOSE) {
      bInNode = false;
      ++uiSi;
    } else if (ucClass == SC_SUFFIX) {
      if (ucN >= MAX_NUM_SUFFIX) return SCPI_ERR_TOO_MANY_NUM_SUF;  // a fault of the table
      uint32_t* puiSuffix = &uiNumSuf[ucN];
      if (IsDigit(cText)) {
        if (!bDigits) {
          *puiSuffix = 0;
          bDigits = true;
        }
        if (!AddSuffixDigit(puiSuffix, cText)) ucResult = SCPI_ERR_INVALID_NUM_SUF;
        ++uiTi;  // the '#' stays current while digits follow
      } else {
        if (!bDigits) {
          *puiSuffix = 1;
        } else if (*puiSuffix == 0) {  // AddSuffixDigit keeps it below the largest value
          ucResult = SCPI_ERR_INVALID_NUM_SUF;
        }
        bDigits = false;
        ++ucN;
        ++uiSi;
      }
    } else {
      break;  // the NUL that ends a header specification
    }
  }

  *pucN = ucN;
  // Text the header specification did not consume fails the walk as well.
  const bool bMatched = !bMismatch && (cText == '\0' || (ucOptions & WALK_PREFIX));
  if (bMatched && !(ucOptions & WALK_PREFIX)) return ucResult;
  // uiSi only grows, and every character read stood at or before it.
  *psStop = SWalkStop{static_cast<uint8_t>(uiSi), cText, static_cast<uint8_t>(uiTi),
                      static_cast<uint8_t>(uiNodeTi), ucN, ucResult, bInNode, bLongForm,
                      uiSi != uiSkipEnd};
  return bMatched ? ucResult : uint8_t{SCPI_ERR_INVALID_CMD};
}


namespace {

// The candidates for a header: from the index, the run of its key (entry numbers, each with the
// characters it shares with the one before); without the index every entry, sharing nothing.
struct SCandidates {
  const uint8_t* pucRun;
  unsigned uiCount;
};

SCandidates FindCandidates(const SScpiTable* psTable, bool bIndexed, const SMatchText& sText) {
  const SCmdIndex* psIndex = psTable->psIndex;
  if (!bIndexed || psIndex == nullptr) return SCandidates{nullptr, psTable->ucCmdCount};
  const uint32_t ulHash = SCPI_IndexKeyHash(sText.pText, sText.ucTextLen);
  const uint32_t ulRun = psIndex->pulBuckets[ulHash >> psIndex->ucBucketShift];
  const unsigned uiFirst = ulRun & 0xFFFFu;
  return SCandidates{psIndex->pucCandidates + 2 * uiFirst, (ulRun >> 16) - uiFirst};
}

// Tries the candidate entries on one command (leading ':' already dropped), in table order. The
// first entry whose header and parameters both fit wins; otherwise the smallest code any entry
// gave. An entry left out, by the index or because its walk would fail where the walk before it
// did, would have given SCPI_ERR_INVALID_CMD, which never beats the best result.
uint8_t MatchEntries(SScpiContext* psCtx, const SMatchText& sText, bool bCommon,
                     const char* pSection, uint32_t ulSectionLen, bool bIndexed,
                     uint8_t* pCmdSpecNum, SParam sParam[], uint8_t* pNumSufCnt,
                     uint32_t uiNumSuf[]) {
  const char* const* ppCmdSpecs = psCtx->psTable->ppCmdSpecs;
  const bool bStandard = psCtx->ucRules == SCPI_RULES_STANDARD;
  const SCandidates sCandidates = FindCandidates(psCtx->psTable, bIndexed, sText);
  uint8_t ucBest = SCPI_ERR_INVALID_CMD;
  // The library rules start as if a walk had stopped on the header's first character, which
  // it does for every candidate whose first character must be typed and differs.
  unsigned uiStop = bStandard ? NO_STOP : 0;
  SWalkStop sStop = {};
  sStop.cText = CharAt(sText, 0);
  for (unsigned ui = 0; ui < sCandidates.uiCount; ++ui) {
    unsigned uiCmd = ui;
    unsigned uiShared = 0;
    if (sCandidates.pucRun != nullptr) {
      uiCmd = sCandidates.pucRun[2 * ui];
      uiShared = sCandidates.pucRun[2 * ui + 1];
    }
    const char* pSpec = ppCmdSpecs[uiCmd];
    if (pSpec[0] == '\0') break;
    if (FailsAtStop(pSpec, uiShared, uiStop, sStop.cText)) continue;

    uint8_t ucSufCnt = 0;
    uint8_t ucResult;
    if (bStandard) {
      // Any choice of nodes: a stop says nothing of the next entry's walk.
      ucResult = WalkNodeChoices(pSpec, MAX_COUNT, sText.pText, sText.ucTextLen, uiNumSuf,
                                 &ucSufCnt);
    } else {
      const bool bResume = uiShared == uiStop && sStop.bStepped;
      ucResult = WalkKeywords(pSpec, MAX_COUNT, sText, uiNumSuf, &ucSufCnt, &sStop,
                              bResume ? WALK_RESUME : 0);
      uiStop = ucResult == SCPI_ERR_INVALID_CMD ? sStop.ucSi : NO_STOP;
    }
    if (ucResult == SCPI_ERR_OK) {
      const uint8_t ucCmd = static_cast<uint8_t>(uiCmd);
      ucResult = ParseParameters(psCtx, ucCmd, pSection, ulSectionLen, sParam, uiNumSuf,
                                 &ucSufCnt);
      if (ucResult == SCPI_ERR_OK) {
        *pCmdSpecNum = ucCmd;
        *pNumSufCnt = ucSufCnt;
        if (bCommon) {
          // A common command neither uses nor changes the path.
        } else if (bStandard) {
          SetTypedPath(psCtx, sText);
        } else {
          psCtx->pPendingPath = pSpec;
        }
        return SCPI_ERR_OK;
      }
    }
    if (ucResult < ucBest) ucBest = ucResult;
  }
  return ucBest;
}

// Recognises one command (leading ':' already dropped) of ucHeaderLen header characters
// against the table.
uint8_t MatchCommand(SScpiContext* psCtx, const char* pCmd, uint32_t ulCmdLen,
                     uint8_t ucHeaderLen, bool bIndexed, uint8_t* pCmdSpecNum, SParam sParam[],
                     uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  TakePendingPath(psCtx);
  const char* pSection = pCmd + ucHeaderLen;
  const uint32_t ulSectionLen = ulCmdLen - ucHeaderLen;
  const bool bCommon = ucHeaderLen > 0 && pCmd[0] == '*';
  const unsigned uiEffectiveLen = unsigned{psCtx->ucPathTextLen} + ucHeaderLen;
  if (uiEffectiveLen > MAX_COUNT) return SCPI_ERR_INVALID_CMD;

  // A common command is matched on its own, without the path; most headers have no path.
  const SMatchText sText =
      bCommon || psCtx->ucPathTextLen == 0
          ? SMatchText{pCmd, ucHeaderLen}
          : EffectiveHeader(psCtx, pCmd, static_cast<uint8_t>(uiEffectiveLen));
  return MatchEntries(psCtx, sText, bCommon, pSection, ulSectionLen, bIndexed, pCmdSpecNum,
                      sParam, pNumSufCnt, uiNumSuf);
}

}  // namespace

// A header specification ends at ucSpecLen or at its NUL, whichever comes first, so a header
// specification can be passed with MAX_COUNT instead of its measured length.
uint8_t MatchKeywords(SScpiContext* psCtx, const char* pSpec, uint8_t ucSpecLen,
                      const char* pText, uint8_t ucTextLen, uint8_t bParamMode,
                      uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  SMatchText sText = {pText, ucTextLen};
  const bool bNodeChoices = !bParamMode && psCtx->ucRules == SCPI_RULES_STANDARD;
  if (!bParamMode) {
    TakePendingPath(psCtx);
    // A common command is matched on its own: the path is skipped.
    if (ucTextLen > psCtx->ucPathTextLen && pText[0] == '*') {
      sText.ucTextLen = static_cast<uint8_t>(ucTextLen - psCtx->ucPathTextLen);
    } else {
      sText = EffectiveHeader(psCtx, pText, ucTextLen);
    }
  }
  uint8_t ucN = *pNumSufCnt;
  SWalkStop sStop;
  const uint8_t ucResult =
      bNodeChoices ? WalkNodeChoices(pSpec, ucSpecLen, sText.pText, sText.ucTextLen, uiNumSuf, &ucN)
                   : WalkKeywords(pSpec, ucSpecLen, sText, uiNumSuf, &ucN, &sStop, 0);
  if (ucResult == SCPI_ERR_OK) *pNumSufCnt = ucN;
  return ucResult;
}

void ResetTree(SScpiContext* psCtx) {
  psCtx->ucPathTextLen = 0;
  psCtx->pPendingPath = nullptr;
}

uint8_t TreePathTextLen(SScpiContext* psCtx) {
  TakePendingPath(psCtx);
  return psCtx->ucPathTextLen;
}

uint8_t ContextInit(SScpiContext* psCtx, const SScpiTable* psTable, uint8_t ucRules) {
  if (psCtx == nullptr || psTable == nullptr || ucRules > SCPI_RULES_STANDARD ||
      psTable->ucParamWidth - 1u >= SCPI_MAX_PARAM_SLOTS || psTable->ppCmdSpecs == nullptr ||
      psTable->psParamSpecs == nullptr || psTable->psUnitSuffixes == nullptr ||
      psTable->ppCmdSpecs[psTable->ucCmdCount] == nullptr ||
      psTable->ppCmdSpecs[psTable->ucCmdCount][0] != '\0') {
    return SCPI_ERR_PARAM_TYPE;
  }
  psCtx->psTable = psTable;
  psCtx->ucRules = ucRules;
  psCtx->bBlockSlots = TableHasBlockSlots(psTable) ? 1 : 0;
  ResetTree(psCtx);
  return SCPI_ERR_OK;
}

namespace {

// Steps over the characters that have none of the flags (which include LF_SPLIT, so a NUL
// stops it), up to pSEnd when there is one. For speed, the loop of a NUL-terminated line tests
// no pointer.
[[gnu::always_inline]] inline const char* SkipOrdinary(const char* p, const char* pSEnd,
                                                       uint8_t ucFlags) {
#if defined(__OPTIMIZE_SIZE__)
  // One loop where size counts: a pSEnd of NULL is never reached.
  while (p != pSEnd && !HasLineFlag(*p, ucFlags)) ++p;
#else
  if (pSEnd == nullptr) {
    while (!HasLineFlag(*p, ucFlags)) ++p;
  } else {
    while (p != pSEnd && !HasLineFlag(*p, ucFlags)) ++p;
  }
#endif
  return p;
}

// One command taken off the line: its span and where its header's first run ended.
struct SCommandSpan {
  const char* pStart;
  const char* pHeaderEnd;
  const char* pEnd;
  bool bLongRun;  // more separators and white space before it than the counts can hold
  std::size_t uiBlockBytes;  // the bytes of its blocks, which do not count toward its length
};

// Takes the next command from p: separators and white space skipped, then the characters up to
// the end, a NUL, or a ';' outside quotes. A quote of the other kind inside a string is an
// ordinary character. The header runs to the first white space, found on the way unless a quote
// comes before it. The message ends at pSEnd, or without one at its NUL (a NUL before pSEnd
// ends it too). In a table with block slots (bBlocks) the blocks of its parameters are stepped
// over.
SCommandSpan TakeCommand(const char* p, const char* pSEnd, bool bBlocks) {
  SCommandSpan sSpan;
  const char* const pRunStart = p;
  while (p != pSEnd && HasLineFlag(*p, LF_SEPARATOR)) ++p;
  sSpan.bLongRun = static_cast<std::size_t>(p - pRunStart) > MAX_COUNT;
  sSpan.pStart = p;
  p = SkipOrdinary(p, pSEnd, LF_SPLIT | LF_WHITE);
  sSpan.pHeaderEnd = p;
  sSpan.uiBlockBytes = 0;
  if (bBlocks) {
    sSpan.pEnd = SplitWithBlocks(p, pSEnd, &sSpan.uiBlockBytes);
    return sSpan;
  }
  bool bInString = false;
  bool bDoubleQuoted = false;
  for (;; ++p) {
    p = SkipOrdinary(p, pSEnd, LF_SPLIT);
    if (p == pSEnd) break;
    const char c = *p;
    if (c == '\0' || (c == ';' && !bInString)) break;
    if (c == ';') continue;
    const bool bDouble = (c == '"');
    if (!bInString) {
      bInString = true;
      bDoubleQuoted = bDouble;
    } else if (bDoubleQuoted == bDouble) {
      bInString = false;
    }
  }
  sSpan.pEnd = p;
  return sSpan;
}

}  // namespace

uint8_t Parse(SScpiContext* psCtx, const char** ppSInput, const char* pSEnd, uint8_t ucFlags,
              uint8_t* pCmdSpecNum, SParam sParam[], uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  if (psCtx == nullptr || ppSInput == nullptr || *ppSInput == nullptr) return SCPI_ERR_NO_COMMAND;
  if (pSEnd != nullptr && pSEnd < *ppSInput) return SCPI_ERR_NO_COMMAND;
  const SCommandSpan sSpan = TakeCommand(*ppSInput, pSEnd, psCtx->bBlockSlots != 0);
  const char* const p = sSpan.pEnd;
  const char* const pCmdStart = sSpan.pStart;
  const char* const pHeaderEnd = sSpan.pHeaderEnd;
  const bool bLongRun = sSpan.bLongRun;
  *ppSInput = p;
  const std::size_t uiCmdLen = static_cast<std::size_t>(p - pCmdStart);
  if (uiCmdLen == 0) return SCPI_ERR_NO_COMMAND;

  const char* pCmd = pCmdStart;
  std::size_t uiLen = uiCmdLen;
  if (*pCmd == ':') {
    ++pCmd;
    --uiLen;
    ucFlags |= PARSE_RESET_TREE;
  }
  if (ucFlags & PARSE_RESET_TREE) ResetTree(psCtx);

  // The 8-bit counts cannot hold a longer command or the run before it: not recognised.
  if (uiCmdLen - sSpan.uiBlockBytes > MAX_COUNT || bLongRun) return SCPI_ERR_INVALID_CMD;

  const bool bIndexed = (ucFlags & PARSE_WITHOUT_INDEX) == 0;
  const bool bQuoteEndsRun = pHeaderEnd != pSEnd && (*pHeaderEnd == '"' || *pHeaderEnd == '\'');
  // (A header that runs into a quote never matches, however much of it is taken.)
  const uint8_t ucHeaderLen = bQuoteEndsRun ? HeaderLen(pCmd, static_cast<uint8_t>(uiLen))
                                            : static_cast<uint8_t>(pHeaderEnd - pCmd);
  return MatchCommand(psCtx, pCmd, static_cast<uint32_t>(uiLen), ucHeaderLen, bIndexed,
                      pCmdSpecNum, sParam, pNumSufCnt, uiNumSuf);
}

}  // namespace scpi
