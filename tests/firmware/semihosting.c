/* SPDX-License-Identifier: MIT */
/* Semihosting glue of the images run on emulated boards: the command line, and the stack and
 * heap use reported at exit on standard error, apart from the output being compared. */
#include "semihosting.h"

#include <stdint.h>
#include <stdlib.h>
#include <unistd.h>

/* From the linker script: the end of static data (the heap starts there) and the stack top. */
extern uint32_t end, _sdata, _estack;

extern void initialise_monitor_handles(void);

#define SYS_GET_CMDLINE 0x15
/* Words left unpainted below the painting function's own frame. */
#define PAINT_MARGIN_WORDS 16
#define STACK_PAINT 0xC5A7C5A7u
#define COMMAND_LINE_CAPACITY 128

static char acCommandLine[COMMAND_LINE_CAPACITY];

static int SemihostingCall(int iOperation, void* pArg) {
  register int r0 __asm__("r0") = iOperation;
  register void* r1 __asm__("r1") = pArg;
  __asm__ volatile("bkpt 0xAB" : "+r"(r0) : "r"(r1) : "memory");
  return r0;
}

const char* SemihostingArgument(unsigned uiIndex) {
  struct {
    char* pcBuffer;
    int iLen;
  } sBlock = {acCommandLine, COMMAND_LINE_CAPACITY - 1};
  char* pcWord;
  if (SemihostingCall(SYS_GET_CMDLINE, &sBlock) != 0) return "";
  acCommandLine[sBlock.iLen] = '\0';
  pcWord = acCommandLine;
  for (;;) {
    char* pcNext;
    while (*pcWord == ' ') pcWord++;
    if (*pcWord == '\0') return "";
    for (pcNext = pcWord; *pcNext != ' ' && *pcNext != '\0'; pcNext++) {
    }
    if (uiIndex-- == 0) {
      *pcNext = '\0';
      return pcWord;
    }
    pcWord = pcNext;
  }
}

/* From the end of static data up to just below the caller's frame. */
void FirmwareBeforeMain(void) {
  uint32_t* puiWord = &end;
  uint32_t* const puiTop = (uint32_t*)__builtin_frame_address(0) - PAINT_MARGIN_WORDS;
  while (puiWord < puiTop) *puiWord++ = STACK_PAINT;
  initialise_monitor_handles();
}

static void PutDecimal(const char* pSLabel, uint32_t ulVal) {
  char acText[16];
  unsigned uiPos = sizeof acText;
  unsigned uiLabel = 0;
  do {
    acText[--uiPos] = (char)('0' + ulVal % 10);
    ulVal /= 10;
  } while (ulVal != 0);
  while (pSLabel[uiLabel] != '\0') uiLabel++;
  write(2, pSLabel, uiLabel);
  write(2, acText + uiPos, sizeof acText - uiPos);
}

/* The deepest the stack went is the lowest word that lost its paint above the heap. */
void FirmwareAfterMain(int iStatus) {
  const uint32_t* const puiHeapTop = (const uint32_t*)sbrk(0);
  const uint32_t* puiWord = puiHeapTop > &end ? puiHeapTop : &end;
  while (puiWord < &_estack && *puiWord == STACK_PAINT) puiWord++;
  PutDecimal("stack ", (uint32_t)((uintptr_t)&_estack - (uintptr_t)puiWord));
  PutDecimal(" bytes, heap ", (uint32_t)((uintptr_t)puiHeapTop - (uintptr_t)&end));
  PutDecimal(" bytes, static data ", (uint32_t)((uintptr_t)&end - (uintptr_t)&_sdata));
  PutDecimal(" bytes, RAM ", (uint32_t)((uintptr_t)&_estack - (uintptr_t)&_sdata));
  write(2, " bytes\n", 7);
  exit(iStatus);
}
