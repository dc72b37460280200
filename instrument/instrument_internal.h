// SPDX-License-Identifier: MIT
// What the instrument layer's source files share: session flag bits and the output primitives.
#ifndef ORVANE_SCPI_INSTRUMENT_INTERNAL_H
#define ORVANE_SCPI_INSTRUMENT_INTERNAL_H

#include <orvane-scpi/scpi_instrument.h>

// Parameter records a command can fill; the table's width is at most this.
#ifndef SCPI_MAX_PARAM_SLOTS
#define SCPI_MAX_PARAM_SLOTS 8
#endif

// SScpiSession.ucFlags.
constexpr uint8_t FLAG_READ_REQUEST = 0x01;  // responses wait for SCPI_ReadRequest
constexpr uint8_t FLAG_PENDING = 0x02;       // a finished response waits to be read
constexpr uint8_t FLAG_RESPONDED = 0x04;     // the current message has written a response
constexpr uint8_t FLAG_ELEMENT = 0x08;       // the current command has written a data element
constexpr uint8_t FLAG_OPC_ARMED = 0x10;     // *OPC waits for overlapped operations
constexpr uint8_t FLAG_DISCARD = 0x20;       // an overrun message is dropped up to its end
constexpr uint8_t FLAG_MSS = 0x40;           // the master summary as last seen
constexpr uint8_t FLAG_RQS = 0x80;           // service requested, not yet serial-polled

// Bit 15 of the SCPI status registers is always 0.
constexpr uint16_t STATUS_REG_MASK = 0x7FFF;

// Appends bytes to the response, writing out each full buffer.
void ScpiPut(SScpiSession* psSession, const char* pcData, uint32_t ulLen);
// Starts a data element: ',' after an element of the same query, ';' after another query's.
void ScpiBeginElement(SScpiSession* psSession);
// Hands the buffered bytes to the write function.
void ScpiFlush(SScpiSession* psSession);
// Writes the digits of a magnitude into the end of acText; returns the first digit.
char* ScpiDigits(uint64_t ullVal, char* pcEnd);
// Re-evaluates the master summary and raises RQS (and the callback) when it rises.
void ScpiUpdateRequest(SScpiSession* psSession);

#endif
