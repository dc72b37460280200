// SPDX-License-Identifier: MIT
// Header matching: splitting a line into commands, the keyword matcher, the command tree path
// and the handling of overlong input.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <orvane-scpi/scpi.h>
#include "scpi_internal.h"
#include <orvane-scpi/scpi_table.h>

namespace {

constexpr uint8_t NONE = 255;  // no command number expected (the call failed)

// What one SCPI_Parse call gave back.
struct Outcome {
  uint8_t ucCode;
  uint8_t ucCmd;  // NONE unless ucCode is 0
  std::vector<uint32_t> suffixes;
  size_t uiPos;  // read position after the call, from the start of the line
  SParam sParam[MAX_PARAMS];
};

// Parses a line command by command, as a host does: bResetTree on the first call only, until
// SCPI_ERR_NO_COMMAND (bounded, so a parser that never ends fails instead of hanging).
std::vector<Outcome> ParseLine(const char* pLine, bool bResetFirst = true) {
  std::vector<Outcome> outcomes;
  const char* p = pLine;
  for (int iCall = 0; iCall < 1000; ++iCall) {
    Outcome o{};
    uint8_t ucCmd = NONE;
    uint8_t ucCnt = 0;
    uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
    o.ucCode = SCPI_Parse(&p, (iCall == 0 && bResetFirst) ? 1 : 0, &ucCmd, o.sParam, &ucCnt, uiSuf);
    o.uiPos = static_cast<size_t>(p - pLine);
    o.ucCmd = o.ucCode == SCPI_ERR_OK ? ucCmd : NONE;
    if (o.ucCode == SCPI_ERR_OK) o.suffixes.assign(uiSuf, uiSuf + ucCnt);
    outcomes.push_back(o);
    if (o.ucCode == SCPI_ERR_NO_COMMAND) break;
  }
  return outcomes;
}

// One command on a fresh line: the outcome of the first call.
Outcome ParseOne(const std::string& line) { return ParseLine(line.c_str()).front(); }

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// ---- One command: forms of headers ---------------------------------------------------------------

struct HeaderRow {
  const char* pLine;
  uint8_t ucCode;
  uint8_t ucCmd;
  std::vector<uint32_t> suffixes;
};

void ExpectRows(const std::vector<HeaderRow>& rows) {
  for (const HeaderRow& row : rows) {
    const Outcome o = ParseOne(row.pLine);
    EXPECT_EQ(o.ucCode, row.ucCode) << row.pLine;
    EXPECT_EQ(o.ucCmd, row.ucCmd) << row.pLine;
    if (row.ucCode == SCPI_ERR_OK) {
      EXPECT_EQ(o.suffixes, row.suffixes) << row.pLine;
    }
  }
}

TEST(HeaderMatching, LongAndShortFormsInAnyCase) {
  ExpectRows({
      {"SYST:ERR?", 0, 13, {}},
      {"SYSTEM:ERROR?", 0, 13, {}},
      {"syst:err:next?", 0, 13, {}},
      {"SyStEm:ErRoR:nExT?", 0, 13, {}},
      {"SYST:ERROR:NEXT?", 0, 13, {}},
      {"*idn?", 0, 4, {}},
      {"*ESE?", 0, 2, {}},
      {"READ?", 0, 47, {}},
      {"read?   ", 0, 47, {}},
      {"STAT:OPER:COND?", 0, 16, {}},
      {"status:questionable:condition?", 0, 20, {}},
  });
}

TEST(HeaderMatching, PartialLongFormsAndMissingCharactersAreUnrecognised) {
  ExpectRows({
      {"SYSTE:ERR?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"SYST:ERRO?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"SYST:ERR:NEX?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"SY:ERR?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"SYST:ERR", SCPI_ERR_INVALID_CMD, NONE, {}},        // the query mark is required
      {"SYST:ERR??", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"SYST:ERR?:NEXT", SCPI_ERR_INVALID_CMD, NONE, {}},  // '?' only where the entry has it
      {"READ", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"*IDN?X", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"*ESE32", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"IDN?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"BOGUS", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"SYST::ERR?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"\x7f", SCPI_ERR_INVALID_CMD, NONE, {}},  // 127 is no white space
  });
}

TEST(HeaderMatching, OptionalNodesPresentOrAbsent) {
  ExpectRows({
      {"APPL:CURR MIN", 0, 49, {}},
      {"APPLY:SOUR:CURR:LEV:IMM:AMPL UP", 0, 49, {}},
      {"APPL:SOUR:CURR:AMPL DOWN", 0, 49, {}},
      {"APPL:CURR:LEV MAX", 0, 49, {}},
      {"appl:curr:imm:ampl? min", 0, 50, {}},
      {"APPL:CURR:IMM:LEV MIN", SCPI_ERR_INVALID_CMD, NONE, {}},  // nodes keep their order
      {"INIT", 0, 55, {}},
      {"INIT:IMM", 0, 55, {}},
      {"INITIATE:IMMEDIATE", 0, 55, {}},
      {"INIT:IMMED", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"FUNC?", 0, 40, {}},
      {"SENS:FUNC?", 0, 40, {}},
      {"SENSE:FUNCTION?", 0, 40, {}},
      {"SENSE:FUNC?", 0, 40, {}},
      {"SENSOR:FUNC?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"STAT:OPER?", 0, 15, {}},
      {"STAT:OPER:EVEN?", 0, 15, {}},
      {"STEP:AUTO ONCE", 0, 68, {}},
      {"STEP:INCR:AUTO ONCE", 0, 68, {}},
  });
}

TEST(HeaderMatching, NumericSuffixes) {
  ExpectRows({
      {"OUTP:TTLT", 0, 71, {1}},
      {"OUTP:TTLT1", 0, 71, {1}},
      {"OUTP:TTLT18", 0, 71, {18}},
      {"OUTPUT:TTLTRG7", 0, 71, {7}},
      {"OUTP:TTLT000007", 0, 71, {7}},
      {"OUTP:TTLT65535", 0, 71, {65535}},
      {"OUTP:TTLT0", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},
      {"OUTP:TTLT000", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},
      {"OUTP:TTLT65536", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},
      {"OUTP:TTLT99999", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},
      {"OUTP:TTLT4294967297", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},
      {"OUTP:TTLTR5", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"OUTP:TTLT5X", SCPI_ERR_INVALID_CMD, NONE, {}},
      {"OUTP2:MOD3:FM 5", 0, 72, {2, 3, 1}},
      {"OUTPUT12:MOD:FM65535 5", 0, 72, {12, 1, 65535}},
      {"OUTP:MOD0:FM 5", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},
  });
}

TEST(HeaderMatching, LeadingColonIsDropped) {
  ExpectRows({
      {":SYST:ERR?", 0, 13, {}},
      {":*CLS", 0, 0, {}},
      {"::SYST:ERR?", SCPI_ERR_INVALID_CMD, NONE, {}},
      {":", SCPI_ERR_INVALID_CMD, NONE, {}},
  });
}

TEST(HeaderMatching, SmallestCodeAmongEntriesWins) {
  ExpectRows({
      {"*ESE", SCPI_ERR_PARAM_COUNT, NONE, {}},     // header matched, parameter missing
      {"*CLS 1", SCPI_ERR_PARAM_COUNT, NONE, {}},
      {"MEAS:VOLT:DC?", SCPI_ERR_PARAM_COUNT, NONE, {}},
      {"CALC:FUNC WATTS", SCPI_ERR_PARAM_TYPE, NONE, {}},
      {"OUTP:TTLT0 5", SCPI_ERR_INVALID_NUM_SUF, NONE, {}},  // the suffix outranks the count
  });
}

// ---- Every command of the table ----------------------------------------------------------------------

struct CommandRow {
  uint8_t ucCmd;
  const char* pShort;  // short forms, optional nodes left out
  const char* pLong;   // long forms, every optional node present
  const char* pParams;
  std::vector<uint32_t> suffixes;
};

const std::vector<CommandRow>& AllCommands() {
  static const std::vector<CommandRow> rows = {
      {0, "*CLS", "*CLS", "", {}},
      {1, "*ESE", "*ESE", "5", {}},
      {2, "*ESE?", "*ESE?", "", {}},
      {3, "*ESR?", "*ESR?", "", {}},
      {4, "*IDN?", "*IDN?", "", {}},
      {5, "*OPC", "*OPC", "", {}},
      {6, "*OPC?", "*OPC?", "", {}},
      {7, "*RST", "*RST", "", {}},
      {8, "*SRE", "*SRE", "7", {}},
      {9, "*SRE?", "*SRE?", "", {}},
      {10, "*STB?", "*STB?", "", {}},
      {11, "*TST?", "*TST?", "", {}},
      {12, "*WAI", "*WAI", "", {}},
      {13, "SYST:ERR?", "SYSTEM:ERROR:NEXT?", "", {}},
      {14, "SYST:VERS?", "SYSTEM:VERSION?", "", {}},
      {15, "STAT:OPER?", "STATUS:OPERATION:EVENT?", "", {}},
      {16, "STAT:OPER:COND?", "STATUS:OPERATION:CONDITION?", "", {}},
      {17, "STAT:OPER:ENAB", "STATUS:OPERATION:ENABLE", "5", {}},
      {18, "STAT:OPER:ENAB?", "STATUS:OPERATION:ENABLE?", "", {}},
      {19, "STAT:QUES?", "STATUS:QUESTIONABLE:EVENT?", "", {}},
      {20, "STAT:QUES:COND?", "STATUS:QUESTIONABLE:CONDITION?", "", {}},
      {21, "STAT:QUES:ENAB", "STATUS:QUESTIONABLE:ENABLE", "5", {}},
      {22, "STAT:QUES:ENAB?", "STATUS:QUESTIONABLE:ENABLE?", "", {}},
      {23, "STAT:PRES", "STATUS:PRESET", "", {}},
      {24, "MEAS:VOLT:DC?", "MEASURE:VOLTAGE:DC?", "MIN,MAX", {}},
      {25, "MEAS:VOLT:DC:RAT?", "MEASURE:VOLTAGE:DC:RATIO?", "DEF,DEF", {}},
      {26, "MEAS:VOLT:AC?", "MEASURE:VOLTAGE:AC?", "MIN,MAX", {}},
      {27, "MEAS:CURR:DC?", "MEASURE:CURRENT:DC?", "MIN,MAX", {}},
      {28, "MEAS:CURR:AC?", "MEASURE:CURRENT:AC?", "MIN,MAX", {}},
      {29, "MEAS:RES?", "MEASURE:RESISTANCE?", "MIN,MAX", {}},
      {30, "MEAS:FRES?", "MEASURE:FRESISTANCE?", "MIN,MAX", {}},
      {31, "MEAS:FREQ?", "MEASURE:FREQUENCY?", "MIN,MAX", {}},
      {32, "MEAS:PER?", "MEASURE:PERIOD?", "MIN,MAX", {}},
      {33, "CONF:CURR:DC", "CONFIGURE:CURRENT:DC", "DEF", {}},
      {34, "CONF:FREQ", "CONFIGURE:FREQUENCY", "MAX", {}},
      {35, "RES:RANG", "SENSE:RESISTANCE:RANGE", "MIN", {}},
      {36, "RES:RANG?", "SENSE:RESISTANCE:RANGE?", "", {}},
      {37, "RES:RANG:AUTO", "SENSE:RESISTANCE:RANGE:AUTO", "", {}},
      {38, "VOLT:DC:NPLC", "SENSE:VOLTAGE:DC:NPLCYCLES", "10", {}},
      {39, "FUNC", "SENSE:FUNCTION", "\"VOLT:DC\"", {}},
      {40, "FUNC?", "SENSE:FUNCTION?", "", {}},
      {41, "INP:IMP:AUTO", "INPUT:IMPEDANCE:AUTO", "", {}},
      {42, "INP:IMP:AUTO?", "INPUT:IMPEDANCE:AUTO?", "", {}},
      {43, "CALC:STAT", "CALCULATE:STATE", "ON", {}},
      {44, "CALC:FUNC", "CALCULATE:FUNCTION", "DBM", {}},
      {45, "CALC:AVER:MIN?", "CALCULATE:AVERAGE:MINIMUM?", "", {}},
      {46, "CALC:AVER:MAX?", "CALCULATE:AVERAGE:MAXIMUM?", "", {}},
      {47, "READ?", "READ?", "", {}},
      {48, "APPL", "APPLY", "MIN", {}},
      {49, "APPL:CURR", "APPLY:SOURCE:CURRENT:LEVEL:IMMEDIATE:AMPLITUDE", "UP", {}},
      {50, "APPL:CURR?", "APPLY:SOURCE:CURRENT:LEVEL:IMMEDIATE:AMPLITUDE?", "", {}},
      {51, "APPL:VOLT", "APPLY:SOURCE:VOLTAGE:LEVEL:IMMEDIATE:AMPLITUDE", "DOWN", {}},
      {52, "APPL:VOLT?", "APPLY:SOURCE:VOLTAGE:LEVEL:IMMEDIATE:AMPLITUDE?", "", {}},
      {53, "APPL:IND", "APPLY:SOURCE:INDUCTANCE", "5", {}},
      {54, "APPL:TEMP", "APPLY:SOURCE:TEMPERATURE", "25 CEL", {}},
      {55, "INIT", "INITIATE:IMMEDIATE", "", {}},
      {56, "OUTP:REL", "OUTPUT:RELAY:STATE", "OFF", {}},
      {57, "OUTP:REL?", "OUTPUT:RELAY:STATE?", "", {}},
      {58, "TRIG:SOUR", "TRIGGER:SOURCE", "BUS", {}},
      {59, "TRIG:DEL?", "TRIGGER:DELAY?", "", {}},
      {60, "DISP:TEXT", "DISPLAY:TEXT", "'hi'", {}},
      {61, "CAL:SEC:CODE", "CALIBRATION:SECURE:CODE", "abc", {}},
      {62, "CAL:SEC:STAT", "CALIBRATION:SECURE:STATE", "ON,abc", {}},
      {63, "CAL:SEC:STAT?", "CALIBRATION:SECURE:STATE?", "", {}},
      {64, "CAL:CURR", "CALIBRATION:CURRENT:DATA", "1", {}},
      {65, "CAL:CURR:LEV", "CALIBRATION:CURRENT:LEVEL", "MID", {}},
      {66, "SYST:LOC", "SYSTEM:LOCAL", "", {}},
      {67, "SYST:REM", "SYSTEM:REMOTE", "", {}},
      {68, "STEP:AUTO", "STEP:INCREMENT:AUTO", "ONCE", {}},
      {69, "ROUT:OPEN", "ROUTE:OPEN", "(@1!2)", {}},
      {70, "SYST:ERR:ENAB", "SYSTEM:ERROR:ENABLE:LIST", "(1)", {}},
      {71, "OUTP:TTLT", "OUTPUT:TTLTRG", "", {1}},
      {72, "OUTP:MOD:FM", "OUTPUT:MOD:FM", "5", {1, 1, 1}},
      {73, "TRAC:FEED:OCON", "TRACE:FEED:OCONDITION", "(x)", {}},
  };
  return rows;
}

// A header of a specification: short or long forms, optional nodes in or out; '#' left empty.
std::string HeaderOf(const char* pSpec, bool bLong, bool bNodes) {
  std::string header;
  bool bInNode = false;
  for (const char* p = pSpec; *p; ++p) {
    if (*p == '[') bInNode = true;
    else if (*p == ']') bInNode = false;
    else if (bInNode && !bNodes) continue;
    else if (*p == '#') continue;
    else if (std::islower(static_cast<unsigned char>(*p))) {
      if (bLong) header += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    } else header += *p;
  }
  return header;
}

std::string CommandLine(const std::string& header, const char* pParams) {
  return *pParams ? header + " " + pParams : header;
}

TEST(EveryCommand, TableRowsCoverTheWholeTable) {
  ASSERT_EQ(AllCommands().size(), 74u);
  for (size_t i = 0; i < AllCommands().size(); ++i) EXPECT_EQ(AllCommands()[i].ucCmd, i);
  EXPECT_STREQ(CmdSpecs[AllCommands().size()], "");
}

TEST(EveryCommand, RecognisedByShortAndLongFormsInEitherCase) {
  for (const CommandRow& row : AllCommands()) {
    for (const std::string& header : {std::string(row.pShort), std::string(row.pLong),
                                      Lower(row.pShort), Lower(row.pLong)}) {
      const std::string line = CommandLine(header, row.pParams);
      const Outcome o = ParseOne(line);
      EXPECT_EQ(o.ucCode, SCPI_ERR_OK) << line;
      EXPECT_EQ(o.ucCmd, row.ucCmd) << line;
      EXPECT_EQ(o.suffixes, row.suffixes) << line;
    }
  }
}

TEST(EveryCommand, RecognisedWithOptionalNodesPresentAndAbsent) {
  for (const CommandRow& row : AllCommands()) {
    const char* pSpec = CmdSpecs[row.ucCmd];
    for (bool bLong : {false, true}) {
      for (bool bNodes : {false, true}) {
        const std::string line = CommandLine(HeaderOf(pSpec, bLong, bNodes), row.pParams);
        const Outcome o = ParseOne(line);
        EXPECT_EQ(o.ucCode, SCPI_ERR_OK) << line;
        EXPECT_EQ(o.ucCmd, row.ucCmd) << line;
      }
    }
  }
}

TEST(EveryCommand, CommandsWithoutParametersLeaveBothSlotsEmpty) {
  for (const CommandRow& row : AllCommands()) {
    if (*row.pParams) continue;
    const Outcome o = ParseOne(row.pShort);
    EXPECT_EQ(o.ucCode, SCPI_ERR_OK) << row.pShort;
    EXPECT_EQ(o.ucCmd, row.ucCmd) << row.pShort;
    if (ParamSpecs[row.ucCmd][0].ePType == P_NONE) {
      EXPECT_EQ(o.sParam[0].ePType, P_NONE) << row.pShort;
      EXPECT_EQ(o.sParam[1].ePType, P_NONE) << row.pShort;
    }
  }
}

TEST(EveryCommand, TooManyParametersGiveWrongCount) {
  for (const CommandRow& row : AllCommands()) {
    const std::string line = std::string(row.pShort) + " 1,2,3";
    EXPECT_EQ(ParseOne(line).ucCode, SCPI_ERR_PARAM_COUNT) << line;
    if (ParamSpecs[row.ucCmd][0].ePType == P_NONE) {
      const std::string one = std::string(row.pShort) + " 1";
      EXPECT_EQ(ParseOne(one).ucCode, SCPI_ERR_PARAM_COUNT) << one;
    }
  }
}

// ---- Splitting a line into commands ------------------------------------------------------------------

struct Step {
  uint8_t ucCode;
  uint8_t ucCmd;
};

struct LineRow {
  const char* pLine;
  std::vector<Step> steps;  // every call, the final SCPI_ERR_NO_COMMAND included
};

void ExpectLines(const std::vector<LineRow>& rows) {
  for (const LineRow& row : rows) {
    const std::vector<Outcome> got = ParseLine(row.pLine);
    ASSERT_EQ(got.size(), row.steps.size()) << row.pLine;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].ucCode, row.steps[i].ucCode) << row.pLine << " command " << i;
      EXPECT_EQ(got[i].ucCmd, row.steps[i].ucCmd) << row.pLine << " command " << i;
    }
  }
}

