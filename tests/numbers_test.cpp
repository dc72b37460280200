// SPDX-License-Identifier: MIT
// Number text, unit suffixes, numeric parameters and list validation.
#include <gtest/gtest.h>

#include <cstring>

#include "scpi_internal.h"

namespace {

constexpr uint8_t OK = SCPI_ERR_OK;
constexpr uint8_t TYPE = SCPI_ERR_PARAM_TYPE;
constexpr uint8_t OVER = SCPI_ERR_PARAM_OVERFLOW;
constexpr uint8_t UNITS = SCPI_ERR_PARAM_UNITS;
constexpr uint8_t VALUE = SCPI_ERR_INVALID_VALUE;
constexpr uint8_t DIMS = SCPI_ERR_INVALID_DIMS;

constexpr uint8_t CMD_INDUCTANCE = 53;
constexpr uint8_t CMD_TEMPERATURE = 54;
constexpr uint8_t CMD_ROUTE_OPEN = 69;
constexpr uint8_t CMD_ERROR_ENABLE = 70;

uint8_t Len(const char* p) { return static_cast<uint8_t>(std::strlen(p)); }

int Power(const SNum& s) { return (s.ucNumFlags & NUM_EXP_NEG) ? -s.ucExp : s.ucExp; }
bool Negative(const SNum& s) { return (s.ucNumFlags & NUM_NEG) != 0; }

const SNumAttr* NumAttrOf(uint8_t ucCmd) {
  return static_cast<const SNumAttr*>(ParamSpecs[ucCmd][0].pAttr);
}
const SListAttr* ListAttrOf(uint8_t ucCmd) {
  return static_cast<const SListAttr*>(ParamSpecs[ucCmd][0].pAttr);
}

// ---- ParseNumber ------------------------------------------------------------------------------

struct NumberRow {
  const char* pText;
  uint8_t ucCode;
  uint32_t ulMant;
  int iPower;
  bool bNeg;
};

void ExpectNumber(const NumberRow& r) {
  SCOPED_TRACE(r.pText);
  SNum s;
  std::memset(&s, 0xAB, sizeof s);
  uint8_t ucUsed = 0xEE;
  ASSERT_EQ(scpi::ParseNumber(r.pText, Len(r.pText), &s, &ucUsed), r.ucCode);
  if (r.ucCode != OK) {
    EXPECT_EQ(ucUsed, 0xEE) << "nothing is written on failure";
    EXPECT_EQ(s.ulMant, 0xABABABABu);
    EXPECT_EQ(s.ucNumFlags, 0xAB);
    return;
  }
  EXPECT_EQ(s.ulMant, r.ulMant);
  EXPECT_EQ(Power(s), r.iPower);
  EXPECT_EQ(Negative(s), r.bNeg);
  EXPECT_EQ(s.ucNumFlags & ~(NUM_NEG | NUM_EXP_NEG), 0);
  EXPECT_EQ(s.eUnits, 0xAB) << "units are left alone";
}

TEST(ParseNumber, DecimalForms) {
  const NumberRow rows[] = {
      {"1.5", OK, 15, -1, false},        {"100", OK, 1, 2, false},
      {"-0.25e+2", OK, 25, 0, true},     {"1 e3", OK, 1, 3, false},
      {"1e 3", OK, 1, 3, false},         {"1E-3", OK, 1, -3, false},
      {"+.5", OK, 5, -1, false},         {"5.", OK, 5, 0, false},
      {"0", OK, 0, 0, false},            {"0.00", OK, 0, -2, false},
      {"-0", OK, 0, 0, true},            {"007", OK, 7, 0, false},
      {"1.50", OK, 15, -1, false},       {"  \t42", OK, 42, 0, false},
      {"2.5E1", OK, 25, 0, false},       {"1.5 e -2", OK, 15, -3, false},
      {"12e+0003", OK, 12, 3, false},    {"\x80" "3", OK, 3, 0, false},
  };
  for (const NumberRow& r : rows) ExpectNumber(r);
}

TEST(ParseNumber, IncompleteOrMalformed) {
  const NumberRow rows[] = {
      {"1e+ 3", TYPE, 0, 0, false}, {"- 1", TYPE, 0, 0, false}, {".", TYPE, 0, 0, false},
      {".e3", TYPE, 0, 0, false},   {"", TYPE, 0, 0, false},    {"   ", TYPE, 0, 0, false},
      {"+", TYPE, 0, 0, false},     {"1e", TYPE, 0, 0, false},  {"1e-", TYPE, 0, 0, false},
      {"e3", TYPE, 0, 0, false},    {"x1", TYPE, 0, 0, false},  {"--1", TYPE, 0, 0, false},
      {"+-1", TYPE, 0, 0, false},   {"1 e", TYPE, 0, 0, false}, {"1ex", TYPE, 0, 0, false},
      {".e99999", TYPE, 0, 0, false},
  };
  for (const NumberRow& r : rows) ExpectNumber(r);
}

TEST(ParseNumber, BasedNumbers) {
  const NumberRow rows[] = {
      {"#H1F", OK, 31, 0, false},
      {"#hff", OK, 255, 0, false},
      {"#Q17", OK, 15, 0, false},
      {"#B101", OK, 5, 0, false},
      {"#B1010", OK, 1, 1, false},
      {"#HFFFFFFFF", OK, 4294967295u, 0, false},
      {"#B11111111111111111111111111111111", OK, 4294967295u, 0, false},
      {"#Q37777777777", OK, 4294967295u, 0, false},
      {"#Hc8", OK, 2, 2, false},
      {"#Q8", TYPE, 0, 0, false},
      {"#H", TYPE, 0, 0, false},
      {"#X1", TYPE, 0, 0, false},
      {"#", TYPE, 0, 0, false},
      {"#B2", TYPE, 0, 0, false},
      {"#1", TYPE, 0, 0, false},
      {"-#H1", TYPE, 0, 0, false},
      {"#H100000000", OVER, 0, 0, false},
      {"#B111111111111111111111111111111111", OVER, 0, 0, false},
      {"#Q40000000000", OVER, 0, 0, false},
  };
  for (const NumberRow& r : rows) ExpectNumber(r);
}

TEST(ParseNumber, SurplusDigitsAreCutOff) {
  const NumberRow rows[] = {
      {"4294967295", OK, 4294967295u, 0, false},
      {"4294967296", OK, 429496729, 1, false},
      {"42949672961", OK, 429496729, 2, false},
      {"4294967296.7", OK, 429496729, 1, false},
      {"99999999999", OK, 999999999, 2, false},
      {"0.123456789012", OK, 123456789, -9, false},
      {"1.99999999999", OK, 1999999999, -9, false},
      {"0.00000000000000000000000000000000000000000000001", OK, 0, 0, false},
      {"-4294967296e-1", OK, 429496729, 0, true},
  };
  for (const NumberRow& r : rows) ExpectNumber(r);
}

TEST(ParseNumber, PowerLimits) {
  const NumberRow rows[] = {
      {"1e43", OK, 1, 43, false},          {"1e44", OVER, 0, 0, false},
      {"10e43", OVER, 0, 0, false},        {"1e-43", OK, 1, -43, false},
      {"1e-44", OK, 0, 0, false},          {"1e99999", OVER, 0, 0, false},
      {"1e32767", OVER, 0, 0, false},      {"1e-32767", OK, 0, 0, false},
      {"1e-99999", OVER, 0, 0, false},     {"-1e-50", OK, 0, 0, true},
      {"0.1e44", OK, 1, 43, false},        {"100e-45", OK, 1, -43, false},
      {"4294967295e34", OK, 4294967295u, 34, false},
      {"42949672950e33", OK, 4294967295u, 34, false},
      {"12345e39", OK, 12345, 39, false},
  };
  for (const NumberRow& r : rows) ExpectNumber(r);
}

struct UsedRow {
  const char* pText;
  uint8_t ucUsed;
};

TEST(ParseNumber, CountsTrailingWhiteSpaceButNoMore) {
  const UsedRow rows[] = {
      {"1 V", 2},     {"1e3  x", 5},  {"#B12", 3},    {"5. V", 3},   {"1,2", 1},
      {"1 2", 2},     {"-3)", 2},     {"#HFFg", 4},   {"1.5e-2ms", 6}, {" 7 ", 3},
      {"1.)", 2},     {"#Q78", 3},    {"2e+3 :4", 5},
  };
  for (const UsedRow& r : rows) {
    SCOPED_TRACE(r.pText);
    SNum s{};
    uint8_t ucUsed = 0;
    ASSERT_EQ(scpi::ParseNumber(r.pText, Len(r.pText), &s, &ucUsed), OK);
    EXPECT_EQ(ucUsed, r.ucUsed);
  }
}

TEST(ParseNumber, StopsAtTheGivenLength) {
  SNum s{};
  uint8_t ucUsed = 0;
  ASSERT_EQ(scpi::ParseNumber("12345", 3, &s, &ucUsed), OK);
  EXPECT_EQ(s.ulMant, 123u);
  EXPECT_EQ(ucUsed, 3);
  EXPECT_EQ(scpi::ParseNumber("1e5", 2, &s, &ucUsed), TYPE);
}

// ---- The accumulators ----------------------------------------------------------------------------

TEST(Accumulate, DigitFitsOnlyWithinThirtyTwoBits) {
  struct Row {
    uint32_t ulAcc;
    uint8_t ucDigit;
    uint8_t ucBase;
    bool bFits;
    uint32_t ulAfter;
  };
  const Row rows[] = {
      {429496729, 5, 10, true, 4294967295u}, {429496729, 6, 10, false, 429496729},
      {429496730, 0, 10, false, 429496730},  {0, 9, 10, true, 9},
      {2147483647, 1, 2, true, 4294967295u}, {2147483648u, 0, 2, false, 2147483648u},
      {536870911, 7, 8, true, 4294967295u},  {536870912, 0, 8, false, 536870912},
      {268435455, 15, 16, true, 4294967295u}, {268435456, 0, 16, false, 268435456},
  };
  for (const Row& r : rows) {
    uint32_t ulAcc = r.ulAcc;
    EXPECT_EQ(scpi::AccumulateDigit(&ulAcc, r.ucDigit, r.ucBase), r.bFits) << r.ulAcc << " base " << +r.ucBase;
    EXPECT_EQ(ulAcc, r.ulAfter);
  }
}

TEST(Accumulate, ExponentBoundedBy32767) {
  struct Row {
    uint16_t uiAcc;
    uint8_t ucDigit;
    bool bFits;
    uint16_t uiAfter;
  };
  const Row rows[] = {{3276, 7, true, 32767}, {3276, 8, false, 3276}, {3277, 0, false, 3277},
                      {0, 0, true, 0},        {12, 3, true, 123}};
  for (const Row& r : rows) {
    uint16_t uiAcc = r.uiAcc;
    EXPECT_EQ(scpi::AccumulateExponent(&uiAcc, r.ucDigit), r.bFits) << r.uiAcc;
    EXPECT_EQ(uiAcc, r.uiAfter);
  }
}

// ---- MatchUnits ------------------------------------------------------------------------------------

const EUnits TEMPERATURE_ALTS[] = {U_CELSIUS, U_FAHREN, U_END};
const SNumAttr VOLTS = {U_VOLT, nullptr, 0};
const SNumAttr OHMS = {U_OHM, nullptr, 0};
const SNumAttr HERTZ = {U_HERTZ, nullptr, 0};
const SNumAttr AMPS = {U_AMP, nullptr, 0};
const SNumAttr WATT_DB = {U_DB_W, nullptr, 0};
const SNumAttr KELVIN = {U_KELVIN, TEMPERATURE_ALTS, 0};
const SNumAttr NO_UNITS = {U_NONE, nullptr, 0};

struct UnitsRow {
  const char* pText;
  const SNumAttr* psAttr;
  uint8_t ucCode;
  EUnits eUnits;  // expected whenever a suffix matched
  int iExp;
};

TEST(MatchUnits, SuffixTableDecidesPrefixes) {
  const UnitsRow rows[] = {
      {"MV", &VOLTS, OK, U_VOLT, -3},    {"MAV", &VOLTS, OK, U_VOLT, 6},
      {"mav", &VOLTS, OK, U_VOLT, 6},    {"m v", &VOLTS, OK, U_VOLT, -3},
      {"M A V", &VOLTS, OK, U_VOLT, 6},  {"v", &VOLTS, OK, U_VOLT, 0},
      {"KV", &VOLTS, OK, U_VOLT, 3},     {"NV", &VOLTS, OK, U_VOLT, -9},
      {"MOHM", &OHMS, OK, U_OHM, 6},     {"MAOHM", &OHMS, OK, U_OHM, 6},
      {"MR", &OHMS, OK, U_OHM, 6},       {"UOHM", &OHMS, OK, U_OHM, -6},
      {"MHZ", &HERTZ, OK, U_HERTZ, 6},   {"mahz", &HERTZ, OK, U_HERTZ, 6},
      {"GHZ", &HERTZ, OK, U_HERTZ, 9},   {"MA", &AMPS, OK, U_AMP, -3},
      {"DBM", &WATT_DB, OK, U_DB_W, -3}, {"DBMW", &WATT_DB, OK, U_DB_W, -3},
      {"K", &KELVIN, OK, U_KELVIN, 0},   {"CEL", &KELVIN, OK, U_CELSIUS, 0},
      {"FAR", &KELVIN, OK, U_FAHREN, 0},
  };
  for (const UnitsRow& r : rows) {
    SCOPED_TRACE(r.pText);
    EUnits eUnits = 0xEE;
    int8_t cExp = 99;
    ASSERT_EQ(scpi::MatchUnits(r.pText, Len(r.pText), r.psAttr, UnitSuffixes, &eUnits, &cExp), r.ucCode);
    EXPECT_EQ(eUnits, r.eUnits);
    EXPECT_EQ(cExp, r.iExp);
  }
}

TEST(MatchUnits, RejectsUnknownAndForeignSuffixes) {
  const UnitsRow rows[] = {
      // Matched entries with the wrong units still report what they matched.
      {"V", &KELVIN, UNITS, U_VOLT, 0},  {"MA", &VOLTS, UNITS, U_AMP, -3},
      {"V", &NO_UNITS, UNITS, U_VOLT, 0}, {"FAR", &VOLTS, UNITS, U_FAHREN, 0},
      {"MHZ", &OHMS, UNITS, U_HERTZ, 6},
      // No entry at all: nothing written.
      {"XYZ", &VOLTS, UNITS, 0xEE, 99},  {"V ", &VOLTS, UNITS, 0xEE, 99},
      {"VV", &VOLTS, UNITS, 0xEE, 99},   {"", &VOLTS, UNITS, 0xEE, 99},
      {"MVX", &VOLTS, UNITS, 0xEE, 99},
  };
  for (const UnitsRow& r : rows) {
    SCOPED_TRACE(r.pText);
    EUnits eUnits = 0xEE;
    int8_t cExp = 99;
    ASSERT_EQ(scpi::MatchUnits(r.pText, Len(r.pText), r.psAttr, UnitSuffixes, &eUnits, &cExp), r.ucCode);
    EXPECT_EQ(eUnits, r.eUnits);
    EXPECT_EQ(cExp, r.iExp);
  }
}

// ---- CheckNumeric -----------------------------------------------------------------------------------

struct NumericRow {
  const char* pText;
  const SNumAttr* psAttr;
  uint8_t ucCode;
  uint32_t ulMant;
  int iPower;
  EUnits eUnits;
};

void ExpectNumeric(const NumericRow& r) {
  SCOPED_TRACE(r.pText);
  SParam s;
  std::memset(&s, 0xAB, sizeof s);
  ASSERT_EQ(scpi::CheckNumeric(r.pText, Len(r.pText), r.psAttr, UnitSuffixes, &s), r.ucCode);
  EXPECT_EQ(s.ePType, P_NUM);
  EXPECT_EQ(s.uVal.sNum.ulMant, r.ulMant);
  EXPECT_EQ(Power(s.uVal.sNum), r.iPower);
  EXPECT_EQ(s.uVal.sNum.eUnits, r.eUnits);
}

TEST(CheckNumeric, SuffixOrDefaultExponent) {
  const SNumAttr* psHenry = NumAttrOf(CMD_INDUCTANCE);
  const SNumAttr* psTemp = NumAttrOf(CMD_TEMPERATURE);
  const NumericRow rows[] = {
      {"5", psHenry, OK, 5, -6, U_HENRY},
      {"5 MH", psHenry, OK, 5, -3, U_HENRY},
      {"5 H", psHenry, OK, 5, 0, U_HENRY},
      {"2.5", psHenry, OK, 25, -7, U_HENRY},
      {"1e-38", psHenry, OK, 0, 0, U_HENRY},
      {"20 CEL", psTemp, OK, 2, 1, U_CELSIUS},
      {"20 far", psTemp, OK, 2, 1, U_FAHREN},
      {"20", psTemp, OK, 2, 1, U_KELVIN},
      {"10 MHZ", &HERTZ, OK, 1, 7, U_HERTZ},
      {"10 mahz", &HERTZ, OK, 1, 7, U_HERTZ},
      {"10 m v", &VOLTS, OK, 1, -2, U_VOLT},
      {"1.5MV", &VOLTS, OK, 15, -4, U_VOLT},
      {"1e40 KV", &VOLTS, OK, 1, 43, U_VOLT},
      {"1e-40 NV", &VOLTS, OK, 0, 0, U_VOLT},
      {"1e-45 KV", &VOLTS, OK, 0, 3, U_VOLT},
      {"-3 A", &AMPS, OK, 3, 0, U_AMP},
  };
  for (const NumericRow& r : rows) ExpectNumeric(r);
}

TEST(CheckNumeric, UnitAndOverflowFaults) {
  const SNumAttr* psTemp = NumAttrOf(CMD_TEMPERATURE);
  const NumericRow rows[] = {
      {"20 V", psTemp, UNITS, 2, 1, U_VOLT},
      {"10 XYZ", &VOLTS, UNITS, 1, 1, U_NONE},
      {"5 V", &NO_UNITS, UNITS, 5, 0, U_VOLT},
      {"1 2", &NO_UNITS, UNITS, 1, 0, U_NONE},
      // Overflow after the multiplier replaces a units fault; the power is then 0.
      {"1e40 GHZ", &HERTZ, OVER, 1, 0, U_HERTZ},
      {"1e40 GHZ", &VOLTS, OVER, 1, 0, U_HERTZ},
      {"1e43 XYZ", &VOLTS, UNITS, 1, 43, U_NONE},
      {"1e43 KV", &VOLTS, OVER, 1, 0, U_VOLT},
  };
  for (const NumericRow& r : rows) ExpectNumeric(r);
}

TEST(CheckNumeric, NumberFaultLeavesRecordUntouched) {
  const char* const texts[] = {"V", "1e44", "", "#Q9", "- 1 V"};
  for (const char* pText : texts) {
    SCOPED_TRACE(pText);
    SParam s;
    std::memset(&s, 0xAB, sizeof s);
    SParam sBefore = s;
    uint8_t ucCode = scpi::CheckNumeric(pText, Len(pText), &VOLTS, UnitSuffixes, &s);
    EXPECT_TRUE(ucCode == TYPE || ucCode == OVER);
    EXPECT_EQ(std::memcmp(&s, &sBefore, sizeof s), 0);
  }
}

TEST(CheckNumeric, FlagsFollowTheScaledValue) {
  struct Row {
    const char* pText;
    uint8_t ucFlags;
  };
  const Row rows[] = {
      {"-2.5 KV", NUM_NEG},  {"-1.25 MV", NUM_NEG | NUM_EXP_NEG}, {"1.25 KV", 0},
      {"1.5", NUM_EXP_NEG},  {"150 MV", NUM_EXP_NEG},             {"-0", NUM_NEG},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.pText);
    SParam s{};
    ASSERT_EQ(scpi::CheckNumeric(r.pText, Len(r.pText), &VOLTS, UnitSuffixes, &s), OK);
    EXPECT_EQ(s.uVal.sNum.ucNumFlags, r.ucFlags);
  }
}

