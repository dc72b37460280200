/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's handlers and state. Levels are kept in millivolts and milliamps, whole
 * numbers, and a voltage list as the IEEE-754 bytes it arrived in, so no floating point is
 * needed. The outputs are the instrument's, shared by all its sessions.
 */
#include "psu_instrument.h"

#include "psu_commands.h"

/* ---- Limits ------------------------------------------------------------------------------- */

#define PSU_MAX_MILLIVOLTS 30000
#define PSU_MAX_MILLIAMPS 5000
/* 30.0 as IEEE-754 single precision: positive values order as their bit patterns do. */
#define PSU_MAX_VOLTS_BITS 0x41F00000ul
#define PSU_SIGN_BIT 0x80000000ul
#define PSU_POINT_SIZE 4u
/* Levels are answered with three decimals: 12500 mV as 12.500. */
#define PSU_DECIMALS 3

#define ERR_SUFFIX_OUT_OF_RANGE (-114)
#define ERR_INVALID_BLOCK (-161)
#define ERR_OUT_OF_RANGE (-222)
#define ERR_TOO_MUCH_DATA (-223)

/* ---- State -------------------------------------------------------------------------------- */

typedef struct {
  int32_t lMilliVolts;
  int32_t lMilliAmps;
  uint8_t bOn;
  uint16_t uiListLen; /* bytes in aucList */
  uint8_t aucList[PSU_LIST_POINTS * PSU_POINT_SIZE];
} SPsuOutput;

static SPsuOutput asOutputs[PSU_OUTPUTS];
static uint8_t ucCoupled; /* bit n: output n+1 switches with the other coupled outputs */
static char acDisplay[PSU_DISPLAY_LEN];
static uint8_t ucDisplayLen;

void PsuPowerOn(void) {
  uint8_t ucIndex;
  for (ucIndex = 0; ucIndex < PSU_OUTPUTS; ucIndex++) {
    asOutputs[ucIndex].lMilliVolts = 0;
    asOutputs[ucIndex].lMilliAmps = 0;
    asOutputs[ucIndex].bOn = 0;
    asOutputs[ucIndex].uiListLen = 0;
  }
  ucCoupled = 0;
  ucDisplayLen = 0;
}

static void PsuReset(SScpiSession* psSession) {
  (void)psSession;
  PsuPowerOn();
}

/* ---- Parameters --------------------------------------------------------------------------- */

/* The output a numeric suffix names (SOURce2, OUTPut2, MEASure2; 1 when left out), or NULL. */
static SPsuOutput* OutputOf(const SScpiCall* psCall) {
  const uint32_t uiOutput = psCall->ucNumSufCnt > 0 ? psCall->puiNumSuf[0] : 1u;
  return uiOutput >= 1u && uiOutput <= PSU_OUTPUTS ? &asOutputs[uiOutput - 1u] : 0;
}

static uint8_t IsVoltage(uint8_t ucCmdNum) {
  return ucCmdNum == PSU_VOLT || ucCmdNum == PSU_VOLT_Q || ucCmdNum == PSU_MEAS_VOLT_Q;
}

/* A level: MINimum, MAXimum, DEFault (the *RST value, 0) or a number from 0 to lMax
 * thousandths, rounded to the nearest. Returns 0 or -222. */
static int16_t ReadLevel(const SParam* psParam, int32_t lMax, int32_t* plMilli) {
  uint8_t ucItem = 0;
  if (SCPI_ParamToCharDataItem(psParam, &ucItem) == SCPI_ERR_OK) {
    *plMilli = ucItem == SCPI_LEVEL_MAX ? lMax : 0;
    return 0;
  }
  if (SCPI_ParamToScaledLong(psParam, PSU_DECIMALS, plMilli) != SCPI_ERR_OK || *plMilli < 0 ||
      *plMilli > lMax) {
    return ERR_OUT_OF_RANGE;
  }
  return 0;
}

/* ---- Levels ------------------------------------------------------------------------------- */

/* [SOURce#:]VOLTage and [SOURce#:]CURRent. */
int16_t PsuSetLevel(SScpiSession* psSession, const SScpiCall* psCall) {
  SPsuOutput* psOutput = OutputOf(psCall);
  const uint8_t bVolts = IsVoltage(psCall->ucCmdNum);
  int32_t lMilli = 0;
  int16_t iErr;
  (void)psSession;
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  iErr = ReadLevel(&psCall->psParams[0], bVolts ? PSU_MAX_MILLIVOLTS : PSU_MAX_MILLIAMPS, &lMilli);
  if (iErr == 0) *(bVolts ? &psOutput->lMilliVolts : &psOutput->lMilliAmps) = lMilli;
  return iErr;
}

