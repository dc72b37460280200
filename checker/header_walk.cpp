// SPDX-License-Identifier: MIT
// Table checker: the parser's keyword matcher over plain text, and the inputs a header
// specification is written for, so that the checker can see which inputs an entry takes.
#include <cstdint>

#include "checker_internal.h"

namespace scpi_checker {

namespace {

bool SameIgnoringCase(char c1, char c2) { return ToUpper(c1) == ToUpper(c2); }

}  // namespace

uint8_t Walk(const std::string& sSpec, const std::string& sText, std::vector<bool>* pvTaken) {
  size_t uiSi = 0;
  size_t uiTi = 0;
  size_t uiNodeTi = 0;
  size_t uiNode = 0;  // optional nodes opened so far
  unsigned uiSuffixes = 0;
  uint32_t uiSuffix = 0;
  uint8_t ucResult = SCPI_ERR_OK;
  bool bInNode = false;
  bool bAbandoned = false;  // the current node was found absent
  bool bLongForm = false;
  bool bDigits = false;
  if (pvTaken != nullptr) pvTaken->clear();

  auto charAt = [&sText](size_t uiIndex) { return uiIndex < sText.size() ? sText[uiIndex] : '\0'; };
  while (uiSi < sSpec.size()) {
    const char cSpec = sSpec[uiSi];
    const char cText = charAt(uiTi);
    if (cSpec == '[') {
      bInNode = true;
      bAbandoned = false;
      uiNodeTi = uiTi;
      ++uiSi;
    } else if (cSpec == ']') {
      if (pvTaken != nullptr) pvTaken->push_back(bInNode && !bAbandoned);
      bInNode = false;
      ++uiNode;
      ++uiSi;
    } else if (cSpec == '#') {
      if (uiSuffixes >= MAX_NUM_SUFFIX) return SCPI_ERR_TOO_MANY_NUM_SUF;
      if (IsDigit(cText)) {
        if (!bDigits) uiSuffix = 0;
        bDigits = true;
        const uint32_t uiNext = uiSuffix * 10 + static_cast<uint32_t>(cText - '0');
        if (uiSuffix > MAX_NUM_SUFFIX_VALUE / 10 || uiNext > MAX_NUM_SUFFIX_VALUE) {
          ucResult = SCPI_ERR_INVALID_NUM_SUF;
        } else {
          uiSuffix = uiNext;
        }
        ++uiTi;
      } else {
        if (bDigits && uiSuffix < 1) ucResult = SCPI_ERR_INVALID_NUM_SUF;
        bDigits = false;
        ++uiSuffixes;
        ++uiSi;
      }
    } else {
      if (cSpec == ':') bLongForm = false;
      if (SameIgnoringCase(cSpec, cText)) {
        if (IsLower(cSpec)) bLongForm = true;
        ++uiSi;
        ++uiTi;
      } else if (IsLower(cSpec) && !bLongForm) {
        while (uiSi < sSpec.size() && IsLower(sSpec[uiSi])) ++uiSi;
      } else if (bInNode) {
        uiTi = uiNodeTi;
        bAbandoned = true;
        while (uiSi < sSpec.size() && sSpec[uiSi] != ']') ++uiSi;
      } else {
        return SCPI_ERR_INVALID_CMD;
      }
    }
  }
  return charAt(uiTi) != '\0' ? uint8_t{SCPI_ERR_INVALID_CMD} : ucResult;
}

namespace {

// The digits an input gives for a '#' when it gives any.
constexpr char SUFFIX_DIGITS[] = "3";

struct SInputWalk {
  const std::string& sSpec;
  const std::vector<SNode>& vNodes;
  size_t uiLimit;
  std::vector<SHeaderInput>* pvInputs;
};

// Index of the node that opens at uiPos.
size_t NodeAt(const std::vector<SNode>& vNodes, size_t uiPos) {
  size_t ui = 0;
  while (vNodes[ui].uiOpen != uiPos) ++ui;
  return ui;
}

bool Collect(SInputWalk& w, size_t uiPos, std::string sText, std::vector<bool> vPresent) {
  const std::string& sSpec = w.sSpec;
  while (uiPos < sSpec.size()) {
    const char c = sSpec[uiPos];
    if (c == '[') {
      const size_t uiNode = NodeAt(w.vNodes, uiPos);
      vPresent[uiNode] = false;
      if (!Collect(w, w.vNodes[uiNode].uiClose + 1, sText, vPresent)) return false;
      vPresent[uiNode] = true;
      ++uiPos;
    } else if (c == ']') {
      ++uiPos;
    } else if (c == '#') {
      if (!Collect(w, uiPos + 1, sText + SUFFIX_DIGITS, vPresent)) return false;
      ++uiPos;
    } else if (IsLower(c)) {
      size_t uiEnd = uiPos;
      std::string sLong;
      while (uiEnd < sSpec.size() && IsLower(sSpec[uiEnd])) sLong += ToUpper(sSpec[uiEnd++]);
      if (!Collect(w, uiEnd, sText + sLong, vPresent)) return false;
      uiPos = uiEnd;  // the short form
    } else {
      sText += ToUpper(c);
      ++uiPos;
    }
  }
  if (w.pvInputs->size() >= w.uiLimit) return false;
  w.pvInputs->push_back({sText, vPresent});
  return true;
}

}  // namespace

bool HeaderInputs(const std::string& sSpec, const std::vector<SNode>& vNodes, size_t uiLimit,
                  std::vector<SHeaderInput>* pvInputs) {
  std::vector<SHeaderInput> vInputs;
  SInputWalk w{sSpec, vNodes, uiLimit, &vInputs};
  if (!Collect(w, 0, "", std::vector<bool>(vNodes.size(), true))) return false;
  *pvInputs = std::move(vInputs);
  return true;
}

}  // namespace scpi_checker
