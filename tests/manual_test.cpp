// SPDX-License-Identifier: MIT
// The user manual against the program: every example of the syntax and error chapters, every
// report block, the error-code table and the README's console transcript are checked through the
// real parser and report core.
//
// Example tables have the header "| Input | Report lines |". A row gives the input as a code
// span and one report line per code span; a row whose input cell is empty adds lines to the
// example above it. The lines must appear in the report in the order given.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "display_texts.h"
#include "report.h"
#include "results_sink.h"
#include <orvane-scpi/scpi.h>

namespace {

const char* const CHAPTERS[] = {"01-introduction.md", "02-window.md",       "03-console.md",
                                "04-syntax.md",       "05-errors.md",       "06-command-set.md",
                                "07-library.md",      "08-tracing.md",      "09-instrument.md",
                                "10-firmware.md",     "11-building-an-instrument.md"};
const char* const EXAMPLE_HEADER = "| Input | Report lines |";
const char* const ERROR_HEADER = "| Code | Constant | Text | Typical cause |";
const char* const REPORT_FENCE = "```report";
const char* const TRACE_INDENT = "      ";

using Texts = std::vector<std::string>;

struct Chapter {
  std::string sName;
  Texts vLines;
};

Chapter ReadChapter(const std::string& sName) {
  Chapter c{sName, {}};
  std::ifstream in(std::string(ORVANE_MANUAL_DIR) + "/" + sName);
  std::string sLine;
  while (std::getline(in, sLine)) c.vLines.push_back(sLine);
  return c;
}

const std::vector<Chapter>& Manual() {
  static const std::vector<Chapter> chapters = [] {
    std::vector<Chapter> v;
    for (const char* p : CHAPTERS) v.push_back(ReadChapter(p));
    return v;
  }();
  return chapters;
}

/// The cells of a Markdown table row. A '|' inside a code span or escaped as "\|" stays in its
/// cell; surrounding blanks are trimmed.
Texts Cells(const std::string& sRow) {
  Texts v;
  std::string sCell;
  bool bCode = false;
  for (size_t i = 1; i < sRow.size(); ++i) {  // after the leading '|'
    char c = sRow[i];
    if (c == '`') bCode = !bCode;
    if (c == '\\' && i + 1 < sRow.size() && sRow[i + 1] == '|') {
      sCell += '|';
      ++i;
    } else if (c == '|' && !bCode) {
      v.push_back(sCell);
      sCell.clear();
    } else {
      sCell += c;
    }
  }
  for (std::string& s : v) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
  }
  return v;
}

/// The contents of the code spans of a cell, in order.
Texts CodeSpans(const std::string& sCell) {
  Texts v;
  size_t uiOpen = sCell.find('`');
  while (uiOpen != std::string::npos) {
    size_t uiClose = sCell.find('`', uiOpen + 1);
    if (uiClose == std::string::npos) break;
    v.push_back(sCell.substr(uiOpen + 1, uiClose - uiOpen - 1));
    uiOpen = sCell.find('`', uiClose + 1);
  }
  return v;
}

struct Example {
  std::string sWhere;  // chapter, line and section, for messages
  std::string sSection;
  std::string sInput;
  Texts vExpected;
};

/// Every example row of every table with the example header.
std::vector<Example> Examples() {
  std::vector<Example> v;
  for (const Chapter& c : Manual()) {
    std::string sSection;
    bool bInTable = false;
    for (size_t n = 0; n < c.vLines.size(); ++n) {
      const std::string& sLine = c.vLines[n];
      if (sLine.rfind("## ", 0) == 0) sSection = sLine.substr(3);
      if (sLine == EXAMPLE_HEADER) {
        bInTable = true;
        ++n;  // the delimiter row
        continue;
      }
      if (!bInTable) continue;
      if (sLine.empty() || sLine[0] != '|') {
        bInTable = false;
        continue;
      }
      Texts vCells = Cells(sLine);
      Texts vInput = CodeSpans(vCells.at(0));
      Texts vLines = CodeSpans(vCells.at(1));
      if (vCells[0].empty() && !v.empty()) {
        v.back().vExpected.insert(v.back().vExpected.end(), vLines.begin(), vLines.end());
        continue;
      }
      EXPECT_EQ(vInput.size(), 1u) << c.sName << ":" << n + 1 << ": " << sLine;
      if (vInput.size() != 1) continue;
      v.push_back({c.sName + ":" + std::to_string(n + 1) + " (" + sSection + ")", sSection,
                   vInput[0], vLines});
    }
  }
  return v;
}

class CaptureSink : public parsola::ResultsSink {
 public:
  Texts vLines;

 protected:
  void StoreLine(uint8_t, const std::string& sText) override { vLines.push_back(sText); }
};

