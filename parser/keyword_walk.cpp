// SPDX-License-Identifier: MIT
// The keyword walk (keyword_walk.h).
#include "keyword_walk.h"

#include "scpi_internal.h"

namespace scpi {

namespace {

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

uint8_t WalkKeywords(const char* pSpec, uint8_t ucSpecLen, const SWalkText& sText,
                     uint32_t uiNumSuf[], uint8_t* pucN, SWalkStop* psStop, uint8_t ucOptions,
                     uint8_t* pucNodesTaken) {
  unsigned uiSi = 0;
  unsigned uiTi = 0;
  unsigned uiNodeTi = 0;
  uint8_t ucN = *pucN;
  uint8_t ucResult = SCPI_ERR_OK;
  bool bInNode = false;
  bool bLongForm = false;  // a lower-case letter of the current keyword has matched
  bool bDigits = false;    // reading the digits of a suffix
  bool bMismatch = false;
  bool bAbandoned = false;  // the current node was found absent
  unsigned uiNodes = 0;
  uint32_t uiSuffix = 0;   // the suffix being read, when it is not stored
  unsigned uiSkipEnd = 0;  // where the last skip ended; the stop of a resumed walk is past it
  if (ucOptions & WALK_RESUME) {
    uiSi = psStop->ucSi;
    uiTi = psStop->ucTi;
    uiNodeTi = psStop->ucNodeTi;
    ucN = psStop->ucN;
    ucResult = psStop->ucResult;
    bInNode = psStop->bInNode;
    bLongForm = psStop->bLongForm;
  }

  char cText;
  for (;;) {
    cText = CharAt(sText, uiTi);
    if (uiSi >= ucSpecLen) break;
    const char cSpec = pSpec[uiSi];
    const uint8_t ucClass = SpecClass(cSpec);

    if (ucClass >= SC_LONG_FORM && SameIgnoringCase(cSpec, cText)) {
      // A lower-case letter continues a long form; a ':' starts a new keyword.
      bLongForm = ucClass == SC_LONG_FORM || (bLongForm && ucClass == SC_REQUIRED);
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
        bAbandoned = true;
        while (uiSi < ucSpecLen && pSpec[uiSi] != '\0' && pSpec[uiSi] != ']') ++uiSi;
        uiSkipEnd = uiSi;
      } else {
        bMismatch = true;
        break;
      }
    } else if (ucClass == SC_NODE_OPEN) {
      bInNode = true;
      bAbandoned = false;
      uiNodeTi = uiTi;
      ++uiSi;
    } else if (ucClass == SC_NODE_CLOSE) {
      if (pucNodesTaken != nullptr && uiNodes < MAX_COUNT) {
        pucNodesTaken[uiNodes++] = bInNode && !bAbandoned;
      }
      bInNode = false;
      ++uiSi;
    } else if (ucClass == SC_SUFFIX) {
      uint32_t* puiSuffix = uiNumSuf != nullptr ? &uiNumSuf[ucN] : &uiSuffix;
      if (uiNumSuf != nullptr && ucN >= MAX_NUM_SUFFIX) {
        return SCPI_ERR_TOO_MANY_NUM_SUF;  // a fault of the table
      }
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
        if (uiNumSuf != nullptr) ++ucN;
        ++uiSi;
      }
    } else {
      break;  // the NUL that ends a header specification
    }
  }

  *pucN = ucN;
  // uiSi only grows, and every character read stood at or before it.
  *psStop = SWalkStop{static_cast<uint8_t>(uiSi), cText, static_cast<uint8_t>(uiTi),
                      static_cast<uint8_t>(uiNodeTi), ucN, ucResult, bInNode, bLongForm,
                      uiSi != uiSkipEnd};
  // Text the header specification did not consume fails the walk as well.
  if (!bMismatch && (cText == '\0' || (ucOptions & WALK_PREFIX))) return ucResult;
  return SCPI_ERR_INVALID_CMD;
}

}  // namespace scpi
