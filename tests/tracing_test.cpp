// SPDX-License-Identifier: MIT
// Call tracing of the public parser functions: call lines, return-code lines in their standard
// and tabbed forms, return-values lines, and the nesting count that silences inner calls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "display_texts.h"
#include "real_format.h"
#include <orvane-scpi/scpi.h>

namespace {

struct Line {
  unsigned uLevel;
  std::string sText;
  bool operator==(const Line& o) const { return uLevel == o.uLevel && sText == o.sText; }
};

std::ostream& operator<<(std::ostream& os, const Line& line) {
  return os << line.uLevel << "|" << line.sText;
}

Line L3(const std::string& sText) { return {3, sText}; }
Line L4(const std::string& sText) { return {4, sText}; }

const std::string OK = "Return Code:     0 /*OK*/";
const std::string WRONG_TYPE = "Return Code:     40 /*Error: Wrong type of parameter*/";
const std::string WRONG_TYPE_TABS = "Return Code:\t\t\t40 /*Error: Wrong type of parameter*/";
const std::string WRONG_TYPE_UNITS = "Return Code:\t\t\t 40\t /*Error: Wrong type of parameter*/";

// Collects the lines the library hands over, piece by piece.
struct Capture {
  std::string sPending;
  std::vector<Line> vLines;