Texts Report(const std::string& sInput, bool bTracing) {
  CaptureSink sink;
  sink.SetTracing(bTracing);
  parsola::ParseAndReport(sInput, sink);
  return sink.vLines;
}

std::string Joined(const Texts& v) {
  std::string s;
  for (const std::string& line : v) s += "  " + line + "\n";
  return s;
}

/// Whether vWanted appears in vAll in order, not necessarily next to each other.
bool InOrder(const Texts& vAll, const Texts& vWanted) {
  auto it = vAll.begin();
  for (const std::string& s : vWanted) {
    it = std::find(it, vAll.end(), s);
    if (it == vAll.end()) return false;
    ++it;
  }
  return true;
}

TEST(ManualExamples, EveryExampleGivesTheReportLinesItShows) {
  std::vector<Example> v = Examples();
  // A change of the table format that the reader above no longer sees must not pass silently.
  ASSERT_GE(v.size(), 120u);
  for (const Example& e : v) {
    ASSERT_FALSE(e.vExpected.empty()) << e.sWhere << ": example without report lines";
    Texts vReport = Report(e.sInput, false);
    EXPECT_TRUE(InOrder(vReport, e.vExpected))
        << e.sWhere << ": input " << e.sInput << "\nexpected, in this order:\n"
        << Joined(e.vExpected) << "report:\n"
        << Joined(vReport);
  }
}

TEST(ManualExamples, EverySyntaxSectionHasExamples) {
  std::set<std::string> sWithExamples;
  for (const Example& e : Examples()) sWithExamples.insert(e.sSection);
  for (const Chapter& c : Manual()) {
    if (c.sName != "04-syntax.md") continue;
    for (const std::string& sLine : c.vLines) {
      if (sLine.rfind("## ", 0) != 0) continue;
      EXPECT_EQ(sWithExamples.count(sLine.substr(3)), 1u) << "no examples under " << sLine;
    }
  }
}

TEST(ManualExamples, EveryParseErrorHasAnExample) {
  // Codes the report can end with; 5 needs a faulty table, 200 and 210 come from list calls.
  const uint8_t CODES[] = {SCPI_ERR_INVALID_NUM_SUF, SCPI_ERR_INVALID_VALUE, SCPI_ERR_INVALID_DIMS,
                           SCPI_ERR_PARAM_OVERFLOW,  SCPI_ERR_PARAM_UNITS,   SCPI_ERR_PARAM_TYPE,
                           SCPI_ERR_PARAM_COUNT,     SCPI_ERR_UNMATCHED_QUOTE,
                           SCPI_ERR_UNMATCHED_BRACKET, SCPI_ERR_INVALID_CMD, SCPI_ERR_NO_COMMAND};
  std::set<std::string> sShown;
  for (const Example& e : Examples()) {
    if (e.sWhere.rfind("05-errors.md", 0) == 0) sShown.insert(e.vExpected.back());
  }
  for (uint8_t ucCode : CODES) {
    EXPECT_EQ(sShown.count(parsola::ErrorCodeText(ucCode)), 1u)
        << "the error chapter has no example of " << parsola::ErrorCodeText(ucCode);
  }
}

/// Every fenced block marked "report": the input named by its first line gives exactly these
/// lines (trace lines when the block holds any), followed by the report's closing blank line.
TEST(ManualReports, EveryReportBlockIsTheWholeReport) {
  unsigned uiBlocks = 0;
  for (const Chapter& c : Manual()) {
    for (size_t n = 0; n < c.vLines.size(); ++n) {
      if (c.vLines[n] != REPORT_FENCE) continue;
      Texts vBlock;
      for (++n; n < c.vLines.size() && c.vLines[n] != "```"; ++n) vBlock.push_back(c.vLines[n]);
      ASSERT_FALSE(vBlock.empty()) << c.sName;
      const std::string sPrefix = "Parsing Input String: \"";
      ASSERT_EQ(vBlock[0].rfind(sPrefix, 0), 0u) << c.sName << ":" << n;
      std::string sInput = vBlock[0].substr(sPrefix.size(), vBlock[0].size() - sPrefix.size() - 1);
      bool bTracing = std::any_of(vBlock.begin(), vBlock.end(), [](const std::string& s) {
        return s.rfind(TRACE_INDENT, 0) == 0;
      });
      Texts vWanted = vBlock;
      vWanted.push_back("");
      EXPECT_EQ(Report(sInput, bTracing), vWanted) << c.sName << ": block before line " << n + 1;
      ++uiBlocks;
    }
  }
  EXPECT_GE(uiBlocks, 2u);
}

