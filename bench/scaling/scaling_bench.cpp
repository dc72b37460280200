// SPDX-License-Identifier: MIT
// One workload of the scaling benchmark, against the command table this program is linked with.
//
//   scaling_bench WORKLOAD count|time SAMPLES_FILE
//
// WORKLOAD: samples (every sample line), rst, unrecognised, near-miss or compound, each through
// SCPI_ParseCtx on the table's record, or samples-parse, the sample lines through SCPI_Parse
// (the table's global names, without the header index). Each line is parsed to its end and
// every parameter read, as the parser benchmark does (read_commands.h).
// count: runs the workload once inside RunWorkload, the function callgrind is told to measure
//        (--toggle-collect=RunWorkload), and prints "commands N errors E".
// time:  runs it for about a second in five rounds and prints the median "ns N" per command.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <orvane-scpi/scpi_table.h>

#include "read_commands.h"

extern "C" const SScpiTable ScaledTable;

namespace {
SScpiContext sContext;
SScpiContext* psContext = &sContext;  // nullptr: through SCPI_Parse
}  // namespace

// What callgrind measures: one run of the workload. Returns the number of commands.
extern "C" __attribute__((noinline)) unsigned RunWorkload(const std::string* pLines,
                                                          size_t uLines) {
  unsigned uCommands = 0;
  for (size_t u = 0; u < uLines; ++u) {
    uCommands += bench::ParseLine(pLines[u].c_str(), nullptr, psContext);
  }
  return uCommands;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: scaling_bench WORKLOAD count|time SAMPLES_FILE\n");
    return 2;
  }
  const std::string sWorkload = argv[1];
  std::vector<std::string> vLines;
  if (SCPI_ContextInit(&sContext, &ScaledTable, SCPI_RULES_LIBRARY) != SCPI_ERR_OK) return 1;
  if (sWorkload == "samples-parse") psContext = nullptr;
  if (sWorkload == "samples" || sWorkload == "samples-parse") {
    std::ifstream sFile(argv[3]);
    for (std::string sLine; std::getline(sFile, sLine);) {
      if (!sLine.empty()) vLines.push_back(sLine);
    }
  } else if (sWorkload == "rst") {
    vLines = {"*RST"};
  } else if (sWorkload == "unrecognised") {
    vLines = {"SOUR:VOLT 1.5 MV"};
  } else if (sWorkload == "near-miss") {
    vLines = {"meas:volt:dc:xyz? 1"};
  } else if (sWorkload == "compound") {
    // Commands that lean on the tree path of the one before.
    vLines = {"stat:oper:enab 5;enab?;cond?;:sens:res:rang 100;rang?;rang:auto on"};
  }
  if (vLines.empty()) {
    std::fprintf(stderr, "scaling_bench: no lines for workload %s\n", argv[1]);
    return 2;
  }

  if (std::strcmp(argv[2], "count") == 0) {
    const unsigned uCommands = RunWorkload(vLines.data(), vLines.size());
    unsigned uErrors = 0;
    for (const std::string& sLine : vLines) bench::ParseLine(sLine.c_str(), &uErrors, psContext);
    std::printf("commands %u errors %u\n", uCommands, uErrors);
    return 0;
  }
  using Clock = std::chrono::steady_clock;
  constexpr int ROUNDS = 5;
  constexpr int RUNS_PER_CLOCK_READ = 100;
  const auto ROUND_TIME = std::chrono::milliseconds(200);
  std::vector<double> vNs;
  for (int iRound = 0; iRound < ROUNDS; ++iRound) {
    unsigned long ulCommands = 0;
    const Clock::time_point tStart = Clock::now();
    Clock::time_point tNow = tStart;
    while (tNow - tStart < ROUND_TIME) {
      for (int i = 0; i < RUNS_PER_CLOCK_READ; ++i) {
        ulCommands += RunWorkload(vLines.data(), vLines.size());
      }
      tNow = Clock::now();
    }
    vNs.push_back(std::chrono::duration<double, std::nano>(tNow - tStart).count() / ulCommands);
  }
  std::sort(vNs.begin(), vNs.end());
  std::printf("ns %.0f\n", vNs[ROUNDS / 2]);
  return 0;
}
