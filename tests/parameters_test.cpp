// SPDX-License-Identifier: MIT
// Parameter stage: counting, splitting and the per-type checks, over the demo command table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <orvane-scpi/demo_commands.h>
#include "scpi_internal.h"

namespace {

// A context over the demo table with the library's rules, for the workers that read one.
SScpiContext* DemoContext() {
  static SScpiContext sCtx;
  static const uint8_t ucInit = SCPI_ContextInit(&sCtx, &DemoCommandTable, SCPI_RULES_LIBRARY);
  EXPECT_EQ(ucInit, SCPI_ERR_OK);
  return &sCtx;
}

struct ParsedLine {
  uint8_t ucCode = 0xFF;
  uint8_t ucCmd = 0xFF;
  SParam sParam[MAX_PARAMS] = {};
  uint8_t ucSufCnt = 0;
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
};

/// Parses the first command of a line (the line must outlive the spans it returns).
ParsedLine ParseFirst(const char* pLine) {
  ParsedLine sOut;
  const char* pPos = pLine;
  sOut.ucCode = SCPI_Parse(&pPos, 1, &sOut.ucCmd, sOut.sParam, &sOut.ucSufCnt, sOut.uiSuf);
  return sOut;
}

std::string Span(const SParam& sParam) {
  return std::string(sParam.uVal.sText.pSText, sParam.uVal.sText.ucLen);
}

// ---- Parameter count: (command number, section) -> code ----

struct CountRow {
  uint8_t ucCmd;
  const char* pSection;
  uint8_t ucCode;
};

const CountRow COUNT_ROWS[] = {
    {0, "", SCPI_ERR_OK},                      // *CLS takes nothing
    {0, "   ", SCPI_ERR_OK},                   // white space only is no parameter
    {0, " 1", SCPI_ERR_PARAM_COUNT},
    {1, "", SCPI_ERR_PARAM_COUNT},             // *ESE needs one
    {1, " 5", SCPI_ERR_OK},
    {1, " 5,", SCPI_ERR_PARAM_COUNT},          // an empty parameter still counts
    {24, " 1,2", SCPI_ERR_OK},
    {24, " 1", SCPI_ERR_PARAM_COUNT},          // both measure parameters are required
    {24, " 1,2,3", SCPI_ERR_PARAM_COUNT},
    {48, " 5", SCPI_ERR_OK},                   // APPLy: second parameter optional
    {48, " 5,6", SCPI_ERR_OK},
    {36, "", SCPI_ERR_OK},                     // optional only
    {60, " \"a,b\"", SCPI_ERR_OK},             // comma inside quotes
    {60, " 'a\",b'", SCPI_ERR_OK},             // the other quote kind does not close
    {60, " (a,b)", SCPI_ERR_OK},               // comma inside brackets
    {60, " \"(\",1", SCPI_ERR_PARAM_COUNT},    // a bracket inside quotes is text: two parameters
    {60, " \"a,b", SCPI_ERR_OK},               // unclosed quote hides the comma from the count
    {61, " a,b", SCPI_ERR_PARAM_COUNT},
    {62, " ON", SCPI_ERR_PARAM_COUNT},         // both slots of CAL:SEC:STAT required
    {62, " ON,", SCPI_ERR_OK},
    {69, " )a,b", SCPI_ERR_PARAM_COUNT},       // a stray ')' does not go below depth 0
};

TEST(CheckParamCount, BoundsFromTheSlots) {
  for (const CountRow& sRow : COUNT_ROWS) {
    EXPECT_EQ(sRow.ucCode, scpi::CheckParamCount(DemoContext(), sRow.ucCmd, sRow.pSection,
                                                 static_cast<uint8_t>(std::strlen(sRow.pSection))))
        << "command " << int(sRow.ucCmd) << " section '" << sRow.pSection << "'";
  }
}

// ---- Whole commands: line -> code, command, parameter types ----

struct CommandRow {
  const char* pLine;
  uint8_t ucCode;
  uint8_t ucCmd;
  EPType eType0;
  EPType eType1;
};

const CommandRow COMMAND_ROWS[] = {
    // Booleans
    {"OUTPut:RELay ON", 0, 56, P_BOOL, P_NONE},
    {"OUTP:REL 1 V", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"OUTP:REL ONE", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"OUTP:REL", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    {"CALC:STAT", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    {"SENS:RES:RANG:AUTO", 0, 37, P_BOOL, P_NONE},
    {"INP:IMP:AUTO", 0, 41, P_BOOL, P_NONE},
    // Character data, defaults and alternatives
    {"STEP:AUTO", 0, 68, P_BOOL, P_NONE},
    {"STEP:AUTO ONCE", 0, 68, P_CH_DAT, P_NONE},
    {"STEP:AUTO OFF", 0, 68, P_BOOL, P_NONE},
    {"STEP:AUTO TWICE", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"TRIG:SOUR", 0, 58, P_CH_DAT, P_NONE},
    {"TRIG:SOUR EXT0", SCPI_ERR_INVALID_NUM_SUF, 0, 0, 0},
    {"TRIG:SOUR EXTERN", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"VOLT:DC:NPLC 10.0", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"MEAS:VOLT:DC? MIN,DEF", 0, 24, P_CH_DAT, P_CH_DAT},
    {"MEAS:VOLT:DC? 10 mV,MAX", 0, 24, P_NUM, P_CH_DAT},
    {"MEAS:VOLT:DC? 10,MIN", 0, 24, P_NUM, P_CH_DAT},
    {"MEAS:VOLT:DC? 1,2,3", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    {"MEAS:VOLT:DC?", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    {"MEAS:VOLT:DC? FOO,MIN", SCPI_ERR_PARAM_TYPE, 0, 0, 0},  // 40 outranks the choices' 70
    {"CONF:FREQ 10 MHZ", 0, 34, P_NUM, P_NONE},
    {"APPLy 5", 0, 48, P_NUM, P_NONE},
    {"APPLy ,5", SCPI_ERR_PARAM_TYPE, 0, 0, 0},  // the first parameter is required
    {"APPL 5,", 0, 48, P_NUM, P_NONE},           // an empty optional parameter is absent
    {"FUNC \"VOLT:DC\"", 0, 39, P_CH_DAT, P_NONE},
    {"FUNC 'VOLT:DC'", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"FUNC VOLT:DC", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"CALC:FUNC", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    // Strings
    {"DISP:TEXT 'It''s'", 0, 60, P_STR, P_NONE},
    {"DISP:TEXT \"abc", SCPI_ERR_UNMATCHED_QUOTE, 0, 0, 0},
    {"DISP:TEXT \"abc\" x", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"DISP:TEXT abc", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"DISP:TEXT \"(\",1", SCPI_ERR_PARAM_COUNT, 0, 0, 0},  // counted as it is split
    {"DISP:TEXT \"a\"\"b\"", 0, 60, P_STR, P_NONE},
    {"DISP:TEXT", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    {"CAL:SEC:CODE harbour62", 0, 61, P_UNQ_STR, P_NONE},
    {"CAL:SEC:CODE a,b", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    {"CAL:SEC:STAT ON,", 0, 62, P_BOOL, P_UNQ_STR},
    {"CAL:SEC:STAT , harbour62", 0, 62, P_BOOL, P_UNQ_STR},  // empty Boolean takes its default
    {"CAL:SEC:STAT ON", SCPI_ERR_PARAM_COUNT, 0, 0, 0},
    // Expressions and brackets
    {"TRAC:FEED:OCON (1+(2*3))", 0, 73, P_EXPR, P_NONE},
    {"TRAC:FEED:OCON (1+2", SCPI_ERR_UNMATCHED_BRACKET, 0, 0, 0},
    {"TRAC:FEED:OCON (1)+(2)", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    {"TRAC:FEED:OCON 1+2)", SCPI_ERR_UNMATCHED_BRACKET, 0, 0, 0},
    {"TRAC:FEED:OCON (a,\"b)\")", SCPI_ERR_UNMATCHED_QUOTE, 0, 0, 0},  // quotes count inside brackets
    {"TRAC:FEED:OCON (1)x", SCPI_ERR_PARAM_TYPE, 0, 0, 0},
    // Trailing white space is trimmed
    {"*ESE 5   ", 0, 1, P_NUM, P_NONE},
    {"*ESE 5 V", SCPI_ERR_PARAM_UNITS, 0, 0, 0},
};

TEST(ParseParameters, WholeCommands) {
  for (const CommandRow& sRow : COMMAND_ROWS) {
    const ParsedLine sOut = ParseFirst(sRow.pLine);
    ASSERT_EQ(sRow.ucCode, sOut.ucCode) << sRow.pLine;
    if (sRow.ucCode != SCPI_ERR_OK) {
      continue;
    }
    EXPECT_EQ(sRow.ucCmd, sOut.ucCmd) << sRow.pLine;
    EXPECT_EQ(sRow.eType0, sOut.sParam[0].ePType) << sRow.pLine;
    EXPECT_EQ(sRow.eType1, sOut.sParam[1].ePType) << sRow.pLine;
  }
}

// ---- Values: Booleans ----

struct BoolRow {
  const char* pLine;
  uint8_t bVal;
};

const BoolRow BOOL_ROWS[] = {
    {"OUTP:REL ON", 1},       {"OUTP:REL off", 0},      {"OUTP:REL 0.4", 0},
    {"OUTP:REL 0.5", 1},      {"OUTP:REL -0.5", 1},     {"OUTP:REL -0.49", 0},
    {"OUTP:REL 2", 1},        {"OUTP:REL #H0", 0},      {"SENS:RES:RANG:AUTO", 1},
    {"INP:IMP:AUTO", 0},      {"STEP:AUTO", 1},         {"CAL:SEC:STAT ,x", 1},
    {"OUTP:REL 1e-50", 0},    {"OUTP:REL 1e40", 1},
};

TEST(CheckBoolean, Values) {
  for (const BoolRow& sRow : BOOL_ROWS) {
    const ParsedLine sOut = ParseFirst(sRow.pLine);
    ASSERT_EQ(SCPI_ERR_OK, sOut.ucCode) << sRow.pLine;
    ASSERT_EQ(P_BOOL, sOut.sParam[0].ePType) << sRow.pLine;
    EXPECT_EQ(sRow.bVal, sOut.sParam[0].uVal.bVal) << sRow.pLine;
  }
}

// A Boolean given as a number is ON when its magnitude is at least one half. Rows: text -> code
// and value, for the numbers next to that edge and at the ends of what a number can hold.
struct BoolNumberRow {
  const char* pText;
  uint8_t ucCode;
  uint8_t bVal;
};

const BoolNumberRow BOOL_NUMBER_ROWS[] = {
    {"0", SCPI_ERR_OK, 0},
    {"-0", SCPI_ERR_OK, 0},
    {"1", SCPI_ERR_OK, 1},
    {"0.4", SCPI_ERR_OK, 0},
    {"0.5", SCPI_ERR_OK, 1},
    {"0.6", SCPI_ERR_OK, 1},
    {"1.5", SCPI_ERR_OK, 1},
    {"-0.5", SCPI_ERR_OK, 1},
    {"50e-2", SCPI_ERR_OK, 1},
    {"0.499999999", SCPI_ERR_OK, 0},
    {"0.49999999999999", SCPI_ERR_OK, 0},        // digits past 32 bits are cut off, not rounded
    {"0.500000000000001", SCPI_ERR_OK, 1},
    {"5000000000e-10", SCPI_ERR_OK, 1},          // integer digits past 32 bits scale the value
    {"4294967295e-10", SCPI_ERR_OK, 0},
    {"0.0000000005", SCPI_ERR_OK, 0},
    {"5e-43", SCPI_ERR_OK, 0},
    {"1e-50", SCPI_ERR_OK, 0},                   // below 10^-43 the value is 0
    {"1e43", SCPI_ERR_OK, 1},
    {"4294967295e43", SCPI_ERR_OK, 1},
    {"99999999999999999999", SCPI_ERR_OK, 1},
    {"#B1", SCPI_ERR_OK, 1},
    {"1e44", SCPI_ERR_PARAM_TYPE, 0},            // the numeric check's 20 becomes 40
    {"0e44", SCPI_ERR_PARAM_TYPE, 0},
    {"1 V", SCPI_ERR_PARAM_TYPE, 0},
    {".", SCPI_ERR_PARAM_TYPE, 0},
};

TEST(CheckBoolean, Numbers) {
  static const SBoolAttr sNoDefault = {0};
  for (const BoolNumberRow& sRow : BOOL_NUMBER_ROWS) {
    SParam sParam = {};
    const uint8_t ucLen = static_cast<uint8_t>(std::strlen(sRow.pText));
    ASSERT_EQ(sRow.ucCode, scpi::CheckBoolean(sRow.pText, ucLen, &sNoDefault, &sParam)) << sRow.pText;
    if (sRow.ucCode == SCPI_ERR_OK) {
      EXPECT_EQ(P_BOOL, sParam.ePType) << sRow.pText;
      EXPECT_EQ(sRow.bVal, sParam.uVal.bVal) << sRow.pText;
    }
  }
}

// The integer rule decides as the number read back as a double and rounded would.
TEST(CheckBoolean, NumbersAgreeWithTheirDoubleValue) {
  static const SBoolAttr sNoDefault = {0};
  static const SNumAttr sUnitless = {U_NONE, nullptr, 0};
  const char* const MANTISSAS[] = {"1",          "4",         "5",         "6",
                                   "49",         "50",        "51",        "499999999",
                                   "500000000",  "500000001", "4294967295"};
  for (const char* pMant : MANTISSAS) {
    for (int iPower = -45; iPower <= 2; iPower++) {
      const std::string sText = std::string("-") + pMant + "e" + std::to_string(iPower);
      for (const char* pText : {sText.c_str() + 1, sText.c_str()}) {
        const uint8_t ucLen = static_cast<uint8_t>(std::strlen(pText));
        SParam sNumber = {};
        double fdVal = 0;
        ASSERT_EQ(SCPI_ERR_OK, scpi::CheckNumeric(pText, ucLen, &sUnitless, UnitSuffixes, &sNumber)) << pText;
        ASSERT_EQ(SCPI_ERR_OK, SCPI_ParamToDouble(&sNumber, &fdVal)) << pText;
        SParam sBool = {};
        ASSERT_EQ(SCPI_ERR_OK, scpi::CheckBoolean(pText, ucLen, &sNoDefault, &sBool)) << pText;
        EXPECT_EQ(fdVal >= 0.5 || fdVal <= -0.5 ? 1 : 0, sBool.uVal.bVal) << pText;
      }
    }
  }
}

// ---- Values: character data items and their suffixes ----

struct ItemRow {
  const char* pLine;
  uint8_t ucSlot;
  uint8_t ucItem;
  uint8_t ucSufCnt;
  uint32_t uiLastSuf;
};

const ItemRow ITEM_ROWS[] = {
    {"STEP:AUTO ONCE", 0, 0, 0, 0},
    {"TRIG:SOUR", 0, 1, 0, 0},              // the default takes no suffix
    {"TRIG:SOUR EXT", 0, 2, 1, 1},
    {"TRIG:SOUR ext12", 0, 2, 1, 12},
    {"TRIG:SOUR EXTERNAL65535", 0, 2, 1, 65535},
    {"VOLT:DC:NPLC 10", 0, 3, 0, 0},
    {"VOLT:DC:NPLC", 0, 3, 0, 0},
    {"VOLT:DC:NPLC 0.2", 0, 1, 0, 0},
    {"VOLT:DC:NPLC max", 0, 6, 0, 0},
    {"MEAS:VOLT:DC? MIN,DEF", 1, 2, 0, 0},
    {"MEAS:VOLT:DC? minimum,maximum", 1, 1, 0, 0},
    {"FUNC \"VOLTAGE:DC:RAT\"", 0, 1, 0, 0},  // each node takes its own form
    {"FUNC \"diod\"", 0, 10, 0, 0},
    {"CALC:FUNC aver", 0, 3, 0, 0},
    {"CAL:CURR:LEV mid", 0, 1, 0, 0},
    {"OUTP7:MOD:FM2 1", 0, 0, 3, 2},       // header suffixes only; checked via the count
};

TEST(CheckCharData, ItemsAndSuffixes) {
  for (const ItemRow& sRow : ITEM_ROWS) {
    const ParsedLine sOut = ParseFirst(sRow.pLine);
    ASSERT_EQ(SCPI_ERR_OK, sOut.ucCode) << sRow.pLine;
    EXPECT_EQ(sRow.ucSufCnt, sOut.ucSufCnt) << sRow.pLine;
    if (sRow.ucSufCnt > 0) {
      EXPECT_EQ(sRow.uiLastSuf, sOut.uiSuf[sRow.ucSufCnt - 1]) << sRow.pLine;
    }
    if (sOut.sParam[sRow.ucSlot].ePType == P_CH_DAT) {
      EXPECT_EQ(sRow.ucItem, sOut.sParam[sRow.ucSlot].uVal.ucItemNum) << sRow.pLine;
    }
  }
}

TEST(CheckCharData, ChoiceSuffixesFollowHeaderSuffixes) {
  // A table whose choice carries a suffix after a header suffix: both land in order.
  static const SCharDataAttr sAttr = {"CHANnel#|OFF", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {7};
  uint8_t ucCnt = 1;
  SParam sParam = {};
  ASSERT_EQ(SCPI_ERR_OK, scpi::CheckCharData(DemoContext(), "CHAN3", 5, &sAttr, &sParam, uiSuf, &ucCnt));
  EXPECT_EQ(2, ucCnt);
  EXPECT_EQ(7u, uiSuf[0]);
  EXPECT_EQ(3u, uiSuf[1]);
  EXPECT_EQ(0, sParam.uVal.ucItemNum);
}

TEST(CheckCharData, EmptyChoiceNeverMatchesText) {
  static const SCharDataAttr sAttr = {"A||B|", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  uint8_t ucCnt = 0;
  SParam sParam = {};
  EXPECT_EQ(SCPI_ERR_PARAM_TYPE, scpi::CheckCharData(DemoContext(), "X", 1, &sAttr, &sParam, uiSuf, &ucCnt));
  ASSERT_EQ(SCPI_ERR_OK, scpi::CheckCharData(DemoContext(), "b", 1, &sAttr, &sParam, uiSuf, &ucCnt));
  EXPECT_EQ(2, sParam.uVal.ucItemNum);
}

TEST(CheckCharData, TooManySuffixesComesFromTheLastChoiceTried) {
  static const SCharDataAttr sAttr = {"X#", CHAR_DATA_NO_DEFAULT, P_NONE, nullptr};
  uint32_t uiSuf[MAX_NUM_SUFFIX] = {};
  uint8_t ucCnt = MAX_NUM_SUFFIX;
  SParam sParam = {};
  EXPECT_EQ(SCPI_ERR_TOO_MANY_NUM_SUF,
            scpi::CheckCharData(DemoContext(), "X1", 2, &sAttr, &sParam, uiSuf, &ucCnt));
  EXPECT_EQ(MAX_NUM_SUFFIX, ucCnt);
}

// ---- Values: text spans ----

struct SpanRow {
  const char* pLine;
  uint8_t ucSlot;
  EPType eType;
  const char* pText;
  char cDelimiter;
};

const SpanRow SPAN_ROWS[] = {
    {"DISP:TEXT 'It''s'", 0, P_STR, "It''s", '\''},
    {"DISP:TEXT \"Calibration Mode\"", 0, P_STR, "Calibration Mode", '"'},
    {"DISP:TEXT \"\"", 0, P_STR, "", '"'},
    {"DISP:TEXT \"(\"", 0, P_STR, "(", '"'},
    {"CAL:SEC:CODE  harbour62  ", 0, P_UNQ_STR, "harbour62", 0},
    {"CAL:SEC:STAT ON,", 1, P_UNQ_STR, "", 0},
    {"CAL:SEC:STAT ON, a b ", 1, P_UNQ_STR, "a b", 0},
    {"TRAC:FEED:OCON (1+(2*3))", 0, P_EXPR, "(1+(2*3))", 0},
    {"TRAC:FEED:OCON (a,b)", 0, P_EXPR, "(a,b)", 0},
};

TEST(CheckString, Spans) {
  for (const SpanRow& sRow : SPAN_ROWS) {
    const ParsedLine sOut = ParseFirst(sRow.pLine);
    ASSERT_EQ(SCPI_ERR_OK, sOut.ucCode) << sRow.pLine;
    const SParam& sParam = sOut.sParam[sRow.ucSlot];
    ASSERT_EQ(sRow.eType, sParam.ePType) << sRow.pLine;
    EXPECT_EQ(sRow.pText, Span(sParam)) << sRow.pLine;
    EXPECT_EQ(sRow.cDelimiter, sParam.uVal.sText.cDelimiter) << sRow.pLine;
    // The span points into the caller's line, never into a copy.
    EXPECT_GE(sParam.uVal.sText.pSText, sRow.pLine);
    EXPECT_LE(sParam.uVal.sText.pSText + sParam.uVal.sText.ucLen, sRow.pLine + std::strlen(sRow.pLine));
  }
}

// ---- Expressions checked directly: text -> code ----

struct TextRow {
  const char* pText;
  uint8_t ucCode;
};

const TextRow EXPRESSION_ROWS[] = {
    {"()", 0},       {"(a(b)c)", 0},  {"", SCPI_ERR_PARAM_TYPE},  {"a", SCPI_ERR_PARAM_TYPE},
    {")", SCPI_ERR_UNMATCHED_BRACKET},  {"((a)", SCPI_ERR_UNMATCHED_BRACKET},
    {"(a))", SCPI_ERR_PARAM_TYPE},      {"(a) ", SCPI_ERR_PARAM_TYPE},
};

TEST(CheckExpression, OneBracketedGroup) {
  for (const TextRow& sRow : EXPRESSION_ROWS) {
    SParam sParam = {};
    EXPECT_EQ(sRow.ucCode,
              scpi::CheckExpression(sRow.pText, static_cast<uint8_t>(std::strlen(sRow.pText)), &sParam))
        << "'" << sRow.pText << "'";
  }
}

const TextRow STRING_ROWS[] = {
    {"\"a\"", 0},   {"''", 0},  {"'a\"b'", 0},  {"\"", SCPI_ERR_UNMATCHED_QUOTE},
    {"'a''", SCPI_ERR_UNMATCHED_QUOTE},  {"a", SCPI_ERR_PARAM_TYPE},
    {"", SCPI_ERR_PARAM_TYPE},  {"'a' 'b'", SCPI_ERR_PARAM_TYPE},
};

TEST(CheckString, QuotedForms) {
  for (const TextRow& sRow : STRING_ROWS) {
    SParam sParam = {};
    EXPECT_EQ(sRow.ucCode,
              scpi::CheckString(sRow.pText, static_cast<uint8_t>(std::strlen(sRow.pText)), P_STR, &sParam))
        << "'" << sRow.pText << "'";
  }
}

TEST(CheckString, FailureOnEmptyTextLeavesRecordUnwritten) {
  SParam sParam = {};
  sParam.ePType = P_NONE;
  EXPECT_EQ(SCPI_ERR_PARAM_TYPE, scpi::CheckString("", 0, P_STR, &sParam));
  EXPECT_EQ(SCPI_ERR_PARAM_TYPE, scpi::CheckExpression("", 0, &sParam));
  static const SBoolAttr sNoDefault = {0};
  EXPECT_EQ(SCPI_ERR_PARAM_TYPE, scpi::CheckBoolean("", 0, &sNoDefault, &sParam));
  EXPECT_EQ(P_NONE, sParam.ePType);
}

}  // namespace
