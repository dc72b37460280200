// SPDX-License-Identifier: MIT
// The console's --check-table: the table checker over the command table the program links.
#include "check_table.h"

#include "exit_status.h"

#include <cstdio>
#include <string>

#include <orvane-scpi/scpi_table.h>
#include <orvane-scpi/table_checker.h>

// A table declared with scpi_declare.h defines its count; a hand-written one does not, and is
// then read up to its end markers.
extern "C" __attribute__((weak)) const uint8_t CmdSpecCount;
// The checker's warnings a table means, when it lists any: "<header specification> <name>".
extern "C" __attribute__((weak)) const char* const AcceptedWarnings[];

// Defined by the source orvane_scpi_add_console writes for a console with a RECORD.
extern "C" __attribute__((weak)) const SScpiTable* const ScpiConsoleTable;

namespace parsola {

namespace {

constexpr int EXIT_NO_ERROR = EXIT_ALL_PARSED;
constexpr int EXIT_TABLE_ERRORS = EXIT_LINE_FAILED;

std::string Counted(unsigned uiCount, const char* pOne, const char* pMany) {
  return std::to_string(uiCount) + " " + (uiCount == 1 ? pOne : pMany);
}

// The table the console checks: its record when it was built for one, else the global names;
// either way with the warnings the table accepts.
scpi_checker::STable TableToCheck(const SScpiTable* psRecord, int iCount, uint8_t ucRules) {
  scpi_checker::STable sTable =
      psRecord != nullptr ? scpi_checker::TableOf(*psRecord, ucRules)
                          : scpi_checker::STable{CmdSpecs, ParamSpecs, UnitSuffixes, iCount, ucRules};
  sTable.ppAccepted = AcceptedWarnings;
  return sTable;
}

}  // namespace

const SScpiTable* ConsoleTable() {
  return &ScpiConsoleTable != nullptr ? ScpiConsoleTable : nullptr;
}

int CheckLinkedTable(uint8_t ucRules) {
  bool bOutputFailed = false;
  auto print = [&bOutputFailed](const std::string& sLine) {
    if (std::fputs(sLine.c_str(), stdout) < 0 || std::fputc('\n', stdout) == EOF) {
      bOutputFailed = true;
    }
  };
  const int iCount = &CmdSpecCount != nullptr ? CmdSpecCount : scpi_checker::COUNT_UNKNOWN;
  const SScpiTable* psRecord = ConsoleTable();
  const scpi_checker::SCheckResult sResult =
      scpi_checker::CheckTable(TableToCheck(psRecord, iCount, ucRules), print);
  print(Counted(sResult.uiCommands, "command", "commands") + ", " +
        Counted(sResult.uiUnitSuffixes, "unit suffix", "unit suffixes") + ": " +
        Counted(sResult.uiErrors, "error", "errors") + ", " +
        Counted(sResult.uiWarnings, "warning", "warnings") +
        (sResult.uiAccepted > 0 ? ", " + std::to_string(sResult.uiAccepted) + " accepted" : ""));
  if (std::fflush(stdout) != 0 || bOutputFailed) {
    std::fprintf(stderr, "--check-table: could not write to standard output\n");
    return EXIT_OUTPUT;
  }
  return sResult.uiErrors == 0 ? EXIT_NO_ERROR : EXIT_TABLE_ERRORS;
}

}  // namespace parsola
