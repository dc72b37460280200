/* SPDX-License-Identifier: MIT */
/*
 * The public headers from C: a C99 program that parses a line through the flat interface and
 * reads the results back, the way instrument firmware written in C uses the library.
 */
#include <stdio.h>
#include <string.h>

#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_instrument.h> /* compiles as pedantic C99 as well */
#include <orvane-scpi/scpi_table.h>

static int iFailures = 0;

static void Check(int bOk, const char* pWhat) {
  if (!bOk) {
    fprintf(stderr, "FAILED: %s\n", pWhat);
    ++iFailures;
  }
}

int main(void) {
  const char* pLine = "*rst;outp:ttlt18";
  const char* p = pLine;
  SParam sParam[MAX_PARAMS];
  uint32_t uiNumSuf[MAX_NUM_SUFFIX];
  uint8_t ucCmd = 255;
  uint8_t ucSufCnt = 255;
  EPType ePType = P_NUM;
  ENumSubtype eSubtype = 0;

  Check(SCPI_Parse(&p, 1, &ucCmd, sParam, &ucSufCnt, uiNumSuf) == SCPI_ERR_OK, "*rst parses");
  Check(ucCmd == 7, "*rst is command 7");
  Check(strcmp(CmdSpecs[ucCmd], "*RST") == 0, "command 7 reads *RST");
  Check(ucSufCnt == 0, "*rst has no suffix");
  Check(p == pLine + 4, "read position on the ';'");
  Check(SCPI_ParamType(&sParam[0], &ePType, &eSubtype) == SCPI_ERR_OK && ePType == P_NONE,
        "*rst has no parameter");

  Check(SCPI_Parse(&p, 0, &ucCmd, sParam, &ucSufCnt, uiNumSuf) == SCPI_ERR_OK, "outp:ttlt18 parses");
  Check(ucCmd == 71, "outp:ttlt18 is command 71");
  Check(ucSufCnt == 1 && uiNumSuf[0] == 18, "outp:ttlt18 has the suffix 18");
  Check(*p == '\0', "read position at the end");

  Check(SCPI_Parse(&p, 0, &ucCmd, sParam, &ucSufCnt, uiNumSuf) == SCPI_ERR_NO_COMMAND,
        "end of commands");
  Check(UnitSuffixes[0].eUnits == U_VOLT && UnitSuffixes[0].cExp == -9, "first unit suffix NV");
  Check(ParamSpecs[1][0].ePType == P_NUM, "*ESE takes a number");

  /* The header's version is the project's (ORVANE_PROJECT_VERSION comes from the build). */
  Check(strcmp(ORVANE_SCPI_VERSION_STRING, ORVANE_PROJECT_VERSION) == 0, "version string");
  {
    char acVersion[32];
    snprintf(acVersion, sizeof acVersion, "%d.%d.%d", ORVANE_SCPI_VERSION_MAJOR,
             ORVANE_SCPI_VERSION_MINOR, ORVANE_SCPI_VERSION_PATCH);
    Check(strcmp(acVersion, ORVANE_SCPI_VERSION_STRING) == 0, "version numbers");
  }

  if (iFailures == 0) printf("c_api_test: all checks passed\n");
  return iFailures == 0 ? 0 : 1;
}
