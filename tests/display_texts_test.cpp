// SPDX-License-Identifier: MIT
// Display texts of codes, types, subtypes, units, Booleans and character-data choices.
#include "display_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using parsola::BoolText;
using parsola::CharDataItemText;
using parsola::ErrorCodeText;
using parsola::NumSubtypeText;
using parsola::PTypeText;
using parsola::UnitsText;

struct CodeRow {
  unsigned uCode;
  const char* pText;
};

TEST(DisplayTexts, ErrorCodeTextNamesEveryCodeAndMisspellsTheRest) {
  const CodeRow rows[] = {
      {0, "OK"},
      {5, "DESIGN ERROR: Too many numeric suffices in Command Spec"},
      {10, "End of commands reached"},
      {14, "Error: Numeric suffix entered is invalid"},
      {16, "Error: Invalid value in list"},
      {17, "Error: Invalid number of dimensions in one or more entries in channel list"},
      {20, "Error: Parameter overflow"},
      {30, "Error: Wrong units for parameter"},
      {40, "Error: Wrong type of parameter"},
      {50, "Error: Wrong number of parameters"},
      {60, "Error: Unmatched quotation mark"},
      {62, "Error: Invalid block data"},
      {65, "Error: Unmatched bracket"},
      {70, "Error: Unrecognized command"},
      {200, "No entry to retrieve"},
      {210, "Error: Too many dimensions in entry to be returned in parameters"},
      // codes the parser never returns
      {1, "Unrecgonized SCPI Error Code"},
      {11, "Unrecgonized SCPI Error Code"},
      {201, "Unrecgonized SCPI Error Code"},
      {255, "Unrecgonized SCPI Error Code"},
  };
  for (const CodeRow& row : rows) {
    EXPECT_STREQ(ErrorCodeText(static_cast<uint8_t>(row.uCode)), row.pText) << row.uCode;
  }
}

TEST(DisplayTexts, PTypeTextCoversTheTypesAndNamesOthersUnknown) {
  const CodeRow rows[] = {
      {0, "No Param"},   {1, "Numeric"},      {2, "Boolean"},      {3, "Char Data"},
      {4, "String"},     {5, "Unquoted String"}, {6, "Expression"}, {7, "Numeric List"},
      {8, "Channel List"}, {9, "Block"}, {10, "Unknown Type"}, {255, "Unknown Type"},
  };
  for (const CodeRow& row : rows) {
    EXPECT_STREQ(PTypeText(static_cast<EPType>(row.uCode)), row.pText) << row.uCode;
  }
}

TEST(DisplayTexts, NumSubtypeTextReadsTheSignAndRealBitsOnly) {
  const CodeRow rows[] = {
      {0, "+ve int"}, {1, "-ve int"}, {2, "+ve real"}, {3, "-ve real"},
      {4, "+ve int"}, {7, "-ve real"}, {0xFE, "+ve real"},
  };
  for (const CodeRow& row : rows) {
    EXPECT_STREQ(NumSubtypeText(static_cast<ENumSubtype>(row.uCode)), row.pText) << row.uCode;
  }
}

TEST(DisplayTexts, UnitsTextLeavesDecibelWattsAndUnknownValuesEmpty) {
  const CodeRow rows[] = {
      {0, "None"},     {1, "Volts"},   {2, "Amps"},        {3, "Ohms"},      {4, "Watts"},
      {5, ""},         {6, "Joules"},  {7, "Farads"},      {8, "Henrys"},    {9, "Hz"},
      {10, "Seconds"}, {11, "Deg Kelvin"}, {12, "Deg Cel."}, {13, "Deg Fah."}, {14, ""},
      {200, ""},       {255, ""},
  };
  for (const CodeRow& row : rows) {
    EXPECT_STREQ(UnitsText(static_cast<EUnits>(row.uCode)), row.pText) << row.uCode;
  }
}

TEST(DisplayTexts, BoolTextIsOnForAnyNonZeroValue) {
  EXPECT_STREQ(BoolText(0), "OFF");
  EXPECT_STREQ(BoolText(1), "ON");
  EXPECT_STREQ(BoolText(255), "ON");
}

TEST(DisplayTexts, CharDataItemTextTakesTheChoiceAsStored) {
  struct Row {
    unsigned uCmd, uSlot, uItem;
    std::string sText;
  };
  const Row rows[] = {
      // choices in the table's own spelling
      {44, 0, 0, "NULL"},
      {44, 0, 3, "AVERage"},
      {44, 0, 4, "LIMit"},
      {24, 0, 1, "MAXimum"},
      {24, 1, 2, "DEFault"},
      {38, 0, 3, "10"},
      {58, 0, 2, "EXTernal#"},
      {39, 0, 0, "\"VOLTage:DC\""},
      {39, 0, 10, "\"DIODe\""},
      {68, 0, 0, "ONCE"},
      // fewer choices than the item asks for
      {44, 0, 5, ""},
      {68, 0, 255, ""},
      // the slot holds no character-data parameter, or there is no such slot or command
      {1, 0, 0, ""},
      {0, 0, 0, ""},
      {48, 1, 7, ""},
      {44, 1, 0, ""},
      {44, 2, 0, ""},
      {74, 0, 0, ""},
      {255, 0, 0, ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CharDataItemText(static_cast<uint8_t>(row.uCmd), static_cast<uint8_t>(row.uSlot),
                               static_cast<uint8_t>(row.uItem)),
              row.sText)
        << row.uCmd << "/" << row.uSlot << "/" << row.uItem;
  }
}

}  // namespace
