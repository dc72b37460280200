/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's firmware loop: gathers a program message up to LF, hands it to the parser
 * command by command, and carries out each command in a switch on its number. Levels are kept
 * in millivolts and milliamps, whole numbers, so no floating point is needed.
 */
#include "psu_loop.h"

#include <orvane-scpi/scpi.h>

#include "psu_commands.h"

/* ---- Limits ------------------------------------------------------------------------------- */

#define PSU_MAX_MILLIVOLTS 30000u
#define PSU_MAX_MILLIAMPS 5000u
/* Longest program message; a longer one is dropped with "Input buffer overrun". */
#define PSU_MESSAGE_LEN 255u
#define PSU_DISPLAY_LEN 32u
#define PSU_ERROR_QUEUE_LEN 8u
/* The query answer of *IDN?: maker, model, serial number, firmware version. */
#define PSU_IDENTITY "Orvane,PSU-2,0,1.0"

/* CHAR_DATA items of "MINimum|MAXimum". */
#define ITEM_MIN 0
#define ITEM_MAX 1

/* ---- State -------------------------------------------------------------------------------- */

typedef struct {
  uint32_t ulMilliVolts;
  uint32_t ulMilliAmps;
  uint8_t bOn;
} SOutput;

typedef struct {
  int16_t iNumber;
  const char* pSText;
} SError;

static SOutput sOutputs[PSU_OUTPUTS];
static uint8_t ucCoupled; /* bit n: output n+1 switches with the other coupled outputs */
static char acDisplay[PSU_DISPLAY_LEN + 1];
static SError sErrors[PSU_ERROR_QUEUE_LEN];
static uint8_t ucErrorCount;
static uint8_t bAnswered; /* the current message has answered already */

/* ---- Errors ------------------------------------------------------------------------------- */

/* Queues an error for SYSTem:ERRor?; a full queue keeps its oldest entries and ends with
 * "Queue overflow". */
static void QueueError(int16_t iNumber, const char* pSText) {
  if (ucErrorCount < PSU_ERROR_QUEUE_LEN) {
    sErrors[ucErrorCount].iNumber = iNumber;
    sErrors[ucErrorCount].pSText = pSText;
    ucErrorCount++;
  } else {
    sErrors[PSU_ERROR_QUEUE_LEN - 1].iNumber = -350;
    sErrors[PSU_ERROR_QUEUE_LEN - 1].pSText = "Queue overflow";
  }
}

static void QueueParserError(uint8_t ucErr) {
  int16_t iNumber = -100;
  const char* pSText = "Command error";
  SCPI_StandardError(ucErr, &iNumber, &pSText);
  QueueError(iNumber, pSText);
}

/* ---- Answers ------------------------------------------------------------------------------ */

/* Starts one query answer: answers of one message are separated by ';'. */
static void BeginAnswer(void) {
  if (bAnswered) PsuWrite(";");
  bAnswered = 1;
}

static void WriteInteger(int32_t lVal) {
  char acText[12];
  char* p = acText + sizeof acText - 1;
  uint32_t ulRest = lVal < 0 ? (uint32_t)0 - (uint32_t)lVal : (uint32_t)lVal;
  *p = '\0';
  do {
    *--p = (char)('0' + ulRest % 10u);
    ulRest /= 10u;
  } while (ulRest != 0);
  if (lVal < 0) *--p = '-';
  PsuWrite(p);
}

/* A level in thousandths as a decimal number with three decimals: 12500 as 12.500. */
static void WriteMilli(uint32_t ulMilli) {
  char acFraction[5];
  WriteInteger((int32_t)(ulMilli / 1000u));
  acFraction[0] = '.';
  acFraction[1] = (char)('0' + ulMilli / 100u % 10u);
  acFraction[2] = (char)('0' + ulMilli / 10u % 10u);
  acFraction[3] = (char)('0' + ulMilli % 10u);
  acFraction[4] = '\0';
  PsuWrite(acFraction);
}

/* ---- Parameters --------------------------------------------------------------------------- */

/* The output a command's first numeric suffix names: SOURce2, OUTPut2. Without a suffix (the
 * optional node [SOURce#:] left out) it is output 1. NULL, with the error queued, for none. */
static SOutput* OutputOf(uint8_t ucNumSufCnt, const uint32_t uiNumSuf[]) {
  const uint32_t uiOutput = ucNumSufCnt > 0 ? uiNumSuf[0] : 1u;
  if (uiOutput > PSU_OUTPUTS) {
    QueueError(-114, "Header suffix out of range");
    return 0;
  }
  return &sOutputs[uiOutput - 1u];
}

/* A number in thousandths of its units, fraction cut off: the record with its power of ten
 * raised by 3, read as a whole number. Returns 0 when it is negative or does not fit. */
