// SPDX-License-Identifier: MIT
// Response messages: data elements joined by ',' and ';', streamed through the session's write
// function in pieces of its output buffer, and the formatters of every response data type.
#include <string.h>

#include "instrument_internal.h"

namespace {

// Largest power of ten written out as zeros: a 32-bit mantissa times 10^9 fits 64 bits.
constexpr uint8_t WHOLE_EXPONENT_MAX = 9;
// Most decimals written with a point rather than an exponent.
constexpr uint8_t FIXED_DECIMALS_MAX = 20;

void PutChar(SScpiSession* psSession, char c) { ScpiPut(psSession, &c, 1); }

// Writes a magnitude as digits, with a '-' first when bNeg.
void PutMagnitude(SScpiSession* psSession, uint64_t ullVal, uint8_t bNeg) {
  char acText[24];
  char* pcEnd = acText + sizeof acText;
  char* pc = ScpiDigits(ullVal, pcEnd);
  if (bNeg) *--pc = '-';
  ScpiPut(psSession, pc, (uint32_t)(pcEnd - pc));
}

// Writes ulMant / 10^ucDecimals with exactly ucDecimals (at most FIXED_DECIMALS_MAX) decimals and at least one
// digit before the point.
void PutFixed(SScpiSession* psSession, uint32_t ulMant, uint8_t ucDecimals, uint8_t bNeg) {
  char acText[32];
  char* pcEnd = acText + sizeof acText;
  char* pc = ScpiDigits(ulMant, pcEnd);
  while (pcEnd - pc <= ucDecimals) *--pc = '0';
  if (bNeg) PutChar(psSession, '-');
  char* pcPoint = pcEnd - ucDecimals;
  ScpiPut(psSession, pc, (uint32_t)(pcPoint - pc));
  if (ucDecimals == 0) return;
  PutChar(psSession, '.');
  ScpiPut(psSession, pcPoint, ucDecimals);
}

}  // namespace

char* ScpiDigits(uint64_t ullVal, char* pcEnd) {
  do {
    *--pcEnd = (char)('0' + ullVal % 10);
    ullVal /= 10;
  } while (ullVal);
  return pcEnd;
}

void ScpiFlush(SScpiSession* psSession) {
  if (psSession->uiOutputLen == 0) return;
  const uint16_t uiLen = psSession->uiOutputLen;
  psSession->uiOutputLen = 0;
  if (psSession->pfnWrite) psSession->pfnWrite(psSession, psSession->pcOutput, uiLen);
}

void ScpiPut(SScpiSession* psSession, const char* pcData, uint32_t ulLen) {
  while (ulLen) {
    if (psSession->uiOutputLen == psSession->uiOutputSize) ScpiFlush(psSession);
    uint32_t ulRoom = (uint32_t)(psSession->uiOutputSize - psSession->uiOutputLen);
    if (ulRoom > ulLen) ulRoom = ulLen;
    memcpy(psSession->pcOutput + psSession->uiOutputLen, pcData, ulRoom);
    psSession->uiOutputLen = (uint16_t)(psSession->uiOutputLen + ulRoom);
    pcData += ulRoom;
    ulLen -= ulRoom;
  }
}

void ScpiBeginElement(SScpiSession* psSession) {
  const uint8_t ucFlags = psSession->ucFlags;
  if (ucFlags & FLAG_ELEMENT) {
    PutChar(psSession, ',');
  } else {
    if (ucFlags & FLAG_RESPONDED) PutChar(psSession, ';');
    psSession->ucFlags = (uint8_t)(ucFlags | FLAG_ELEMENT | FLAG_RESPONDED);
  }
}

