// SPDX-License-Identifier: MIT
// The standard SCPI rules (built with SCPI_STANDARD_RULES): the tree path is the previous header
// as typed, and a header matches when any choice of optional nodes matches it.
//
// Built twice: with a small power-supply table of its own (standard_rules_test), and with
// ORVANE_DEMO_TABLE against the demo instrument's table (standard_rules_demo_test), where the
// lines that behave differently under the standard rules are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>
#include "scpi_internal.h"

static_assert(SCPI_STANDARD_RULES, "these tests are for a build with the standard SCPI rules");

#ifndef ORVANE_DEMO_TABLE
namespace {
const SNumAttr Volts = {U_VOLT, nullptr, 0};
const SNumAttr Amps = {U_AMP, nullptr, 0};
const SNumAttr Plain = {U_NONE, nullptr, 0};
const SBoolAttr OnOff = {0};
const SCharDataAttr Modes = {"NORMal|PULSe", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
}  // namespace

const char* const CmdSpecs[] = {
    "*CLS",                                                // 0
    "*RST",                                                // 1
    "[SOURce#:]VOLTage[:LEVel][:IMMediate][:AMPLitude]",   // 2
    "[SOURce#:]VOLTage[:LEVel][:IMMediate][:AMPLitude]?",  // 3
    "[SOURce#:]CURRent[:LEVel][:IMMediate][:AMPLitude]",   // 4
    "OUTPut#[:STATe]",                                     // 5
    "OUTPut#[:STATe]?",                                    // 6
    "OUTPut[:MODulation]:MODE",                            // 7: the node reads the start of MODE
    "OUTPut#:MOD#:FM#",                                    // 8
    "MEASure#[:SCALar][:CURRent#][:DC]?",                  // 9
    "DISPlay#[:WINDow#][:WINDow]:CLEar",                   // 10: «DISP:WIND:CLE» reads two ways
    "SYSTem:ERRor[:NEXT]?",                                // 11
    "SYSTem:ERRor:COUNt?",                                 // 12
    "A#:B#:C#:D#:E#:F#:G#:H#:I#:J#[:K#]",                  // 13: the node is an eleventh suffix
    ""};

const SParamSpec ParamSpecs[][MAX_PARAMS] = {
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},  {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NUM, &Volts}, {0, P_NONE, nullptr}},    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NUM, &Amps}, {0, P_NONE, nullptr}},     {{0, P_BOOL, &OnOff}, {0, P_NONE, nullptr}},
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},  {{0, P_CH_DAT, &Modes}, {0, P_NONE, nullptr}},
    {{0, P_NUM, &Plain}, {0, P_NONE, nullptr}},    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},  {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},  {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
};

const SUnitSuffix UnitSuffixes[] = {{"V", U_VOLT, 0}, {"A", U_AMP, 0}, {"", U_NONE, 0}};
#endif

namespace {

constexpr uint8_t NONE = 255;  // no command number (the call failed)

struct Outcome {
  uint8_t ucCode;
  uint8_t ucCmd;  // NONE unless ucCode is 0
  std::vector<uint32_t> suffixes;
  uint8_t ucPathLen;  // the tree path's length after the call
};

bool operator==(const Outcome& a, const Outcome& b) {
  return a.ucCode == b.ucCode && a.ucCmd == b.ucCmd && a.suffixes == b.suffixes &&
         a.ucPathLen == b.ucPathLen;
}

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  os << "{code " << unsigned{o.ucCode} << ", command " << unsigned{o.ucCmd} << ", suffixes";
  for (const uint32_t ui : o.suffixes) os << ' ' << ui;
  return os << ", path " << unsigned{o.ucPathLen} << '}';
}

