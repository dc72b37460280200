// SPDX-License-Identifier: MIT
// Parser benchmarks. Each reports items per second, an item being the unit named in its label
// (one command, one list, ...); scripts/bench.sh turns the medians into time per item.
//  - the sample lines, each parsed to its end with every parameter read through its accessor,
//    tracing off and tracing on into a sink that discards every line;
//  - worst cases: unrecognised commands (every table entry is tried), a 255-character command,
//    and the longest numeric and channel lists a command can hold, every entry read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include <orvane-scpi/scpi.h>
#include "read_commands.h"
#include "sample_lines.h"

namespace {

using bench::ParseLine;

// ---- Inputs ------------------------------------------------------------------------------------

// Commands that no table entry accepts, each close to a real one so matching goes deep.
const char UNRECOGNISED[] =
    "syst:erro?;meas:volt:dc:rat:x? 1,2;appl:sour:volt:lev:imm:amplx 5;"
    "stat:ques:enable:x 1;outp5:mod3:fm5:x 1;sens:volt:dc:nplcx 10;"
    "calibration:secure:statx on,x;trac:feed:oconditionx (1);*idn;rout:opn (@1!2)";
constexpr unsigned UNRECOGNISED_COUNT = 10;

constexpr unsigned MAX_COMMAND = 255;

std::string Padded(const std::string& sHead, char cFill, const std::string& sTail) {
  return sHead + std::string(MAX_COMMAND - sHead.size() - sTail.size(), cFill) + sTail;
}

// The most entries a 255-character command holds: one-digit entries, commas between.
std::string LongestList(const std::string& sHead, const std::string& sEntry) {
  std::string sLine = sHead;
  while (sLine.size() + 1 + sEntry.size() + 1 <= MAX_COMMAND) {
    sLine += (sLine.size() == sHead.size() ? "" : ",") + sEntry;
  }
  return sLine + ")";
}

// ---- Trace sink that discards ------------------------------------------------------------------

#if SCPI_TRACE
void DropText(void*, const char* pText, uint16_t uiLen) {
  benchmark::DoNotOptimize(pText);
  benchmark::DoNotOptimize(uiLen);
}
void DropReal(void*, double fdVal) { benchmark::DoNotOptimize(fdVal); }
void DropLine(void*, uint8_t ucLevel) { benchmark::DoNotOptimize(ucLevel); }
const char* CodeText(uint8_t) { return "OK"; }
const char* TypeText(EPType) { return "Numeric"; }
const char* SubtypeText(ENumSubtype) { return "+ve int"; }
const STraceSink DISCARD = {&DropText, &DropReal, &DropLine, &CodeText, &TypeText, &SubtypeText,
                            nullptr};
#endif

/// Installs the discarding sink for one benchmark when asked to.
class TracingScope {
 public:
  explicit TracingScope(bool bOn) {
#if SCPI_TRACE
    SCPI_SetTraceSink(bOn ? &DISCARD : nullptr);
#else
    (void)bOn;
#endif
  }
  ~TracingScope() {
#if SCPI_TRACE
    SCPI_SetTraceSink(nullptr);
#endif
  }
};

// ---- Benchmarks ----------------------------------------------------------------------------------

void BM_SampleCommands(benchmark::State& state) {
  const TracingScope sScope(state.range(0) != 0);
  unsigned uCommands = 0;
  for (auto _ : state) {
    uCommands = 0;
    for (const std::string& sLine : SampleLines()) uCommands += ParseLine(sLine.c_str());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * uCommands);
  state.SetLabel("command");
}
BENCHMARK(BM_SampleCommands)->ArgName("tracing")->Arg(0)->Arg(1);

void BM_UnrecognisedCommand(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseLine(UNRECOGNISED));
  if (ParseLine(UNRECOGNISED) != UNRECOGNISED_COUNT) state.SkipWithError("wrong command count");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * UNRECOGNISED_COUNT);
  state.SetLabel("command");
}
BENCHMARK(BM_UnrecognisedCommand);

void BM_LongCommand(benchmark::State& state, const std::string& sLine) {
  if (sLine.size() != MAX_COMMAND) state.SkipWithError("not a 255-character command");
  for (auto _ : state) benchmark::DoNotOptimize(ParseLine(sLine.c_str()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetLabel("command");
}
BENCHMARK_CAPTURE(BM_LongCommand, string, Padded("disp:text '", 'x', "'"));
BENCHMARK_CAPTURE(BM_LongCommand, expression, Padded("trac:feed:ocon (", '1', ")"));
BENCHMARK_CAPTURE(BM_LongCommand, unrecognised, Padded("syst:", 'x', "?"));

void BM_LongestList(benchmark::State& state, const std::string& sLine) {
  if (sLine.size() > MAX_COMMAND) state.SkipWithError("longer than a command can be");
  for (auto _ : state) benchmark::DoNotOptimize(ParseLine(sLine.c_str()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  const auto uEntries = 1 + std::count(sLine.begin(), sLine.end(), ',');
  state.SetLabel("list of " + std::to_string(uEntries) + " entries");
}
BENCHMARK_CAPTURE(BM_LongestList, numeric, LongestList("syst:err:enab (", "1"));
BENCHMARK_CAPTURE(BM_LongestList, channel, LongestList("rout:open (@", "1!2"));

}  // namespace

BENCHMARK_MAIN();
