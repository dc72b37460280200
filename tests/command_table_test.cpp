// SPDX-License-Identifier: MIT
// The demo instrument's command table: counts, sample texts, attribute records, and the
// structural rules the parser relies on.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <orvane-scpi/scpi_table.h>

namespace {

constexpr size_t COMMAND_COUNT = 74;
constexpr size_t SUFFIX_COUNT = 59;

size_t CountCommands() {
  size_t n = 0;
  while (CmdSpecs[n][0] != '\0') ++n;
  return n;
}

size_t CountSuffixes() {
  size_t n = 0;
  while (UnitSuffixes[n].pSuffix[0] != '\0') ++n;
  return n;
}

std::vector<std::string> Choices(const char* pChoices) {
  std::vector<std::string> items(1);
  for (const char* p = pChoices; *p; ++p) {
    if (*p == '|') items.emplace_back();
    else items.back() += *p;
  }
  return items;
}

const SCharDataAttr* CharData(size_t uiCmd, size_t uiSlot) {
  return static_cast<const SCharDataAttr*>(ParamSpecs[uiCmd][uiSlot].pAttr);
}

const SNumAttr* Num(const void* pAttr) { return static_cast<const SNumAttr*>(pAttr); }

// ---- Counts and texts ----------------------------------------------------------------------------

TEST(CommandTable, Counts) {
  EXPECT_EQ(CountCommands(), COMMAND_COUNT);
  EXPECT_EQ(CountSuffixes(), SUFFIX_COUNT);
  const SUnitSuffix& end = UnitSuffixes[SUFFIX_COUNT];
  EXPECT_EQ(end.eUnits, U_NONE);
  EXPECT_EQ(end.cExp, 0);
}

TEST(CommandTable, SampleHeaderTexts) {
  struct Row {
    size_t uiCmd;
    const char* pText;
  };
  const Row rows[] = {
      {0, "*CLS"},
      {12, "*WAI"},
      {13, "SYSTem:ERRor[:NEXT]?"},
      {19, "STATus:QUEStionable[:EVENt]?"},
      {25, "MEASure:VOLTage:DC:RATio?"},
      {35, "[SENSe:]RESistance:RANGe"},
      {38, "[SENSe:]VOLTage:DC:NPLCycles"},
      {47, "READ?"},
      {48, "APPLy"},
      {50, "APPLy[:SOURce]:CURRent[:LEVel][:IMMediate][:AMPLitude]?"},
      {55, "INITiate[:IMMediate]"},
      {68, "STEP[:INCRement]:AUTO"},
      {70, "SYSTem:ERRor:ENABle[:LIST]"},
      {71, "OUTPut:TTLTrg#"},
      {72, "OUTPut#:MOD#:FM#"},
      {73, "TRACe:FEED:OCONdition"},
  };
  for (const Row& row : rows) EXPECT_STREQ(CmdSpecs[row.uiCmd], row.pText) << row.uiCmd;
}

TEST(CommandTable, HeaderSpecificationsAreWellFormed) {
  for (size_t i = 0; i < COMMAND_COUNT; ++i) {
    const char* pSpec = CmdSpecs[i];
    bool bInNode = false;
    unsigned uiSuffixes = 0;
    for (const char* p = pSpec; *p; ++p) {
      const char c = *p;
      if (c == '[') {
        EXPECT_FALSE(bInNode) << "nested node in " << pSpec;
        bInNode = true;
      } else if (c == ']') {
        EXPECT_TRUE(bInNode) << "unopened node in " << pSpec;
        bInNode = false;
      } else if (c == '#') {
        ++uiSuffixes;
      } else {
        EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == ':' || c == '*' || c == '?')
            << pSpec;
      }
    }
    EXPECT_FALSE(bInNode) << "unclosed node in " << pSpec;
    EXPECT_LE(uiSuffixes, unsigned{MAX_NUM_SUFFIX}) << pSpec;
    EXPECT_LE(std::strlen(pSpec), 255u) << pSpec;
  }
}

// ---- Parameter slots ---------------------------------------------------------------------------------

bool NeedsAttr(EPType e) {
  return e == P_NUM || e == P_BOOL || e == P_CH_DAT || e == P_NUM_LIST || e == P_CHAN_LIST;
}

