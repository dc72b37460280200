/* SPDX-License-Identifier: MIT */
/* The handlers of the round-trip benchmark's power supply: two outputs with voltage and current
 * levels in milli-units, output switches and measurements. */
#include "round_instrument.h"

#define OUTPUTS 2

static int32_t alMilliVolts[OUTPUTS], alMilliAmps[OUTPUTS];
static uint8_t abOn[OUTPUTS];

/* The output a command names (SOURce#, OUTPut#, MEASure#), or -1 for one that does not exist. */
static int Output(const SScpiCall* psCall) {
  const uint32_t ulOutput = psCall->ucNumSufCnt ? psCall->puiNumSuf[0] : 1;
  return ulOutput <= OUTPUTS ? (int)ulOutput - 1 : -1;
}

/* A level in milli-units, 0 to lMax: the exact value scaled without floating point. */
static int16_t Level(const SScpiCall* psCall, int32_t lMax, int32_t* plMilli) {
  const SNum* psNum = &psCall->psParams[0].uVal.sNum;
  int32_t lVal = psNum->ulMant > (uint32_t)lMax * 1000u ? lMax + 1 : (int32_t)psNum->ulMant;
  int iExp = (psNum->ucNumFlags & NUM_EXP_NEG) ? 3 - psNum->ucExp : 3 + psNum->ucExp;
  for (; iExp > 0 && lVal <= lMax; --iExp) lVal *= 10;
  for (; iExp < 0; ++iExp) lVal /= 10;
  if (lVal > lMax || (lVal && (psNum->ucNumFlags & NUM_NEG))) return -222;
  *plMilli = lVal;
  return 0;
}

/* A level query: the level set, or with bMeasured the level while the output is on. */
static int16_t RespondLevel(SScpiSession* psSession, const SScpiCall* psCall,
                            const int32_t alLevels[], uint8_t bMeasured) {
  const int iOut = Output(psCall);
  if (iOut < 0) return -114;
  SCPI_RespondScaled(psSession, !bMeasured || abOn[iOut] ? alLevels[iOut] : 0, 3);
  return 0;
}

static int16_t Volt(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  (void)psSession;
  return iOut < 0 ? -114 : Level(psCall, 30000, &alMilliVolts[iOut]);
}
static int16_t Curr(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  (void)psSession;
  return iOut < 0 ? -114 : Level(psCall, 5000, &alMilliAmps[iOut]);
}
static int16_t VoltQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  return RespondLevel(psSession, psCall, alMilliVolts, 0);
}
static int16_t CurrQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  return RespondLevel(psSession, psCall, alMilliAmps, 0);
}
static int16_t MeasVolt(SScpiSession* psSession, const SScpiCall* psCall) {
  return RespondLevel(psSession, psCall, alMilliVolts, 1);
}
static int16_t MeasCurr(SScpiSession* psSession, const SScpiCall* psCall) {
  return RespondLevel(psSession, psCall, alMilliAmps, 1);
}
static int16_t Outp(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  (void)psSession;
  if (iOut < 0) return -114;
  abOn[iOut] = psCall->psParams[0].uVal.bVal;
  return 0;
}
static int16_t OutpQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  if (iOut < 0) return -114;
  SCPI_RespondBool(psSession, abOn[iOut]);
  return 0;
}

SCPI_HANDLER_ARRAY(ROUND_COMMANDS, RoundHandlers);

const SScpiInstrument RoundInstrument = {&RoundTable, RoundHandlers, "Orvane,BENCH,0,1.0",
                                         NULL, NULL, NULL, NULL, NULL, NULL, NULL,
                                         SCPI_RULES_STANDARD};
