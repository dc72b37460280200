// SPDX-License-Identifier: MIT
// List entry accessors: locating entries, ranges, channel dimensions and what stays unwritten.
#include <gtest/gtest.h>

#include <cstring>

#include "scpi_internal.h"

namespace {

constexpr uint8_t OK = SCPI_ERR_OK;
constexpr uint8_t TYPE = SCPI_ERR_PARAM_TYPE;
constexpr uint8_t NO_ENTRY = SCPI_ERR_NO_ENTRY;
constexpr uint8_t TOO_MANY = SCPI_ERR_TOO_MANY_DIMS;
constexpr uint8_t UNSET = 0xEE;  // a byte the accessor must not have written
constexpr int32_t NOT_READ = 99999;

SParam Body(EPType ePType, const char* pBody) {
  SParam s;
  std::memset(&s, 0, sizeof s);
  s.ePType = ePType;
  s.uVal.sText.pSText = pBody;
  s.uVal.sText.ucLen = static_cast<uint8_t>(std::strlen(pBody));
  return s;
}

// Records prefilled with a recognisable pattern, so untouched fields can be checked.
void Fill(SParam* ps, size_t n) { std::memset(ps, 0xEE, n * sizeof *ps); }

// The value of a record the accessor filled, or NOT_READ if it still holds the pattern.
int32_t ValueOf(const SParam& s) {
  if (s.ePType == UNSET) return NOT_READ;
  int32_t lVal = 0;
  EXPECT_EQ(scpi::ParamToLong(&s, &lVal), OK);
  return lVal;
}

// ---- Numeric lists -------------------------------------------------------------------------------

struct NumEntryRow {
  const char* pBody;
  uint8_t ucIndex;
  uint8_t ucCode;
  uint8_t bRange;  // UNSET: not written
  int32_t lFirst;  // NOT_READ: record not written
  int32_t lLast;
};

void ExpectNumEntry(const NumEntryRow& r) {
  SCOPED_TRACE(testing::Message() << r.pBody << " [" << +r.ucIndex << "]");
  const SParam sList = Body(P_NUM_LIST, r.pBody);
  uint8_t bRange = UNSET;
  SParam sFirst, sLast;
  Fill(&sFirst, 1);
  Fill(&sLast, 1);
  ASSERT_EQ(scpi::GetNumListEntry(&sList, r.ucIndex, &bRange, &sFirst, &sLast), r.ucCode);
  EXPECT_EQ(bRange, r.bRange);
  EXPECT_EQ(ValueOf(sFirst), r.lFirst);
  EXPECT_EQ(ValueOf(sLast), r.lLast);
  EXPECT_EQ(sFirst.uVal.sNum.eUnits, UNSET) << "units are left as the caller had them";
  EXPECT_EQ(sLast.uVal.sNum.eUnits, UNSET);
}

TEST(GetNumListEntry, EntriesAndRanges) {
  const NumEntryRow rows[] = {
      {"1,3:5,7", 0, OK, 0, 1, NOT_READ},
      {"1,3:5,7", 1, OK, 1, 3, 5},
      {"1,3:5,7", 2, OK, 0, 7, NOT_READ},
      {"1,3:5,7", 3, NO_ENTRY, UNSET, NOT_READ, NOT_READ},
      {"1,3:5,7", 255, NO_ENTRY, UNSET, NOT_READ, NOT_READ},
      {" -2 : 4 , #H10 ", 0, OK, 1, -2, 4},
      {" -2 : 4 , #H10 ", 1, OK, 0, 16, NOT_READ},
      {"2.5e1:-1e-50", 0, OK, 1, 25, 0},
      {"9", 0, OK, 0, 9, NOT_READ},
      {"", 0, NO_ENTRY, UNSET, NOT_READ, NOT_READ},
  };
  for (const NumEntryRow& r : rows) ExpectNumEntry(r);
}

TEST(GetNumListEntry, BodiesNotMadeByTheParser) {
  const NumEntryRow rows[] = {
      // A number fault is a type fault, whatever the number parser said.
      {"x", 0, TYPE, UNSET, NOT_READ, NOT_READ},
      {"1e99", 0, TYPE, UNSET, NOT_READ, NOT_READ},
      // A fault in the range's end leaves the first end and the range flag written.
      {"1:x", 0, TYPE, 1, 1, NOT_READ},
      // A trailing ':' with nothing after it is not a range.
      {"1:", 0, OK, 0, 1, NOT_READ},
      {"1,", 1, NO_ENTRY, UNSET, NOT_READ, NOT_READ},
  };
  for (const NumEntryRow& r : rows) ExpectNumEntry(r);
}

TEST(GetNumListEntry, ReadsFractionsAndSigns) {
  const SParam sList = Body(P_NUM_LIST, "-2.5:1E3");
  uint8_t bRange = 0;
  SParam sFirst{}, sLast{};
  ASSERT_EQ(scpi::GetNumListEntry(&sList, 0, &bRange, &sFirst, &sLast), OK);
  EXPECT_EQ(sFirst.uVal.sNum.ulMant, 25u);
  EXPECT_EQ(sFirst.uVal.sNum.ucExp, 1);
  EXPECT_EQ(sFirst.uVal.sNum.ucNumFlags, NUM_NEG | NUM_EXP_NEG);
  EXPECT_EQ(sLast.uVal.sNum.ulMant, 1u);
  EXPECT_EQ(sLast.uVal.sNum.ucExp, 3);
  EXPECT_EQ(sLast.uVal.sNum.ucNumFlags, 0);
}

// ---- Channel lists --------------------------------------------------------------------------------

constexpr uint8_t MAX_DIMS = 4;

struct ChanEntryRow {
  const char* pBody;
  uint8_t ucIndex;
  uint8_t ucCapacity;
  uint8_t ucCode;
  uint8_t ucDims;  // *pDims afterwards
  uint8_t bRange;  // UNSET: not written
  int32_t lFirst[MAX_DIMS];
  int32_t lLast[MAX_DIMS];
};

constexpr int32_t N = NOT_READ;

void ExpectChanEntry(const ChanEntryRow& r) {
  SCOPED_TRACE(testing::Message() << r.pBody << " [" << +r.ucIndex << "] capacity " << +r.ucCapacity);
  const SParam sList = Body(P_CHAN_LIST, r.pBody);
  uint8_t ucDims = r.ucCapacity;
  uint8_t bRange = UNSET;
  SParam sFirst[MAX_DIMS], sLast[MAX_DIMS];
  Fill(sFirst, MAX_DIMS);
  Fill(sLast, MAX_DIMS);
  ASSERT_EQ(scpi::GetChanListEntry(&sList, r.ucIndex, &ucDims, &bRange, sFirst, sLast), r.ucCode);
  EXPECT_EQ(ucDims, r.ucDims);
  EXPECT_EQ(bRange, r.bRange);
  for (int d = 0; d < MAX_DIMS; d++) {
    EXPECT_EQ(ValueOf(sFirst[d]), r.lFirst[d]) << "first end, dimension " << d;
    EXPECT_EQ(ValueOf(sLast[d]), r.lLast[d]) << "last end, dimension " << d;
    EXPECT_EQ(sFirst[d].uVal.sNum.eUnits, UNSET);
  }
}

TEST(GetChanListEntry, EntriesRangesAndDimensions) {
  // Capacities stay within the test's arrays, except where 255 meets short entries.
  const ChanEntryRow rows[] = {
      {"1!2:3!4,5", 0, 255, OK, 2, 1, {1, 2, N, N}, {3, 4, N, N}},
      {"1!2:3!4,5", 1, 255, OK, 1, 0, {5, N, N, N}, {N, N, N, N}},
      {"1!2:3!4,5", 2, 255, NO_ENTRY, 255, UNSET, {N, N, N, N}, {N, N, N, N}},
      {"1!2:3!4,5", 200, 3, NO_ENTRY, 3, UNSET, {N, N, N, N}, {N, N, N, N}},
      {" 1 ! 2 , 3 ! 4 ", 1, 4, OK, 2, 0, {3, 4, N, N}, {N, N, N, N}},
      {"7", 0, 1, OK, 1, 0, {7, N, N, N}, {N, N, N, N}},
      {"1!2!3!4", 0, 4, OK, 4, 0, {1, 2, 3, 4}, {N, N, N, N}},
      {"1:2", 0, 1, OK, 1, 1, {1, N, N, N}, {2, N, N, N}},
      {"", 0, 4, NO_ENTRY, 4, UNSET, {N, N, N, N}, {N, N, N, N}},
  };
  for (const ChanEntryRow& r : rows) ExpectChanEntry(r);
}

TEST(GetChanListEntry, MoreDimensionsThanTheArraysHold) {
  const ChanEntryRow rows[] = {
      {"1!2", 0, 1, TOO_MANY, 2, 0, {1, N, N, N}, {N, N, N, N}},
      {"1!2!3", 0, 0, TOO_MANY, 1, 0, {N, N, N, N}, {N, N, N, N}},
      {"1!2:3!4", 0, 2, OK, 2, 1, {1, 2, N, N}, {3, 4, N, N}},
      {"1!2!3:4!5!6", 0, 2, TOO_MANY, 3, 0, {1, 2, N, N}, {N, N, N, N}},
      {"1:2!3", 0, 1, TOO_MANY, 2, 1, {1, N, N, N}, {2, N, N, N}},
  };
  for (const ChanEntryRow& r : rows) ExpectChanEntry(r);
}

TEST(GetChanListEntry, BodiesNotMadeByTheParser) {
  const ChanEntryRow rows[] = {
      // What was filled before the fault stays filled; *pDims still counts the dimension.
      {"1!x", 0, 4, TYPE, 2, 0, {1, N, N, N}, {N, N, N, N}},
      {"1;2", 0, 4, TYPE, 1, 0, {1, N, N, N}, {N, N, N, N}},
      {"x", 0, 4, TYPE, 1, 0, {N, N, N, N}, {N, N, N, N}},
      // One character left after a value is read again as the same dimension.
      {"1!", 0, 4, TYPE, 1, 0, {1, N, N, N}, {N, N, N, N}},
      {"#B12", 0, 4, OK, 1, 0, {2, N, N, N}, {N, N, N, N}},
  };
  for (const ChanEntryRow& r : rows) ExpectChanEntry(r);
}

// ---- Shared rules -----------------------------------------------------------------------------------

TEST(ListAccessors, WrongTypeWritesNothing) {
  const SParam records[] = {Body(P_CHAN_LIST, "1"), Body(P_STR, "1"), Body(P_NUM_LIST, "1")};
  for (const SParam& s : records) {
    uint8_t ucDims = 3;
    uint8_t bRange = UNSET;
    SParam sFirst[MAX_DIMS], sLast[MAX_DIMS];
    Fill(sFirst, MAX_DIMS);
    Fill(sLast, MAX_DIMS);
    if (s.ePType != P_NUM_LIST) {
      EXPECT_EQ(scpi::GetNumListEntry(&s, 0, &bRange, sFirst, sLast), TYPE);
    }
    if (s.ePType != P_CHAN_LIST) {
      EXPECT_EQ(scpi::GetChanListEntry(&s, 0, &ucDims, &bRange, sFirst, sLast), TYPE);
    }
    EXPECT_EQ(ucDims, 3);
    EXPECT_EQ(bRange, UNSET);
    EXPECT_EQ(sFirst[0].ePType, UNSET);
    EXPECT_EQ(sLast[0].ePType, UNSET);
  }
}

// Lists validated by the parser read back entry by entry until 200.
TEST(ListAccessors, ReadBackWhatTheListChecksAccepted) {
  const SListAttr sAttr = {LIST_ALLOW_NEG | LIST_ALLOW_REAL, 1, 3, 0, 0};
  const char* const pNumList = "( 4 , -1.5 : 2e2 ,#Q7)";
  SParam sParam;
  ASSERT_EQ(scpi::CheckNumList(pNumList, static_cast<uint8_t>(std::strlen(pNumList)), &sAttr, &sParam), OK);
  const int32_t lExpected[][3] = {{0, 4, N}, {1, -1, 200}, {0, 7, N}};
  for (uint8_t i = 0; i < 3; i++) {
    uint8_t bRange = UNSET;
    SParam sFirst, sLast;
    Fill(&sFirst, 1);
    Fill(&sLast, 1);
    ASSERT_EQ(scpi::GetNumListEntry(&sParam, i, &bRange, &sFirst, &sLast), OK);
    EXPECT_EQ(bRange, lExpected[i][0]);
    EXPECT_EQ(ValueOf(sFirst), lExpected[i][1]);
    EXPECT_EQ(ValueOf(sLast), lExpected[i][2]);
  }
  uint8_t bRange = 0;
  SParam sFirst, sLast;
  EXPECT_EQ(scpi::GetNumListEntry(&sParam, 3, &bRange, &sFirst, &sLast), NO_ENTRY);

  const char* const pChanList = "(@1!2!3:4!5!6, 7)";
  ASSERT_EQ(scpi::CheckChanList(pChanList, static_cast<uint8_t>(std::strlen(pChanList)), &sAttr, &sParam), OK);
  const ChanEntryRow rows[] = {
      {"", 0, 4, OK, 3, 1, {1, 2, 3, N}, {4, 5, 6, N}},
      {"", 1, 4, OK, 1, 0, {7, N, N, N}, {N, N, N, N}},
      {"", 2, 4, NO_ENTRY, 4, UNSET, {N, N, N, N}, {N, N, N, N}},
  };
  for (const ChanEntryRow& r : rows) {
    uint8_t ucDims = r.ucCapacity;
    uint8_t bChanRange = UNSET;
    SParam sChanFirst[MAX_DIMS], sChanLast[MAX_DIMS];
    Fill(sChanFirst, MAX_DIMS);
    Fill(sChanLast, MAX_DIMS);
    ASSERT_EQ(scpi::GetChanListEntry(&sParam, r.ucIndex, &ucDims, &bChanRange, sChanFirst, sChanLast), r.ucCode);
    EXPECT_EQ(ucDims, r.ucDims);
    EXPECT_EQ(bChanRange, r.bRange);
    for (int d = 0; d < MAX_DIMS; d++) {
      EXPECT_EQ(ValueOf(sChanFirst[d]), r.lFirst[d]);
      EXPECT_EQ(ValueOf(sChanLast[d]), r.lLast[d]);
    }
  }
}

}  // namespace
