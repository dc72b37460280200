/* SPDX-License-Identifier: MIT */
/*
 * Derives the header index (SCmdIndex, orvane-scpi/scpi_table.h) of each listed table record and
 * prints them as a C source file. It is compiled together with the table's own sources and a
 * list of the records by the build machine's C compiler and run there; its output is compiled
 * into the table for the target, whose sources are then compiled with ORVANE_SCPI_TABLE_INDEXED
 * so that each record defined with SCPI_TABLE_RECORD_DEFINE(MyTable, ...) refers to its index
 * MyTableIndex:
 *
 *   cc -DORVANE_SCPI_TABLE_INDEXED scpi_table_index.c my_table.c my_tables.c \
 *      -I<folder holding orvane-scpi/> -o table_index
 *   ./table_index my_table_index.c        (or: ./table_index > my_table_index.c)
 *
 * where my_tables.c lists the records (orvane_scpi_add_table writes it from its TABLES):
 *
 *   #include <orvane-scpi/scpi_table.h>
 *   extern const SScpiTable MyTable;
 *   const SCmdIndex MyTableIndex = {0};  (stands in while the index is derived)
 *   const SScpiTable* const ScpiIndexTables[] = {&MyTable, NULL};
 *   const char* const ScpiIndexTableNames[] = {"MyTable", NULL};
 *
 * How the parser walks a header specification (a walk is exact, so the index may only leave
 * out entries whose walk certainly ends in SCPI_ERR_INVALID_CMD):
 *  - A walk that does not end in SCPI_ERR_INVALID_CMD has consumed the whole effective header,
 *    unless the header specification has more than MAX_NUM_SUFFIX suffixes
 *    (SCPI_ERR_TOO_MANY_NUM_SUF stops a walk anywhere). The header's first segment, up to its first ':', is then consumed
 *    by the header specification's characters before the first ':' the walk consumed.
 *  - For a specification of the shape [N1:][N2:]...K{?|[:...]}(':'|end), where each keyword
 *    (N1, N2, ..., K) is upper-case or other required characters, then lower-case ones, then an
 *    optional '#', those characters are one leading node's keyword (the node present) or K with
 *    its '?'s (every leading node absent), each in its short or long form and with suffix digits
 *    where a '#' stands. The key (SCPI_IndexKeyHash: the characters up to the first digit, '#'
 *    or one of ":;<=>?") of the header is therefore that of the short or long form of N1,
 *    N2, ... or K: both have the same characters up to the form's first digit or '#', and
 *    where the form ends the header has digits, '?', ':' or its end. The entry is listed under
 *    the keys of those forms.
 *  - Every entry of another shape (more than one lower-case run in a keyword, '#' inside a
 *    keyword, other kinds of node, no leading keyword, too many suffixes, 255 characters or
 *    more) is a candidate for every header.
 *
 * Each run of candidates also records, per candidate, how many leading characters its
 * specification shares with the candidate before it: a walk that ended in
 * SCPI_ERR_INVALID_CMD read nothing past the character it stopped at, so the parser skips a
 * candidate that shares that much, or that differs exactly there by another required character
 * that fails on the same text character. A walk that stopped at the end of a specification
 * inside an unclosed node would go on differently after it, so a candidate that merely
 * extends such a specification is recorded as sharing one character less.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <orvane-scpi/scpi_table.h>

/* The records to index and their names, each list ended by NULL. */
extern const SScpiTable* const ScpiIndexTables[];
extern const char* const ScpiIndexTableNames[];

/* SCPI_Parse reads the table of the global names, when the program has one, and finds its index
 * under the name CmdSpecIndex by a weak reference (GCC and Clang); the index of the record over
 * those names is printed a second time for it. */
#if defined(__GNUC__)
extern const char* const CmdSpecs[] __attribute__((weak));
#define GLOBAL_CMD_SPECS_ CmdSpecs
#else
#define GLOBAL_CMD_SPECS_ NULL
#endif