extern "C" {

void SCPI_RespondInt(SScpiSession* psSession, int32_t lVal) {
  ScpiBeginElement(psSession);
  PutMagnitude(psSession, lVal < 0 ? 0u - (uint32_t)lVal : (uint32_t)lVal, lVal < 0);
}

void SCPI_RespondNum(SScpiSession* psSession, const SNum* psNum) {
  ScpiBeginElement(psSession);
  const uint8_t bNeg = (psNum->ucNumFlags & NUM_NEG) && psNum->ulMant;
  if (!(psNum->ucNumFlags & NUM_EXP_NEG) && psNum->ucExp <= WHOLE_EXPONENT_MAX) {
    uint64_t ullVal = psNum->ulMant;
    for (uint8_t uc = 0; uc < psNum->ucExp; ++uc) ullVal *= 10;
    PutMagnitude(psSession, ullVal, bNeg);
  } else if (!(psNum->ucNumFlags & NUM_EXP_NEG)) {
    PutMagnitude(psSession, psNum->ulMant, bNeg);
    ScpiPut(psSession, "E+", 2);
    PutMagnitude(psSession, psNum->ucExp, 0);
  } else if (psNum->ucExp <= FIXED_DECIMALS_MAX) {
    PutFixed(psSession, psNum->ulMant, psNum->ucExp, bNeg);
  } else {
    PutMagnitude(psSession, psNum->ulMant, bNeg);
    ScpiPut(psSession, "E-", 2);
    PutMagnitude(psSession, psNum->ucExp, 0);
  }
}

void SCPI_RespondScaled(SScpiSession* psSession, int32_t lVal, uint8_t ucDecimals) {
  ScpiBeginElement(psSession);
  PutFixed(psSession, lVal < 0 ? 0u - (uint32_t)lVal : (uint32_t)lVal,
           ucDecimals > FIXED_DECIMALS_MAX ? FIXED_DECIMALS_MAX : ucDecimals, lVal < 0);
}

void SCPI_RespondScaledList(SScpiSession* psSession, const int32_t alVal[], uint16_t uiCount,
                            uint8_t ucDecimals) {
  for (uint16_t ui = 0; ui < uiCount; ++ui) SCPI_RespondScaled(psSession, alVal[ui], ucDecimals);
}

void SCPI_RespondBool(SScpiSession* psSession, uint8_t bVal) {
  ScpiBeginElement(psSession);
  PutChar(psSession, bVal ? '1' : '0');
}

void SCPI_RespondChoice(SScpiSession* psSession, const char* pSChoices, uint8_t ucItem) {
  ScpiBeginElement(psSession);
  for (const char* pc = pSChoices; *pc; ++pc) {
    if (*pc == '|') {
      if (ucItem-- == 0) break;
    } else if (ucItem == 0 && ((*pc >= 'A' && *pc <= 'Z') || (*pc >= '0' && *pc <= '9'))) {
      PutChar(psSession, *pc);
    }
  }
}

void SCPI_RespondString(SScpiSession* psSession, const char* pSText, uint16_t uiLen) {
  ScpiBeginElement(psSession);
  PutChar(psSession, '"');
  uint16_t uiStart = 0;
  for (uint16_t ui = 0; ui < uiLen; ++ui) {
    if (pSText[ui] != '"') continue;
    // The quote goes out twice: once ending this run, once starting the next.
    ScpiPut(psSession, pSText + uiStart, (uint32_t)(ui + 1 - uiStart));
    uiStart = ui;
  }
  ScpiPut(psSession, pSText + uiStart, (uint32_t)(uiLen - uiStart));
  PutChar(psSession, '"');
}

void SCPI_RespondText(SScpiSession* psSession, const char* pSText, uint16_t uiLen) {
  ScpiBeginElement(psSession);
  ScpiPut(psSession, pSText, uiLen);
}

void SCPI_RespondBlockHeader(SScpiSession* psSession, uint32_t ulLen) {
  ScpiBeginElement(psSession);
  char acText[12];
  char* pcEnd = acText + sizeof acText;
  char* pc = ScpiDigits(ulLen, pcEnd);
  pc[-1] = (char)('0' + (pcEnd - pc));
  pc[-2] = '#';
  ScpiPut(psSession, pc - 2, (uint32_t)(pcEnd - pc + 2));
}

void SCPI_RespondBlockData(SScpiSession* psSession, const void* pvData, uint32_t ulLen) {
  ScpiPut(psSession, static_cast<const char*>(pvData), ulLen);
}

void SCPI_RespondBlock(SScpiSession* psSession, const void* pvData, uint32_t ulLen) {
  SCPI_RespondBlockHeader(psSession, ulLen);
  SCPI_RespondBlockData(psSession, pvData, ulLen);
}

}  // extern "C"
