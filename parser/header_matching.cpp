// Header matching and the command tree path. (Placeholder bodies until the matcher lands.)
#include "scpi_internal.h"

namespace scpi {

uint8_t MatchKeywords(const char*, uint8_t, const char*, uint8_t, uint8_t, uint32_t[], uint8_t*) {
  return SCPI_ERR_INVALID_CMD;
}
void ResetTree() {}
void SetTreePath(uint8_t) {}
uint8_t TreePathTextLen() { return 0; }
uint8_t Parse(const char**, uint8_t, uint8_t*, SParam[], uint8_t*, uint32_t[]) {
  return SCPI_ERR_NO_COMMAND;
}

}  // namespace scpi
