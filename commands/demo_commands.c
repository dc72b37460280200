/* SPDX-License-Identifier: MIT */
/*
 * The demo instrument's command specification table: a multimeter and source with 74 commands.
 *
 * CmdSpecs and ParamSpecs are parallel: a command's number is its position in both. Attribute
 * records are shared by every parameter that has the same type, choices and units.
 */
#include <stddef.h>

#include <orvane-scpi/scpi_table.h>

/* ---- Numeric attributes --------------------------------------------------------------------- */

/* Temperature also accepts degrees Celsius and Fahrenheit besides kelvin. */
static const EUnits TemperatureAltUnits[] = {U_CELSIUS, U_FAHREN, U_END};

static const SNumAttr NumNoUnits = {U_NONE, NULL, 0};
static const SNumAttr NumVolts = {U_VOLT, NULL, 0};
static const SNumAttr NumAmps = {U_AMP, NULL, 0};
static const SNumAttr NumOhms = {U_OHM, NULL, 0};
static const SNumAttr NumHertz = {U_HERTZ, NULL, 0};
static const SNumAttr NumSeconds = {U_SEC, NULL, 0};
/* A bare number is in micro-henries. */
static const SNumAttr NumMicroHenrys = {U_HENRY, NULL, -6};
static const SNumAttr NumTemperature = {U_KELVIN, TemperatureAltUnits, 0};

/* ---- Boolean attributes ------------------------------------------------------------------------ */

static const SBoolAttr BoolNoDefault = {0};
static const SBoolAttr BoolDefaultOff = {BOOL_HAS_DEFAULT};
static const SBoolAttr BoolDefaultOn = {BOOL_HAS_DEFAULT | BOOL_DEFAULT_ON};

/* ---- Character-data attributes ------------------------------------------------------------------ */

#define CHOICES_MIN_MAX_DEF "MINimum|MAXimum|DEFault"
#define CHOICES_MIN_MAX "MINimum|MAXimum"
#define CHOICES_MIN_MAX_UP_DOWN "MINimum|MAXimum|UP|DOWN"

static const SCharDataAttr MinMaxDefOrVolts =
    {CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, P_NUM, &NumVolts};
static const SCharDataAttr MinMaxDefOrAmps =
    {CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, P_NUM, &NumAmps};
static const SCharDataAttr MinMaxDefOrOhms =
    {CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, P_NUM, &NumOhms};
static const SCharDataAttr MinMaxDefOrHertz =
    {CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, P_NUM, &NumHertz};
static const SCharDataAttr MinMaxDefOrSeconds =
    {CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, P_NUM, &NumSeconds};
static const SCharDataAttr MinMaxOrOhms = {CHOICES_MIN_MAX, CHAR_DATA_NO_DEFAULT, P_NUM, &NumOhms};
static const SCharDataAttr MinMax = {CHOICES_MIN_MAX, CHAR_DATA_NO_DEFAULT, P_NONE, NULL};
static const SCharDataAttr MinMaxUpDownOrAmps =
    {CHOICES_MIN_MAX_UP_DOWN, CHAR_DATA_NO_DEFAULT, P_NUM, &NumAmps};
static const SCharDataAttr MinMaxUpDownOrVolts =
    {CHOICES_MIN_MAX_UP_DOWN, CHAR_DATA_NO_DEFAULT, P_NUM, &NumVolts};
/* Integration time in power-line cycles; an empty parameter takes item 3, "10". */
static const SCharDataAttr NplCycles =
    {"0.02|0.2|1|10|100|MINimum|MAXimum", 3, P_NONE, NULL};
/* Each function name carries its double quotes, so the input must quote it too. */
static const SCharDataAttr SenseFunction = {
    "\"VOLTage:DC\"|\"VOLTage:DC:RATio\"|\"VOLTage:AC\"|\"CURRent:DC\"|\"CURRent:AC\"|"
    "\"RESistance\"|\"FRESistance\"|\"FREQuency\"|\"PERiod\"|\"CONTinuity\"|\"DIODe\"",
    CHAR_DATA_NO_DEFAULT, P_NONE, NULL};
static const SCharDataAttr CalcFunction =
    {"NULL|DB|DBM|AVERage|LIMit", CHAR_DATA_NO_DEFAULT, P_NONE, NULL};
