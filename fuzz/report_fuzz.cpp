// SPDX-License-Identifier: MIT
// Fuzz target for the report core: an arbitrary input line is reported with tracing on and with
// tracing off, into sinks that check every line that reaches them:
//  - every stored level is 1..4, and no trace line (3, 4) arrives while tracing is off;
//  - trace lines carry their indentation (six blanks at level 3, eight at level 4);
//  - the report lines (1, 2) are the same whether tracing is on or off;
//  - the report ends with "Parsing Complete." and the closing blank line, which comes only there;
//  - ucTraceNesting is 0 after the report.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "report.h"
#include "results_sink.h"
#include <orvane-scpi/scpi.h>

namespace {

class CheckingSink : public parsola::ResultsSink {
 public:
  std::vector<std::pair<uint8_t, std::string>> vReport;  // levels 1 and 2, in order
  std::string sHistory;
  unsigned uHistoryLines = 0;

 protected:
  void StoreLine(uint8_t ucLevel, const std::string& sText) override {
    FUZZ_CHECK(ucLevel >= parsola::LEVEL_CLOSING && ucLevel <= parsola::LEVEL_TRACE_RESULT);
    if (ucLevel >= parsola::LEVEL_TRACE_CALL) {
      FUZZ_CHECK(Tracing());
      const std::string sIndent(2u * ucLevel, ' ');
      FUZZ_CHECK(sText.compare(0, sIndent.size(), sIndent) == 0);
      FUZZ_CHECK(sText.size() > sIndent.size() && sText[sIndent.size()] != ' ');
      return;
    }
    vReport.emplace_back(ucLevel, sText);
  }
  void AddHistoryLine(const std::string& sLine) override {
    sHistory = sLine;
    ++uHistoryLines;
  }
};

void Report(const std::string& sInput, CheckingSink& sink) {
  parsola::ParseAndReport(sInput, sink);
#if SCPI_TRACE
  FUZZ_CHECK(ucTraceNesting == 0);
#endif
  const auto& v = sink.vReport;
  FUZZ_CHECK(v.size() >= 2);
  FUZZ_CHECK(v.back().first == parsola::LEVEL_CLOSING && v.back().second.empty());
  FUZZ_CHECK(v[v.size() - 2] == std::make_pair(parsola::LEVEL_REPORT, std::string("Parsing Complete.")));
  for (size_t i = 0; i + 1 < v.size(); ++i) FUZZ_CHECK(v[i].first == parsola::LEVEL_REPORT);
  FUZZ_CHECK(sink.uHistoryLines == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize) {
  const std::string sInput(reinterpret_cast<const char*>(pData), uSize);

  CheckingSink sQuiet;
  Report(sInput, sQuiet);

  CheckingSink sTraced;
  sTraced.SetTracing(true);
  Report(sInput, sTraced);

  FUZZ_CHECK(sQuiet.vReport == sTraced.vReport);
  FUZZ_CHECK(sQuiet.sHistory == sTraced.sHistory);
  return 0;
}
