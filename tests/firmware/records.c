/* SPDX-License-Identifier: MIT */
/*
 * The records harness: reads program messages, one per line, from standard input and writes,
 * for every command, the return code, the read position, the standard error number, the command
 * number, the numeric suffixes and what every accessor gives for every parameter and every list
 * entry (doubles as their bits, outputs an accessor left unwritten as the value they held before). The same source runs on the host and,
 * through semihosting, on the emulated Cortex-M boards, so the two outputs must be identical.
 *
 *   records [library|standard] < lines      (the context's rule set, library by default)
 *
 * Numbers are printed in decimal, doubles as their 64 bits in hexadecimal, and bytes outside
 * printable ASCII as \xHH.
 */
#include <stdint.h>
#include <string.h>
#include <unistd.h>

#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>

#include "demo_commands.h"
#ifdef FIRMWARE_SEMIHOSTING
#include "semihosting.h"
#endif

/* A line longer than this is handled in pieces of this size less one (the NUL). */
#ifndef RECORDS_LINE_CAPACITY
#define RECORDS_LINE_CAPACITY 1024
#endif
/* Bytes of output gathered before one write: a few semihosting calls per line. */
#ifndef RECORDS_OUTPUT_CAPACITY
#define RECORDS_OUTPUT_CAPACITY 512
#endif
/* Records per channel-list end: small, so an entry with more dimensions shows its code 210. */
#define CHANNEL_DIMS_CAPACITY 3
/* Powers of ten tried with SCPI_ParamToScaledLong: 0, 3, 6 and 9 decimals. */
#define MAX_SCALED_DECIMALS 9
#define SCALED_DECIMALS_STEP 3
/* More commands than a line can hold means the parser did not advance. */
#define MAX_COMMANDS_PER_LINE 256
/* The bytes an accessor's untouched outputs keep, so that "not written" shows. */
#define UNWRITTEN 0xA5u

static SScpiContext sContext;
static char acOut[RECORDS_OUTPUT_CAPACITY];
static unsigned uiOutLen;
static char acLine[RECORDS_LINE_CAPACITY];

static void Flush(void) {
  unsigned uiDone = 0;
  while (uiDone < uiOutLen) {
    const int iWritten = (int)write(1, acOut + uiDone, uiOutLen - uiDone);
    if (iWritten <= 0) break;
    uiDone += (unsigned)iWritten;
  }
  uiOutLen = 0;
}

static void PutChar(char c) {
  if (uiOutLen == sizeof acOut) Flush();
  acOut[uiOutLen++] = c;
}

static void PutText(const char* pSText) {
  while (*pSText != '\0') PutChar(*pSText++);
}

static void PutHex(uint64_t ullVal, unsigned uiDigits) {
  static const char acDigits[] = "0123456789abcdef";
  while (uiDigits-- > 0) PutChar(acDigits[(ullVal >> (uiDigits * 4)) & 0xF]);
}

static void PutNum(uint32_t ulVal) {
  char acDigits[10];
  unsigned uiCount = 0;
  do {
    acDigits[uiCount++] = (char)('0' + ulVal % 10);
    ulVal /= 10;
  } while (ulVal != 0);
  while (uiCount > 0) PutChar(acDigits[--uiCount]);
}

static void PutSigned(int32_t lVal) {
  if (lVal < 0) PutChar('-');
  PutNum(lVal < 0 ? 0u - (uint32_t)lVal : (uint32_t)lVal);
}

static void PutField(const char* pSName, uint32_t ulVal) {
  PutChar(' ');
  PutText(pSName);
  PutChar('=');
  PutNum(ulVal);
}

#ifdef RECORDS_PLANTED_FAULT
/* The fault planted to prove the comparison: a plain char taken as signed, so bytes 128 to 255
 * fall below a space where char is signed (x86) and not where it is unsigned (Arm). */
