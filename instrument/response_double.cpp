// SPDX-License-Identifier: MIT
// The double response formatter, on its own so that float-free firmware never links it: NR3 with
// a chosen number of significant digits, and the SCPI values of infinity and not-a-number.
#include <string.h>

#include "instrument_internal.h"

namespace {

// 10^(2^i), for scaling by any power of ten in a few multiplications.
constexpr double BINARY_POWERS_OF_TEN[] = {1e1, 1e2, 1e4, 1e8, 1e16, 1e32, 1e64, 1e128, 1e256};
constexpr char INFINITY_TEXT[] = "9.9E37";
constexpr char NAN_TEXT[] = "9.91E37";
// log10(2) as a fraction of 2^18, for the estimate of a decimal exponent from a binary one.
constexpr int32_t LOG10_2_Q18 = 78913;
constexpr int DOUBLE_EXPONENT_BIAS = 1023;

// fdVal times 10^iPower, |iPower| below 512.
double ScaleByPowerOfTen(double fdVal, int iPower) {
  const uint8_t bDivide = iPower < 0;
  unsigned uiPower = (unsigned)(bDivide ? -iPower : iPower);
  for (unsigned ui = 0; uiPower; ++ui, uiPower >>= 1) {
    if (!(uiPower & 1u)) continue;
    fdVal = bDivide ? fdVal / BINARY_POWERS_OF_TEN[ui] : fdVal * BINARY_POWERS_OF_TEN[ui];
  }
  return fdVal;
}

uint64_t PowerOfTen(uint8_t ucPower) {
  uint64_t ull = 1;
  while (ucPower--) ull *= 10;
  return ull;
}

}  // namespace

extern "C" void SCPI_RespondDouble(SScpiSession* psSession, double fdVal, uint8_t ucDigits) {
  if (fdVal != fdVal) {
    SCPI_RespondText(psSession, NAN_TEXT, sizeof NAN_TEXT - 1);
    return;
  }
  const uint8_t bNeg = fdVal < 0;
  const double fdMag = bNeg ? -fdVal : fdVal;
  if (fdMag > 1.7976931348623157e308) {
    SCPI_RespondText(psSession, bNeg ? "-9.9E37" : INFINITY_TEXT,
                     (uint16_t)(sizeof INFINITY_TEXT - 1 + bNeg));
    return;
  }
  if (ucDigits < 1) ucDigits = 1;
  if (ucDigits > SCPI_DOUBLE_DIGITS_MAX) ucDigits = SCPI_DOUBLE_DIGITS_MAX;
  const uint64_t ullLow = PowerOfTen((uint8_t)(ucDigits - 1));
  uint64_t ullMant = 0;
  int iExp10 = 0;
  if (fdMag != 0) {
    uint64_t ullBits;
    memcpy(&ullBits, &fdMag, sizeof ullBits);
    const int iExp2 = (int)(ullBits >> 52) - DOUBLE_EXPONENT_BIAS;
    iExp10 = (int)((int32_t)iExp2 * LOG10_2_Q18 >> 18);
    // The estimate may be high (by more for subnormal values): scale so that ucDigits digits
    // stand before the point.
    double fdScaled = ScaleByPowerOfTen(fdMag, ucDigits - 1 - iExp10);
    while (fdScaled < (double)ullLow) {
      --iExp10;
      fdScaled = ScaleByPowerOfTen(fdMag, ucDigits - 1 - iExp10);
    }
    ullMant = (uint64_t)(fdScaled + 0.5);
    if (ullMant >= ullLow * 10) {
      ullMant = (ullMant + 5) / 10;
      ++iExp10;
    }
  }
  // d.ddddE+xx
  char acText[SCPI_DOUBLE_DIGITS_MAX + 10];
  char* pcEnd = acText + sizeof acText;
  char* pc = ScpiDigits((uint64_t)(iExp10 < 0 ? -iExp10 : iExp10), pcEnd);
  if (pcEnd - pc < 2) *--pc = '0';
  *--pc = iExp10 < 0 ? '-' : '+';
  *--pc = 'E';
  char* pcMant = ScpiDigits(ullMant, pc);
  while (pc - pcMant < ucDigits) *--pcMant = '0';
  if (ucDigits > 1) {
    pcMant[-1] = pcMant[0];
    pcMant[0] = '.';
    --pcMant;
  }
  if (bNeg) *--pcMant = '-';
  SCPI_RespondText(psSession, pcMant, (uint16_t)(pcEnd - pcMant));
}
