// SPDX-License-Identifier: MIT
// The power-supply-like instrument of the round-trip benchmark.
#ifndef ORVANE_ROUND_INSTRUMENT_H
#define ORVANE_ROUND_INSTRUMENT_H

#include <orvane-scpi/scpi_instrument.h>

#ifdef __cplusplus
extern "C" {
#endif

extern const SScpiInstrument RoundInstrument;

#ifdef __cplusplus
}
#endif

#endif