constexpr Step END = {SCPI_ERR_NO_COMMAND, NONE};
constexpr Step UNRECOGNISED = {SCPI_ERR_INVALID_CMD, NONE};

TEST(Splitting, SeparatorsAndWhiteSpace) {
  ExpectLines({
      {"", {END}},
      {";", {END}},
      {" ;\t; \r\n;;", {END}},
      {"\x80\xff ;", {END}},  // bytes above 127 are white space
      {"*RST;;  ;*CLS", {{0, 7}, {0, 0}, END}},
      {"  *RST ;*CLS;", {{0, 7}, {0, 0}, END}},
      {"*RST\t;\n*CLS", {{0, 7}, {0, 0}, END}},
      {"*RST;BOGUS;*CLS", {{0, 7}, UNRECOGNISED, {0, 0}, END}},
  });
}

TEST(Splitting, SemicolonsInsideQuotesStayInTheCommand) {
  ExpectLines({
      {"DISP:TEXT 'a;b';*CLS", {{0, 60}, {0, 0}, END}},
      {"DISP:TEXT \"a;b\";*CLS", {{0, 60}, {0, 0}, END}},
      {"DISP:TEXT 'it''s;ok';*CLS", {{0, 60}, {0, 0}, END}},
      {"DISP:TEXT \"a';b\";*CLS", {{0, 60}, {0, 0}, END}},   // the other quote is plain text
      {"DISP:TEXT 'a\";b';*CLS", {{0, 60}, {0, 0}, END}},
      {"DISP:TEXT 'a;*CLS", {{SCPI_ERR_UNMATCHED_QUOTE, NONE}, END}},  // swallows the rest
      {"DISP:TEXT \"a';*CLS;*RST", {{SCPI_ERR_UNMATCHED_QUOTE, NONE}, END}},
  });
}

