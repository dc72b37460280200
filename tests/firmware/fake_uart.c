/* SPDX-License-Identifier: MIT */
/* The firmware image's port of the loop: a fake UART whose received bytes are a constant text
 * and whose answers are kept in a RAM buffer (a debugger can read them from acUartOutput). */
#include "psu_loop.h"

static const char acUartInput[] =
    "*RST;*IDN?\n"
    "VOLT 5;:CURR 1.5 A;:OUTP1 ON\n"
    "SOUR2:VOLT MAX;:VOLT2?;:OUTP2?\n"
    "INST:COUP (@1:2);:DISP:TEXT 'Ready'\n"
    "VOLT 1e44;:FROB\n"
    "SYST:ERR?;:SYST:ERR?;:SYST:ERR?\n";

#define OUTPUT_CAPACITY 512
char acUartOutput[OUTPUT_CAPACITY];
static unsigned uiInputPos;
static unsigned uiOutputLen;

int PsuReadByte(void) {
  if (uiInputPos + 1 >= sizeof acUartInput) return -1;
  return (unsigned char)acUartInput[uiInputPos++];
}

/* Keeps what fits; the rest of a long answer is lost, as on a full transmit buffer. */
void PsuWrite(const char* pText) {
  while (*pText != '\0' && uiOutputLen + 1 < OUTPUT_CAPACITY) acUartOutput[uiOutputLen++] = *pText++;
  acUartOutput[uiOutputLen] = '\0';
}

int main(void) {
  PsuRun();
  for (;;) {
  }
}