static uint8_t ToMilli(const SParam* psParam, uint32_t* pulMilli) {
  SParam sMilli = *psParam;
  SNum* psNum = &sMilli.uVal.sNum;
  EPType ePType = P_NONE;
  ENumSubtype eSubtype = 0;
  int iPower;
  SCPI_ParamType(psParam, &ePType, &eSubtype);
  if (ePType != P_NUM || (eSubtype & NUM_SUB_NEG)) return 0;
  iPower = ((psNum->ucNumFlags & NUM_EXP_NEG) ? -(int)psNum->ucExp : (int)psNum->ucExp) + 3;
  psNum->ucExp = (uint8_t)(iPower < 0 ? -iPower : iPower);
  psNum->ucNumFlags = (uint8_t)(iPower < 0 ? psNum->ucNumFlags | NUM_EXP_NEG
                                           : psNum->ucNumFlags & ~NUM_EXP_NEG);
  return SCPI_ParamToUnsignedLong(&sMilli, pulMilli) == SCPI_ERR_OK;
}

/* VOLTage or CURRent: MINimum, MAXimum or a number from 0 to ulMax thousandths. */
static void SetLevel(uint32_t* pulLevel, const SParam* psParam, uint32_t ulMax) {
  uint8_t ucItem = 0;
  uint32_t ulMilli = 0;
  if (SCPI_ParamToCharDataItem(psParam, &ucItem) == SCPI_ERR_OK) {
    *pulLevel = ucItem == ITEM_MAX ? ulMax : 0u;
  } else if (ToMilli(psParam, &ulMilli) && ulMilli <= ulMax) {
    *pulLevel = ulMilli;
  } else {
    QueueError(-222, "Data out of range");
  }
}

/* VOLTage? or CURRent?: the level set, or with MINimum or MAXimum the limit. */
static void AnswerLevel(uint32_t ulLevel, const SParam* psParam, uint32_t ulMax) {
  uint8_t ucItem = 0;
  if (SCPI_ParamToCharDataItem(psParam, &ucItem) == SCPI_ERR_OK) {
    ulLevel = ucItem == ITEM_MAX ? ulMax : 0u;
  }
  BeginAnswer();
  WriteMilli(ulLevel);
}

/* OUTPut#: the output, and with it every output coupled to it. */
static void SwitchOutput(SOutput* psOutput, const SParam* psParam) {
  uint8_t bOn = 0;
  uint8_t ucIndex;
  uint8_t ucBit = 0;
  SCPI_ParamToBOOL(psParam, &bOn);
  for (ucIndex = 0; ucIndex < PSU_OUTPUTS; ucIndex++) {
    if (&sOutputs[ucIndex] == psOutput) ucBit = (uint8_t)(1u << ucIndex);
  }
  for (ucIndex = 0; ucIndex < PSU_OUTPUTS; ucIndex++) {
    const uint8_t ucOther = (uint8_t)(1u << ucIndex);
    if (ucOther == ucBit || ((ucCoupled & ucBit) && (ucCoupled & ucOther))) {
      sOutputs[ucIndex].bOn = bOn;
    }
  }
}

/* INSTrument:COUPle (@1,2) or (@1:2): the outputs that switch together. The table allows
 * one dimension and the numbers 1 to PSU_OUTPUTS only. */
