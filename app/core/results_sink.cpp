// SPDX-License-Identifier: MIT
// Parsola report core: the level rules common to every host of the report.
#include "results_sink.h"

#include <orvane-scpi/scpi.h>

namespace parsola {

void ResultsSink::AddOutputLine(uint8_t ucLevel, const std::string& sText) {
  if (ucLevel > LEVEL_TRACE_RESULT) return;
  if (ucLevel >= LEVEL_TRACE_CALL && !bTracing) return;
  StoreLine(ucLevel, sText);
}

void ResultsSink::AddTraceLine(uint8_t ucLevel, const std::string& sText) {
#if SCPI_TRACE
  if (ucTraceNesting != 0) return;
#endif
  AddOutputLine(ucLevel, std::string(2u * ucLevel, ' ') + sText);
}

}  // namespace parsola
