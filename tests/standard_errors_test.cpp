// SPDX-License-Identifier: MIT
// SCPI_StandardError: every code of SCPI_Parse has its standard number and text; others none.
#include <gtest/gtest.h>

#include <cstring>

#include <orvane-scpi/scpi.h>

namespace {

struct SMapped {
  uint8_t ucErr;
  int16_t iNumber;
  const char* pSText;
};

constexpr SMapped MAPPED[] = {
    {0, 0, "No error"},
    {5, -110, "Command header error"},
    {10, 0, "No error"},
    {14, -114, "Header suffix out of range"},
    {16, -224, "Illegal parameter value"},
    {17, -224, "Illegal parameter value"},
    {20, -222, "Data out of range"},
    {30, -131, "Invalid suffix"},
    {40, -104, "Data type error"},
    {50, -115, "Unexpected number of parameters"},
    {60, -151, "Invalid string data"},
    {65, -171, "Invalid expression"},
    {70, -113, "Undefined header"},
};

TEST(StandardError, MapsEveryCodeOfParse) {
  for (const SMapped& sRow : MAPPED) {
    int16_t iNumber = 1;
    const char* pSText = nullptr;
    EXPECT_EQ(SCPI_StandardError(sRow.ucErr, &iNumber, &pSText), SCPI_ERR_OK) << int{sRow.ucErr};
    EXPECT_EQ(iNumber, sRow.iNumber) << int{sRow.ucErr};
    EXPECT_STREQ(pSText, sRow.pSText) << int{sRow.ucErr};
  }
}

TEST(StandardError, OtherCodesWriteNothing) {
  for (const uint8_t ucErr : {uint8_t{1}, uint8_t{15}, uint8_t{200}, uint8_t{210}, uint8_t{255}}) {
    int16_t iNumber = 7;
    const char* pSText = "kept";
    EXPECT_NE(SCPI_StandardError(ucErr, &iNumber, &pSText), SCPI_ERR_OK) << int{ucErr};
    EXPECT_EQ(iNumber, 7);
    EXPECT_STREQ(pSText, "kept");
  }
}

}  // namespace
