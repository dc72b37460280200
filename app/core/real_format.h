// SPDX-License-Identifier: MIT
// Parsola report core: how report and trace lines write a real value.
#ifndef PARSOLA_REAL_FORMAT_H
#define PARSOLA_REAL_FORMAT_H

#include <string>

namespace parsola {

/// The value rounded to 15 significant digits (from its exact binary value, ties to even),
/// trailing zeros dropped, '.' as the decimal separator whatever the locale.
/// Fixed notation from 0.0001 up to below 1E15 ("0.05", "12500"), otherwise scientific with
/// an unsigned, unpadded exponent ("1E-5", "2.5E20"); zero, also negative zero, is "0".
std::string RealText(double fdVal);

}  // namespace parsola

#endif  // PARSOLA_REAL_FORMAT_H
