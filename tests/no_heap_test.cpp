// SPDX-License-Identifier: MIT
// The parser library never touches the heap: every public function, on every path (success and
// each error code), with and without a trace sink installed, is run while the test executable
// counts every allocation and release, and the count must stay 0.
//
// The executable links the parser against a small command table of its own, which also holds
// the one kind of entry that makes the parser report a faulty table (too many numeric suffixes).
// Counting: normally malloc, calloc, realloc, free, the aligned allocators and every operator
// new and delete are replaced here; under AddressSanitizer, which owns the allocator, its
// allocation hooks count instead.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <new>
#include <string>

#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>

#if defined(__SANITIZE_ADDRESS__)
#define ORVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANE_ASAN 1
#endif
#endif

// ---- Counting ---------------------------------------------------------------------------------

namespace {
bool gbCounting = false;
unsigned long gulHeapCalls = 0;
inline void Counted() {
  if (gbCounting) ++gulHeapCalls;
}
}  // namespace

#ifdef ORVANE_ASAN
#include <sanitizer/allocator_interface.h>

namespace {
void OnMalloc(const volatile void*, size_t) { Counted(); }
void OnFree(const volatile void*) { Counted(); }
const int iHooks = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree);
}  // namespace
#else
extern "C" {
void* __libc_malloc(size_t uSize);
void* __libc_calloc(size_t uCount, size_t uSize);
void* __libc_realloc(void* p, size_t uSize);
void* __libc_memalign(size_t uAlign, size_t uSize);
void __libc_free(void* p);

void* malloc(size_t uSize) {
  Counted();
  return __libc_malloc(uSize);
}
void* calloc(size_t uCount, size_t uSize) {
  Counted();
  return __libc_calloc(uCount, uSize);
}
void* realloc(void* p, size_t uSize) {
  Counted();
  return __libc_realloc(p, uSize);
}
void free(void* p) {
  if (p != nullptr) Counted();
  __libc_free(p);
}
void* memalign(size_t uAlign, size_t uSize) {
  Counted();
  return __libc_memalign(uAlign, uSize);
}
void* aligned_alloc(size_t uAlign, size_t uSize) {
  Counted();
  return __libc_memalign(uAlign, uSize);
}
int posix_memalign(void** pp, size_t uAlign, size_t uSize) {
  Counted();
  *pp = __libc_memalign(uAlign, uSize);
  return *pp != nullptr ? 0 : ENOMEM;
}
}  // extern "C"

