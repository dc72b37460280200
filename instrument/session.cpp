// SPDX-License-Identifier: MIT
// Sessions: start and device clear, the framing of input bytes into program messages (LF outside
// block data, or the END signal), running a message's commands through their handlers, and the
// read requests of USBTMC/GPIB-style transports.
#include <string.h>

#include "instrument_internal.h"

namespace {

// SScpiSession.ucFrame: where the input stands, low 3 bits; the length digits still to come of
// a block header, high 4 bits.
constexpr uint8_t FRAME_TEXT = 0;         // program text
constexpr uint8_t FRAME_DQUOTE = 1;       // inside a "string"
constexpr uint8_t FRAME_SQUOTE = 2;       // inside a 'string'
constexpr uint8_t FRAME_HASH = 3;         // after '#': a block if a digit follows
constexpr uint8_t FRAME_LENGTH = 4;       // the length digits of a definite block
constexpr uint8_t FRAME_BLOCK = 5;        // definite block data: ulBlockLeft bytes to come
constexpr uint8_t FRAME_INDEFINITE = 6;   // indefinite block data, up to the terminator
constexpr uint8_t FRAME_STATE_MASK = 0x07;

constexpr int16_t ERR_COMMAND = -100;
constexpr int16_t ERR_INVALID_CHARACTER = -101;
constexpr int16_t ERR_INPUT_OVERRUN = -363;
constexpr int16_t ERR_QUERY_INTERRUPTED = -410;
constexpr int16_t ERR_QUERY_UNTERMINATED = -420;

// Program text bytes the framing looks at: LF, and '"', '#', '\'' as bits counted from '"'.
constexpr uint32_t TEXT_STOPS = (1u << ('"' - '"')) | (1u << ('#' - '"')) | (1u << ('\'' - '"'));

inline uint8_t IsTextStop(char c) {
  const uint8_t ucFromQuote = (uint8_t)(c - '"');
  return c == '\n' || (ucFromQuote <= '\'' - '"' && ((TEXT_STOPS >> ucFromQuote) & 1u));
}

// Appends message bytes to the input buffer; a message that outgrows it queues -363 once and is
// dropped up to its end.
void Store(SScpiSession* psSession, const char* pcData, uint32_t ulLen) {
  if (psSession->ucFlags & FLAG_DISCARD) return;
  if (ulLen > (uint32_t)(psSession->uiInputSize - psSession->uiInputLen)) {
    psSession->ucFlags = (uint8_t)(psSession->ucFlags | FLAG_DISCARD);
    psSession->uiInputLen = 0;
    SCPI_QueueError(psSession, ERR_INPUT_OVERRUN, nullptr);
    return;
  }
  memcpy(psSession->pcInput + psSession->uiInputLen, pcData, ulLen);
  psSession->uiInputLen = (uint16_t)(psSession->uiInputLen + ulLen);
}

// Runs the commands of the message in the input buffer and completes its response.
void RunMessage(SScpiSession* psSession) {
  const char* pcInput = psSession->pcInput;
  const char* pcEnd = pcInput + psSession->uiInputLen;
  psSession->uiInputLen = 0;
  if (psSession->ucFlags & FLAG_PENDING) {
    // A new message before the last response was read: that response is lost.
    psSession->uiOutputLen = 0;
    psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_PENDING);
    SCPI_QueueError(psSession, ERR_QUERY_INTERRUPTED, nullptr);
  }
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_RESPONDED);
  const SScpiInstrument* psInstr = psSession->psInstr;
  SParam asParams[SCPI_MAX_PARAM_SLOTS];
  uint32_t auiNumSuf[MAX_NUM_SUFFIX];
  SScpiCall sCall = {asParams, auiNumSuf, 0, 0};
  uint8_t bResetTree = 1;
  for (;;) {
    const uint8_t ucErr = SCPI_ParseCtx(&psSession->sCtx, &pcInput, pcEnd, bResetTree,
                                        &sCall.ucCmdNum, asParams, &sCall.ucNumSufCnt, auiNumSuf);
    bResetTree = 0;
    if (ucErr == SCPI_ERR_NO_COMMAND) {
      // The parser stops at a NUL outside strings and blocks; what follows it is not run.
      if (pcInput != pcEnd) SCPI_QueueError(psSession, ERR_INVALID_CHARACTER, nullptr);
      break;
    }
    if (ucErr != SCPI_ERR_OK) {
      // The rest of the message is not run; what ran before stays done.
      if (SCPI_QueueParseError(psSession, ucErr) != SCPI_ERR_OK)
        SCPI_QueueError(psSession, ERR_COMMAND, nullptr);
      break;
    }
    const PFnScpiHandler pfnHandler = psInstr->ppfnHandlers[sCall.ucCmdNum];
    if (!pfnHandler) continue;
    psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_ELEMENT);
    const int16_t iNumber = pfnHandler(psSession, &sCall);
    if (iNumber) SCPI_QueueError(psSession, iNumber, nullptr);
  }
  if (psSession->ucFlags & FLAG_RESPONDED) {
    ScpiPut(psSession, "\n", 1);
    if (psSession->ucFlags & FLAG_READ_REQUEST)
      psSession->ucFlags = (uint8_t)(psSession->ucFlags | FLAG_PENDING);
    else
      ScpiFlush(psSession);
  }
  ScpiUpdateRequest(psSession);
}

// The end of a program message: runs it unless it overran or is empty.
void EndMessage(SScpiSession* psSession) {
  psSession->ucFrame = FRAME_TEXT;
  if (psSession->ucFlags & FLAG_DISCARD) {
    psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_DISCARD);
    psSession->uiInputLen = 0;
    return;
  }
  if (psSession->uiInputLen) RunMessage(psSession);
}

}  // namespace

