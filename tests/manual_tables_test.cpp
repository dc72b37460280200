// SPDX-License-Identifier: MIT
// The manual's generated chapters: parameter descriptions, the command-set and unit-suffix
// tables drawn from the compiled-in tables, and the markers that place them.
#include "manual_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using manual::DescribeParam;

size_t Count(const std::string& sText, const std::string& sPart) {
  size_t n = 0;
  for (size_t at = sText.find(sPart); at != std::string::npos; at = sText.find(sPart, at + 1)) ++n;
  return n;
}

// ---- Parameter descriptions, from attribute records of every kind ----

const EUnits TEMPERATURE_ALT[] = {U_CELSIUS, U_FAHREN, U_END};
const SNumAttr NO_UNITS = {U_NONE, nullptr, 0};
const SNumAttr MICRO_HENRIES = {U_HENRY, nullptr, -6};
const SNumAttr TEMPERATURE = {U_KELVIN, TEMPERATURE_ALT, 0};
const SBoolAttr NO_DEFAULT = {0};
const SBoolAttr DEFAULT_OFF = {BOOL_HAS_DEFAULT};
const SBoolAttr DEFAULT_ON = {BOOL_HAS_DEFAULT | BOOL_DEFAULT_ON};
const SCharDataAttr SOURCES = {"BUS|IMMediate|EXTernal#", 1, P_NONE, nullptr};
const SCharDataAttr MIN_MAX_OR_KELVIN = {"MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, P_NUM,
                                         &TEMPERATURE};
const SCharDataAttr ONCE_OR_BOOL = {"ONCE", CHAR_DATA_NO_DEFAULT, P_BOOL, &DEFAULT_ON};
const SCharDataAttr LAST_DEFAULT = {"A|B", 1, P_NONE, nullptr};
const SListAttr RELAYS = {LIST_CHECK_RANGE, 2, 2, 1, 24};
const SListAttr ANY_CHANNELS = {LIST_ALLOW_REAL | LIST_ALLOW_NEG, 1, 3, 0, 0};
const SListAttr ERRORS = {LIST_ALLOW_NEG, 0, 0, 0, 0};
const SListAttr ONE_DIM = {0, 1, 1, 0, 0};

struct DescribeRow {
  SParamSpec sSpec;
  const char* pExpected;
};

const DescribeRow DESCRIBE_ROWS[] = {
    {{0, P_NUM, &NO_UNITS}, "number without units"},
    {{0, P_NUM, &MICRO_HENRIES}, "number in henries; a number without suffix is taken × 1e-6"},
    {{0, P_NUM, &TEMPERATURE}, "number in kelvin (also degrees Celsius, degrees Fahrenheit)"},
    {{0, P_BOOL, &NO_DEFAULT}, "Boolean"},
    {{PS_OPTIONAL, P_BOOL, &DEFAULT_OFF}, "optional Boolean, empty means OFF"},
    {{PS_OPTIONAL, P_BOOL, &DEFAULT_ON}, "optional Boolean, empty means ON"},
    {{PS_OPTIONAL, P_CH_DAT, &SOURCES},
     "optional one of `BUS` \\| `IMMediate` \\| `EXTernal#`, empty means `IMMediate`"},
    {{0, P_CH_DAT, &MIN_MAX_OR_KELVIN},
     "one of `MINimum` \\| `MAXimum`, or else a number in kelvin (also degrees Celsius, "
     "degrees Fahrenheit)"},
    {{PS_OPTIONAL, P_CH_DAT, &ONCE_OR_BOOL},
     "optional one of `ONCE`, or else a Boolean, empty means ON"},
    {{0, P_CH_DAT, &LAST_DEFAULT}, "one of `A` \\| `B`, empty means `B`"},
    {{0, P_STR, nullptr}, "quoted string"},
    {{0, P_UNQ_STR, nullptr}, "unquoted string"},
    {{0, P_EXPR, nullptr}, "expression in brackets"},
    {{PS_OPTIONAL, P_BLOCK, nullptr}, "optional arbitrary block"},
    {{0, P_NUM_LIST, &ERRORS}, "numeric list of whole numbers, negatives allowed"},
    {{0, P_CHAN_LIST, &RELAYS},
     "channel list of whole numbers, no negatives, each from 1 to 24, exactly 2 dimensions per "
     "channel"},
    {{0, P_CHAN_LIST, &ANY_CHANNELS},
     "channel list of numbers, negatives allowed, 1 to 3 dimensions per channel"},
    {{0, P_CHAN_LIST, &ONE_DIM},
     "channel list of whole numbers, no negatives, exactly 1 dimension per channel"},
};

TEST(ManualTables, DescribesEveryKindOfParameter) {
  for (const DescribeRow& row : DESCRIBE_ROWS) {
    EXPECT_EQ(DescribeParam(row.sSpec), row.pExpected) << "type " << unsigned(row.sSpec.ePType);
  }
}