TEST(Splitting, StringSpanPointsIntoTheLine) {
  const char* pLine = "DISP:TEXT 'a;b'";
  const std::vector<Outcome> got = ParseLine(pLine);
  ASSERT_EQ(got[0].ucCode, SCPI_ERR_OK);
  ASSERT_EQ(got[0].sParam[0].ePType, P_STR);
  EXPECT_EQ(got[0].sParam[0].uVal.sText.pSText, pLine + 11);
  EXPECT_EQ(got[0].sParam[0].uVal.sText.ucLen, 3);
}

TEST(Splitting, ReadPositionRestsOnTheSeparatorOrTheEnd) {
  const std::vector<Outcome> got = ParseLine("*RST;BOGUS ; ;*CLS  ");
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].uiPos, 4u);   // on the ';' after *RST
  EXPECT_EQ(got[1].uiPos, 11u);  // a failed command is skipped as well
  EXPECT_EQ(got[2].uiPos, 20u);  // the last command runs to the NUL, trailing blanks included
  EXPECT_EQ(got[3].uiPos, 20u);

  const char* pLine = " ;; \t";
  const char* p = pLine;
  uint8_t ucCmd = NONE, ucCnt = 0;
  SParam sParam[MAX_PARAMS];
  uint32_t uiSuf[MAX_NUM_SUFFIX];
  EXPECT_EQ(SCPI_Parse(&p, 1, &ucCmd, sParam, &ucCnt, uiSuf), SCPI_ERR_NO_COMMAND);
  EXPECT_EQ(p, pLine + 5);
  EXPECT_EQ(SCPI_Parse(&p, 0, &ucCmd, sParam, &ucCnt, uiSuf), SCPI_ERR_NO_COMMAND);
  EXPECT_EQ(p, pLine + 5);
  EXPECT_EQ(ucCmd, NONE);  // outputs are written on success only
}

