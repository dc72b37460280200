// SPDX-License-Identifier: MIT
/*
 * Orvane-SCPI Parser: parses SCPI program messages against a constant command table.
 *
 * The caller owns every record and array, the parser contexts included; the parser allocates
 * nothing. SCPI_Parse keeps one context of its own over the global table names; tracing, where
 * it is compiled in, is process-wide. Text results are spans into the caller's line, so the
 * line must outlive the records taken from it.
 * This header compiles as C99 and as C++.
 */
#ifndef ORVANE_SCPI_H
#define ORVANE_SCPI_H

#include <stdint.h>

#include <orvane-scpi/scpi_config.h>

/** The library's version: major, minor and patch number, and the three as text. */
#define ORVANE_SCPI_VERSION_MAJOR 1
#define ORVANE_SCPI_VERSION_MINOR 3
#define ORVANE_SCPI_VERSION_PATCH 1
#define ORVANE_SCPI_VERSION_STRING "1.3.1"

/** Call tracing compiled into the library (1) or left out entirely (0), as the library was built
 *  (scpi_config.h). A program compiled with another value would disagree with its library. */
#ifndef SCPI_TRACE
#define SCPI_TRACE ORVANE_SCPI_CONFIG_TRACE
#elif (SCPI_TRACE + 0) != ORVANE_SCPI_CONFIG_TRACE
#error "SCPI_TRACE differs from the value the Orvane-SCPI library was built with (scpi_config.h)"
#endif

/** The rules SCPI_Parse follows, as the library was built (scpi_config.h): the standard SCPI
 *  rules for compound paths and optional nodes (1), or the library's own (0). Both rule sets are
 *  in every build; a context chooses its own (SCPI_ContextInit). */
#ifndef SCPI_STANDARD_RULES
#define SCPI_STANDARD_RULES ORVANE_SCPI_CONFIG_STANDARD_RULES
#elif (SCPI_STANDARD_RULES + 0) != ORVANE_SCPI_CONFIG_STANDARD_RULES
#error "SCPI_STANDARD_RULES differs from the value the Orvane-SCPI library was built with (scpi_config.h)"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Limits ------------------------------------------------------------------------------ */

/** Parameter slots per command, and the length of the sParam[] array SCPI_Parse fills. */
#define MAX_PARAMS 2
/** Most parameter slots per command a table can declare: the sParam[] array a context fills
 *  holds its table's width of records, 1 to this. */
#define SCPI_MAX_PARAM_SLOTS 8
/** Numeric suffixes per command (header and character-data choices together). */
#define MAX_NUM_SUFFIX 10
/** Largest numeric suffix value; an omitted suffix counts as 1. */
#define MAX_NUM_SUFFIX_VALUE 65535
/** Largest magnitude of a numeric value's power of ten. */
#define MAX_EXPONENT 43
/** Most parameter slots a command table may give each command (SScpiTable.ucParamWidth). */
#define SCPI_MAX_PARAM_SLOTS 8
/** Largest count, length or index the parser keeps: every one is unsigned 8-bit. */
#define SCPI_MAX_COUNT 255
/** Longest effective header (tree path and header) and program message command, in characters. */
#define SCPI_MAX_COMMAND_LEN SCPI_MAX_COUNT

/* ---- Error codes (unsigned 8-bit, 0 is success) ------------------------------------------- */

#define SCPI_ERR_OK                 0
#define SCPI_ERR_TOO_MANY_NUM_SUF   5
#define SCPI_ERR_NO_COMMAND         10
#define SCPI_ERR_INVALID_NUM_SUF    14
#define SCPI_ERR_INVALID_VALUE      16
#define SCPI_ERR_INVALID_DIMS       17
#define SCPI_ERR_PARAM_OVERFLOW     20
#define SCPI_ERR_PARAM_UNITS        30
#define SCPI_ERR_PARAM_TYPE         40
#define SCPI_ERR_PARAM_COUNT        50
#define SCPI_ERR_UNMATCHED_QUOTE    60
#define SCPI_ERR_INVALID_BLOCK      62
#define SCPI_ERR_UNMATCHED_BRACKET  65
#define SCPI_ERR_INVALID_CMD        70
#define SCPI_ERR_NO_ENTRY           200
#define SCPI_ERR_TOO_MANY_DIMS      210

