// SPDX-License-Identifier: MIT
// Tables of any width and arbitrary blocks, through a context over a table in the one-place form.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <orvane-scpi/scpi_declare.h>

namespace {

const SNumAttr Plain = {U_NONE, nullptr, 0};
const SCharDataAttr Element = SCPI_CHOICES("VOLTage|CURRent|RESistance|TIME|STATus",
                                           CHAR_DATA_NO_DEFAULT);
SCPI_DECLARE_LEVEL_UP_DOWN(VoltLevel, U_VOLT);
const SUnitSuffix Units[] = {{"MV", U_VOLT, -3}, {"V", U_VOLT, 0}, {"", U_NONE, 0}};

#define OPT_ELEMENT SCPI_OPTIONAL(SCPI_CH_DAT(&Element))
#define WIDE_COMMANDS(CMD)                                                                       \
  CMD(W_RST, "*RST")                                                                            \
  CMD(W_ELEM, "FORMat:ELEMents", SCPI_CH_DAT(&Element), OPT_ELEMENT, OPT_ELEMENT, OPT_ELEMENT,  \
      OPT_ELEMENT)                                                                              \
  CMD(W_EIGHT, "EIGHt", SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain), \
      SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain), SCPI_NUM(&Plain))                   \
  CMD(W_DATA, "DATA", SCPI_NUM(&Plain), SCPI_BLOCK)                                             \
  CMD(W_TRACE, "TRACe", SCPI_OPTIONAL(SCPI_BLOCK))                                              \
  CMD(W_TEXT, "TEXT", SCPI_STR)                                                                 \
  CMD(W_VOLT, "VOLTage", SCPI_LEVEL(VoltLevel))

SCPI_COMMAND_TYPE(WIDE_COMMANDS, EWide, W_COUNT);
SCPI_NAMED_COMMAND_TABLE(WIDE_COMMANDS, WideTable, SCPI_MAX_PARAM_SLOTS, Units);

struct Parsed {
  std::vector<uint8_t> vCodes;
  std::vector<uint8_t> vCmds;
  SParam asParam[SCPI_MAX_PARAM_SLOTS] = {};  // of the first command
};

/// Parses a whole message (NUL bytes included) command by command.
Parsed ParseAll(const std::string& sMessage) {
  SScpiContext sCtx;
  EXPECT_EQ(SCPI_ContextInit(&sCtx, &WideTable, SCPI_RULES_LIBRARY), SCPI_ERR_OK);
  Parsed sOut;
  const char* p = sMessage.data();
  const char* const pEnd = p + sMessage.size();
  for (uint8_t bReset = 1;; bReset = 0) {
    SParam asParam[SCPI_MAX_PARAM_SLOTS];
    uint8_t ucCmd = 0xFF, ucSufCnt = 0;
    uint32_t aulSuf[MAX_NUM_SUFFIX];
    const char* pBefore = p;
    const uint8_t ucCode = SCPI_ParseCtx(&sCtx, &p, pEnd, bReset, &ucCmd, asParam, &ucSufCnt, aulSuf);
    if (ucCode == SCPI_ERR_NO_COMMAND) break;
    if (sOut.vCodes.empty()) std::copy(asParam, asParam + SCPI_MAX_PARAM_SLOTS, sOut.asParam);
    sOut.vCodes.push_back(ucCode);
    sOut.vCmds.push_back(ucCode == SCPI_ERR_OK ? ucCmd : 0xFF);
    if (p == pBefore || sOut.vCodes.size() > 4) break;
  }
  return sOut;
}

TEST(WideTable, WidthComesFromTheRows) {
  EXPECT_EQ(WideTable.ucParamWidth, SCPI_MAX_PARAM_SLOTS);
  EXPECT_EQ(WideTable.ucCmdCount, W_COUNT);
}

// ---- Parameter counts beyond two: message -> codes, first command's types ----

struct WidthRow {
  const char* pMessage;
  uint8_t ucCode;
  EPType aeTypes[SCPI_MAX_PARAM_SLOTS];
};

const WidthRow WIDTH_ROWS[] = {
    {":FORMAT:ELEMENTS VOLTAGE, CURRENT, RESISTANCE, TIME, STATUS", 0,
     {P_CH_DAT, P_CH_DAT, P_CH_DAT, P_CH_DAT, P_CH_DAT}},
    {"FORM:ELEM TIME", 0, {P_CH_DAT}},
    {"FORM:ELEM VOLT,CURR,RES,TIME,STAT,VOLT", SCPI_ERR_PARAM_COUNT, {}},
    {"EIGH 1,2,3,4,5,6,7,8", 0, {P_NUM, P_NUM, P_NUM, P_NUM, P_NUM, P_NUM, P_NUM, P_NUM}},
    {"EIGH 1,2,3,4,5,6,7", SCPI_ERR_PARAM_COUNT, {}},
    {"EIGH 1,2,3,4,5,6,7,8,9", SCPI_ERR_PARAM_COUNT, {}},
    {"VOLT MAX", 0, {P_CH_DAT}},
    {"VOLT 250 MV", 0, {P_NUM}},
    {"VOLT DOWN", 0, {P_CH_DAT}},
    {"VOLT MAXI", SCPI_ERR_PARAM_TYPE, {}},
};