TEST(Splitting, NullInputIsTheEnd) {
  const char* p = nullptr;
  uint8_t ucCmd = 0, ucCnt = 0;
  SParam sParam[MAX_PARAMS];
  uint32_t uiSuf[MAX_NUM_SUFFIX];
  EXPECT_EQ(SCPI_Parse(&p, 1, &ucCmd, sParam, &ucCnt, uiSuf), SCPI_ERR_NO_COMMAND);
  EXPECT_EQ(SCPI_Parse(nullptr, 1, &ucCmd, sParam, &ucCnt, uiSuf), SCPI_ERR_NO_COMMAND);
}

// ---- The command tree path ---------------------------------------------------------------------------

TEST(TreePath, FollowsTheCommandsOfOneLine) {
  ExpectLines({
      {"STAT:OPER:ENAB 5;ENAB?", {{0, 17}, {0, 18}, END}},
      {"STAT:OPER:COND?;ENAB?;COND?", {{0, 16}, {0, 18}, {0, 16}, END}},
      {"SENS:RES:RANG 100;RES:RANG?", {{0, 35}, UNRECOGNISED, END}},
      {"SENS:RES:RANG MIN;RES:RANG?", {{0, 35}, UNRECOGNISED, END}},
      {"SENS:RES:RANG MIN;:RES:RANG?", {{0, 35}, {0, 36}, END}},
      {"RES:RANG MIN;RANG?", {{0, 35}, {0, 36}, END}},  // path "SENSe:RESistance:"
      {"RES:RANG MIN;RES:RANG:AUTO", {{0, 35}, UNRECOGNISED, END}},
      {"SYST:ERR?;ENAB (1)", {{0, 13}, {0, 70}, END}},
      {"OUTP2:MOD3:FM 5;FM 7", {{0, 72}, UNRECOGNISED, END}},  // '#' of the path is no digit
      {"INIT;IMM", {{0, 55}, {0, 55}, END}},
      {"INIT;INIT", {{0, 55}, UNRECOGNISED, END}},
      {"APPL:CURR 1;VOLT 2", {{0, 49}, UNRECOGNISED, END}},
      {"APPL:CURR MIN;VOLT MAX", {{0, 49}, UNRECOGNISED, END}},
      {"APPL:CURR MIN;AMPL MAX", {{0, 49}, {0, 49}, END}},
      {"READ?;READ?", {{0, 47}, {0, 47}, END}},  // "READ?" has no path
  });
}

