/* SPDX-License-Identifier: MIT */
/* Stand-in for the power-supply example's loop: the same port functions, over the demo table. */
#ifndef PSU_LOOP_H
#define PSU_LOOP_H

/* The port: the next received byte, or -1 when there is none. */
int PsuReadByte(void);

/* The port: sends an answer (a NUL-terminated text). */
void PsuWrite(const char* pText);

/* Gathers the received bytes into a program message at each LF, parses it and answers, until
 * PsuReadByte returns -1. */
void PsuRun(void);

#endif /* PSU_LOOP_H */