  static void OnText(void* pCtx, const char* pText, uint16_t uiLen) {
    static_cast<Capture*>(pCtx)->sPending.append(pText, uiLen);
  }
  static void OnReal(void* pCtx, double fdVal) {
    static_cast<Capture*>(pCtx)->sPending += parsola::RealText(fdVal);
  }
  static void OnEndLine(void* pCtx, uint8_t ucLevel) {
    Capture* p = static_cast<Capture*>(pCtx);
    p->vLines.push_back({ucLevel, p->sPending});
    p->sPending.clear();
  }
  STraceSink Sink() {
    return {&OnText, &OnReal, &OnEndLine, &parsola::ErrorCodeText, &parsola::PTypeText,
            &parsola::NumSubtypeText, this};
  }
};

SParam Num(uint32_t ulMant, uint8_t ucExp, uint8_t ucFlags) {
  SParam s = {};
  s.ePType = P_NUM;
  s.uVal.sNum.ulMant = ulMant;
  s.uVal.sNum.ucExp = ucExp;
  s.uVal.sNum.ucNumFlags = ucFlags;
  return s;
}

SParam Text(EPType ePType, const char* pText, char cDelimiter = 0) {
  SParam s = {};
  s.ePType = ePType;
  s.uVal.sText.pSText = pText;
  s.uVal.sText.ucLen = static_cast<uint8_t>(std::char_traits<char>::length(pText));
  s.uVal.sText.cDelimiter = cDelimiter;
  return s;
}

class Tracing : public ::testing::Test {
 protected:
  void SetUp() override {
    const STraceSink sSink = capture_.Sink();
    SCPI_SetTraceSink(&sSink);
  }
  void TearDown() override {
    SCPI_SetTraceSink(nullptr);
    EXPECT_EQ(ucTraceNesting, 0);
  }
  std::vector<Line> Take() {
    std::vector<Line> v;
    v.swap(capture_.vLines);
    return v;
  }
  Capture capture_;
};

struct Row {
  const char* pName;
  std::function<uint8_t()> call;
  unsigned uCode;
  std::vector<Line> vLines;
};

void RunRows(const std::vector<Row>& vRows, const std::function<std::vector<Line>()>& take) {
  for (const Row& row : vRows) {
    EXPECT_EQ(row.call(), row.uCode) << row.pName;
    EXPECT_EQ(take(), row.vLines) << row.pName;
    EXPECT_EQ(ucTraceNesting, 0) << row.pName;
  }
}

const SParam NUM_2_5 = Num(25, 1, NUM_EXP_NEG);
const SParam NUM_MINUS_7_9 = Num(79, 1, NUM_NEG | NUM_EXP_NEG);
const SParam NUM_3E9 = Num(3, 9, 0);
const SParam STRING = Text(P_STR, "It''s", '\'');
const SParam UNQUOTED = Text(P_UNQ_STR, "harbour62");
const SParam EXPRESSION = Text(P_EXPR, "(1+2)");
const SParam BOOL_ON = [] {
  SParam s = {};
  s.ePType = P_BOOL;
  s.uVal.bVal = 1;
  return s;
}();
const SParam CHOICE_3 = [] {
  SParam s = {};
  s.ePType = P_CH_DAT;
  s.uVal.ucItemNum = 3;
  return s;
}();
const SParam NUM_LIST = Text(P_NUM_LIST, "1,3:5,7");
const SParam CHAN_LIST = Text(P_CHAN_LIST, "1!2:3!4,5");

TEST_F(Tracing, SuccessfulAccessorsWriteCallCodeAndValues) {
  EUnits eUnits = 99;
  uint8_t ucVal = 99;
  uint32_t ulVal = 0;
  int32_t lVal = 0;
  int32_t lScaled = 0;
  unsigned int uiVal = 0;
  int iVal = 0;
  double fdVal = 0;
  const char* pText = nullptr;
  uint8_t ucLen = 0;
  char cDelim = 0;
  // 17 bytes, one more than a trace shows: escapes for a quote, a backslash and other bytes.
  static const uint8_t BYTES[] = "a\"\\\0\n\x7F\xFF" "bcdefghijk";
  SParam sBlock = {};
  sBlock.ePType = P_BLOCK;
  sBlock.uVal.sBlock = SBlock{BYTES, 17};
  const uint8_t* pucData = nullptr;
  uint32_t ulLen = 0;
  RunRows(
      {
          {"block", [&] { return SCPI_ParamToBlock(&sBlock, &pucData, &ulLen); }, 0,
           {L3("SCPI_ParamToBlock( *psParam={..}, [out]**ppData, [out]*pulLen )"), L4(OK),
            L4("Return Params: *ppData=\"a\\\"\\\\\\x00\\x0A\\x7F\\xFFbcdefghij\"..., *pulLen=17")}},
          {"units", [&] { return SCPI_ParamUnits(&NUM_2_5, &eUnits); }, 0,
           {L3("SCPI_ParamUnits( *psParam={..}, [out]*peUnits)"), L4(OK),
            L4("Return Params: *peUnits=0")}},
          {"item", [&] { return SCPI_ParamToCharDataItem(&CHOICE_3, &ucVal); }, 0,
           {L3("SCPI_ParamToCharDataItem( *psParam={..}, [out]*pItemNum )"), L4(OK),
            L4("Return Params: *pItemNum=3")}},
          {"bool", [&] { return SCPI_ParamToBOOL(&BOOL_ON, &ucVal); }, 0,
           {L3("SCPI_ParamToBOOL( *psParam={..}, [out]*pbVal )"), L4(OK),
            L4("Return Params: *pbVal=1")}},
          {"unsigned long", [&] { return SCPI_ParamToUnsignedLong(&NUM_3E9, &ulVal); }, 0,
           {L3("SCPI_ParamToUnsignedLong( *psParam={..}, [out]*pulVal )"), L4(OK),
            L4("Return Params: *pulVal=3000000000")}},
          {"long", [&] { return SCPI_ParamToLong(&NUM_MINUS_7_9, &lVal); }, 0,
           {L3("SCPI_ParamToLong( *psParam={..}, [out]*plVal )"), L4(OK),
            L4("Return Params: *plVal=-7")}},
          {"scaled long", [&] { return SCPI_ParamToScaledLong(&NUM_MINUS_7_9, 3, &lScaled); }, 0,
           {L3("SCPI_ParamToScaledLong( *psParam={..}, ucDecimals=3, [out]*plVal )"), L4(OK),
            L4("Return Params: *plVal=-7900")}},
          {"unsigned int", [&] { return SCPI_ParamToUnsignedInt(&NUM_3E9, &uiVal); }, 0,
           {L3("SCPI_ParamToUnsignedInt( *psParam={..}, [out]*puiVal )"), L4(OK),
            L4("Return Params: *puiVal=3000000000")}},
          {"int", [&] { return SCPI_ParamToInt(&NUM_MINUS_7_9, &iVal); }, 0,
           {L3("SCPI_ParamToInt( [in]*psParam={..}, [out]*piVal )"), L4(OK),
            L4("Return Params: *piVal=-7")}},
          {"double", [&] { return SCPI_ParamToDouble(&NUM_2_5, &fdVal); }, 0,
           {L3("SCPI_ParamToDouble( *psParam={..}, [out]*pfdVal )"), L4(OK),
            L4("Return Params: *pfdVal=2.5")}},
          {"string", [&] { return SCPI_ParamToString(&STRING, &pText, &ucLen, &cDelim); }, 0,
           {L3("SCPI_ParamToString( *psParam={..}, [out]**pSString, [out]*pLen )"), L4(OK),
            L4("Return Params: *pSString=\"It''s\", *pLen=5")}},
          {"expression",
           [&] { return SCPI_ParamToString(&EXPRESSION, &pText, &ucLen, &cDelim); }, 0,
           {L3("SCPI_ParamToString( *psParam={..}, [out]**pSString, [out]*pLen )"), L4(OK),
            L4("Return Params: *pSString=\"(1+2)\", *pLen=5")}},
      },
      [&] { return Take(); });
  // Tracing changes no result.
  EXPECT_EQ(fdVal, 2.5);
  EXPECT_EQ(lVal, -7);
  EXPECT_EQ(lScaled, -7900);
  EXPECT_EQ(ucLen, 5);
}

TEST_F(Tracing, WrongTypeReturnsUseTheFunctionsOwnCodeLineAndNoValues) {
  const uint8_t* pucData = nullptr;
  uint32_t ulLen = 0;
  EUnits eUnits = 0;
  uint8_t ucVal = 0;
  uint32_t ulVal = 0;
  int32_t lVal = 0;
  unsigned int uiVal = 0;
  int iVal = 0;
  double fdVal = 0;
  const char* pText = nullptr;
  uint8_t ucLen = 0;
  char cDelim = 0;
  uint8_t bRange = 0;
  uint8_t ucDims = 4;
  SParam asFirst[4] = {};
  SParam asLast[4] = {};
  RunRows(
      {
          {"units", [&] { return SCPI_ParamUnits(&STRING, &eUnits); }, 40,
           {L3("SCPI_ParamUnits( *psParam={..}, [out]*peUnits)"), L4(WRONG_TYPE_UNITS)}},
          {"item", [&] { return SCPI_ParamToCharDataItem(&NUM_2_5, &ucVal); }, 40,
           {L3("SCPI_ParamToCharDataItem( *psParam={..}, [out]*pItemNum )"),
            L4(WRONG_TYPE_TABS)}},
          {"bool", [&] { return SCPI_ParamToBOOL(&NUM_2_5, &ucVal); }, 40,
           {L3("SCPI_ParamToBOOL( *psParam={..}, [out]*pbVal )"), L4(WRONG_TYPE_TABS)}},
          {"double", [&] { return SCPI_ParamToDouble(&UNQUOTED, &fdVal); }, 40,
           {L3("SCPI_ParamToDouble( *psParam={..}, [out]*pfdVal )"), L4(WRONG_TYPE_TABS)}},
          {"string", [&] { return SCPI_ParamToString(&NUM_2_5, &pText, &ucLen, &cDelim); }, 40,
           {L3("SCPI_ParamToString( *psParam={..}, [out]**pSString, [out]*pLen )"),
            L4(WRONG_TYPE_TABS)}},
          {"block", [&] { return SCPI_ParamToBlock(&STRING, &pucData, &ulLen); }, 40,
           {L3("SCPI_ParamToBlock( *psParam={..}, [out]**ppData, [out]*pulLen )"),
            L4(WRONG_TYPE)}},
          // the standard form for every other function
          {"unsigned long", [&] { return SCPI_ParamToUnsignedLong(&STRING, &ulVal); }, 40,
           {L3("SCPI_ParamToUnsignedLong( *psParam={..}, [out]*pulVal )"), L4(WRONG_TYPE)}},
          {"long", [&] { return SCPI_ParamToLong(&STRING, &lVal); }, 40,
           {L3("SCPI_ParamToLong( *psParam={..}, [out]*plVal )"), L4(WRONG_TYPE)}},
          {"scaled long", [&] { return SCPI_ParamToScaledLong(&STRING, 2, &lVal); }, 40,
           {L3("SCPI_ParamToScaledLong( *psParam={..}, ucDecimals=2, [out]*plVal )"),
            L4(WRONG_TYPE)}},
          {"unsigned int", [&] { return SCPI_ParamToUnsignedInt(&BOOL_ON, &uiVal); }, 40,
           {L3("SCPI_ParamToUnsignedInt( *psParam={..}, [out]*puiVal )"), L4(WRONG_TYPE)}},
          {"int", [&] { return SCPI_ParamToInt(&BOOL_ON, &iVal); }, 40,
           {L3("SCPI_ParamToInt( [in]*psParam={..}, [out]*piVal )"), L4(WRONG_TYPE)}},
          {"num list", [&] { return SCPI_GetNumListEntry(&CHAN_LIST, 0, &bRange, asFirst, asLast); },
           40,
           {L3("SCPI_GetNumListEntry( *psParam={..}, Index=0, [out]*pbRange, [out]*psFirst={..}, "
               "[out]*psLast={..} )"),
            L4(WRONG_TYPE), L4("Return Params: *pbRange= 0, *psFirst={..}, *psLast={..}")}},
          {"chan list",
           [&] { return SCPI_GetChanListEntry(&NUM_LIST, 1, &ucDims, &bRange, asFirst, asLast); },
           40,
           {L3("SCPI_GetChanListEntry( *psParam={..}, Index=1, [in/out]*pDims=4, [out]*pbRange, "
               "[out]sFirst[]={..}, [out]sLast[]={..} )"),
            L4(WRONG_TYPE), L4("Return Params: *pbRange=0, *pDims=4, sFirst[]={..}, sLast[]={..}")}},
      },
      [&] { return Take(); });
}

TEST_F(Tracing, OverflowUsesTheStandardFormWithoutValues) {
  int32_t lVal = 0;
  uint32_t ulVal = 0;
  const SParam sHuge = Num(5, 9, 0);
  RunRows(
      {
          {"long", [&] { return SCPI_ParamToLong(&NUM_3E9, &lVal); }, 20,
           {L3("SCPI_ParamToLong( *psParam={..}, [out]*plVal )"),
            L4("Return Code:     20 /*Error: Parameter overflow*/")}},
          {"scaled long", [&] { return SCPI_ParamToScaledLong(&NUM_2_5, 9, &lVal); }, 20,
           {L3("SCPI_ParamToScaledLong( *psParam={..}, ucDecimals=9, [out]*plVal )"),
            L4("Return Code:     20 /*Error: Parameter overflow*/")}},
          {"unsigned long", [&] { return SCPI_ParamToUnsignedLong(&sHuge, &ulVal); }, 20,
           {L3("SCPI_ParamToUnsignedLong( *psParam={..}, [out]*pulVal )"),
            L4("Return Code:     20 /*Error: Parameter overflow*/")}},
      },
      [&] { return Take(); });
}

TEST_F(Tracing, ParamTypeShowsTheCallersSubtypeEvenWhenItWasNotWritten) {
  EPType eType = 0;
  ENumSubtype eSubtype = NUM_SUB_NEG | NUM_SUB_REAL;  // left by an earlier call
  SParam sOdd = {};
  sOdd.ePType = P_BLOCK + 1;
  const std::string sCall = "SCPI_ParamType( *psParam={..}, [out]*pePType, [out]*pNumSubtype )";
  RunRows(
      {
          {"string", [&] { return SCPI_ParamType(&STRING, &eType, &eSubtype); }, 0,
           {L3(sCall), L4(OK),
            L4("Return Params: *pePType=4 /*String*/, *pNumSubtype=3 /*-ve real*/")}},
          {"number", [&] { return SCPI_ParamType(&NUM_2_5, &eType, &eSubtype); }, 0,
           {L3(sCall), L4(OK),
            L4("Return Params: *pePType=1 /*Numeric*/, *pNumSubtype=2 /*+ve real*/")}},
          {"unknown type", [&] { return SCPI_ParamType(&sOdd, &eType, &eSubtype); }, 0,
           {L3(sCall), L4(OK),
            L4("Return Params: *pePType=10 /*Unknown Type*/, *pNumSubtype=2 /*+ve real*/")}},
      },
      [&] { return Take(); });
}

TEST_F(Tracing, ListEntryLinesShowTheCallersVariablesAfterEveryCall) {
  uint8_t bRange = 0;
  uint8_t ucDims = 0;
  SParam sFirst = {}, sLast = {};
  SParam asFirst[255] = {}, asLast[255] = {};
  const std::string sNumCallEnd = ", [out]*pbRange, [out]*psFirst={..}, [out]*psLast={..} )";
  const std::string sChanCallEnd = ", [out]*pbRange, [out]sFirst[]={..}, [out]sLast[]={..} )";
  RunRows(
      {
          {"num range", [&] { return SCPI_GetNumListEntry(&NUM_LIST, 1, &bRange, &sFirst, &sLast); },
           0,
           {L3("SCPI_GetNumListEntry( *psParam={..}, Index=1" + sNumCallEnd), L4(OK),
            L4("Return Params: *pbRange= 1, *psFirst={..}, *psLast={..}")}},
          {"num past the end",
           [&] { return SCPI_GetNumListEntry(&NUM_LIST, 3, &bRange, &sFirst, &sLast); }, 200,
           {L3("SCPI_GetNumListEntry( *psParam={..}, Index=3" + sNumCallEnd),
            L4("Return Code:     200 /*No entry to retrieve*/"),
            L4("Return Params: *pbRange= 1, *psFirst={..}, *psLast={..}")}},
          {"chan range",
           [&] {
             ucDims = 255;
             return SCPI_GetChanListEntry(&CHAN_LIST, 0, &ucDims, &bRange, asFirst, asLast);
           },
           0,
           {L3("SCPI_GetChanListEntry( *psParam={..}, Index=0, [in/out]*pDims=255" + sChanCallEnd),
            L4(OK), L4("Return Params: *pbRange=1, *pDims=2, sFirst[]={..}, sLast[]={..}")}},
          {"chan past the end",
           [&] {
             ucDims = 255;
             return SCPI_GetChanListEntry(&CHAN_LIST, 2, &ucDims, &bRange, asFirst, asLast);
           },
           200,
           {L3("SCPI_GetChanListEntry( *psParam={..}, Index=2, [in/out]*pDims=255" + sChanCallEnd),
            L4("Return Code:     200 /*No entry to retrieve*/"),
            L4("Return Params: *pbRange=1, *pDims=255, sFirst[]={..}, sLast[]={..}")}},
          {"chan too many dimensions",
           [&] {
             ucDims = 1;
             return SCPI_GetChanListEntry(&CHAN_LIST, 0, &ucDims, &bRange, asFirst, asLast);
           },
           210,
           {L3("SCPI_GetChanListEntry( *psParam={..}, Index=0, [in/out]*pDims=1" + sChanCallEnd),
            L4("Return Code:     210 /*Error: Too many dimensions in entry to be returned in "
               "parameters*/"),
            L4("Return Params: *pbRange=0, *pDims=2, sFirst[]={..}, sLast[]={..}")}},
      },
      [&] { return Take(); });
}

std::string ParseCall(const std::string& sRest, unsigned uReset) {
  return "SCPI_Parse( [in/out]*pSInput=\"" + sRest + "\", bResetTree=" + std::to_string(uReset) +
         ", [out]*pCmdSpecNum, [out]sParam[], [out]*pNumSufCnt, [out]uiNumSuf[])";
}

std::string ParseValues(const std::string& sRest, unsigned uCmd, unsigned uSufCnt) {
  return "Return Params: *pSInput=\"" + sRest + "\", *pCmdSpecNum=" + std::to_string(uCmd) +
         ", sParam[]={..}, *pNumSufCnt=" + std::to_string(uSufCnt) + ", uiNumSuf[]={..}";
}

TEST_F(Tracing, ParseShowsTheRestOfTheInputBeforeAndAfter) {
  const char* pLine = "*cls;*rst";
  const char* pRead = pLine;
  const char* pEmpty = " ;; ";
  uint8_t ucCmd = 0, ucSufCnt = 0;
  SParam asParam[MAX_PARAMS] = {};
  uint32_t aulSuf[MAX_NUM_SUFFIX] = {};
  auto parse = [&](uint8_t bReset) {
    return SCPI_Parse(&pRead, bReset, &ucCmd, asParam, &ucSufCnt, aulSuf);
  };
  RunRows(
      {
          {"first", [&] { return parse(1); }, 0,
           {L3(ParseCall("*cls;*rst", 1)), L4(OK), L4(ParseValues(";*rst", 0, 0))}},
          {"second", [&] { return parse(0); }, 0,
           {L3(ParseCall(";*rst", 0)), L4(OK), L4(ParseValues("", 7, 0))}},
          {"suffix", [&] { pRead = "outp:ttlt7;foo"; return parse(1); }, 0,
           {L3(ParseCall("outp:ttlt7;foo", 1)), L4(OK), L4(ParseValues(";foo", 71, 1))}},
          // a failed call leaves the caller's number and count as they were
          {"failed", [&] { return parse(0); }, 70,
           {L3(ParseCall(";foo", 0)), L4("Return Code:     70 /*Error: Unrecognized command*/"),
            L4(ParseValues("", 71, 1))}},
          {"nothing left", [&] { pRead = pEmpty; return parse(0); }, 10,
           {L3(ParseCall(" ;; ", 0)), L4("Return Code:     10 /*End of commands reached*/"),
            L4(ParseValues("", 71, 1))}},
      },
      [&] { return Take(); });
}

// A rest of up to 400 characters is quoted whole; a longer one by its first 400 and "...".
TEST_F(Tracing, ParseQuotesAtMost400CharactersOfTheRest) {
  auto x = [](size_t uCount) { return std::string(uCount, 'x'); };
  const struct {
    size_t uTail;             // the input is "*cls;" and this many x
    std::string sCallRest;    // as the call line quotes it
    std::string sValuesRest;  // as the return-values line quotes it
  } rows[] = {
      {395, "*cls;" + x(395), ";" + x(395)},
      {396, "*cls;" + x(395) + "...", ";" + x(396)},
      {399, "*cls;" + x(395) + "...", ";" + x(399)},
      {400, "*cls;" + x(395) + "...", ";" + x(399) + "..."},
      {70000, "*cls;" + x(395) + "...", ";" + x(399) + "..."},  // longer than one text piece
  };
  for (const auto& row : rows) {
    const std::string sInput = "*cls;" + x(row.uTail);
    const char* pRead = sInput.c_str();
    uint8_t ucCmd = 0, ucSufCnt = 0;
    SParam asParam[MAX_PARAMS] = {};
    uint32_t aulSuf[MAX_NUM_SUFFIX] = {};
    EXPECT_EQ(SCPI_Parse(&pRead, 1, &ucCmd, asParam, &ucSufCnt, aulSuf), 0);
    const std::vector<Line> vLines = Take();
    ASSERT_EQ(vLines.size(), 3u);
    EXPECT_EQ(vLines[0], L3(ParseCall(row.sCallRest, 1))) << row.uTail;
    EXPECT_EQ(vLines[2], L4(ParseValues(row.sValuesRest, 0, 0))) << row.uTail;
  }
}

TEST_F(Tracing, CallsTheLibraryMakesToItselfLeaveNoLines) {
  int32_t lVal = 0;
  uint8_t ucCmd = 0, ucSufCnt = 0;
  SParam asParam[MAX_PARAMS] = {};
  uint32_t aulSuf[MAX_NUM_SUFFIX] = {};
  const struct {
    const char* pInput;
    unsigned uCmd;
  } rows[] = {
      {"calc:state 1", 43},                         // Boolean given as a number
      {"outp:rel 0.4", 56},
      {"rout:open (@1!2,3!4:5!7)", 69},             // list values checked in range
      {"syst:err:enab (-5:7,9)", 70},
  };
  for (const auto& row : rows) {
    const char* pRead = row.pInput;
    EXPECT_EQ(SCPI_Parse(&pRead, 1, &ucCmd, asParam, &ucSufCnt, aulSuf), 0) << row.pInput;
    EXPECT_EQ(Take(), (std::vector<Line>{L3(ParseCall(row.pInput, 1)), L4(OK),
                                         L4(ParseValues("", row.uCmd, 0))}))
        << row.pInput;
  }
  // SCPI_ParamToLong converts through SCPI_ParamToUnsignedLong without tracing it.
  EXPECT_EQ(SCPI_ParamToLong(&NUM_MINUS_7_9, &lVal), 0);
  EXPECT_EQ(Take(), (std::vector<Line>{L3("SCPI_ParamToLong( *psParam={..}, [out]*plVal )"),
                                       L4(OK), L4("Return Params: *plVal=-7")}));
}

TEST_F(Tracing, NothingIsWrittenWhileNestedAndTheCountComesBack) {
  double fdVal = 0;
  EUnits eUnits = 0;
  ucTraceNesting = 1;
  EXPECT_EQ(SCPI_ParamToDouble(&NUM_2_5, &fdVal), 0);
  EXPECT_EQ(SCPI_ParamUnits(&STRING, &eUnits), 40);
  EXPECT_EQ(ucTraceNesting, 1);
  ucTraceNesting = 0;
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(fdVal, 2.5);
}

TEST(TracingWithoutSink, CallsWriteNothingAndKeepTheCountAtZero) {
  SCPI_SetTraceSink(nullptr);
  double fdVal = 0;
  EUnits eUnits = 0;
  EXPECT_EQ(SCPI_ParamUnits(&STRING, &eUnits), 40);
  EXPECT_EQ(ucTraceNesting, 0);
  EXPECT_EQ(SCPI_ParamToDouble(&NUM_2_5, &fdVal), 0);
  EXPECT_EQ(fdVal, 2.5);
  EXPECT_EQ(ucTraceNesting, 0);
}

TEST(TracingWithoutTexts, MissingTextFunctionsLeaveTheNamesEmpty) {
  Capture capture;
  STraceSink sSink = capture.Sink();
  sSink.pfnErrorCodeText = nullptr;
  sSink.pfnPTypeText = nullptr;
  sSink.pfnNumSubtypeText = nullptr;
  SCPI_SetTraceSink(&sSink);
  EPType eType = 0;
  ENumSubtype eSubtype = 0;
  EXPECT_EQ(SCPI_ParamType(&NUM_2_5, &eType, &eSubtype), 0);
  SCPI_SetTraceSink(nullptr);
  EXPECT_EQ(capture.vLines,
            (std::vector<Line>{L3("SCPI_ParamType( *psParam={..}, [out]*pePType, [out]*pNumSubtype )"),
                               L4("Return Code:     0 /**/"),
                               L4("Return Params: *pePType=1 /**/, *pNumSubtype=2 /**/")}));
}

}  // namespace
