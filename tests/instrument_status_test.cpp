// SPDX-License-Identifier: MIT
// The error/event queue, the status registers and the commands the layer answers.
#include <gtest/gtest.h>

#include "instrument_test_support.h"

namespace {

struct SDialogueStep {
  const char* pSend;
  const char* pExpected;
};

// Each dialogue runs in a fresh session; every step is one message and its full answer.
const std::vector<std::vector<SDialogueStep>> DIALOGUES = {
    // ESR bits by error class; *ESR? reads and clears.
    {{"BOGUS;*ESR?", ""}, {"*ESR?", "32\n"}, {"*ESR?", "0\n"}},
    {{"VOLT 99", ""}, {"TEST:FAIL", ""}, {"*ESR?", "24\n"}},
    {{"*OPC;*ESR?", "1\n"}, {"*OPC?", "1\n"}},
    // Register values are rounded; outside their range -222.
    {{"*ESE 32.5;*ESE?", "33\n"}, {"*ESE 256;*ESE?", "33\n"}, {"*SRE 255;*SRE?", "191\n"},
     {"*ESE -1;*SRE 0.4;*SRE?", "0\n"}, {"SYST:ERR:COUN?", "2\n"}},
    // Status byte: EAV, ESB, MAV, and MSS through *SRE.
    {{"*STB?", "0\n"}, {"BOGUS", ""}, {"*ESE 32;*STB?", "36\n"}, {"*SRE 4;*STB?", "100\n"},
     {"*IDN?;*STB?", "Orvane,TEST,0,1.0;116\n"}, {"*CLS;*STB?", "0\n"}},
    // Queue: oldest first, "No error" when empty, the newest replaced by -350 when full.
    {{"BOGUS", ""}, {"VOLT 99", ""}, {"TEST:FAIL", ""}, {"TEST:FAIL \"x\"", ""},
     {"SYST:ERR:COUN?", "4\n"},
     {"SYST:ERR?;:SYST:ERR:NEXT?", "-113,\"Undefined header\";-222,\"Data out of range\"\n"},
     {"SYST:ERR?;:SYST:ERR?", "101,\"Test failure\";-350,\"Queue overflow\"\n"},
     {"SYST:ERR?", "0,\"No error\"\n"}},
    // An overflow is a device-dependent error of its own.
    {{"BOGUS", ""}, {"BOGUS", ""}, {"BOGUS", ""}, {"BOGUS", ""}, {"BOGUS", ""}, {"*ESR?", "40\n"}},
    // SCPI registers: enable, event read and cleared, condition; PRESet.
    {{"STAT:OPER:ENAB 32768;ENAB?", "0\n"}, {"STAT:QUES:ENAB 5;ENAB?", "5\n"},
     {"STAT:PRES;:STAT:QUES:ENAB?;:STAT:QUES?;:STAT:OPER:COND?", "0;0;0\n"},
     {"SYST:VERS?;*TST?", "1999.0;0\n"}},
};

TEST(InstrumentStatus, Dialogues) {
  for (size_t uiD = 0; uiD < DIALOGUES.size(); ++uiD) {
    TestSession t(64, 64, 4);
    for (const SDialogueStep& s : DIALOGUES[uiD])
      EXPECT_EQ(t.Ask(s.pSend), s.pExpected) << "dialogue " << uiD << ": " << s.pSend;
  }
}

TEST(InstrumentStatus, ConditionsTransitionsAndServiceRequests) {
  TestSession t;
  uiTestRequests = 0;
  t.Ask("STAT:OPER:ENAB 6;*SRE 128");
  SCPI_SetCondition(&t.sSession, SCPI_REG_OPERATION, 0x7, 0x2);  // rises: event 2, RQS
  EXPECT_EQ(uiTestRequests, 1u);
  EXPECT_EQ(SCPI_SerialPoll(&t.sSession), SCPI_STB_OSB | SCPI_STB_MSS);
  EXPECT_EQ(SCPI_SerialPoll(&t.sSession), SCPI_STB_OSB);  // RQS cleared by the poll
  SCPI_SetCondition(&t.sSession, SCPI_REG_OPERATION, 0x2, 0);  // falls: no NTR, no event
  EXPECT_EQ(t.Ask("STAT:OPER:COND?;:STAT:OPER?;:STAT:OPER?"), "0;2;0\n");
  EXPECT_EQ(uiTestRequests, 1u);
  EXPECT_EQ(SCPI_SetCondition(&t.sSession, 2, 1, 1), SCPI_ERR_NO_ENTRY);
}

TEST(InstrumentStatus, CallbacksAndDetail) {
  TestSession t;
  uiTestResets = uiTestClears = 0;
  t.Ask("*RST;*CLS");
  EXPECT_EQ(uiTestResets, 1u);
  EXPECT_EQ(uiTestClears, 1u);
  const std::string sLong(300, 'd');
  SCPI_QueueError(&t.sSession, -221, sLong.c_str());
  const std::string sAnswer = t.Ask("SYST:ERR?");
  EXPECT_EQ(sAnswer.size(), std::string("-221,\"\"\n").size() + 255);
}

}  // namespace