Outcome ParseNext(const char** pp, bool bReset) {
  Outcome o{};
  uint8_t ucCmd = NONE, ucCnt = 0;
  SParam sParam[MAX_PARAMS];
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  o.ucCode = SCPI_Parse(pp, bReset ? 1 : 0, &ucCmd, sParam, &ucCnt, uiSuf);
  o.ucCmd = o.ucCode == SCPI_ERR_OK ? ucCmd : NONE;
  if (o.ucCode == SCPI_ERR_OK) o.suffixes.assign(uiSuf, uiSuf + ucCnt);
  o.ucPathLen = scpi::TreePathTextLen(scpi::LibraryContext());
  return o;
}

// Every command of a line, bResetTree on the first call only; the final "no command" left out.
std::vector<Outcome> ParseLine(const char* pLine, bool bReset = true) {
  std::vector<Outcome> outcomes;
  const char* p = pLine;
  for (int iCall = 0; iCall < 100; ++iCall, bReset = false) {
    const Outcome o = ParseNext(&p, bReset);
    if (o.ucCode == SCPI_ERR_NO_COMMAND) break;
    outcomes.push_back(o);
  }
  return outcomes;
}

// One command's expected outcome; the path length is left out of these rows.
struct Step {
  uint8_t ucCode;
  uint8_t ucCmd;
  std::vector<uint32_t> suffixes;
};

const Step UNRECOGNISED = {SCPI_ERR_INVALID_CMD, NONE, {}};

struct LineRow {
  const char* pLine;
  std::vector<Step> steps;
};

void ExpectLines(const std::vector<LineRow>& rows) {
  for (const LineRow& row : rows) {
    const std::vector<Outcome> got = ParseLine(row.pLine);
    ASSERT_EQ(got.size(), row.steps.size()) << row.pLine;
    for (size_t i = 0; i < got.size(); ++i) {
      const Step& want = row.steps[i];
      EXPECT_EQ(got[i].ucCode, want.ucCode) << row.pLine << " command " << i;
      EXPECT_EQ(got[i].ucCmd, want.ucCmd) << row.pLine << " command " << i;
      EXPECT_EQ(got[i].suffixes, want.suffixes) << row.pLine << " command " << i;
    }
  }
}

// ---- The rules spelled out, for generated commands ----------------------------------------------

// The required parts and optional nodes of a specification, brackets left out.
struct Part {
  std::string sText;
  bool bNode;
};

std::vector<Part> Parts(const char* pSpec) {
  std::vector<Part> parts{{"", false}};
  for (const char* p = pSpec; *p != '\0'; ++p) {
    if (*p == '[' || *p == ']') {
      parts.push_back({"", *p == '['});
    } else {
      parts.back().sText += *p;
    }
  }
  return parts;
}

// Every choice of nodes as a plain specification, matched by the plain rule; the choices are
// tried with the earliest node present first, and the first whose text fits decides.
uint8_t ReferenceHeader(const char* pSpec, const std::string& header,
                        std::vector<uint32_t>* pSuffixes) {
  const std::vector<Part> parts = Parts(pSpec);
  unsigned uiNodes = 0;
  for (const Part& part : parts) uiNodes += part.bNode ? 1 : 0;
  for (unsigned uiChoice = 1u << uiNodes; uiChoice-- > 0;) {
    std::string plain;
    unsigned uiNode = 0;
    for (const Part& part : parts) {
      if (!part.bNode || ((uiChoice >> (uiNodes - 1 - uiNode++)) & 1) != 0) plain += part.sText;
    }
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    uint8_t ucCnt = 0;
    const uint8_t ucCode = scpi::MatchKeywords(scpi::LibraryContext(), plain.c_str(), static_cast<uint8_t>(plain.size()),
                                               header.c_str(), static_cast<uint8_t>(header.size()),
                                               1, uiSuf, &ucCnt);
    pSuffixes->assign(uiSuf, uiSuf + ucCnt);
    if (ucCode != SCPI_ERR_INVALID_CMD) return ucCode;
  }
  return SCPI_ERR_INVALID_CMD;
}