/* VOLTage? and CURRent?: the level set, or with MINimum, MAXimum or DEFault that limit. */
int16_t PsuLevelQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const SPsuOutput* psOutput = OutputOf(psCall);
  const uint8_t bVolts = IsVoltage(psCall->ucCmdNum);
  int32_t lMilli;
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  lMilli = bVolts ? psOutput->lMilliVolts : psOutput->lMilliAmps;
  ReadLevel(&psCall->psParams[0], bVolts ? PSU_MAX_MILLIVOLTS : PSU_MAX_MILLIAMPS, &lMilli);
  SCPI_RespondScaled(psSession, lMilli, PSU_DECIMALS);
  return 0;
}

/* MEASure#:VOLTage? and MEASure#:CURRent?: the simulated output delivers its set level while it
 * is on, nothing while it is off. */
int16_t PsuMeasureQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const SPsuOutput* psOutput = OutputOf(psCall);
  int32_t lMilli;
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  lMilli = IsVoltage(psCall->ucCmdNum) ? psOutput->lMilliVolts : psOutput->lMilliAmps;
  SCPI_RespondScaled(psSession, psOutput->bOn ? lMilli : 0, PSU_DECIMALS);
  return 0;
}

/* ---- Voltage list ------------------------------------------------------------------------- */

/* A big-endian IEEE-754 single from 0 to 30 V, checked on its bits: -0 counts as 0; negative
 * numbers, NaN and infinities fail. */
static uint8_t IsVoltsPoint(const uint8_t* pucPoint) {
  const uint32_t ulBits = (uint32_t)pucPoint[0] << 24 | (uint32_t)pucPoint[1] << 16 |
                          (uint32_t)pucPoint[2] << 8 | pucPoint[3];
  if ((ulBits & ~PSU_SIGN_BIT) == 0) return 1;
  return (ulBits & PSU_SIGN_BIT) == 0 && ulBits <= PSU_MAX_VOLTS_BITS;
}

/* [SOURce#:]LIST:VOLTage #<definite block>: up to PSU_LIST_POINTS points, all or nothing. */
int16_t PsuSetList(SScpiSession* psSession, const SScpiCall* psCall) {
  SPsuOutput* psOutput = OutputOf(psCall);
  const uint8_t* pucData = 0;
  uint32_t ulLen = 0, ulPos;
  (void)psSession;
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  if (SCPI_ParamToBlock(&psCall->psParams[0], &pucData, &ulLen) != SCPI_ERR_OK ||
      ulLen % PSU_POINT_SIZE != 0) {
    return ERR_INVALID_BLOCK;
  }
  if (ulLen > sizeof psOutput->aucList) return ERR_TOO_MUCH_DATA;
  for (ulPos = 0; ulPos < ulLen; ulPos += PSU_POINT_SIZE) {
    if (!IsVoltsPoint(pucData + ulPos)) return ERR_OUT_OF_RANGE;
  }
  for (ulPos = 0; ulPos < ulLen; ulPos++) psOutput->aucList[ulPos] = pucData[ulPos];
  psOutput->uiListLen = (uint16_t)ulLen;
  return 0;
}

/* [SOURce#:]LIST:VOLTage?: the stored points as a definite block, as they were sent. */
int16_t PsuListQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const SPsuOutput* psOutput = OutputOf(psCall);
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  SCPI_RespondBlock(psSession, psOutput->aucList, psOutput->uiListLen);
  return 0;
}

/* ---- Outputs ------------------------------------------------------------------------------ */

/* Switches an output, and with it every output coupled to it. */
static void Switch(uint8_t ucIndex, uint8_t bOn) {
  const uint8_t ucBit = (uint8_t)(1u << ucIndex);
  uint8_t ucOther;
  for (ucOther = 0; ucOther < PSU_OUTPUTS; ucOther++) {
    const uint8_t ucOtherBit = (uint8_t)(1u << ucOther);
    if (ucOther == ucIndex || ((ucCoupled & ucBit) && (ucCoupled & ucOtherBit))) {
      asOutputs[ucOther].bOn = bOn;
    }
  }
}

/* OUTPut#[:STATe] ON|OFF. */
int16_t PsuSetOutput(SScpiSession* psSession, const SScpiCall* psCall) {
  const SPsuOutput* psOutput = OutputOf(psCall);
  uint8_t bOn = 0;
  (void)psSession;
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  SCPI_ParamToBOOL(&psCall->psParams[0], &bOn);
  Switch((uint8_t)(psOutput - asOutputs), bOn);
  return 0;
}

int16_t PsuOutputQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  const SPsuOutput* psOutput = OutputOf(psCall);
  if (psOutput == 0) return ERR_SUFFIX_OUT_OF_RANGE;
  SCPI_RespondBool(psSession, psOutput->bOn);
  return 0;
}