extern "C" {

uint8_t SCPI_SessionInit(SScpiSession* psSession, const SScpiInstrument* psInstr,
                         const SScpiSessionSetup* psSetup) {
  if (!psSetup->pcInput || !psSetup->uiInputSize || !psSetup->pcOutput ||
      !psSetup->uiOutputSize || !psSetup->psErrors || psSetup->ucErrorCapacity < 2)
    return SCPI_ERR_SESSION_SETUP;
  memset(psSession, 0, sizeof *psSession);
  psSession->psInstr = psInstr;
  psSession->pcInput = psSetup->pcInput;
  psSession->pcOutput = psSetup->pcOutput;
  psSession->psErrors = psSetup->psErrors;
  psSession->pfnWrite = psSetup->pfnWrite;
  psSession->pvUser = psSetup->pvUser;
  psSession->uiInputSize = psSetup->uiInputSize;
  psSession->uiOutputSize = psSetup->uiOutputSize;
  psSession->ucErrorCapacity = psSetup->ucErrorCapacity;
  if (psSetup->ucMode == SCPI_MODE_READ_REQUEST) psSession->ucFlags = FLAG_READ_REQUEST;
  for (SScpiStatusReg& sReg : psSession->asReg) sReg.uiPosTransition = STATUS_REG_MASK;
  return SCPI_ContextInit(&psSession->sCtx, psInstr->psTable, psInstr->ucRules);
}

uint8_t SCPI_DeviceClear(SScpiSession* psSession) {
  psSession->uiInputLen = 0;
  psSession->uiOutputLen = 0;
  psSession->ucFrame = FRAME_TEXT;
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~(FLAG_DISCARD | FLAG_PENDING));
  ScpiUpdateRequest(psSession);
  return SCPI_ERR_OK;
}

uint8_t SCPI_Input(SScpiSession* psSession, const char* pcData, uint32_t ulLen) {
  const char* pc = pcData;
  const char* const pcEnd = pcData + ulLen;
  while (pc < pcEnd) {
    const uint8_t ucState = psSession->ucFrame & FRAME_STATE_MASK;
    const char* pcRun = pc;
    char c = *pc;
    switch (ucState) {
      case FRAME_BLOCK: {
        uint32_t ulTake = (uint32_t)(pcEnd - pc);
        if (ulTake > psSession->ulBlockLeft) ulTake = psSession->ulBlockLeft;
        Store(psSession, pc, ulTake);
        pc += ulTake;
        psSession->ulBlockLeft -= ulTake;
        if (psSession->ulBlockLeft == 0) psSession->ucFrame = FRAME_TEXT;
        continue;
      }
      case FRAME_HASH:
        if (c >= '1' && c <= '9') {
          psSession->ucFrame = (uint8_t)(FRAME_LENGTH | (c - '0') << 4);
          psSession->ulBlockLeft = 0;
        } else {
          psSession->ucFrame = c == '0' ? FRAME_INDEFINITE : FRAME_TEXT;
          if (c != '0') continue;  // not a block: the byte is program text
        }
        Store(psSession, pc++, 1);
        continue;
      case FRAME_LENGTH:
        if (c < '0' || c > '9') {
          psSession->ucFrame = FRAME_TEXT;  // a malformed header: the parser reports it
          continue;
        }
        psSession->ulBlockLeft = psSession->ulBlockLeft * 10 + (uint32_t)(c - '0');
        psSession->ucFrame = (uint8_t)(psSession->ucFrame - 0x10);
        if ((psSession->ucFrame >> 4) == 0)
          psSession->ucFrame = psSession->ulBlockLeft ? FRAME_BLOCK : FRAME_TEXT;
        Store(psSession, pc++, 1);
        continue;
      case FRAME_INDEFINITE:
        while (pc < pcEnd && *pc != '\n') ++pc;
        break;
      case FRAME_TEXT:
        while (pc < pcEnd && !IsTextStop(*pc)) ++pc;
        break;
      default: {
        const char cQuote = ucState == FRAME_DQUOTE ? '"' : '\'';
        while (pc < pcEnd && *pc != cQuote && *pc != '\n') ++pc;
        break;
      }
    }
    // A run of plain bytes, then the byte that stopped it (if any).
    Store(psSession, pcRun, (uint32_t)(pc - pcRun));
    if (pc == pcEnd) break;
    c = *pc++;
    if (c == '\n') {
      if (psSession->uiInputLen && psSession->pcInput[psSession->uiInputLen - 1] == '\r' &&
          !(psSession->ucFlags & FLAG_DISCARD))
        --psSession->uiInputLen;
      EndMessage(psSession);
      continue;
    }
    Store(psSession, &c, 1);
    if (ucState != FRAME_TEXT) {
      psSession->ucFrame = FRAME_TEXT;  // a closing quote
    } else {
      psSession->ucFrame = c == '#' ? FRAME_HASH : c == '"' ? FRAME_DQUOTE : FRAME_SQUOTE;
    }
  }
  return SCPI_ERR_OK;
}

uint8_t SCPI_InputEnd(SScpiSession* psSession) {
  EndMessage(psSession);
  return SCPI_ERR_OK;
}

uint8_t SCPI_ReadRequest(SScpiSession* psSession) {
  if (!(psSession->ucFlags & FLAG_PENDING)) {
    SCPI_QueueError(psSession, ERR_QUERY_UNTERMINATED, nullptr);
    return SCPI_ERR_NOTHING_TO_READ;
  }
  psSession->ucFlags = (uint8_t)(psSession->ucFlags & ~FLAG_PENDING);
  ScpiFlush(psSession);
  ScpiUpdateRequest(psSession);
  return SCPI_ERR_OK;
}

}  // extern "C"
