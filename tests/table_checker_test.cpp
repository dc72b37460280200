// SPDX-License-Identifier: MIT
// The table checker: one small table per kind of mistake, each reported at its entry as an
// error or a warning and nothing else reported; a clean table and the demo table.
#include <gtest/gtest.h>
#include <orvane-scpi/scpi_declare.h>
#include <orvane-scpi/table_checker.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

using scpi_checker::CheckTable;
using scpi_checker::COUNT_UNKNOWN;
using scpi_checker::SCheckResult;
using scpi_checker::STable;

using Row = std::array<SParamSpec, MAX_PARAMS>;

const SNumAttr VOLTS = {U_VOLT, nullptr, 0};
const SBoolAttr ON_OFF = {0};
const SCharDataAttr MIN_MAX = {"MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SCharDataAttr MIN_MAX_OR_VOLTS = {"MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, P_NUM, &VOLTS};
const SListAttr CHANNELS = {LIST_CHECK_RANGE, 1, 1, 1, 4};

constexpr SParamSpec NONE = {0, P_NONE, nullptr};
constexpr Row NO_PARAMS = {NONE, NONE};
Row One(EPType eType, const void* pAttr) { return {SParamSpec{0, eType, pAttr}, NONE}; }

const std::vector<SUnitSuffix> CLEAN_SUFFIXES = {{"MV", U_VOLT, -3}, {"V", U_VOLT, 0}};

// A table built from a case: "" appended to the specifications (unless bNoEnd), rows without
// parameters for commands with no row, the unit suffixes with their end entry.
class TestTable {
 public:
  TestTable(const std::vector<const char*>& vSpecs, const std::vector<Row>& vRows,
            const std::vector<SUnitSuffix>& vSuffixes, bool bNoEnd)
      : vSpecs_(vSpecs),
        vSuffixes_(vSuffixes),
        pRows_(new SParamSpec[vSpecs.size() + 1][MAX_PARAMS]) {
    // Without its "", the entry after the last command is whatever follows in memory.
    vSpecs_.push_back(bNoEnd ? "NOT-THE-END" : "");
    for (size_t ui = 0; ui < vSpecs.size(); ++ui) {
      const Row& row = ui < vRows.size() ? vRows[ui] : NO_PARAMS;
      for (size_t uiSlot = 0; uiSlot < MAX_PARAMS; ++uiSlot) pRows_[ui][uiSlot] = row[uiSlot];
    }
    vSuffixes_.push_back({"", U_NONE, 0});
  }
  STable Table(int iCount, uint8_t ucRules = SCPI_RULES_LIBRARY,
               const char* const* ppAccepted = nullptr) const {
    STable sTable{vSpecs_.data(), pRows_.get(), vSuffixes_.data(), iCount, ucRules};
    sTable.ppAccepted = ppAccepted;
    return sTable;
  }

 private:
  std::vector<const char*> vSpecs_;
  std::vector<SUnitSuffix> vSuffixes_;
  std::unique_ptr<SParamSpec[][MAX_PARAMS]> pRows_;
};

struct SExpected {
  std::string sEntry;  // "command 2" or "unit suffix 0"
  const char* pKind;   // "error", "warning" or "accepted"
  std::string sWords;  // part of the message
};

struct SCase {
  const char* pName;
  std::vector<const char*> vSpecs;
  std::vector<Row> vRows;
  std::vector<SExpected> vExpected;
  std::vector<SUnitSuffix> vSuffixes = CLEAN_SUFFIXES;
  bool bCounted = false;  // the count is known (CmdSpecCount)
  bool bNoEnd = false;    // CmdSpecs has no "" after its commands
  std::vector<const char*> vAccepted = {};  // the warnings the table accepts, without its ""
};

std::vector<std::string> Check(const STable& sTable, SCheckResult* psResult) {
  std::vector<std::string> vLines;
  *psResult = CheckTable(sTable, [&vLines](const std::string& s) { vLines.push_back(s); });
  return vLines;
}

