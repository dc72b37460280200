// SPDX-License-Identifier: MIT
// The status model of a session: the status byte and its service request, the Standard Event
// Status Register, and the OPERation and QUEStionable registers with their transition filters.
#include "instrument_internal.h"

namespace {

uint8_t Summary(const SScpiStatusReg& sReg) { return (sReg.uiEvent & sReg.uiEnable) != 0; }

}  // namespace

void ScpiUpdateRequest(SScpiSession* psSession) {
  const uint8_t bMss = (SCPI_StatusByte(psSession) & SCPI_STB_MSS) != 0;
  const uint8_t ucFlags = psSession->ucFlags;
  if (!bMss) {
    psSession->ucFlags = (uint8_t)(ucFlags & ~(FLAG_MSS | FLAG_RQS));
  } else if (!(ucFlags & FLAG_MSS)) {
    psSession->ucFlags = (uint8_t)(ucFlags | FLAG_MSS | FLAG_RQS);
    if (psSession->psInstr->pfnServiceRequest) psSession->psInstr->pfnServiceRequest(psSession);
  }
}

extern "C" {

uint8_t SCPI_StatusByte(const SScpiSession* psSession) {
  uint8_t ucStb = 0;
  if (psSession->ucErrorCount) ucStb |= SCPI_STB_EAV;
  if (Summary(psSession->asReg[SCPI_REG_QUESTIONABLE])) ucStb |= SCPI_STB_QSB;
  if (psSession->uiOutputLen || (psSession->ucFlags & FLAG_PENDING)) ucStb |= SCPI_STB_MAV;
  if (psSession->ucEsr & psSession->ucEse) ucStb |= SCPI_STB_ESB;
  if (Summary(psSession->asReg[SCPI_REG_OPERATION])) ucStb |= SCPI_STB_OSB;
  if (ucStb & psSession->ucSre) ucStb |= SCPI_STB_MSS;
  return ucStb;
}

uint8_t SCPI_SerialPoll(SScpiSession* psSession) {
  uint8_t ucStb = (uint8_t)(SCPI_StatusByte(psSession) & ~SCPI_STB_MSS);
  if (psSession->ucFlags & FLAG_RQS) ucStb |= SCPI_STB_MSS;
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_RQS);
  return ucStb;
}

uint8_t SCPI_SetCondition(SScpiSession* psSession, uint8_t ucReg, uint16_t uiMask,
                          uint16_t uiValue) {
  if (ucReg > SCPI_REG_QUESTIONABLE) return SCPI_ERR_NO_ENTRY;
  SScpiStatusReg& sReg = psSession->asReg[ucReg];
  const uint16_t uiOld = sReg.uiCondition;
  const uint16_t uiNew = (uint16_t)(((uiOld & ~uiMask) | (uiValue & uiMask)) & STATUS_REG_MASK);
  sReg.uiEvent = (uint16_t)(sReg.uiEvent | (uiNew & ~uiOld & sReg.uiPosTransition) |
                            (~uiNew & uiOld & sReg.uiNegTransition));
  sReg.uiCondition = uiNew;
  ScpiUpdateRequest(psSession);
  return SCPI_ERR_OK;
}

uint8_t SCPI_SetEventStatus(SScpiSession* psSession, uint8_t ucBits) {
  psSession->ucEsr = (uint8_t)(psSession->ucEsr | ucBits);
  ScpiUpdateRequest(psSession);
  return SCPI_ERR_OK;
}

uint8_t SCPI_OperationsComplete(SScpiSession* psSession) {
  if (!(psSession->ucFlags & FLAG_OPC_ARMED)) return SCPI_ERR_OK;
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_OPC_ARMED);
  return SCPI_SetEventStatus(psSession, SCPI_ESR_OPC);
}

}  // extern "C"