TEST(TreePath, CommonAndFailedCommandsLeaveItAlone) {
  ExpectLines({
      {"STAT:OPER:COND?;*CLS;ENAB?", {{0, 16}, {0, 0}, {0, 18}, END}},
      {"STAT:OPER:COND?;*ESE 5;*CLS;ENAB?", {{0, 16}, {0, 1}, {0, 0}, {0, 18}, END}},
      {"*CLS;STAT:OPER?", {{0, 0}, {0, 15}, END}},
      {"STAT:OPER:COND?;BOGUS;ENAB?", {{0, 16}, UNRECOGNISED, {0, 18}, END}},
      {"STAT:OPER:COND?;ENAB? 5;ENAB?", {{0, 16}, {SCPI_ERR_PARAM_COUNT, NONE}, {0, 18}, END}},
  });
}

TEST(TreePath, LeadingColonResetsIt) {
  ExpectLines({
      {"STAT:OPER:COND?;:ENAB?", {{0, 16}, UNRECOGNISED, END}},
      {"STAT:OPER:COND?;:STAT:QUES?;ENAB?", {{0, 16}, {0, 19}, {0, 22}, END}},
      {"STAT:OPER:COND?;:*CLS;ENAB?", {{0, 16}, {0, 0}, UNRECOGNISED, END}},
      {"STAT:OPER:COND?;:BOGUS;ENAB?", {{0, 16}, UNRECOGNISED, UNRECOGNISED, END}},
  });
}

TEST(TreePath, ResetFlagStartsANewLine) {
  ParseLine("STAT:OPER:COND?");
  EXPECT_EQ(ParseLine("ENAB?", false).front().ucCmd, 18);  // the path carried over
  ParseLine("STAT:OPER:COND?");
  EXPECT_EQ(ParseLine("ENAB?", true).front().ucCode, SCPI_ERR_INVALID_CMD);
}

TEST(TreePath, TextLengthFollowsTheSpecificationUpToItsLastColon) {
  struct Row {
    const char* pLine;
    uint8_t ucLen;
  };
  const Row rows[] = {
      {"INIT", 9},                // "INITiate:"
      {"SENS:RES:RANG MIN", 17},  // "SENSe:RESistance:"
      {"SYST:ERR?", 13},          // "SYSTem:ERRor:"
      {"APPL:CURR MIN", 37},      // "APPLy:SOURce:CURRent:LEVel:IMMediate:"
      {"OUTP2:MOD3:FM 5", 13},    // "OUTPut#:MOD#:"
      {"READ?", 0},
  };
  for (const Row& row : rows) {
    ParseLine(row.pLine);
    EXPECT_EQ(scpi::TreePathTextLen(scpi::LibraryContext()), row.ucLen) << row.pLine;
  }
  ParseLine("INIT");
  ParseLine("*CLS", false);
  EXPECT_EQ(scpi::TreePathTextLen(scpi::LibraryContext()), 9);
  scpi::ResetTree(scpi::LibraryContext());
  EXPECT_EQ(scpi::TreePathTextLen(scpi::LibraryContext()), 0);
}

