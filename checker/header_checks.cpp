// SPDX-License-Identifier: MIT
// Table checker: the header specifications themselves, and the optional nodes of headers and
// choices.
#include <algorithm>
#include <cstdint>

#include "checker_internal.h"

namespace scpi_checker {

namespace {

// More inputs than this and a header's optional nodes are not simulated.
constexpr size_t MAX_INPUTS = 4096;

std::string Position(size_t uiPos) { return "position " + std::to_string(uiPos + 1); }

bool IsHeaderChar(char c) {
  return IsUpper(c) || IsLower(c) || IsDigit(c) || c == '_' || c == ':' || c == '*' || c == '?' ||
         c == '#' || c == '[' || c == ']';
}

std::string CharName(char c) {
  if (c == ' ') return "' '";
  if (static_cast<unsigned char>(c) < 33 || static_cast<unsigned char>(c) > 126) {
    return Quoted(std::string(1, c)).substr(1, 4);
  }
  return std::string("'") + c + "'";
}

}  // namespace

std::string FindNodes(const std::string& sText, std::vector<SNode>* pvNodes) {
  pvNodes->clear();
  bool bOpen = false;
  size_t uiOpen = 0;
  for (size_t ui = 0; ui < sText.size(); ++ui) {
    if (sText[ui] == '[') {
      if (bOpen) {
        return "'[' at " + Position(ui) + " inside the optional node opened at " +
               Position(uiOpen) + ": optional nodes cannot be nested";
      }
      bOpen = true;
      uiOpen = ui;
    } else if (sText[ui] == ']') {
      if (!bOpen) return "']' at " + Position(ui) + " without its '['";
      const std::string sNode = sText.substr(uiOpen, ui - uiOpen + 1);
      if (sNode.find_first_not_of("[:]") == std::string::npos) {
        return "optional node " + Quoted(sNode) + " at " + Position(uiOpen) +
               " is empty: it needs a keyword";
      }
      pvNodes->push_back({uiOpen, ui});
      bOpen = false;
    }
  }
  if (bOpen) return "'[' at " + Position(uiOpen) + " without its ']'";
  return "";
}

unsigned CountSuffixes(const std::string& sText) {
  return static_cast<unsigned>(std::count(sText.begin(), sText.end(), '#'));
}

bool CheckHeader(const std::string& sEntry, const std::string& sSpec, Reporter& r,
                 std::vector<SNode>* pvNodes) {
  for (size_t ui = 0; ui < sSpec.size(); ++ui) {
    const char c = sSpec[ui];
    if (IsWhiteSpace(c)) {
      r.Error(sEntry, "white space " + CharName(c) + " at " + Position(ui) +
                          ": a header ends at white space, so no input reaches this command");
      break;
    }
    if (!IsHeaderChar(c)) {
      r.Error(sEntry, "character " + CharName(c) + " at " + Position(ui) +
                          " cannot be in a header specification (only letters, digits, '_', ':',"
                          " '*', '?', '#', '[' and ']')");
      break;
    }
  }
  const std::string sNodes = FindNodes(sSpec, pvNodes);
  if (!sNodes.empty()) r.Error(sEntry, sNodes);
  const unsigned uiSuffixes = CountSuffixes(sSpec);
  if (uiSuffixes > MAX_NUM_SUFFIX) {
    r.Error(sEntry, std::to_string(uiSuffixes) + " numeric suffixes ('#'), more than " +
                        std::to_string(MAX_NUM_SUFFIX) +
                        " (MAX_NUM_SUFFIX): the parser answers every input with "
                        "SCPI_ERR_TOO_MANY_NUM_SUF");
  }
  return sNodes.empty();
}

void WarnShortForms(const std::string& sEntry, const std::string& sWhere, const std::string& sText,
                    Reporter& r) {
  std::string sKeyword;
  bool bLower = false;
  bool bUpper = false;
  for (size_t ui = 0; ui <= sText.size(); ++ui) {
    const char c = ui < sText.size() ? sText[ui] : ':';
    if (c == ':' || c == '[' || c == ']' || c == scpi::CHOICE_SEPARATOR) {
      if (bLower && !bUpper) {
        r.Warning(sEntry, WARN_NO_SHORT_FORM,
                  sWhere + "keyword " + Quoted(sKeyword) +
                      " has no upper-case letter, so its short form is empty: the parser "
                      "takes it left out altogether (write its short form in upper case)");
      }
      sKeyword.clear();
      bLower = bUpper = false;
      continue;
    }
    sKeyword += c;
    bLower = bLower || IsLower(c);
    bUpper = bUpper || IsUpper(c);
  }
}

void WarnHeader(const std::string& sEntry, const std::string& sSpec,
                const std::vector<SNode>& vNodes, bool bSuffixLater, Reporter& r) {
  // A node that is left out stores no suffix; that matters only where a later suffix then
  // moves up into its place.
  for (const SNode& sNode : vNodes) {
    const std::string sText = sSpec.substr(sNode.uiOpen, sNode.uiClose - sNode.uiOpen + 1);
    if (sText.find('#') == std::string::npos) continue;
    if (!bSuffixLater && sSpec.find('#', sNode.uiClose) == std::string::npos) continue;
    r.Warning(sEntry, WARN_SUFFIX_IN_NODE,
              "'#' in optional node " + Quoted(sText) +
                  ": when an input leaves the node out, no suffix is stored for it, so the "
                  "suffixes after it move up one place");
  }

  // An input that leaves a node out, but whose following text the node takes. (The standard
  // rules try every choice of nodes, so there such an input is recognised.)
  std::vector<SHeaderInput> vInputs;
  if (vNodes.empty() || !HeaderInputs(sSpec, vNodes, MAX_INPUTS, &vInputs)) return;
  std::vector<std::string> vExample(vNodes.size());
  std::vector<bool> vTaken;
  for (const SHeaderInput& sInput : vInputs) {
    if (Walk(sSpec, sInput.sText, &vTaken) == SCPI_ERR_OK) continue;
    for (size_t ui = 0; ui < vNodes.size() && ui < vTaken.size(); ++ui) {
      if (sInput.vPresent[ui] || !vTaken[ui]) continue;
      std::string& sExample = vExample[ui];
      if (sExample.empty() || sInput.sText.size() < sExample.size()) sExample = sInput.sText;
      break;
    }
  }
  for (size_t ui = 0; ui < vNodes.size(); ++ui) {
    if (vExample[ui].empty()) continue;
    const SNode& sNode = vNodes[ui];
    r.Warning(sEntry, WARN_NODE_TAKES_NEXT, "optional node " +
                          Quoted(sSpec.substr(sNode.uiOpen, sNode.uiClose - sNode.uiOpen + 1)) +
                          " also takes the start of what follows it: an input that leaves it "
                          "out, such as " +
                          Quoted(vExample[ui]) +
                          ", is never recognised (the matcher goes back at most one node)");
  }
}

}  // namespace scpi_checker
