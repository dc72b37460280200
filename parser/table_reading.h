// SPDX-License-Identifier: MIT
// Reading a command table's parameter rows and choice lists. The parser, the report core, the
// table checker and the manual's generator all read them by these rules (header-only, no heap).
#ifndef ORVANE_SCPI_TABLE_READING_H
#define ORVANE_SCPI_TABLE_READING_H

#include <orvane-scpi/scpi_table.h>

namespace scpi {

/// Separates the choices of a character-data parameter's list.
constexpr char CHOICE_SEPARATOR = '|';

/// Number of slots in use: those before the first P_NONE, at most ucWidth.
inline uint8_t UsedSlots(const SParamSpec* psSpecs, uint8_t ucWidth) {
  uint8_t ucUsed = 0;
  while (ucUsed < ucWidth && psSpecs[ucUsed].ePType != P_NONE) {
    ucUsed++;
  }
  return ucUsed;
}

/// 1 + the position of the last of ucUsed slots that is not optional, 0 when all are optional.
/// An optional slot before a required one is therefore required as well.
inline uint8_t RequiredSlots(const SParamSpec* psSpecs, uint8_t ucUsed) {
  for (uint8_t ucSlot = ucUsed; ucSlot > 0; ucSlot--) {
    if ((psSpecs[ucSlot - 1].ucFlags & PS_OPTIONAL) == 0) {
      return ucSlot;
    }
  }
  return 0;
}

/// Length of the choice that begins at pChoice: up to the next separator or the list's end.
inline unsigned ChoiceLength(const char* pChoice) {
  unsigned uLen = 0;
  while (pChoice[uLen] != '\0' && pChoice[uLen] != CHOICE_SEPARATOR) {
    uLen++;
  }
  return uLen;
}

/// The choice after the one of length uLen that begins at pChoice; NULL when that was the last.
inline const char* NextChoice(const char* pChoice, unsigned uLen) {
  return pChoice[uLen] == '\0' ? nullptr : pChoice + uLen + 1;
}

/// Choice uItem (from 0) of a list, its length in *puLen; NULL when the list has fewer.
inline const char* ChoiceAt(const char* pChoices, unsigned uItem, unsigned* puLen) {
  const char* pChoice = pChoices;
  *puLen = ChoiceLength(pChoice);
  for (; pChoice != nullptr && uItem > 0; uItem--) {
    pChoice = NextChoice(pChoice, *puLen);
    if (pChoice != nullptr) *puLen = ChoiceLength(pChoice);
  }
  return pChoice;
}

}  // namespace scpi

#endif  // ORVANE_SCPI_TABLE_READING_H
