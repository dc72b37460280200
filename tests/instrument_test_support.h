// SPDX-License-Identifier: MIT
// A session of the test instrument with buffers of chosen sizes that records what it writes.
#ifndef INSTRUMENT_TEST_SUPPORT_H
#define INSTRUMENT_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "test_instrument.h"

struct TestSession {
  SScpiSession sSession{};
  std::vector<char> vcInput, vcOutput;
  std::vector<SScpiError> vsErrors;
  std::string sWritten;
  size_t uiLargestWrite = 0;

  explicit TestSession(uint16_t uiInput = 256, uint16_t uiOutput = 64, uint8_t ucErrors = 8,
                       uint8_t ucMode = SCPI_MODE_STREAM)
      : vcInput(uiInput), vcOutput(uiOutput), vsErrors(ucErrors) {
    alTestMilliVolts[0] = alTestMilliVolts[1] = 0;
    const SScpiSessionSetup sSetup = {vcInput.data(), vcOutput.data(), vsErrors.data(), &Write,
                                      this, uiInput, uiOutput, ucErrors, ucMode};
    SCPI_SessionInit(&sSession, &TestInstrument, &sSetup);
  }
  TestSession(const TestSession&) = delete;

  static void Write(SScpiSession* psSession, const char* pcData, uint16_t uiLen) {
    TestSession* p = static_cast<TestSession*>(psSession->pvUser);
    p->sWritten.append(pcData, uiLen);
    if (uiLen > p->uiLargestWrite) p->uiLargestWrite = uiLen;
  }

  // Feeds the bytes in one chunk; returns what the session wrote meanwhile.
  std::string Send(const std::string& sBytes) {
    sWritten.clear();
    SCPI_Input(&sSession, sBytes.data(), (uint32_t)sBytes.size());
    return sWritten;
  }
  // The answer of one query message.
  std::string Ask(const std::string& sQuery) { return Send(sQuery + "\n"); }
  // The queue's entries as SYSTem:ERRor? reads them out, one line each, until "No error".
  std::string Errors() {
    std::string s;
    for (int i = 0; i < 300; ++i) {
      const std::string sNext = Ask("SYST:ERR?");
      if (sNext == "0,\"No error\"\n") break;
      s += sNext;
    }
    return s;
  }
};

#endif
