/* SPDX-License-Identifier: MIT */
/*
 * The bench supply as an instrument: its command table (psu_commands.h), handlers and state
 * (psu_instrument.c), the same on every transport. A transport owns one SPsuSession per
 * interface (a UART, one TCP connection), starts it with PsuSessionInit, hands it the bytes it
 * receives with SCPI_Input and sends what the session's write function is given.
 *
 * The sizes below suit a host; a small part shrinks them, for example
 * -DPSU_LIST_POINTS=16 -DPSU_INPUT_SIZE=256 on a Cortex-M0 with 8 KiB of RAM.
 */
#ifndef PSU_INSTRUMENT_H
#define PSU_INSTRUMENT_H

#include <orvane-scpi/scpi_instrument.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Points of a LIST:VOLTage, 4 bytes each per output: SCPI lists commonly hold up to 1,000. */
#ifndef PSU_LIST_POINTS
#define PSU_LIST_POINTS 1000
#endif

/* Longest program message: a full LIST:VOLTage block with its header fits. */
#ifndef PSU_INPUT_SIZE
#define PSU_INPUT_SIZE (PSU_LIST_POINTS * 4 + 64)
#endif

/* Piece size of a session's writes: a response of any length goes out in pieces of this size. */
#ifndef PSU_OUTPUT_SIZE
#define PSU_OUTPUT_SIZE 64
#endif

/* Entries of a session's error/event queue; the newest becomes -350 when it is full. */
#ifndef PSU_ERROR_QUEUE_LEN
#define PSU_ERROR_QUEUE_LEN 8
#endif

/* Characters DISPlay:TEXT keeps: the width of the front panel's display. */
#ifndef PSU_DISPLAY_LEN
#define PSU_DISPLAY_LEN 32
#endif

/** One session of the supply with its buffers. */
typedef struct {
  SScpiSession sSession;
  char acInput[PSU_INPUT_SIZE];
  char acOutput[PSU_OUTPUT_SIZE];
  SScpiError asErrors[PSU_ERROR_QUEUE_LEN];
} SPsuSession;

/** The supply: its table, handlers, identity and *RST. */
extern const SScpiInstrument PsuInstrument;

/** Power-on: outputs off at 0 V and 0 A, nothing coupled, empty lists and display. */
void PsuPowerOn(void);

/** Starts a session of the supply at power-on state; pfnWrite takes its output, pvUser is the
 *  transport's (psSession->sSession.pvUser). Returns the code of SCPI_SessionInit. */
uint8_t PsuSessionInit(SPsuSession* psSession, PFnScpiWrite pfnWrite, void* pvUser);

#ifdef __cplusplus
}
#endif

#endif /* PSU_INSTRUMENT_H */
