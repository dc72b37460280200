// SPDX-License-Identifier: MIT
// The parse report: its lines and levels for every kind of command and parameter, the trace
// lines in between, and the level rules of the results sink.
#include "report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results_sink.h"
#include <orvane-scpi/scpi.h>

namespace {

using parsola::ParseAndReport;
using parsola::ParseAndReportCode;

struct Line {
  unsigned uLevel;
  std::string sText;
  bool operator==(const Line& o) const { return uLevel == o.uLevel && sText == o.sText; }
};

std::ostream& operator<<(std::ostream& os, const Line& line) {
  return os << line.uLevel << "|" << line.sText;
}

using Lines = std::vector<Line>;
using Texts = std::vector<std::string>;

class CaptureSink : public parsola::ResultsSink {
 public:
  Lines vLines;
  Texts vHistory;

  void AddHistoryLine(const std::string& sLine) override { vHistory.push_back(sLine); }

  Texts TextsOf(unsigned uLevel) const {
    Texts v;
    for (const Line& line : vLines) {
      if (line.uLevel == uLevel) v.push_back(line.sText);
    }
    return v;
  }
  Texts AllTexts() const {
    Texts v;
    for (const Line& line : vLines) v.push_back(line.sText);
    return v;
  }

 protected:
  void StoreLine(uint8_t ucLevel, const std::string& sText) override {
    vLines.push_back({ucLevel, sText});
  }
};

Texts Report(const std::string& sInput, bool bTracing = false) {
  CaptureSink sink;
  sink.SetTracing(bTracing);
  ParseAndReport(sInput, sink);
  return sink.AllTexts();
}

// The report of a line whose commands all succeed, framed by its fixed lines.
Texts Framed(const std::string& sInput, const Texts& vBody) {
  Texts v = {"Parsing Input String: \"" + sInput + "\"", ""};
  v.insert(v.end(), vBody.begin(), vBody.end());
  v.insert(v.end(), {"End of commands reached", "Parsing Complete.", ""});
  return v;
}

const std::string PARSE_OUT = ", [out]*pCmdSpecNum, [out]sParam[], [out]*pNumSufCnt, [out]uiNumSuf[])";

TEST(Report, RstGivesNineLinesTheLastAtLevelOne) {
  CaptureSink sink;
  EXPECT_EQ(ParseAndReportCode("*rst", sink), SCPI_ERR_NO_COMMAND);
  EXPECT_EQ(sink.vLines, (Lines{{2, "Parsing Input String: \"*rst\""},
                                {2, ""},
                                {2, "Input Command 1:"},
                                {2, "Recognized as Command #7  (\"*RST\")"},
                                {2, "No Parameters"},
                                {2, ""},
                                {2, "End of commands reached"},
                                {2, "Parsing Complete."},
                                {1, ""}}));
  EXPECT_EQ(sink.vHistory, Texts{"*rst"});
}

#if SCPI_TRACE
TEST(Report, RstTracedGivesTwelveLines) {
  CaptureSink sink;
  sink.SetTracing(true);
  ParseAndReport("*rst", sink);
  EXPECT_EQ(
      sink.vLines,
      (Lines{{2, "Parsing Input String: \"*rst\""},
             {2, ""},
             {2, "Input Command 1:"},
             {3, "      SCPI_Parse( [in/out]*pSInput=\"*rst\", bResetTree=1" + PARSE_OUT},
             {4, "        Return Code:     0 /*OK*/"},
             {4, "        Return Params: *pSInput=\"\", *pCmdSpecNum=7, sParam[]={..}, "
                 "*pNumSufCnt=0, uiNumSuf[]={..}"},
             {2, "Recognized as Command #7  (\"*RST\")"},
             {2, "No Parameters"},
             {2, ""},
             {2, "End of commands reached"},
             {2, "Parsing Complete."},
             {1, ""}}));
}

#endif  // SCPI_TRACE
TEST(Report, CommandsWithSuffixesAndParameters) {
  const struct {
    const char* pInput;
    Texts vBody;
  } rows[] = {
      {"outp:ttlt18",
       {"Input Command 1:", "Recognized as Command #71  (\"OUTPut:TTLTrg#\")",
        "Numeric Suffix #0 = 18", "No Parameters", ""}},
      {"outp6:mod2:fm 5728",
       {"Input Command 1:", "Recognized as Command #72  (\"OUTPut#:MOD#:FM#\")",
        "Numeric Suffix #0 = 6, Numeric Suffix #1 = 2, Numeric Suffix #2 = 1",
        "Param 1: Type=Numeric (+ve int), Val=5728, Units=Type 0 (None)", ""}},
      {"*ese #b10101100",
       {"Input Command 1:", "Recognized as Command #1  (\"*ESE\")",
        "Param 1: Type=Numeric (+ve int), Val=172, Units=Type 0 (None)", ""}},
      {"outp:rel on",
       {"Input Command 1:", "Recognized as Command #56  (\"OUTPut:RELay[:STATe]\")",
        "Param 1: Type=Boolean, Val=1 (ON)", ""}},
      {"calc:func aver",
       {"Input Command 1:", "Recognized as Command #44  (\"CALCulate:FUNCtion\")",
        "Param 1: Type=Char Data, Val=Item #3 (\"AVERage\")", ""}},
      {"trig:sour ext3",
       {"Input Command 1:", "Recognized as Command #58  (\"TRIGger:SOURce\")",
        "Numeric Suffix #0 = 3", "Param 1: Type=Char Data, Val=Item #2 (\"EXTernal#\")", ""}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Report(row.pInput), Framed(row.pInput, row.vBody)) << row.pInput;
  }
}

TEST(Report, ParameterLinesOfEveryType) {
  const struct {
    const char* pInput;
    Texts vParams;
  } rows[] = {
      // numbers: subtype, real format, units
      {"meas:volt:dc? -1.5, min",
       {"Param 1: Type=Numeric (-ve real), Val=-1.5, Units=Type 1 (Volts)",
        "Param 2: Type=Char Data, Val=Item #0 (\"MINimum\")"}},
      {"meas:period? 1s, 1e-5",
       {"Param 1: Type=Numeric (+ve int), Val=1, Units=Type 10 (Seconds)",
        "Param 2: Type=Numeric (+ve real), Val=1E-5, Units=Type 10 (Seconds)"}},
      {"meas:volt:dc? 694666813E-40, def",
       {"Param 1: Type=Numeric (+ve real), Val=6.94666813000001E-32, Units=Type 1 (Volts)",
        "Param 2: Type=Char Data, Val=Item #2 (\"DEFault\")"}},
      {"conf:freq 12.5kHz", {"Param 1: Type=Numeric (+ve int), Val=12500, Units=Type 9 (Hz)"}},
      {"appl:ind 5", {"Param 1: Type=Numeric (+ve real), Val=5E-6, Units=Type 8 (Henrys)"}},
      {"appl:temp 49.5cel",
       {"Param 1: Type=Numeric (+ve real), Val=49.5, Units=Type 12 (Deg Cel.)"}},
      // Booleans
      {"calc:state 0", {"Param 1: Type=Boolean, Val=0 (OFF)"}},
      {"outp:rel 0.6", {"Param 1: Type=Boolean, Val=1 (ON)"}},
      {"inp:imp:auto", {"Param 1: Type=Boolean, Val=0 (OFF)"}},
      // character data, defaults and choices that carry quotes
      {"volt:dc:nplc", {"Param 1: Type=Char Data, Val=Item #3 (\"10\")"}},
      {"sens:func \"curr:dc\"", {"Param 1: Type=Char Data, Val=Item #3 (\"\"CURRent:DC\"\")"}},
      {"step:auto once", {"Param 1: Type=Char Data, Val=Item #0 (\"ONCE\")"}},
      // texts: a quoted string shows its delimiter, an unquoted string and an expression none
      {"disp:text \"Calibration Mode\"",
       {"Param 1: Type=String, Val=\"Calibration Mode\" (delimiter=\")"}},
      {"disp:text 'It''s'", {"Param 1: Type=String, Val=\"It''s\" (delimiter=')"}},
      {"cal:sec:code harbour62", {"Param 1: Type=Unquoted String, Val=\"harbour62\""}},
      {"cal:sec:stat , harbour62",
       {"Param 1: Type=Boolean, Val=1 (ON)", "Param 2: Type=Unquoted String, Val=\"harbour62\""}},
      {"trac:feed:ocon (trig5=1 and (trig6=0 or trig7))",
       {"Param 1: Type=Expression, Val=\"(trig5=1 and (trig6=0 or trig7))\""}},
      // an optional parameter left out still gets its line
      {"apply 5",
       {"Param 1: Type=Numeric (+ve int), Val=5, Units=Type 1 (Volts)", "Param 2: Type=No Param"}},
      {"res:rang?", {"Param 1: Type=No Param"}},
  };
  for (const auto& row : rows) {
    Texts vParams;
    for (const std::string& sLine : Report(row.pInput)) {
      if (sLine.rfind("Param ", 0) == 0) vParams.push_back(sLine);
    }
    EXPECT_EQ(vParams, row.vParams) << row.pInput;
  }
}

TEST(Report, ListReportsOneLinePerEntryAndAnEmptyParameterLine) {
  const struct {
    const char* pInput;
    Texts vBody;
  } rows[] = {
      {"output:ttltrg5;:syst:err:enable (17:22,25,39:51)",
       {"Input Command 1:", "Recognized as Command #71  (\"OUTPut:TTLTrg#\")",
        "Numeric Suffix #0 = 5", "No Parameters", "", "Input Command 2:",
        "Recognized as Command #70  (\"SYSTem:ERRor:ENABle[:LIST]\")",
        "Param 1: Type=Numeric List, Val=...", "Entry #0: Range from 17 to 22", "Entry #1: 25",
        "Entry #2: Range from 39 to 51", "", ""}},
      {"syst:err:enab (-5:-2, 1e3)",
       {"Input Command 1:", "Recognized as Command #70  (\"SYSTem:ERRor:ENABle[:LIST]\")",
        "Param 1: Type=Numeric List, Val=...", "Entry #0: Range from -5 to -2",
        "Entry #1: 1000", "", ""}},
      {"route:open (@2!3,3!4:5!7)",
       {"Input Command 1:", "Recognized as Command #69  (\"ROUTe:OPEN\")",
        "Param 1: Type=Channel List, Val=...", "Entry #0: ", "Value[0] = 2", "Value[1] = 3",
        "Entry #1: ", "First[0] = 3", "First[1] = 4", "Last[0] = 5", "Last[1] = 7", "", ""}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Report(row.pInput), Framed(row.pInput, row.vBody)) << row.pInput;
  }
}

TEST(Report, LinesWithoutCommands) {
  const char* const apInputs[] = {"", ";", " ; ;; ", "\t"};
  for (const char* pInput : apInputs) {
    CaptureSink sink;
    EXPECT_EQ(ParseAndReportCode(pInput, sink), SCPI_ERR_NO_COMMAND) << pInput;
    EXPECT_EQ(sink.AllTexts(), Framed(pInput, {"Input Command 1:"})) << pInput;
    EXPECT_EQ(sink.vHistory, Texts{pInput});
  }
}

TEST(Report, ATrailingSeparatorAsksForOneMoreCommand) {
  EXPECT_EQ(Report("*cls;"),
            Framed("*cls;", {"Input Command 1:", "Recognized as Command #0  (\"*CLS\")",
                             "No Parameters", "", "Input Command 2:"}));
}

TEST(Report, AFailingCommandEndsTheLineWithItsErrorText) {
  const struct {
    const char* pInput;
    unsigned uCode;
    Texts vBody;
  } rows[] = {
      {"foo", 70, {"Input Command 1:", "Error: Unrecognized command"}},
      {"meas:volt:dc?", 50, {"Input Command 1:", "Error: Wrong number of parameters"}},
      {"appl:temp 25 v", 30, {"Input Command 1:", "Error: Wrong units for parameter"}},
      {"rout:open (@25!1)", 16, {"Input Command 1:", "Error: Invalid value in list"}},
      // the commands after a failing one are not parsed
      {"*cls;foo;*rst",
       70,
       {"Input Command 1:", "Recognized as Command #0  (\"*CLS\")", "No Parameters", "",
        "Input Command 2:", "Error: Unrecognized command"}},
  };
  for (const auto& row : rows) {
    CaptureSink sink;
    EXPECT_EQ(ParseAndReportCode(row.pInput, sink), row.uCode) << row.pInput;
    Texts vExpected = {"Parsing Input String: \"" + std::string(row.pInput) + "\"", ""};
    vExpected.insert(vExpected.end(), row.vBody.begin(), row.vBody.end());
    vExpected.insert(vExpected.end(), {"Parsing Complete.", ""});
    EXPECT_EQ(sink.AllTexts(), vExpected) << row.pInput;
  }
}

TEST(Report, ANulByteEndsTheLine) {
  CaptureSink sink;
  EXPECT_EQ(ParseAndReportCode(std::string("*rst\0;foo", 9), sink), SCPI_ERR_NO_COMMAND);
  EXPECT_EQ(sink.AllTexts()[0], "Parsing Input String: \"*rst\"");
  EXPECT_EQ(sink.vHistory, Texts{"*rst"});
}

TEST(Report, TheCommandCounterGoesPast255) {
  std::string sInput = "*cls";
  for (int i = 1; i < 300; ++i) sInput += ";*cls";
  CaptureSink sink;
  EXPECT_EQ(ParseAndReportCode(sInput, sink), SCPI_ERR_NO_COMMAND);
  const Texts vTexts = sink.AllTexts();
  size_t uCommands = 0;
  for (const std::string& sLine : vTexts) uCommands += sLine.rfind("Input Command ", 0) == 0;
  EXPECT_EQ(uCommands, 300u);
  EXPECT_EQ(vTexts[vTexts.size() - 7], "Input Command 300:");
}

#if SCPI_TRACE
// The trace line that reports the values of the n-th call of a function.
std::string TracedValues(const CaptureSink& sink, const std::string& sPrefix, size_t uNth) {
  for (const std::string& sLine : sink.TextsOf(4)) {
    if (sLine.rfind("        " + sPrefix, 0) == 0 && uNth-- == 0) return sLine.substr(8);
  }
  return "(none)";
}

TEST(Report, CallersVariablesBelongToOneReportAndStartAtZero) {
  CaptureSink sink;
  sink.SetTracing(true);
  ParseAndReport("meas:volt:dc? -1.5, min", sink);
  // the character-data parameter leaves the subtype of the number before it
  EXPECT_EQ(TracedValues(sink, "Return Params: *pePType", 1),
            "Return Params: *pePType=3 /*Char Data*/, *pNumSubtype=3 /*-ve real*/");

  // a new report starts again from 0
  sink.vLines.clear();
  ParseAndReport("calc:func aver", sink);
  EXPECT_EQ(TracedValues(sink, "Return Params: *pePType", 0),
            "Return Params: *pePType=3 /*Char Data*/, *pNumSubtype=0 /*+ve int*/");

  // a failed parse shows the number and suffix count of the command before it
  sink.vLines.clear();
  ParseAndReport("outp:ttlt7;foo", sink);
  EXPECT_EQ(TracedValues(sink, "Return Params: *pSInput", 1),
            "Return Params: *pSInput=\"\", *pCmdSpecNum=71, sParam[]={..}, *pNumSufCnt=1, "
            "uiNumSuf[]={..}");

  // the range flag of the entry before the last stays in the call that finds no entry
  sink.vLines.clear();
  ParseAndReport("syst:err:enab (1, 2:3)", sink);
  EXPECT_EQ(TracedValues(sink, "Return Params: *pbRange", 2),
            "Return Params: *pbRange= 1, *psFirst={..}, *psLast={..}");
}

TEST(Report, TraceLinesOfAParameterComeBeforeItsLine) {
  CaptureSink sink;
  sink.SetTracing(true);
  ParseAndReport("*ese 5", sink);
  const Lines vExpected = {
      {3, "      SCPI_ParamType( *psParam={..}, [out]*pePType, [out]*pNumSubtype )"},
      {4, "        Return Code:     0 /*OK*/"},
      {4, "        Return Params: *pePType=1 /*Numeric*/, *pNumSubtype=0 /*+ve int*/"},
      {3, "      SCPI_ParamToDouble( *psParam={..}, [out]*pfdVal )"},
      {4, "        Return Code:     0 /*OK*/"},
      {4, "        Return Params: *pfdVal=5"},
      {3, "      SCPI_ParamUnits( *psParam={..}, [out]*peUnits)"},
      {4, "        Return Code:     0 /*OK*/"},
      {4, "        Return Params: *peUnits=0"},
      {2, "Param 1: Type=Numeric (+ve int), Val=5, Units=Type 0 (None)"},
  };
  ASSERT_GE(sink.vLines.size(), 7u + vExpected.size());
  EXPECT_EQ(Lines(sink.vLines.begin() + 7, sink.vLines.begin() + 7 + vExpected.size()), vExpected);
}

TEST(Report, TheTraceRouteLastsOnlyForATracedReport) {
  CaptureSink sink;
  ParseAndReport("*ese 5", sink);
  EXPECT_TRUE(sink.TextsOf(3).empty());
  EXPECT_TRUE(sink.TextsOf(4).empty());

  sink.SetTracing(true);
  ParseAndReport("*rst", sink);
  const size_t uCount = sink.vLines.size();
  SParam sParam = {};
  double fdVal = 0;
  SCPI_ParamToDouble(&sParam, &fdVal);  // after the report: nobody listens
  EXPECT_EQ(sink.vLines.size(), uCount);
  EXPECT_EQ(ucTraceNesting, 0);
}

#endif  // SCPI_TRACE

TEST(ResultsSink, LevelRules) {
  const struct {
    unsigned uLevel;
    bool bTracing;
    bool bKept;
  } rows[] = {
      {0, false, true},  {1, false, true}, {2, false, true},  {3, false, false},
      {4, false, false}, {5, false, false}, {3, true, true},  {4, true, true},
      {5, true, false},  {255, true, false},
  };
  for (const auto& row : rows) {
    CaptureSink sink;
    sink.SetTracing(row.bTracing);
    sink.AddOutputLine(static_cast<uint8_t>(row.uLevel), "x");
    EXPECT_EQ(sink.vLines.size(), row.bKept ? 1u : 0u) << row.uLevel << "/" << row.bTracing;
  }
}

TEST(ResultsSink, TraceLinesAreIndentedByLevelAndDroppedWhileNested) {
  CaptureSink sink;
  sink.SetTracing(true);
  sink.AddTraceLine(3, "abc");
  sink.AddTraceLine(4, "abc");
#if SCPI_TRACE
  ucTraceNesting = 1;
  sink.AddTraceLine(3, "nested");
  ucTraceNesting = 0;
#endif
  sink.SetTracing(false);
  sink.AddTraceLine(3, "untraced");
  EXPECT_EQ(sink.vLines, (Lines{{3, "      abc"}, {4, "        abc"}}));
}

}  // namespace
