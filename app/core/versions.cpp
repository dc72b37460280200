// SPDX-License-Identifier: MIT
// Parsola report core: the version texts of the parser and of the application.
#include "versions.h"

#include <orvane-scpi/scpi.h>

namespace parsola {

const char sVerParser[] = "V" ORVANE_SCPI_VERSION_STRING;
const char sVerApp[] = "V" PARSOLA_VERSION;

}  // namespace parsola