#define NOT_PRINTABLE(ucChar) ((char)(ucChar) < 0x20 || (ucChar) == 0x7F)
#else
#define NOT_PRINTABLE(ucChar) ((ucChar) < 0x20 || (ucChar) > 0x7E)
#endif

static void PutEscaped(const char* pSText, unsigned uiLen) {
  unsigned uiPos;
  for (uiPos = 0; uiPos < uiLen; uiPos++) {
    const unsigned char ucChar = (unsigned char)pSText[uiPos];
    if (NOT_PRINTABLE(ucChar) || ucChar == '"' || ucChar == '\\') {
      PutText("\\x");
      PutHex(ucChar, 2);
    } else {
      PutChar((char)ucChar);
    }
  }
}

/* "name=code:value" for an accessor with one integer output. */
static void PutResult(const char* pSName, uint8_t ucErr, uint32_t ulVal) {
  PutField(pSName, ucErr);
  PutChar(':');
  PutNum(ulVal);
}

static void PutSpan(uint8_t ucErr, const char* pSString, uint8_t ucLen, char cDelimiter) {
  PutField("str", ucErr);
  PutChar(':');
  if (pSString == NULL) {
    PutChar('-');
    return;
  }
  PutNum((uint32_t)(pSString - acLine));
  PutChar(':');
  PutNum(ucLen);
  PutChar(':');
  PutNum((unsigned char)cDelimiter);
  PutText(":\"");
  PutEscaped(pSString, ucLen);
  PutChar('"');
}

/* Every scalar accessor on one record. */
static void PutScalars(const SParam* psParam) {
  EPType ePType = UNWRITTEN;
  ENumSubtype eSubtype = UNWRITTEN;
  EUnits eUnits = UNWRITTEN;
  uint8_t ucItem = UNWRITTEN, bVal = UNWRITTEN, ucLen = UNWRITTEN;
  uint32_t ulVal = 0xA5A5A5A5u;
  int32_t lVal = (int32_t)0xA5A5A5A5u;
  unsigned int uiVal = 0xA5A5A5A5u;
  int iVal = (int)0xA5A5A5A5u;
  uint64_t ullBits = 0xA5A5A5A5A5A5A5A5ull;
  double fdVal;
  const char* pSString = NULL;
  char cDelimiter = (char)UNWRITTEN;
  const uint8_t* pucBlock = NULL;
  uint32_t ulBlockLen = 0xA5A5A5A5u;
  uint8_t ucErr, ucDecimals;

  memcpy(&fdVal, &ullBits, sizeof fdVal);
  ucErr = SCPI_ParamType(psParam, &ePType, &eSubtype);
  PutField("type", ucErr);
  PutChar(':');
  PutNum(ePType);
  PutChar(':');
  PutNum(eSubtype);
  if (psParam->ePType == P_NUM) {
    PutField("mant", psParam->uVal.sNum.ulMant);
    PutField("exp", psParam->uVal.sNum.ucExp);
    PutField("flags", psParam->uVal.sNum.ucNumFlags);
  }
  ucErr = SCPI_ParamUnits(psParam, &eUnits);
  PutResult("units", ucErr, eUnits);
  ucErr = SCPI_ParamToCharDataItem(psParam, &ucItem);
  PutResult("item", ucErr, ucItem);
  ucErr = SCPI_ParamToBOOL(psParam, &bVal);
  PutResult("bool", ucErr, bVal);
  ucErr = SCPI_ParamToUnsignedLong(psParam, &ulVal);
  PutResult("ul", ucErr, ulVal);
  ucErr = SCPI_ParamToLong(psParam, &lVal);
  PutField("l", ucErr);
  PutChar(':');
  PutSigned(lVal);
  ucErr = SCPI_ParamToUnsignedInt(psParam, &uiVal);
  PutResult("ui", ucErr, (uint32_t)uiVal);
  ucErr = SCPI_ParamToInt(psParam, &iVal);
  PutField("i", ucErr);
  PutChar(':');
  PutSigned((int32_t)iVal);
  for (ucDecimals = 0; ucDecimals <= MAX_SCALED_DECIMALS; ucDecimals += SCALED_DECIMALS_STEP) {
    int32_t lScaled = (int32_t)0xA5A5A5A5u;
    ucErr = SCPI_ParamToScaledLong(psParam, ucDecimals, &lScaled);
    PutText(" scaled");
    PutNum(ucDecimals);
    PutChar('=');
    PutNum(ucErr);
    PutChar(':');
    PutSigned(lScaled);
  }
  ucErr = SCPI_ParamToBlock(psParam, &pucBlock, &ulBlockLen);
  PutResult("block", ucErr, ulBlockLen);
  ucErr = SCPI_ParamToDouble(psParam, &fdVal);
  memcpy(&ullBits, &fdVal, sizeof ullBits);
  PutField("d", ucErr);
  PutChar(':');
  PutHex(ullBits, 16);
  ucErr = SCPI_ParamToString(psParam, &pSString, &ucLen, &cDelimiter);
  PutSpan(ucErr, pSString, ucLen, cDelimiter);
  PutChar('\n');
}

