// List entry accessors. (Placeholder bodies until the list accessors land.)
#include "scpi_internal.h"

namespace scpi {

uint8_t GetNumListEntry(const SParam*, uint8_t, uint8_t*, SParam*, SParam*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t GetChanListEntry(const SParam*, uint8_t, uint8_t*, uint8_t*, SParam[], SParam[]) {
  return SCPI_ERR_PARAM_TYPE;
}

}  // namespace scpi