enum {
  MAX_ENTRIES = 256,    /* the parser tries entries 0 to 255 */
  MAX_SPEC_LEN = 255,   /* a walk reads no further */
  MAX_SHARED = 255,
  MAX_BUCKET_BITS = 16,
  /* Past this many candidates per entry (a table with many unsorted shapes) the index holds
   * no keys, and every header walks the whole table. */
  MAX_CANDIDATES_PER_ENTRY = 8
};

typedef struct {
  uint32_t ulHash;
  unsigned uiEntry;
  const char* pKey; /* for the comment: the keyword form */
  unsigned uiKeyLen;
} SKey;

typedef struct {
  unsigned* puiEntries;
  unsigned uiCount;
} SRun;

static const char* const* ppSpecs;
static unsigned uiEntries;

static void* Allocate(size_t uSize) {
  void* p = calloc(uSize == 0 ? 1 : uSize, 1);
  if (p == NULL) {
    fprintf(stderr, "scpi_table_index: out of memory\n");
    exit(1);
  }
  return p;
}

static int IsLower(char c) { return c >= 'a' && c <= 'z'; }

/* A character a header must give as it stands (letters in either case). */
static int IsRequired(char c) {
  return c != '\0' && !IsLower(c) && c != ':' && c != '[' && c != ']' && c != '#' && c != '?';
}

/* Reads a keyword at p: required characters, lower-case ones, an optional '#'. Returns its end
 * and the end of its short form, or NULL when there is no required character. */
static const char* Keyword(const char* p, const char** ppShortEnd) {
  const char* q = p;
  while (IsRequired(*q)) ++q;
  if (q == p) return NULL;
  *ppShortEnd = q;
  while (IsLower(*q)) ++q;
  if (*q == '#') ++q;
  return q;
}

static SKey* pKeys;
static unsigned uiKeyCount;

static void AddKey(unsigned uiEntry, const char* pKey, const char* pEnd) {
  SKey* ps = &pKeys[uiKeyCount++];
  ps->uiKeyLen = (unsigned)(pEnd - pKey);
  ps->ulHash = SCPI_IndexKeyHash(pKey, ps->uiKeyLen);
  ps->uiEntry = uiEntry;
  ps->pKey = pKey;
}

/* Adds the short and the long form of the keyword at p; returns its end or NULL. */
static const char* AddKeyword(unsigned uiEntry, const char* p) {
  const char* pShortEnd;
  const char* pEnd = Keyword(p, &pShortEnd);
  if (pEnd == NULL) return NULL;
  AddKey(uiEntry, p, pShortEnd);
  if (pEnd != pShortEnd) AddKey(uiEntry, p, pEnd);
  return pEnd;
}

/* Adds the keys of the entry's leading keywords when its specification has a shape the index
 * sorts; returns 0 otherwise. */
static int AddKeys(unsigned uiEntry) {
  const char* pSpec = ppSpecs[uiEntry];
  const char* p = pSpec;
  unsigned uiSuffixes = 0;
  if (strlen(pSpec) >= MAX_SPEC_LEN) return 0;
  for (; *p != '\0'; ++p) uiSuffixes += *p == '#';
  if (uiSuffixes > MAX_NUM_SUFFIX) return 0;

  /* Leading optional nodes "[KEYword:]". */
  for (p = pSpec; *p == '[';) {
    p = AddKeyword(uiEntry, p + 1);
    if (p == NULL || p[0] != ':' || p[1] != ']') return 0;
    p += 2;
  }
  p = AddKeyword(uiEntry, p);
  if (p == NULL) return 0;
  /* Up to the first ':' or the end: query marks and optional nodes "[:...]" only. */
  for (;;) {
    if (*p == ':' || *p == '\0') return 1;
    if (*p == '?') {
      ++p;
    } else if (p[0] == '[' && p[1] == ':') {
      p += 2;
      while (*p != '\0' && *p != ']' && *p != '[') ++p;
      if (*p != ']') return 0;
      ++p;
    } else {
      return 0;
    }
  }
}

/* Lists the entry under its keys; returns 0, listing it nowhere, for a shape it does not sort. */
static int Classify(unsigned uiEntry) {
  const unsigned uiFirstKey = uiKeyCount;
  if (AddKeys(uiEntry)) return 1;
  uiKeyCount = uiFirstKey;
  return 0;
}