// ---- Lists ----------------------------------------------------------------------------------------

struct ListRow {
  const char* pText;
  uint8_t ucCode;
};

const SListAttr INTS_IN_RANGE = {LIST_CHECK_RANGE | LIST_ALLOW_NEG, 0, 0, -5, 5};
const SListAttr REALS_ONLY_POSITIVE = {LIST_ALLOW_REAL, 0, 0, 0, 0};
const SListAttr WIDE_RANGE = {LIST_CHECK_RANGE | LIST_ALLOW_NEG, 0, 0, -2147483647, 2147483647};
const SListAttr ONE_TO_THREE_DIMS = {0, 1, 3, 0, 0};

void ExpectNumList(const SListAttr* psAttr, const ListRow& r) {
  SCOPED_TRACE(r.pText);
  SParam s;
  std::memset(&s, 0xAB, sizeof s);
  ASSERT_EQ(scpi::CheckNumList(r.pText, Len(r.pText), psAttr, &s), r.ucCode);
  if (r.ucCode != OK) {
    EXPECT_EQ(s.ePType, 0xAB) << "a failed list leaves the record alone";
    return;
  }
  EXPECT_EQ(s.ePType, P_NUM_LIST);
  EXPECT_EQ(s.uVal.sText.pSText, r.pText + 1);
  EXPECT_EQ(s.uVal.sText.ucLen, Len(r.pText) - 2);
  EXPECT_EQ(s.uVal.sText.cDelimiter, '\0');
}

