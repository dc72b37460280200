// SPDX-License-Identifier: MIT
// Parsing a line the way a host does: command by command to its end, every parameter read
// through its accessor, every list entry through the list accessors. Shared by the parser
// benchmark and the scaling benchmark, so that both measure the same work per command.
#ifndef ORVANE_BENCH_READ_COMMANDS_H
#define ORVANE_BENCH_READ_COMMANDS_H

#include <orvane-scpi/scpi.h>

namespace bench {

// Keeps a value the compiler would otherwise drop (as benchmark::DoNotOptimize does).
template <typename T>
inline void Keep(const T& value) {
  asm volatile("" : : "r,m"(value) : "memory");
}

inline void ReadNumber(const SParam& s) {
  double fdVal;
  EUnits eUnits;
  Keep(SCPI_ParamToDouble(&s, &fdVal));
  Keep(SCPI_ParamUnits(&s, &eUnits));
  Keep(fdVal);
  Keep(eUnits);
}

inline void ReadNumList(const SParam& s) {
  uint8_t bRange;
  SParam sFirst, sLast;
  for (uint8_t i = 0; SCPI_GetNumListEntry(&s, i, &bRange, &sFirst, &sLast) == SCPI_ERR_OK; ++i) {
    ReadNumber(sFirst);
    if (bRange) ReadNumber(sLast);
  }
}

constexpr uint8_t CHAN_CAPACITY = 8;

inline void ReadChanList(const SParam& s) {
  uint8_t bRange;
  SParam sFirst[CHAN_CAPACITY], sLast[CHAN_CAPACITY];
  for (uint8_t i = 0;; ++i) {
    uint8_t ucDims = CHAN_CAPACITY;
    if (SCPI_GetChanListEntry(&s, i, &ucDims, &bRange, sFirst, sLast) != SCPI_ERR_OK) break;
    for (uint8_t d = 0; d < ucDims; ++d) {
      ReadNumber(sFirst[d]);
      if (bRange) ReadNumber(sLast[d]);
    }
  }
}

inline void ReadParam(const SParam& s) {
  EPType eType;
  ENumSubtype eSub;
  SCPI_ParamType(&s, &eType, &eSub);
  uint8_t ucVal;
  const char* pText;
  uint8_t ucLen;
  char cDelim;
  switch (eType) {
    case P_NUM: ReadNumber(s); break;
    case P_BOOL: Keep(SCPI_ParamToBOOL(&s, &ucVal)); break;
    case P_CH_DAT: Keep(SCPI_ParamToCharDataItem(&s, &ucVal)); break;
    case P_STR: case P_UNQ_STR: case P_EXPR:
      Keep(SCPI_ParamToString(&s, &pText, &ucLen, &cDelim));
      break;
    case P_NUM_LIST: ReadNumList(s); break;
    case P_CHAN_LIST: ReadChanList(s); break;
    default: break;
  }
}

/// Parses a line to its end, reading every parameter, through SCPI_ParseCtx on psCtx or, without
/// one, through SCPI_Parse; returns the number of commands taken and adds the failed ones to
/// *puErrors.
inline unsigned ParseLine(const char* pLine, unsigned* puErrors = nullptr,
                          SScpiContext* psCtx = nullptr) {
  const char* pPos = pLine;
  unsigned uCommands = 0;
  for (uint8_t bReset = 1;; bReset = 0) {
    uint8_t ucCmd, ucSufCnt;
    SParam sParam[MAX_PARAMS];
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    const uint8_t ucCode =
        psCtx != nullptr
            ? SCPI_ParseCtx(psCtx, &pPos, nullptr, bReset, &ucCmd, sParam, &ucSufCnt, uiSuf)
            : SCPI_Parse(&pPos, bReset, &ucCmd, sParam, &ucSufCnt, uiSuf);
    if (ucCode == SCPI_ERR_NO_COMMAND) return uCommands;
    ++uCommands;
    Keep(ucCode);
    if (ucCode != SCPI_ERR_OK) {
      if (puErrors != nullptr) ++*puErrors;
      continue;
    }
    Keep(ucCmd);
    for (const SParam& s : sParam) ReadParam(s);
  }
}

}  // namespace bench

#endif  // ORVANE_BENCH_READ_COMMANDS_H