static void PutNumListEntries(const SParam* psParam) {
  unsigned uiIndex;
  for (uiIndex = 0; uiIndex <= UINT8_MAX; uiIndex++) {
    SParam sFirst, sLast;
    uint8_t bRange = UNWRITTEN;
    uint8_t ucErr;
    memset(&sFirst, UNWRITTEN, sizeof sFirst);
    memset(&sLast, UNWRITTEN, sizeof sLast);
    ucErr = SCPI_GetNumListEntry(psParam, (uint8_t)uiIndex, &bRange, &sFirst, &sLast);
    PutText("   entry ");
    PutNum(uiIndex);
    PutField("rc", ucErr);
    PutField("range", bRange);
    PutChar('\n');
    if (ucErr == SCPI_ERR_NO_ENTRY || ucErr == SCPI_ERR_PARAM_TYPE) return;
    PutText("    first");
    PutScalars(&sFirst);
    if (bRange == 1) {
      PutText("    last");
      PutScalars(&sLast);
    }
  }
}

static void PutChanListEntries(const SParam* psParam) {
  unsigned uiIndex, uiDim;
  for (uiIndex = 0; uiIndex <= UINT8_MAX; uiIndex++) {
    SParam sFirst[CHANNEL_DIMS_CAPACITY], sLast[CHANNEL_DIMS_CAPACITY];
    uint8_t ucDims = CHANNEL_DIMS_CAPACITY, bRange = UNWRITTEN;
    uint8_t ucErr;
    memset(sFirst, UNWRITTEN, sizeof sFirst);
    memset(sLast, UNWRITTEN, sizeof sLast);
    ucErr = SCPI_GetChanListEntry(psParam, (uint8_t)uiIndex, &ucDims, &bRange, sFirst, sLast);
    PutText("   entry ");
    PutNum(uiIndex);
    PutField("rc", ucErr);
    PutField("dims", ucDims);
    PutField("range", bRange);
    PutChar('\n');
    if (ucErr == SCPI_ERR_NO_ENTRY || ucErr == SCPI_ERR_PARAM_TYPE) return;
    /* Every record is shown: those the call did not reach keep the pattern. */
    for (uiDim = 0; uiDim < CHANNEL_DIMS_CAPACITY; uiDim++) {
      PutText("    first");
      PutScalars(&sFirst[uiDim]);
      if (bRange == 1) {
        PutText("    last");
        PutScalars(&sLast[uiDim]);
      }
    }
  }
}