TEST(WideTable, EverySlotIsFilled) {
  for (const WidthRow& sRow : WIDTH_ROWS) {
    const Parsed sOut = ParseAll(sRow.pMessage);
    ASSERT_EQ(sOut.vCodes.size(), 1u) << sRow.pMessage;
    EXPECT_EQ(sOut.vCodes[0], sRow.ucCode) << sRow.pMessage;
    if (sRow.ucCode != SCPI_ERR_OK) continue;
    for (unsigned u = 0; u < SCPI_MAX_PARAM_SLOTS; ++u) {
      EXPECT_EQ(sOut.asParam[u].ePType, sRow.aeTypes[u]) << sRow.pMessage << " slot " << u;
    }
  }
  const Parsed sOut = ParseAll(WIDTH_ROWS[0].pMessage);
  for (uint8_t uc = 0; uc < 5; ++uc) EXPECT_EQ(sOut.asParam[uc].uVal.ucItemNum, uc);
}

// ---- Blocks that parse: every byte value, NUL, ';', quotes and LF included ----

std::string Bytes(size_t uLen) {
  std::string s(uLen, '\0');
  for (size_t u = 0; u < uLen; ++u) s[u] = static_cast<char>(u * 7 % 256);
  return s;
}

std::string Definite(const std::string& sBytes) {
  const std::string sLen = std::to_string(sBytes.size());
  return "#" + std::to_string(sLen.size()) + sLen + sBytes;
}

TEST(Blocks, DefiniteAndIndefiniteOfAnySize) {
  struct SForm {
    const char* pHead;
    bool bDefinite;
    const char* pTail;
  };
  const SForm FORMS[] = {{"DATA 5,", true, ";*RST"}, {"DATA 5, ", true, " ;*RST"},
                         {"TRAC #0", false, ""}};
  for (const size_t uLen : {0u, 1u, 255u, 256u, 100000u}) {
    const std::string sBytes = Bytes(uLen);
    for (const SForm& sForm : FORMS) {
      const std::string sMessage = sForm.pHead +
                                   (sForm.bDefinite ? Definite(sBytes) : sBytes) + sForm.pTail;
      const Parsed sOut = ParseAll(sMessage);
      ASSERT_EQ(sOut.vCodes, std::vector<uint8_t>(sForm.bDefinite ? 2 : 1, SCPI_ERR_OK)) << uLen;
      EXPECT_EQ(sOut.vCmds[0], sForm.bDefinite ? W_DATA : W_TRACE);
      if (sForm.bDefinite) EXPECT_EQ(sOut.vCmds[1], W_RST);
      const uint8_t* pucData = nullptr;
      uint32_t ulLen = 1;
      ASSERT_EQ(SCPI_ParamToBlock(&sOut.asParam[sForm.bDefinite ? 1 : 0], &pucData, &ulLen), 0);
      ASSERT_EQ(ulLen, uLen);
      // A span of the message itself, ending where the tail begins.
      const char* pData = reinterpret_cast<const char*>(pucData);
      EXPECT_EQ(pData + ulLen, sMessage.data() + sMessage.size() - std::strlen(sForm.pTail));
      EXPECT_EQ(std::string(pData, ulLen), sBytes);
    }
  }
}

// ---- Malformed blocks, and blocks where they do not belong: message -> codes ----

struct FaultRow {
  const char* pMessage;
  std::vector<uint8_t> vCodes;
};

const FaultRow FAULT_ROWS[] = {
    {"DATA 1,#19abc;*RST", {SCPI_ERR_INVALID_BLOCK, 0}},       // length past the message end
    {"DATA 1,#3", {SCPI_ERR_INVALID_BLOCK}},                   // fewer length digits
    {"DATA 1,#2a5abcde", {SCPI_ERR_INVALID_BLOCK}},            // a non-digit in the length
    {"DATA 1,#13abcd;*RST", {SCPI_ERR_INVALID_BLOCK, 0}},      // more than its length before ';'
    {"DATA 1,#13ab;;*RST", {0, 0}},                             // ';' inside: one command
    {"TEXT #13abc;*RST", {SCPI_ERR_PARAM_TYPE, 0}},            // a block in a string slot
    {"DATA 1,'abc'", {SCPI_ERR_PARAM_TYPE}},                   // a string in a block slot
    {"TRAC", {SCPI_ERR_OK}},                                    // an optional block left out
    {"DATA #11a,#11b", {SCPI_ERR_PARAM_TYPE}},                 // a block in a number slot
    {"TEXT '#11;'", {SCPI_ERR_OK}},                             // no block inside quotes
};

TEST(Blocks, EachFaultHasItsCode) {
  for (const FaultRow& sRow : FAULT_ROWS) {
    EXPECT_EQ(ParseAll(sRow.pMessage).vCodes, sRow.vCodes) << sRow.pMessage;
  }
}

TEST(Blocks, BlockBytesDoNotCountTowardTheCommandLimit) {
  const std::string sPadding(240, ' ');
  EXPECT_EQ(ParseAll("DATA" + sPadding + "1," + Definite(Bytes(1000))).vCodes,
            std::vector<uint8_t>{SCPI_ERR_OK});
  EXPECT_EQ(ParseAll("DATA" + sPadding + sPadding + "1," + Definite("ab")).vCodes,
            std::vector<uint8_t>{SCPI_ERR_INVALID_CMD});
}

TEST(Blocks, AccessorAcceptsOnlyBlocks) {
  SParam sNum = {};
  sNum.ePType = P_NUM;
  const uint8_t* pucData = nullptr;
  uint32_t ulLen = 7;
  EXPECT_EQ(SCPI_ParamToBlock(&sNum, &pucData, &ulLen), SCPI_ERR_PARAM_TYPE);
  EXPECT_EQ(ulLen, 7u);
  EXPECT_EQ(sizeof(SParam), sizeof(void*) == 8 ? 24u : 12u);
}

}  // namespace
