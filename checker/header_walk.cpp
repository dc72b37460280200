// SPDX-License-Identifier: MIT
// Table checker: the parser's keyword walk over plain text, and the inputs a header
// specification is written for, so that the checker can see which inputs an entry takes.
#include <algorithm>
#include <cstdint>

#include "checker_internal.h"
#include "keyword_walk.h"

namespace scpi_checker {

uint8_t Walk(const std::string& sSpec, const std::string& sText, std::vector<bool>* pvTaken) {
  if (pvTaken != nullptr) pvTaken->clear();
  if (sSpec.size() > MAX_TEXT || sText.size() > MAX_TEXT) return SCPI_ERR_INVALID_CMD;
  uint32_t auiSuffixes[MAX_NUM_SUFFIX];
  uint8_t ucCount = 0;
  uint8_t aucTaken[MAX_TEXT] = {};
  scpi::SWalkStop sStop;
  const scpi::SWalkText sWalkText = {sText.data(), static_cast<uint8_t>(sText.size())};
  const uint8_t ucResult =
      scpi::WalkKeywords(sSpec.c_str(), static_cast<uint8_t>(sSpec.size()), sWalkText,
                         auiSuffixes, &ucCount, &sStop, 0, aucTaken);
  if (pvTaken != nullptr) {
    for (size_t ui = 0, uiNodes = std::count(sSpec.begin(), sSpec.end(), ']');
         ui < uiNodes && ucResult != SCPI_ERR_TOO_MANY_NUM_SUF; ++ui) {
      pvTaken->push_back(aucTaken[ui] != 0);
    }
  }
  return ucResult;
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
