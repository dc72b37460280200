/* SPDX-License-Identifier: MIT */
/* The power supply's transport on an emulated board: one session whose received bytes are the
 * console's standard input and whose output is its standard output, both through semihosting,
 * as psu-sim --stdio serves it on a host. */
#include <unistd.h>

#include "psu_instrument.h"

/* Bytes taken from the console per read. */
#define CONSOLE_READ_CHUNK 64

static SPsuSession sConsole;

static void ConsoleWrite(SScpiSession* psSession, const char* pcData, uint16_t uiLen) {
  (void)psSession;
  while (uiLen > 0) {
    const int iWritten = (int)write(1, pcData, uiLen);
    if (iWritten <= 0) return;
    pcData += iWritten;
    uiLen = (uint16_t)(uiLen - iWritten);
  }
}

int main(void) {
  char acChunk[CONSOLE_READ_CHUNK];
  int iRead;
  PsuPowerOn();
  if (PsuSessionInit(&sConsole, ConsoleWrite, 0) != SCPI_ERR_OK) return 1;
  while ((iRead = (int)read(0, acChunk, sizeof acChunk)) > 0) {
    SCPI_Input(&sConsole.sSession, acChunk, (uint32_t)iRead);
  }
  SCPI_InputEnd(&sConsole.sSession);
  return 0;
}