// Every expected line is there once, and no other line.
void ExpectLines(const char* pName, std::vector<std::string> vLines,
                 const std::vector<SExpected>& vExpected) {
  for (const SExpected& e : vExpected) {
    const std::string sKind = std::string(": ") + e.pKind + ": ";
    auto matches = [&](const std::string& sLine) {
      const size_t uiAfter = e.sEntry.size();
      return sLine.rfind(e.sEntry, 0) == 0 && uiAfter < sLine.size() &&
             (sLine[uiAfter] == ' ' || sLine[uiAfter] == ':') &&
             sLine.find(sKind) != std::string::npos && sLine.find(e.sWords) != std::string::npos;
    };
    auto it = std::find_if(vLines.begin(), vLines.end(), matches);
    if (it == vLines.end()) {
      ADD_FAILURE() << pName << ": no line " << e.sEntry << " ..." << sKind << "... " << e.sWords;
    } else {
      vLines.erase(it);
    }
  }
  for (const std::string& sLine : vLines) ADD_FAILURE() << pName << ": unexpected " << sLine;
}

const SNumAttr BAD_UNITS = {20, nullptr, 0};
const EUnits BAD_ALT_UNITS[] = {U_CELSIUS, 99, U_END};
const SNumAttr BAD_ALT = {U_KELVIN, BAD_ALT_UNITS, 0};
const EUnits ENDLESS_UNITS[] = {U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT,
                                U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT, U_VOLT};
