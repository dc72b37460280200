// SPDX-License-Identifier: MIT
// SCPI_StandardError: every code of SCPI_Parse has its standard number and text; others none.
// The manual's table shows the same mapping.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

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
    {62, -161, "Invalid block data"},
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

// The library chapter of the manual lists the same mapping, one row per mapped code.
TEST(StandardError, TheManualTableIsTheMapping) {
  std::ifstream in(std::string(ORVANE_MANUAL_DIR) + "/07-library.md");
  ASSERT_TRUE(in) << "manual chapter not found";
  std::string sLine;
  while (std::getline(in, sLine) && sLine != "| Code | Standard number | Standard text |") {
  }
  std::getline(in, sLine);  // the separator row
  size_t uiRows = 0;
  while (std::getline(in, sLine) && sLine.rfind("| ", 0) == 0) {
    std::istringstream sRow(sLine);
    std::string sBar, sText;
    int iCode = 0, iNumber = 0;
    sRow >> sBar >> iCode >> sBar >> iNumber >> sBar >> std::ws;
    std::getline(sRow, sText);
    sText.erase(sText.find_last_not_of(" |") + 1);
    ASSERT_LT(uiRows, std::size(MAPPED)) << sLine;
    EXPECT_EQ(iCode, MAPPED[uiRows].ucErr) << sLine;
    EXPECT_EQ(iNumber, MAPPED[uiRows].iNumber) << sLine;
    EXPECT_EQ(sText, MAPPED[uiRows].pSText) << sLine;
    ++uiRows;
  }
  EXPECT_EQ(uiRows, std::size(MAPPED));
}

}  // namespace
