/* SPDX-License-Identifier: MIT */
#include "test_instrument.h"

#include <string.h>

int32_t alTestMilliVolts[2];
uint32_t ulTestDataLen;
uint8_t aucTestData[64];
unsigned uiTestResets, uiTestClears, uiTestRequests;

static const SNumAttr TestVolts = {U_VOLT, NULL, 0};
static const SUnitSuffix TestUnits[] = {{"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"", U_NONE, 0}};

/* The output a command names: SOURce1 or SOURce2, 1 when left out. */
static uint32_t Output(const SScpiCall* psCall) {
  return psCall->ucNumSufCnt ? psCall->puiNumSuf[0] : 1;
}

static int16_t TestVolt(SScpiSession* psSession, const SScpiCall* psCall) {
  int32_t lMilli;
  (void)psSession;
  if (Output(psCall) > 2) return -114;
  double fdVolts;
  SCPI_ParamToDouble(&psCall->psParams[0], &fdVolts);
  if (fdVolts < 0 || fdVolts > 30) return -222;
  lMilli = (int32_t)(fdVolts * 1000 + 0.5);
  alTestMilliVolts[Output(psCall) - 1] = lMilli;
  return 0;
}

static int16_t TestVoltQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  if (Output(psCall) > 2) return -114;
  SCPI_RespondScaled(psSession, alTestMilliVolts[Output(psCall) - 1], 3);
  return 0;
}

static int16_t TestData(SScpiSession* psSession, const SScpiCall* psCall) {
  const uint8_t* pucData;
  uint32_t ulLen;
  (void)psSession;
  SCPI_ParamToBlock(&psCall->psParams[0], &pucData, &ulLen);
  if (ulLen > sizeof aucTestData) return -223;
  memcpy(aucTestData, pucData, ulLen);
  ulTestDataLen = ulLen;
  return 0;
}

static int16_t TestDataQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  (void)psCall;
  SCPI_RespondBlock(psSession, aucTestData, ulTestDataLen);
  return 0;
}

static int16_t TestFail(SScpiSession* psSession, const SScpiCall* psCall) {
  if (psCall->psParams[0].ePType == P_STR) SCPI_QueueError(psSession, -221, "from the handler");
  return 101;
}

static void TestReset(SScpiSession* psSession) {
  (void)psSession;
  ++uiTestResets;
  alTestMilliVolts[0] = alTestMilliVolts[1] = 0;
}
static void TestClear(SScpiSession* psSession) {
  (void)psSession;
  ++uiTestClears;
}
static void TestRequest(SScpiSession* psSession) {
  (void)psSession;
  ++uiTestRequests;
}

static const SScpiErrorText TestErrors[] = {{101, "Test failure"}, {0, NULL}};

SCPI_INSTRUMENT_TABLE(TEST_COMMANDS, TestTable, 1, TestUnits, TestHandlers);

const SScpiInstrument TestInstrument = {
    &TestTable, TestHandlers, "Orvane,TEST,0,1.0", TestErrors, TestReset, NULL, TestClear,
    TestRequest, NULL, NULL, SCPI_RULES_STANDARD};