/* An empty parameter takes item 1, "IMMediate"; EXTernal takes a numeric suffix. */
static const SCharDataAttr TriggerSource = {"BUS|IMMediate|EXTernal#", 1, P_NONE, NULL};
static const SCharDataAttr MinMidMax = {"MINimum|MIDdle|MAXimum", CHAR_DATA_NO_DEFAULT, P_NONE, NULL};
/* ONCE, or else a Boolean whose default is ON. */
static const SCharDataAttr OnceOrBool = {"ONCE", CHAR_DATA_NO_DEFAULT, P_BOOL, &BoolDefaultOn};

/* ---- List attributes -------------------------------------------------------------------------- */

/* Relay channels: two dimensions, whole numbers 1 to 24. */
static const SListAttr RelayChannels = {LIST_CHECK_RANGE, 2, 2, 1, 24};
/* Error numbers: negative whole numbers allowed, any value. */
static const SListAttr ErrorNumbers = {LIST_ALLOW_NEG, 0, 0, 0, 0};

/* ---- Commands --------------------------------------------------------------------------------- */

const char* const CmdSpecs[] = {
    "*CLS",                                                      /* 0 */
    "*ESE",                                                      /* 1 */
    "*ESE?",                                                     /* 2 */
    "*ESR?",                                                     /* 3 */
    "*IDN?",                                                     /* 4 */
    "*OPC",                                                      /* 5 */
    "*OPC?",                                                     /* 6 */
    "*RST",                                                      /* 7 */
    "*SRE",                                                      /* 8 */
    "*SRE?",                                                     /* 9 */
    "*STB?",                                                     /* 10 */
    "*TST?",                                                     /* 11 */
    "*WAI",                                                      /* 12 */
    "SYSTem:ERRor[:NEXT]?",                                      /* 13 */
    "SYSTem:VERSion?",                                           /* 14 */
    "STATus:OPERation[:EVENt]?",                                 /* 15 */
    "STATus:OPERation:CONDition?",                               /* 16 */
    "STATus:OPERation:ENABle",                                   /* 17 */
    "STATus:OPERation:ENABle?",                                  /* 18 */
    "STATus:QUEStionable[:EVENt]?",                              /* 19 */
    "STATus:QUEStionable:CONDition?",                            /* 20 */
    "STATus:QUEStionable:ENABle",                                /* 21 */
    "STATus:QUEStionable:ENABle?",                               /* 22 */
    "STATus:PRESet",                                             /* 23 */
    "MEASure:VOLTage:DC?",                                       /* 24 */
    "MEASure:VOLTage:DC:RATio?",                                 /* 25 */
    "MEASure:VOLTage:AC?",                                       /* 26 */
    "MEASure:CURRent:DC?",                                       /* 27 */
    "MEASure:CURRent:AC?",                                       /* 28 */
    "MEASure:RESistance?",                                       /* 29 */
    "MEASure:FRESistance?",                                      /* 30 */
    "MEASure:FREQuency?",                                        /* 31 */
    "MEASure:PERiod?",                                           /* 32 */
    "CONFigure:CURRent:DC",                                      /* 33 */
    "CONFigure:FREQuency",                                       /* 34 */
    "[SENSe:]RESistance:RANGe",                                  /* 35 */
    "[SENSe:]RESistance:RANGe?",                                 /* 36 */
    "[SENSe:]RESistance:RANGe:AUTO",                             /* 37 */
    "[SENSe:]VOLTage:DC:NPLCycles",                              /* 38 */
    "[SENSe:]FUNCtion",                                          /* 39 */
    "[SENSe:]FUNCtion?",                                         /* 40 */
    "INPut:IMPedance:AUTO",                                      /* 41 */
    "INPut:IMPedance:AUTO?",                                     /* 42 */
    "CALCulate:STATe",                                           /* 43 */
    "CALCulate:FUNCtion",                                        /* 44 */
    "CALCulate:AVERage:MINimum?",                                /* 45 */
    "CALCulate:AVERage:MAXimum?",                                /* 46 */
    "READ?",                                                     /* 47 */
    "APPLy",                                                     /* 48 */
    "APPLy[:SOURce]:CURRent[:LEVel][:IMMediate][:AMPLitude]",    /* 49 */
    "APPLy[:SOURce]:CURRent[:LEVel][:IMMediate][:AMPLitude]?",   /* 50 */
    "APPLy[:SOURce]:VOLTage[:LEVel][:IMMediate][:AMPLitude]",    /* 51 */
    "APPLy[:SOURce]:VOLTage[:LEVel][:IMMediate][:AMPLitude]?",   /* 52 */
    "APPLy[:SOURce]:INDuctance",                                 /* 53 */
    "APPLy[:SOURce]:TEMPerature",                                /* 54 */
    "INITiate[:IMMediate]",                                      /* 55 */
    "OUTPut:RELay[:STATe]",                                      /* 56 */
    "OUTPut:RELay[:STATe]?",                                     /* 57 */
    "TRIGger:SOURce",                                            /* 58 */
    "TRIGger:DELay?",                                            /* 59 */
    "DISPlay:TEXT",                                              /* 60 */
    "CALibration:SECure:CODE",                                   /* 61 */
    "CALibration:SECure:STATe",                                  /* 62 */
    "CALibration:SECure:STATe?",                                 /* 63 */
    "CALibration:CURRent[:DATA]",                                /* 64 */
    "CALibration:CURRent:LEVel",                                 /* 65 */
    "SYSTem:LOCal",                                              /* 66 */
    "SYSTem:REMote",                                             /* 67 */
    "STEP[:INCRement]:AUTO",                                     /* 68 */
    "ROUTe:OPEN",                                                /* 69 */
    "SYSTem:ERRor:ENABle[:LIST]",                                /* 70 */
    "OUTPut:TTLTrg#",                                            /* 71 */
    "OUTPut#:MOD#:FM#",                                          /* 72 */
    "TRACe:FEED:OCONdition",                                     /* 73 */
    ""};

