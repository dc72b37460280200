/* SPDX-License-Identifier: MIT */
/*
 * A command table of the header specification shapes the header index has to get right: leading
 * optional nodes, suffixes, query marks and optional nodes before the first ':', specifications
 * that share long prefixes, end inside a node or repeat one another, and shapes the index does
 * not sort (tried for every header). Built with orvane_scpi_add_table, so it has its index; the
 * header-search fuzz target and the header-index test compare it with the linear search.
 */
#include <stddef.h>

#include <orvane-scpi/scpi_table.h>

static const SNumAttr Number = {U_NONE, NULL, 0};
static const SCharDataAttr Choice = {"ALPHa|BETA#", CHAR_DATA_NO_DEFAULT, P_NONE, NULL};

const char* const CmdSpecs[] = {
    /* Sorted: the short and long form of the first keyword, of each leading node too. */
    "*RST",                                  /* 0 */
    "*RST",                                  /* 1: the same again */
    "[SENSe:]VOLTage[:DC]",                  /* 2 */
    "[SENSe:][INPut#:]CURRent#:RANGe",       /* 3 */
    "[SENSe:]VOLTage[:DC]?",                 /* 4 */
    "SYSTem?:ERRor",                         /* 5: '?' before the first ':' */
    "QUERy??",                               /* 6 */
    "X[:A][:B]?",                            /* 7 */
    "X[:A][:B]",                             /* 8 */
    "X:A",                                   /* 9 */
    "MOD2:X",                                /* 10: a digit the header must give */
    "2ND:X",                                 /* 11: starts with a digit */
    "OUTPut#:A#",                            /* 12 */
    "FOO;BAR",                               /* 13: ';' inside a keyword */
    "AT@x",                                  /* 14: '@' and its case twin '`' */
    "MEASure:VOLTage:DC?",                   /* 15 */
    "MEASure:VOLTage:DC:RATio?",             /* 16 */
    "MEASure:VOLTage:AC?",                   /* 17 */
    "MEASure:CURRent?",                      /* 18 */
    "MEASure[:VOLTage]",                     /* 19 */
    /* Not sorted. */
    "[:LEAD]ING",                            /* 20: a leading node with its colon first */
    "[SENSe]VOLT",                           /* 21: a leading node without a colon */
    "ABcdEFgh:X",                            /* 22: two lower-case runs in one keyword */
    "A#B:C",                                 /* 23: '#' inside a keyword */
    "UNCLosed[:NODE",                        /* 24: a node never closed (then 25 ...) */
    "UNCLosed[:NODEQ]:NODEZ",                /* 25: sorted, and goes on after a node */
    "UNCL[:X]Y",                             /* 26: a letter after a node */
    "OUT#:A#:B#:C#:D#:E#:F#:G#:H#:I#:J#",    /* 27: eleven suffixes */
    "voltage:x",                             /* 28: no short form */
    ":LEADing",                              /* 29: an empty first keyword */
    "VOLTage[SENSe:]",                       /* 30: a trailing-colon node later on */
    "[SENSe:VOLTage:]DC",                    /* 31: a leading node of two keywords */
    /* 32: longer than a walk reads. */
    "LONG:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"
    "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"
    "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
    /* Sorted again: entries after unsorted ones share their runs. */
    "SENSe:FUNCtion",                        /* 33 */
    "UNCLosed:NODE",                         /* 34 */
    "",
};

#define NONE {0, P_NONE, NULL}
#define NUMBER {0, P_NUM, &Number}
#define CHOICE {PS_OPTIONAL, P_CH_DAT, &Choice}

const SParamSpec ParamSpecs[][MAX_PARAMS] = {
    {NONE, NONE},   {NUMBER, NONE}, {NUMBER, NONE}, {CHOICE, NONE}, {NONE, NONE},
    {NONE, NONE},   {NONE, NONE},   {NONE, NONE},   {NUMBER, NONE}, {CHOICE, NONE},
    {NONE, NONE},   {NONE, NONE},   {CHOICE, NONE}, {NONE, NONE},   {NONE, NONE},
    {NUMBER, NONE}, {NONE, NONE},   {NONE, NONE},   {NONE, NONE},   {NUMBER, NONE},
    {NONE, NONE},   {NONE, NONE},   {NONE, NONE},   {NONE, NONE},   {NONE, NONE},
    {NUMBER, NONE}, {NONE, NONE},   {NONE, NONE},   {NONE, NONE},   {NONE, NONE},
    {NONE, NONE},   {NONE, NONE},   {NONE, NONE},   {CHOICE, NONE}, {NUMBER, NONE},
};

typedef char ParamSpecsParallelToCmdSpecs[(sizeof ParamSpecs / sizeof ParamSpecs[0] + 1 ==
                                           sizeof CmdSpecs / sizeof CmdSpecs[0])
                                              ? 1
                                              : -1];

const SUnitSuffix UnitSuffixes[] = {{"V", U_VOLT, 0}, {"", U_NONE, 0}};

SCPI_TABLE_RECORD_DEFINE(SearchShapesTable, CmdSpecs, ParamSpecs, UnitSuffixes);
