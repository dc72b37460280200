// SPDX-License-Identifier: MIT
// List entry accessors: read one entry of a numeric or channel list body, which was validated
// when the list was parsed, so none of its syntax checks are repeated here.
#include "scpi_internal.h"

namespace scpi {

namespace {

// Puts *pucPos at the first character of entry ucIndex (after the ucIndex-th comma).
// False when the body has no such entry.
bool LocateEntry(const SText* psBody, uint8_t ucIndex, uint8_t* pucPos) {
  unsigned uPos = 0;
  unsigned uCommas = 0;
  while (uCommas < ucIndex && uPos < psBody->ucLen) {
    if (psBody->pSText[uPos] == ',') {
      uCommas++;
    }
    uPos++;
  }
  *pucPos = static_cast<uint8_t>(uPos);
  return uPos < psBody->ucLen;
}

// Reads the number at *pucPos into the record's number fields and marks it numeric; the record's
// units and everything else stay as the caller left them. Any number fault counts as a wrong type.
uint8_t ReadValue(const SText* psBody, uint8_t* pucPos, SParam* psTarget) {
  uint8_t ucUsed = 0;
  if (ParseNumber(psBody->pSText + *pucPos, static_cast<uint8_t>(psBody->ucLen - *pucPos),
                  &psTarget->uVal.sNum, &ucUsed) != SCPI_ERR_OK) {
    return SCPI_ERR_PARAM_TYPE;
  }
  psTarget->ePType = P_NUM;
  *pucPos = static_cast<uint8_t>(*pucPos + ucUsed);
  return SCPI_ERR_OK;
}

// At least two characters left: a separator and something after it.
bool SeparatorFollows(const SText* psBody, uint8_t ucPos) { return psBody->ucLen - ucPos >= 2; }

// Acts on the separator after a channel value. Returns 0, or 40 for any other character.
uint8_t ChanSeparator(const SText* psBody, uint8_t* pucPos, uint8_t* pucDim, uint8_t* pbRange) {
  switch (psBody->pSText[*pucPos]) {
    case '!':
      (*pucDim)++;
      (*pucPos)++;
      break;
    case ',':
      *pucPos = psBody->ucLen;
      break;
    case ':':
      *pbRange = 1;
      *pucDim = 0;
      (*pucPos)++;
      break;
    default:
      return SCPI_ERR_PARAM_TYPE;
  }
  return SCPI_ERR_OK;
}

}  // namespace

uint8_t GetNumListEntry(const SParam* psParam, uint8_t Index, uint8_t* pbRange, SParam* psFirst,
                        SParam* psLast) {
  if (psParam->ePType != P_NUM_LIST) {
    return SCPI_ERR_PARAM_TYPE;
  }
  const SText* psBody = &psParam->uVal.sText;
  uint8_t ucPos = 0;
  if (!LocateEntry(psBody, Index, &ucPos)) {
    return SCPI_ERR_NO_ENTRY;
  }
  if (ReadValue(psBody, &ucPos, psFirst) != SCPI_ERR_OK) {
    return SCPI_ERR_PARAM_TYPE;
  }
  *pbRange = 0;
  if (SeparatorFollows(psBody, ucPos) && psBody->pSText[ucPos] == ':') {
    *pbRange = 1;
    ucPos++;
    return ReadValue(psBody, &ucPos, psLast);
  }
  return SCPI_ERR_OK;
}

uint8_t GetChanListEntry(const SParam* psParam, uint8_t Index, uint8_t* pDims, uint8_t* pbRange,
                         SParam sFirst[], SParam sLast[]) {
  if (psParam->ePType != P_CHAN_LIST) {
    return SCPI_ERR_PARAM_TYPE;
  }
  const SText* psBody = &psParam->uVal.sText;
  uint8_t ucPos = 0;
  if (!LocateEntry(psBody, Index, &ucPos)) {
    return SCPI_ERR_NO_ENTRY;
  }
  const uint8_t ucCapacity = *pDims;
  uint8_t ucDim = 0;
  uint8_t ucResult = SCPI_ERR_OK;
  *pbRange = 0;
  while (ucPos < psBody->ucLen && ucResult == SCPI_ERR_OK) {
    if (ucDim >= ucCapacity) {
      ucResult = SCPI_ERR_TOO_MANY_DIMS;
    } else {
      SParam* psTarget = *pbRange ? &sLast[ucDim] : &sFirst[ucDim];
      ucResult = ReadValue(psBody, &ucPos, psTarget);
    }
    // With a single character left nothing is examined and the next pass reads from there.
    if (ucResult == SCPI_ERR_OK && SeparatorFollows(psBody, ucPos)) {
      ucResult = ChanSeparator(psBody, &ucPos, &ucDim, pbRange);
    }
  }
  // Also after a fault: after 210 this is the capacity plus one.
  *pDims = static_cast<uint8_t>(ucDim + 1);
  return ucResult;
}

}  // namespace scpi
