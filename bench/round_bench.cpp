// SPDX-License-Identifier: MIT
// The instrument layer's round trip against the parse alone, on a power supply's typical
// messages: "parse" takes every command of every message with SCPI_ParseCtx; "round" feeds the
// same messages as bytes through a session, so that each command also runs its handler and the
// queries' answers go out through a write function. scripts/bench.sh counts the instructions of
// RunParse and RunRound with callgrind and prints their ratio.
//
//   round_bench parse|round [ITERATIONS]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "round_instrument.h"

namespace {

const char* const MESSAGES[] = {
    "VOLT 12.5;CURR 0.75\n", "OUTP1 ON\n",          "MEAS:VOLT?;MEAS:CURR?\n",
    "VOLT?\n",               "SOUR2:VOLT 3.3;CURR 1.2;:OUTP2 ON\n",
    "OUTP2?\n",              "*OPC?\n",             "SYST:ERR?\n",
};

volatile size_t uiSink;

void Discard(SScpiSession*, const char* pcData, uint16_t uiLen) { uiSink += uiLen + (uint8_t)pcData[0]; }

}  // namespace

// Outside the anonymous namespace, with C names, for callgrind's --toggle-collect.
extern "C" __attribute__((noinline)) void RunParse(SScpiContext* psCtx, unsigned uiIterations) {
  SParam asParams[SCPI_MAX_PARAM_SLOTS];
  uint32_t auiNumSuf[MAX_NUM_SUFFIX];
  uint8_t ucCmd = 0, ucNumSufCnt = 0;
  for (unsigned ui = 0; ui < uiIterations; ++ui) {
    for (const char* pMessage : MESSAGES) {
      const char* p = pMessage;
      const char* pEnd = p + strlen(p) - 1;  // without its LF
      uint8_t bReset = 1;
      while (SCPI_ParseCtx(psCtx, &p, pEnd, bReset, &ucCmd, asParams, &ucNumSufCnt, auiNumSuf) !=
             SCPI_ERR_NO_COMMAND)
        bReset = 0;
      uiSink += ucCmd;
    }
  }
}

extern "C" __attribute__((noinline)) void RunRound(SScpiSession* psSession, unsigned uiIterations) {
  for (unsigned ui = 0; ui < uiIterations; ++ui) {
    for (const char* pMessage : MESSAGES) SCPI_Input(psSession, pMessage, (uint32_t)strlen(pMessage));
  }
}

int main(int argc, char** argv) {
  if (argc < 2 || (strcmp(argv[1], "parse") && strcmp(argv[1], "round"))) {
    std::fprintf(stderr, "usage: round_bench parse|round [ITERATIONS]\n");
    return 2;
  }
  const unsigned uiIterations = argc > 2 ? (unsigned)std::atoi(argv[2]) : 1000;
  static char acInput[256], acOutput[64];
  static SScpiError asErrors[8];
  const SScpiSessionSetup sSetup = {acInput, acOutput, asErrors, &Discard, nullptr,
                                    sizeof acInput, sizeof acOutput, 8, SCPI_MODE_STREAM};
  static SScpiSession sSession;
  if (SCPI_SessionInit(&sSession, &RoundInstrument, &sSetup) != SCPI_ERR_OK) return 1;
  if (argv[1][0] == 'p') {
    RunParse(&sSession.sCtx, uiIterations);
  } else {
    RunRound(&sSession, uiIterations);
  }
  // Every message must have been understood: the round leaves nothing in the queue.
  std::printf("commands %u errors %u\n", uiIterations * 12u, sSession.ucErrorCount);
  return sSession.ucErrorCount ? 1 : 0;
}