/* ---- Enumerations (each held in one unsigned byte) ----------------------------------------- */

/** Parameter type of an SParam record and of a parameter specification slot. */
typedef uint8_t EPType;
enum {
  P_NONE = 0,
  P_NUM = 1,
  P_BOOL = 2,
  P_CH_DAT = 3,
  P_STR = 4,
  P_UNQ_STR = 5,
  P_EXPR = 6,
  P_NUM_LIST = 7,
  P_CHAN_LIST = 8,
  P_BLOCK = 9
};

/** Units of a numeric value; U_END only ends a list of alternative units in the table. */
typedef uint8_t EUnits;
enum {
  U_NONE = 0,
  U_VOLT = 1,
  U_AMP = 2,
  U_OHM = 3,
  U_WATT = 4,
  U_DB_W = 5,
  U_JOULE = 6,
  U_FARAD = 7,
  U_HENRY = 8,
  U_HERTZ = 9,
  U_SEC = 10,
  U_KELVIN = 11,
  U_CELSIUS = 12,
  U_FAHREN = 13,
  U_END = 14
};

/** Numeric subtype bits returned by SCPI_ParamType for a numeric parameter. */
typedef uint8_t ENumSubtype;
enum {
  NUM_SUB_NEG = 1,  /* the value is negative */
  NUM_SUB_REAL = 2  /* the value's decimal exponent is negative (not a whole number) */
};

/** Bits of SNum.ucNumFlags. */
#define NUM_NEG 1     /* the value is negative */
#define NUM_EXP_NEG 2 /* the power of ten is negative */

/* ---- Records -------------------------------------------------------------------------------- */

/** An exact numeric value: +/- ulMant x 10^(+/- ucExp), in plain (unscaled) units.
 *  The signs are the NUM_NEG and NUM_EXP_NEG bits of ucNumFlags; ucExp is at most 43. */
typedef struct {
  uint32_t ulMant;
  uint8_t ucExp;
  uint8_t ucNumFlags;
  EUnits eUnits;
} SNum;

/** A text span into the caller's input: not copied, not NUL-terminated.
 *  cDelimiter is the opening quote of a quoted string and 0 for every other text type. */
typedef struct {
  const char* pSText;
  uint8_t ucLen;
  char cDelimiter;
} SText;

/** The bytes of an arbitrary block in the caller's message: not copied, any byte values. */
typedef struct {
  const uint8_t* pucData;
  uint32_t ulLen;
} SBlock;

/** One parameter as SCPI_Parse found it; read it through the accessor functions.
 *  The variant part uVal holds the member that ePType names (nothing for P_NONE). */
typedef struct {
  EPType ePType;
  union {
    SNum sNum;         /* P_NUM */
    uint8_t bVal;      /* P_BOOL: 1 for ON, 0 for OFF */
    uint8_t ucItemNum; /* P_CH_DAT: position of the matched choice, from 0 */
    SText sText;       /* P_STR, P_UNQ_STR, P_EXPR, P_NUM_LIST, P_CHAN_LIST */
    SBlock sBlock;     /* P_BLOCK: no larger than sText, so the record keeps its size */
  } uVal;
} SParam;

/* ---- Parser contexts ---------------------------------------------------------------------------- */

/** The rule sets a context may follow: the library's own, or the standard SCPI rules for compound
 *  paths and optional nodes. */
#define SCPI_RULES_LIBRARY 0
#define SCPI_RULES_STANDARD 1

/** A command table as the parser reads it (orvane-scpi/scpi_table.h). */
typedef struct SScpiTable SScpiTable;

/** One interface's parser state: its table, its rule set and its command tree path. Caller-owned
 *  and set up by SCPI_ContextInit; the fields are the parser's (read none of them). */
typedef struct {
  const SScpiTable* psTable;
  const char* pPendingPath;  /* library rules: the header specification the path text comes from */
  uint8_t ucRules;
  uint8_t ucPathTextLen;
  uint8_t bBlockSlots; /* the table declares a P_BLOCK slot */
  char acPathText[SCPI_MAX_COMMAND_LEN]; /* the path text, and behind it the header matched */
} SScpiContext;

/** Sets up a context over a table with the rules SCPI_RULES_LIBRARY or SCPI_RULES_STANDARD, its
 *  tree path empty. Returns 0, or 40 for a NULL argument, unknown rules or a table whose record
 *  is not well formed (a NULL array, parameter width 0 or above 8, no "" after its commands).
 *  Not traced. */