/* Slot shorthands: a required or optional parameter of a type with its attribute record. */
#define NONE {0, P_NONE, NULL}
#define REQ(type, attr) {0, type, attr}
#define OPT(type, attr) {PS_OPTIONAL, type, attr}
#define NO_PARAMS {NONE, NONE}

const SParamSpec ParamSpecs[][MAX_PARAMS] = {
    /* 0 *CLS */ NO_PARAMS,
    /* 1 *ESE */ {REQ(P_NUM, &NumNoUnits), NONE},
    /* 2 *ESE? */ NO_PARAMS,
    /* 3 *ESR? */ NO_PARAMS,
    /* 4 *IDN? */ NO_PARAMS,
    /* 5 *OPC */ NO_PARAMS,
    /* 6 *OPC? */ NO_PARAMS,
    /* 7 *RST */ NO_PARAMS,
    /* 8 *SRE */ {REQ(P_NUM, &NumNoUnits), NONE},
    /* 9 *SRE? */ NO_PARAMS,
    /* 10 *STB? */ NO_PARAMS,
    /* 11 *TST? */ NO_PARAMS,
    /* 12 *WAI */ NO_PARAMS,
    /* 13 SYST:ERR? */ NO_PARAMS,
    /* 14 SYST:VERS? */ NO_PARAMS,
    /* 15 STAT:OPER? */ NO_PARAMS,
    /* 16 STAT:OPER:COND? */ NO_PARAMS,
    /* 17 STAT:OPER:ENAB */ {REQ(P_NUM, &NumNoUnits), NONE},
    /* 18 STAT:OPER:ENAB? */ NO_PARAMS,
    /* 19 STAT:QUES? */ NO_PARAMS,
    /* 20 STAT:QUES:COND? */ NO_PARAMS,
    /* 21 STAT:QUES:ENAB */ {REQ(P_NUM, &NumNoUnits), NONE},
    /* 22 STAT:QUES:ENAB? */ NO_PARAMS,
    /* 23 STAT:PRES */ NO_PARAMS,
    /* 24 MEAS:VOLT:DC? */ {REQ(P_CH_DAT, &MinMaxDefOrVolts), REQ(P_CH_DAT, &MinMaxDefOrVolts)},
    /* 25 MEAS:VOLT:DC:RAT? */ {REQ(P_CH_DAT, &MinMaxDefOrVolts), REQ(P_CH_DAT, &MinMaxDefOrVolts)},
    /* 26 MEAS:VOLT:AC? */ {REQ(P_CH_DAT, &MinMaxDefOrVolts), REQ(P_CH_DAT, &MinMaxDefOrVolts)},
    /* 27 MEAS:CURR:DC? */ {REQ(P_CH_DAT, &MinMaxDefOrAmps), REQ(P_CH_DAT, &MinMaxDefOrAmps)},
    /* 28 MEAS:CURR:AC? */ {REQ(P_CH_DAT, &MinMaxDefOrAmps), REQ(P_CH_DAT, &MinMaxDefOrAmps)},
    /* 29 MEAS:RES? */ {REQ(P_CH_DAT, &MinMaxDefOrOhms), REQ(P_CH_DAT, &MinMaxDefOrOhms)},
    /* 30 MEAS:FRES? */ {REQ(P_CH_DAT, &MinMaxDefOrOhms), REQ(P_CH_DAT, &MinMaxDefOrOhms)},
    /* 31 MEAS:FREQ? */ {REQ(P_CH_DAT, &MinMaxDefOrHertz), REQ(P_CH_DAT, &MinMaxDefOrHertz)},
    /* 32 MEAS:PER? */ {REQ(P_CH_DAT, &MinMaxDefOrSeconds), REQ(P_CH_DAT, &MinMaxDefOrSeconds)},
    /* 33 CONF:CURR:DC */ {REQ(P_CH_DAT, &MinMaxDefOrAmps), NONE},
    /* 34 CONF:FREQ */ {REQ(P_CH_DAT, &MinMaxDefOrHertz), NONE},
    /* 35 RES:RANG */ {REQ(P_CH_DAT, &MinMaxOrOhms), NONE},
    /* 36 RES:RANG? */ {OPT(P_CH_DAT, &MinMax), NONE},
    /* 37 RES:RANG:AUTO */ {OPT(P_BOOL, &BoolDefaultOn), NONE},
    /* 38 VOLT:DC:NPLC */ {OPT(P_CH_DAT, &NplCycles), NONE},
    /* 39 FUNC */ {REQ(P_CH_DAT, &SenseFunction), NONE},
    /* 40 FUNC? */ NO_PARAMS,
    /* 41 INP:IMP:AUTO */ {OPT(P_BOOL, &BoolDefaultOff), NONE},
    /* 42 INP:IMP:AUTO? */ NO_PARAMS,
    /* 43 CALC:STAT */ {REQ(P_BOOL, &BoolNoDefault), NONE},
    /* 44 CALC:FUNC */ {REQ(P_CH_DAT, &CalcFunction), NONE},
    /* 45 CALC:AVER:MIN? */ NO_PARAMS,
    /* 46 CALC:AVER:MAX? */ NO_PARAMS,
    /* 47 READ? */ NO_PARAMS,
    /* 48 APPL */ {REQ(P_CH_DAT, &MinMaxDefOrVolts), OPT(P_CH_DAT, &MinMaxDefOrAmps)},
    /* 49 APPL:CURR */ {REQ(P_CH_DAT, &MinMaxUpDownOrAmps), NONE},
    /* 50 APPL:CURR? */ {OPT(P_CH_DAT, &MinMax), NONE},
    /* 51 APPL:VOLT */ {REQ(P_CH_DAT, &MinMaxUpDownOrVolts), NONE},
    /* 52 APPL:VOLT? */ {OPT(P_CH_DAT, &MinMax), NONE},
    /* 53 APPL:IND */ {REQ(P_NUM, &NumMicroHenrys), NONE},
    /* 54 APPL:TEMP */ {REQ(P_NUM, &NumTemperature), NONE},
    /* 55 INIT */ NO_PARAMS,
    /* 56 OUTP:REL */ {REQ(P_BOOL, &BoolNoDefault), NONE},
    /* 57 OUTP:REL? */ NO_PARAMS,
    /* 58 TRIG:SOUR */ {OPT(P_CH_DAT, &TriggerSource), NONE},
    /* 59 TRIG:DEL? */ {OPT(P_CH_DAT, &MinMax), NONE},
    /* 60 DISP:TEXT */ {REQ(P_STR, NULL), NONE},
    /* 61 CAL:SEC:CODE */ {REQ(P_UNQ_STR, NULL), NONE},
    /* 62 CAL:SEC:STAT */ {REQ(P_BOOL, &BoolDefaultOn), REQ(P_UNQ_STR, NULL)},
    /* 63 CAL:SEC:STAT? */ NO_PARAMS,
    /* 64 CAL:CURR */ {REQ(P_NUM, &NumNoUnits), NONE},
    /* 65 CAL:CURR:LEV */ {REQ(P_CH_DAT, &MinMidMax), NONE},
    /* 66 SYST:LOC */ NO_PARAMS,
    /* 67 SYST:REM */ NO_PARAMS,
    /* 68 STEP:AUTO */ {OPT(P_CH_DAT, &OnceOrBool), NONE},
    /* 69 ROUT:OPEN */ {REQ(P_CHAN_LIST, &RelayChannels), NONE},
    /* 70 SYST:ERR:ENAB */ {REQ(P_NUM_LIST, &ErrorNumbers), NONE},
    /* 71 OUTP:TTLT# */ NO_PARAMS,
    /* 72 OUTP#:MOD#:FM# */ {REQ(P_NUM, &NumNoUnits), NONE},
    /* 73 TRAC:FEED:OCON */ {REQ(P_EXPR, NULL), NONE},
};