TEST(ParamSpecs, FirstEmptySlotEndsTheListAndUnusedSlotsAreZero) {
  for (size_t i = 0; i < COMMAND_COUNT; ++i) {
    bool bEnded = false;
    for (size_t s = 0; s < MAX_PARAMS; ++s) {
      const SParamSpec& spec = ParamSpecs[i][s];
      if (spec.ePType == P_NONE) bEnded = true;
      if (bEnded) {
        EXPECT_EQ(spec.ePType, P_NONE) << "command " << i << " slot " << s;
        EXPECT_EQ(spec.ucFlags, 0) << "command " << i << " slot " << s;
        EXPECT_EQ(spec.pAttr, nullptr) << "command " << i << " slot " << s;
        continue;
      }
      EXPECT_LE(spec.ePType, P_CHAN_LIST) << "command " << i;
      EXPECT_EQ(spec.ucFlags & ~PS_OPTIONAL, 0) << "command " << i;
      EXPECT_EQ(spec.pAttr != nullptr, NeedsAttr(spec.ePType)) << "command " << i << " slot " << s;
    }
  }
}

TEST(ParamSpecs, SlotsOfSampleCommands) {
  struct Row {
    size_t uiCmd;
    uint8_t ucFlags0;
    EPType eType0;
    uint8_t ucFlags1;
    EPType eType1;
  };
  const Row rows[] = {
      {0, 0, P_NONE, 0, P_NONE},
      {1, 0, P_NUM, 0, P_NONE},
      {24, 0, P_CH_DAT, 0, P_CH_DAT},
      {36, PS_OPTIONAL, P_CH_DAT, 0, P_NONE},
      {37, PS_OPTIONAL, P_BOOL, 0, P_NONE},
      {43, 0, P_BOOL, 0, P_NONE},
      {48, 0, P_CH_DAT, PS_OPTIONAL, P_CH_DAT},
      {53, 0, P_NUM, 0, P_NONE},
      {58, PS_OPTIONAL, P_CH_DAT, 0, P_NONE},
      {60, 0, P_STR, 0, P_NONE},
      {61, 0, P_UNQ_STR, 0, P_NONE},
      {62, 0, P_BOOL, 0, P_UNQ_STR},
      {68, PS_OPTIONAL, P_CH_DAT, 0, P_NONE},
      {69, 0, P_CHAN_LIST, 0, P_NONE},
      {70, 0, P_NUM_LIST, 0, P_NONE},
      {71, 0, P_NONE, 0, P_NONE},
      {73, 0, P_EXPR, 0, P_NONE},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ParamSpecs[row.uiCmd][0].ucFlags, row.ucFlags0) << row.uiCmd;
    EXPECT_EQ(ParamSpecs[row.uiCmd][0].ePType, row.eType0) << row.uiCmd;
    EXPECT_EQ(ParamSpecs[row.uiCmd][1].ucFlags, row.ucFlags1) << row.uiCmd;
    EXPECT_EQ(ParamSpecs[row.uiCmd][1].ePType, row.eType1) << row.uiCmd;
  }
}

// ---- Attribute records ---------------------------------------------------------------------------------

TEST(Attributes, EveryChoiceListIsUsable) {
  for (size_t i = 0; i < COMMAND_COUNT; ++i) {
    for (size_t s = 0; s < MAX_PARAMS; ++s) {
      if (ParamSpecs[i][s].ePType != P_CH_DAT) continue;
      const SCharDataAttr* pAttr = CharData(i, s);
      ASSERT_NE(pAttr->pChoices, nullptr) << i;
      EXPECT_LE(std::strlen(pAttr->pChoices), 255u) << i;
      const std::vector<std::string> items = Choices(pAttr->pChoices);
      for (const std::string& item : items) {
        EXPECT_FALSE(item.empty()) << "empty choice in command " << i;
        for (char c : item) {
          EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':' ||
                      c == '"' || c == '#')
              << "command " << i << " choice " << item;
        }
      }
      EXPECT_TRUE(pAttr->ucDefItem == CHAR_DATA_NO_DEFAULT || pAttr->ucDefItem < items.size()) << i;
      EXPECT_NE(pAttr->eAltPType, P_CH_DAT) << i;
      EXPECT_EQ(pAttr->pAltAttr != nullptr, NeedsAttr(pAttr->eAltPType)) << i;
    }
  }
}