uint8_t SCPI_ContextInit(SScpiContext* psCtx, const SScpiTable* psTable, uint8_t ucRules);

/** SCPI_Parse on the context's table, path and rules, reading the program message no further
 *  than pSEnd (one past its last character; NULL: up to its NUL, and a NUL before pSEnd ends it
 *  too). sParam[] holds the table's parameter width of records. Returns SCPI_Parse's codes. */
uint8_t SCPI_ParseCtx(SScpiContext* psCtx, const char** ppSInput, const char* pSEnd,
                      uint8_t bResetTree, uint8_t* pucCmdSpecNum, SParam sParam[],
                      uint8_t* pucNumSufCnt, uint32_t uiNumSuf[]);

/* ---- Parsing ---------------------------------------------------------------------------------- */

/** Takes the next command of a program message, recognises it and fills its parameters, on the
 *  library's own context over CmdSpecs, ParamSpecs and UnitSuffixes with the rules of
 *  SCPI_STANDARD_RULES. *pSInput is advanced past the command (to its ';' or the NUL) whatever
 *  the result.
 *  Returns 0 (recognised), 10 (no command left), or the smallest code among the table entries
 *  tried: 5, 14, 16, 17, 20, 30, 40, 50, 60, 62, 65 or 70. Outputs are defined after 0 only. */
uint8_t SCPI_Parse(const char** pSInput, uint8_t bResetTree, uint8_t* pCmdSpecNum,
                   SParam sParam[], uint8_t* pNumSufCnt, uint32_t uiNumSuf[]);

/* ---- Accessors: each reads one record and writes only through its outputs ---------------------- */

/** Writes the record's type; for P_NUM also its subtype bits (otherwise *pNumSubtype is untouched).
 *  Returns 0 always. */
uint8_t SCPI_ParamType(const SParam* psParam, EPType* pePType, ENumSubtype* pNumSubtype);

/** Writes the units of a numeric record. Returns 0, or 40 when the record is not P_NUM. */
uint8_t SCPI_ParamUnits(const SParam* psParam, EUnits* peUnits);

/** Writes the choice number of a character-data record. Returns 0, or 40 when not P_CH_DAT. */
uint8_t SCPI_ParamToCharDataItem(const SParam* psParam, uint8_t* pItemNum);

/** Writes 1 (ON) or 0 (OFF) from a Boolean record. Returns 0, or 40 when not P_BOOL. */
uint8_t SCPI_ParamToBOOL(const SParam* psParam, uint8_t* pbVal);

/** Writes the magnitude of a numeric record, fraction cut off. Returns 0, 40 when not P_NUM,
 *  or 20 when it passes 4294967295 (*pulVal then keeps the partial value). */
uint8_t SCPI_ParamToUnsignedLong(const SParam* psParam, uint32_t* pulVal);

/** Writes a numeric record as a signed 32-bit value, fraction cut off. Returns 0, 40 when not
 *  P_NUM, or 20 when the magnitude is above 2147483647 (*plVal unwritten). */
uint8_t SCPI_ParamToLong(const SParam* psParam, int32_t* plVal);

/** Writes a numeric record times 10^ucDecimals (2.5005 V with 3 gives 2501 mV), rounded to
 *  nearest with halves away from zero. Returns 0, 40 when not P_NUM, or 20 when the result is
 *  outside -2147483648..2147483647 (*plVal unwritten). */
uint8_t SCPI_ParamToScaledLong(const SParam* psParam, uint8_t ucDecimals, int32_t* plVal);

/** SCPI_ParamToUnsignedLong narrowed to unsigned int. Returns 0, 20 or 40. */
uint8_t SCPI_ParamToUnsignedInt(const SParam* psParam, unsigned int* puiVal);

/** SCPI_ParamToLong narrowed to int. Returns 0, 20 or 40. */
uint8_t SCPI_ParamToInt(const SParam* psParam, int* piVal);

/** Writes a numeric record as a double, the same bits on every platform.
 *  Returns 0, or 40 when not P_NUM. */
uint8_t SCPI_ParamToDouble(const SParam* psParam, double* pfdVal);

