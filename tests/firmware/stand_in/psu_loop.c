/* SPDX-License-Identifier: MIT */
/* Stand-in for the power-supply example's loop, over the demo table: each command of a program
 * message is answered with its number and its parameters as read through the integer accessors,
 * and a failed one with its SCPI error, as an instrument would queue it. */
#include <orvane-scpi/scpi.h>

#include "psu_loop.h"

/* A program message holds at most 255 characters and its NUL. */
#define LINE_CAPACITY 256
#define DIGITS_U32 10
#define MAX_DIMS 4

static char acLine[LINE_CAPACITY];
static unsigned uiLineLen;

static void WriteUnsigned(uint32_t ulVal) {
  char acDigits[DIGITS_U32 + 1];
  unsigned uPos = DIGITS_U32;
  acDigits[uPos] = '\0';
  do {
    acDigits[--uPos] = (char)('0' + ulVal % 10);
    ulVal /= 10;
  } while (ulVal != 0);
  PsuWrite(acDigits + uPos);
}

static void WriteSigned(int32_t lVal) {
  if (lVal < 0) PsuWrite("-");
  WriteUnsigned(lVal < 0 ? 0u - (uint32_t)lVal : (uint32_t)lVal);
}

static void WriteSpan(const char* pText, uint8_t ucLen) {
  char acChar[2] = {0, 0};
  uint8_t ucPos;
  for (ucPos = 0; ucPos < ucLen; ucPos++) {
    acChar[0] = pText[ucPos];
    PsuWrite(acChar);
  }
}

/* A number as a whole number; one that does not fit is answered as the overflow it is. */
static void WriteNumber(const SParam* psParam) {
  int32_t lVal = 0;
  if (SCPI_ParamToLong(psParam, &lVal) == SCPI_ERR_OK) {
    WriteSigned(lVal);
  } else {
    PsuWrite("9.9E37");
  }
}

static void WriteNumList(const SParam* psParam) {
  SParam sFirst, sLast;
  uint8_t ucIndex, bRange = 0;
  for (ucIndex = 0; SCPI_GetNumListEntry(psParam, ucIndex, &bRange, &sFirst, &sLast) == SCPI_ERR_OK;
       ucIndex++) {
    PsuWrite(ucIndex ? " " : "");
    WriteNumber(&sFirst);
    if (bRange) {
      PsuWrite(":");
      WriteNumber(&sLast);
    }
  }
}

static void WriteChanList(const SParam* psParam) {
  SParam sFirst[MAX_DIMS], sLast[MAX_DIMS];
  uint8_t ucIndex, ucDim, bRange = 0, ucDims = MAX_DIMS;
  for (ucIndex = 0;
       SCPI_GetChanListEntry(psParam, ucIndex, &ucDims, &bRange, sFirst, sLast) == SCPI_ERR_OK;
       ucIndex++, ucDims = MAX_DIMS) {
    for (ucDim = 0; ucDim < ucDims; ucDim++) {
      PsuWrite(ucDim ? "!" : ucIndex ? " " : "");
      WriteNumber(&sFirst[ucDim]);
    }
  }
}

static void WriteParam(const SParam* psParam) {
  EPType ePType = P_NONE;
  ENumSubtype eSubtype = 0;
  uint8_t ucVal = 0, ucLen = 0;
  const char* pText = 0;
  char cDelimiter = 0;
  SCPI_ParamType(psParam, &ePType, &eSubtype);
  if (ePType == P_NUM) {
    WriteNumber(psParam);
  } else if (SCPI_ParamToBOOL(psParam, &ucVal) == SCPI_ERR_OK ||
             SCPI_ParamToCharDataItem(psParam, &ucVal) == SCPI_ERR_OK) {
    WriteUnsigned(ucVal);
  } else if (ePType == P_NUM_LIST) {
    WriteNumList(psParam);
  } else if (ePType == P_CHAN_LIST) {
    WriteChanList(psParam);
  } else if (SCPI_ParamToString(psParam, &pText, &ucLen, &cDelimiter) == SCPI_ERR_OK) {
    WriteSpan(pText, ucLen);
  }
}

static void WriteError(uint8_t ucErr) {
  int16_t iNumber = 0;
  const char* pText = "";
  SCPI_StandardError(ucErr, &iNumber, &pText);
  WriteSigned(iNumber);
  PsuWrite(",\"");
  PsuWrite(pText);
  PsuWrite("\"\n");
}

static void HandleLine(void) {
  const char* pSInput = acLine;
  uint8_t bResetTree = 1;
  for (;;) {
    SParam sParam[MAX_PARAMS];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucNumSufCnt = 0, ucSlot;
    const uint8_t ucErr = SCPI_Parse(&pSInput, bResetTree, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf);
    bResetTree = 0;
    if (ucErr == SCPI_ERR_NO_COMMAND) return;
    if (ucErr != SCPI_ERR_OK) {
      WriteError(ucErr);
      continue;
    }
    WriteUnsigned(ucCmd);
    for (ucSlot = 0; ucSlot < ucNumSufCnt; ucSlot++) {
      PsuWrite("#");
      WriteUnsigned(uiNumSuf[ucSlot]);
    }
    for (ucSlot = 0; ucSlot < MAX_PARAMS && sParam[ucSlot].ePType != P_NONE; ucSlot++) {
      PsuWrite(ucSlot ? "," : " ");
      WriteParam(&sParam[ucSlot]);
    }
    PsuWrite("\n");
  }
}

void PsuRun(void) {
  int iByte;
  while ((iByte = PsuReadByte()) >= 0) {
    if (iByte == '\n') {
      acLine[uiLineLen] = '\0';
      HandleLine();
      uiLineLen = 0;
    } else if (uiLineLen + 1 < LINE_CAPACITY) {
      acLine[uiLineLen++] = (char)iByte;
    }
  }
}
