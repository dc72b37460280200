/* SPDX-License-Identifier: MIT */
/* Parses a line against the parent's own table, reading values in integers only, after saying
 * whether the library traces. */
#include <stdio.h>
#include <orvane-scpi/scpi.h>

int main(void) {
  const char* pSInput = "volt 1500 mV; :outp on; :outp 0.4; :curr 1";
  uint8_t bResetTree = 1;
  printf("trace %d\n", SCPI_TRACE);
  for (;;) {
    SParam sParam[MAX_PARAMS];
    uint32_t uiNumSuf[MAX_NUM_SUFFIX];
    uint8_t ucCmd = 0, ucNumSufCnt = 0, bVal = 0;
    int32_t lVal = 0;
    uint8_t ucErr = SCPI_Parse(&pSInput, bResetTree, &ucCmd, sParam, &ucNumSufCnt, uiNumSuf);
    bResetTree = 0;
    if (ucErr == SCPI_ERR_NO_COMMAND) return 0;
    if (ucErr != SCPI_ERR_OK) {
      printf("error %u\n", ucErr);
    } else if (SCPI_ParamToBOOL(&sParam[0], &bVal) == SCPI_ERR_OK) {
      printf("command %u %u\n", ucCmd, bVal);
    } else if (SCPI_ParamToLong(&sParam[0], &lVal) == SCPI_ERR_OK) {
      printf("command %u %ld\n", ucCmd, (long)lVal);
    }
  }
}
