/* SPDX-License-Identifier: MIT */
/* A power-supply-like instrument for the round-trip benchmark: two outputs with voltage and
 * current levels in milli-units, output switches and measurements, besides the mandatory
 * commands. */
#include "round_instrument.h"

#include <orvane-scpi/scpi_declare.h>

#define OUTPUTS 2

static int32_t alMilliVolts[OUTPUTS], alMilliAmps[OUTPUTS];
static uint8_t abOn[OUTPUTS];

static const SNumAttr Volts = {U_VOLT, NULL, 0};
static const SNumAttr Amps = {U_AMP, NULL, 0};
static const SBoolAttr OnOff = {0};
static const SUnitSuffix Units[] = {
    {"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"MA", U_AMP, -3}, {"A", U_AMP, 0}, {"", U_NONE, 0}};

/* The output a command names (SOURce#, OUTPut#, MEASure#), or -1 for one that does not exist. */
static int Output(const SScpiCall* psCall) {
  const uint32_t ulOutput = psCall->ucNumSufCnt ? psCall->puiNumSuf[0] : 1;
  return ulOutput <= OUTPUTS ? (int)ulOutput - 1 : -1;
}

/* A level in milli-units, 0 to ulMax: the exact value's mantissa scaled without floating point. */
static int16_t Level(const SScpiCall* psCall, int32_t lMax, int32_t* plMilli) {
  const SNum* psNum = &psCall->psParams[0].uVal.sNum;
  int32_t lVal = (int32_t)psNum->ulMant;
  int iExp = (psNum->ucNumFlags & NUM_EXP_NEG) ? 3 - psNum->ucExp : 3 + psNum->ucExp;
  if (psNum->ulMant > (uint32_t)lMax * 1000u || (psNum->ucNumFlags & NUM_NEG)) return -222;
  for (; iExp > 0; --iExp) lVal *= 10;
  for (; iExp < 0; ++iExp) lVal /= 10;
  if (lVal > lMax) return -222;
  *plMilli = lVal;
  return 0;
}

static int16_t Volt(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  (void)psSession;
  return iOut < 0 ? -114 : Level(psCall, 30000, &alMilliVolts[iOut]);
}
static int16_t VoltQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  if (iOut < 0) return -114;
  SCPI_RespondScaled(psSession, alMilliVolts[iOut], 3);
  return 0;
}
static int16_t Curr(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  (void)psSession;
  return iOut < 0 ? -114 : Level(psCall, 5000, &alMilliAmps[iOut]);
}
static int16_t CurrQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  if (iOut < 0) return -114;
  SCPI_RespondScaled(psSession, alMilliAmps[iOut], 3);
  return 0;
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
static int16_t MeasVolt(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  if (iOut < 0) return -114;
  SCPI_RespondScaled(psSession, abOn[iOut] ? alMilliVolts[iOut] : 0, 3);
  return 0;
}
static int16_t MeasCurr(SScpiSession* psSession, const SScpiCall* psCall) {
  const int iOut = Output(psCall);
  if (iOut < 0) return -114;
  SCPI_RespondScaled(psSession, abOn[iOut] ? alMilliAmps[iOut] : 0, 3);
  return 0;
}

/* clang-format off */
#define ROUND_COMMANDS(CMD) \
  SCPI_MANDATORY_COMMANDS(CMD) \
  CMD(RND_VOLT,   "[SOURce#:]VOLTage[:LEVel][:IMMediate][:AMPLitude]",  Volt,      SCPI_NUM(&Volts)) \
  CMD(RND_VOLT_Q, "[SOURce#:]VOLTage[:LEVel][:IMMediate][:AMPLitude]?", VoltQuery) \
  CMD(RND_CURR,   "[SOURce#:]CURRent[:LEVel][:IMMediate][:AMPLitude]",  Curr,      SCPI_NUM(&Amps)) \
  CMD(RND_CURR_Q, "[SOURce#:]CURRent[:LEVel][:IMMediate][:AMPLitude]?", CurrQuery) \
  CMD(RND_OUTP,   "OUTPut#[:STATe]",                                    Outp,      SCPI_BOOL(&OnOff)) \
  CMD(RND_OUTP_Q, "OUTPut#[:STATe]?",                                   OutpQuery) \
  CMD(RND_MEAS_VOLT_Q, "MEASure#:VOLTage[:DC]?",                        MeasVolt) \
  CMD(RND_MEAS_CURR_Q, "MEASure#:CURRent[:DC]?",                        MeasCurr)
/* clang-format on */

SCPI_INSTRUMENT_TABLE(ROUND_COMMANDS, RoundTable, 1, Units, RoundHandlers);

const SScpiInstrument RoundInstrument = {&RoundTable, RoundHandlers, "Orvane,BENCH,0,1.0",
                                         NULL, NULL, NULL, NULL, NULL, NULL, NULL,
                                         SCPI_RULES_STANDARD};
