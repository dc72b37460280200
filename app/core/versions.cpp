// SPDX-License-Identifier: MIT
// Parsola report core: the version texts of the parser and of the application.
#include "versions.h"

namespace parsola {

const char sVerParser[] = "V1.3.1";
const char sVerApp[] = "V1.3.1";

}  // namespace parsola