/* Every command needs its parameter slots: the two arrays must stay the same length. */
typedef char ParamSpecsParallelToCmdSpecs[(sizeof ParamSpecs / sizeof ParamSpecs[0] + 1 ==
                                           sizeof CmdSpecs / sizeof CmdSpecs[0])
                                              ? 1
                                              : -1];

/* ---- Unit suffixes ---------------------------------------------------------------------------- */

/* M is milli and MA mega, except MOHM, MR and MHZ, which are mega too. K alone is kelvin and
 * FAR is degrees Fahrenheit, not farads. */
const SUnitSuffix UnitSuffixes[] = {
    {"NV", U_VOLT, -9},     {"UV", U_VOLT, -6},     {"MV", U_VOLT, -3},    {"V", U_VOLT, 0},
    {"KV", U_VOLT, 3},      {"MAV", U_VOLT, 6},     {"NA", U_AMP, -9},     {"UA", U_AMP, -6},
    {"MA", U_AMP, -3},      {"A", U_AMP, 0},        {"UR", U_OHM, -6},     {"UOHM", U_OHM, -6},
    {"R", U_OHM, 0},        {"OHM", U_OHM, 0},      {"KR", U_OHM, 3},      {"KOHM", U_OHM, 3},
    {"MR", U_OHM, 6},       {"MAR", U_OHM, 6},      {"MOHM", U_OHM, 6},    {"MAOHM", U_OHM, 6},
    {"GR", U_OHM, 9},       {"GOHM", U_OHM, 9},     {"NW", U_WATT, -9},    {"UW", U_WATT, -6},
    {"MW", U_WATT, -3},     {"W", U_WATT, 0},       {"KW", U_WATT, 3},     {"MAW", U_WATT, 6},
    {"GW", U_WATT, 9},      {"DBNW", U_DB_W, -9},   {"DBUW", U_DB_W, -6},  {"DBM", U_DB_W, -3},
    {"DBMW", U_DB_W, -3},   {"DBW", U_DB_W, 0},     {"UJ", U_JOULE, -6},   {"MJ", U_JOULE, -3},
    {"J", U_JOULE, 0},      {"KJ", U_JOULE, 3},     {"PF", U_FARAD, -12},  {"NF", U_FARAD, -9},
    {"UF", U_FARAD, -6},    {"MF", U_FARAD, -3},    {"F", U_FARAD, 0},     {"UH", U_HENRY, -6},
    {"MH", U_HENRY, -3},    {"H", U_HENRY, 0},      {"HZ", U_HERTZ, 0},    {"KHZ", U_HERTZ, 3},
    {"MHZ", U_HERTZ, 6},    {"MAHZ", U_HERTZ, 6},   {"GHZ", U_HERTZ, 9},   {"PS", U_SEC, -12},
    {"NS", U_SEC, -9},      {"US", U_SEC, -6},      {"MS", U_SEC, -3},     {"S", U_SEC, 0},
    {"K", U_KELVIN, 0},     {"CEL", U_CELSIUS, 0},  {"FAR", U_FAHREN, 0},
    {"", U_NONE, 0}};
