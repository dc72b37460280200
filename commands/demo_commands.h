/* SPDX-License-Identifier: MIT */
/*
 * The demo instrument's commands, each declared once: its name for a host's switch, its header
 * specification and its two parameter slots. demo_commands.c defines the attribute records the
 * slots name and turns the list into CmdSpecs and ParamSpecs; a host includes this header for
 * the command numbers DEMO_... and DEMO_COMMAND_COUNT, and the table record DemoCommandTable
 * that a parser context reads.
 */
#ifndef ORVANE_SCPI_DEMO_COMMANDS_H
#define ORVANE_SCPI_DEMO_COMMANDS_H

#include <orvane-scpi/scpi_declare.h>

/* clang-format off */
#define DEMO_COMMANDS(CMD) \
  CMD(DEMO_CLS,              "*CLS",                          SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_ESE,              "*ESE",                          SCPI_NUM(&NumNoUnits), SCPI_NONE) \
  CMD(DEMO_ESE_Q,            "*ESE?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_ESR_Q,            "*ESR?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_IDN_Q,            "*IDN?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_OPC,              "*OPC",                          SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_OPC_Q,            "*OPC?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_RST,              "*RST",                          SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_SRE,              "*SRE",                          SCPI_NUM(&NumNoUnits), SCPI_NONE) \
  CMD(DEMO_SRE_Q,            "*SRE?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STB_Q,            "*STB?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_TST_Q,            "*TST?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_WAI,              "*WAI",                          SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_SYST_ERR_Q,       "SYSTem:ERRor[:NEXT]?",          SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_SYST_VERS_Q,      "SYSTem:VERSion?",               SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_OPER_Q,      "STATus:OPERation[:EVENt]?",     SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_OPER_COND_Q, "STATus:OPERation:CONDition?",   SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_OPER_ENAB,   "STATus:OPERation:ENABle",       SCPI_NUM(&NumNoUnits), SCPI_NONE) \
  CMD(DEMO_STAT_OPER_ENAB_Q, "STATus:OPERation:ENABle?",      SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_QUES_Q,      "STATus:QUEStionable[:EVENt]?",  SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_QUES_COND_Q, "STATus:QUEStionable:CONDition?", SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_QUES_ENAB,   "STATus:QUEStionable:ENABle",    SCPI_NUM(&NumNoUnits), SCPI_NONE) \
  CMD(DEMO_STAT_QUES_ENAB_Q, "STATus:QUEStionable:ENABle?",   SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STAT_PRES,        "STATus:PRESet",                 SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_MEAS_VOLT_DC_Q,   "MEASure:VOLTage:DC?", \
      SCPI_CH_DAT(&MinMaxDefOrVolts), SCPI_CH_DAT(&MinMaxDefOrVolts)) \
  CMD(DEMO_MEAS_VOLT_DC_RAT_Q, "MEASure:VOLTage:DC:RATio?", \
      SCPI_CH_DAT(&MinMaxDefOrVolts), SCPI_CH_DAT(&MinMaxDefOrVolts)) \
  CMD(DEMO_MEAS_VOLT_AC_Q,   "MEASure:VOLTage:AC?", \
      SCPI_CH_DAT(&MinMaxDefOrVolts), SCPI_CH_DAT(&MinMaxDefOrVolts)) \
  CMD(DEMO_MEAS_CURR_DC_Q,   "MEASure:CURRent:DC?", \
      SCPI_CH_DAT(&MinMaxDefOrAmps), SCPI_CH_DAT(&MinMaxDefOrAmps)) \
  CMD(DEMO_MEAS_CURR_AC_Q,   "MEASure:CURRent:AC?", \
      SCPI_CH_DAT(&MinMaxDefOrAmps), SCPI_CH_DAT(&MinMaxDefOrAmps)) \
  CMD(DEMO_MEAS_RES_Q,       "MEASure:RESistance?", \
      SCPI_CH_DAT(&MinMaxDefOrOhms), SCPI_CH_DAT(&MinMaxDefOrOhms)) \
  CMD(DEMO_MEAS_FRES_Q,      "MEASure:FRESistance?", \
      SCPI_CH_DAT(&MinMaxDefOrOhms), SCPI_CH_DAT(&MinMaxDefOrOhms)) \
  CMD(DEMO_MEAS_FREQ_Q,      "MEASure:FREQuency?", \
      SCPI_CH_DAT(&MinMaxDefOrHertz), SCPI_CH_DAT(&MinMaxDefOrHertz)) \
  CMD(DEMO_MEAS_PER_Q,       "MEASure:PERiod?", \
      SCPI_CH_DAT(&MinMaxDefOrSeconds), SCPI_CH_DAT(&MinMaxDefOrSeconds)) \
  CMD(DEMO_CONF_CURR_DC,     "CONFigure:CURRent:DC", \
      SCPI_CH_DAT(&MinMaxDefOrAmps), SCPI_NONE) \
  CMD(DEMO_CONF_FREQ,        "CONFigure:FREQuency", \
      SCPI_CH_DAT(&MinMaxDefOrHertz), SCPI_NONE) \
  CMD(DEMO_RES_RANG,         "[SENSe:]RESistance:RANGe", \
      SCPI_CH_DAT(&MinMaxOrOhms), SCPI_NONE) \
  CMD(DEMO_RES_RANG_Q,       "[SENSe:]RESistance:RANGe?", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&MinMax)), SCPI_NONE) \
  CMD(DEMO_RES_RANG_AUTO,    "[SENSe:]RESistance:RANGe:AUTO", \
      SCPI_OPTIONAL(SCPI_BOOL(&BoolDefaultOn)), SCPI_NONE) \
  CMD(DEMO_VOLT_DC_NPLC,     "[SENSe:]VOLTage:DC:NPLCycles", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&NplCycles)), SCPI_NONE) \
  CMD(DEMO_FUNC,             "[SENSe:]FUNCtion", \
      SCPI_CH_DAT(&SenseFunction), SCPI_NONE) \
  CMD(DEMO_FUNC_Q,           "[SENSe:]FUNCtion?",             SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_INP_IMP_AUTO,     "INPut:IMPedance:AUTO", \
      SCPI_OPTIONAL(SCPI_BOOL(&BoolDefaultOff)), SCPI_NONE) \
  CMD(DEMO_INP_IMP_AUTO_Q,   "INPut:IMPedance:AUTO?",         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_CALC_STAT,        "CALCulate:STATe", \
      SCPI_BOOL(&BoolNoDefault), SCPI_NONE) \
  CMD(DEMO_CALC_FUNC,        "CALCulate:FUNCtion", \
      SCPI_CH_DAT(&CalcFunction), SCPI_NONE) \
  CMD(DEMO_CALC_AVER_MIN_Q,  "CALCulate:AVERage:MINimum?",    SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_CALC_AVER_MAX_Q,  "CALCulate:AVERage:MAXimum?",    SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_READ_Q,           "READ?",                         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_APPL,             "APPLy", \
      SCPI_CH_DAT(&MinMaxDefOrVolts), SCPI_OPTIONAL(SCPI_CH_DAT(&MinMaxDefOrAmps))) \
  CMD(DEMO_APPL_CURR,        "APPLy[:SOURce]:CURRent[:LEVel][:IMMediate][:AMPLitude]", \
      SCPI_CH_DAT(&MinMaxUpDownOrAmps), SCPI_NONE) \
  CMD(DEMO_APPL_CURR_Q,      "APPLy[:SOURce]:CURRent[:LEVel][:IMMediate][:AMPLitude]?", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&MinMax)), SCPI_NONE) \
  CMD(DEMO_APPL_VOLT,        "APPLy[:SOURce]:VOLTage[:LEVel][:IMMediate][:AMPLitude]", \
      SCPI_CH_DAT(&MinMaxUpDownOrVolts), SCPI_NONE) \
  CMD(DEMO_APPL_VOLT_Q,      "APPLy[:SOURce]:VOLTage[:LEVel][:IMMediate][:AMPLitude]?", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&MinMax)), SCPI_NONE) \
  CMD(DEMO_APPL_IND,         "APPLy[:SOURce]:INDuctance", \
      SCPI_NUM(&NumMicroHenrys), SCPI_NONE) \
  CMD(DEMO_APPL_TEMP,        "APPLy[:SOURce]:TEMPerature", \
      SCPI_NUM(&NumTemperature), SCPI_NONE) \
  CMD(DEMO_INIT,             "INITiate[:IMMediate]",          SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_OUTP_REL,         "OUTPut:RELay[:STATe]", \
      SCPI_BOOL(&BoolNoDefault), SCPI_NONE) \
  CMD(DEMO_OUTP_REL_Q,       "OUTPut:RELay[:STATe]?",         SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_TRIG_SOUR,        "TRIGger:SOURce", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&TriggerSource)), SCPI_NONE) \
  CMD(DEMO_TRIG_DEL_Q,       "TRIGger:DELay?", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&MinMax)), SCPI_NONE) \
  CMD(DEMO_DISP_TEXT,        "DISPlay:TEXT",                  SCPI_STR, SCPI_NONE) \
  CMD(DEMO_CAL_SEC_CODE,     "CALibration:SECure:CODE",       SCPI_UNQ_STR, SCPI_NONE) \
  CMD(DEMO_CAL_SEC_STAT,     "CALibration:SECure:STATe", \
      SCPI_BOOL(&BoolDefaultOn), SCPI_UNQ_STR) \
  CMD(DEMO_CAL_SEC_STAT_Q,   "CALibration:SECure:STATe?",     SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_CAL_CURR,         "CALibration:CURRent[:DATA]",    SCPI_NUM(&NumNoUnits), SCPI_NONE) \
  CMD(DEMO_CAL_CURR_LEV,     "CALibration:CURRent:LEVel",     SCPI_CH_DAT(&MinMidMax), SCPI_NONE) \
  CMD(DEMO_SYST_LOC,         "SYSTem:LOCal",                  SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_SYST_REM,         "SYSTem:REMote",                 SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_STEP_AUTO,        "STEP[:INCRement]:AUTO", \
      SCPI_OPTIONAL(SCPI_CH_DAT(&OnceOrBool)), SCPI_NONE) \
  CMD(DEMO_ROUT_OPEN,        "ROUTe:OPEN", \
      SCPI_CHAN_LIST(&RelayChannels), SCPI_NONE) \
  CMD(DEMO_SYST_ERR_ENAB,    "SYSTem:ERRor:ENABle[:LIST]", \
      SCPI_NUM_LIST(&ErrorNumbers), SCPI_NONE) \
  CMD(DEMO_OUTP_TTLT,        "OUTPut:TTLTrg#",                SCPI_NONE, SCPI_NONE) \
  CMD(DEMO_OUTP_MOD_FM,      "OUTPut#:MOD#:FM#",              SCPI_NUM(&NumNoUnits), SCPI_NONE) \
  CMD(DEMO_TRAC_FEED_OCON,   "TRACe:FEED:OCONdition",         SCPI_EXPR, SCPI_NONE)
/* clang-format on */

SCPI_COMMAND_ENUM(DEMO_COMMANDS, DEMO_COMMAND_COUNT);

#ifdef __cplusplus
extern "C" {
#endif

/** The demo table as a parser context reads it, with its header index when the build derived one. */
extern const SScpiTable DemoCommandTable;

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_SCPI_DEMO_COMMANDS_H */
