// SPDX-License-Identifier: MIT
// Differential fuzz target for the header index. The input, cut at its first NUL, is one program
// message line. It is taken command by command to its end through a context over the table, for
// each rule set twice: with the table's header index, and trying every entry as for a table
// built without it. Both runs must return the same code and read position for every command,
// and for a recognised one the same command number, suffixes and parameter records, and leave
// the same tree path.
// Built once with the demo table (header_search_fuzz) and once with a table of the shapes the
// index has to get right (header_search_shapes_fuzz).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "scpi_internal.h"

namespace {

constexpr uint8_t SENTINEL = 0xA5;

// The defined part of a record: its type and the value that type has.
void NoteRecord(const SParam& s, const char* pLine, Transcript& sOut) {
  sOut.Note(s.ePType);
  switch (s.ePType) {
    case P_NONE: break;
    case P_NUM:
      sOut.Note(s.uVal.sNum.ulMant);
      sOut.Note(s.uVal.sNum.ucExp);
      sOut.Note(s.uVal.sNum.ucNumFlags);
      sOut.Note(s.uVal.sNum.eUnits);
      break;
    case P_BOOL: sOut.Note(s.uVal.bVal); break;
    case P_CH_DAT: sOut.Note(s.uVal.ucItemNum); break;
    default:
      sOut.Note(s.uVal.sText.pSText - pLine);
      sOut.Note(s.uVal.sText.ucLen);
      sOut.Note(s.uVal.sText.cDelimiter);
      break;
  }
}

extern "C" const SScpiTable ORVANE_FUZZ_TABLE;

Transcript RunLine(const char* pLine, uint8_t ucRules, uint8_t ucSearch) {
  Transcript sOut;
  SScpiContext sCtx;
  FUZZ_CHECK(SCPI_ContextInit(&sCtx, &ORVANE_FUZZ_TABLE, ucRules) == SCPI_ERR_OK);
  const char* pPos = pLine;
  for (uint8_t ucReset = scpi::PARSE_RESET_TREE;; ucReset = 0) {
    uint8_t ucCmd = SENTINEL;
    uint8_t ucSufCnt = SENTINEL;
    SParam sParam[MAX_PARAMS];
    std::memset(sParam, SENTINEL, sizeof sParam);
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    const uint8_t ucCode =
        scpi::Parse(&sCtx, &pPos, nullptr, ucReset | ucSearch, &ucCmd, sParam, &ucSufCnt, uiSuf);
    sOut.Note(ucCode);
    sOut.Note(pPos - pLine);
    if (ucCode == SCPI_ERR_NO_COMMAND) return sOut;
    sOut.Note(scpi::TreePathTextLen(&sCtx));
    if (ucCode != SCPI_ERR_OK) continue;
    sOut.Note(ucCmd);
    FUZZ_CHECK(ucSufCnt <= MAX_NUM_SUFFIX);
    sOut.Note(ucSufCnt);
    for (unsigned i = 0; i < ucSufCnt; ++i) sOut.Note(uiSuf[i]);
    for (const SParam& s : sParam) NoteRecord(s, pLine, sOut);
  }
}

// Every run of candidates holds entries of the table, each once and in table order.
bool RunsFollowTheTable(const SCmdIndex& s) {
  const unsigned uEntries = ORVANE_FUZZ_TABLE.ucCmdCount;
  for (unsigned uBucket = 0; uBucket < (1u << (32 - s.ucBucketShift)); ++uBucket) {
    const uint32_t ulRun = s.pulBuckets[uBucket];
    for (unsigned u = ulRun & 0xFFFFu; u < (ulRun >> 16); ++u) {
      const unsigned uEntry = s.pucCandidates[2 * u];
      if (uEntry >= uEntries) return false;
      if (u > (ulRun & 0xFFFFu) && uEntry <= s.pucCandidates[2 * u - 2]) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize) {
  // The table's index is linked in, was derived from it and lists its entries in order.
  FUZZ_CHECK(ORVANE_FUZZ_TABLE.psIndex != nullptr);
  static const bool bRunsFollowTheTable = RunsFollowTheTable(*ORVANE_FUZZ_TABLE.psIndex);
  FUZZ_CHECK(bRunsFollowTheTable);
  static const char cEmpty = '\0';
  const char* const pBytes = uSize == 0 ? &cEmpty : reinterpret_cast<const char*>(pData);
  const size_t uLen = strnlen(pBytes, uSize);
  // An exact-size copy, so a sanitizer sees any read past the terminating NUL.
  char* const pLine = static_cast<char*>(std::malloc(uLen + 1));
  std::memcpy(pLine, pBytes, uLen);
  pLine[uLen] = '\0';
  for (uint8_t ucRules : {SCPI_RULES_LIBRARY, SCPI_RULES_STANDARD}) {
    const Transcript sIndexed = RunLine(pLine, ucRules, 0);
    const Transcript sLinear = RunLine(pLine, ucRules, scpi::PARSE_WITHOUT_INDEX);
    FUZZ_CHECK(sIndexed.Bytes() == sLinear.Bytes());
  }
  std::free(pLine);
  return 0;
}
