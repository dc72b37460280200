// Header matching: taking one command off the line, recognising its header against CmdSpecs,
// and the command tree path that lets a compound command leave out its leading nodes.
#include <cstddef>

#include "scpi_internal.h"

namespace scpi {

namespace {

// The command tree path: the text of the last recognised non-common specification up to and
// including its last colon, with '[' and ']' left out. With the trace nesting count it is the
// library's only state.
char acPathText[MAX_COUNT];
uint8_t ucPathTextLen = 0;

inline bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

inline bool IsSeparator(char c) { return c == ';' || IsWhiteSpace(c); }

// A specification character that the text must repeat: anything but the node brackets, the
// suffix mark and the lower-case rest of a long form.
inline bool IsRequiredSpecChar(char c) {
  return c != '[' && c != ']' && c != '#' && !IsLower(c);
}

// Position ucIndex of the effective header (path text, then the command's header), NUL past
// ucTextLen. With ucPathLen 0 it is simply the text.
inline char TextAt(const char* pText, uint8_t ucPathLen, uint8_t ucTextLen, unsigned uiIndex) {
  if (uiIndex < ucPathLen) return acPathText[uiIndex];
  if (uiIndex < ucTextLen) return pText[uiIndex - ucPathLen];
  return '\0';
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

// Length of the command's header: its characters up to the first white space.
inline uint8_t HeaderLen(const char* pCmd, uint8_t ucCmdLen) {
  uint8_t ucLen = 0;
  while (ucLen < ucCmdLen && !IsWhiteSpace(pCmd[ucLen])) ++ucLen;
  return ucLen;
}

// Tries every table entry on one command (leading ':' already dropped). The first entry whose
// header and parameters both fit wins; otherwise the smallest code any entry gave.
uint8_t MatchCommand(const char* pCmd, uint8_t ucCmdLen, uint8_t* pCmdSpecNum, SParam sParam[],
                     uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  const uint8_t ucHeaderLen = HeaderLen(pCmd, ucCmdLen);
  const bool bCommon = ucHeaderLen > 0 && pCmd[0] == '*';
  const unsigned uiEffectiveLen = unsigned{ucPathTextLen} + ucHeaderLen;
  if (uiEffectiveLen > MAX_COUNT) return SCPI_ERR_INVALID_CMD;
  const uint8_t ucTextLen = static_cast<uint8_t>(uiEffectiveLen);
  const char* pSection = pCmd + ucHeaderLen;
  const uint8_t ucSectionLen = static_cast<uint8_t>(ucCmdLen - ucHeaderLen);

  // An entry whose first character must be typed and differs from the effective header's first
  // character can only give SCPI_ERR_INVALID_CMD, which never beats the best result; skipping it
  // saves most of the calls.
  const char cFirst = ToLower(bCommon ? '*' : TextAt(pCmd, ucPathTextLen, ucTextLen, 0));

  uint8_t ucBest = SCPI_ERR_INVALID_CMD;
  for (unsigned uiCmd = 0; uiCmd <= MAX_COUNT && CmdSpecs[uiCmd][0] != '\0'; ++uiCmd) {
    const char* pSpec = CmdSpecs[uiCmd];
    if (IsRequiredSpecChar(pSpec[0]) && ToLower(pSpec[0]) != cFirst) continue;

    const uint8_t ucCmd = static_cast<uint8_t>(uiCmd);
    uint8_t ucSufCnt = 0;
    uint8_t ucResult = MatchKeywords(pSpec, MAX_COUNT, pCmd, ucTextLen, 0, uiNumSuf, &ucSufCnt);
    if (ucResult == SCPI_ERR_OK)
      ucResult = ParseParameters(ucCmd, pSection, ucSectionLen, sParam, uiNumSuf, &ucSufCnt);
    if (ucResult == SCPI_ERR_OK) {
      *pCmdSpecNum = ucCmd;
      *pNumSufCnt = ucSufCnt;
      if (!bCommon) SetTreePath(ucCmd);
      return SCPI_ERR_OK;
    }
    if (ucResult < ucBest) ucBest = ucResult;
  }
  return ucBest;
}

}  // namespace

// The specification ends at ucSpecLen or at its NUL, whichever comes first, so a header
// specification can be passed with MAX_COUNT instead of its measured length.
uint8_t MatchKeywords(const char* pSpec, uint8_t ucSpecLen, const char* pText, uint8_t ucTextLen,
                      uint8_t bParamMode, uint32_t uiNumSuf[], uint8_t* pNumSufCnt) {
  const uint8_t ucPathLen = bParamMode ? 0 : ucPathTextLen;
  unsigned uiSi = 0;
  unsigned uiTi = 0;
  unsigned uiNodeTi = 0;
  bool bInNode = false;
  bool bLongForm = false;
  bool bDigits = false;
  uint8_t ucN = *pNumSufCnt;
  uint8_t ucResult = SCPI_ERR_OK;

  // A common command is matched on its own: the path is skipped.
  if (!bParamMode && ucTextLen > ucPathLen && pText[0] == '*') uiTi = ucPathLen;

  char cText;
  for (;;) {
    cText = TextAt(pText, ucPathLen, ucTextLen, uiTi);
    if (uiSi >= ucSpecLen || pSpec[uiSi] == '\0') break;
    const char cSpec = pSpec[uiSi];

    if (cSpec == '[') {
      bInNode = true;
      uiNodeTi = uiTi;
      ++uiSi;
    } else if (cSpec == ']') {
      bInNode = false;
      ++uiSi;
    } else if (cSpec == '#') {
      if (ucN >= MAX_NUM_SUFFIX) return SCPI_ERR_TOO_MANY_NUM_SUF;
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
      if (cSpec == ':') bLongForm = false;
      if (ToLower(cSpec) == ToLower(cText)) {
        if (IsLower(cSpec)) bLongForm = true;
        ++uiSi;
        ++uiTi;
      } else if (IsLower(cSpec) && !bLongForm) {
        // Short form: skip the rest of the long form and compare the same text character again.
        while (uiSi < ucSpecLen && IsLower(pSpec[uiSi])) ++uiSi;
      } else if (bInNode) {
        // The optional node is absent: retry its text against what follows the node.
        uiTi = uiNodeTi;
        while (uiSi < ucSpecLen && pSpec[uiSi] != '\0' && pSpec[uiSi] != ']') ++uiSi;
      } else {
        return SCPI_ERR_INVALID_CMD;
      }
    }
  }

  if (cText != '\0') return SCPI_ERR_INVALID_CMD;
  if (ucResult == SCPI_ERR_OK) *pNumSufCnt = ucN;
  return ucResult;
}

void ResetTree() { ucPathTextLen = 0; }

void SetTreePath(uint8_t ucCmdIndex) {
  const char* pSpec = CmdSpecs[ucCmdIndex];
  unsigned uiPrefixLen = 0;
  for (unsigned ui = 0; pSpec[ui] != '\0'; ++ui) {
    if (pSpec[ui] == ':') uiPrefixLen = ui + 1;
  }
  // A prefix text that would not fit is cut at MAX_COUNT characters: no effective header can
  // then fit either, so nothing is recognised through it, as nothing could be.
  uint8_t ucLen = 0;
  for (unsigned ui = 0; ui < uiPrefixLen && ucLen < MAX_COUNT; ++ui) {
    const char c = pSpec[ui];
    if (c != '[' && c != ']') acPathText[ucLen++] = c;
  }
  ucPathTextLen = ucLen;
}

uint8_t TreePathTextLen() { return ucPathTextLen; }

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
