// SPDX-License-Identifier: MIT
// Parsola manual: the command set and unit-suffix chapters, written as Markdown straight from
// the compiled-in command specification table, so the manual cannot drift from the parser.
#ifndef PARSOLA_MANUAL_TABLES_H
#define PARSOLA_MANUAL_TABLES_H

#include <string>

#include <orvane-scpi/scpi_table.h>

namespace manual {

/// Readable name of a units value ("volts", "degrees Celsius"); empty for values outside EUnits.
std::string UnitsName(EUnits eUnits);

/// One parameter slot described in words: type, choices, default, alternative type, units,
/// list rules; "optional" in front when the slot may be omitted.
std::string DescribeParam(const SParamSpec& sSpec);

/// Markdown table of every command of CmdSpecs: number, header specification, parameters.
std::string CommandSetTable();

/// Markdown table of UnitSuffixes grouped by units, in table order, with each multiplier.
std::string UnitSuffixTable();

/// Replaces every "<!-- generated: NAME -->" marker line (NAME "command-set" or
/// "unit-suffixes") by its table, and every "{{VERSION}}" by sVersion; drops the markers
/// around measured figures ("<!--fig:NAME-->" and "<!--/fig-->"), keeping the figures.
/// Returns false and names the problem in *psError when a marker is unknown, or when either
/// table has no marker at all.
bool ExpandMarkers(std::string* psMarkdown, const std::string& sVersion, std::string* psError);

}  // namespace manual

#endif  // PARSOLA_MANUAL_TABLES_H
