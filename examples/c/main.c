/* SPDX-License-Identifier: MIT */
/* Parses one SCPI program message with Orvane-SCPI Parser and prints every command it holds,
 * reading each parameter back through the accessor functions.
 *
 *   parse_line 'meas:volt:dc? 10 mV, max; :syst:err:enab (1,3:5)'
 */
#include <stdio.h>

#include <orvane-scpi/scpi_table.h> /* scpi.h and the command table: CmdSpecs names the commands */

static void PrintNumber(const SParam* psParam) {
  double fdVal = 0;
  EUnits eUnits = U_NONE;
  SCPI_ParamToDouble(psParam, &fdVal);
  SCPI_ParamUnits(psParam, &eUnits);
  printf("number %g (units %u)\n", fdVal, (unsigned)eUnits);
}

static void PrintNumList(const SParam* psParam) {
  SParam sFirst, sLast;
  uint8_t bRange = 0;
  uint8_t ucIndex;
  printf("numeric list\n");
  for (ucIndex = 0; SCPI_GetNumListEntry(psParam, ucIndex, &bRange, &sFirst, &sLast) == 0;
       ucIndex++) {
    double fdFirst = 0, fdLast = 0;
    SCPI_ParamToDouble(&sFirst, &fdFirst);
    if (bRange) {
      SCPI_ParamToDouble(&sLast, &fdLast);
      printf("    entry %u: %g to %g\n", ucIndex, fdFirst, fdLast);
    } else {
      printf("    entry %u: %g\n", ucIndex, fdFirst);
    }
  }
}

#define MAX_DIMS 4

static void PrintChanList(const SParam* psParam) {
  SParam sFirst[MAX_DIMS], sLast[MAX_DIMS];
  uint8_t ucDims = MAX_DIMS, bRange = 0, ucIndex, ucDim;
  printf("channel list\n");
  for (ucIndex = 0;
       SCPI_GetChanListEntry(psParam, ucIndex, &ucDims, &bRange, sFirst, sLast) == 0;
       ucIndex++, ucDims = MAX_DIMS) {
    printf("    entry %u:", ucIndex);
    for (ucDim = 0; ucDim < ucDims; ucDim++) {
      double fdVal = 0;
      SCPI_ParamToDouble(&sFirst[ucDim], &fdVal);
      printf("%s%g", ucDim ? "!" : " ", fdVal);
    }
    for (ucDim = 0; bRange && ucDim < ucDims; ucDim++) {
      double fdVal = 0;
      SCPI_ParamToDouble(&sLast[ucDim], &fdVal);
      printf("%s%g", ucDim ? "!" : " to ", fdVal);
    }
    printf("\n");
  }
}

static void PrintParam(const SParam* psParam) {
  EPType ePType = P_NONE;
  ENumSubtype eSubtype = 0;
  uint8_t ucVal = 0;
  const char* pText = NULL;
  uint8_t ucLen = 0;
  char cDelimiter = 0;

  SCPI_ParamType(psParam, &ePType, &eSubtype);
  switch (ePType) {
    case P_NONE:
      printf("absent\n");
      break;
    case P_NUM:
      PrintNumber(psParam);
      break;
    case P_BOOL:
      SCPI_ParamToBOOL(psParam, &ucVal);
      printf("Boolean %s\n", ucVal ? "ON" : "OFF");
      break;
    case P_CH_DAT:
      SCPI_ParamToCharDataItem(psParam, &ucVal);
      printf("choice %u\n", ucVal);
      break;
    case P_NUM_LIST:
      PrintNumList(psParam);
      break;
    case P_CHAN_LIST:
      PrintChanList(psParam);
      break;
    default: /* strings and expressions: a span of the input line, not NUL-terminated */
      SCPI_ParamToString(psParam, &pText, &ucLen, &cDelimiter);
      printf("text [%.*s]\n", (int)ucLen, pText);
      break;
  }
}

int main(int argc, char* argv[]) {
  const char* pLine = argc > 1 ? argv[1] : "meas:volt:dc? 10 mV, max; :syst:err:enab (1,3:5)";
  const char* pSInput = pLine; /* SCPI_Parse moves it on, one command per call */
  uint8_t bResetTree = 1;      /* each new line starts at the root of the command tree */
  int iFailures = 0;

  for (;;) {
    SParam sParam[MAX_PARAMS];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucNumSufCnt = 0, ucSuf, ucSlot;
    uint8_t ucErr = SCPI_Parse(&pSInput, bResetTree, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf);
    bResetTree = 0;
    if (ucErr == SCPI_ERR_NO_COMMAND) break;
    if (ucErr != SCPI_ERR_OK) { /* the next call goes on after the failed command */
      printf("error %u\n", ucErr);
      iFailures++;
      continue;
    }
    printf("command %u: %s\n", ucCmd, CmdSpecs[ucCmd]);
    for (ucSuf = 0; ucSuf < ucNumSufCnt; ucSuf++) {
      printf("  suffix %u: %lu\n", ucSuf, (unsigned long)uiNumSuf[ucSuf]);
    }
    for (ucSlot = 0; ucSlot < MAX_PARAMS && sParam[ucSlot].ePType != P_NONE; ucSlot++) {
      printf("  parameter %u: ", ucSlot + 1);
      PrintParam(&sParam[ucSlot]);
    }
  }
  return iFailures == 0 ? 0 : 1;
}
