// SPDX-License-Identifier: MIT
// Parsola report core: how report and trace lines write a real value.
#include "real_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace parsola {

namespace {

constexpr int SIGNIFICANT_DIGITS = 15;
// With the value written as d.ddd x 10^X, fixed notation is used for X from -4 to 14.
constexpr int FIXED_MIN_EXP = -4;
constexpr int FIXED_MAX_EXP = SIGNIFICANT_DIGITS - 1;

}  // namespace

std::string RealText(double fdVal) {
  if (fdVal == 0) return "0";  // negative zero too
  if (std::isnan(fdVal)) return "NAN";
  if (std::isinf(fdVal)) return fdVal < 0 ? "-INF" : "INF";

  // to_chars rounds the exact binary value, ties to even, and never looks at the locale:
  // "-d.dddddddddddddde-XX".
  char acSci[32];
  const std::to_chars_result sRes =
      std::to_chars(acSci, acSci + sizeof(acSci), std::fabs(fdVal), std::chars_format::scientific,
                    SIGNIFICANT_DIGITS - 1);
  *sRes.ptr = '\0';

  std::string sDigits;
  const char* p = acSci;
  for (; *p != 'e'; ++p) {
    if (*p != '.') sDigits += *p;
  }
  const int iExp = std::atoi(p + 1);
  while (sDigits.size() > 1 && sDigits.back() == '0') sDigits.pop_back();

  std::string sText = fdVal < 0 ? "-" : "";
  if (iExp < FIXED_MIN_EXP || iExp > FIXED_MAX_EXP) {
    sText += sDigits[0];
    if (sDigits.size() > 1) sText += '.' + sDigits.substr(1);
    sText += 'E';
    sText += std::to_string(iExp);
  } else if (iExp < 0) {
    sText += "0." + std::string(static_cast<size_t>(-iExp - 1), '0') + sDigits;
  } else {
    const size_t uWhole = static_cast<size_t>(iExp) + 1;
    if (sDigits.size() <= uWhole) {
      sText += sDigits + std::string(uWhole - sDigits.size(), '0');
    } else {
      sText += sDigits.substr(0, uWhole) + '.' + sDigits.substr(uWhole);
    }
  }
  return sText;
}

}  // namespace parsola
