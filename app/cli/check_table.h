// SPDX-License-Identifier: MIT
// The console's --check-table: the table checker over the command table the program links.
#ifndef PARSOLA_CHECK_TABLE_H
#define PARSOLA_CHECK_TABLE_H

namespace parsola {

/// Prints the checker's lines for the linked table and a count of what it read and found, on
/// standard output. Returns the exit status: 0 without errors, 1 with any, 3 when standard
/// output could not be written.
int CheckLinkedTable();

}  // namespace parsola

#endif  // PARSOLA_CHECK_TABLE_H