TEST(Attributes, CharacterDataOfSampleCommands) {
  struct Row {
    size_t uiCmd;
    size_t uiSlot;
    const char* pChoices;
    uint8_t ucDefItem;
    EPType eAlt;
  };
  const Row rows[] = {
      {24, 0, "MINimum|MAXimum|DEFault", CHAR_DATA_NO_DEFAULT, P_NUM},
      {32, 1, "MINimum|MAXimum|DEFault", CHAR_DATA_NO_DEFAULT, P_NUM},
      {35, 0, "MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, P_NUM},
      {36, 0, "MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, P_NONE},
      {38, 0, "0.02|0.2|1|10|100|MINimum|MAXimum", 3, P_NONE},
      {44, 0, "NULL|DB|DBM|AVERage|LIMit", CHAR_DATA_NO_DEFAULT, P_NONE},
      {48, 1, "MINimum|MAXimum|DEFault", CHAR_DATA_NO_DEFAULT, P_NUM},
      {49, 0, "MINimum|MAXimum|UP|DOWN", CHAR_DATA_NO_DEFAULT, P_NUM},
      {52, 0, "MINimum|MAXimum", CHAR_DATA_NO_DEFAULT, P_NONE},
      {58, 0, "BUS|IMMediate|EXTernal#", 1, P_NONE},
      {65, 0, "MINimum|MIDdle|MAXimum", CHAR_DATA_NO_DEFAULT, P_NONE},
      {68, 0, "ONCE", CHAR_DATA_NO_DEFAULT, P_BOOL},
  };
  for (const Row& row : rows) {
    const SCharDataAttr* pAttr = CharData(row.uiCmd, row.uiSlot);
    EXPECT_STREQ(pAttr->pChoices, row.pChoices) << row.uiCmd;
    EXPECT_EQ(pAttr->ucDefItem, row.ucDefItem) << row.uiCmd;
    EXPECT_EQ(pAttr->eAltPType, row.eAlt) << row.uiCmd;
  }
}

TEST(Attributes, FunctionChoicesCarryTheirQuotes) {
  const std::vector<std::string> expected = {
      "\"VOLTage:DC\"", "\"VOLTage:DC:RATio\"", "\"VOLTage:AC\"", "\"CURRent:DC\"",
      "\"CURRent:AC\"", "\"RESistance\"",       "\"FRESistance\"", "\"FREQuency\"",
      "\"PERiod\"",     "\"CONTinuity\"",       "\"DIODe\""};
  EXPECT_EQ(Choices(CharData(39, 0)->pChoices), expected);
  EXPECT_EQ(CharData(39, 0)->ucDefItem, CHAR_DATA_NO_DEFAULT);
}

TEST(Attributes, UnitsOfNumericParameters) {
  struct Row {
    size_t uiCmd;
    size_t uiSlot;
    EUnits eUnits;
    int8_t cDefExp;
  };
  // Character-data slots are checked through their alternative numeric attribute.
  const Row rows[] = {
      {1, 0, U_NONE, 0},   {17, 0, U_NONE, 0},   {24, 1, U_VOLT, 0},  {27, 0, U_AMP, 0},
      {29, 0, U_OHM, 0},   {31, 1, U_HERTZ, 0},  {32, 0, U_SEC, 0},   {35, 0, U_OHM, 0},
      {48, 0, U_VOLT, 0},  {48, 1, U_AMP, 0},    {49, 0, U_AMP, 0},   {51, 0, U_VOLT, 0},
      {53, 0, U_HENRY, -6}, {54, 0, U_KELVIN, 0}, {64, 0, U_NONE, 0},  {72, 0, U_NONE, 0},
  };
  for (const Row& row : rows) {
    const SParamSpec& spec = ParamSpecs[row.uiCmd][row.uiSlot];
    const SNumAttr* pAttr =
        spec.ePType == P_NUM ? Num(spec.pAttr) : Num(CharData(row.uiCmd, row.uiSlot)->pAltAttr);
    EXPECT_EQ(pAttr->eUnits, row.eUnits) << row.uiCmd;
    EXPECT_EQ(pAttr->cDefExp, row.cDefExp) << row.uiCmd;
    if (row.uiCmd != 54) {
      EXPECT_EQ(pAttr->peAltUnits, nullptr) << row.uiCmd;
    }
  }
  const EUnits* peAlt = Num(ParamSpecs[54][0].pAttr)->peAltUnits;
  ASSERT_NE(peAlt, nullptr);
  EXPECT_EQ(std::vector<EUnits>(peAlt, peAlt + 3), (std::vector<EUnits>{U_CELSIUS, U_FAHREN, U_END}));
}

TEST(Attributes, BooleanDefaults) {
  struct Row {
    size_t uiCmd;
    const void* pAttr;
    uint8_t ucFlags;
  };
  const Row rows[] = {
      {37, ParamSpecs[37][0].pAttr, BOOL_HAS_DEFAULT | BOOL_DEFAULT_ON},
      {41, ParamSpecs[41][0].pAttr, BOOL_HAS_DEFAULT},
      {43, ParamSpecs[43][0].pAttr, 0},
      {56, ParamSpecs[56][0].pAttr, 0},
      {62, ParamSpecs[62][0].pAttr, BOOL_HAS_DEFAULT | BOOL_DEFAULT_ON},
      {68, CharData(68, 0)->pAltAttr, BOOL_HAS_DEFAULT | BOOL_DEFAULT_ON},
  };
  for (const Row& row : rows)
    EXPECT_EQ(static_cast<const SBoolAttr*>(row.pAttr)->ucFlags, row.ucFlags) << row.uiCmd;
}

TEST(Attributes, Lists) {
  const SListAttr* pChan = static_cast<const SListAttr*>(ParamSpecs[69][0].pAttr);
  EXPECT_EQ(pChan->ucFlags, LIST_CHECK_RANGE);
  EXPECT_EQ(pChan->ucMinDims, 2);
  EXPECT_EQ(pChan->ucMaxDims, 2);
  EXPECT_EQ(pChan->lMin, 1);
  EXPECT_EQ(pChan->lMax, 24);

  const SListAttr* pNum = static_cast<const SListAttr*>(ParamSpecs[70][0].pAttr);
  EXPECT_EQ(pNum->ucFlags, LIST_ALLOW_NEG);
  EXPECT_EQ(pNum->lMin, 0);
  EXPECT_EQ(pNum->lMax, 0);
}

// ---- Unit suffixes -----------------------------------------------------------------------------------

TEST(UnitSuffixes, SampleEntries) {
  struct Row {
    size_t uiIndex;
    const char* pSuffix;
    EUnits eUnits;
    int8_t cExp;
  };
  const Row rows[] = {
      {0, "NV", U_VOLT, -9},     {5, "MAV", U_VOLT, 6},      {8, "MA", U_AMP, -3},
      {11, "UOHM", U_OHM, -6},   {16, "MR", U_OHM, 6},       {18, "MOHM", U_OHM, 6},
      {21, "GOHM", U_OHM, 9},    {31, "DBM", U_DB_W, -3},    {33, "DBW", U_DB_W, 0},
      {38, "PF", U_FARAD, -12},  {42, "F", U_FARAD, 0},      {45, "H", U_HENRY, 0},
      {48, "MHZ", U_HERTZ, 6},   {51, "PS", U_SEC, -12},     {55, "S", U_SEC, 0},
      {56, "K", U_KELVIN, 0},    {57, "CEL", U_CELSIUS, 0},  {58, "FAR", U_FAHREN, 0},
  };
  for (const Row& row : rows) {
    const SUnitSuffix& entry = UnitSuffixes[row.uiIndex];
    EXPECT_STREQ(entry.pSuffix, row.pSuffix) << row.uiIndex;
    EXPECT_EQ(entry.eUnits, row.eUnits) << row.pSuffix;
    EXPECT_EQ(entry.cExp, row.cExp) << row.pSuffix;
  }
}

TEST(UnitSuffixes, UpperCaseUniqueAndRealUnits) {
  std::set<std::string> seen;
  for (size_t i = 0; i < SUFFIX_COUNT; ++i) {
    const SUnitSuffix& entry = UnitSuffixes[i];
    for (const char* p = entry.pSuffix; *p; ++p)
      EXPECT_TRUE(std::isupper(static_cast<unsigned char>(*p))) << entry.pSuffix;
    EXPECT_TRUE(seen.insert(entry.pSuffix).second) << "duplicate " << entry.pSuffix;
    EXPECT_GT(entry.eUnits, U_NONE) << entry.pSuffix;
    EXPECT_LT(entry.eUnits, U_END) << entry.pSuffix;
  }
}

}  // namespace