/** Writes the span of a text or list record and its delimiter (0 unless a quoted string).
 *  Returns 0, or 40 for P_NONE, P_NUM, P_BOOL and P_CH_DAT records. */
uint8_t SCPI_ParamToString(const SParam* psParam, const char** pSString, uint8_t* pLen,
                           char* pDelimiter);

/** Writes the span of an arbitrary block (#<n><length><bytes> or #0<bytes>): its first byte in
 *  the caller's message and its length. Returns 0, or 40 when the record is not P_BLOCK. */
uint8_t SCPI_ParamToBlock(const SParam* psParam, const uint8_t** ppData, uint32_t* pulLen);

/** How many leading bytes of a block a trace or a report shows. */
#define SCPI_BLOCK_PREVIEW_BYTES 16

/** Writes one block byte as a trace or a report shows it: printable ASCII as it stands, '\\'
 *  and '"' after a backslash, any other byte as \xHH. Returns the characters written (1 to 4). */
static inline unsigned SCPI_EscapeBlockByte(uint8_t ucByte, char acOut[4]) {
  static const char acHex[] = "0123456789ABCDEF";
  if (ucByte == '\\' || ucByte == '"') {
    acOut[0] = '\\';
    acOut[1] = (char)ucByte;
    return 2;
  }
  if (ucByte >= ' ' && ucByte <= '~') {
    acOut[0] = (char)ucByte;
    return 1;
  }
  acOut[0] = '\\';
  acOut[1] = 'x';
  acOut[2] = acHex[ucByte >> 4];
  acOut[3] = acHex[ucByte & 15];
  return 4;
}

/** Reads entry Index (from 0) of a numeric list into *psFirst, and for a range its end into
 *  *psLast (*pbRange 1). Returns 0, 40 (not P_NUM_LIST, or a bad value) or 200 (no entry). */
uint8_t SCPI_GetNumListEntry(const SParam* psParam, uint8_t Index, uint8_t* pbRange,
                             SParam* psFirst, SParam* psLast);

/** Reads entry Index of a channel list, one record per dimension. *pDims is the arrays'
 *  capacity on entry and the entry's dimension count on return.
 *  Returns 0, 40, 200 (no entry) or 210 (more dimensions than *pDims; *pDims is then capacity+1). */
uint8_t SCPI_GetChanListEntry(const SParam* psParam, uint8_t Index, uint8_t* pDims,
                              uint8_t* pbRange, SParam sFirst[], SParam sLast[]);

/* ---- Standard error numbers ------------------------------------------------------------------- */

/** Writes the SCPI standard error number (-113, ...) and its standard text for a code of
 *  SCPI_Parse, as an instrument answers SYSTem:ERRor?; 0 and 10 (end of the line) give
 *  0 "No error". Returns 0, or SCPI_ERR_NO_ENTRY for any other code (nothing written).
 *  Not traced. */
uint8_t SCPI_StandardError(uint8_t ucErr, int16_t* piNumber, const char** ppSText);

/* ---- Tracing ------------------------------------------------------------------------------------ */

/** The longest rest of an input line a trace line quotes in full (a longer one is cut and marked
 *  "..."): the window's input limit, so that a trace grows no faster than its line. */
#define SCPI_TRACE_MAX_QUOTED 400

#if SCPI_TRACE
/** Where the library's call-trace lines go. Each line arrives in pieces: pfnText and pfnReal
 *  append to the line under construction, pfnEndLine hands it over with its level
 *  (3 announces a call, 4 reports its outcome). The three text functions name codes and types. */
typedef struct {
  void (*pfnText)(void* pCtx, const char* pText, uint16_t uiLen);
  void (*pfnReal)(void* pCtx, double fdVal);
  void (*pfnEndLine)(void* pCtx, uint8_t ucLevel);
  const char* (*pfnErrorCodeText)(uint8_t ucCode);
  const char* (*pfnPTypeText)(EPType ePType);
  const char* (*pfnNumSubtypeText)(ENumSubtype eNumSubtype);
  void* pCtx;
} STraceSink;

/** Installs the trace sink (NULL removes it). Without a sink no trace line is built. */
void SCPI_SetTraceSink(const STraceSink* psSink);

/** Raised by 1 while a public function works, so calls the library makes to its own public
 *  functions leave no lines; 0 whenever no public function is running. */
extern uint8_t ucTraceNesting;
#endif

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_SCPI_H */