// ---- Overlong input -----------------------------------------------------------------------------------

// "DISP:TEXT '...'" of exactly ucLen characters.
std::string DisplayCommand(size_t uiLen) {
  const std::string head = "DISP:TEXT '";
  return head + std::string(uiLen - head.size() - 1, 'x') + "'";
}

TEST(Overlong, CommandOf255CharactersIsParsed) {
  const std::string line = DisplayCommand(255) + ";*CLS";
  ExpectLines({{line.c_str(), {{0, 60}, {0, 0}, END}}});
  EXPECT_EQ(ParseOne(line).sParam[0].uVal.sText.ucLen, 255 - 12);
}

TEST(Overlong, LongerCommandIsUnrecognisedAndSkipped) {
  const std::string line = DisplayCommand(256) + ";*CLS";
  const std::vector<Outcome> got = ParseLine(line.c_str());
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].ucCode, SCPI_ERR_INVALID_CMD);
  EXPECT_EQ(got[0].uiPos, 256u);
  EXPECT_EQ(got[1].ucCmd, 0);

  const std::string huge = DisplayCommand(5000) + ";*RST";
  ExpectLines({{huge.c_str(), {UNRECOGNISED, {0, 7}, END}}});
  // A quote that is never closed takes the rest of the line, however long.
  const std::string open = "DISP:TEXT '" + std::string(1000, ';');
  ExpectLines({{open.c_str(), {UNRECOGNISED, END}}});
}

TEST(Overlong, LeadingColonCountsInTheLength) {
  const std::string line = ":" + DisplayCommand(255);
  ExpectLines({{line.c_str(), {UNRECOGNISED, END}}});
  const std::string fits = ":" + DisplayCommand(254);
  ExpectLines({{fits.c_str(), {{0, 60}, END}}});
}

TEST(Overlong, ResetsStillHappenForAnOverlongCommand) {
  const std::string colon = "STAT:OPER:COND?;:" + DisplayCommand(300) + ";ENAB?";
  ExpectLines({{colon.c_str(), {{0, 16}, UNRECOGNISED, UNRECOGNISED, END}}});

  ParseLine("STAT:OPER:COND?");
  const std::string reset = DisplayCommand(300) + ";ENAB?";
  ExpectLines({{reset.c_str(), {UNRECOGNISED, UNRECOGNISED, END}}});
}

TEST(Overlong, LongRunsOfSeparators) {
  const std::string run255 = std::string(255, ';') + "*CLS";
  ExpectLines({{run255.c_str(), {{0, 0}, END}}});
  const std::string run256 = std::string(128, ';') + std::string(128, ' ') + "*CLS;*RST";
  ExpectLines({{run256.c_str(), {UNRECOGNISED, {0, 7}, END}}});

  const std::string onlyRun = std::string(1000, ';') + std::string(1000, '\t');
  const std::vector<Outcome> got = ParseLine(onlyRun.c_str());
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].ucCode, SCPI_ERR_NO_COMMAND);
  EXPECT_EQ(got[0].uiPos, onlyRun.size());
}

TEST(Overlong, LongEffectiveHeaderIsUnrecognised) {
  // The path "OUTPut:" (7 characters) stands before the header "TTLT000...05" of 5 + zeros.
  const auto line = [](size_t uiZeros) {
    return "OUTP:TTLT;TTLT" + std::string(uiZeros, '0') + "5";
  };
  const std::string fits = line(243);  // 7 + 248 = 255
  const std::vector<Outcome> got = ParseLine(fits.c_str());
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1].ucCmd, 71);
  EXPECT_EQ(got[1].suffixes, std::vector<uint32_t>{5});

  const std::string tooLong = line(244);  // 256
  ExpectLines({{tooLong.c_str(), {{0, 71}, UNRECOGNISED, END}}});
  // Without the path the same header fits.
  const std::string rooted = "OUTP:TTLT;:OUTP:TTLT" + std::string(240, '0') + "5";
  ExpectLines({{rooted.c_str(), {{0, 71}, {0, 71}, END}}});
}

// ---- MatchKeywords directly ------------------------------------------------------------------------------

struct MatchRow {
  const char* pSpec;
  const char* pText;
  uint8_t ucCode;
  std::vector<uint32_t> suffixes;
};

void ExpectMatches(const std::vector<MatchRow>& rows, uint8_t bParamMode) {
  scpi::ResetTree(scpi::LibraryContext());
  for (const MatchRow& row : rows) {
    uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
    uint8_t ucCnt = 0;
    const uint8_t ucCode = scpi::MatchKeywords(scpi::LibraryContext(), 
        row.pSpec, static_cast<uint8_t>(std::strlen(row.pSpec)), row.pText,
        static_cast<uint8_t>(std::strlen(row.pText)), bParamMode, uiSuf, &ucCnt);
    EXPECT_EQ(ucCode, row.ucCode) << row.pSpec << " / " << row.pText;
    if (row.ucCode == SCPI_ERR_OK) {
      EXPECT_EQ(std::vector<uint32_t>(uiSuf, uiSuf + ucCnt), row.suffixes)
          << row.pSpec << " / " << row.pText;
    } else {
      EXPECT_EQ(ucCnt, 0) << "count written on failure: " << row.pSpec << " / " << row.pText;
    }
  }
}