void ExpectChanList(const SListAttr* psAttr, const ListRow& r) {
  SCOPED_TRACE(r.pText);
  SParam s;
  std::memset(&s, 0xAB, sizeof s);
  ASSERT_EQ(scpi::CheckChanList(r.pText, Len(r.pText), psAttr, &s), r.ucCode);
  if (r.ucCode != OK) {
    EXPECT_EQ(s.ePType, 0xAB) << "a failed list leaves the record alone";
    return;
  }
  EXPECT_EQ(s.ePType, P_CHAN_LIST);
  EXPECT_EQ(s.uVal.sText.pSText, r.pText + 2);
  EXPECT_EQ(s.uVal.sText.ucLen, Len(r.pText) - 3);
  EXPECT_EQ(s.uVal.sText.cDelimiter, '\0');
}

TEST(CheckNumList, Syntax) {
  const ListRow rows[] = {
      {"(1,2:5,-3)", OK}, {"( 1 , 2 )", OK}, {"(7)", OK},      {"(1:2,3:4)", OK},
      {"(#H1F,#B1)", OK}, {"(1e3)", OK},     {"(1,)", TYPE},   {"(1::2)", TYPE},
      {"(1:2:3)", TYPE},  {"()", TYPE},      {"(1 V)", TYPE},  {"(,1)", TYPE},
      {"(1", TYPE},       {"1)", TYPE},      {"", TYPE},       {"(1)2)", TYPE},
      {"(1;2)", TYPE},    {"(1:)", TYPE},    {"( )", TYPE},    {"(1e99)", TYPE},
      {"(@1)", TYPE},     {"(1 2)", TYPE},   {"(1!2)", TYPE},
  };
  for (const ListRow& r : rows) ExpectNumList(ListAttrOf(CMD_ERROR_ENABLE), r);
}

