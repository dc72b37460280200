// SPDX-License-Identifier: MIT
// The error/event queue of a session: entries in the caller's array, oldest first, the standard
// texts of the SCPI error numbers, the -350 overflow rule and the ESR bit of each error class.
#include "instrument_internal.h"

namespace {

struct SNumberText {
  int16_t iNumber;
  const char* pSText;
};

// The standard numbers the layer and handlers raise that the parser's codes do not map to.
constexpr SNumberText STANDARD_TEXTS[] = {
    {-100, "Command error"},
    {-101, "Invalid character"},
    {-102, "Syntax error"},
    {-103, "Invalid separator"},
    {-108, "Parameter not allowed"},
    {-109, "Missing parameter"},
    {-200, "Execution error"},
    {-203, "Command protected"},
    {-220, "Parameter error"},
    {-221, "Settings conflict"},
    {-223, "Too much data"},
    {-225, "Out of memory"},
    {-230, "Data corrupt or stale"},
    {-240, "Hardware error"},
    {-241, "Hardware missing"},
    {-300, "Device-specific error"},
    {-310, "System error"},
    {-330, "Self-test failed"},
    {-350, "Queue overflow"},
    {-363, "Input buffer overrun"},
    {-400, "Query error"},
    {-410, "Query INTERRUPTED"},
    {-420, "Query UNTERMINATED"},
    {-430, "Query DEADLOCKED"},
    {-440, "Query UNTERMINATED after indefinite response"},
    {-500, "Power on"},
    {-600, "User request"},
    {-700, "Request control"},
    {-800, "Operation complete"},
};

constexpr int16_t QUEUE_OVERFLOW = -350;

// The ESR bit of an error number's class, 0 for the events outside the four error classes.
uint8_t ClassBit(int16_t iNumber) {
  if (iNumber > 0) return SCPI_ESR_DDE;
  switch ((-iNumber) / 100) {
    case 1: return SCPI_ESR_CME;
    case 2: return SCPI_ESR_EXE;
    case 3: return SCPI_ESR_DDE;
    case 4: return SCPI_ESR_QYE;
    default: return 0;
  }
}

void QueueEntry(SScpiSession* psSession, int16_t iNumber, const char* pSText,
                const char* pSDetail) {
  psSession->ucEsr = (uint8_t)(psSession->ucEsr | ClassBit(iNumber));
  SScpiError* psEntry;
  if (psSession->ucErrorCount < psSession->ucErrorCapacity) {
    psEntry = &psSession->psErrors[psSession->ucErrorCount++];
  } else {
    // The overflow is an error of its own, in the device-dependent class.
    psEntry = &psSession->psErrors[psSession->ucErrorCapacity - 1];
    psSession->ucEsr = (uint8_t)(psSession->ucEsr | ClassBit(QUEUE_OVERFLOW));
    iNumber = QUEUE_OVERFLOW;
    pSText = SCPI_ErrorText(QUEUE_OVERFLOW);
    pSDetail = nullptr;
  }
  psEntry->iNumber = iNumber;
  psEntry->pSText = pSText;
  psEntry->pSDetail = pSDetail;
  ScpiUpdateRequest(psSession);
}

}  // namespace

extern "C" {

const char* SCPI_ErrorText(int16_t iNumber) {
  if (iNumber >= 0) return nullptr;
  // The number's own text, else that of its class (-199: -100 "Command error").
  const int16_t aiTry[] = {iNumber, (int16_t)(iNumber / 100 * 100)};
  for (int16_t iTry : aiTry) {
    if (iTry == 0) break;  // -1..-99 have no class
    for (const SNumberText& sEntry : STANDARD_TEXTS) {
      if (sEntry.iNumber == iTry) return sEntry.pSText;
    }
    // The parser's codes carry the rest of the standard texts it raises.
    for (unsigned uiCode = 1; uiCode <= 255; ++uiCode) {
      int16_t iFound;
      const char* pSText;
      if (SCPI_StandardError((uint8_t)uiCode, &iFound, &pSText) == SCPI_ERR_OK && iFound == iTry)
        return pSText;
    }
  }
  return "Error";
}

uint8_t SCPI_QueueError(SScpiSession* psSession, int16_t iNumber, const char* pSDetail) {
  const char* pSText = SCPI_ErrorText(iNumber);
  if (iNumber > 0) {
    pSText = "Device-specific error";
    for (const SScpiErrorText* ps = psSession->psInstr->psErrorTexts; ps && ps->iNumber; ++ps) {
      if (ps->iNumber == iNumber) {
        pSText = ps->pSText;
        break;
      }
    }
  }
  if (iNumber != 0) QueueEntry(psSession, iNumber, pSText, pSDetail);
  return SCPI_ERR_OK;
}

uint8_t SCPI_QueueParseError(SScpiSession* psSession, uint8_t ucErr) {
  int16_t iNumber;
  const char* pSText;
  const uint8_t ucResult = SCPI_StandardError(ucErr, &iNumber, &pSText);
  if (ucResult == SCPI_ERR_OK && iNumber != 0) QueueEntry(psSession, iNumber, pSText, nullptr);
  return ucResult;
}

uint8_t SCPI_NextError(SScpiSession* psSession, SScpiError* psError) {
  if (psSession->ucErrorCount == 0) {
    psError->iNumber = 0;
    psError->pSText = "No error";
    psError->pSDetail = nullptr;
    return SCPI_ERR_OK;
  }
  *psError = psSession->psErrors[0];
  --psSession->ucErrorCount;
  for (uint8_t uc = 0; uc < psSession->ucErrorCount; ++uc)
    psSession->psErrors[uc] = psSession->psErrors[uc + 1];
  ScpiUpdateRequest(psSession);
  return SCPI_ERR_OK;
}

}  // extern "C"
