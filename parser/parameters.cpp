// Parameter parsing and validation. (Placeholder bodies until the checks land.)
#include "scpi_internal.h"

namespace scpi {

uint8_t CheckParamCount(uint8_t, const char*, uint8_t) { return SCPI_ERR_PARAM_COUNT; }
uint8_t ParseParameters(uint8_t, const char*, uint8_t, SParam[], uint32_t[], uint8_t*) {
  return SCPI_ERR_PARAM_TYPE;
}
uint8_t CheckBoolean(const char*, uint8_t, const SBoolAttr*, SParam*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t CheckCharData(const char*, uint8_t, const SCharDataAttr*, SParam*, uint32_t[], uint8_t*) {
  return SCPI_ERR_PARAM_TYPE;
}
uint8_t CheckString(const char*, uint8_t, EPType, SParam*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t CheckExpression(const char*, uint8_t, SParam*) { return SCPI_ERR_PARAM_TYPE; }

}  // namespace scpi