// One command by the rules: the typed path in front, every entry in order, the first whose
// header and parameters fit wins, otherwise the smallest code. *pPath is the path's text.
Outcome ReferenceCommand(std::string command, bool bReset, std::string* pPath) {
  Outcome o{SCPI_ERR_INVALID_CMD, NONE, {}, 0};
  const size_t uiLen = command.size();
  if (!command.empty() && command[0] == ':') {
    command.erase(0, 1);
    bReset = true;
  }
  if (bReset) pPath->clear();
  size_t uiHeader = 0;
  while (uiHeader < command.size() && !scpi::IsWhiteSpace(command[uiHeader])) ++uiHeader;
  const bool bCommon = uiHeader > 0 && command[0] == '*';
  const std::string effective = (bCommon ? "" : *pPath) + command.substr(0, uiHeader);
  for (uint8_t k = 0; uiLen <= 255 && effective.size() <= 255 && CmdSpecs[k][0] != '\0'; ++k) {
    std::vector<uint32_t> suffixes;
    uint8_t ucCode = ReferenceHeader(CmdSpecs[k], effective, &suffixes);
    uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
    uint8_t ucCnt = static_cast<uint8_t>(suffixes.size());
    std::copy(suffixes.begin(), suffixes.end(), uiSuf);
    if (ucCode == SCPI_ERR_OK) {
      SParam sParam[MAX_PARAMS];
      ucCode = scpi::ParseParameters(scpi::LibraryContext(), k, command.c_str() + uiHeader,
                                     static_cast<uint8_t>(command.size() - uiHeader), sParam,
                                     uiSuf, &ucCnt);
    }
    if (ucCode == SCPI_ERR_OK) {
      o = Outcome{0, k, std::vector<uint32_t>(uiSuf, uiSuf + ucCnt), 0};
      if (!bCommon) *pPath = effective.substr(0, effective.find_last_of(':') + 1);
      break;
    }
    if (ucCode < o.ucCode) o.ucCode = ucCode;
  }
  o.ucPathLen = static_cast<uint8_t>(pPath->size());
  return o;
}

// Headers near the table's entries: nodes in or out, long or short keywords in any case,
// suffixes valid or not, now and then a character changed, leading keywords left to the path.
class CommandGenerator {
 public:
  // Entries with more suffixes than a command may have are left out: their code 5 depends on
  // how far a walk gets, which the rules above do not define.
  explicit CommandGenerator(unsigned uiSeed) : rng_(uiSeed) {
    for (const char* const* pp = CmdSpecs; **pp != '\0'; ++pp) {
      if (std::count(*pp, *pp + std::strlen(*pp), '#') <= MAX_NUM_SUFFIX) specs_.push_back(*pp);
    }
  }

  std::string Next() {
    const char* pSpec = specs_[Pick(static_cast<unsigned>(specs_.size()))];
    std::string header;
    bool bSkip = false, bLong = Pick(2) == 0;
    for (const char* p = pSpec; *p != '\0'; ++p) {
      const char c = *p;
      if (c == '[' || c == ']') {
        bSkip = c == '[' && Pick(2) == 0;
      } else if (bSkip) {
        continue;
      } else if (c == '#') {
        static const char* const apSuffixes[] = {"", "", "2", "17", "0"};
        header += apSuffixes[Pick(5)];
      } else if (std::islower(static_cast<unsigned char>(c))) {
        if (bLong) header += Cased(c);
      } else {
        if (c == ':') bLong = Pick(2) == 0;
        header += Cased(c);
      }
    }
    if (Pick(6) == 0 && !header.empty()) {
      header[Pick(static_cast<unsigned>(header.size()))] = "S:M#2"[Pick(5)];
    }
    const size_t uiColon = header.find(':', 1);
    if (Pick(3) == 0 && uiColon != std::string::npos) header.erase(0, uiColon + 1);
    if (header.empty()) return Next();
    if (Pick(8) == 0) header.insert(0, ":");
    static const char* const apParams[] = {"", "", " 5", " ON", " PULS", " 1,2", " (1)"};
    return header + apParams[Pick(7)];
  }

