/* SPDX-License-Identifier: MIT */
/* A bench multimeter's commands, declared once: up to five parameters per command (the table's
 * width), a range that takes a number or MINimum|MAXimum|DEFault, and a calibration table sent
 * as an arbitrary block. */
#ifndef DMM_TABLE_H
#define DMM_TABLE_H

#include <orvane-scpi/scpi_declare.h>

#define DMM_WIDTH 5

#define DMM_ELEMENT SCPI_OPTIONAL(SCPI_CH_DAT(&DmmElement))
#define DMM_COMMANDS(CMD) \
  CMD(DMM_RST,        "*RST") \
  CMD(DMM_FORM_ELEM,  "FORMat:ELEMents", SCPI_CH_DAT(&DmmElement), DMM_ELEMENT, DMM_ELEMENT, \
      DMM_ELEMENT, DMM_ELEMENT) \
  CMD(DMM_VOLT_RANG,  "[SENSe:]VOLTage[:DC]:RANGe", SCPI_LEVEL(DmmVoltRange)) \
  CMD(DMM_CURR_RANG,  "[SENSe:]CURRent[:DC]:RANGe", SCPI_LEVEL(DmmAmpRange)) \
  CMD(DMM_CAL_TABLE,  "CALibration:TABLe", SCPI_BLOCK)

SCPI_COMMAND_TYPE(DMM_COMMANDS, EDmmCommand, DMM_COMMAND_COUNT);

SCPI_TABLE_EXTERN_ const SScpiTable DmmTable;

#endif /* DMM_TABLE_H */
