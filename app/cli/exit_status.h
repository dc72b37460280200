// SPDX-License-Identifier: MIT
// The exit statuses of the consoles, for their lines and for --check-table alike.
#ifndef PARSOLA_EXIT_STATUS_H
#define PARSOLA_EXIT_STATUS_H

namespace parsola {

constexpr int EXIT_ALL_PARSED = 0;   // every line parsed; a table without errors
constexpr int EXIT_LINE_FAILED = 1;  // a line failed; a table with errors
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_OUTPUT = 3;       // standard output (or the log file) could not be written
constexpr int EXIT_INPUT = 4;

}  // namespace parsola

#endif  // PARSOLA_EXIT_STATUS_H
