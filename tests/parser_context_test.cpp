// SPDX-License-Identifier: MIT
// Parser contexts: each holds its own table, rules and tree path, so interfaces parsing command by
// command do not disturb each other; both rule sets in one build; messages bounded by an end
// pointer instead of a NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <orvane-scpi/demo_commands.h>
#include <orvane-scpi/scpi_table.h>

namespace {

const SNumAttr Volts = {U_VOLT, nullptr, 0};
const SNumAttr Amps = {U_AMP, nullptr, 0};
const SBoolAttr OnOff = {0};
const SCharDataAttr Function = {"\"CURRent\"|\"VOLTage\"|\"A'B\"", CHAR_DATA_NO_DEFAULT, P_NONE,
                                nullptr};
constexpr SParamSpec NONE = {0, P_NONE, nullptr};

// A bench supply with numbered outputs.
const char* const PsuSpecs[] = {"[SOURce#:]VOLTage[:LEVel]",     // 0
                                "[SOURce#:]VOLTage[:LEVel]?",    // 1
                                "[SOURce#:]CURRent[:LEVel]",     // 2
                                "OUTPut#[:STATe]",               // 3
                                "OUTPut#[:STATe]?",              // 4
                                "OUTPut[:MODulation]:MODE",      // 5
                                "OUTPut#[:MODulation#]:FM#",     // 6
                                "ARM[:SEQuence#][:LAYer#]:COUNt",  // 7
                                "[SENSe:]FUNCtion",              // 8
                                ""};
const SParamSpec PsuParams[][MAX_PARAMS] = {
    {{0, P_NUM, &Volts}, NONE}, {NONE, NONE}, {{0, P_NUM, &Amps}, NONE},
    {{0, P_BOOL, &OnOff}, NONE}, {NONE, NONE}, {NONE, NONE}, {NONE, NONE}, {NONE, NONE},
    {{0, P_CH_DAT, &Function}, NONE}};
const SUnitSuffix PsuSuffixes[] = {{"V", U_VOLT, 0}, {"A", U_AMP, 0}, {"", U_NONE, 0}};
const SScpiTable PsuTable = SCPI_TABLE_RECORD(PsuSpecs, PsuParams, PsuSuffixes);

// One interface: a context and the rest of its line.
struct Interface {
  SScpiContext sCtx;
  const char* pRest;
  const char* pEnd;
  bool bFirst;
};

void Open(Interface* ps, const SScpiTable* psTable, uint8_t ucRules, const char* pLine,
          const char* pEnd = nullptr) {
  ASSERT_EQ(SCPI_ContextInit(&ps->sCtx, psTable, ucRules), SCPI_ERR_OK);
  ps->pRest = pLine;
  ps->pEnd = pEnd;
  ps->bFirst = true;
}

// The next command: "code cmd suffixes...", e.g. "0 2 1".
std::string Next(Interface* ps) {
  SParam sParam[MAX_PARAMS];
  uint32_t uiSuf[MAX_NUM_SUFFIX];
  uint8_t ucCmd = 0, ucCnt = 0;
  const uint8_t ucCode = SCPI_ParseCtx(&ps->sCtx, &ps->pRest, ps->pEnd, ps->bFirst ? 1 : 0,
                                       &ucCmd, sParam, &ucCnt, uiSuf);
  ps->bFirst = false;
  std::string s = std::to_string(ucCode);
  if (ucCode != SCPI_ERR_OK) return s;
  s += " " + std::to_string(ucCmd);
  for (uint8_t uc = 0; uc < ucCnt; ++uc) s += " " + std::to_string(uiSuf[uc]);
  return s;
}

std::vector<std::string> Line(const SScpiTable* psTable, uint8_t ucRules, const char* pLine) {
  Interface s;
  Open(&s, psTable, ucRules, pLine);
  std::vector<std::string> v;
  for (std::string r = Next(&s); r != "10"; r = Next(&s)) v.push_back(r);
  return v;
}

TEST(ParserContext, InterleavedInterfacesKeepTheirOwnPaths) {
  Interface sUsb, sLan;
  Open(&sUsb, &PsuTable, SCPI_RULES_STANDARD, "SOUR2:VOLT 1;CURR 2");
  Open(&sLan, &PsuTable, SCPI_RULES_STANDARD, "SOUR1:CURR 3;VOLT 4");
  EXPECT_EQ(Next(&sUsb), "0 0 2");
  EXPECT_EQ(Next(&sLan), "0 2 1");
  EXPECT_EQ(Next(&sUsb), "0 2 2");  // output 2, as its own line said
  EXPECT_EQ(Next(&sLan), "0 0 1");
  EXPECT_EQ(Next(&sUsb), "10");
  EXPECT_EQ(Next(&sLan), "10");
}

TEST(ParserContext, TwoTablesAndBothRuleSetsSideBySide) {
  Interface sDemo, sPsu;
  Open(&sDemo, &DemoCommandTable, SCPI_RULES_LIBRARY, "*IDN?;SYST:ERR?;ENAB (1)");
  Open(&sPsu, &PsuTable, SCPI_RULES_STANDARD, "OUTP2:STAT ON;STAT?;*IDN?");
  EXPECT_EQ(Next(&sDemo), "0 4");
  EXPECT_EQ(Next(&sPsu), "0 3 2");
  EXPECT_EQ(Next(&sDemo), "0 13");
  EXPECT_EQ(Next(&sPsu), "0 4 2");
  EXPECT_EQ(Next(&sDemo), "0 70");
  EXPECT_EQ(Next(&sPsu), "70");  // no *IDN? in this table
}

TEST(ParserContext, StandardRulesInTheDefaultBuild) {
  struct Row {
    uint8_t ucRules;
    const char* pLine;
    std::vector<std::string> results;
  };
  const Row rows[] = {
      {SCPI_RULES_STANDARD, "VOLT 5;VOLT?", {"0 0 1", "0 1 1"}},
      {SCPI_RULES_STANDARD, "OUTP2:STAT ON;STAT?", {"0 3 2", "0 4 2"}},
      {SCPI_RULES_STANDARD, "OUTP:MODE", {"0 5"}},
      {SCPI_RULES_LIBRARY, "OUTP:MODE", {"70"}},
      {SCPI_RULES_LIBRARY, "VOLT 5;VOLT?", {"0 0", "70"}},
      // Every '#' keeps its place: an absent node's suffix reads 1.
      {SCPI_RULES_STANDARD, "outp3:fm2", {"0 6 3 1 2"}},
      {SCPI_RULES_STANDARD, "ARM:SEQ2:COUN;:ARM:LAY2:COUN;:ARM:COUN", {"0 7 2 1", "0 7 1 2", "0 7 1 1"}},
      {SCPI_RULES_LIBRARY, "outp3:fm2", {"0 6 3 2"}},
      // A quoted choice takes either quote, each with its doubled-quote rule.
      {SCPI_RULES_STANDARD, "FUNC 'CURR';FUNC \"volt\";FUNC 'A''B';FUNC \"A'B\"",
       {"0 8", "0 8", "0 8", "0 8"}},
      {SCPI_RULES_STANDARD, "FUNC 'AB';FUNC 'AB\"", {"40", "60"}},
      {SCPI_RULES_LIBRARY, "FUNC 'CURR';FUNC \"CURR\"", {"40", "0 8"}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Line(&PsuTable, r.ucRules, r.pLine), r.results) << int(r.ucRules) << " " << r.pLine;
  }
}

TEST(ParserContext, ChoiceItemsUnderEitherQuote) {
  SScpiContext sCtx;
  ASSERT_EQ(SCPI_ContextInit(&sCtx, &PsuTable, SCPI_RULES_STANDARD), 0);
  const struct {
    const char* pLine;
    uint8_t ucItem;
  } rows[] = {{"FUNC 'VOLTAGE'", 1}, {"FUNC 'A''B'", 2}, {"FUNC \"a'b\"", 2}, {"FUNC \"CURR\"", 0}};
  for (const auto& r : rows) {
    const char* p = r.pLine;
    SParam sParam[MAX_PARAMS];
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucCnt = 0, ucItem = 99;
    ASSERT_EQ(SCPI_ParseCtx(&sCtx, &p, nullptr, 1, &ucCmd, sParam, &ucCnt, uiSuf), 0) << r.pLine;
    EXPECT_EQ(SCPI_ParamToCharDataItem(&sParam[0], &ucItem), 0);
    EXPECT_EQ(ucItem, r.ucItem) << r.pLine;
  }
}

TEST(ParserContext, TheEndPointerBoundsTheMessage) {
  // No NUL where the message ends: a sanitizer sees any read past the buffer.
  struct Row {
    const char* pText;
    size_t uLen;
    std::vector<std::string> results;
  };
  const Row rows[] = {
      {"*RST;*CLS", 9, {"0 7", "0 0"}},
      {"*RST;*CLSX", 9, {"0 7", "0 0"}},
      {"*RST;*CLS", 7, {"0 7", "70"}},
      {"SYST:ERR? X", 9, {"0 13"}},
      {"DISP:TEXT 'a;b'", 14, {"60"}},  // the quote is never closed within the message
      {"  ;; ", 5, {}},
  };
  for (const Row& r : rows) {
    std::vector<char> vBuffer(r.pText, r.pText + r.uLen);
    Interface s;
    Open(&s, &DemoCommandTable, SCPI_RULES_LIBRARY, vBuffer.data(), vBuffer.data() + r.uLen);
    std::vector<std::string> v;
    for (std::string res = Next(&s); res != "10"; res = Next(&s)) v.push_back(res);
    EXPECT_EQ(v, r.results) << r.pText;
    EXPECT_EQ(s.pRest, vBuffer.data() + r.uLen) << r.pText;
  }
}

TEST(ParserContext, InitRejectsWhatItCannotUse) {
  SScpiContext sCtx;
  SScpiTable sNarrow = PsuTable;
  sNarrow.ucParamWidth = 0;
  SScpiTable sMiscounted = PsuTable;
  sMiscounted.ucCmdCount = 3;
  EXPECT_EQ(SCPI_ContextInit(nullptr, &PsuTable, SCPI_RULES_LIBRARY), SCPI_ERR_PARAM_TYPE);
  EXPECT_EQ(SCPI_ContextInit(&sCtx, nullptr, SCPI_RULES_LIBRARY), SCPI_ERR_PARAM_TYPE);
  EXPECT_EQ(SCPI_ContextInit(&sCtx, &PsuTable, 2), SCPI_ERR_PARAM_TYPE);
  EXPECT_EQ(SCPI_ContextInit(&sCtx, &sNarrow, SCPI_RULES_LIBRARY), SCPI_ERR_PARAM_TYPE);
  EXPECT_EQ(SCPI_ContextInit(&sCtx, &sMiscounted, SCPI_RULES_LIBRARY), SCPI_ERR_PARAM_TYPE);
  EXPECT_EQ(PsuTable.ucCmdCount, 9);
  EXPECT_EQ(PsuTable.ucParamWidth, MAX_PARAMS);
}

}  // namespace