 private:
  unsigned Pick(unsigned uiCount) {
    return std::uniform_int_distribution<unsigned>(0, uiCount - 1)(rng_);
  }

  char Cased(char c) {
    const int i = static_cast<unsigned char>(c);
    return static_cast<char>(Pick(2) ? std::toupper(i) : std::tolower(i));
  }

  std::mt19937 rng_;
  std::vector<const char*> specs_;
};

void ExpectTheRulesOnGeneratedLines(unsigned uiSeed) {
  CommandGenerator gen(uiSeed);
  std::string path;
  unsigned uiRecognised = 0;
  for (int iLine = 0; iLine < 3000; ++iLine) {
    for (int iCmd = 0; iCmd < 3; ++iCmd) {  // later commands of a line read the path
      const std::string command = gen.Next();
      const Outcome want = ReferenceCommand(command, iCmd == 0, &path);
      const char* p = command.c_str();
      const Outcome got = ParseNext(&p, iCmd == 0);
      ASSERT_EQ(got, want) << command << " after path \"" << path << '"';
      uiRecognised += got.ucCode == SCPI_ERR_OK ? 1 : 0;
    }
  }
  EXPECT_GT(uiRecognised, 1000u);  // the lines reach deep enough to be recognised often
}

#ifndef ORVANE_DEMO_TABLE

// ---- Compound paths as typed --------------------------------------------------------------------

TEST(StandardRules, BenchSupplyLines) {
  ExpectLines({
      {"VOLT 5;CURR 1", {{0, 2, {}}, {0, 4, {}}}},
      {"SOUR:VOLT 5;CURR 1", {{0, 2, {1}}, {0, 4, {1}}}},
      {"OUTP ON;OUTP OFF", {{0, 5, {1}}, {0, 5, {1}}}},
      {"OUTP2:STAT ON;STAT OFF", {{0, 5, {2}}, {0, 5, {2}}}},
      {"OUTP:MODE PULS", {{0, 7, {}}}},
  });
}

TEST(StandardRules, PathIsTheHeaderAsTypedUpToItsLastColon) {
  struct Row {
    const char* pLine;
    uint8_t ucLen;
  };
  const Row rows[] = {
      {"SOUR:VOLT 5", 5},               // «SOUR:»
      {"VOLT 5", 0},
      {"OUTP2:MOD3:FM 5", 11},          // «OUTP2:MOD3:»
      {"SYST:ERR?", 5},                 // «SYST:»
      {"source2:voltage:level 5", 16},  // «source2:voltage:»
      {"SOUR:VOLT 5;LEV 6", 5},         // «SOUR:» + «LEV», still «SOUR:»
      {"SOUR:VOLT 5;VOLT:LEV 6", 10},   // «SOUR:VOLT:»
  };
  for (const Row& row : rows) {
    const std::vector<Outcome> got = ParseLine(row.pLine);
    EXPECT_EQ(got.back().ucPathLen, row.ucLen) << row.pLine;
  }
}

TEST(StandardRules, PathCarriesTheTypedSuffixes) {
  ExpectLines({
      {"OUTP2:MOD3:FM 5;FM 7", {{0, 8, {2, 3, 1}}, {0, 8, {2, 3, 1}}}},
      {"OUTP2:MOD3:FM 5;FM4 7", {{0, 8, {2, 3, 1}}, {0, 8, {2, 3, 4}}}},
      {"SOUR2:VOLT 5;CURR 1;VOLT 2", {{0, 2, {2}}, {0, 4, {2}}, {0, 2, {2}}}},
      {"SOUR:VOLT 5;SOUR3:CURR 1", {{0, 2, {1}}, UNRECOGNISED}},  // «SOUR:SOUR3:CURR»
      {"SOUR:VOLT 5;:SOUR3:CURR 1;VOLT 2", {{0, 2, {1}}, {0, 4, {3}}, {0, 2, {3}}}},
      {"SYST:ERR?;ERR:COUN?;NEXT?", {{0, 11, {}}, {0, 12, {}}, {0, 11, {}}}},
      {"SOURCE2:VOLTAGE:LEVEL 5;IMM 3", {{0, 2, {2}}, {0, 2, {2}}}},
  });
}

