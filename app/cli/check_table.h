// SPDX-License-Identifier: MIT
// The console's --check-table: the table checker over the command table the program links.
#ifndef PARSOLA_CHECK_TABLE_H
#define PARSOLA_CHECK_TABLE_H

#include <cstdint>

#include <orvane-scpi/scpi.h>

namespace parsola {

/// The table record of a console made for a record (orvane_scpi_add_console RECORD), which it
/// parses through a context; null for a console over the global names, parsed by SCPI_Parse.
const SScpiTable* ConsoleTable();

/// Prints the checker's lines for the linked table, checked for the rules ucRules
/// (SCPI_RULES_LIBRARY or SCPI_RULES_STANDARD), and a count of what it read and found, on
/// standard output. Returns the exit status: 0 without errors, 1 with any, 3 when standard
/// output could not be written.
int CheckLinkedTable(uint8_t ucRules);

}  // namespace parsola

#endif  // PARSOLA_CHECK_TABLE_H