// ---- The command set, straight from CmdSpecs and ParamSpecs ----

TEST(ManualTables, CommandSetHasOneRowPerCommandAndOnePerFurtherParameter) {
  const std::string sTable = manual::CommandSetTable();
  unsigned uiCommands = 0;
  unsigned uiSecondSlots = 0;
  for (; CmdSpecs[uiCommands][0] != '\0'; ++uiCommands) {
    const std::string sRow = "| " + std::to_string(uiCommands) + " | `" + CmdSpecs[uiCommands] + "` | ";
    EXPECT_EQ(Count(sTable, sRow), 1u) << sRow;
    if (ParamSpecs[uiCommands][1].ePType != P_NONE) ++uiSecondSlots;
  }
  EXPECT_NE(sTable.find("knows " + std::to_string(uiCommands) + " commands"), std::string::npos);
  EXPECT_EQ(Count(sTable, "\n| | | (2) "), uiSecondSlots);
  EXPECT_EQ(Count(sTable, " | none |\n"),
            uiCommands - Count(sTable, " | (1) "));
}

TEST(ManualTables, ChoiceBarsAreEscapedSoTheyStayInTheirCell) {
  const std::string sTable = manual::CommandSetTable();
  for (size_t at = sTable.find('|'); at != std::string::npos; at = sTable.find('|', at + 1)) {
    bool bEscaped = at > 0 && sTable[at - 1] == '\\';
    bool bCellEdge = (at > 0 && (sTable[at - 1] == ' ' || sTable[at - 1] == '\n')) &&
                     (at + 1 == sTable.size() || sTable[at + 1] == ' ' || sTable[at + 1] == '\n' ||
                      sTable[at + 1] == '-');
    bool bDelimiterRow = at > 0 && (sTable[at - 1] == '-' || sTable[at - 1] == ':');
    EXPECT_TRUE(bEscaped || bCellEdge || bDelimiterRow) << sTable.substr(at > 20 ? at - 20 : 0, 40);
  }
}

TEST(ManualTables, UnitSuffixTableListsEverySuffixOnceWithItsPower) {
  const std::string sTable = manual::UnitSuffixTable();
  unsigned ui = 0;
  for (; UnitSuffixes[ui].pSuffix[0] != '\0'; ++ui) {
    int iExp = UnitSuffixes[ui].cExp;
    std::string sPower = iExp == 0 ? "1" : "1e" + std::to_string(iExp);
    std::string sEntry = "`" + std::string(UnitSuffixes[ui].pSuffix) + "` " + sPower;
    EXPECT_EQ(Count(sTable, " " + sEntry + ",") + Count(sTable, " " + sEntry + " |"), 1u) << sEntry;
  }
  EXPECT_NE(sTable.find("The " + std::to_string(ui) + " unit suffixes"), std::string::npos);
}

// ---- Markers ----

struct MarkerRow {
  const char* pMarkdown;
  bool bOk;
  const char* pErrorPart;
};

const MarkerRow MARKER_ROWS[] = {
    {"<!-- generated: command-set -->\n<!-- generated: unit-suffixes -->\n", true, ""},
    {"<!-- generated: command-set -->\n", false, "unit-suffix"},
    {"<!-- generated: unit-suffixes -->\n", false, "command set"},
    {"<!-- generated: command-set -->\n<!-- generated: unit-suffixes -->\n"
     "<!-- generated: commands -->\n",
     false, "\"commands\""},
};

TEST(ManualTables, MarkersArePlacedOrNamedAsFaults) {
  for (const MarkerRow& row : MARKER_ROWS) {
    std::string sText = row.pMarkdown;
    std::string sError;
    EXPECT_EQ(manual::ExpandMarkers(&sText, "V1", &sError), row.bOk) << row.pMarkdown;
    EXPECT_NE(sError.find(row.pErrorPart), std::string::npos) << sError;
  }
}

TEST(ManualTables, ExpansionReplacesMarkersAndVersionAndKeepsTheRest) {
  std::string sText =
      "# Manual {{VERSION}}\n\nText {{VERSION}}.\n\n<!-- generated: command-set -->\n\n"
      "## Suffixes\n\n<!-- generated: unit-suffixes -->\n";
  std::string sError;
  ASSERT_TRUE(manual::ExpandMarkers(&sText, "V1.3.1", &sError)) << sError;
  EXPECT_EQ(sText.find("<!--"), std::string::npos);
  EXPECT_EQ(sText.find("{{VERSION}}"), std::string::npos);
  EXPECT_EQ(sText.rfind("# Manual V1.3.1\n\nText V1.3.1.\n\n", 0), 0u);
  EXPECT_NE(sText.find(manual::CommandSetTable() + "\n## Suffixes\n\n" + manual::UnitSuffixTable()),
            std::string::npos);
}

}  // namespace