TEST(StandardRules, LeadingColonResetAndCommonCommands) {
  ExpectLines({
      {"OUTP2:STAT ON;:STAT OFF", {{0, 5, {2}}, UNRECOGNISED}},
      {"SOUR2:VOLT 5;:CURR 1", {{0, 2, {2}}, {0, 4, {}}}},
      {"OUTP2:STAT ON;*RST;STAT OFF", {{0, 5, {2}}, {0, 1, {}}, {0, 5, {2}}}},
      {"OUTP2:STAT ON;:*CLS;STAT OFF", {{0, 5, {2}}, {0, 0, {}}, UNRECOGNISED}},
      {"OUTP2:STAT ON;BOGUS;STAT OFF", {{0, 5, {2}}, UNRECOGNISED, {0, 5, {2}}}},
      {"OUTP2:STAT ON;STAT;STAT OFF",
       {{0, 5, {2}}, {SCPI_ERR_PARAM_COUNT, NONE, {}}, {0, 5, {2}}}},
  });
  ParseLine("OUTP2:STAT ON");
  EXPECT_EQ(ParseLine("STAT OFF", false).front().suffixes, std::vector<uint32_t>{2});
  EXPECT_EQ(ParseLine("STAT OFF", true).front().ucCode, SCPI_ERR_INVALID_CMD);
}

TEST(StandardRules, TypedPathAndHeaderStillFit255Characters) {
  // The path «OUTP2:MOD3:» (11 characters) before «FM000...07» of 3 + zeros characters.
  const auto line = [](size_t uiZeros) {
    return "OUTP2:MOD3:FM 1;FM" + std::string(uiZeros, '0') + "7 1";
  };
  const std::string fits = line(241), tooLong = line(242);
  EXPECT_EQ(ParseLine(fits.c_str()).back().suffixes, (std::vector<uint32_t>{2, 3, 7}));
  EXPECT_EQ(ParseLine(tooLong.c_str()).back().ucCode, SCPI_ERR_INVALID_CMD);
}

// ---- Every choice of optional nodes -------------------------------------------------------------

TEST(StandardRules, AnyChoiceOfNodes) {
  ExpectLines({
      {"OUTP:MODE NORM", {{0, 7, {}}}},
      {"OUTP:MOD:MODE NORM", {{0, 7, {}}}},
      {"outp:modulation:mode norm", {{0, 7, {}}}},
      {"OUTP:MODE:MODE NORM", {UNRECOGNISED}},
      {"VOLT:AMPL 1", {{0, 2, {}}}},
      {"VOLT:IMM:AMPL 2", {{0, 2, {}}}},
      {"VOLT:LEV:IMM 3", {{0, 2, {}}}},
      {"VOLT:AMPL:IMM 1", {UNRECOGNISED}},  // nodes keep their order
      {"MEAS?", {{0, 9, {1}}}},
      {"MEAS:DC?", {{0, 9, {1}}}},
      {"MEAS2:CURR3?", {{0, 9, {2, 3}}}},
      {"MEASURE:SCALAR:CURRENT:DC?", {{0, 9, {1, 1}}}},
      {"MEAS:SCAL:DC?", {{0, 9, {1}}}},
      {"MEAS:DC:CURR?", {UNRECOGNISED}},
      {"MEAS:CURR:SCAL?", {UNRECOGNISED}},
  });
}