TEST(MatchKeywords, ParameterModeChoices) {
  ExpectMatches(
      {
          {"MINimum", "MIN", 0, {}},
          {"MINimum", "MINIMUM", 0, {}},
          {"MINimum", "minimum", 0, {}},
          {"MINimum", "MINI", SCPI_ERR_INVALID_CMD, {}},
          {"MINimum", "MI", SCPI_ERR_INVALID_CMD, {}},
          {"MINimum", "MINIMUMS", SCPI_ERR_INVALID_CMD, {}},
          {"ONCE", "ON", SCPI_ERR_INVALID_CMD, {}},
          {"0.02", "0.02", 0, {}},
          {"0.02", "0.020", SCPI_ERR_INVALID_CMD, {}},
          {"\"VOLTage:DC\"", "\"VOLT:DC\"", 0, {}},
          {"\"VOLTage:DC\"", "\"voltage:dc\"", 0, {}},
          {"\"VOLTage:DC\"", "\"VOLTAGE:DC", SCPI_ERR_INVALID_CMD, {}},
          {"\"VOLTage:DC\"", "VOLT:DC", SCPI_ERR_INVALID_CMD, {}},
          {"*CLS", "*CLS", 0, {}},  // no common-command handling in parameter mode
          {"", "X", SCPI_ERR_INVALID_CMD, {}},
      },
      1);
}

TEST(MatchKeywords, ParameterModeSuffixes) {
  ExpectMatches(
      {
          {"EXTernal#", "EXT12", 0, {12}},
          {"EXTernal#", "EXTERNAL3", 0, {3}},
          {"EXTernal#", "EXT", 0, {1}},
          {"EXTernal#", "EXT65535", 0, {65535}},
          {"EXTernal#", "EXT0", SCPI_ERR_INVALID_NUM_SUF, {}},
          {"EXTernal#", "EXT65536", SCPI_ERR_INVALID_NUM_SUF, {}},
          {"EXTernal#", "EXTE5", SCPI_ERR_INVALID_CMD, {}},
          {"EXTernal#", "EXT5X", SCPI_ERR_INVALID_CMD, {}},
          {"A#B#", "A2B", 0, {2, 1}},
          {"A#B", "A0B", SCPI_ERR_INVALID_NUM_SUF, {}},     // a bad suffix does not stop matching
          {"A#B", "A0X", SCPI_ERR_INVALID_CMD, {}},         // ... so a later mismatch still counts
          {"A#B", "A0BX", SCPI_ERR_INVALID_CMD, {}},
      },
      1);
}

TEST(MatchKeywords, LengthsBoundTextAndSpecification) {
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  uint8_t ucCnt = 0;
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "MINimum", 7, "MINXYZ", 3, 1, uiSuf, &ucCnt), SCPI_ERR_OK);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "MINimum|MAXimum", 7, "MIN", 3, 1, uiSuf, &ucCnt), SCPI_ERR_OK);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "MINimum|MAXimum", 7, "MAX", 3, 1, uiSuf, &ucCnt),
            SCPI_ERR_INVALID_CMD);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "MAXimum", 7, "MAX", 0, 1, uiSuf, &ucCnt), SCPI_ERR_INVALID_CMD);
}

TEST(MatchKeywords, SuffixCountLimit) {
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  uint8_t ucCnt = 9;
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "EXT#", 4, "EXT4", 4, 1, uiSuf, &ucCnt), SCPI_ERR_OK);
  EXPECT_EQ(ucCnt, 10);
  EXPECT_EQ(uiSuf[9], 4u);

  // An eleventh suffix stops at once, whatever follows in the text.
  ucCnt = 10;
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "EXT#", 4, "EXT4", 4, 1, uiSuf, &ucCnt), SCPI_ERR_TOO_MANY_NUM_SUF);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "EXT#", 4, "EXT4XYZ", 7, 1, uiSuf, &ucCnt),
            SCPI_ERR_TOO_MANY_NUM_SUF);
  EXPECT_EQ(ucCnt, 10);

  // A failed match leaves the count as it was.
  ucCnt = 2;
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "EXT#", 4, "EXT0", 4, 1, uiSuf, &ucCnt), SCPI_ERR_INVALID_NUM_SUF);
  EXPECT_EQ(ucCnt, 2);

  // Header mode: a specification asking for eleven suffixes is a fault of the table.
  scpi::ResetTree(scpi::LibraryContext());
  const char* pSpec = "A#B#C#D#E#F#G#H#I#J#K#";
  ucCnt = 0;
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), pSpec, 22, "ABCDEFGHIJK", 11, 0, uiSuf, &ucCnt),
            SCPI_ERR_TOO_MANY_NUM_SUF);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), pSpec, 20, "ABCDEFGHIJ", 10, 0, uiSuf, &ucCnt), SCPI_ERR_OK);
  EXPECT_EQ(ucCnt, 10);
}

TEST(MatchKeywords, HeaderModeUsesThePathExceptForCommonCommands) {
  ParseLine("STAT:OPER:COND?");  // path "STATus:OPERation:"
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  uint8_t ucCnt = 0;
  const uint8_t ucPath = scpi::TreePathTextLen(scpi::LibraryContext());
  ASSERT_EQ(ucPath, 17);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), CmdSpecs[18], 24, "ENAB?", ucPath + 5, 0, uiSuf, &ucCnt), 0);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), CmdSpecs[16], 27, "ENAB?", ucPath + 5, 0, uiSuf, &ucCnt),
            SCPI_ERR_INVALID_CMD);
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), CmdSpecs[0], 4, "*CLS", ucPath + 4, 0, uiSuf, &ucCnt), 0);
  // In parameter mode the path plays no part.
  EXPECT_EQ(scpi::MatchKeywords(scpi::LibraryContext(), "ENABle?", 7, "ENAB?", 5, 1, uiSuf, &ucCnt), 0);
  scpi::ResetTree(scpi::LibraryContext());
}