/* Whether the header specification ends inside a node that was never closed. */
static int EndsInNode(const char* p) {
  int bInNode = 0;
  for (; *p != '\0'; ++p) {
    if (*p == '[') bInNode = 1;
    if (*p == ']') bInNode = 0;
  }
  return bInNode;
}

/* Leading characters two specifications share, the NUL included when they are equal. */
static unsigned Shared(const char* pBefore, const char* p) {
  unsigned ui = 0;
  while (ui < MAX_SHARED && pBefore[ui] == p[ui] && p[ui] != '\0') ++ui;
  if (ui < MAX_SHARED && pBefore[ui] == '\0' && p[ui] == '\0') return ui + 1;
  if (ui == strlen(pBefore) && EndsInNode(pBefore) && ui > 0) return ui - 1;
  return ui;
}

static int CompareKeys(const void* pA, const void* pB) {
  const SKey* psA = (const SKey*)pA;
  const SKey* psB = (const SKey*)pB;
  if (psA->ulHash != psB->ulHash) return psA->ulHash < psB->ulHash ? -1 : 1;
  if (psA->uiEntry != psB->uiEntry) return psA->uiEntry < psB->uiEntry ? -1 : 1;
  return 0;
}

static int CompareEntries(const void* pA, const void* pB) {
  const unsigned uiA = *(const unsigned*)pA;
  const unsigned uiB = *(const unsigned*)pB;
  return uiA < uiB ? -1 : uiA > uiB;
}

/* The entries of keys [uiFirst, uiEnd) and the unsorted ones, each once, in table order. */
static SRun MergedRun(unsigned uiFirst, unsigned uiEnd, const SRun* psOther) {
  SRun sRun;
  unsigned ui, uiCount = 0;
  sRun.puiEntries = (unsigned*)Allocate(sizeof(unsigned) * (uiEnd - uiFirst + psOther->uiCount));
  for (ui = uiFirst; ui < uiEnd; ++ui) sRun.puiEntries[uiCount++] = pKeys[ui].uiEntry;
  for (ui = 0; ui < psOther->uiCount; ++ui) sRun.puiEntries[uiCount++] = psOther->puiEntries[ui];
  qsort(sRun.puiEntries, uiCount, sizeof(unsigned), CompareEntries);
  sRun.uiCount = 0;
  for (ui = 0; ui < uiCount; ++ui) {
    if (sRun.uiCount == 0 || sRun.puiEntries[sRun.uiCount - 1] != sRun.puiEntries[ui]) {
      sRun.puiEntries[sRun.uiCount++] = sRun.puiEntries[ui];
    }
  }
  return sRun;
}

static int SameRun(const SRun* psA, const SRun* psB) {
  return psA->uiCount == psB->uiCount &&
         memcmp(psA->puiEntries, psB->puiEntries, sizeof(unsigned) * psA->uiCount) == 0;
}

/* Prints text inside a C comment: no "*" "/" pair, printable characters only. */
static void PrintCommentText(FILE* pOut, const char* p, size_t uLen) {
  size_t u;
  for (u = 0; u < uLen && p[u] != '\0'; ++u) {
    const char c = p[u];
    const int bPrintable = c >= ' ' && c <= '~' && !(c == '/' && u > 0 && p[u - 1] == '*');
    fputc(bPrintable ? c : '.', pOut);
  }
}

static void PrintRun(FILE* pOut, const SRun* psRun, const char* pWhat) {
  unsigned ui;
  fprintf(pOut, "    /* %s */\n", pWhat);
  for (ui = 0; ui < psRun->uiCount; ++ui) {
    const unsigned uiEntry = psRun->puiEntries[ui];
    const unsigned uiShared =
        ui == 0 ? 0 : Shared(ppSpecs[psRun->puiEntries[ui - 1]], ppSpecs[uiEntry]);
    fprintf(pOut, "    %u, %u, /* ", uiEntry, uiShared);
    PrintCommentText(pOut, ppSpecs[uiEntry], MAX_SPEC_LEN);
    fprintf(pOut, " */\n");
  }
}