TEST(StandardRules, TheEarliestNodeThatCanBePresentIs) {
  ExpectLines({
      {"DISP:CLE", {{0, 10, {1}}}},
      {"DISP:WIND:CLE", {{0, 10, {1, 1}}}},  // [:WINDow#] present, not [:WINDow]
      {"DISP2:WIND3:CLE", {{0, 10, {2, 3}}}},
      {"DISP:WIND3:WIND:CLE", {{0, 10, {1, 3}}}},
      {"DISP:WIND:WIND3:CLE", {UNRECOGNISED}},
  });
}

TEST(StandardRules, CodesOfTheChosenReading) {
  ExpectLines({
      {"OUTP0 ON", {{SCPI_ERR_INVALID_NUM_SUF, NONE, {}}}},
      {"OUTP0 XYZ", {{SCPI_ERR_INVALID_NUM_SUF, NONE, {}}}},  // before the parameters
      {"OUTP XYZ", {{SCPI_ERR_PARAM_TYPE, NONE, {}}}},
      {"OUTP ON,OFF", {{SCPI_ERR_PARAM_COUNT, NONE, {}}}},
      {"MEAS:CURR0?", {{SCPI_ERR_INVALID_NUM_SUF, NONE, {}}}},
      {"DISP:WIND0:CLE", {{SCPI_ERR_INVALID_NUM_SUF, NONE, {}}}},
      {"MEAS:CURR0:BOGUS?", {UNRECOGNISED}},  // a bad suffix in a header that does not fit
      {"A:B:C:D:E:F:G:H:I:J", {{0, 13, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}}},
      {"A0:B:C:D:E:F:G:H:I:J", {{SCPI_ERR_INVALID_NUM_SUF, NONE, {}}}},
      {"A0:B:C:D:E:F:G:H:I:J:K", {{SCPI_ERR_TOO_MANY_NUM_SUF, NONE, {}}}},  // 5 before 14
      {"A:B:C:D:E:F:G:H:I:J:X", {UNRECOGNISED}},  // the node cannot be present
  });
}

// The walk itself, on specifications no table needs.
TEST(StandardRules, WalkOnUnusualSpecifications) {
  struct Row {
    const char* pSpec;
    const char* pText;
    uint8_t ucCode;
    std::vector<uint32_t> suffixes;
  };
  const std::vector<Row> rows = {
      {"[:A][:A][:A]:A", ":A:A", 0, {}},
      {"[:A][:A][:A]:A", ":A:A:A:A:A", SCPI_ERR_INVALID_CMD, {}},
      {"X[#]#", "X5", 0, {5, 1}},       // the node takes the digits
      {"X[:Y#]:Y#", "X:Y:Y7", 0, {1, 7}},
      {"X[:Y#]:Y#", "X:Y7", 0, {7}},
      {"LONGform[Zz]", "LONGFORMZZ", 0, {}},
      {"LONGform[Zz]", "LONGZ", 0, {}},  // the long-form flag is clear after «LONG»
      {"LONGform[Zz]", "LONGFORMZ", SCPI_ERR_INVALID_CMD, {}},
      {"OPEN[:NODE", "OPEN:NODE", 0, {}},  // a node never closed runs to the end
      {"OPEN[:NODE", "OPEN", 0, {}},
      {"", "", 0, {}},
      {"A", "", SCPI_ERR_INVALID_CMD, {}},
  };
  for (const Row& row : rows) {
    uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
    uint8_t ucCnt = 0;
    EXPECT_EQ(scpi::WalkNodeChoices(row.pSpec, static_cast<uint8_t>(std::strlen(row.pSpec)),
                                    row.pText, static_cast<uint8_t>(std::strlen(row.pText)),
                                    uiSuf, &ucCnt),
              row.ucCode)
        << row.pSpec << " / " << row.pText;
    if (row.ucCode == SCPI_ERR_OK) {
      EXPECT_EQ(std::vector<uint32_t>(uiSuf, uiSuf + ucCnt), row.suffixes) << row.pSpec;
    }
  }
}

