// SPDX-License-Identifier: MIT
// Table checker: reads the table no further than is safe, checks every command and unit
// suffix, and finds the entries that an earlier one leaves no input.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "checker_internal.h"

namespace scpi_checker {

namespace {

// More inputs than this and a header is not compared with the headers before it.
constexpr size_t MAX_INPUTS = 4096;
// Acceptances read at most, and the longest read of one: a specification, a blank and a name.
constexpr size_t MAX_ACCEPTANCES = 1024;
constexpr size_t MAX_ACCEPTANCE = 2 * MAX_TEXT;

// One command as read from the table.
struct SCommand {
  unsigned uiNum = 0;
  std::string sEntry;
  std::string sSpec;
  const SParamSpec* psSlots = nullptr;
  bool bSound = false;  // its header is checked and its nodes are sound
  std::vector<SNode> vNodes;
};

// Reads the commands: up to the known count, or up to the "" that ends CmdSpecs.
std::vector<SCommand> ReadCommands(const STable& sTable, Reporter& r) {
  std::vector<SCommand> v;
  const bool bCounted = sTable.iCount != COUNT_UNKNOWN;
  // A hand-written table is read up to its "", or up to the entry that must hold it.
  unsigned uiCount = SCPI_MAX_COMMANDS + 1;
  if (bCounted) {
    uiCount = static_cast<unsigned>(sTable.iCount);
    if (uiCount > SCPI_MAX_COMMANDS) {
      r.Error(CommandEntry(SCPI_MAX_COMMANDS, sTable.ppCmdSpecs[SCPI_MAX_COMMANDS]),
              "more than 255 commands (" + std::to_string(uiCount) +
                  "): the parser stops at command 255 (command numbers are 8-bit)");
      uiCount = SCPI_MAX_COMMANDS;
    }
  }
  bool bEnded = false;
  for (unsigned ui = 0; ui < uiCount; ++ui) {
    const char* pSpec = sTable.ppCmdSpecs[ui];
    const std::string sEntry = CommandEntry(ui, pSpec);
    r.Entry(sEntry, pSpec == nullptr ? "" : std::string(pSpec, strnlen(pSpec, MAX_TEXT + 1)));
    if (pSpec == nullptr) {
      r.Error(sEntry,
              "NULL instead of a header specification: the parser would crash here; "
              "CmdSpecs ends with \"\"");
      if (!bCounted) return v;
      continue;
    }
    if (*pSpec == '\0') {
      if (!bCounted) return v;
      if (!bEnded) {
        r.Error(sEntry,
                "empty header specification: the parser ends the table here, so the "
                "commands after it are never tried");
      }
      bEnded = true;
      continue;
    }
    if (!bCounted && ui == SCPI_MAX_COMMANDS) {
      r.Error(sEntry,
              "CmdSpecs holds no \"\" among its first 256 entries: either the \"\" at "
              "its end is missing, or it has more than 255 commands, and the parser "
              "stops at command 255 (command numbers are 8-bit)");
      return v;
    }
    SCommand c;
    c.uiNum = ui;
    c.sEntry = sEntry;
    c.psSlots = sTable.psSlots != nullptr ? sTable.psSlots + ui * sTable.uiWidth
                                          : sTable.pParamSpecs[ui];
    if (strnlen(pSpec, MAX_TEXT + 1) > MAX_TEXT) {
      const std::string sMax = std::to_string(MAX_TEXT);
      r.Error(sEntry, "longer than " + sMax + " characters: the parser reads only the first " + sMax);
    } else {
      c.sSpec = pSpec;
      c.bSound = true;
    }
    v.push_back(c);
  }
  if (bCounted) {
    const char* pEnd = sTable.ppCmdSpecs[uiCount];
    if (pEnd == nullptr || *pEnd != '\0') {
      r.Error(CommandEntry(uiCount, pEnd), "CmdSpecs has no \"\" after its last command (" +
                                               std::to_string(uiCount) +
                                               " commands): the parser reads on past the table");
    }
  }
  return v;
}

// The warnings about unreachable commands and the tree path follow the library's own rules for
// the path and optional nodes; the standard rules keep the path as typed and recognise more.
// The parameters a command takes: slot types, counts and which slots may be empty.
struct SSlots {
  unsigned uiUsed = 0;  // slots before the first P_NONE
  unsigned uiMin = 0;   // 1 + the last used slot without PS_OPTIONAL
};

SSlots Slots(const SParamSpec* psSlots, unsigned uiWidth) {
  SSlots s;
  const uint8_t ucUsed = scpi::UsedSlots(psSlots, static_cast<uint8_t>(uiWidth));
  s.uiUsed = ucUsed;
  s.uiMin = scpi::RequiredSlots(psSlots, ucUsed);
  return s;
}

// Whether command i accepts every parameter section that command j accepts: a count range
// around j's, and each of j's parameters in a slot of the same type and record, or an
// unquoted string, which takes anything; empty where j's may be empty.
bool TakesAllParameters(const SParamSpec* psI, const SParamSpec* psJ, unsigned uiWidth) {
  const SSlots sI = Slots(psI, uiWidth);
  const SSlots sJ = Slots(psJ, uiWidth);
  if (sI.uiMin > sJ.uiMin || sI.uiUsed < sJ.uiUsed) return false;
  for (unsigned ui = 0; ui < sJ.uiUsed; ++ui) {
    const SParamSpec& sSlotI = psI[ui];
    const SParamSpec& sSlotJ = psJ[ui];
    if (sSlotI.ePType == P_UNQ_STR) continue;
    if (sSlotI.ePType != sSlotJ.ePType || sSlotI.pAttr != sSlotJ.pAttr) return false;
    if ((sSlotJ.ucFlags & PS_OPTIONAL) && !(sSlotI.ucFlags & PS_OPTIONAL)) return false;
  }
  return true;
}

// Warns about each command whose every input an earlier command takes, parameters and all.
void WarnUnreachable(const std::vector<SCommand>& vCommands, unsigned uiWidth, Reporter& r) {
  for (size_t uiJ = 0; uiJ < vCommands.size(); ++uiJ) {
    const SCommand& sJ = vCommands[uiJ];
    if (!sJ.bSound) continue;
    std::vector<SHeaderInput> vAll;
    if (!HeaderInputs(sJ.sSpec, sJ.vNodes, MAX_INPUTS, &vAll)) continue;
    std::vector<std::string> vInputs;
    for (const SHeaderInput& sInput : vAll) {
      if (Walk(sJ.sSpec, sInput.sText, nullptr) == SCPI_ERR_OK) vInputs.push_back(sInput.sText);
    }
    if (vInputs.empty()) continue;
    for (size_t uiI = 0; uiI < uiJ; ++uiI) {
      const SCommand& sI = vCommands[uiI];
      if (!sI.bSound || !TakesAllParameters(sI.psSlots, sJ.psSlots, uiWidth)) continue;
      bool bAll = true;
      for (const std::string& sInput : vInputs) {
        if (Walk(sI.sSpec, sInput, nullptr) != SCPI_ERR_OK) {
          bAll = false;
          break;
        }
      }
      if (!bAll) continue;
      r.Warning(sJ.sEntry, WARN_UNREACHABLE, "no input reaches this command: " + sI.sEntry +
                               " comes first and takes every input it would take");
      break;
    }
  }
}

// The command tree path a command leaves (up to its last ':', brackets left out), and the
// one its header would suggest (up to its last ':' outside optional nodes).
std::string PathText(const std::string& sSpec, size_t uiEnd) {
  std::string s;
  for (size_t ui = 0; ui < uiEnd; ++ui) {
    if (sSpec[ui] != '[' && sSpec[ui] != ']') s += sSpec[ui];
  }
  return s;
}

// Whether the command's last ':' lies in an optional node after the header's first keyword.
bool EndsInOptionalNodes(const SCommand& c) {
  if (!c.bSound || c.sSpec.empty() || c.sSpec[0] == '*') return false;
  const size_t uiColon = c.sSpec.rfind(':');
  if (uiColon == std::string::npos) return false;
  for (const SNode& sNode : c.vNodes) {
    if (sNode.uiOpen > 0 && sNode.uiOpen < uiColon && uiColon < sNode.uiClose) return true;
  }
  return false;
}

// The note, given once, that optional nodes at the end of a header join the command tree path.
void NoteTrailingNodes(const std::vector<SCommand>& vCommands, Reporter& r) {
  const SCommand* psFirst = nullptr;
  unsigned uiCount = 0;
  for (const SCommand& c : vCommands) {
    if (!EndsInOptionalNodes(c)) continue;
    if (psFirst == nullptr) psFirst = &c;
    ++uiCount;
  }
  if (psFirst == nullptr) return;
  const std::string& sSpec = psFirst->sSpec;
  const size_t uiLast = sSpec.rfind(':');
  // The run of optional nodes at the end that holds the last ':', and the path before it.
  size_t uiRun = psFirst->vNodes.size();
  while (uiRun > 0 && psFirst->vNodes[uiRun - 1].uiClose > uiLast) --uiRun;
  while (uiRun > 0 && psFirst->vNodes[uiRun - 1].uiClose + 1 == psFirst->vNodes[uiRun].uiOpen) {
    --uiRun;
  }
  const size_t uiBefore = sSpec.rfind(':', psFirst->vNodes[uiRun].uiOpen);
  const size_t uiOutside = uiBefore == std::string::npos ? 0 : uiBefore + 1;
  const std::string sOutside = PathText(sSpec, uiOutside);
  r.Warning(psFirst->sEntry, WARN_TREE_PATH,
            "note: optional nodes at the end of a header join the command tree path: after this "
            "command the path is " +
                Quoted(PathText(sSpec, uiLast + 1)) + ", not " +
                (sOutside.empty() ? std::string("the root") : Quoted(sOutside)) +
                ", and the next command of the same line is looked for under it (after \"VOLT 5\" "
                "for \"[SOURce:]VOLTage[:LEVel]\", \"CURR 1\" becomes SOURce:VOLTage:CURR and is "
                "not found); begin such a command with ':'. " +
                std::to_string(uiCount) +
                (uiCount == 1 ? " command of this table ends" : " commands of this table end") +
                " in optional nodes; this note is given once");
}

}  // namespace

Reporter::Reporter(const LineSink& fnLine, const char* const* ppAccepted) : fnLine_(fnLine) {
  for (size_t ui = 0; ppAccepted != nullptr && ui < MAX_ACCEPTANCES; ++ui) {
    if (ppAccepted[ui] == nullptr || *ppAccepted[ui] == '\0') break;
    const std::string s(ppAccepted[ui], strnlen(ppAccepted[ui], MAX_ACCEPTANCE));
    const size_t uiBlank = s.rfind(' ');
    if (uiBlank == std::string::npos) {
      vAccepted_.push_back({s, "", false});
    } else {
      vAccepted_.push_back({s.substr(0, uiBlank), s.substr(uiBlank + 1), false});
    }
  }
}

void Reporter::Entry(const std::string& sEntry, const std::string& sSpec) {
  vEntries_.emplace_back(sEntry, sSpec);
}

void Reporter::Add(const std::string& sEntry, const std::string& sText) {
  size_t uiOrder = 0;
  while (uiOrder < vEntries_.size() && vEntries_[uiOrder].first != sEntry) ++uiOrder;
  vLines_.push_back({uiOrder, sEntry + sText});
}

void Reporter::Error(const std::string& sEntry, const std::string& sText) {
  ++uiErrors_;
  Add(sEntry, ": error: " + sText);
}

void Reporter::Warning(const std::string& sEntry, const char* pName, const std::string& sText) {
  for (const auto& entry : vEntries_) {
    if (entry.first != sEntry) continue;
    for (SAcceptance& sAccept : vAccepted_) {
      if (sAccept.sSpec != entry.second || sAccept.sName != pName) continue;
      sAccept.bUsed = true;
      ++uiAccepted_;
      Add(sEntry, ": accepted: " + sText);
      return;
    }
    break;
  }
  ++uiWarnings_;
  Add(sEntry, ": warning: " + sText);
}

void Reporter::Flush() {
  for (size_t ui = 0; ui < vAccepted_.size(); ++ui) {
    const SAcceptance& sAccept = vAccepted_[ui];
    if (sAccept.bUsed) continue;
    ++uiWarnings_;
    Add("accepted warning " + std::to_string(ui) + " " + Quoted(sAccept.sSpec + " " + sAccept.sName),
        ": warning: no command " + Quoted(sAccept.sSpec) + " gets a warning " +
            Quoted(sAccept.sName) + " to accept: the acceptance is out of date");
  }
  std::stable_sort(vLines_.begin(), vLines_.end(),
                   [](const SLine& a, const SLine& b) { return a.uiOrder < b.uiOrder; });
  for (const SLine& sLine : vLines_) fnLine_(sLine.sText);
  vLines_.clear();
}

std::string Quoted(const std::string& sText) {
  std::string s = "\"";
  for (char c : sText) {
    const unsigned char uc = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (uc < 32 || uc > 126) {
      char acHex[5];
      std::snprintf(acHex, sizeof acHex, "\\x%02X", uc);
      s += acHex;
    } else {
      s += c;
    }
  }
  return s + "\"";
}

std::string CommandEntry(unsigned uiNum, const char* pSpec) {
  return "command " + std::to_string(uiNum) + " " +
         (pSpec == nullptr ? std::string("NULL")
                           : Quoted(std::string(pSpec, strnlen(pSpec, MAX_TEXT + 1))));
}

std::string SuffixEntry(unsigned uiNum, const char* pSuffix) {
  return "unit suffix " + std::to_string(uiNum) + " " +
         (pSuffix == nullptr ? std::string("NULL") : Quoted(pSuffix));
}

const char* TypeName(EPType ePType) {
  static const char* const NAMES[] = {"P_NONE",    "P_NUM",  "P_BOOL",     "P_CH_DAT",   "P_STR",
                                      "P_UNQ_STR", "P_EXPR", "P_NUM_LIST", "P_CHAN_LIST",
                                      "P_BLOCK"};
  return ePType <= P_BLOCK ? NAMES[ePType] : "of no EPType value";
}

SCheckResult CheckTable(const STable& sTable, const LineSink& fnLine) {
  Reporter r(fnLine, sTable.ppAccepted);
  const bool bLibraryRules = sTable.ucRules != SCPI_RULES_STANDARD;
  std::vector<SCommand> vCommands = ReadCommands(sTable, r);
  CheckedRecords sChecked;
  for (SCommand& c : vCommands) {
    if (c.bSound) c.bSound = CheckHeader(c.sEntry, c.sSpec, r, &c.vNodes);
    const unsigned uiChoiceSuffixes = CheckSlots(c.sEntry, c.psSlots, sTable.uiWidth, sChecked, r);
    const unsigned uiHeaderSuffixes = CountSuffixes(c.sSpec);
    if (uiHeaderSuffixes <= MAX_NUM_SUFFIX &&
        uiHeaderSuffixes + uiChoiceSuffixes > MAX_NUM_SUFFIX) {
      r.Error(c.sEntry, "up to " + std::to_string(uiHeaderSuffixes + uiChoiceSuffixes) +
                            " numeric suffixes, " + std::to_string(uiHeaderSuffixes) +
                            " in the header and " + std::to_string(uiChoiceSuffixes) +
                            " in its choices, more than " + std::to_string(MAX_NUM_SUFFIX) +
                            " (MAX_NUM_SUFFIX): such inputs get SCPI_ERR_TOO_MANY_NUM_SUF");
    }
    if (c.bSound) WarnShortForms(c.sEntry, "", c.sSpec, r);
    if (c.bSound && bLibraryRules) {
      WarnHeader(c.sEntry, c.sSpec, c.vNodes, uiChoiceSuffixes > 0, r);
    }
  }
  if (bLibraryRules) {
    WarnUnreachable(vCommands, sTable.uiWidth, r);
    NoteTrailingNodes(vCommands, r);
  }
  SCheckResult sResult;
  sResult.uiCommands = static_cast<unsigned>(vCommands.size());
  sResult.uiUnitSuffixes = CheckUnitSuffixes(sTable.psUnitSuffixes, r);
  r.Flush();
  sResult.uiErrors = r.Errors();
  sResult.uiAccepted = r.Accepted();
  sResult.uiWarnings = r.Warnings();
  return sResult;
}

}  // namespace scpi_checker
