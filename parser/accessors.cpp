// Scalar parameter accessors. (Placeholder bodies until the accessors land.)
#include "scpi_internal.h"

namespace scpi {

uint8_t ParamType(const SParam* psParam, EPType* pePType, ENumSubtype*) {
  *pePType = psParam->ePType;
  return SCPI_ERR_OK;
}
uint8_t ParamUnits(const SParam*, EUnits*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToCharDataItem(const SParam*, uint8_t*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToBOOL(const SParam*, uint8_t*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToUnsignedLong(const SParam*, uint32_t*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToLong(const SParam*, int32_t*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToUnsignedInt(const SParam*, unsigned int*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToInt(const SParam*, int*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToDouble(const SParam*, double*) { return SCPI_ERR_PARAM_TYPE; }
uint8_t ParamToString(const SParam*, const char**, uint8_t*, char*) { return SCPI_ERR_PARAM_TYPE; }
double MulTenthPortable(double x) { return x / 10; }

}  // namespace scpi