TEST(CheckNumList, Values) {
  const ListRow rows[] = {
      {"(1.5)", VALUE},       {"(1.0)", OK},           {"(15e-1)", VALUE},
      {"(0.5,1.5,2)", VALUE}, {"(-1e-50)", OK},        {"(1.5,,2)", TYPE},
  };
  for (const ListRow& r : rows) ExpectNumList(ListAttrOf(CMD_ERROR_ENABLE), r);
  const ListRow ranged[] = {
      {"(-5:5)", OK},   {"(6)", VALUE},       {"(-6)", VALUE},     {"(4.9)", VALUE},
      {"(1,6,2)", VALUE}, {"(6,1.)", VALUE},  {"(6,)", TYPE},      {"(5e0)", OK},
  };
  for (const ListRow& r : ranged) ExpectNumList(&INTS_IN_RANGE, r);
  const ListRow reals[] = {{"(1.5:2.5)", OK}, {"(-1.5)", VALUE}, {"(-0)", VALUE}};
  for (const ListRow& r : reals) ExpectNumList(&REALS_ONLY_POSITIVE, r);
  const ListRow wide[] = {
      {"(2147483647,-2147483647)", OK}, {"(-2147483648)", VALUE}, {"(3000000000)", VALUE},
      {"(5e9)", VALUE},
  };
  for (const ListRow& r : wide) ExpectNumList(&WIDE_RANGE, r);
}

