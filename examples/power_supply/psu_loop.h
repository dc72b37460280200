/* SPDX-License-Identifier: MIT */
/*
 * The bench supply's firmware loop: bytes arrive one at a time, a program message ends at LF,
 * and each of its commands is carried out; query answers of one message go out together,
 * separated by ';' and ended by LF. It needs no heap and no floating point.
 *
 * The port (a UART on the board, standard input and output on a host) provides the two
 * functions below.
 */
#ifndef PSU_LOOP_H
#define PSU_LOOP_H

#ifdef __cplusplus
extern "C" {
#endif

/** The next byte from the interface, or -1 when no more will come. Provided by the port. */
int PsuReadByte(void);

/** Writes a NUL-terminated text to the interface. Provided by the port. */
void PsuWrite(const char* pText);

/** The state after power-on and *RST: outputs off at 0 V and 0 A, nothing coupled. */
void PsuReset(void);

/** Reads and carries out program messages until PsuReadByte returns -1. */
void PsuRun(void);

#ifdef __cplusplus
}
#endif

#endif /* PSU_LOOP_H */