/* APPLy <output>,<volts>,<amps>,ON|OFF: one output set up in one command, all or nothing. */
int16_t PsuApply(SScpiSession* psSession, const SScpiCall* psCall) {
  uint32_t ulOutput = 0;
  int32_t lMilliVolts = 0, lMilliAmps = 0;
  uint8_t bOn = 0;
  int16_t iErr;
  (void)psSession;
  if (SCPI_ParamToUnsignedLong(&psCall->psParams[0], &ulOutput) != SCPI_ERR_OK || ulOutput < 1u ||
      ulOutput > PSU_OUTPUTS) {
    return ERR_OUT_OF_RANGE;
  }
  iErr = ReadLevel(&psCall->psParams[1], PSU_MAX_MILLIVOLTS, &lMilliVolts);
  if (iErr == 0) iErr = ReadLevel(&psCall->psParams[2], PSU_MAX_MILLIAMPS, &lMilliAmps);
  if (iErr != 0) return iErr;
  SCPI_ParamToBOOL(&psCall->psParams[3], &bOn);
  asOutputs[ulOutput - 1u].lMilliVolts = lMilliVolts;
  asOutputs[ulOutput - 1u].lMilliAmps = lMilliAmps;
  Switch((uint8_t)(ulOutput - 1u), bOn);
  return 0;
}

/* INSTrument:COUPle (@1,2) or (@1:2): the outputs that switch together. The table allows one
 * dimension and the numbers 1 to PSU_OUTPUTS only. */
int16_t PsuCouple(SScpiSession* psSession, const SScpiCall* psCall) {
  SParam sFirst[1], sLast[1];
  uint8_t ucDims = 1, bRange = 0, ucEntry;
  uint8_t ucCoupling = 0;
  (void)psSession;
  for (ucEntry = 0; SCPI_GetChanListEntry(&psCall->psParams[0], ucEntry, &ucDims, &bRange, sFirst,
                                          sLast) == SCPI_ERR_OK;
       ucEntry++, ucDims = 1) {
    uint32_t ulFirst = 0, ulLast = 0, ulOutput;
    SCPI_ParamToUnsignedLong(&sFirst[0], &ulFirst);
    ulLast = ulFirst;
    if (bRange) SCPI_ParamToUnsignedLong(&sLast[0], &ulLast);
    if (ulLast < ulFirst) {
      ulOutput = ulLast;
      ulLast = ulFirst;
      ulFirst = ulOutput;
    }
    for (ulOutput = ulFirst; ulOutput <= ulLast; ulOutput++) {
      ucCoupling = (uint8_t)(ucCoupling | 1u << (ulOutput - 1u));
    }
  }
  ucCoupled = ucCoupling;
  return 0;
}

/* ---- Display ------------------------------------------------------------------------------ */

/* DISPlay:TEXT 'It''s on': the text, a doubled quote kept once, cut to the display's width. */
int16_t PsuSetDisplay(SScpiSession* psSession, const SScpiCall* psCall) {
  const char* pText = 0;
  uint8_t ucLen = 0, ucPos;
  char cDelimiter = 0;
  (void)psSession;
  SCPI_ParamToString(&psCall->psParams[0], &pText, &ucLen, &cDelimiter);
  ucDisplayLen = 0;
  for (ucPos = 0; ucPos < ucLen && ucDisplayLen < PSU_DISPLAY_LEN; ucPos++) {
    acDisplay[ucDisplayLen++] = pText[ucPos];
    if (pText[ucPos] == cDelimiter) ucPos++; /* the second quote of a doubled pair */
  }
  return 0;
}

int16_t PsuDisplayQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  (void)psCall;
  SCPI_RespondString(psSession, acDisplay, ucDisplayLen);
  return 0;
}

/* ---- The instrument ----------------------------------------------------------------------- */

const SScpiInstrument PsuInstrument = {
    &PsuTable, PsuHandlers, "Orvane,PSU-2,0,1.0", NULL, PsuReset, NULL, NULL, NULL, NULL, NULL,
    SCPI_RULES_STANDARD};

uint8_t PsuSessionInit(SPsuSession* psSession, PFnScpiWrite pfnWrite, void* pvUser) {
  SScpiSessionSetup sSetup;
  sSetup.pcInput = psSession->acInput;
  sSetup.pcOutput = psSession->acOutput;
  sSetup.psErrors = psSession->asErrors;
  sSetup.pfnWrite = pfnWrite;
  sSetup.pvUser = pvUser;
  sSetup.uiInputSize = sizeof psSession->acInput;
  sSetup.uiOutputSize = sizeof psSession->acOutput;
  sSetup.ucErrorCapacity = PSU_ERROR_QUEUE_LEN;
  sSetup.ucMode = SCPI_MODE_STREAM;
  return SCPI_SessionInit(&psSession->sSession, &PsuInstrument, &sSetup);
}
