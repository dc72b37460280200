// SPDX-License-Identifier: MIT
// Orvane-SCPI table checker: what its modules share (not installed).
#ifndef ORVANE_SCPI_CHECKER_INTERNAL_H
#define ORVANE_SCPI_CHECKER_INTERNAL_H

#include <orvane-scpi/scpi_declare.h>
#include <orvane-scpi/table_checker.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "table_reading.h"

namespace scpi_checker {

/// Longest header specification, choice list and command: the parser's counters are 8-bit.
constexpr size_t MAX_TEXT = SCPI_MAX_COUNT;

/// The names of the warnings, by which a table accepts one for one of its commands.
constexpr const char* WARN_UNREACHABLE = "unreachable";
constexpr const char* WARN_NODE_TAKES_NEXT = "node-takes-next";
constexpr const char* WARN_SUFFIX_IN_NODE = "suffix-in-node";
constexpr const char* WARN_NO_SHORT_FORM = "no-short-form";
constexpr const char* WARN_TREE_PATH = "tree-path";

/// Counts the report lines and hands them on in table order: the lines of each entry in the
/// order they were found, the entries in the order they were announced, lines of entries never
/// announced after those announced before them. A warning the table accepts for its entry is
/// listed as accepted instead.
class Reporter {
 public:
  Reporter(const LineSink& fnLine, const char* const* ppAccepted);
  explicit Reporter(const LineSink& fnLine) : Reporter(fnLine, nullptr) {}
  /// An entry in table order, and the header specification by which the table names it.
  void Entry(const std::string& sEntry, const std::string& sSpec);
  void Error(const std::string& sEntry, const std::string& sText);
  void Warning(const std::string& sEntry, const char* pName, const std::string& sText);
  /// Warns about each acceptance that matched no warning, then hands every line on.
  void Flush();
  unsigned Errors() const { return uiErrors_; }
  unsigned Warnings() const { return uiWarnings_; }
  unsigned Accepted() const { return uiAccepted_; }

 private:
  struct SLine {
    size_t uiOrder;
    std::string sText;
  };
  struct SAcceptance {
    std::string sSpec;
    std::string sName;
    bool bUsed;
  };
  void Add(const std::string& sEntry, const std::string& sText);
  const LineSink& fnLine_;
  std::vector<std::pair<std::string, std::string>> vEntries_;  // entry, specification
  std::vector<SAcceptance> vAccepted_;
  std::vector<SLine> vLines_;
  unsigned uiErrors_ = 0;
  unsigned uiWarnings_ = 0;
  unsigned uiAccepted_ = 0;
};

/// The text between double quotes, a quote or backslash escaped, other characters outside
/// 33..126 (white space among them, but the space) as \xNN.
std::string Quoted(const std::string& sText);

/// "command 12 "VOLTage[:LEVel"" and "unit suffix 3 "MV"".
std::string CommandEntry(unsigned uiNum, const char* pSpec);
std::string SuffixEntry(unsigned uiNum, const char* pSuffix);

/// What the parser counts as white space: not NUL and at most 32 as a signed byte.
inline bool IsWhiteSpace(char c) { return c != '\0' && static_cast<signed char>(c) <= 32; }
inline bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline char ToUpper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

const char* TypeName(EPType ePType);

// ---- Header specifications and choices (header_checks.cpp) ----

/// One optional node: the positions of its '[' and ']'.
struct SNode {
  size_t uiOpen;
  size_t uiClose;
};

/// The optional nodes of a header or choice, or the first problem with its brackets
/// (unbalanced, nested or empty) in words; empty when they are sound.
std::string FindNodes(const std::string& sText, std::vector<SNode>* pvNodes);

/// The number of '#' in the text.
unsigned CountSuffixes(const std::string& sText);

/// Errors of one header specification of at most MAX_TEXT characters: characters it cannot
/// hold, its optional nodes, more '#' than MAX_NUM_SUFFIX. Its nodes when they are sound.
bool CheckHeader(const std::string& sEntry, const std::string& sSpec, Reporter& r,
                 std::vector<SNode>* pvNodes);

/// A warning for each keyword of a header specification or choice list that has letters but no
/// upper-case one, and so no short form; sWhere begins the message ("parameter 1: ").
void WarnShortForms(const std::string& sEntry, const std::string& sWhere, const std::string& sText,
                    Reporter& r);

/// The warnings of one sound header specification under the library's rules: a '#' in an
/// optional node, an optional node that takes what follows it. bSuffixLater: choices of the
/// command hold a '#'. The standard rules give neither.
void WarnHeader(const std::string& sEntry, const std::string& sSpec,
                const std::vector<SNode>& vNodes, bool bSuffixLater, Reporter& r);

// ---- Matching as the parser does it (header_walk.cpp) ----

/// Whether the header specification takes the whole text (letter case aside), as the parser's
/// keyword matcher does with an empty command tree path: 0, or the matcher's failure code. When
/// pvTaken is given it receives, per optional node, whether the walk took it.
uint8_t Walk(const std::string& sSpec, const std::string& sText, std::vector<bool>* pvTaken);

/// One input a header specification is written for, in upper case, and which of its optional
/// nodes it gives.
struct SHeaderInput {
  std::string sText;
  std::vector<bool> vPresent;
};

/// Every input of a sound specification: each keyword in its short and its long form, each
/// optional node given and left out, each '#' with and without digits. False, with nothing
/// written, when there would be more than uiLimit.
bool HeaderInputs(const std::string& sSpec, const std::vector<SNode>& vNodes, size_t uiLimit,
                  std::vector<SHeaderInput>* pvInputs);

// ---- Parameter slots and attribute records (attribute_checks.cpp) ----

/// Remembers attribute records already checked, so a shared record is reported once.
using CheckedRecords = std::set<std::pair<const void*, EPType>>;

/// Errors of one command's parameter slots and their attribute records. Returns the most
/// numeric suffixes its character-data choices can add.
unsigned CheckSlots(const std::string& sEntry, const SParamSpec* psSlots, unsigned uiWidth,
                    CheckedRecords& sChecked, Reporter& r);

// ---- Unit suffixes (unit_suffix_checks.cpp) ----

/// Errors of UnitSuffixes, read up to its empty suffix; returns the number of suffixes.
unsigned CheckUnitSuffixes(const SUnitSuffix* psSuffixes, Reporter& r);

}  // namespace scpi_checker

#endif  // ORVANE_SCPI_CHECKER_INTERNAL_H
