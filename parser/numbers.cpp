// Numbers, units and lists. (Placeholder bodies until the number parser lands.)
#include "scpi_internal.h"

namespace scpi {

uint8_t ParseNumber(const char*, uint8_t, SNum*, uint8_t*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t MatchUnits(const char*, uint8_t, const SNumAttr*, EUnits*, int8_t*) { return SCPI_ERR_PARAM_UNITS; }
uint8_t CheckNumeric(const char*, uint8_t, const SNumAttr*, SParam*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t CheckNumList(const char*, uint8_t, const SListAttr*, SParam*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t CheckChanList(const char*, uint8_t, const SListAttr*, SParam*) { return SCPI_ERR_PARAM_TYPE; }
bool AccumulateDigit(uint32_t*, uint8_t, uint8_t) { return false; }
bool AccumulateExponent(uint16_t*, uint8_t) { return false; }

}  // namespace scpi
