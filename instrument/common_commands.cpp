// SPDX-License-Identifier: MIT
// The commands every instrument answers the same way: the IEEE 488.2 common commands and the
// SCPI SYSTem:ERRor, SYSTem:VERSion and STATus commands, as handlers the instrument's table names.
#include <string.h>

#include "instrument_internal.h"

namespace {

constexpr int16_t ERR_DATA_OUT_OF_RANGE = -222;
constexpr uint16_t ESE_SRE_MAX = 255;
constexpr uint16_t ENABLE_MAX = 65535;
constexpr char SCPI_VERSION[] = "1999.0";
// Digits of the largest mantissa: 10^-10 times any mantissa is below 0.5.
constexpr uint8_t MANTISSA_DIGITS = 10;

// Reads a register value, rounded to the nearest integer as decimal program data is; returns 0,
// or -222 outside 0..uiMax.
int16_t RegisterValue(const SScpiCall* psCall, uint16_t uiMax, uint16_t* puiVal) {
  const SNum& sNum = psCall->psParams[0].uVal.sNum;
  uint32_t ulVal = sNum.ulMant;
  if (!(sNum.ucNumFlags & NUM_EXP_NEG)) {
    for (uint8_t uc = 0; uc < sNum.ucExp && ulVal <= uiMax; ++uc) ulVal *= 10;
  } else if (sNum.ucExp >= MANTISSA_DIGITS) {
    ulVal = 0;  // below 0.5
  } else {
    uint32_t ulDivisor = 1;
    for (uint8_t uc = 0; uc < sNum.ucExp; ++uc) ulDivisor *= 10;
    const uint32_t ulRest = ulVal % ulDivisor;
    ulVal = ulVal / ulDivisor + (ulRest >= ulDivisor - ulRest);
  }
  if (ulVal > uiMax || (ulVal && (sNum.ucNumFlags & NUM_NEG))) return ERR_DATA_OUT_OF_RANGE;
  *puiVal = (uint16_t)ulVal;
  return 0;
}

int16_t StatusEventQuery(SScpiSession* psSession, uint8_t ucReg) {
  SScpiStatusReg& sReg = psSession->asReg[ucReg];
  SCPI_RespondInt(psSession, sReg.uiEvent);
  sReg.uiEvent = 0;
  ScpiUpdateRequest(psSession);
  return 0;
}

int16_t StatusEnable(SScpiSession* psSession, const SScpiCall* psCall, uint8_t ucReg) {
  uint16_t uiVal;
  const int16_t iErr = RegisterValue(psCall, ENABLE_MAX, &uiVal);
  if (iErr) return iErr;
  psSession->asReg[ucReg].uiEnable = (uint16_t)(uiVal & STATUS_REG_MASK);
  ScpiUpdateRequest(psSession);
  return 0;
}

}  // namespace

extern "C" {

const SNumAttr ScpiRegisterValue = {U_NONE, nullptr, 0};

int16_t SCPI_HandleCls(SScpiSession* psSession, const SScpiCall*) {
  psSession->ucEsr = 0;
  psSession->ucErrorCount = 0;
  psSession->asReg[SCPI_REG_OPERATION].uiEvent = 0;
  psSession->asReg[SCPI_REG_QUESTIONABLE].uiEvent = 0;
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_OPC_ARMED);
  if (psSession->psInstr->pfnClear) psSession->psInstr->pfnClear(psSession);
  ScpiUpdateRequest(psSession);
  return 0;
}

int16_t SCPI_HandleEse(SScpiSession* psSession, const SScpiCall* psCall) {
  uint16_t uiVal;
  const int16_t iErr = RegisterValue(psCall, ESE_SRE_MAX, &uiVal);
  if (iErr) return iErr;
  psSession->ucEse = (uint8_t)uiVal;
  ScpiUpdateRequest(psSession);
  return 0;
}

int16_t SCPI_HandleEseQuery(SScpiSession* psSession, const SScpiCall*) {
  SCPI_RespondInt(psSession, psSession->ucEse);
  return 0;
}

int16_t SCPI_HandleEsrQuery(SScpiSession* psSession, const SScpiCall*) {
  SCPI_RespondInt(psSession, psSession->ucEsr);
  psSession->ucEsr = 0;
  ScpiUpdateRequest(psSession);
  return 0;
}

int16_t SCPI_HandleIdnQuery(SScpiSession* psSession, const SScpiCall*) {
  const char* pSIdentity = psSession->psInstr->pSIdentity;
  if (!pSIdentity) pSIdentity = "0,0,0,0";
  SCPI_RespondText(psSession, pSIdentity, (uint16_t)strlen(pSIdentity));
  return 0;
}

int16_t SCPI_HandleOpc(SScpiSession* psSession, const SScpiCall*) {
  const SScpiInstrument* psInstr = psSession->psInstr;
  psSession->ucFlags = (uint8_t)(psSession->ucFlags | FLAG_OPC_ARMED);
  if (!psInstr->pfnPending || !psInstr->pfnPending(psSession)) SCPI_OperationsComplete(psSession);
  return 0;
}

