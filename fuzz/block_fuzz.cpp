// SPDX-License-Identifier: MIT
// Fuzz target for arbitrary blocks, through a context over a small table with block slots. The
// input is parsed as one program message (its end given, NUL bytes and all), and again inside
// blocks built from it: the first byte chooses how, the rest are the block's bytes.
// Checked on the way:
//  - the read position only moves forward and stays inside the message;
//  - every block record lies inside the message;
//  - a well-formed definite block, followed by ";*RST", and an indefinite one at the end, are
//    recognised with exactly their bytes, whatever the bytes are; a definite block whose length
//    says one byte more than there is gives SCPI_ERR_INVALID_BLOCK.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include <orvane-scpi/scpi_declare.h>

namespace {

const SNumAttr Plain = {U_NONE, nullptr, 0};
const SUnitSuffix Units[] = {{"", U_NONE, 0}};

#define FUZZ_BLOCK_COMMANDS(CMD)                          \
  CMD(F_RST, "*RST")                                      \
  CMD(F_DATA, "DATA", SCPI_NUM(&Plain), SCPI_BLOCK)       \
  CMD(F_TRACE, "TRACe", SCPI_OPTIONAL(SCPI_BLOCK))        \
  CMD(F_TEXT, "TEXT", SCPI_STR, SCPI_OPTIONAL(SCPI_UNQ_STR))

SCPI_COMMAND_TYPE(FUZZ_BLOCK_COMMANDS, EFuzzCommand, F_COUNT);
SCPI_NAMED_COMMAND_TABLE_WIDTH(FUZZ_BLOCK_COMMANDS, FuzzTable, 3, Units);

struct SResult {
  uint8_t ucCode;
  uint8_t ucCmd;
  SParam asParam[3];
};

// Parses the message to its end; returns the first command's result and how many commands.
unsigned ParseAll(const std::string& sMessage, SResult* psFirst) {
  SScpiContext sCtx;
  FUZZ_CHECK(SCPI_ContextInit(&sCtx, &FuzzTable, SCPI_RULES_LIBRARY) == SCPI_ERR_OK);
  const char* const pBegin = sMessage.data();
  const char* const pEnd = pBegin + sMessage.size();
  const char* p = pBegin;
  unsigned uCommands = 0;
  for (uint8_t bReset = 1;; bReset = 0) {
    SResult sResult = {};
    uint8_t ucSufCnt = 0;
    uint32_t aulSuf[MAX_NUM_SUFFIX];
    const char* const pBefore = p;
    sResult.ucCode =
        SCPI_ParseCtx(&sCtx, &p, pEnd, bReset, &sResult.ucCmd, sResult.asParam, &ucSufCnt, aulSuf);
    FUZZ_CHECK(p >= pBefore && p <= pEnd);
    if (sResult.ucCode == SCPI_ERR_NO_COMMAND) break;
    FUZZ_CHECK(p > pBefore);
    for (const SParam& sParam : sResult.asParam) {
      if (sResult.ucCode != SCPI_ERR_OK || sParam.ePType != P_BLOCK) continue;
      const char* pData = reinterpret_cast<const char*>(sParam.uVal.sBlock.pucData);
      FUZZ_CHECK(pData >= pBegin && sParam.uVal.sBlock.ulLen <= size_t(pEnd - pData));
    }
    if (uCommands++ == 0) *psFirst = sResult;
  }
  return uCommands;
}

std::string Definite(const std::string& sBytes, size_t uSaid) {
  const std::string sLen = std::to_string(uSaid);
  return "#" + std::to_string(sLen.size()) + sLen + sBytes;
}

// The block of the first command's slot ucSlot, as bytes.
std::string BlockOf(const SResult& sResult, unsigned uSlot) {
  const SBlock& sBlock = sResult.asParam[uSlot].uVal.sBlock;
  return std::string(reinterpret_cast<const char*>(sBlock.pucData), sBlock.ulLen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize) {
  const std::string sInput(reinterpret_cast<const char*>(pData), uSize);
  SResult sFirst = {};
  ParseAll(sInput, &sFirst);
  if (uSize == 0) return 0;

  // The records point into the message, which must outlive them.
  const std::string sBytes = sInput.substr(1);
  std::string sMessage;
  switch (pData[0] % 3) {
    case 0:
      sMessage = "DATA 1," + Definite(sBytes, sBytes.size()) + ";*RST";
      FUZZ_CHECK(ParseAll(sMessage, &sFirst) == 2);
      FUZZ_CHECK(sFirst.ucCode == SCPI_ERR_OK && sFirst.ucCmd == F_DATA);
      FUZZ_CHECK(sFirst.asParam[1].ePType == P_BLOCK && BlockOf(sFirst, 1) == sBytes);
      break;
    case 1:
      sMessage = "TRAC #0" + sBytes;
      FUZZ_CHECK(ParseAll(sMessage, &sFirst) == 1);
      FUZZ_CHECK(sFirst.ucCode == SCPI_ERR_OK && sFirst.ucCmd == F_TRACE);
      FUZZ_CHECK(sFirst.asParam[0].ePType == P_BLOCK && BlockOf(sFirst, 0) == sBytes);
      break;
    default:
      sMessage = "DATA 1," + Definite(sBytes, sBytes.size() + 1);
      ParseAll(sMessage, &sFirst);
      FUZZ_CHECK(sFirst.ucCode == SCPI_ERR_INVALID_BLOCK);
      break;
  }
  return 0;
}
