// SPDX-License-Identifier: MIT
// Parsola report core: parses one program message and reports everything the parser found.
#ifndef PARSOLA_REPORT_H
#define PARSOLA_REPORT_H

#include <cstdint>
#include <string>

#include "results_sink.h"
#include <orvane-scpi/scpi.h>

namespace parsola {

/// Parses sInput command by command and writes the report lines to the sink: each recognised
/// command with its number, specification, numeric suffixes and parameters as read back through
/// the accessors, and a closing line with the text of the code that ended the line.
/// While sink.Tracing() is on, the parser's call-trace lines come in between.
/// A NUL byte ends the input. The input goes to the sink's history at the end.
void ParseAndReport(const std::string& sInput, ResultsSink& sink);

/// ParseAndReport that also returns the code whose text closed the report:
/// SCPI_ERR_NO_COMMAND ("End of commands reached") when every command was taken.
/// With a table record (of any width), the line is parsed through a context over it
/// (SCPI_ParseCtx) instead of SCPI_Parse and its table.
uint8_t ParseAndReportCode(const std::string& sInput, ResultsSink& sink,
                           const SScpiTable* psTable = nullptr);

}  // namespace parsola

#endif  // PARSOLA_REPORT_H