const SNumAttr NO_U_END = {U_VOLT, ENDLESS_UNITS, 0};
const SCharDataAttr DEFAULT_7_OF_2 = {"MINimum|MAXimum", 7, P_NONE, nullptr};
const SCharDataAttr EMPTY_CHOICE = {"MINimum||MAXimum", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SCharDataAttr NO_CHOICES = {nullptr, CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SCharDataAttr OPEN_CHOICE = {"MINimum|MAX[imum", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SCharDataAttr COMMA_CHOICE = {"A,B|C", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SCharDataAttr NULL_ALTERNATIVE = {"MINimum", CHAR_DATA_NO_DEFAULT, P_NUM, nullptr};
const SCharDataAttr CHOICE_ALTERNATIVE = {"MINimum", CHAR_DATA_NO_DEFAULT, P_CH_DAT, &MIN_MAX};
const SCharDataAttr SIX_SUFFIXES = {"A######|B", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SListAttr DIMS_3_TO_2 = {0, 3, 2, 0, 0};
const SListAttr DIMS_TO_255 = {0, 1, 255, 0, 0};
const SListAttr RANGE_9_TO_1 = {LIST_CHECK_RANGE, 0, 0, 9, 1};
const SCharDataAttr LOWER_CHOICE = {"CC|cr", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
const SCharDataAttr BLANKS_AROUND = {"CC | CV|cr", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};

const std::vector<SCase>& Cases() {
  static const std::vector<SCase> v = {
      {"clean",
       {"*RST", "[SOURce:]VOLTage", "OUTPut", "ROUTe:CLOSe"},
       {NO_PARAMS, One(P_CH_DAT, &MIN_MAX_OR_VOLTS), One(P_BOOL, &ON_OFF),
        One(P_CHAN_LIST, &CHANNELS)},
       {}},
      // ---- Errors ----
      {"unbalanced [",
       {"*RST", "VOLTage[:LEVel"},
       {},
       {{"command 1", "error", "'[' at position 8 without its ']'"}}},
      {"unbalanced ]",
       {"VOLTage:LEVel]"},
       {},
       {{"command 0", "error", "']' at position 14 without its '['"}}},
      {"nested nodes", {"A[:B[:C]]"}, {}, {{"command 0", "error", "cannot be nested"}}},
      {"empty node",
       {"A", "VOLTage[:]"},
       {},
       {{"command 1", "error", "\"[:]\" at position 8 is empty"}}},
      {"white space",
       {"SOUR:VOLT LEV"},
       {},
       {{"command 0", "error", "white space ' ' at position 10"}}},
      {"tab", {"SOUR\tVOLT"}, {}, {{"command 0", "error", "white space \\x09 at position 5"}}},
      {"bad character", {"SOUR;VOLT"}, {}, {{"command 0", "error", "character ';' at position 5"}}},
      {"too many suffixes",
       {"A#:B#:C#:D#:E#:F#:G#:H#:I#:J#:K#"},
       {},
       {{"command 0", "error", "11 numeric suffixes"}}},
      {"too many suffixes with choices",
       {"A#:B#:C#:D#:E#"},
       {One(P_CH_DAT, &SIX_SUFFIXES)},
       {{"command 0", "error", "up to 11 numeric suffixes, 5 in the header and 6 in its choices"}}},
      {"P_NONE before a used slot",
       {"*RST", "APPLy"},
       {NO_PARAMS, Row{NONE, {0, P_NUM, &VOLTS}}},
       {{"command 1", "error", "parameter 1 is P_NONE, but parameter 2 is P_NUM"}}},
      {"NULL attributes",
       {"A", "B", "C", "D"},
       {One(P_NUM, nullptr), One(P_CH_DAT, nullptr), One(P_CHAN_LIST, nullptr),
        One(P_BOOL, nullptr)},
       {{"command 0", "error",
         "parameter 1 (P_NUM) has no attribute record (pAttr is NULL): it needs an SNumAttr"},
        {"command 1", "error", "(P_CH_DAT) has no attribute record"},
        {"command 2", "error", "(P_CHAN_LIST) has no attribute record"},
        {"command 3", "error", "(P_BOOL) has no attribute record"}}},
      {"NULL alternative attribute",
       {"A"},
       {One(P_CH_DAT, &NULL_ALTERNATIVE)},
       {{"command 0", "error",
         "parameter 1: its alternative type 1 (P_NUM) has no attribute record (pAltAttr is "
         "NULL)"}}},
      {"unknown types",
       {"A", "B"},
       {One(P_BLOCK + 1, &VOLTS), One(P_CH_DAT, &CHOICE_ALTERNATIVE)},
       {{"command 0", "error", "type 10 is no EPType value"},
        {"command 1", "error", "its alternative type 3 (P_CH_DAT) is never accepted"}}},
      {"default beyond the choices",
       {"A", "B"},
       {NO_PARAMS, One(P_CH_DAT, &DEFAULT_7_OF_2)},
       {{"command 1", "error", "default choice 7 is beyond its 2 choices"}}},
      {"malformed choice lists",
       {"A", "B", "C", "D"},
       {One(P_CH_DAT, &EMPTY_CHOICE), One(P_CH_DAT, &NO_CHOICES), One(P_CH_DAT, &OPEN_CHOICE),
        One(P_CH_DAT, &COMMA_CHOICE)},
       {{"command 0", "error", "has an empty choice"},
        {"command 1", "error", "pChoices is NULL"},
        {"command 2", "error", "choice \"MAX[imum\": '[' at position 4 without its ']'"},
        {"command 3", "error", "choice \"A,B\" holds ','"}}},
      {"every bad choice of a list",
       {"A"},
       {One(P_CH_DAT, &BLANKS_AROUND)},
       {{"command 0", "error", "choice \"CC \" begins or ends with white space"},
        {"command 0", "error", "choice \" CV\" begins or ends with white space"}}},
      {"channel dimensions",
       {"A", "B"},
       {One(P_CHAN_LIST, &DIMS_3_TO_2), One(P_CHAN_LIST, &DIMS_TO_255)},
       {{"command 0", "error", "ucMinDims 3 is above ucMaxDims 2"},
        {"command 1", "error",
         "ucMaxDims 255 is more dimensions than SCPI_GetChanListEntry can return"}}},
      {"range",
       {"A"},
       {One(P_NUM_LIST, &RANGE_9_TO_1)},
       {{"command 0", "error", "lMin 9 is above lMax 1"}}},
      {"units",
       {"A", "B"},
       {One(P_NUM, &BAD_UNITS), One(P_NUM, &BAD_ALT)},
       {{"command 0", "error", "units 20 are no EUnits value"},
        {"command 1", "error", "its list of further units holds 99, which is no EUnits value"}}},
      {"no U_END",
       {"A"},
       {One(P_NUM, &NO_U_END)},
       {{"command 0", "error", "has no U_END among its first 15"}}},
      {"never chosen unit suffixes",
       {"A"},
       {},
       {{"unit suffix 2", "error", "never chosen: unit suffix 0 \"MV\" comes first"},
        {"unit suffix 3", "error", "never chosen: unit suffix 1 \"V\" comes first"},
        {"unit suffix 4", "error", "'E'"},
        {"unit suffix 5", "error", "units 30 are no EUnits value"},
        {"unit suffix 6", "error", "units U_NONE"}},
       {{"MV", U_VOLT, -3},
        {"V", U_VOLT, 0},
        {"mv", U_VOLT, 6},
        {"V", U_VOLT, 3},
        {"EV", U_VOLT, 0},
        {"X", 30, 0},
        {"N", U_NONE, 0}}},
      {"NULL header specification",
       {"*RST", nullptr},
       {},
       {{"command 1 NULL", "error", "NULL instead of a header"}}},
      {"empty header with a known count",
       {"A", "", "C"},
       {},
       {{"command 1", "error", "empty header specification"}},
       CLEAN_SUFFIXES,
       true},
      {"no end with a known count",
       {"A", "B"},
       {},
       {{"command 2 \"NOT-THE-END\"", "error", "CmdSpecs has no \"\" after its last command"}},
       CLEAN_SUFFIXES,
       true,
       true},
      // ---- Warnings ----
      {"unreachable",
       {"VOLTage[:LEVel]", "*RST", "VOLTage", "*RST", "VOLTage?"},
       {One(P_NUM, &VOLTS), NO_PARAMS, One(P_NUM, &VOLTS)},
       {{"command 2", "warning",
         "no input reaches this command: command 0 \"VOLTage[:LEVel]\" comes first"},
        {"command 3", "warning", "command 1 \"*RST\" comes first"},
        {"command 0", "warning", "note: optional nodes at the end"}}},
      {"node takes what follows",
       {"OUTPut[:STATe]:STATus"},
       {},
       {{"command 0", "warning",
         "optional node \"[:STATe]\" also takes the start of what follows it: an input that leaves "
         "it out, such as \"OUTP:STAT\""}}},
      {"suffix in a node",
       {"[SOURce#:]VOLTage", "[SOURce#:]CURRent:PROTection#"},
       {},
       {{"command 1", "warning",
         "'#' in optional node \"[SOURce#:]\": when an input leaves the node out, no suffix is "
         "stored for it, so the suffixes after it move up one place"}}},
      {"no short form",
       {"SYSTem:ERRor:next?", "FUNCtion"},
       {NO_PARAMS, One(P_CH_DAT, &LOWER_CHOICE)},
       {{"command 0", "warning", "keyword \"next?\" has no upper-case letter"},
        {"command 1", "warning", "parameter 1: keyword \"cr\" has no upper-case letter"}}},
      // ---- Warnings a table accepts ----
      {"accepted",
       {"SYSTem:ERRor:next?", "[SOURce#:]CURRent:PROTection#"},
       {},
       {{"command 0", "accepted", "keyword \"next?\""},
        {"command 1", "warning", "'#' in optional node"},
        {"accepted warning 1", "warning", "no command \"[SOURce#:]CURRent:PROTection#\" gets a "
                                          "warning \"tree-path\" to accept"}},
       CLEAN_SUFFIXES,
       false,
       false,
       {"SYSTem:ERRor:next? no-short-form", "[SOURce#:]CURRent:PROTection# tree-path"}},
      {"trailing nodes",
       {"*RST", "SOURce:VOLTage[:LEVel]", "SOURce:CURRent[:LEVel]", "[SENSe:]FUNCtion"},
       {},
       {{"command 1", "warning",
         "after this command the path is \"SOURce:VOLTage:\", not \"SOURce:\""}}},
  };
  return v;
}

TEST(TableChecker, EachMistakeIsReportedAtItsEntry) {
  for (const SCase& c : Cases()) {
    const TestTable table(c.vSpecs, c.vRows, c.vSuffixes, c.bNoEnd);
    const int iCount = c.bCounted ? static_cast<int>(c.vSpecs.size()) : COUNT_UNKNOWN;
    std::vector<const char*> vAccepted = c.vAccepted;
    vAccepted.push_back("");
    SCheckResult sResult;
    const std::vector<std::string> vLines =
        Check(table.Table(iCount, SCPI_RULES_LIBRARY, vAccepted.data()), &sResult);
    ExpectLines(c.pName, vLines, c.vExpected);
    unsigned uiErrors = 0;
    unsigned uiAccepted = 0;
    for (const SExpected& e : c.vExpected) {
      uiErrors += std::string(e.pKind) == "error";
      uiAccepted += std::string(e.pKind) == "accepted";
    }
    EXPECT_EQ(sResult.uiErrors, uiErrors) << c.pName;
    EXPECT_EQ(sResult.uiAccepted, uiAccepted) << c.pName;
    EXPECT_EQ(sResult.uiWarnings, c.vExpected.size() - uiErrors - uiAccepted) << c.pName;
  }
}

TEST(TableChecker, LinesComeInTableOrder) {
  const TestTable table({"*RST", "SOURce:VOLTage[:LEVel]", "OUTPut[:STATe]:STATus"}, {},
                        CLEAN_SUFFIXES, false);
  SCheckResult sResult;
  const std::vector<std::string> vLines = Check(table.Table(COUNT_UNKNOWN), &sResult);
  ASSERT_EQ(vLines.size(), 2u);
  EXPECT_EQ(vLines[0].rfind("command 1 \"SOURce:VOLTage[:LEVel]\": warning: note: ", 0), 0u);
  EXPECT_EQ(vLines[1].rfind("command 2 \"OUTPut[:STATe]:STATus\": warning: optional node", 0), 0u);
}

TEST(TableChecker, ReadsAHandWrittenTableNoFurtherThanItsLimits) {
  std::vector<std::string> vNames;
  for (int i = 0; i < 300; ++i) vNames.push_back("C" + std::to_string(i));
  std::vector<const char*> vSpecs;
  std::vector<SUnitSuffix> vSuffixes;
  for (const std::string& s : vNames) {
    vSpecs.push_back(s.c_str());
    vSuffixes.push_back({s.c_str(), U_VOLT, 0});
  }
  const TestTable table(vSpecs, {}, vSuffixes, false);
  SCheckResult sResult;
  ExpectLines("300 entries", Check(table.Table(COUNT_UNKNOWN), &sResult),
              {{"command 255 \"C255\"", "error", "no \"\" among its first 256 entries"},
               {"unit suffix 255 \"C255\"", "error", "no entry with an empty suffix"}});
  EXPECT_EQ(sResult.uiCommands, 255u);
  EXPECT_EQ(sResult.uiUnitSuffixes, 255u);
}

TEST(TableChecker, CountsAndQuotesWhatItRead) {
  const TestTable table({"*RST", "SYST:\"ERR\\\x01"}, {}, CLEAN_SUFFIXES, false);
  SCheckResult sResult;
  const std::vector<std::string> vLines = Check(table.Table(COUNT_UNKNOWN), &sResult);
  ASSERT_EQ(vLines.size(), 1u);
  EXPECT_EQ(vLines[0].rfind(
                "command 1 \"SYST:\\\"ERR\\\\\\x01\": error: character '\"' at position 6", 0),
            0u)
      << vLines[0];
  EXPECT_EQ(sResult.uiCommands, 2u);
  EXPECT_EQ(sResult.uiUnitSuffixes, 2u);
}

TEST(TableChecker, LongHeaderSpecification) {
  const std::string sLong(256, 'A');
  const TestTable table({sLong.c_str()}, {}, CLEAN_SUFFIXES, false);
  SCheckResult sResult;
  ExpectLines("256 characters", Check(table.Table(COUNT_UNKNOWN), &sResult),
              {{"command 0", "error", "longer than 255 characters"}});
}

// Under the standard rules every '#' keeps its place and any choice of nodes is tried: neither a
// suffix in a node nor a node that takes what follows it is worth a warning.
TEST(TableChecker, StandardRulesNeedNoNodeWarnings) {
  const TestTable table({"[SOURce#:]VOLTage", "OUTPut#[:MODulation#]:FM#", "OUTPut[:MODulation]:MODE"},
                        {}, CLEAN_SUFFIXES, false);
  SCheckResult sResult;
  ExpectLines("library rules", Check(table.Table(COUNT_UNKNOWN), &sResult),
              {{"command 1", "warning", "'#' in optional node"},
               {"command 2", "warning", "also takes the start of what follows it"}});
  ExpectLines("standard rules", Check(table.Table(COUNT_UNKNOWN, SCPI_RULES_STANDARD), &sResult),
              {});
}

// The demo instrument's table, linked as a program links it: no error, and the one note.
TEST(TableChecker, DemoTableHasNoErrors) {
  SCheckResult sResult;
  const std::vector<std::string> vLines =
      Check({CmdSpecs, ParamSpecs, UnitSuffixes, CmdSpecCount}, &sResult);
  EXPECT_EQ(sResult.uiErrors, 0u);
  EXPECT_EQ(sResult.uiCommands, 74u);
  EXPECT_EQ(sResult.uiUnitSuffixes, 59u);
  ExpectLines("demo", vLines,
              {{"command 13 \"SYSTem:ERRor[:NEXT]?\"", "warning",
                "after this command the path is \"SYSTem:ERRor:\", not \"SYSTem:\""}});
}

}  // namespace
