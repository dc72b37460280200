// SPDX-License-Identifier: MIT
// The header index that orvane_scpi_add_table derives from a table, on a table of the shapes it
// has to get right (fuzz/search_shapes_table.c): which entries it sorts under which keys, and
// that a search with it gives what trying every entry gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <orvane-scpi/scpi_table.h>
#include "scpi_internal.h"

extern "C" const SScpiTable SearchShapesTable;

namespace {

constexpr uint8_t NO_CMD = 255;

// The entries of the run a key leads to.
std::set<unsigned> RunOf(const char* pKey) {
  const SCmdIndex& s = *SearchShapesTable.psIndex;
  const uint32_t ulRun = s.pulBuckets[SCPI_IndexKeyHash(pKey, std::strlen(pKey)) >> s.ucBucketShift];
  std::set<unsigned> entries;
  for (unsigned u = ulRun & 0xFFFFu; u < (ulRun >> 16); ++u) entries.insert(s.pucCandidates[2 * u]);
  return entries;
}

struct SortedRow {
  unsigned uEntry;
  std::vector<const char*> keys;  // the short and long forms its header may start with
};

const SortedRow SORTED[] = {
    {0, {"*RST"}},
    {1, {"*rst"}},
    {2, {"SENS", "SENSE", "VOLT", "VOLTAGE"}},
    {3, {"SENS", "SENSE", "INP", "INPUT", "CURR", "CURRENT"}},
    {5, {"SYST", "SYSTEM"}},
    {6, {"QUER", "QUERY"}},
    {9, {"X"}},
    {10, {"MOD"}},   // the key ends at a digit
    {11, {""}},
    {12, {"OUTP", "OUTPUT"}},
    {13, {"FOO"}},   // ... and at ';'
    {14, {"AT@", "AT@X"}},
    {19, {"MEAS", "MEASURE"}},
    {25, {"UNCL", "UNCLOSED"}},
    {33, {"SENS", "SENSE"}},
    {34, {"UNCL", "UNCLOSED"}},
};

// Shapes the index does not sort: tried for every header.
const std::set<unsigned> UNSORTED = {20, 21, 22, 23, 24, 26, 27, 28, 29, 30, 31, 32};

TEST(HeaderIndex, IsAttachedToTheTableRecord) {
  ASSERT_NE(SearchShapesTable.psIndex, nullptr);
}

TEST(HeaderIndex, RunsHoldEntriesInTableOrder) {
  const SCmdIndex& s = *SearchShapesTable.psIndex;
  for (unsigned u = 0; u < (1u << (32 - s.ucBucketShift)); ++u) {
    const uint32_t ulRun = s.pulBuckets[u];
    for (unsigned c = (ulRun & 0xFFFFu) + 1; c < (ulRun >> 16); ++c) {
      EXPECT_LT(s.pucCandidates[2 * c - 2], s.pucCandidates[2 * c]) << "bucket " << u;
    }
  }
}

TEST(HeaderIndex, SortsEachEntryUnderTheKeysOfItsLeadingKeywords) {
  for (const SortedRow& r : SORTED) {
    for (const char* pKey : r.keys) {
      EXPECT_EQ(RunOf(pKey).count(r.uEntry), 1u) << "entry " << r.uEntry << " key " << pKey;
    }
  }
}

TEST(HeaderIndex, TriesTheUnsortedShapesForEveryHeader) {
  std::vector<std::set<unsigned>> runs;
  for (const SortedRow& r : SORTED) {
    for (const char* pKey : r.keys) runs.push_back(RunOf(pKey));
  }
  const SCmdIndex& s = *SearchShapesTable.psIndex;
  bool bSawKeylessBucket = false;
  for (unsigned u = 0; u < (1u << (32 - s.ucBucketShift)); ++u) {
    std::set<unsigned> entries;
    const uint32_t ulRun = s.pulBuckets[u];
    for (unsigned c = ulRun & 0xFFFFu; c < (ulRun >> 16); ++c) entries.insert(s.pucCandidates[2 * c]);
    runs.push_back(entries);
    bSawKeylessBucket = bSawKeylessBucket || entries == UNSORTED;
  }
  for (const std::set<unsigned>& run : runs) {
    EXPECT_TRUE(std::includes(run.begin(), run.end(), UNSORTED.begin(), UNSORTED.end()));
  }
  // A header whose key no entry has tries the unsorted entries alone.
  EXPECT_TRUE(bSawKeylessBucket);
}

// What one call gave back: its code, read position, and for a recognised command its number
// and suffixes.
struct Outcome {
  uint8_t ucCode;
  size_t uPos;
  uint8_t ucCmd;
  std::vector<uint32_t> suffixes;
  bool operator==(const Outcome& o) const {
    return ucCode == o.ucCode && uPos == o.uPos && ucCmd == o.ucCmd && suffixes == o.suffixes;
  }
};

std::vector<Outcome> ParseLine(const std::string& sLine, uint8_t ucSearch) {
  std::vector<Outcome> outcomes;
  const char* p = sLine.c_str();
  SScpiContext sCtx;
  EXPECT_EQ(SCPI_ContextInit(&sCtx, &SearchShapesTable, SCPI_RULES_LIBRARY), SCPI_ERR_OK);
  for (uint8_t ucReset = scpi::PARSE_RESET_TREE; outcomes.size() < 100; ucReset = 0) {
    uint8_t ucCmd = NO_CMD, ucCount = 0;
    SParam sParam[MAX_PARAMS];
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    const uint8_t ucCode =
        scpi::Parse(&sCtx, &p, nullptr, ucReset | ucSearch, &ucCmd, sParam, &ucCount, uiSuf);
    Outcome o{ucCode, static_cast<size_t>(p - sLine.c_str()), NO_CMD, {}};
    if (ucCode == SCPI_ERR_OK) {
      o.ucCmd = ucCmd;
      o.suffixes.assign(uiSuf, uiSuf + ucCount);
    }
    outcomes.push_back(o);
    if (ucCode == SCPI_ERR_NO_COMMAND) break;
  }
  return outcomes;
}

struct SearchRow {
  const char* pLine;  // one command
  uint8_t ucCode;
  uint8_t ucCmd;
  std::vector<uint32_t> suffixes;
};

const SearchRow SEARCHES[] = {
    {"*rst", SCPI_ERR_OK, 0, {}},
    {"*rst 1", SCPI_ERR_OK, 1, {}},  // the same specification again, with a parameter
    {"volt", SCPI_ERR_OK, 21, {}},  // entry 2 wants a number; an unsorted shape takes it
    {"sens:volt:dc 5", SCPI_ERR_OK, 2, {}},
    {"volt?", SCPI_ERR_OK, 4, {}},
    {"curr5:rang", SCPI_ERR_OK, 3, {5}},
    {"sense:input2:curr:rang", SCPI_ERR_OK, 3, {2, 1}},
    {"syst?:err", SCPI_ERR_OK, 5, {}},
    {"quer??", SCPI_ERR_OK, 6, {}},
    {"x?", SCPI_ERR_OK, 7, {}},
    {"x:a", SCPI_ERR_OK, 9, {}},
    {"mod:x", SCPI_ERR_INVALID_CMD, NO_CMD, {}},
    {"mod2:x", SCPI_ERR_OK, 10, {}},
    {"2nd:x", SCPI_ERR_OK, 11, {}},
    {"outp70000:a", SCPI_ERR_INVALID_NUM_SUF, NO_CMD, {}},
    {"at@x", SCPI_ERR_OK, 14, {}},
    {"at`x", SCPI_ERR_INVALID_CMD, NO_CMD, {}},
    {"meas 5", SCPI_ERR_OK, 19, {}},
    {"ing", SCPI_ERR_OK, 20, {}},
    {"abef:x", SCPI_ERR_OK, 22, {}},
    {"abcdef:x", SCPI_ERR_INVALID_CMD, NO_CMD, {}},
    {"a5b:c", SCPI_ERR_OK, 23, {5}},
    {"uncl", SCPI_ERR_OK, 24, {}},
    {"uncl:node 1", SCPI_ERR_OK, 34, {}},
    // Entry 24 fails at its end inside its unclosed node; 25, which extends it, goes on.
    {"uncl:nodez 5", SCPI_ERR_OK, 25, {}},
    {"out1:a2:b3:c4:d5:e6:f7:g8:h9:i10:j11", SCPI_ERR_TOO_MANY_NUM_SUF, NO_CMD, {}},
    {"voltage:x", SCPI_ERR_OK, 28, {}},
    {"v:x", SCPI_ERR_INVALID_CMD, NO_CMD, {}},
    {"sens:func", SCPI_ERR_OK, 33, {}},
};

TEST(HeaderIndex, FindsWhatEveryEntryWouldFind) {
  for (const SearchRow& r : SEARCHES) {
    const std::vector<Outcome> indexed = ParseLine(r.pLine, 0);
    EXPECT_TRUE(indexed == ParseLine(r.pLine, scpi::PARSE_WITHOUT_INDEX)) << r.pLine;
    ASSERT_FALSE(indexed.empty());
    EXPECT_EQ(indexed[0].ucCode, r.ucCode) << r.pLine;
    EXPECT_EQ(indexed[0].ucCmd, r.ucCmd) << r.pLine;
    EXPECT_EQ(indexed[0].suffixes, r.suffixes) << r.pLine;
  }
}

TEST(HeaderIndex, KeysOfTreePathsAndLongSpecifications) {
  const std::string sLong = "long:" + std::string(250, 'a');  // 255 characters: all a walk reads
  const char* const LINES[] = {
      "meas:volt:dc? 1;dc:rat?;ac?;:meas:curr?;volt:dc? 2",
      "sens:volt:dc 5;:uncl:node 2;nodez 3;:x:a;b 4",
      "*rst;sens:func;*rst 2;func beta3",
  };
  for (const char* pLine : LINES) {
    EXPECT_TRUE(ParseLine(pLine, 0) == ParseLine(pLine, scpi::PARSE_WITHOUT_INDEX)) << pLine;
  }
  EXPECT_EQ(ParseLine("meas:volt:dc? 1;dc:rat?", 0)[1].ucCmd, 16);
  const std::vector<Outcome> longLine = ParseLine(sLong, 0);
  EXPECT_TRUE(longLine == ParseLine(sLong, scpi::PARSE_WITHOUT_INDEX));
  EXPECT_EQ(longLine[0].ucCmd, 32);
}

}  // namespace
