/* SPDX-License-Identifier: MIT */
/* Start-up of the firmware images: the vector table and the reset handler, which copies the
 * initialised data to RAM, clears the rest and runs main between two hooks (an image run on an
 * emulator measures its stack in them and exits with main's result). */
#include <stdint.h>

/* From the linker script. */
extern uint32_t _sidata, _sdata, _edata, _sbss, _ebss, _estack;

int main(void);

void Reset_Handler(void);

__attribute__((weak)) void FirmwareBeforeMain(void) {}
__attribute__((weak)) void FirmwareAfterMain(int iStatus) { (void)iStatus; }

static void Default_Handler(void) {
  for (;;) {
  }
}

void Reset_Handler(void) {
  const uint32_t* pSrc = &_sidata;
  uint32_t* pDst;
  for (pDst = &_sdata; pDst < &_edata;) *pDst++ = *pSrc++;
  for (pDst = &_sbss; pDst < &_ebss;) *pDst++ = 0;
  FirmwareBeforeMain();
  FirmwareAfterMain(main());
  Default_Handler();
}

typedef void (*FHandler)(void);

/* The stack top, then the core's exceptions: reset, NMI, hard fault, seven reserved or
 * fault entries, SVCall, two reserved, PendSV, SysTick. The part's interrupts would follow. */
#define CORE_VECTORS 16
__attribute__((section(".isr_vector"), used)) const FHandler VectorTable[CORE_VECTORS] = {
    (FHandler)&_estack, Reset_Handler,   Default_Handler, Default_Handler,
    Default_Handler,    Default_Handler, Default_Handler, 0,
    0,                  0,               0,               Default_Handler,
    0,                  0,               Default_Handler, Default_Handler};