/// The README's parsola-cli transcripts: a "```console" block whose first line runs
/// parsola-cli on one quoted line shows that line's whole report.
TEST(ManualReports, TheReadmeTranscriptsAreTheReports) {
  std::ifstream in(ORVANE_README);
  Texts vReadme;
  for (std::string sLine; std::getline(in, sLine);) vReadme.push_back(sLine);
  const std::string sCommand = "parsola-cli '";
  unsigned uiTranscripts = 0;
  for (size_t n = 0; n + 1 < vReadme.size(); ++n) {
    if (vReadme[n] != "```console") continue;
    const std::string& sRun = vReadme[++n];
    size_t uiAt = sRun.find(sCommand);
    if (sRun.rfind("$ ", 0) != 0 || uiAt == std::string::npos || sRun.back() != '\'') continue;
    std::string sInput = sRun.substr(uiAt + sCommand.size());
    sInput.pop_back();
    Texts vShown;
    for (++n; n < vReadme.size() && vReadme[n] != "```"; ++n) vShown.push_back(vReadme[n]);
    EXPECT_EQ(Report(sInput, false), vShown) << "README transcript of " << sInput;
    ++uiTranscripts;
  }
  EXPECT_GE(uiTranscripts, 1u);
}

TEST(ManualErrors, TheCodeTableNamesEveryCodeWithItsExactText) {
  const std::map<std::string, uint8_t> CONSTANTS = {
      {"SCPI_ERR_OK", SCPI_ERR_OK},
      {"SCPI_ERR_TOO_MANY_NUM_SUF", SCPI_ERR_TOO_MANY_NUM_SUF},
      {"SCPI_ERR_NO_COMMAND", SCPI_ERR_NO_COMMAND},
      {"SCPI_ERR_INVALID_NUM_SUF", SCPI_ERR_INVALID_NUM_SUF},
      {"SCPI_ERR_INVALID_VALUE", SCPI_ERR_INVALID_VALUE},
      {"SCPI_ERR_INVALID_DIMS", SCPI_ERR_INVALID_DIMS},
      {"SCPI_ERR_PARAM_OVERFLOW", SCPI_ERR_PARAM_OVERFLOW},
      {"SCPI_ERR_PARAM_UNITS", SCPI_ERR_PARAM_UNITS},
      {"SCPI_ERR_PARAM_TYPE", SCPI_ERR_PARAM_TYPE},
      {"SCPI_ERR_PARAM_COUNT", SCPI_ERR_PARAM_COUNT},
      {"SCPI_ERR_UNMATCHED_QUOTE", SCPI_ERR_UNMATCHED_QUOTE},
      {"SCPI_ERR_INVALID_BLOCK", SCPI_ERR_INVALID_BLOCK},
      {"SCPI_ERR_UNMATCHED_BRACKET", SCPI_ERR_UNMATCHED_BRACKET},
      {"SCPI_ERR_INVALID_CMD", SCPI_ERR_INVALID_CMD},
      {"SCPI_ERR_NO_ENTRY", SCPI_ERR_NO_ENTRY},
      {"SCPI_ERR_TOO_MANY_DIMS", SCPI_ERR_TOO_MANY_DIMS}};
  std::set<std::string> sListed;
  std::string sChapter;
  for (const Chapter& c : Manual()) {
    if (c.sName != "05-errors.md") continue;
    bool bInTable = false;
    for (const std::string& sLine : c.vLines) {
      sChapter += sLine + "\n";
      if (sLine == ERROR_HEADER) {
        bInTable = true;
        continue;
      }
      if (!bInTable || sLine.rfind("|---", 0) == 0) continue;
      if (sLine.empty() || sLine[0] != '|') {
        bInTable = false;
        continue;
      }
      Texts vCells = Cells(sLine);
      ASSERT_EQ(vCells.size(), 4u) << sLine;
      Texts vConstant = CodeSpans(vCells[1]);
      ASSERT_EQ(vConstant.size(), 1u) << sLine;
      auto it = CONSTANTS.find(vConstant[0]);
      ASSERT_NE(it, CONSTANTS.end()) << "unknown constant in " << sLine;
      EXPECT_EQ(vCells[0], std::to_string(it->second)) << sLine;
      EXPECT_EQ(vCells[2], parsola::ErrorCodeText(it->second)) << sLine;
      EXPECT_FALSE(vCells[3].empty()) << "no typical cause in " << sLine;
      sListed.insert(vConstant[0]);
    }
  }
  EXPECT_EQ(sListed.size(), CONSTANTS.size());
  // The text of a code the parser never returns, as the report shows it.
  const uint8_t UNKNOWN_CODE = 1;
  EXPECT_NE(sChapter.find("\"" + std::string(parsola::ErrorCodeText(UNKNOWN_CODE)) + "\""),
            std::string::npos);
}

}  // namespace