static void Couple(const SParam* psParam) {
  SParam sFirst[1], sLast[1];
  uint8_t ucDims = 1, bRange = 0, ucEntry;
  uint8_t ucCoupling = 0;
  for (ucEntry = 0; SCPI_GetChanListEntry(psParam, ucEntry, &ucDims, &bRange, sFirst, sLast) ==
                    SCPI_ERR_OK;
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
}

/* DISPlay:TEXT 'It''s on': the text, a doubled quote kept once, cut to the display's width. */
static void SetDisplay(const SParam* psParam) {
  const char* pText = 0;
  uint8_t ucLen = 0, ucPos;
  char cDelimiter = 0;
  uint8_t ucOut = 0;
  SCPI_ParamToString(psParam, &pText, &ucLen, &cDelimiter);
  for (ucPos = 0; ucPos < ucLen && ucOut < PSU_DISPLAY_LEN; ucPos++) {
    acDisplay[ucOut++] = pText[ucPos];
    if (pText[ucPos] == cDelimiter) ucPos++; /* the second quote of a doubled pair */
  }
  acDisplay[ucOut] = '\0';
}

/* DISPlay:TEXT?: the text as a string in double quotes, an inner double quote doubled. */
static void AnswerDisplay(void) {
  const char* p;
  BeginAnswer();
  PsuWrite("\"");
  for (p = acDisplay; *p != '\0'; p++) {
    const char acChar[2] = {*p, '\0'};
    PsuWrite(*p == '"' ? "\"\"" : acChar);
  }
  PsuWrite("\"");
}

/* SYSTem:ERRor?: the oldest queued error, or 0,"No error". */
static void AnswerError(void) {
  uint8_t ucIndex;
  BeginAnswer();
  if (ucErrorCount == 0) {
    PsuWrite("0,\"No error\"");
    return;
  }
  WriteInteger(sErrors[0].iNumber);
  PsuWrite(",\"");
  PsuWrite(sErrors[0].pSText);
  PsuWrite("\"");
  ucErrorCount--;
  for (ucIndex = 0; ucIndex < ucErrorCount; ucIndex++) sErrors[ucIndex] = sErrors[ucIndex + 1];
}

/* ---- Commands ----------------------------------------------------------------------------- */

static void Execute(uint8_t ucCmd, const SParam sParam[], uint8_t ucNumSufCnt,
                    const uint32_t uiNumSuf[]) {
  SOutput* psOutput = 0;
  switch (ucCmd) {
    case PSU_VOLT:
    case PSU_VOLT_Q:
    case PSU_CURR:
    case PSU_CURR_Q:
    case PSU_OUTP:
    case PSU_OUTP_Q:
      psOutput = OutputOf(ucNumSufCnt, uiNumSuf);
      if (psOutput == 0) return;
      break;
    default:
      break;
  }
  switch (ucCmd) {
    case PSU_CLS:
      ucErrorCount = 0;
      break;
    case PSU_IDN_Q:
      BeginAnswer();
      PsuWrite(PSU_IDENTITY);
      break;
    case PSU_RST:
      PsuReset();
      break;
    case PSU_VOLT:
      SetLevel(&psOutput->ulMilliVolts, &sParam[0], PSU_MAX_MILLIVOLTS);
      break;
    case PSU_VOLT_Q:
      AnswerLevel(psOutput->ulMilliVolts, &sParam[0], PSU_MAX_MILLIVOLTS);
      break;
    case PSU_CURR:
      SetLevel(&psOutput->ulMilliAmps, &sParam[0], PSU_MAX_MILLIAMPS);
      break;
    case PSU_CURR_Q:
      AnswerLevel(psOutput->ulMilliAmps, &sParam[0], PSU_MAX_MILLIAMPS);
      break;
    case PSU_OUTP:
      SwitchOutput(psOutput, &sParam[0]);
      break;
    case PSU_OUTP_Q:
      BeginAnswer();
      PsuWrite(psOutput->bOn ? "1" : "0");
      break;
    case PSU_INST_COUP:
      Couple(&sParam[0]);
      break;
    case PSU_DISP_TEXT:
      SetDisplay(&sParam[0]);
      break;
    case PSU_DISP_TEXT_Q:
      AnswerDisplay();
      break;
    case PSU_SYST_ERR_Q:
      AnswerError();
      break;
    default:
      break;
  }
}

/* Every command of one program message; a failed command is queued and the next one runs. */
static void ExecuteMessage(const char* pMessage) {
  const char* pSInput = pMessage;
  uint8_t bResetTree = 1;
  bAnswered = 0;
  for (;;) {
    SParam sParam[MAX_PARAMS];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucNumSufCnt = 0;
    const uint8_t ucErr = SCPI_Parse(&pSInput, bResetTree, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf);
    bResetTree = 0;
    if (ucErr == SCPI_ERR_NO_COMMAND) break;
    if (ucErr == SCPI_ERR_OK) {
      Execute(ucCmd, sParam, ucNumSufCnt, uiNumSuf);
    } else {
      QueueParserError(ucErr);
    }
  }
  if (bAnswered) PsuWrite("\n");
}

void PsuReset(void) {
  uint8_t ucIndex;
  for (ucIndex = 0; ucIndex < PSU_OUTPUTS; ucIndex++) {
    sOutputs[ucIndex].ulMilliVolts = 0;
    sOutputs[ucIndex].ulMilliAmps = 0;
    sOutputs[ucIndex].bOn = 0;
  }
  ucCoupled = 0;
  acDisplay[0] = '\0';
}

void PsuRun(void) {
  static char acMessage[PSU_MESSAGE_LEN + 1];
  uint16_t uiLen = 0;
  uint8_t bOverrun = 0;
  int iByte;
  while ((iByte = PsuReadByte()) >= 0) {
    if (iByte != '\n') {
      if (uiLen < PSU_MESSAGE_LEN) {
        acMessage[uiLen++] = (char)iByte;
      } else {
        bOverrun = 1;
      }
      continue;
    }
    acMessage[uiLen] = '\0';
    if (bOverrun) {
      QueueError(-363, "Input buffer overrun");
    } else {
      ExecuteMessage(acMessage);
    }
    uiLen = 0;
    bOverrun = 0;
  }
  /* A last message without its LF, as a host's input may end. */
  if (uiLen > 0 && !bOverrun) {
    acMessage[uiLen] = '\0';
    ExecuteMessage(acMessage);
  }
}