TEST(CheckChanList, Syntax) {
  const ListRow rows[] = {
      {"(@1!1)", OK},          {"(@1!1,2!3:2!5)", OK},  {"(@ 1 ! 2 , 3 ! 4 )", OK},
      {"(@1!1:2!2:3!3)", TYPE}, {"(1!1)", TYPE},        {"(@)", TYPE},
      {"(@1!1,)", TYPE},       {"(@1!!1)", TYPE},       {"(@1!1;2!2)", TYPE},
      {"(@1!)", TYPE},         {"@1!1)", TYPE},         {"(@1!1", TYPE},
      {"(@x!1)", TYPE},        {"(@1!1::2!2)", TYPE},
  };
  for (const ListRow& r : rows) ExpectChanList(ListAttrOf(CMD_ROUTE_OPEN), r);
}

TEST(CheckChanList, ValuesAndDimensions) {
  const ListRow rows[] = {
      {"(@1)", DIMS},        {"(@1!1!1)", DIMS},   {"(@1!1:2)", DIMS},   {"(@1:2!2)", DIMS},
      {"(@1,2)", DIMS},      {"(@1!25)", VALUE},   {"(@1.5!1)", VALUE},  {"(@-1!1)", VALUE},
      {"(@0!1)", VALUE},     {"(@24!24)", OK},     {"(@1!1,1)", DIMS},   {"(@1,1!1)", DIMS},
      // The last fault found wins.
      {"(@1,25!1)", VALUE},  {"(@25!1,1)", DIMS},  {"(@25!1,1,x)", TYPE},
  };
  for (const ListRow& r : rows) ExpectChanList(ListAttrOf(CMD_ROUTE_OPEN), r);
  const ListRow ranged[] = {
      {"(@1)", OK},          {"(@1!2!3)", OK},     {"(@1!2!3!4)", DIMS},  {"(@1:2)", OK},
      {"(@1!2:3!4)", OK},    {"(@1!2:3)", DIMS},   {"(@1!2:3!4!5)", DIMS}, {"(@-1)", VALUE},
  };
  for (const ListRow& r : ranged) ExpectChanList(&ONE_TO_THREE_DIMS, r);
}

}  // namespace