// ---- The entry loop against the plain rule ----------------------------------------------------------

// The rule the parser's entry loop must keep, however it skips entries: every entry in table
// order, header first, then parameters; the first that fits wins, otherwise the smallest code.
// Takes one command (no ';'), applies the resets as the parser does, leaves the path unchanged.
Outcome ReferenceMatch(const std::string& command, bool bReset) {
  Outcome o{};
  o.ucCmd = NONE;
  std::string cmd = command;
  if (!cmd.empty() && cmd[0] == ':') {
    cmd.erase(0, 1);
    bReset = true;
  }
  if (bReset) scpi::ResetTree(scpi::LibraryContext());
  size_t uiHeader = 0;
  while (uiHeader < cmd.size() && !scpi::IsWhiteSpace(cmd[uiHeader])) ++uiHeader;
  const size_t uiEffective = scpi::TreePathTextLen(scpi::LibraryContext()) + uiHeader;
  o.ucCode = SCPI_ERR_INVALID_CMD;
  if (command.size() > 255 || uiEffective > 255) return o;
  for (uint8_t k = 0; CmdSpecs[k][0] != '\0'; ++k) {
    uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
    uint8_t ucCnt = 0;
    uint8_t ucCode = scpi::MatchKeywords(scpi::LibraryContext(), CmdSpecs[k], static_cast<uint8_t>(std::strlen(CmdSpecs[k])),
                                         cmd.c_str(), static_cast<uint8_t>(uiEffective), 0, uiSuf,
                                         &ucCnt);
    if (ucCode == SCPI_ERR_OK) {
      ucCode = scpi::ParseParameters(scpi::LibraryContext(), k, cmd.c_str() + uiHeader,
                                     static_cast<uint8_t>(cmd.size() - uiHeader), o.sParam, uiSuf,
                                     &ucCnt);
    }
    if (ucCode == SCPI_ERR_OK) {
      o.ucCode = 0;
      o.ucCmd = k;
      o.suffixes.assign(uiSuf, uiSuf + ucCnt);
      return o;
    }
    if (ucCode < o.ucCode) o.ucCode = ucCode;
  }
  return o;
}

// Random headers near the table's entries: long or short keywords in any case, nodes in or out,
// suffixes valid or not, and now and then a character dropped, doubled or replaced.
class CommandGenerator {
 public:
  explicit CommandGenerator(unsigned uiSeed) : rng_(uiSeed) {}

  std::string Next() {
    const char* pSpec = CmdSpecs[Pick(74)];
    std::string header;
    bool bInNode = false, bSkipNode = false, bLong = Pick(2) == 0;
    for (const char* p = pSpec; *p; ++p) {
      const char c = *p;
      if (c == '[') {
        bInNode = true;
        bSkipNode = Pick(2) == 0;
      } else if (c == ']') {
        bInNode = false;
      } else if (bInNode && bSkipNode) {
        continue;
      } else if (c == '#') {
        static const char* const apSuffixes[] = {"", "", "1", "2", "17", "0", "65535", "65536"};
        header += apSuffixes[Pick(8)];
      } else if (std::islower(static_cast<unsigned char>(c))) {
        if (bLong) header += Cased(c);
      } else {
        if (c == ':') bLong = Pick(2) == 0;
        header += Cased(c);
      }
    }
    if (Pick(4) == 0 && !header.empty()) Mutate(&header);
    if (Pick(8) == 0) header.insert(0, ":");
    static const char* const apParams[] = {"",    "",       " MIN",      " 5",     " ON",
                                           " 1,2", " \"a\"", " (@1!2)",   " (1)",   " EXT3",
                                           " MAX,DEF", " 25 CEL", " VOLT:DC", " 'x;y'"};
    return header + apParams[Pick(14)];
  }

 private:
  unsigned Pick(unsigned uiCount) { return std::uniform_int_distribution<unsigned>(0, uiCount - 1)(rng_); }

  char Cased(char c) {
    const int i = static_cast<unsigned char>(c);
    return static_cast<char>(Pick(2) ? std::toupper(i) : std::tolower(i));
  }

  void Mutate(std::string* pHeader) {
    static const char acNoise[] = "AEIMOSTX:?*#19[";
    const size_t uiAt = Pick(static_cast<unsigned>(pHeader->size()));
    switch (Pick(3)) {
      case 0: pHeader->erase(uiAt, 1); break;
      case 1: pHeader->insert(uiAt, 1, (*pHeader)[uiAt]); break;
      default: (*pHeader)[uiAt] = acNoise[Pick(sizeof acNoise - 1)]; break;
    }
  }

  std::mt19937 rng_;
};

TEST(EntryLoop, AgreesWithThePlainRuleOnGeneratedCommands) {
  CommandGenerator gen(20240607);
  for (int iLine = 0; iLine < 4000; ++iLine) {
    // A few commands per line, so that the path of one is used by the next.
    for (int iCmd = 0; iCmd < 3; ++iCmd) {
      const std::string command = gen.Next();
      const bool bReset = iCmd == 0;
      const Outcome expected = ReferenceMatch(command, bReset);
      const Outcome got = ParseLine(command.c_str(), bReset).front();
      ASSERT_EQ(got.ucCode, expected.ucCode) << command;
      ASSERT_EQ(got.ucCmd, expected.ucCmd) << command;
      ASSERT_EQ(got.suffixes, expected.suffixes) << command;
    }
  }
}

}  // namespace
