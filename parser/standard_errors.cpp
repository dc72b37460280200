// SPDX-License-Identifier: MIT
// The SCPI standard error numbers and texts for the parser's codes, for a SYSTem:ERRor? queue.
#include "scpi_internal.h"

namespace {

struct SStandardError {
  uint8_t ucErr;
  int16_t iNumber;
  const char* pSText;
};

// The closest entry of the standard's command-error (-1xx) and execution-error (-2xx) lists.
constexpr SStandardError STANDARD_ERRORS[] = {
    {SCPI_ERR_OK, 0, "No error"},
    {SCPI_ERR_TOO_MANY_NUM_SUF, -110, "Command header error"},
    // The end of the line is where every program message ends, not an error.
    {SCPI_ERR_NO_COMMAND, 0, "No error"},
    {SCPI_ERR_INVALID_NUM_SUF, -114, "Header suffix out of range"},
    {SCPI_ERR_INVALID_VALUE, -224, "Illegal parameter value"},
    {SCPI_ERR_INVALID_DIMS, -224, "Illegal parameter value"},
    {SCPI_ERR_PARAM_OVERFLOW, -222, "Data out of range"},
    {SCPI_ERR_PARAM_UNITS, -131, "Invalid suffix"},
    {SCPI_ERR_PARAM_TYPE, -104, "Data type error"},
    {SCPI_ERR_PARAM_COUNT, -115, "Unexpected number of parameters"},
    {SCPI_ERR_UNMATCHED_QUOTE, -151, "Invalid string data"},
    {SCPI_ERR_INVALID_BLOCK, -161, "Invalid block data"},
    {SCPI_ERR_UNMATCHED_BRACKET, -171, "Invalid expression"},
    {SCPI_ERR_INVALID_CMD, -113, "Undefined header"},
};

}  // namespace

extern "C" uint8_t SCPI_StandardError(uint8_t ucErr, int16_t* piNumber, const char** ppSText) {
  for (const SStandardError& sEntry : STANDARD_ERRORS) {
    if (sEntry.ucErr != ucErr) continue;
    *piNumber = sEntry.iNumber;
    *ppSText = sEntry.pSText;
    return SCPI_ERR_OK;
  }
  return SCPI_ERR_NO_ENTRY;
}
