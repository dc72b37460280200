// SPDX-License-Identifier: MIT
// The console's --check-table: the table checker over the command table the program links.
#ifndef PARSOLA_CHECK_TABLE_H
#define PARSOLA_CHECK_TABLE_H

#include <cstdint>

namespace parsola {

/// Prints the checker's lines for the linked table, checked for the rules ucRules
/// (SCPI_RULES_LIBRARY or SCPI_RULES_STANDARD), and a count of what it read and found, on
/// standard output. Returns the exit status: 0 without errors, 1 with any, 3 when standard
/// output could not be written.
int CheckLinkedTable(uint8_t ucRules);

}  // namespace parsola

#endif  // PARSOLA_CHECK_TABLE_H
