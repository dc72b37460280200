/* SPDX-License-Identifier: MIT */
/* The firmware image's port of the loop: a fake UART whose received bytes are a constant text
 * and whose answers are kept in a RAM buffer (a debugger can read them from acUartOutput). */
#include "psu_loop.h"

static const char acUartInput[] =
    "*RST\n"
    "meas:volt:dc? 10 mV, max; :syst:err:enab (1,3:5)\n"
    "outp:rel 0.5; :rout:open (@1!2:3!4,5!6)\n"
    "trig:sour ext2; :disp:text 'It''s'\n"
    "volt:dc:rang 1e44; :frob\n";

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
