// SPDX-License-Identifier: MIT
// Report core benchmark: every sample line reported into a sink that stores nothing, with
// tracing off and on. One item is one sample line.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "report.h"
#include "results_sink.h"
#include "sample_lines.h"

namespace {

class DiscardingSink : public parsola::ResultsSink {
 public:
  unsigned long ulLines = 0;

 protected:
  void StoreLine(uint8_t ucLevel, const std::string& sText) override {
    benchmark::DoNotOptimize(ucLevel);
    benchmark::DoNotOptimize(sText.data());
    ++ulLines;
  }
};

void BM_ReportSampleLine(benchmark::State& state) {
  DiscardingSink sink;
  sink.SetTracing(state.range(0) != 0);
  for (auto _ : state) {
    for (const std::string& sLine : SampleLines()) parsola::ParseAndReport(sLine, sink);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * SampleLines().size()));
  state.SetLabel("sample line");
}
BENCHMARK(BM_ReportSampleLine)->ArgName("tracing")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
