// SPDX-License-Identifier: MIT
// Orvane-SCPI table checker: the mistakes of a command table that a compiler cannot see, each
// reported as one line that names the entry, says error or warning, and what is wrong:
//
//   command 12 "VOLTage[:LEVel": error: '[' at position 7 without its ']'
//   unit suffix 4 "MV": error: never chosen: unit suffix 2 "MV" comes first with the same text
//
// Errors are what the parser leaves undefined or what can crash or misparse; warnings are
// what its rules make surprising. A host library (C++17, it allocates): firmware never links it.
#ifndef ORVANE_SCPI_TABLE_CHECKER_H
#define ORVANE_SCPI_TABLE_CHECKER_H

#include <orvane-scpi/scpi_table.h>

#include <functional>
#include <string>

namespace scpi_checker {

/// STable::iCount of a hand-written table: it is read up to its end markers.
constexpr int COUNT_UNKNOWN = -1;

/// The three pieces of a command table, and the number of commands when it is known
/// (CmdSpecCount of a table declared with scpi_declare.h). With a count, CmdSpecs holds that
/// many entries and its "" end, and ParamSpecs that many rows. Without one, CmdSpecs is read up
/// to its "" (at most 256 entries) and UnitSuffixes up to its empty suffix (at most 256).
/// A table of another width than MAX_PARAMS gives its slots, command after command, in psSlots
/// (pParamSpecs is then null) and its width in uiWidth.
/// ppAccepted, when given, lists the warnings the table means, ended by "": each the header
/// specification of a command, a blank and the warning's name ("SYSTem:ERRor[:NEXT]? tree-path");
/// such a warning is listed as accepted, and an acceptance that matches none is warned about.
struct STable {
  const char* const* ppCmdSpecs;
  const SParamSpec (*pParamSpecs)[MAX_PARAMS];
  const SUnitSuffix* psUnitSuffixes;
  int iCount = COUNT_UNKNOWN;
  /// The rules the table is checked for: SCPI_RULES_LIBRARY or SCPI_RULES_STANDARD (by default
  /// those SCPI_Parse follows). Under the standard rules no input moves a suffix or loses a
  /// command to an optional node, so those warnings are left out.
  uint8_t ucRules = SCPI_STANDARD_RULES ? SCPI_RULES_STANDARD : SCPI_RULES_LIBRARY;
  const SParamSpec* psSlots = nullptr;
  unsigned uiWidth = MAX_PARAMS;
  const char* const* ppAccepted = nullptr;
};

/// The STable of a table record, checked for the rules ucRules: its arrays, its width and its
/// number of commands.
inline STable TableOf(const SScpiTable& sRecord, uint8_t ucRules) {
  return STable{sRecord.ppCmdSpecs, nullptr,  sRecord.psUnitSuffixes, sRecord.ucCmdCount,
                ucRules,            sRecord.psParamSpecs, sRecord.ucParamWidth};
}

struct SCheckResult {
  unsigned uiErrors = 0;
  unsigned uiWarnings = 0;
  unsigned uiAccepted = 0;      // warnings the table accepts
  unsigned uiCommands = 0;      // commands read from CmdSpecs
  unsigned uiUnitSuffixes = 0;  // unit suffixes read from UnitSuffixes
};

/// Receives each report line, without a line end.
using LineSink = std::function<void(const std::string& sLine)>;

/// Checks the table, hands every problem to fnLine in table order (commands, then unit
/// suffixes, then acceptances out of date) and returns the counts.
SCheckResult CheckTable(const STable& sTable, const LineSink& fnLine);

}  // namespace scpi_checker

#endif  // ORVANE_SCPI_TABLE_CHECKER_H
