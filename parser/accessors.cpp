// SPDX-License-Identifier: MIT
// Scalar parameter accessors: the only place where an exact SNum becomes a binary number.
#include <cfloat>
#include <climits>
#include <cstring>

#include "scpi_internal.h"

// Where long double is the 80-bit extended format, its multiplication is exactly the rounding
// ParamToDouble wants; elsewhere the same bits are produced with integer arithmetic.
// Define SCPI_PORTABLE_DOUBLE to use the integer path everywhere.
#if !defined(SCPI_PORTABLE_DOUBLE) && LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384
#define SCPI_EXTENDED_TENTH 1
#else
#define SCPI_EXTENDED_TENTH 0
#endif

namespace scpi {

namespace {

constexpr uint32_t MAX_BEFORE_TIMES_TEN = 429496729u;  // 4294967295 / 10
constexpr uint32_t MAX_LONG_MAGNITUDE = 2147483647u;

bool IsTextType(EPType ePType) {
  return ePType == P_STR || ePType == P_UNQ_STR || ePType == P_EXPR || ePType == P_NUM_LIST ||
         ePType == P_CHAN_LIST;
}

// ---- x * 0.1 with a 64-bit significand, then rounded to double, using integers only ----

constexpr uint64_t TENTH_SIGNIFICAND = 0xCCCCCCCCCCCCCCCDull;  // 0.1 = this x 2^-67, rounded
constexpr int TENTH_EXP2 = -67;
constexpr int DOUBLE_FRAC_BITS = 52;
constexpr uint64_t DOUBLE_FRAC_MASK = (1ull << DOUBLE_FRAC_BITS) - 1;
constexpr uint64_t DOUBLE_HIDDEN_BIT = 1ull << DOUBLE_FRAC_BITS;
constexpr int DOUBLE_EXP_BIAS = 1023;
constexpr unsigned DOUBLE_EXP_FIELD_MAX = 2047;
constexpr int DOUBLE_MIN_EXP2 = -1074;  // weight of the lowest bit of a subnormal
constexpr uint64_t DOUBLE_INF_BITS = static_cast<uint64_t>(DOUBLE_EXP_FIELD_MAX) << DOUBLE_FRAC_BITS;
constexpr int EXTENDED_BITS = 64;
constexpr int DOUBLE_DROP_BITS = EXTENDED_BITS - (DOUBLE_FRAC_BITS + 1);  // 11
constexpr uint64_t TOP_BIT = 1ull << 63;

struct SU128 {
  uint64_t ullHi;
  uint64_t ullLo;
};

// Full 64 x 64 -> 128-bit product from 32-bit halves.
SU128 MulWide(uint64_t a, uint64_t b) {
  constexpr uint64_t LOW32 = 0xFFFFFFFFull;
  const uint64_t ullALo = a & LOW32, ullAHi = a >> 32, ullBLo = b & LOW32, ullBHi = b >> 32;
  const uint64_t ullLoLo = ullALo * ullBLo;
  const uint64_t ullHiLo = ullAHi * ullBLo;
  const uint64_t ullLoHi = ullALo * ullBHi;
  const uint64_t ullHiHi = ullAHi * ullBHi;
  const uint64_t ullMid = (ullLoLo >> 32) + (ullHiLo & LOW32) + (ullLoHi & LOW32);
  SU128 s;
  s.ullLo = (ullMid << 32) | (ullLoLo & LOW32);
  s.ullHi = ullHiHi + (ullHiLo >> 32) + (ullLoHi >> 32) + (ullMid >> 32);
  return s;
}

// Rounds q to nearest, ties to even, dropping the 11 bits that a double's significand lacks.
uint64_t RoundToDoubleSignificand(uint64_t q) {
  constexpr uint64_t ullHalf = 1ull << (DOUBLE_DROP_BITS - 1);
  const uint64_t ullKept = q >> DOUBLE_DROP_BITS;
  const uint64_t ullRest = q & ((1ull << DOUBLE_DROP_BITS) - 1);
  const bool bUp = ullRest > ullHalf || (ullRest == ullHalf && (ullKept & 1));
  return ullKept + (bUp ? 1 : 0);
}

// Rounds a 128-bit product p x 2^*piExp2 to a 64-bit significand q x 2^*piExp2 (updated).
uint64_t RoundToExtended(SU128 sProd, int* piExp2) {
  // The product of two normalised 64-bit significands has its top bit at 127 or 126.
  if (!(sProd.ullHi & TOP_BIT)) {
    sProd.ullHi = (sProd.ullHi << 1) | (sProd.ullLo >> 63);
    sProd.ullLo <<= 1;
    (*piExp2)--;
  }
  uint64_t q = sProd.ullHi;
  *piExp2 += EXTENDED_BITS;
  if (sProd.ullLo > TOP_BIT || (sProd.ullLo == TOP_BIT && (q & 1))) {
    q++;
    if (q == 0) {  // carried out of 64 bits
      q = TOP_BIT;
      (*piExp2)++;
    }
  }
  return q;
}

// A 64-bit significand (top bit set) times 2^iExp2, rounded to a double's bits without sign.
uint64_t ExtendedToDoubleBits(uint64_t q, int iExp2) {
  // The exponent field of a normal result; a subnormal one has the scale of field 1.
  int iField = iExp2 + EXTENDED_BITS - 1 + DOUBLE_EXP_BIAS;
  if (iField < 1) {
    // Subnormal: q moves down to the scale of field 1, the bits shifted out kept as one sticky
    // bit below the rounding position, so that a single rounding still decides.
    const int iShift = 1 - iField;
    if (iShift > DOUBLE_FRAC_BITS + 1) {
      return 0;  // below half the smallest subnormal
    }
    q = (q >> iShift) | ((q << (EXTENDED_BITS - iShift)) != 0 ? 1 : 0);
    iField = 1;
  }
  // The rounded significand, hidden bit included, is at most 2^53: added to the field below,
  // a carry raises the exponent (or leaves the subnormals) as it should.
  const uint64_t ullBits =
      (static_cast<uint64_t>(iField - 1) << DOUBLE_FRAC_BITS) + RoundToDoubleSignificand(q);
  return ullBits < DOUBLE_INF_BITS ? ullBits : DOUBLE_INF_BITS;
}

}  // namespace

double MulTenthPortable(double x) {
  uint64_t ullBits;
  std::memcpy(&ullBits, &x, sizeof ullBits);
  const uint64_t ullSign = ullBits & TOP_BIT;
  const unsigned uExpField = static_cast<unsigned>((ullBits >> DOUBLE_FRAC_BITS) & DOUBLE_EXP_FIELD_MAX);
  uint64_t ullSig = ullBits & DOUBLE_FRAC_MASK;
  if (uExpField == DOUBLE_EXP_FIELD_MAX || (uExpField == 0 && ullSig == 0)) {
    return x;  // infinity, NaN and zero are their own tenth
  }
  int iExp2 = DOUBLE_MIN_EXP2;
  if (uExpField != 0) {
    ullSig |= DOUBLE_HIDDEN_BIT;
    iExp2 = static_cast<int>(uExpField) - DOUBLE_EXP_BIAS - DOUBLE_FRAC_BITS;
  }
  while (!(ullSig & TOP_BIT)) {
    ullSig <<= 1;
    iExp2--;
  }
  iExp2 += TENTH_EXP2;
  const uint64_t q = RoundToExtended(MulWide(ullSig, TENTH_SIGNIFICAND), &iExp2);
  const uint64_t ullResult = ullSign | ExtendedToDoubleBits(q, iExp2);
  double fdResult;
  std::memcpy(&fdResult, &ullResult, sizeof fdResult);
  return fdResult;
}

namespace {

double MulTenth(double x) {
#if SCPI_EXTENDED_TENTH
  constexpr long double TENTH = 0.1L;  // 0xCCCCCCCCCCCCCCCD x 2^-67
  return static_cast<double>(static_cast<long double>(x) * TENTH);
#else
  return MulTenthPortable(x);
#endif
}

// x * 10 is exact in a 64-bit significand, so rounding it to double is one ordinary rounding.
double MulTen(double x) { return x * static_cast<double>(DECIMAL_BASE); }

}  // namespace

uint8_t ParamType(const SParam* psParam, EPType* pePType, ENumSubtype* pNumSubtype) {
  *pePType = psParam->ePType;
  if (psParam->ePType == P_NUM) {
    const uint8_t ucFlags = psParam->uVal.sNum.ucNumFlags;
    *pNumSubtype = static_cast<ENumSubtype>(((ucFlags & NUM_NEG) ? NUM_SUB_NEG : 0) |
                                            ((ucFlags & NUM_EXP_NEG) ? NUM_SUB_REAL : 0));
  }
  return SCPI_ERR_OK;
}

uint8_t ParamUnits(const SParam* psParam, EUnits* peUnits) {
  if (psParam->ePType != P_NUM) {
    return SCPI_ERR_PARAM_TYPE;
  }
  *peUnits = psParam->uVal.sNum.eUnits;
  return SCPI_ERR_OK;
}

uint8_t ParamToCharDataItem(const SParam* psParam, uint8_t* pItemNum) {
  if (psParam->ePType != P_CH_DAT) {
    return SCPI_ERR_PARAM_TYPE;
  }
  *pItemNum = psParam->uVal.ucItemNum;
  return SCPI_ERR_OK;
}

uint8_t ParamToBOOL(const SParam* psParam, uint8_t* pbVal) {
  if (psParam->ePType != P_BOOL) {
    return SCPI_ERR_PARAM_TYPE;
  }
  *pbVal = psParam->uVal.bVal != 0 ? 1 : 0;
  return SCPI_ERR_OK;
}

uint8_t ParamToUnsignedLong(const SParam* psParam, uint32_t* pulVal) {
  if (psParam->ePType != P_NUM) {
    return SCPI_ERR_PARAM_TYPE;
  }
  const SNum* psNum = &psParam->uVal.sNum;
  const bool bExpNeg = (psNum->ucNumFlags & NUM_EXP_NEG) != 0;
  // The sign is deliberately ignored: a negative value yields its magnitude.
  uint32_t ulVal = psNum->ulMant;
  uint8_t ucResult = SCPI_ERR_OK;
  for (unsigned uPower = 0; uPower < psNum->ucExp; uPower++) {
    if (bExpNeg) {
      ulVal /= DECIMAL_BASE;
    } else if (ulVal > MAX_BEFORE_TIMES_TEN) {
      ucResult = SCPI_ERR_PARAM_OVERFLOW;  // *pulVal keeps the value reached so far
      break;
    } else {
      ulVal *= DECIMAL_BASE;
    }
  }
  *pulVal = ulVal;
  return ucResult;
}

uint8_t ParamToLong(const SParam* psParam, int32_t* plVal) {
  uint32_t ulVal = 0;
  const uint8_t ucResult = SCPI_ParamToUnsignedLong(psParam, &ulVal);
  if (ucResult != SCPI_ERR_OK) {
    return ucResult;
  }
  // The same limit for both signs: -2147483648 is out of range too.
  if (ulVal > MAX_LONG_MAGNITUDE) {
    return SCPI_ERR_PARAM_OVERFLOW;
  }
  const int32_t lVal = static_cast<int32_t>(ulVal);
  *plVal = (psParam->uVal.sNum.ucNumFlags & NUM_NEG) ? -lVal : lVal;
  return SCPI_ERR_OK;
}

uint8_t ParamToScaledLong(const SParam* psParam, uint8_t ucDecimals, int32_t* plVal) {
  if (psParam->ePType != P_NUM) {
    return SCPI_ERR_PARAM_TYPE;
  }
  const SNum* psNum = &psParam->uVal.sNum;
  const bool bNeg = (psNum->ucNumFlags & NUM_NEG) != 0;
  int iPower = static_cast<int>(ucDecimals);
  iPower += (psNum->ucNumFlags & NUM_EXP_NEG) ? -static_cast<int>(psNum->ucExp) : psNum->ucExp;
  uint32_t ulMag = psNum->ulMant;
  if (iPower < 0) {
    // Halves round away from zero, so only the first dropped digit decides.
    for (int iStep = iPower + 1; iStep < 0 && ulMag != 0; iStep++) ulMag /= DECIMAL_BASE;
    const bool bUp = ulMag % DECIMAL_BASE >= DECIMAL_BASE / 2;
    ulMag = ulMag / DECIMAL_BASE + (bUp ? 1 : 0);
  }
  for (int iStep = 0; iStep < iPower && ulMag != 0; iStep++) {
    if (ulMag > MAX_BEFORE_TIMES_TEN) {
      return SCPI_ERR_PARAM_OVERFLOW;
    }
    ulMag *= DECIMAL_BASE;
  }
  // Unlike SCPI_ParamToLong, the whole int32_t range: -2147483648 fits.
  if (ulMag > MAX_LONG_MAGNITUDE + (bNeg ? 1u : 0u)) {
    return SCPI_ERR_PARAM_OVERFLOW;
  }
  *plVal = bNeg ? static_cast<int32_t>(0u - ulMag) : static_cast<int32_t>(ulMag);
  return SCPI_ERR_OK;
}

uint8_t ParamToUnsignedInt(const SParam* psParam, unsigned int* puiVal) {
  uint32_t ulVal = 0;
  const uint8_t ucResult = SCPI_ParamToUnsignedLong(psParam, &ulVal);
  if (ucResult != SCPI_ERR_OK) {
    return ucResult;
  }
  if (ulVal > UINT_MAX) {
    return SCPI_ERR_PARAM_OVERFLOW;
  }
  *puiVal = static_cast<unsigned int>(ulVal);
  return SCPI_ERR_OK;
}

uint8_t ParamToInt(const SParam* psParam, int* piVal) {
  int32_t lVal = 0;
  const uint8_t ucResult = SCPI_ParamToLong(psParam, &lVal);
  if (ucResult != SCPI_ERR_OK) {
    return ucResult;
  }
  if (lVal > INT_MAX || lVal < -INT_MAX) {
    return SCPI_ERR_PARAM_OVERFLOW;
  }
  *piVal = static_cast<int>(lVal);
  return SCPI_ERR_OK;
}

uint8_t ParamToDouble(const SParam* psParam, double* pfdVal) {
  if (psParam->ePType != P_NUM) {
    return SCPI_ERR_PARAM_TYPE;
  }
  const SNum* psNum = &psParam->uVal.sNum;
  const bool bExpNeg = (psNum->ucNumFlags & NUM_EXP_NEG) != 0;
  double x = static_cast<double>(psNum->ulMant);
  // One rounded step per power of ten: the rounding after each step decides the last bits.
  for (unsigned uPower = 0; uPower < psNum->ucExp; uPower++) {
    x = bExpNeg ? MulTenth(x) : MulTen(x);
  }
  if (psNum->ucNumFlags & NUM_NEG) {
    x = 0.0 - x;  // so a zero stays positive
  }
  *pfdVal = x;
  return SCPI_ERR_OK;
}

uint8_t ParamToString(const SParam* psParam, const char** pSString, uint8_t* pLen,
                      char* pDelimiter) {
  if (!IsTextType(psParam->ePType)) {
    return SCPI_ERR_PARAM_TYPE;
  }
  *pSString = psParam->uVal.sText.pSText;
  *pLen = psParam->uVal.sText.ucLen;
  *pDelimiter = psParam->uVal.sText.cDelimiter;
  return SCPI_ERR_OK;
}

uint8_t ParamToBlock(const SParam* psParam, const uint8_t** ppData, uint32_t* pulLen) {
  if (psParam->ePType != P_BLOCK) return SCPI_ERR_PARAM_TYPE;
  *ppData = psParam->uVal.sBlock.pucData;
  *pulLen = psParam->uVal.sBlock.ulLen;
  return SCPI_ERR_OK;
}

}  // namespace scpi