TEST(StandardRules, ManyNodesAndTheLongestHeader) {
  // 50 nodes «[:A#]» and a required «:B» (252 characters): any number of them may be present,
  // and from the eleventh on their suffixes are too many.
  std::string spec;
  for (int i = 0; i < 50; ++i) spec += "[:A#]";
  spec += ":B";
  for (unsigned uiPresent : {0u, 1u, 10u, 11u, 40u, 50u, 51u}) {
    std::string text;
    for (unsigned ui = 0; ui < uiPresent; ++ui) text += ":A" + std::to_string(ui % 9 + 1);
    text += ":B";
    uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
    uint8_t ucCnt = 0;
    const uint8_t ucCode = scpi::WalkNodeChoices(spec.c_str(), static_cast<uint8_t>(spec.size()),
                                                 text.c_str(), static_cast<uint8_t>(text.size()),
                                                 uiSuf, &ucCnt);
    const uint8_t ucWant = uiPresent > 50 ? SCPI_ERR_INVALID_CMD
                           : uiPresent > MAX_NUM_SUFFIX ? SCPI_ERR_TOO_MANY_NUM_SUF
                                                         : SCPI_ERR_OK;
    EXPECT_EQ(ucCode, ucWant) << uiPresent << " nodes present";
  }
}

TEST(StandardRules, CharacterDataChoicesKeepTheirMatching) {
  // A choice is matched as before: «OUTP:MODE P» is no short form of PULSe.
  ExpectLines({{"OUTP:MODE P", {{SCPI_ERR_PARAM_TYPE, NONE, {}}}}});
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  uint8_t ucCnt = 0;
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "[:A]:B", 6, ":B", 2, 1, uiSuf, &ucCnt), SCPI_ERR_OK);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "[:MODulation]:MODE", 18, ":MODE", 5, 1, uiSuf, &ucCnt),
            SCPI_ERR_INVALID_CMD);
}

TEST(StandardRules, AgreesWithTheRulesOnGeneratedCommands) { ExpectTheRulesOnGeneratedLines(14); }

#else  // ORVANE_DEMO_TABLE

// ---- The demo instrument's table, where the standard rules differ -------------------------------

TEST(StandardRulesDemo, LinesThatDiffer) {
  ExpectLines({
      {"APPL:CURR 1;VOLT 2", {{0, 49, {}}, {0, 51, {}}}},
      {"APPL:SOUR:CURR 1;VOLT 2", {{0, 49, {}}, {0, 51, {}}}},
      {"APPL:SOUR:CURR 1;SOUR:VOLT 2", {{0, 49, {}}, UNRECOGNISED}},
      {"OUTP2:MOD3:FM 5;FM 7", {{0, 72, {2, 3, 1}}, {0, 72, {2, 3, 1}}}},
      {"INIT;IMM", {{0, 55, {}}, UNRECOGNISED}},
      {"SYST:ERR?;ENAB (1)", {{0, 13, {}}, UNRECOGNISED}},
      {"SYST:ERR?;ERR:ENAB (1)", {{0, 13, {}}, {0, 70, {}}}},
      {"APPL:CURR MIN;AMPL MAX", {{0, 49, {}}, UNRECOGNISED}},
  });
}

TEST(StandardRulesDemo, LinesThatAgree) {
  ExpectLines({
      {"STAT:OPER:ENAB 5;ENAB?", {{0, 17, {}}, {0, 18, {}}}},
      {"STAT:OPER:COND?;*CLS;ENAB?", {{0, 16, {}}, {0, 0, {}}, {0, 18, {}}}},
      {"RES:RANG MIN;RANG?", {{0, 35, {}}, {0, 36, {}}}},
      {"SENS:RES:RANG 100;RES:RANG?", {{0, 35, {}}, UNRECOGNISED}},
      {"SENS:RES:RANG MIN;:RES:RANG?", {{0, 35, {}}, {0, 36, {}}}},
  });
}

TEST(StandardRulesDemo, AgreesWithTheRulesOnGeneratedCommands) {
  ExpectTheRulesOnGeneratedLines(72);
}

#endif

}  // namespace
