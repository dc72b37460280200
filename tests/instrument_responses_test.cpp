// SPDX-License-Identifier: MIT
// The response formatters, each called as a handler calls it, and the joining of elements.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "instrument_test_support.h"

namespace {

struct SFormatCase {
  const char* pExpected;
  std::function<void(SScpiSession*)> fnRespond;
};

SNum Num(uint32_t ulMant, uint8_t ucExp, uint8_t ucFlags) { return SNum{ulMant, ucExp, ucFlags, U_NONE}; }

const double INF = std::numeric_limits<double>::infinity();

const SFormatCase FORMAT_CASES[] = {
    // NR1
    {"0", [](SScpiSession* p) { SCPI_RespondInt(p, 0); }},
    {"-2147483648", [](SScpiSession* p) { SCPI_RespondInt(p, INT32_MIN); }},
    // Exact numbers
    {"2.5", [](SScpiSession* p) { SNum s = Num(25, 1, NUM_EXP_NEG); SCPI_RespondNum(p, &s); }},
    {"-0.001", [](SScpiSession* p) { SNum s = Num(1, 3, NUM_EXP_NEG | NUM_NEG); SCPI_RespondNum(p, &s); }},
    {"200", [](SScpiSession* p) { SNum s = Num(2, 2, 0); SCPI_RespondNum(p, &s); }},
    {"3E+43", [](SScpiSession* p) { SNum s = Num(3, 43, 0); SCPI_RespondNum(p, &s); }},
    {"7E-43", [](SScpiSession* p) { SNum s = Num(7, 43, NUM_EXP_NEG); SCPI_RespondNum(p, &s); }},
    // Scaled integers
    {"3.300", [](SScpiSession* p) { SCPI_RespondScaled(p, 3300, 3); }},
    {"-0.005", [](SScpiSession* p) { SCPI_RespondScaled(p, -5, 3); }},
    {"-21474836.48", [](SScpiSession* p) { SCPI_RespondScaled(p, INT32_MIN, 2); }},
    {"7", [](SScpiSession* p) { SCPI_RespondScaled(p, 7, 0); }},
    // Doubles, NR3, and the SCPI values of infinity and NaN
    {"1.2346E+03", [](SScpiSession* p) { SCPI_RespondDouble(p, 1234.5678, 5); }},
    {"-1.0E-03", [](SScpiSession* p) { SCPI_RespondDouble(p, -0.001, 2); }},
    {"0.00E+00", [](SScpiSession* p) { SCPI_RespondDouble(p, 0.0, 3); }},
    {"1E+01", [](SScpiSession* p) { SCPI_RespondDouble(p, 9.96, 1); }},
    {"1.79769313486232E+308", [](SScpiSession* p) { SCPI_RespondDouble(p, 1.7976931348623157e308, 15); }},
    {"4.94E-324", [](SScpiSession* p) { SCPI_RespondDouble(p, 4.9406564584124654e-324, 3); }},
    {"9.9E37", [](SScpiSession* p) { SCPI_RespondDouble(p, INF, 5); }},
    {"-9.9E37", [](SScpiSession* p) { SCPI_RespondDouble(p, -INF, 5); }},
    {"9.91E37", [](SScpiSession* p) { SCPI_RespondDouble(p, std::nan(""), 5); }},
    // Booleans, character data, strings
    {"1", [](SScpiSession* p) { SCPI_RespondBool(p, 7); }},
    {"MAX", [](SScpiSession* p) { SCPI_RespondChoice(p, "MINimum|MAXimum", 1); }},
    {"VOLT", [](SScpiSession* p) { SCPI_RespondChoice(p, "VOLTage", 0); }},
    {"\"a\"\"b\"\"\"", [](SScpiSession* p) { SCPI_RespondString(p, "a\"b\"", 4); }},
    // Blocks, whole and in pieces
    {"#15hello", [](SScpiSession* p) { SCPI_RespondBlock(p, "hello", 5); }},
    {"#10", [](SScpiSession* p) { SCPI_RespondBlock(p, "", 0); }},
    {"#211abcdefghijk", [](SScpiSession* p) {
       SCPI_RespondBlockHeader(p, 11);
       SCPI_RespondBlockData(p, "abcd", 4);
       SCPI_RespondBlockData(p, "efghijk", 7);
     }},
    // Elements of one query joined by ','
    {"1.5,-2.0,0.0", [](SScpiSession* p) {
       const int32_t al[] = {15, -20, 0};
       SCPI_RespondScaledList(p, al, 3, 1);
     }},
};

TEST(InstrumentResponses, Formats) {
  for (const SFormatCase& c : FORMAT_CASES) {
    TestSession t(64, 4);
    c.fnRespond(&t.sSession);
    SCPI_InputEnd(&t.sSession);  // no message: nothing ends the response, so flush by hand
    std::string sOut = t.sWritten + std::string(t.sSession.pcOutput, t.sSession.uiOutputLen);
    EXPECT_EQ(sOut, c.pExpected);
  }
}

TEST(InstrumentResponses, ErrorTexts) {
  EXPECT_STREQ(SCPI_ErrorText(-113), "Undefined header");  // the parser's
  EXPECT_STREQ(SCPI_ErrorText(-363), "Input buffer overrun");
  EXPECT_STREQ(SCPI_ErrorText(-199), "Command error");
  EXPECT_STREQ(SCPI_ErrorText(-2), "Error");
  EXPECT_EQ(SCPI_ErrorText(5), nullptr);
}

}  // namespace
