/* SPDX-License-Identifier: MIT */
/* The firmware image's transport for the power supply: a fake UART whose received bytes are a
 * constant text, handed to the session one at a time as a receive interrupt would, and whose
 * transmitted bytes are kept in RAM (a debugger can read them from acUartOutput). */
#include "psu_instrument.h"

static const char acUartInput[] =
    "*RST;*IDN?\n"
    "VOLT 5;:CURR 1.5 A;:OUTP1 ON;:MEAS:VOLT?\n"
    "SOUR2:VOLT MAX;:VOLT2?;:OUTP2?\n"
    "LIST:VOLT #18\x41\x20\x00\x00\x00\x00\x00\x00;:LIST:VOLT?\n"
    "INST:COUP (@1:2);:DISP:TEXT 'Ready'\n"
    "VOLT 1e44;:FROB\n"
    "SYST:ERR?;:SYST:ERR?;:SYST:ERR?;*ESR?\n";

#define OUTPUT_CAPACITY 512
char acUartOutput[OUTPUT_CAPACITY];
static unsigned uiOutputLen;
static SPsuSession sUart;

/* Keeps what fits; the rest of a long answer is lost, as on a full transmit buffer. */
static void UartWrite(SScpiSession* psSession, const char* pcData, uint16_t uiLen) {
  (void)psSession;
  while (uiLen-- > 0 && uiOutputLen + 1 < OUTPUT_CAPACITY) acUartOutput[uiOutputLen++] = *pcData++;
  acUartOutput[uiOutputLen] = '\0';
}

int main(void) {
  unsigned uiPos;
  PsuPowerOn();
  PsuSessionInit(&sUart, UartWrite, 0);
  for (uiPos = 0; uiPos + 1 < sizeof acUartInput; uiPos++) {
    SCPI_Input(&sUart.sSession, &acUartInput[uiPos], 1);
  }
  for (;;) {
  }
}
