/* SPDX-License-Identifier: MIT */
/*
 * The bench supply on a host: standard input stands in for the UART, standard output for its
 * transmit side.
 *
 *   printf 'VOLT 5;:VOLT?\n' | ./psu
 */
#include <stdio.h>

#include "psu_loop.h"

int PsuReadByte(void) {
  const int iChar = getchar();
  return iChar == EOF ? -1 : iChar;
}

void PsuWrite(const char* pText) {
  fputs(pText, stdout);
  fflush(stdout);
}

int main(void) {
  PsuReset();
  PsuRun();
  return 0;
}