int16_t SCPI_HandleOpcQuery(SScpiSession* psSession, const SScpiCall* psCall) {
  SCPI_HandleWai(psSession, psCall);
  SCPI_RespondInt(psSession, 1);
  return 0;
}

int16_t SCPI_HandleRst(SScpiSession* psSession, const SScpiCall*) {
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_OPC_ARMED);
  if (psSession->psInstr->pfnReset) psSession->psInstr->pfnReset(psSession);
  return 0;
}

int16_t SCPI_HandleSre(SScpiSession* psSession, const SScpiCall* psCall) {
  uint16_t uiVal;
  const int16_t iErr = RegisterValue(psCall, ESE_SRE_MAX, &uiVal);
  if (iErr) return iErr;
  psSession->ucSre = (uint8_t)(uiVal & ~SCPI_STB_MSS);
  ScpiUpdateRequest(psSession);
  return 0;
}

int16_t SCPI_HandleSreQuery(SScpiSession* psSession, const SScpiCall*) {
  SCPI_RespondInt(psSession, psSession->ucSre);
  return 0;
}

int16_t SCPI_HandleStbQuery(SScpiSession* psSession, const SScpiCall*) {
  SCPI_RespondInt(psSession, SCPI_StatusByte(psSession));
  return 0;
}

int16_t SCPI_HandleTstQuery(SScpiSession* psSession, const SScpiCall*) {
  const SScpiInstrument* psInstr = psSession->psInstr;
  SCPI_RespondInt(psSession, psInstr->pfnSelfTest ? psInstr->pfnSelfTest(psSession) : 0);
  return 0;
}

int16_t SCPI_HandleWai(SScpiSession* psSession, const SScpiCall*) {
  const SScpiInstrument* psInstr = psSession->psInstr;
  if (psInstr->pfnWait && psInstr->pfnPending && psInstr->pfnPending(psSession))
    psInstr->pfnWait(psSession);
  return 0;
}

int16_t SCPI_HandleSystErrNextQuery(SScpiSession* psSession, const SScpiCall*) {
  SScpiError sError;
  SCPI_NextError(psSession, &sError);
  SCPI_RespondInt(psSession, sError.iNumber);
  // <number>,"<text>[;<detail>]", the quoted part at most SCPI_ERROR_TEXT_MAX characters.
  uint16_t uiText = (uint16_t)strlen(sError.pSText);
  if (uiText > SCPI_ERROR_TEXT_MAX) uiText = SCPI_ERROR_TEXT_MAX;
  if (!sError.pSDetail || uiText + 1 >= SCPI_ERROR_TEXT_MAX) {
    SCPI_RespondString(psSession, sError.pSText, uiText);
    return 0;
  }
  char acText[SCPI_ERROR_TEXT_MAX];
  memcpy(acText, sError.pSText, uiText);
  acText[uiText++] = ';';
  for (const char* pc = sError.pSDetail; *pc && uiText < SCPI_ERROR_TEXT_MAX; ++pc)
    acText[uiText++] = *pc;
  SCPI_RespondString(psSession, acText, uiText);
  return 0;
}

int16_t SCPI_HandleSystErrCountQuery(SScpiSession* psSession, const SScpiCall*) {
  SCPI_RespondInt(psSession, psSession->ucErrorCount);
  return 0;
}

int16_t SCPI_HandleSystVersionQuery(SScpiSession* psSession, const SScpiCall*) {
  SCPI_RespondText(psSession, SCPI_VERSION, sizeof SCPI_VERSION - 1);
  return 0;
}

// The four handlers of one SCPI status register: event (read and cleared), condition, enable.
#define STATUS_REGISTER_HANDLERS(Name, ucReg)                                               \
  int16_t SCPI_HandleStat##Name##EventQuery(SScpiSession* psSession, const SScpiCall*) {     \
    return StatusEventQuery(psSession, ucReg);                                              \
  }                                                                                         \
  int16_t SCPI_HandleStat##Name##CondQuery(SScpiSession* psSession, const SScpiCall*) {      \
    SCPI_RespondInt(psSession, psSession->asReg[ucReg].uiCondition);                        \
    return 0;                                                                               \
  }                                                                                         \
  int16_t SCPI_HandleStat##Name##Enable(SScpiSession* psSession, const SScpiCall* psCall) {  \
    return StatusEnable(psSession, psCall, ucReg);                                          \
  }                                                                                         \
  int16_t SCPI_HandleStat##Name##EnableQuery(SScpiSession* psSession, const SScpiCall*) {    \
    SCPI_RespondInt(psSession, psSession->asReg[ucReg].uiEnable);                           \
    return 0;                                                                               \
  }

STATUS_REGISTER_HANDLERS(Oper, SCPI_REG_OPERATION)
STATUS_REGISTER_HANDLERS(Ques, SCPI_REG_QUESTIONABLE)

int16_t SCPI_HandleStatPreset(SScpiSession* psSession, const SScpiCall*) {
  for (SScpiStatusReg& sReg : psSession->asReg) {
    sReg.uiEnable = 0;
    sReg.uiPosTransition = STATUS_REG_MASK;
    sReg.uiNegTransition = 0;
  }
  ScpiUpdateRequest(psSession);
  return 0;
}

}  // extern "C"
