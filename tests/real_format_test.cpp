// SPDX-License-Identifier: MIT
// The real-number format of report and trace lines.
#include "real_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <string>

#include <orvane-scpi/scpi.h>

namespace {

using parsola::RealText;

struct Row {
  double fdVal;
  const char* pText;
};

void ExpectTexts(const Row* pRows, size_t uCount) {
  for (size_t u = 0; u < uCount; ++u) {
    EXPECT_EQ(RealText(pRows[u].fdVal), pRows[u].pText) << "row " << u;
  }
}

template <size_t N>
void ExpectTexts(const Row (&rows)[N]) {
  ExpectTexts(rows, N);
}

TEST(RealFormat, WholeNumbersAndFractionsInFixedNotation) {
  const Row rows[] = {
      {1, "1"},
      {2.5, "2.5"},
      {-2.5, "-2.5"},
      {12500, "12500"},
      {0.05, "0.05"},
      {-0.05, "-0.05"},
      {17.3, "17.3"},
      {12.456502, "12.456502"},
      {0.1 + 0.2, "0.3"},
      {4294967295.0, "4294967295"},
      {-2147483647.0, "-2147483647"},
  };
  ExpectTexts(rows);
}

TEST(RealFormat, ZeroOfEitherSignIsZero) {
  const Row rows[] = {{0.0, "0"}, {-0.0, "0"}};
  ExpectTexts(rows);
}

TEST(RealFormat, FixedFromTenToTheMinusFourUpToBelowTenToTheFifteen) {
  const Row rows[] = {
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00001, "1E-5"},
      {0.000099999, "9.9999E-5"},
      {-0.00001, "-1E-5"},
      {100000000000000.0, "100000000000000"},
      {999999999999999.0, "999999999999999"},
      {1E15, "1E15"},
      {-1E15, "-1E15"},
      {1234567890123456.0, "1.23456789012346E15"},
      {2.5E20, "2.5E20"},
      {1.245E-6, "1.245E-6"},
      {7E-5, "7E-5"},
      {1E-43, "1E-43"},
      {4294967295E43, "4.294967295E52"},
  };
  ExpectTexts(rows);
}

TEST(RealFormat, RoundsToFifteenSignificantDigits) {
  const Row rows[] = {
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345678.0, "1.23456789012346E17"},
      {0.1234567890123456, "0.123456789012346"},
      // rounding carries into a new digit, which can move the value across the boundaries
      {999999999999999.9, "1E15"},
      {0.00009999999999999995, "0.0001"},
      {0.0000999999999999999, "9.99999999999999E-5"},
      {9.999999999999999, "10"},
      // exact binary ties go to the even digit
      {100000000000000.5, "100000000000000"},
      {100000000000001.5, "100000000000002"},
      {-100000000000002.5, "-100000000000002"},
      // the exact binary value decides, not the shortest text that reads back the same
      {0.3 - 0.1, "0.2"},
      {1.0000000000000002, "1"},
  };
  ExpectTexts(rows);
}

TEST(RealFormat, ExtremesOfTheDoubleRange) {
  const Row rows[] = {
      {DBL_MAX, "1.79769313486232E308"},
      {-DBL_MAX, "-1.79769313486232E308"},
      {DBL_MIN, "2.2250738585072E-308"},
      {4.9406564584124654E-324, "4.94065645841247E-324"},
  };
  ExpectTexts(rows);
}

TEST(RealFormat, AValueReadThroughTheAccessorKeepsItsLastBits) {
  // 694666813E-40, scaled one tenth at a time, is not the double nearest to it.
  SParam sParam = {};
  sParam.ePType = P_NUM;
  sParam.uVal.sNum.ulMant = 694666813;
  sParam.uVal.sNum.ucExp = 40;
  sParam.uVal.sNum.ucNumFlags = NUM_EXP_NEG;
  double fdVal = 0;
  ASSERT_EQ(SCPI_ParamToDouble(&sParam, &fdVal), SCPI_ERR_OK);
  EXPECT_EQ(RealText(fdVal), "6.94666813000001E-32");
}

TEST(RealFormat, DecimalSeparatorIgnoresTheLocale) {
  const char* const apLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"};
  const char* pSet = nullptr;
  for (const char* pName : apLocales) {
    pSet = std::setlocale(LC_ALL, pName);
    if (pSet != nullptr) break;
  }
  if (pSet == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const std::string s1 = RealText(2.5);
  const std::string s2 = RealText(1.5E-7);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(s1, "2.5");
  EXPECT_EQ(s2, "1.5E-7");
}

}  // namespace
