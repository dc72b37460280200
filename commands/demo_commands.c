/* SPDX-License-Identifier: MIT */
/*
 * The demo instrument's command specification table: a multimeter and source with 74 commands.
 *
 * The commands are declared once, in DEMO_COMMANDS (demo_commands.h); this file defines the
 * attribute records their slots name, turns the list into CmdSpecs and ParamSpecs, holds the
 * unit suffixes, and gathers the three in the record DemoCommandTable. Attribute records are shared by every parameter that has the same type,
 * choices and units.
 */
#include "demo_commands.h"

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
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumVolts));
static const SCharDataAttr MinMaxDefOrAmps =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumAmps));
static const SCharDataAttr MinMaxDefOrOhms =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumOhms));
static const SCharDataAttr MinMaxDefOrHertz =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumHertz));
static const SCharDataAttr MinMaxDefOrSeconds =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_DEF, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumSeconds));
static const SCharDataAttr MinMaxOrOhms =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumOhms));
static const SCharDataAttr MinMax = SCPI_CHOICES(CHOICES_MIN_MAX, CHAR_DATA_NO_DEFAULT);
static const SCharDataAttr MinMaxUpDownOrAmps =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_UP_DOWN, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumAmps));
static const SCharDataAttr MinMaxUpDownOrVolts =
    SCPI_CHOICES_OR(CHOICES_MIN_MAX_UP_DOWN, CHAR_DATA_NO_DEFAULT, SCPI_NUM(&NumVolts));
/* Integration time in power-line cycles; an empty parameter takes item 3, "10". */
static const SCharDataAttr NplCycles = SCPI_CHOICES("0.02|0.2|1|10|100|MINimum|MAXimum", 3);
/* Each function name carries its double quotes, so the input must quote it too. */
static const SCharDataAttr SenseFunction = SCPI_CHOICES(
    "\"VOLTage:DC\"|\"VOLTage:DC:RATio\"|\"VOLTage:AC\"|\"CURRent:DC\"|\"CURRent:AC\"|"
    "\"RESistance\"|\"FRESistance\"|\"FREQuency\"|\"PERiod\"|\"CONTinuity\"|\"DIODe\"",
    CHAR_DATA_NO_DEFAULT);
static const SCharDataAttr CalcFunction =
    SCPI_CHOICES("NULL|DB|DBM|AVERage|LIMit", CHAR_DATA_NO_DEFAULT);
/* An empty parameter takes item 1, "IMMediate"; EXTernal takes a numeric suffix. */
static const SCharDataAttr TriggerSource = SCPI_CHOICES("BUS|IMMediate|EXTernal#", 1);
static const SCharDataAttr MinMidMax = SCPI_CHOICES("MINimum|MIDdle|MAXimum", CHAR_DATA_NO_DEFAULT);
/* ONCE, or else a Boolean whose default is ON. */
static const SCharDataAttr OnceOrBool =
    SCPI_CHOICES_OR("ONCE", CHAR_DATA_NO_DEFAULT, SCPI_BOOL(&BoolDefaultOn));

/* ---- List attributes -------------------------------------------------------------------------- */

/* Relay channels: two dimensions, whole numbers 1 to 24. */
static const SListAttr RelayChannels = {LIST_CHECK_RANGE, 2, 2, 1, 24};
/* Error numbers: negative whole numbers allowed, any value. */
static const SListAttr ErrorNumbers = {LIST_ALLOW_NEG, 0, 0, 0, 0};

/* ---- Commands --------------------------------------------------------------------------------- */

SCPI_COMMAND_TABLE(DEMO_COMMANDS);

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

/* ---- The table record --------------------------------------------------------------------------- */

SCPI_TABLE_RECORD_DEFINE(DemoCommandTable, CmdSpecs, ParamSpecs, UnitSuffixes);
