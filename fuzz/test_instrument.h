// SPDX-License-Identifier: MIT
// A small instrument for the instrument layer's tests and its fuzz target: the mandatory
// commands, a voltage level in millivolts, a block of data, and a command whose handler queues a
// device-specific error.
#ifndef ORVANE_TEST_INSTRUMENT_H
#define ORVANE_TEST_INSTRUMENT_H

#include <orvane-scpi/scpi_declare.h>
#include <orvane-scpi/scpi_instrument.h>

#ifdef __cplusplus
extern "C" {
#endif

/* clang-format off */
#define TEST_COMMANDS(CMD) \
  SCPI_MANDATORY_COMMANDS(CMD) \
  CMD(TEST_VOLT,   "[SOURce#:]VOLTage[:LEVel]",  TestVolt, SCPI_NUM(&TestVolts)) \
  CMD(TEST_VOLT_Q, "[SOURce#:]VOLTage[:LEVel]?", TestVoltQuery) \
  CMD(TEST_DATA,   "DATA",                       TestData, SCPI_BLOCK) \
  CMD(TEST_DATA_Q, "DATA?",                      TestDataQuery) \
  CMD(TEST_FAIL,   "TEST:FAIL",                  TestFail, SCPI_OPTIONAL(SCPI_STR))
/* clang-format on */

SCPI_INSTRUMENT_ENUM(TEST_COMMANDS, TEST_COMMAND_COUNT);

/** The instrument: identity "Orvane,TEST,0,1.0", device error 101 "Test failure". */
extern const SScpiInstrument TestInstrument;
/** Millivolts of VOLTage, per output 1 and 2; the last DATA block (its length and bytes). */
extern int32_t alTestMilliVolts[2];
extern uint32_t ulTestDataLen;
extern uint8_t aucTestData[64];
/** Calls of the *RST, *CLS and service-request callbacks. */
extern unsigned uiTestResets, uiTestClears, uiTestRequests;

#ifdef __cplusplus
}
#endif

#endif