static void PutCommand(uint8_t ucCmdSpecNum, const SParam sParam[], uint8_t ucNumSufCnt,
                       const uint32_t uiNumSuf[]) {
  unsigned uiPos;
  PutField(" cmd", ucCmdSpecNum);
  PutField("suf", ucNumSufCnt);
  for (uiPos = 0; uiPos < ucNumSufCnt && uiPos < MAX_NUM_SUFFIX; uiPos++) {
    PutChar(uiPos == 0 ? ':' : ',');
    PutNum(uiNumSuf[uiPos]);
  }
  PutChar('\n');
  for (uiPos = 0; uiPos < DemoCommandTable.ucParamWidth; uiPos++) {
    PutText("  p");
    PutNum(uiPos);
    PutScalars(&sParam[uiPos]);
    if (sParam[uiPos].ePType == P_NUM_LIST) PutNumListEntries(&sParam[uiPos]);
    if (sParam[uiPos].ePType == P_CHAN_LIST) PutChanListEntries(&sParam[uiPos]);
  }
}

/* Parses one line command by command, as an instrument would. */
static void PutLine(unsigned uiLen) {
  const char* pSInput = acLine;
  unsigned uiCommand;
  PutText("> \"");
  PutEscaped(acLine, uiLen);
  PutText("\"\n");
  for (uiCommand = 0; uiCommand < MAX_COMMANDS_PER_LINE; uiCommand++) {
    SParam sParam[SCPI_MAX_PARAM_SLOTS];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmdSpecNum = UNWRITTEN, ucNumSufCnt = UNWRITTEN;
    int16_t iStdNumber = 0;
    const char* pSStdText = NULL;
    const char* pSBefore = pSInput;
    uint8_t ucErr;
    memset(sParam, UNWRITTEN, sizeof sParam);
    memset(uiNumSuf, UNWRITTEN, sizeof uiNumSuf);
    ucErr = SCPI_ParseCtx(&sContext, &pSInput, acLine + uiLen, uiCommand == 0, &ucCmdSpecNum,
                          sParam, &ucNumSufCnt, uiNumSuf);
    PutField(" rc", ucErr);
    PutField("at", (uint32_t)(pSInput - acLine));
    PutField("std", SCPI_StandardError(ucErr, &iStdNumber, &pSStdText));
    PutChar(':');
    PutSigned(iStdNumber);
    PutChar('\n');
    if (ucErr == SCPI_ERR_OK) PutCommand(ucCmdSpecNum, sParam, ucNumSufCnt, uiNumSuf);
    if (ucErr == SCPI_ERR_NO_COMMAND) return;
    if (pSInput == pSBefore) {
      PutText(" stuck\n");
      return;
    }
  }
  PutText(" too many commands\n");
}

/* Returns 0, or 2 for an unknown rule set. */
static int RecordsRun(const char* pSRules) {
  unsigned uiLen = 0;
  const uint8_t ucRules = strcmp(pSRules, "standard") == 0 ? SCPI_RULES_STANDARD : SCPI_RULES_LIBRARY;
  if ((pSRules[0] != '\0' && ucRules == SCPI_RULES_LIBRARY && strcmp(pSRules, "library") != 0) ||
      SCPI_ContextInit(&sContext, &DemoCommandTable, ucRules) != SCPI_ERR_OK) {
    static const char acUsage[] = "records: the rule set is library or standard\n";
    write(2, acUsage, sizeof acUsage - 1);
    return 2;
  }
  for (;;) {
    char acChunk[64];
    const int iRead = (int)read(0, acChunk, sizeof acChunk);
    int iPos;
    if (iRead <= 0) break;
    for (iPos = 0; iPos < iRead; iPos++) {
      if (acChunk[iPos] == '\n' || uiLen + 1 == sizeof acLine) {
        acLine[uiLen] = '\0';
        PutLine(uiLen);
        uiLen = 0;
        if (acChunk[iPos] == '\n') continue;
      }
      acLine[uiLen++] = acChunk[iPos];
    }
  }
  if (uiLen > 0) {
    acLine[uiLen] = '\0';
    PutLine(uiLen);
  }
  Flush();
  return 0;
}

#ifdef FIRMWARE_SEMIHOSTING
int main(void) {
  return RecordsRun(SemihostingArgument(1));
}
#else
int main(int argc, char** argv) {
  return RecordsRun(argc > 1 ? argv[1] : "");
}
#endif
