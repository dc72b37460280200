// SPDX-License-Identifier: MIT
// The keyword walk: one header specification (or character-data choice) stepped against a text,
// with long and short forms, letter case, optional nodes and numeric suffixes. The library's
// rules, the standard rules (part by part), the header index's candidate test and the table
// checker all walk with it. C++ only, not installed.
#ifndef ORVANE_SCPI_KEYWORD_WALK_H
#define ORVANE_SCPI_KEYWORD_WALK_H

#include <stdint.h>

namespace scpi {

// What a character of a header specification (or choice) asks of the text. The classes from
// SC_LONG_FORM on are compared with the text; those from SC_COLON on must be present.
enum ESpecClass : uint8_t {
  SC_END,         // NUL
  SC_NODE_OPEN,   // '['
  SC_NODE_CLOSE,  // ']'
  SC_SUFFIX,      // '#'
  SC_LONG_FORM,   // lower case: the rest of a long form
  SC_COLON,       // ':', which also starts a new keyword
  SC_REQUIRED     // any other character
};

// The class and case bit (0x20 for an ASCII letter, whose case is ignored) of every character,
// built at compile time.
struct SSpecChars {
  uint8_t aucClass[256];
  uint8_t aucCaseBit[256];
};

constexpr SSpecChars MakeSpecChars() {
  SSpecChars sTable{};
  for (unsigned ui = 0; ui < 256; ++ui) {
    ESpecClass eClass = SC_REQUIRED;
    if (ui == '\0') eClass = SC_END;
    else if (ui == '[') eClass = SC_NODE_OPEN;
    else if (ui == ']') eClass = SC_NODE_CLOSE;
    else if (ui == '#') eClass = SC_SUFFIX;
    else if (ui >= 'a' && ui <= 'z') eClass = SC_LONG_FORM;
    else if (ui == ':') eClass = SC_COLON;
    sTable.aucClass[ui] = eClass;
    const bool bLetter = (ui >= 'a' && ui <= 'z') || (ui >= 'A' && ui <= 'Z');
    sTable.aucCaseBit[ui] = bLetter ? 0x20 : 0;
  }
  return sTable;
}

// One copy for the whole library (header_matching.cpp), whichever modules read it.
extern const SSpecChars SPEC_CHARS;

inline uint8_t SpecClass(char c) { return SPEC_CHARS.aucClass[static_cast<uint8_t>(c)]; }

// A letter of the header specification matches its letter in either case (with bit 5 set,
// exactly its two cases give its small letter); any other character only itself.
inline bool SameIgnoringCase(char cSpec, char cText) {
  const uint8_t ucCase = SPEC_CHARS.aucCaseBit[static_cast<uint8_t>(cSpec)];
  return (static_cast<uint8_t>(cSpec) | ucCase) == (static_cast<uint8_t>(cText) | ucCase);
}

// The text a walk reads: ucTextLen characters, read as NUL beyond them.
struct SWalkText {
  const char* pText;
  uint8_t ucTextLen;
};

inline char CharAt(const SWalkText& sText, unsigned uiIndex) {
  return uiIndex < sText.ucTextLen ? sText.pText[uiIndex] : '\0';
}

// Resume and skip. The header search walks a header's candidates in table order, and the index
// records how many leading characters each shares with the one before. A walk that failed read
// nothing past the header specification character it stopped at, so a candidate that shares
// more than that fails there too and is skipped (FailsAtStop), and one that shares exactly that much and
// reached the stop by stepping, not by a skip, goes on from the stop (WALK_RESUME) instead of
// walking the shared characters again. It pays: when it was last weighed, scripts/scaling_bench.sh
// (callgrind, tracing out) counted about a fifth fewer instructions per sample command with it
// at 74 entries (2,044 against 2,511; 2,300 against 3,797 at 222), a third fewer without an index
// (4,655 against 7,211), and almost half fewer for the near miss (2,175 against 3,971).
// SWalkStop is where a walk stopped (after a WALK_PREFIX walk that matched: where the text goes
// on) and the state there.
struct SWalkStop {
  uint8_t ucSi;
  char cText;
  uint8_t ucTi;
  uint8_t ucNodeTi;
  uint8_t ucN;
  uint8_t ucResult;
  bool bInNode;
  bool bLongForm;
  bool bStepped;
};

// Options of a walk.
constexpr uint8_t WALK_RESUME = 1;  // go on from *psStop instead of from the start
constexpr uint8_t WALK_PREFIX = 2;  // the text may go on after the header specification's end

// Walks a specification of at most ucSpecLen characters (it also ends at its NUL) against a
// text (header_matching.cpp). Suffixes are stored from uiNumSuf[*pucN] on (MAX_NUM_SUFFIX in
// all) and *pucN takes their count. An optional node that fails is
// taken as absent: the text goes back to where the node began. *psStop is written when the walk
// fails and after a WALK_PREFIX walk. Returns 0, SCPI_ERR_TOO_MANY_NUM_SUF,
// SCPI_ERR_INVALID_NUM_SUF or SCPI_ERR_INVALID_CMD.
uint8_t WalkKeywords(const char* pSpec, uint8_t ucSpecLen, const SWalkText& sText,
                     uint32_t uiNumSuf[], uint8_t* pucN, SWalkStop* psStop, uint8_t ucOptions);

// No stop: beyond every specification.
constexpr unsigned NO_STOP = 256;

// Whether a candidate sharing uiShared characters with the header specification whose walk (or
// skipped walk) stopped at uiStop fails there too: it shares more, or it meets there another required
// character that differs from the text.
inline bool FailsAtStop(const char* pSpec, unsigned uiShared, unsigned uiStop, char cStopText) {
  if (uiShared > uiStop) return true;
  return uiShared == uiStop && SpecClass(pSpec[uiStop]) >= SC_COLON &&
         !SameIgnoringCase(pSpec[uiStop], cStopText);
}

}  // namespace scpi

#endif  // ORVANE_SCPI_KEYWORD_WALK_H
