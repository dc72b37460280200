// SPDX-License-Identifier: MIT
/*
 * Orvane-SCPI Parser: the command specification table format.
 *
 * An instrument describes itself with three pieces of constant data: header specifications,
 * parameter specifications and unit suffixes, gathered in a table record (SScpiTable) that a
 * parser context reads. SCPI_Parse reads the table named CmdSpecs, ParamSpecs and UnitSuffixes.
 * Another instrument is another table; several tables may live in one program.
 * This header compiles as C99 and as C++.
 */
#ifndef ORVANE_SCPI_TABLE_H
#define ORVANE_SCPI_TABLE_H

#include <stddef.h>

#include "scpi.h"

#ifdef __cplusplus
extern "C" {
#endif

/** SParamSpec.ucFlags: the parameter may be omitted. */
#define PS_OPTIONAL 1

/** SBoolAttr.ucFlags: an empty parameter takes the default; the default is ON rather than OFF. */
#define BOOL_HAS_DEFAULT 1
#define BOOL_DEFAULT_ON 2

/** SListAttr.ucFlags: fractional values allowed; negative values allowed; lMin..lMax checked. */
#define LIST_ALLOW_REAL 1
#define LIST_ALLOW_NEG 2
#define LIST_CHECK_RANGE 4

/** SCharDataAttr.ucDefItem when an empty parameter has no default choice. */
#define CHAR_DATA_NO_DEFAULT 255

/** One parameter slot of a command. The first slot whose ePType is P_NONE ends the list.
 *  pAttr points at the attribute record of ePType (SNumAttr, ...), NULL for the text types. */
typedef struct {
  uint8_t ucFlags;
  EPType ePType;
  const void* pAttr;
} SParamSpec;

/** Attributes of a numeric parameter: base units, further accepted units (a list ended by
 *  U_END, or NULL), and the power of ten applied to a number given without a unit suffix. */
typedef struct {
  EUnits eUnits;
  const EUnits* peAltUnits;
  int8_t cDefExp;
} SNumAttr;

/** Attributes of a Boolean parameter: BOOL_HAS_DEFAULT and BOOL_DEFAULT_ON bits. */
typedef struct {
  uint8_t ucFlags;
} SBoolAttr;

/** Attributes of a character-data parameter.
 *  pChoices: choices separated by '|', each written like a header node ("MINimum|MAXimum",
 *  '#' for a numeric suffix). An empty choice (two '|' in a row, or one at either end) never
 *  matches a non-empty parameter and reads back as the empty text.
 *  ucDefItem: choice taken for an empty parameter, CHAR_DATA_NO_DEFAULT for none.
 *  eAltPType/pAltAttr: type tried when no choice matches (P_NONE for none) and its attributes. */
typedef struct {
  const char* pChoices;
  uint8_t ucDefItem;
  EPType eAltPType;
  const void* pAltAttr;
} SCharDataAttr;

/** Attributes of a numeric or channel list: LIST_ flags, the allowed dimensions of a channel
 *  (channel lists only) and the inclusive value bounds used with LIST_CHECK_RANGE. */
typedef struct {
  uint8_t ucFlags;
  uint8_t ucMinDims;
  uint8_t ucMaxDims;
  int32_t lMin;
  int32_t lMax;
} SListAttr;

/** One unit suffix: upper-case text, the units it selects, and the power of ten it stands for.
 *  The table ends with an entry whose suffix is the empty string. */
typedef struct {
  const char* pSuffix;
  EUnits eUnits;
  int8_t cExp;
} SUnitSuffix;

/** Header specifications in command-number order, ended by a pointer to an empty string.
 *  Upper case, digits, ':', '*', '?' must be typed; lower case completes a long form;
 *  "[...]" is one optional node with its colon; '#' is a numeric suffix. */
extern const char* const CmdSpecs[];

/** MAX_PARAMS parameter slots per command, parallel to CmdSpecs. */
extern const SParamSpec ParamSpecs[][MAX_PARAMS];

/** Unit suffixes in search order, ended by an entry with an empty suffix. */
extern const SUnitSuffix UnitSuffixes[];

/* ---- Header index: derived from a table when it is built ------------------------------------- */

/** An index of a table's header specifications by the first keyword of a header.
 *  orvane_scpi_add_table derives it at build time (the program scpi_table_index.c prints it) and
 *  attaches it to the table records its TABLES names; it is never written by hand. With it, the
 *  parser tries only the entries that can match a header's key, in table order; without it every
 *  entry. The results are the same.
 *
 *  A header's key is the effective header's first keyword without its numeric suffix (with a
 *  tree path, the path's first keyword), as SCPI_IndexKeyHash takes it. The run of candidates
 *  of a key holds, in table order, the entries whose first keyword (short or long form, or
 *  that of a leading optional node) has a key of the same bucket, and the entries of shapes the
 *  index does not sort; every entry left out would certainly end in SCPI_ERR_INVALID_CMD. */
typedef struct {
  /** The header specifications the index was derived from, or NULL when the index reaches the
   *  parser only through the record of its table; the parser ignores an index of another table. */
  const char* const* ppCmdSpecs;
  /** Indexed by the top (32 - ucBucketShift) bits of a key's hash: the run of candidates of
   *  the keys that fall there (the first candidate in the low half, the end in the high half),
   *  or for a bucket without keys the entries of unsorted shapes. */
  const uint32_t* pulBuckets;
  /** Two bytes per candidate: the entry's number, and how many leading characters its
   *  specification shares with that of the candidate before it in the run (at most 255). */
  const uint8_t* pucCandidates;
  uint8_t ucBucketShift;
} SCmdIndex;

/* ---- Table records ------------------------------------------------------------------------- */

/** A command table as the parser reads it: header specifications ended by "", ucParamWidth
 *  parameter slots per command (command after command), unit suffixes ended by an empty suffix,
 *  and the header index (NULL when the table has none). Constant data, usually a const record. */
struct SScpiTable {
  const char* const* ppCmdSpecs;
  const SParamSpec* psParamSpecs;
  const SUnitSuffix* psUnitSuffixes;
  const SCmdIndex* psIndex;
  uint8_t ucCmdCount;
  uint8_t ucParamWidth;
};

/** The initialiser of a record over a table's three arrays, without an index; the arrays must be
 *  complete in the source (their sizes give the command count and the parameter width):
 *    const SScpiTable MyTable = SCPI_TABLE_RECORD(MyCmdSpecs, MyParamSpecs, MyUnitSuffixes); */
#define SCPI_TABLE_RECORD(cmdSpecs, paramSpecs, unitSuffixes) \
  SCPI_TABLE_RECORD_WITH_INDEX_(cmdSpecs, paramSpecs, unitSuffixes, NULL)

#define SCPI_TABLE_RECORD_WITH_INDEX_(cmdSpecs, paramSpecs, unitSuffixes, psIndex)             \
  {(cmdSpecs), &(paramSpecs)[0][0], (unitSuffixes), (psIndex),                                 \
   (uint8_t)(sizeof(cmdSpecs) / sizeof((cmdSpecs)[0]) - 1),                                    \
   (uint8_t)(sizeof((paramSpecs)[0]) / sizeof((paramSpecs)[0][0]))}

#ifdef __cplusplus
#define SCPI_TABLE_EXTERN_ extern "C"
#else
#define SCPI_TABLE_EXTERN_ extern
#endif

/* A table source that orvane_scpi_add_table indexes is compiled with ORVANE_SCPI_TABLE_INDEXED:
 * the record Name then refers to the index NameIndex that the build derives for it. */
#ifdef ORVANE_SCPI_TABLE_INDEXED
#define SCPI_TABLE_INDEX_OF_(Name) SCPI_TABLE_EXTERN_ const SCmdIndex Name##Index;
#define SCPI_TABLE_INDEX_REF_(Name) (&Name##Index)
#else
#define SCPI_TABLE_INDEX_OF_(Name)
#define SCPI_TABLE_INDEX_REF_(Name) NULL
#endif

/** Defines the record Name over a table's three arrays (complete in the source), with the header
 *  index orvane_scpi_add_table derives when Name is among its TABLES. Write a ';' after it:
 *    SCPI_TABLE_RECORD_DEFINE(MyTable, MyCmdSpecs, MyParamSpecs, MyUnitSuffixes); */
#define SCPI_TABLE_RECORD_DEFINE(Name, cmdSpecs, paramSpecs, unitSuffixes) \
  SCPI_TABLE_INDEX_OF_(Name)                                               \
  SCPI_TABLE_EXTERN_ const SScpiTable Name;                                \
  const SScpiTable Name =                                                  \
      SCPI_TABLE_RECORD_WITH_INDEX_(cmdSpecs, paramSpecs, unitSuffixes, SCPI_TABLE_INDEX_REF_(Name))

/** The hash of a header's key: FNV-1a over its characters up to the first digit, '#', or one
 *  of ":;<=>?" (or up to uiLen), ASCII letters folded. The parser and the index generator both
 *  use it. */
static inline uint32_t SCPI_IndexKeyHash(const char* pText, unsigned uiLen) {
  uint32_t ulHash = 2166136261u;
  unsigned ui;
  for (ui = 0; ui < uiLen; ++ui) {
    const uint8_t uc = (uint8_t)pText[ui];
    if ((uint8_t)(uc - '0') <= '?' - '0' || uc == '#') break;
    ulHash = (ulHash ^ (uint8_t)(uc | 0x20)) * 16777619u;
  }
  return ulHash;
}

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_SCPI_TABLE_H */
