// SPDX-License-Identifier: MIT
// Parsola report core: the version texts of the parser and of the application.
#ifndef PARSOLA_VERSIONS_H
#define PARSOLA_VERSIONS_H

namespace parsola {

extern const char sVerParser[];
extern const char sVerApp[];

}  // namespace parsola

#endif  // PARSOLA_VERSIONS_H
