// SPDX-License-Identifier: MIT
// Sessions: input framing into program messages, running their commands, the response message,
// overruns, END signals and read requests.
#include <gtest/gtest.h>

#include "instrument_test_support.h"

namespace {

struct SMessageCase {
  const char* pName;
  std::string sInput;
  std::string sOutput;  // everything written
  std::string sErrors;  // the queue afterwards
};

// A literal with its NUL bytes.
#define BYTES(pLiteral) std::string(pLiteral, sizeof pLiteral - 1)

const SMessageCase MESSAGE_CASES[] = {
    // Response message rules.
    {"query", "*IDN?\n", "Orvane,TEST,0,1.0\n", ""},
    {"no query writes nothing", "VOLT 5\n", "", ""},
    {"empty message", "\n\n \n", "", ""},
    {"queries joined by ;", "VOLT 5;*IDN?;VOLT?\n", "Orvane,TEST,0,1.0;5.000\n", ""},
    {"one response per message", "VOLT?\nSOUR2:VOLT 1.5;VOLT?\n", "0.000\n1.500\n", ""},
    {"CR before LF dropped", "VOLT?\r\n", "0.000\n", ""},
    // Block data: LF and quotes inside, indefinite blocks to the terminator.
    {"LF inside a definite block", BYTES("DATA #16a\nb\"c\0;DATA?\n"), BYTES("#16a\nb\"c\0\n"), ""},
    {"indefinite block", "DATA #0xy;z\nDATA?\n", "#14xy;z\n", ""},
    {"quoted # is no block", "TEST:FAIL \"#15\"\n*IDN?\n", "Orvane,TEST,0,1.0\n",
     "-221,\"Settings conflict;from the handler\"\n101,\"Test failure\"\n"},
    {"quoted LF ends the message", "TEST:FAIL 'a\n*IDN?\n", "Orvane,TEST,0,1.0\n",
     "-151,\"Invalid string data\"\n"},
    // Errors: a parse failure ends the message, earlier commands stay done.
    {"undefined header", "VOLT 2;BOGUS;VOLT 3\nVOLT?\n", "2.000\n", "-113,\"Undefined header\"\n"},
    {"handler error", "VOLT 31\nVOLT?\n", "0.000\n", "-222,\"Data out of range\"\n"},
    {"responses before a failure", "VOLT?;BOGUS?\n", "0.000\n", "-113,\"Undefined header\"\n"},
    {"NUL ends the message with an error", BYTES("VOLT 2\0;VOLT 3\nVOLT?\n"), "2.000\n",
     "-101,\"Invalid character\"\n"},
};

class Messages : public ::testing::TestWithParam<SMessageCase> {};

TEST_P(Messages, WholeAndByteByByte) {
  const SMessageCase& c = GetParam();
  for (size_t uiChunk : {c.sInput.size(), size_t{1}, size_t{3}}) {
    alTestMilliVolts[0] = alTestMilliVolts[1] = 0;
    TestSession t(64, 5);
    std::string sOut;
    for (size_t ui = 0; ui < c.sInput.size(); ui += uiChunk) sOut += t.Send(c.sInput.substr(ui, uiChunk));
    EXPECT_EQ(sOut, c.sOutput) << "chunks of " << uiChunk;
    EXPECT_LE(t.uiLargestWrite, 5u);
    EXPECT_EQ(t.Errors(), c.sErrors) << "chunks of " << uiChunk;
  }
}

INSTANTIATE_TEST_SUITE_P(InstrumentSession, Messages, ::testing::ValuesIn(MESSAGE_CASES),
                         [](const auto& info) {
                           std::string s = info.param.pName;
                           for (char& c : s) if (!isalnum((unsigned char)c)) c = '_';
                           return s;
                         });

TEST(InstrumentSession, OverrunDropsTheMessageToItsEnd) {
  alTestMilliVolts[0] = 0;
  TestSession t(16);
  // Too long, with a block holding LF in the part that is dropped; the next message runs.
  EXPECT_EQ(t.Send("VOLT 1;DATA #15ab\ncd;VOLT 2\nVOLT?\n"), "0.000\n");
  EXPECT_EQ(t.Errors(), "-363,\"Input buffer overrun\"\n");
  // A message that fills the buffer exactly runs.
  EXPECT_EQ(t.Send("VOLT 1.5;VOLT?  \n"), "1.500\n");
}

TEST(InstrumentSession, EndSignalEndsTheMessage) {
  TestSession t;
  t.Send("*IDN?");
  EXPECT_EQ(t.sWritten, "");
  SCPI_InputEnd(&t.sSession);
  EXPECT_EQ(t.sWritten, "Orvane,TEST,0,1.0\n");
  t.Send("DATA #0a\nb");  // an indefinite block up to LF
  SCPI_InputEnd(&t.sSession);
  EXPECT_EQ(t.Ask("DATA?"), "#11a\n");
  EXPECT_EQ(t.Errors(), "-113,\"Undefined header\"\n");  // "b" ended by END
}

TEST(InstrumentSession, LongResponseStreamsThroughASmallBuffer) {
  TestSession t(64, 3);
  EXPECT_EQ(t.Ask("*IDN?;*IDN?"), "Orvane,TEST,0,1.0;Orvane,TEST,0,1.0\n");
  EXPECT_EQ(t.uiLargestWrite, 3u);
}

TEST(InstrumentSession, ReadRequests) {
  TestSession t(64, 64, 8, SCPI_MODE_READ_REQUEST);
  EXPECT_EQ(t.Ask("VOLT?"), "");
  EXPECT_EQ(SCPI_StatusByte(&t.sSession) & SCPI_STB_MAV, SCPI_STB_MAV);
  EXPECT_EQ(SCPI_ReadRequest(&t.sSession), SCPI_ERR_OK);
  EXPECT_EQ(t.sWritten, "0.000\n");
  EXPECT_EQ(SCPI_StatusByte(&t.sSession) & SCPI_STB_MAV, 0);
  // Nothing pending: -420. A new message before the response was read: -410, response lost.
  EXPECT_EQ(SCPI_ReadRequest(&t.sSession), SCPI_ERR_NOTHING_TO_READ);
  t.Ask("*IDN?");
  t.Ask("VOLT?");
  t.sWritten.clear();
  SCPI_ReadRequest(&t.sSession);
  EXPECT_EQ(t.sWritten, "0.000\n");
  t.Ask("SYST:ERR?;:SYST:ERR?");
  t.sWritten.clear();
  SCPI_ReadRequest(&t.sSession);
  EXPECT_EQ(t.sWritten, "-420,\"Query UNTERMINATED\";-410,\"Query INTERRUPTED\"\n");
}

TEST(InstrumentSession, DeviceClearDropsInputAndOutput) {
  TestSession t(64, 64, 8, SCPI_MODE_READ_REQUEST);
  t.Ask("*IDN?");
  t.Send("VOLT 9");
  SCPI_DeviceClear(&t.sSession);
  EXPECT_EQ(SCPI_ReadRequest(&t.sSession), SCPI_ERR_NOTHING_TO_READ);
  t.Ask("VOLT?");
  SCPI_ReadRequest(&t.sSession);
  EXPECT_EQ(t.sWritten, "0.000\n");
}

TEST(InstrumentSession, SetupChecks) {
  SScpiSession s;
  char ac[4];
  SScpiError as[2];
  SScpiSessionSetup sSetup = {ac, ac, as, nullptr, nullptr, 4, 4, 1, SCPI_MODE_STREAM};
  EXPECT_EQ(SCPI_SessionInit(&s, &TestInstrument, &sSetup), SCPI_ERR_SESSION_SETUP);
  sSetup.ucErrorCapacity = 2;
  EXPECT_EQ(SCPI_SessionInit(&s, &TestInstrument, &sSetup), SCPI_ERR_OK);
}

}  // namespace
