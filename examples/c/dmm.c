/* SPDX-License-Identifier: MIT */
/* Carries out a multimeter's program message: each command through a switch over its
 * command type, each parameter through the accessors.
 *
 *   dmm ':FORM:ELEM VOLT, CURR, TIME; :VOLT:RANG MAX; :CAL:TABL #14ABCD'
 */
#include <stdio.h>
#include <string.h>

#include "dmm_table.h"

/* A range: a number in its units, or one of MINimum, MAXimum, DEFault. */
static void PrintRange(const char* pName, const SParam* psParam) {
  static const char* const LEVELS[] = {"minimum", "maximum", "default"};
  uint8_t ucItem = 0;
  double fdVal = 0;
  if (SCPI_ParamToCharDataItem(psParam, &ucItem) == SCPI_ERR_OK) {
    printf("%s range: %s\n", pName, LEVELS[ucItem]);
  } else if (SCPI_ParamToDouble(psParam, &fdVal) == SCPI_ERR_OK) {
    printf("%s range: %g\n", pName, fdVal);
  }
}

static void Execute(EDmmCommand eCmd, const SParam sParam[]) {
  static const char* const ELEMENTS[] = {"voltage", "current", "resistance", "time", "status"};
  uint8_t ucSlot, ucItem;
  const uint8_t* pucData = NULL;
  uint32_t ulLen = 0;
  switch (eCmd) { /* -Wswitch names a command this switch forgets */
    case DMM_RST:
      printf("reset\n");
      break;
    case DMM_FORM_ELEM:
      printf("elements:");
      for (ucSlot = 0; ucSlot < DMM_WIDTH; ucSlot++) {
        if (SCPI_ParamToCharDataItem(&sParam[ucSlot], &ucItem) == SCPI_ERR_OK) {
          printf(" %s", ELEMENTS[ucItem]);
        }
      }
      printf("\n");
      break;
    case DMM_VOLT_RANG:
      PrintRange("voltage", &sParam[0]);
      break;
    case DMM_CURR_RANG:
      PrintRange("current", &sParam[0]);
      break;
    case DMM_CAL_TABLE: /* the bytes stay in the message: nothing is copied */
      SCPI_ParamToBlock(&sParam[0], &pucData, &ulLen);
      printf("calibration table: %lu bytes\n", (unsigned long)ulLen);
      break;
  }
}

int main(int argc, char* argv[]) {
  const char* pMessage = argc > 1 ? argv[1] : ":FORM:ELEM VOLT, CURR, TIME; :VOLT:RANG MAX";
  const char* pSInput = pMessage;
  const char* const pSEnd = pMessage + strlen(pMessage);
  SScpiContext sCtx; /* one per interface: its table, rules and command tree path */
  uint8_t bResetTree = 1;
  int iFailures = 0;

  if (SCPI_ContextInit(&sCtx, &DmmTable, SCPI_RULES_LIBRARY) != SCPI_ERR_OK) return 2;
  for (;; bResetTree = 0) {
    SParam sParam[DMM_WIDTH];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucNumSufCnt = 0;
    const uint8_t ucErr = SCPI_ParseCtx(&sCtx, &pSInput, pSEnd, bResetTree, &ucCmd, sParam,
                                        &ucNumSufCnt, uiNumSuf);
    if (ucErr == SCPI_ERR_NO_COMMAND) break;
    if (ucErr != SCPI_ERR_OK) {
      int16_t iNumber = 0;
      const char* pText = "";
      SCPI_StandardError(ucErr, &iNumber, &pText);
      printf("error %d,\"%s\"\n", iNumber, pText);
      iFailures++;
      continue;
    }
    Execute((EDmmCommand)ucCmd, sParam);
  }
  return iFailures == 0 ? 0 : 1;
}