/* Writes the candidates of every run and fills in where each begins. */
static void PrintCandidates(FILE* pOut, const char* pName, const SRun* psOther,
                            const SRun* psRuns, unsigned uiRuns, unsigned* puiRunStart) {
  unsigned ui, uiStart = psOther->uiCount;
  fprintf(pOut, "static const uint8_t %sCandidates_[] = {\n", pName);
  PrintRun(pOut, psOther, "for a key no entry has");
  for (ui = 0; ui < uiRuns; ++ui) {
    char acWhat[32];
    sprintf(acWhat, "run %u", ui);
    PrintRun(pOut, &psRuns[ui], acWhat);
    puiRunStart[ui] = uiStart;
    uiStart += psRuns[ui].uiCount;
  }
  fprintf(pOut, "    0, 0 /* no candidate beyond */\n};\n\n");
}

/* Prints the index of one table record. */
static void IndexTable(FILE* pOut, const char* pName, const SScpiTable* psTable) {
  SRun sOther;
  SRun* psRuns;
  unsigned* puiRunOf; /* per bucket: its run, or uiRuns for the run of no key */
  unsigned* puiRunStart;
  unsigned uiHashes = 0, uiRuns = 0, uiCandidates, ui, uiKey, uiBucket, uiBuckets;
  unsigned uiBucketBits = 1;

  ppSpecs = psTable->ppCmdSpecs;
  uiEntries = 0;
  uiKeyCount = 0;
  while (uiEntries < MAX_ENTRIES && ppSpecs[uiEntries][0] != '\0') ++uiEntries;

  /* A keyword gives at most two keys, and a specification of fewer than 255 characters holds
   * fewer than 255 keywords. */
  pKeys = (SKey*)Allocate(sizeof(SKey) * 2 * MAX_SPEC_LEN * (uiEntries + 1));
  sOther.puiEntries = (unsigned*)Allocate(sizeof(unsigned) * (uiEntries + 1));
  sOther.uiCount = 0;
  for (ui = 0; ui < uiEntries; ++ui) {
    if (!Classify(ui)) sOther.puiEntries[sOther.uiCount++] = ui;
  }
  qsort(pKeys, uiKeyCount, sizeof(SKey), CompareKeys);
  for (ui = 0; ui < uiKeyCount; ++ui) uiHashes += ui == 0 || pKeys[ui].ulHash != pKeys[ui - 1].ulHash;

  /* Buckets by the top bits of the hash, at least twice as many as keys. The keys of a bucket
   * share its run: a header whose key is not listed but falls into the bucket only tries more
   * entries. */
  while ((1u << uiBucketBits) < 2 * uiHashes && uiBucketBits < MAX_BUCKET_BITS) ++uiBucketBits;
  uiBuckets = 1u << uiBucketBits;
  puiRunOf = (unsigned*)Allocate(sizeof(unsigned) * uiBuckets);
  psRuns = (SRun*)Allocate(sizeof(SRun) * (uiKeyCount + 1));
  uiCandidates = sOther.uiCount;
  for (uiBucket = 0, uiKey = 0; uiBucket < uiBuckets; ++uiBucket) {
    const unsigned uiFirst = uiKey;
    unsigned uiRun;
    SRun sRun;
    while (uiKey < uiKeyCount && pKeys[uiKey].ulHash >> (32 - uiBucketBits) == uiBucket) ++uiKey;
    puiRunOf[uiBucket] = MAX_ENTRIES;  /* none: the run of no key */
    if (uiKey == uiFirst) continue;
    sRun = MergedRun(uiFirst, uiKey, &sOther);
    for (uiRun = 0; uiRun < uiRuns && !SameRun(&psRuns[uiRun], &sRun); ++uiRun) {
    }
    if (uiRun == uiRuns) {
      psRuns[uiRuns++] = sRun;
      uiCandidates += sRun.uiCount;
    } else {
      free(sRun.puiEntries);
    }
    puiRunOf[uiBucket] = uiRun;
  }
  if (uiCandidates > MAX_CANDIDATES_PER_ENTRY * uiEntries + MAX_ENTRIES) {
    fprintf(stderr, "scpi_table_index: too many entries of shapes the index does not sort; "
                    "every header will be tried against the whole table\n");
    for (ui = 0; ui < uiRuns; ++ui) free(psRuns[ui].puiEntries);
    uiRuns = 0;
    sOther.uiCount = uiEntries;
    for (ui = 0; ui < uiEntries; ++ui) sOther.puiEntries[ui] = ui;
    for (uiBucket = 0; uiBucket < uiBuckets; ++uiBucket) puiRunOf[uiBucket] = MAX_ENTRIES;
  }

  fprintf(pOut,
          "/* The header index of %s (%u entries). %u of the entries have shapes the index\n"
          " * does not sort and are tried for every header. */\n\n",
          pName, uiEntries, sOther.uiCount);
  puiRunStart = (unsigned*)Allocate(sizeof(unsigned) * (uiRuns + 1));
  PrintCandidates(pOut, pName, &sOther, psRuns, uiRuns, puiRunStart);
  fprintf(pOut, "static const uint32_t %sBuckets_[] = {\n", pName);
  for (uiBucket = 0, uiKey = 0; uiBucket < uiBuckets; ++uiBucket) {
    const unsigned uiRun = puiRunOf[uiBucket];
    const unsigned uiFirst = uiRun == MAX_ENTRIES ? 0 : puiRunStart[uiRun];
    const unsigned uiEnd = uiRun == MAX_ENTRIES ? sOther.uiCount : uiFirst + psRuns[uiRun].uiCount;
    fprintf(pOut, "    %uu | (%uu << 16),", uiFirst, uiEnd);
    /* The keys of the bucket, for the reader. */
    if (uiRun != MAX_ENTRIES) fprintf(pOut, " /*");
    for (; uiKey < uiKeyCount && pKeys[uiKey].ulHash >> (32 - uiBucketBits) == uiBucket; ++uiKey) {
      if (uiRun == MAX_ENTRIES || (uiKey > 0 && pKeys[uiKey].ulHash == pKeys[uiKey - 1].ulHash)) {
        continue;
      }
      fputc(' ', pOut);
      PrintCommentText(pOut, pKeys[uiKey].pKey, pKeys[uiKey].uiKeyLen);
    }
    fprintf(pOut, "%s\n", uiRun != MAX_ENTRIES ? " */" : "");
  }
  fprintf(pOut, "};\n\nconst SCmdIndex %sIndex = {NULL, %sBuckets_, %sCandidates_, %u};\n\n",
          pName, pName, pName, 32 - uiBucketBits);
  if (GLOBAL_CMD_SPECS_ != NULL && psTable->ppCmdSpecs == GLOBAL_CMD_SPECS_) {
    fprintf(pOut, "/* The same index for SCPI_Parse, which reads %s through the global names. */\n"
                  "const SCmdIndex CmdSpecIndex = {CmdSpecs, %sBuckets_, %sCandidates_, %u};\n\n",
            pName, pName, pName, 32 - uiBucketBits);
  }
  for (ui = 0; ui < uiRuns; ++ui) free(psRuns[ui].puiEntries);
  free(psRuns);
  free(puiRunOf);
  free(puiRunStart);
  free(sOther.puiEntries);
  free(pKeys);
}

int main(int argc, char** argv) {
  FILE* pOut = stdout;
  unsigned ui;
  if (argc > 2) {
    fprintf(stderr, "usage: %s [OUTPUT.c]\n", argv[0]);
    return 2;
  }
  if (argc == 2) {
    pOut = fopen(argv[1], "w");
    if (pOut == NULL) {
      perror(argv[1]);
      return 1;
    }
  }
  fprintf(pOut, "/* Header indexes printed by scpi_table_index: do not edit. */\n"
                "#include <orvane-scpi/scpi_table.h>\n\n");
  for (ui = 0; ScpiIndexTables[ui] != NULL; ++ui) {
    IndexTable(pOut, ScpiIndexTableNames[ui], ScpiIndexTables[ui]);
  }
  if (ferror(pOut) || (pOut != stdout && fclose(pOut) != 0)) {
    fprintf(stderr, "scpi_table_index: cannot write the index\n");
    if (argc == 2) remove(argv[1]);
    return 1;
  }
  return 0;
}
