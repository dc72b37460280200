// SPDX-License-Identifier: MIT
// The power-supply-like instrument of the round-trip benchmark: the mandatory commands, and
// voltage, current, output state and measurements of two outputs.
#ifndef ORVANE_ROUND_INSTRUMENT_H
#define ORVANE_ROUND_INSTRUMENT_H

#include <orvane-scpi/scpi_declare.h>
#include <orvane-scpi/scpi_instrument.h>

/* clang-format off */
#define ROUND_COMMANDS(CMD) \
  SCPI_MANDATORY_COMMANDS(CMD) \
  CMD(RND_VOLT,   "[SOURce#:]VOLTage[:LEVel][:IMMediate][:AMPLitude]",  Volt,      SCPI_NUM(&Volts)) \
  CMD(RND_VOLT_Q, "[SOURce#:]VOLTage[:LEVel][:IMMediate][:AMPLitude]?", VoltQuery) \
  CMD(RND_CURR,   "[SOURce#:]CURRent[:LEVel][:IMMediate][:AMPLitude]",  Curr,      SCPI_NUM(&Amps)) \
  CMD(RND_CURR_Q, "[SOURce#:]CURRent[:LEVel][:IMMediate][:AMPLitude]?", CurrQuery) \
  CMD(RND_OUTP,   "OUTPut#[:STATe]",                                    Outp,      SCPI_BOOL(&OnOff)) \
  CMD(RND_OUTP_Q, "OUTPut#[:STATe]?",                                   OutpQuery) \
  CMD(RND_MEAS_VOLT_Q, "MEASure#:VOLTage[:DC]?",                        MeasVolt) \
  CMD(RND_MEAS_CURR_Q, "MEASure#:CURRent[:DC]?",                        MeasCurr)
/* clang-format on */

#ifdef __cplusplus
extern "C" {
#endif

extern const SScpiTable RoundTable;
extern const SScpiInstrument RoundInstrument;

#ifdef __cplusplus
}
#endif

#endif
