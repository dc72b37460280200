/* SPDX-License-Identifier: MIT */
/*
 * Images run on an emulated board with semihosting: standard input, output and error, the
 * command line and the exit status are the debugger's (the emulator's). The start-up code's
 * hooks paint the stack before main and, after it, report the stack and heap the image used on
 * standard error, then exit with main's result.
 */
#ifndef FIRMWARE_SEMIHOSTING_H
#define FIRMWARE_SEMIHOSTING_H

/** Word N of the image's command line (0 is the image's name), or "" when there is none. */
const char* SemihostingArgument(unsigned uiIndex);

#endif /* FIRMWARE_SEMIHOSTING_H */
