// SPDX-License-Identifier: MIT
// Header matching: taking one command off the line, recognising its header against CmdSpecs,
// and the command tree path that lets a compound command leave out its leading nodes.
#include <cstddef>
#include <cstring>

#include "scpi_internal.h"

namespace scpi {

namespace {

// The command tree path: the text of the last recognised non-common specification up to and
// including its last colon, with '[' and ']' left out. With the trace nesting count it is the
// library's only state. Most lines hold one command, so the text is only copied out of the
// specification (pPendingPath) when a later command of the line reads it.
char acPathText[MAX_COUNT];  // behind the path text: the header being matched
uint8_t ucPathTextLen = 0;
const char* pPendingPath = nullptr;

// Copies the pending path's text; a prefix text that would not fit is cut at MAX_COUNT
// characters: no effective header can then fit either, so nothing is recognised through it.
void TakePendingPath() {
  if (pPendingPath == nullptr) return;
  const char* pLastColon = std::strrchr(pPendingPath, ':');
  uint8_t ucLen = 0;
  if (pLastColon != nullptr) {
    for (const char* p = pPendingPath; p <= pLastColon && ucLen < MAX_COUNT; ++p) {
      if (*p != '[' && *p != ']') acPathText[ucLen++] = *p;
    }
  }
  ucPathTextLen = ucLen;
  pPendingPath = nullptr;
}

inline bool IsSeparator(char c) { return c == ';' || IsWhiteSpace(c); }

// What a character of a header specification (or choice) asks of the text. The classes from
// SC_LONG_FORM on are compared with the text; those from SC_COLON on must be present.
enum ESpecClass : uint8_t {
  SC_END,         // NUL
  SC_NODE_OPEN,   // '['
  SC_NODE_CLOSE,  // ']'
  SC_SUFFIX,      // '#'
  SC_LONG_FORM,   // lower case: the rest of a long form
  SC_COLON,       // ':', which also starts a new keyword
  SC_REQUIRED     // any other character
};

// Lookup tables for the matcher's inner loop, built at compile time.
struct SCharTables {
  uint8_t aucSpecClass[256];
  char acLower[256];
};

constexpr SCharTables MakeCharTables() {
  SCharTables sTables{};
  for (unsigned ui = 0; ui < 256; ++ui) {
    ESpecClass eClass = SC_REQUIRED;
    if (ui == '\0') eClass = SC_END;
    else if (ui == '[') eClass = SC_NODE_OPEN;
    else if (ui == ']') eClass = SC_NODE_CLOSE;
    else if (ui == '#') eClass = SC_SUFFIX;
    else if (ui >= 'a' && ui <= 'z') eClass = SC_LONG_FORM;
    else if (ui == ':') eClass = SC_COLON;
    sTables.aucSpecClass[ui] = eClass;
    const unsigned uiLower = (ui >= 'A' && ui <= 'Z') ? ui + ('a' - 'A') : ui;
    sTables.acLower[ui] = static_cast<char>(uiLower);
  }
  return sTables;
}

constexpr SCharTables CHAR_TABLES = MakeCharTables();

inline uint8_t SpecClass(char c) { return CHAR_TABLES.aucSpecClass[static_cast<uint8_t>(c)]; }

inline bool SameIgnoringCase(char c1, char c2) {
  return CHAR_TABLES.acLower[static_cast<uint8_t>(c1)] == CHAR_TABLES.acLower[static_cast<uint8_t>(c2)];
}

// Folds ASCII letter case by setting bit 5. Two characters equal ignoring ASCII case are also
// equal folded, so differing folded values prove a mismatch.
inline uint8_t Folded(char c) { return static_cast<uint8_t>(c | 0x20); }

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

// Length of the command's header: its characters up to the first white space.
inline uint8_t HeaderLen(const char* pCmd, uint8_t ucCmdLen) {
  uint8_t ucLen = 0;
  while (ucLen < ucCmdLen && !IsWhiteSpace(pCmd[ucLen])) ++ucLen;
  return ucLen;
}

// The text side of a walk: the effective header in header mode, the parameter alone in
// parameter mode; one run of characters either way.
struct SMatchText {
  const char* pText;
  uint8_t ucTextLen;
};

// Character uiIndex of the text, NUL from ucTextLen on.
inline char CharAt(const SMatchText& sText, unsigned uiIndex) {
  return uiIndex < sText.ucTextLen ? sText.pText[uiIndex] : '\0';
}

// The effective header of ucEffectiveLen characters (at most MAX_COUNT): the path text followed
// by the command's header. With a path, the header is copied behind the path text, whose buffer
// has room for any effective header; the path text itself is left as it was.
SMatchText EffectiveHeader(const char* pCmd, uint8_t ucEffectiveLen) {
  if (ucPathTextLen == 0) return SMatchText{pCmd, ucEffectiveLen};
  if (ucEffectiveLen > ucPathTextLen) {
    std::memcpy(acPathText + ucPathTextLen, pCmd, ucEffectiveLen - ucPathTextLen);
  }
  return SMatchText{acPathText, ucEffectiveLen};
}

#if SCPI_STANDARD_RULES
// The path as the input gave it: the effective header up to and including its last colon,
// copied, since the caller's line need not outlive the call.
void SetTypedPath(const SMatchText& sText) {
  uint8_t ucLen = sText.ucTextLen;
  while (ucLen > 0 && sText.pText[ucLen - 1] != ':') --ucLen;
  if (sText.pText != acPathText) std::memcpy(acPathText, sText.pText, ucLen);
  ucPathTextLen = ucLen;
}
#endif

// Walks a specification against a text, starting at text position uiTi. Returns 0,
// SCPI_ERR_TOO_MANY_NUM_SUF, SCPI_ERR_INVALID_NUM_SUF or SCPI_ERR_INVALID_CMD; *pucN, the
// number of suffixes collected before, is raised by the walk's suffixes whatever the result.
uint8_t Walk(const char* pSpec, uint8_t ucSpecLen, const SMatchText& sText, unsigned uiTi,
             uint32_t uiNumSuf[], uint8_t* pucN) {
  unsigned uiSi = 0;
  unsigned uiNodeTi = 0;
  uint8_t ucN = *pucN;
  uint8_t ucResult = SCPI_ERR_OK;
  bool bInNode = false;
  bool bLongForm = false;  // a lower-case letter of the current keyword has matched
  bool bDigits = false;    // reading the digits of a suffix

  char cText;
  for (;;) {
    cText = CharAt(sText, uiTi);
    if (uiSi >= ucSpecLen) break;
    const char cSpec = pSpec[uiSi];
    const uint8_t ucClass = SpecClass(cSpec);

    if (ucClass >= SC_LONG_FORM) {
      // A ':' starts a new keyword and clears the long-form flag.
      if (ucClass == SC_COLON) bLongForm = false;
      if (SameIgnoringCase(cSpec, cText)) {
        if (ucClass == SC_LONG_FORM) bLongForm = true;
        ++uiSi;
        ++uiTi;
      } else if (ucClass == SC_LONG_FORM && !bLongForm) {
        // Short form: skip the rest of the long form and compare the same text character again.
        while (uiSi < ucSpecLen && SpecClass(pSpec[uiSi]) == SC_LONG_FORM) ++uiSi;
      } else if (bInNode) {
        // The optional node is absent: retry its text against what follows the node.
        uiTi = uiNodeTi;
        while (uiSi < ucSpecLen && pSpec[uiSi] != '\0' && pSpec[uiSi] != ']') ++uiSi;
      } else {
        return SCPI_ERR_INVALID_CMD;
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
      if (IsDigit(cText)) {
        if (!bDigits) {
          uiNumSuf[ucN] = 0;
          bDigits = true;
        }
        if (!AddSuffixDigit(&uiNumSuf[ucN], cText)) ucResult = SCPI_ERR_INVALID_NUM_SUF;
        ++uiTi;  // the '#' stays current while digits follow
      } else {
        if (!bDigits) {
          uiNumSuf[ucN] = 1;
        } else if (uiNumSuf[ucN] < 1 || uiNumSuf[ucN] > MAX_NUM_SUFFIX_VALUE) {
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
  // Text the header specification did not consume.
  return cText != '\0' ? uint8_t{SCPI_ERR_INVALID_CMD} : ucResult;
}

// Whether a walk of pSpec from the start of the text certainly ends in SCPI_ERR_INVALID_CMD
// within the characters pSpec requires before its first lower-case letter, suffix or possibly
// present node: a required character that differs from the text ends the walk. An
// optional node whose first character is required and differs is absent and leaves the text
// position as it was. Such an entry cannot beat the best result and need not be walked.
inline bool FailsEarly(const char* pSpec, const SMatchText& sText, unsigned uiTi) {
  unsigned uiSi = 0;
  while (uiSi < MAX_COUNT) {
    const char cSpec = pSpec[uiSi];
    const uint8_t ucClass = SpecClass(cSpec);
    const char cText = CharAt(sText, uiTi);
    if (ucClass == SC_NODE_OPEN) {
      const char cInNode = pSpec[uiSi + 1];
      if (SpecClass(cInNode) < SC_COLON || SameIgnoringCase(cInNode, cText)) return false;
      while (uiSi < MAX_COUNT && pSpec[uiSi] != '\0' && pSpec[uiSi] != ']') ++uiSi;
      if (uiSi >= MAX_COUNT || pSpec[uiSi] != ']') return false;
      ++uiSi;
    } else if (ucClass < SC_COLON) {
      return false;
    } else if (!SameIgnoringCase(cSpec, cText)) {
      return true;
    } else {
      ++uiSi;
      ++uiTi;
    }
  }
  return false;
}

// Tries every table entry on one command (leading ':' already dropped). The first entry whose
// header and parameters both fit wins; otherwise the smallest code any entry gave.
uint8_t MatchEntries(const SMatchText& sText, bool bCommon, const char* pSection,
                     uint8_t ucSectionLen, uint8_t* pCmdSpecNum, SParam sParam[],
                     uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  const uint8_t ucFirstFolded = Folded(CharAt(sText, 0));
  const uint8_t ucSecondFolded = Folded(CharAt(sText, 1));
  uint8_t ucBest = SCPI_ERR_INVALID_CMD;
  for (unsigned uiCmd = 0; uiCmd <= MAX_COUNT; ++uiCmd) {
    const char* pSpec = CmdSpecs[uiCmd];
    const char cSpec0 = pSpec[0];
    if (cSpec0 == '\0') break;
    // Entries that would certainly fail on their first characters are not walked: the walk
    // would end with SCPI_ERR_INVALID_CMD, which never beats the best result. A required first
    // or second character that differs rules out most entries at once.
    if (Folded(cSpec0) != ucFirstFolded) {
      if (SpecClass(cSpec0) >= SC_COLON) continue;
      if (cSpec0 == '[' && FailsEarly(pSpec, sText, 0)) continue;
    } else if (Folded(pSpec[1]) != ucSecondFolded && SpecClass(pSpec[1]) >= SC_COLON &&
               SpecClass(cSpec0) >= SC_COLON) {
      continue;
    }

    uint8_t ucSufCnt = 0;
#if SCPI_STANDARD_RULES
    uint8_t ucResult = WalkNodeChoices(pSpec, MAX_COUNT, sText.pText, sText.ucTextLen, uiNumSuf,
                                       &ucSufCnt);
#else
    uint8_t ucResult = Walk(pSpec, MAX_COUNT, sText, 0, uiNumSuf, &ucSufCnt);
#endif
    if (ucResult == SCPI_ERR_OK) {
      const uint8_t ucCmd = static_cast<uint8_t>(uiCmd);
      ucResult = ParseParameters(ucCmd, pSection, ucSectionLen, sParam, uiNumSuf, &ucSufCnt);
      if (ucResult == SCPI_ERR_OK) {
        *pCmdSpecNum = ucCmd;
        *pNumSufCnt = ucSufCnt;
#if SCPI_STANDARD_RULES
        if (!bCommon) SetTypedPath(sText);
#else
        if (!bCommon) SetTreePath(ucCmd);
#endif
        return SCPI_ERR_OK;
      }
    }
    if (ucResult < ucBest) ucBest = ucResult;
  }
  return ucBest;
}

// Recognises one command (leading ':' already dropped) against the table.
uint8_t MatchCommand(const char* pCmd, uint8_t ucCmdLen, uint8_t* pCmdSpecNum, SParam sParam[],
                     uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  TakePendingPath();
  const uint8_t ucHeaderLen = HeaderLen(pCmd, ucCmdLen);
  const char* pSection = pCmd + ucHeaderLen;
  const uint8_t ucSectionLen = static_cast<uint8_t>(ucCmdLen - ucHeaderLen);
  const bool bCommon = ucHeaderLen > 0 && pCmd[0] == '*';
  const unsigned uiEffectiveLen = unsigned{ucPathTextLen} + ucHeaderLen;
  if (uiEffectiveLen > MAX_COUNT) return SCPI_ERR_INVALID_CMD;

  // A common command is matched on its own, without the path.
  const SMatchText sText = bCommon ? SMatchText{pCmd, ucHeaderLen}
                                   : EffectiveHeader(pCmd, static_cast<uint8_t>(uiEffectiveLen));
  return MatchEntries(sText, bCommon, pSection, ucSectionLen, pCmdSpecNum, sParam, pNumSufCnt,
                      uiNumSuf);
}

}  // namespace

// A header specification ends at ucSpecLen or at its NUL, whichever comes first, so a header
// specification can be passed with MAX_COUNT instead of its measured length.
uint8_t MatchKeywords(const char* pSpec, uint8_t ucSpecLen, const char* pText, uint8_t ucTextLen,
                      uint8_t bParamMode, uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  SMatchText sText = {pText, ucTextLen};
  if (!bParamMode) {
    TakePendingPath();
    // A common command is matched on its own: the path is skipped.
    if (ucTextLen > ucPathTextLen && pText[0] == '*') {
      sText.ucTextLen = static_cast<uint8_t>(ucTextLen - ucPathTextLen);
    } else {
      sText = EffectiveHeader(pText, ucTextLen);
    }
  }
  uint8_t ucN = *pNumSufCnt;
#if SCPI_STANDARD_RULES
  const uint8_t ucResult =
      bParamMode ? Walk(pSpec, ucSpecLen, sText, 0, uiNumSuf, &ucN)
                 : WalkNodeChoices(pSpec, ucSpecLen, sText.pText, sText.ucTextLen, uiNumSuf, &ucN);
#else
  const uint8_t ucResult = Walk(pSpec, ucSpecLen, sText, 0, uiNumSuf, &ucN);
#endif
  if (ucResult == SCPI_ERR_OK) *pNumSufCnt = ucN;
  return ucResult;
}

void ResetTree() {
  ucPathTextLen = 0;
  pPendingPath = nullptr;
}

void SetTreePath(uint8_t ucCmdIndex) { pPendingPath = CmdSpecs[ucCmdIndex]; }

uint8_t TreePathTextLen() {
  TakePendingPath();
  return ucPathTextLen;
}

uint8_t Parse(const char** pSInput, uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
              uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  if (pSInput == nullptr || *pSInput == nullptr) return SCPI_ERR_NO_COMMAND;

  // Separators and white space before the command.
  const char* p = *pSInput;
  const char* const pRunStart = p;
  while (IsSeparator(*p)) ++p;
  const bool bLongRun = static_cast<std::size_t>(p - pRunStart) > MAX_COUNT;

  // The command runs to the NUL or to a ';' outside quotes. A quote of the other kind inside a
  // string is an ordinary character.
  const char* const pCmdStart = p;
  bool bInString = false;
  bool bDoubleQuoted = false;
  for (; *p != '\0'; ++p) {
    const char c = *p;
    if (c == ';' && !bInString) break;
    if (c == '"' || c == '\'') {
      const bool bDouble = (c == '"');
      if (!bInString) {
        bInString = true;
        bDoubleQuoted = bDouble;
      } else if (bDoubleQuoted == bDouble) {
        bInString = false;
      }
    }
  }
  *pSInput = p;
  const std::size_t uiCmdLen = static_cast<std::size_t>(p - pCmdStart);
  if (uiCmdLen == 0) return SCPI_ERR_NO_COMMAND;

  const char* pCmd = pCmdStart;
  std::size_t uiLen = uiCmdLen;
  if (*pCmd == ':') {
    ++pCmd;
    --uiLen;
    bResetTree = 1;
  }
  if (bResetTree) ResetTree();

  // The 8-bit counts cannot hold a longer command or the run before it: not recognised.
  if (uiCmdLen > MAX_COUNT || bLongRun) return SCPI_ERR_INVALID_CMD;

  return MatchCommand(pCmd, static_cast<uint8_t>(uiLen), pCmdSpecNum, sParam, pNumSufCnt, uiNumSuf);
}

}  // namespace scpi