namespace {
void* NewBlock(size_t uSize, size_t uAlign = 0) {
  Counted();
  void* p = uAlign > alignof(std::max_align_t) ? __libc_memalign(uAlign, uSize)
                                               : __libc_malloc(uSize != 0 ? uSize : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void DeleteBlock(void* p) {
  if (p != nullptr) Counted();
  __libc_free(p);
}
}  // namespace

void* operator new(size_t n) { return NewBlock(n); }
void* operator new[](size_t n) { return NewBlock(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  try { return NewBlock(n); } catch (...) { return nullptr; }
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
  try { return NewBlock(n); } catch (...) { return nullptr; }
}
void* operator new(size_t n, std::align_val_t a) { return NewBlock(n, static_cast<size_t>(a)); }
void* operator new[](size_t n, std::align_val_t a) { return NewBlock(n, static_cast<size_t>(a)); }
void operator delete(void* p) noexcept { DeleteBlock(p); }
void operator delete[](void* p) noexcept { DeleteBlock(p); }
void operator delete(void* p, size_t) noexcept { DeleteBlock(p); }
void operator delete[](void* p, size_t) noexcept { DeleteBlock(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { DeleteBlock(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { DeleteBlock(p); }
void operator delete(void* p, std::align_val_t) noexcept { DeleteBlock(p); }
void operator delete[](void* p, std::align_val_t) noexcept { DeleteBlock(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { DeleteBlock(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { DeleteBlock(p); }
#endif

namespace {

/// Counts the heap calls made between construction and Calls().
class HeapWatch {
 public:
  HeapWatch() : ulStart_(gulHeapCalls) { gbCounting = true; }
  ~HeapWatch() { gbCounting = false; }
  unsigned long Calls() {
    gbCounting = false;
    return gulHeapCalls - ulStart_;
  }

 private:
  unsigned long ulStart_;
};

}  // namespace

// ---- The command table --------------------------------------------------------------------------

namespace {
const SNumAttr NumPlain = {U_NONE, nullptr, 0};
const SNumAttr NumVolts = {U_VOLT, nullptr, 0};
const EUnits TemperatureAlt[] = {U_CELSIUS, U_END};
const SNumAttr NumTemperature = {U_KELVIN, TemperatureAlt, 0};
const SBoolAttr BoolDefaultOn = {BOOL_HAS_DEFAULT | BOOL_DEFAULT_ON};
const SCharDataAttr LevelOrVolts = {"MINimum|MAXimum|EXTernal#", CHAR_DATA_NO_DEFAULT, P_NUM,
                                    &NumVolts};
const SCharDataAttr OnceOrBool = {"ONCE", CHAR_DATA_NO_DEFAULT, P_BOOL, &BoolDefaultOn};
const SListAttr ErrorNumbers = {LIST_ALLOW_NEG | LIST_CHECK_RANGE, 0, 0, -1000, 1000};
const SListAttr Relays = {LIST_CHECK_RANGE, 2, 2, 1, 24};
}  // namespace

const char* const CmdSpecs[] = {
    "*CLS",                              // 0
    "*ESE",                              // 1
    "SYSTem:ERRor[:NEXT]?",              // 2
    "SYSTem:ERRor:ENABle[:LIST]",        // 3
    "ROUTe:OPEN",                        // 4
    "OUTPut#:TTLTrg#",                   // 5
    "A#:B#:C#:D#:E#:F#:G#:H#:I#:J#:K#",  // 6: one suffix more than a command may have
    "SOURce:VOLTage[:LEVel]",            // 7
    "SOURce:TEMPerature",                // 8
    "OUTPut[:STATe]",                    // 9
    "DISPlay:TEXT",                      // 10
    "CALibration:CODE",                  // 11
    "TRACe:FEED",                        // 12
    "STEP:AUTO",                         // 13
    ""};

const SParamSpec ParamSpecs[][MAX_PARAMS] = {
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NUM, &NumPlain}, {0, P_NONE, nullptr}},
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NUM_LIST, &ErrorNumbers}, {0, P_NONE, nullptr}},
    {{0, P_CHAN_LIST, &Relays}, {0, P_NONE, nullptr}},
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_NONE, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_CH_DAT, &LevelOrVolts}, {0, P_NONE, nullptr}},
    {{0, P_NUM, &NumTemperature}, {0, P_NONE, nullptr}},
    {{PS_OPTIONAL, P_BOOL, &BoolDefaultOn}, {0, P_NONE, nullptr}},
    {{0, P_STR, nullptr}, {0, P_NONE, nullptr}},
    {{0, P_UNQ_STR, nullptr}, {PS_OPTIONAL, P_NUM, &NumPlain}},
    {{0, P_EXPR, nullptr}, {0, P_NONE, nullptr}},
    {{PS_OPTIONAL, P_CH_DAT, &OnceOrBool}, {0, P_NONE, nullptr}},
};

const SUnitSuffix UnitSuffixes[] = {{"MV", U_VOLT, -3}, {"V", U_VOLT, 0},
                                    {"K", U_KELVIN, 0}, {"CEL", U_CELSIUS, 0},
                                    {"", U_NONE, 0}};

namespace {

// ---- Every public function on every record ------------------------------------------------------

enum EFunc {
  F_PARSE, F_TYPE, F_UNITS, F_ITEM, F_BOOL, F_ULONG, F_LONG, F_SCALED, F_UINT, F_INT, F_DOUBLE,
  F_STRING, F_NUM_LIST, F_CHAN_LIST, F_STANDARD_ERROR, F_COUNT
};
const char* const FUNC_NAMES[F_COUNT] = {
    "SCPI_Parse", "SCPI_ParamType", "SCPI_ParamUnits", "SCPI_ParamToCharDataItem",
    "SCPI_ParamToBOOL", "SCPI_ParamToUnsignedLong", "SCPI_ParamToLong", "SCPI_ParamToScaledLong",
    "SCPI_ParamToUnsignedInt", "SCPI_ParamToInt", "SCPI_ParamToDouble", "SCPI_ParamToString",
    "SCPI_GetNumListEntry", "SCPI_GetChanListEntry", "SCPI_StandardError"};

/// Which codes each function returned: a fixed table, so recording allocates nothing.
struct CodesSeen {
  bool abSeen[F_COUNT][256] = {};
  void Add(EFunc eFunc, uint8_t ucCode) { abSeen[eFunc][ucCode] = true; }
};

constexpr uint8_t CHAN_CAPACITY = 4;
constexpr uint8_t LIST_CAPACITIES[] = {0, 1, CHAN_CAPACITY};
// Entries asked of every record: the first few and the last index there is.
constexpr uint8_t LIST_INDICES[] = {0, 1, 2, 3, 255};

void ReadRecord(const SParam& s, CodesSeen& sSeen) {
  EPType eType;
  ENumSubtype eSub;
  sSeen.Add(F_TYPE, SCPI_ParamType(&s, &eType, &eSub));
  EUnits eUnits;
  sSeen.Add(F_UNITS, SCPI_ParamUnits(&s, &eUnits));
  uint8_t ucItem;
  sSeen.Add(F_ITEM, SCPI_ParamToCharDataItem(&s, &ucItem));
  uint8_t bVal;
  sSeen.Add(F_BOOL, SCPI_ParamToBOOL(&s, &bVal));
  uint32_t ulVal;
  sSeen.Add(F_ULONG, SCPI_ParamToUnsignedLong(&s, &ulVal));
  int32_t lVal;
  sSeen.Add(F_LONG, SCPI_ParamToLong(&s, &lVal));
  sSeen.Add(F_SCALED, SCPI_ParamToScaledLong(&s, 3, &lVal));
  unsigned int uiVal;
  sSeen.Add(F_UINT, SCPI_ParamToUnsignedInt(&s, &uiVal));
  int iVal;
  sSeen.Add(F_INT, SCPI_ParamToInt(&s, &iVal));
  double fdVal;
  sSeen.Add(F_DOUBLE, SCPI_ParamToDouble(&s, &fdVal));
  const char* pText;
  uint8_t ucLen;
  char cDelim;
  sSeen.Add(F_STRING, SCPI_ParamToString(&s, &pText, &ucLen, &cDelim));
}

void ReadLists(const SParam& s, CodesSeen& sSeen) {
  for (const uint8_t ucIndex : LIST_INDICES) {
    uint8_t bRange;
    SParam sFirst, sLast;
    const uint8_t ucNum = SCPI_GetNumListEntry(&s, ucIndex, &bRange, &sFirst, &sLast);
    sSeen.Add(F_NUM_LIST, ucNum);
    if (ucNum == SCPI_ERR_OK) {
      ReadRecord(sFirst, sSeen);
      if (bRange) ReadRecord(sLast, sSeen);
    }
    for (const uint8_t ucCapacity : LIST_CAPACITIES) {
      SParam sFirsts[CHAN_CAPACITY], sLasts[CHAN_CAPACITY];
      uint8_t ucDims = ucCapacity;
      const uint8_t ucChan =
          SCPI_GetChanListEntry(&s, ucIndex, &ucDims, &bRange, sFirsts, sLasts);
      sSeen.Add(F_CHAN_LIST, ucChan);
      if (ucChan == SCPI_ERR_OK) {
        for (uint8_t d = 0; d < ucDims; ++d) {
          ReadRecord(sFirsts[d], sSeen);
          if (bRange) ReadRecord(sLasts[d], sSeen);
        }
      }
    }
  }
}

/// Parses a whole line as a host would and reads every record of every recognised command.
/// Returns the code of the first command.
uint8_t ParseLine(const char* pLine, CodesSeen& sSeen) {
  const char* pPos = pLine;
  uint8_t ucFirst = 0xFF;
  for (uint8_t bReset = 1;; bReset = 0) {
    uint8_t ucCmd, ucSufCnt;
    SParam sParam[MAX_PARAMS];
    uint32_t uiSuf[MAX_NUM_SUFFIX];
    const uint8_t ucCode = SCPI_Parse(&pPos, bReset, &ucCmd, sParam, &ucSufCnt, uiSuf);
    sSeen.Add(F_PARSE, ucCode);
    if (bReset) ucFirst = ucCode;
    if (ucCode == SCPI_ERR_NO_COMMAND) return ucFirst;
    if (ucCode != SCPI_ERR_OK) continue;
    for (const SParam& s : sParam) {
      ReadRecord(s, sSeen);
      ReadLists(s, sSeen);
    }
  }
}

// ---- Lines and hand-made records ----------------------------------------------------------------

constexpr uint8_t ANY_CODE = 0xFF;  // a line whose code is not the point of the row

struct LineRow {
  const char* pLine;
  uint8_t ucFirstCode;
};

const std::string LONG_STRING = "DISP:TEXT '" + std::string(243, 'x') + "'";  // 255 characters
const std::string OVERLONG = std::string(300, 'x') + ";*CLS";
const std::string MANY_SEPARATORS = std::string(300, ';') + "*CLS";

const LineRow LINE_ROWS[] = {
    // Success, one row per parameter type and header feature.
    {"*CLS", SCPI_ERR_OK},
    {"*ese 5e9", SCPI_ERR_OK},
    {"*ese -3e9", SCPI_ERR_OK},
    {"*ese -2.5", SCPI_ERR_OK},
    {"syst:err?;enab (1,2:5,-3)", SCPI_ERR_OK},
    {"rout:open (@1!2,3!4:5!6)", SCPI_ERR_OK},
    {"outp2:ttlt3", SCPI_ERR_OK},
    {"sour:volt 10 mV;lev max;sour:volt ext7", SCPI_ERR_OK},
    {"sour:temp 20 cel", SCPI_ERR_OK},
    {"outp;outp off;:outp 0.5", SCPI_ERR_OK},
    {"outp:stat on;stat off", SCPI_ERR_OK},
    {"disp:text 'It''s'", SCPI_ERR_OK},
    {"cal:code abc, 7", SCPI_ERR_OK},
    {"trac:feed (1+(2*3))", SCPI_ERR_OK},
    {"step:auto once;auto;auto off", SCPI_ERR_OK},
    {LONG_STRING.c_str(), SCPI_ERR_OK},
    {MANY_SEPARATORS.c_str(), ANY_CODE},
    {OVERLONG.c_str(), ANY_CODE},
    // One row per error code.
    {"a:b:c:d:e:f:g:h:i:j:k", SCPI_ERR_TOO_MANY_NUM_SUF},
    {"", SCPI_ERR_NO_COMMAND},
    {" ;; ; ", SCPI_ERR_NO_COMMAND},
    {"outp0:ttlt", SCPI_ERR_INVALID_NUM_SUF},
    {"syst:err:enab (1.5)", SCPI_ERR_INVALID_VALUE},
    {"syst:err:enab (2000)", SCPI_ERR_INVALID_VALUE},
    {"rout:open (@1)", SCPI_ERR_INVALID_DIMS},
    {"*ese 1e44", SCPI_ERR_PARAM_OVERFLOW},
    {"sour:temp 20 V", SCPI_ERR_PARAM_UNITS},
    {"outp one", SCPI_ERR_PARAM_TYPE},
    {"*ese", SCPI_ERR_PARAM_COUNT},
    {"disp:text \"abc", SCPI_ERR_UNMATCHED_QUOTE},
    {"trac:feed (1+2", SCPI_ERR_UNMATCHED_BRACKET},
    {"syste:err?", SCPI_ERR_INVALID_CMD},
};

SParam NumRecord(uint32_t ulMant, uint8_t ucExp, uint8_t ucFlags) {
  SParam s = {};
  s.ePType = P_NUM;
  s.uVal.sNum = {ulMant, ucExp, ucFlags, U_NONE};
  return s;
}

SParam TextRecord(EPType eType, const char* pText) {
  SParam s = {};
  s.ePType = eType;
  s.uVal.sText = {pText, static_cast<uint8_t>(std::strlen(pText)), 0};
  return s;
}

/// Records no parse produces but a caller may still pass: the accessors' remaining paths.
void ReadHandMadeRecords(CodesSeen& sSeen) {
  SParam sRecords[] = {
      NumRecord(4294967295u, MAX_EXPONENT, 0),        // too large for every integer type
      NumRecord(3000000000u, 0, NUM_NEG),            // fits 32 bits unsigned, not signed
      TextRecord(P_NUM_LIST, "1,x"),                  // a value that does not parse
      TextRecord(P_CHAN_LIST, "1!x,2?3"),             // ... and a bad separator
      TextRecord(P_CHAN_LIST, "1!2!3!4!5:1!2!3!4!5"), // more dimensions than the arrays
  };
  SParam sUnknownType = {};
  sUnknownType.ePType = 99;
  for (const SParam& s : sRecords) {
    ReadRecord(s, sSeen);
    ReadLists(s, sSeen);
  }
  ReadRecord(sUnknownType, sSeen);
}

/// The standard error of every code, mapped or not.
void ReadStandardErrors(CodesSeen& sSeen) {
  for (unsigned uiCode = 0; uiCode <= 255; ++uiCode) {
    int16_t iNumber;
    const char* pSText;
    sSeen.Add(F_STANDARD_ERROR,
              SCPI_StandardError(static_cast<uint8_t>(uiCode), &iNumber, &pSText));
  }
}

// ---- A trace sink that allocates nothing ---------------------------------------------------------

struct QuietSink {
  unsigned long ulChars = 0;
  unsigned long ulLines = 0;
};

#if SCPI_TRACE
void SinkText(void* pCtx, const char*, uint16_t uiLen) { static_cast<QuietSink*>(pCtx)->ulChars += uiLen; }
void SinkReal(void* pCtx, double) { ++static_cast<QuietSink*>(pCtx)->ulChars; }
void SinkEndLine(void* pCtx, uint8_t) { ++static_cast<QuietSink*>(pCtx)->ulLines; }
const char* SinkCodeText(uint8_t) { return "code"; }
const char* SinkTypeText(EPType) { return "type"; }
const char* SinkSubtypeText(ENumSubtype) { return "subtype"; }
#endif

// ---- The runs -------------------------------------------------------------------------------------

/// The codes every function must have returned over all the rows and records: each path ran.
void ExpectEveryPath(const CodesSeen& sSeen) {
  struct Expected {
    EFunc eFunc;
    std::initializer_list<uint8_t> ucCodes;
  };
  const uint8_t OK = SCPI_ERR_OK, TYPE = SCPI_ERR_PARAM_TYPE, OVER = SCPI_ERR_PARAM_OVERFLOW;
  const Expected EXPECTED[] = {
      {F_PARSE, {0, 5, 10, 14, 16, 17, 20, 30, 40, 50, 60, 65, 70}},
      {F_TYPE, {OK}},
      {F_UNITS, {OK, TYPE}},
      {F_ITEM, {OK, TYPE}},
      {F_BOOL, {OK, TYPE}},
      {F_ULONG, {OK, OVER, TYPE}},
      {F_LONG, {OK, OVER, TYPE}},
      {F_SCALED, {OK, OVER, TYPE}},
      {F_UINT, {OK, OVER, TYPE}},
      {F_INT, {OK, OVER, TYPE}},
      {F_DOUBLE, {OK, TYPE}},
      {F_STRING, {OK, TYPE}},
      {F_NUM_LIST, {OK, TYPE, SCPI_ERR_NO_ENTRY}},
      {F_CHAN_LIST, {OK, TYPE, SCPI_ERR_NO_ENTRY, SCPI_ERR_TOO_MANY_DIMS}},
      {F_STANDARD_ERROR, {OK, SCPI_ERR_NO_ENTRY}},
  };
  for (const Expected& e : EXPECTED) {
    for (const uint8_t ucCode : e.ucCodes) {
      EXPECT_TRUE(sSeen.abSeen[e.eFunc][ucCode])
          << FUNC_NAMES[e.eFunc] << " never returned " << unsigned{ucCode};
    }
  }
}

void RunEverything(bool bWithSink) {
  static CodesSeen sSeen;  // large: kept off the stack
  sSeen = CodesSeen();
  QuietSink sQuiet;
  unsigned long ulCalls[std::size(LINE_ROWS) + 1];
  uint8_t ucCodes[std::size(LINE_ROWS)];
  {
    HeapWatch sWatch;
#if SCPI_TRACE
    const STraceSink sSink = {&SinkText,     &SinkReal,     &SinkEndLine,     &SinkCodeText,
                              &SinkTypeText, &SinkSubtypeText, &sQuiet};
    SCPI_SetTraceSink(bWithSink ? &sSink : nullptr);
#endif
    for (size_t i = 0; i < std::size(LINE_ROWS); ++i) {
      const unsigned long ulBefore = gulHeapCalls;
      ucCodes[i] = ParseLine(LINE_ROWS[i].pLine, sSeen);
      ulCalls[i] = gulHeapCalls - ulBefore;
    }
    const unsigned long ulBefore = gulHeapCalls;
    ReadHandMadeRecords(sSeen);
    ReadStandardErrors(sSeen);
    ulCalls[std::size(LINE_ROWS)] = gulHeapCalls - ulBefore;
#if SCPI_TRACE
    SCPI_SetTraceSink(nullptr);
#endif
    EXPECT_EQ(sWatch.Calls(), 0u) << "heap calls in all";
  }
  for (size_t i = 0; i < std::size(LINE_ROWS); ++i) {
    EXPECT_EQ(ulCalls[i], 0u) << "heap calls parsing \"" << LINE_ROWS[i].pLine << "\"";
    if (LINE_ROWS[i].ucFirstCode != ANY_CODE) {
      EXPECT_EQ(ucCodes[i], LINE_ROWS[i].ucFirstCode) << "\"" << LINE_ROWS[i].pLine << "\"";
    }
  }
  EXPECT_EQ(ulCalls[std::size(LINE_ROWS)], 0u)
      << "heap calls reading hand-made records and standard errors";
  ExpectEveryPath(sSeen);
#if SCPI_TRACE
  // The sink really listened (or really was absent).
  if (bWithSink) {
    EXPECT_GT(sQuiet.ulLines, 1000u);
  } else {
    EXPECT_EQ(sQuiet.ulLines, 0u);
  }
  EXPECT_EQ(ucTraceNesting, 0);
#else
  (void)bWithSink;
#endif
}

TEST(NoHeapTest, CounterSeesEveryKindOfAllocation) {
  HeapWatch sWatch;
  void* volatile pMalloc = std::malloc(16);
  std::free(pMalloc);
  std::string* volatile pString = new std::string(100, 'x');
  delete pString;
  EXPECT_GE(sWatch.Calls(), 4u);
}

TEST(NoHeapTest, EveryFunctionAndPathWithoutTraceSink) { RunEverything(false); }

#if SCPI_TRACE
TEST(NoHeapTest, EveryFunctionAndPathWithTraceSink) { RunEverything(true); }
#endif

}  // namespace
