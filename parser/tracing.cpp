// The public SCPI_ functions: call tracing around the untraced workers.
// (Forwarding only until the trace lines land.)
#include "scpi_internal.h"

#if SCPI_TRACE
uint8_t ucTraceNesting = 0;
void SCPI_SetTraceSink(const STraceSink*) {}
#endif

uint8_t SCPI_Parse(const char** pSInput, uint8_t bResetTree, uint8_t* pCmdSpecNum, SParam sParam[],
                   uint8_t* pNumSufCnt, uint32_t uiNumSuf[]) {
  return scpi::Parse(pSInput, bResetTree, pCmdSpecNum, sParam, pNumSufCnt, uiNumSuf);
}
uint8_t SCPI_ParamType(const SParam* p, EPType* a, ENumSubtype* b) { return scpi::ParamType(p, a, b); }
uint8_t SCPI_ParamUnits(const SParam* p, EUnits* a) { return scpi::ParamUnits(p, a); }
uint8_t SCPI_ParamToCharDataItem(const SParam* p, uint8_t* a) { return scpi::ParamToCharDataItem(p, a); }
uint8_t SCPI_ParamToBOOL(const SParam* p, uint8_t* a) { return scpi::ParamToBOOL(p, a); }
uint8_t SCPI_ParamToUnsignedLong(const SParam* p, uint32_t* a) { return scpi::ParamToUnsignedLong(p, a); }
uint8_t SCPI_ParamToLong(const SParam* p, int32_t* a) { return scpi::ParamToLong(p, a); }
uint8_t SCPI_ParamToUnsignedInt(const SParam* p, unsigned int* a) { return scpi::ParamToUnsignedInt(p, a); }
uint8_t SCPI_ParamToInt(const SParam* p, int* a) { return scpi::ParamToInt(p, a); }
uint8_t SCPI_ParamToDouble(const SParam* p, double* a) { return scpi::ParamToDouble(p, a); }
uint8_t SCPI_ParamToString(const SParam* p, const char** a, uint8_t* b, char* c) {
  return scpi::ParamToString(p, a, b, c);
}
uint8_t SCPI_GetNumListEntry(const SParam* p, uint8_t i, uint8_t* r, SParam* f, SParam* l) {
  return scpi::GetNumListEntry(p, i, r, f, l);
}
uint8_t SCPI_GetChanListEntry(const SParam* p, uint8_t i, uint8_t* d, uint8_t* r, SParam f[], SParam l[]) {
  return scpi::GetChanListEntry(p, i, d, r, f, l);
}
