// SPDX-License-Identifier: MIT
// --check-table of the consoles: parsola-cli on the demo table, and a console that
// orvane_scpi_add_console built for a table with mistakes.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct Result {
  int iExit = -1;
  std::string sOut;
};

Result RunCommand(const std::string& sCommand) {
  Result res;
  std::FILE* pPipe = popen(sCommand.c_str(), "r");
  if (pPipe == nullptr) return res;
  char acBuf[4096];
  for (size_t uiRead; (uiRead = std::fread(acBuf, 1, sizeof acBuf, pPipe)) > 0;) {
    res.sOut.append(acBuf, uiRead);
  }
  const int iStatus = pclose(pPipe);
  res.iExit = WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
  return res;
}

TEST(CheckTable, DemoTableHasNoErrors) {
  const Result res = RunCommand(std::string("'") + PARSOLA_CLI + "' --check-table");
  EXPECT_EQ(res.iExit, 0);
  EXPECT_EQ(res.sOut.find("command 13 \"SYSTem:ERRor[:NEXT]?\": warning: note: "), 0u) << res.sOut;
  EXPECT_NE(res.sOut.find("\n74 commands, 59 unit suffixes: 0 errors, 1 warning\n"),
            std::string::npos)
      << res.sOut;
}

TEST(CheckTable, TheRulesAskedFor) {
  const struct {
    const char* pOption;
    const char* pLast;
  } rows[] = {{"--check-table=standard", "74 commands, 59 unit suffixes: 0 errors, 0 warnings\n"},
              {"--check-table=library", "74 commands, 59 unit suffixes: 0 errors, 1 warning\n"}};
  for (const auto& row : rows) {
    const Result res = RunCommand(std::string("'") + PARSOLA_CLI + "' " + row.pOption);
    EXPECT_EQ(res.iExit, 0) << row.pOption;
    EXPECT_EQ(res.sOut.substr(res.sOut.rfind('\n', res.sOut.size() - 2) + 1), row.pLast)
        << row.pOption << "\n" << res.sOut;
  }
}

TEST(CheckTable, ATableWithErrorsEndsWithStatus1) {
  const Result res = RunCommand(std::string("'") + BROKEN_CLI + "' --check-table");
  EXPECT_EQ(res.iExit, 1);
  const char* const LINES[] = {
      "command 1 \"VOLTage[:LEVel\": error: '[' at position 8 without its ']'\n",
      "command 3 \"CURRent\": error: parameter 1: default choice 2 is beyond its 2 choices",
      "command 4 \"*RST\": warning: no input reaches this command: command 0 \"*RST\" comes first",
      "unit suffix 1 \"V\": error: never chosen: unit suffix 0 \"V\" comes first",
      "\n5 commands, 2 unit suffixes: 3 errors, 1 warning\n"};
  for (const char* pLine : LINES) EXPECT_NE(res.sOut.find(pLine), std::string::npos) << pLine;
}

TEST(CheckTable, WarningsATableAcceptsAreListedAsAccepted) {
  const Result res = RunCommand(std::string("'") + ACCEPTING_CLI + "' --check-table");
  EXPECT_EQ(res.iExit, 0);
  const char* const LINES[] = {
      "command 0 \"SYSTem:ERRor[:NEXT]?\": accepted: note: ",
      "accepted warning 1 \"*RST unreachable\": warning: no command \"*RST\" gets a warning",
      "\n1 command, 1 unit suffix: 0 errors, 1 warning, 1 accepted\n"};
  for (const char* pLine : LINES) EXPECT_NE(res.sOut.find(pLine), std::string::npos) << pLine;
}

TEST(CheckTable, TheConsoleOfAnotherTableParsesWithIt) {
  const Result res = RunCommand(std::string("'") + BROKEN_CLI + "' '*rst;outp on'");
  EXPECT_EQ(res.iExit, 0);
  EXPECT_NE(res.sOut.find("Recognized as Command #0  (\"*RST\")"), std::string::npos) << res.sOut;
  EXPECT_NE(res.sOut.find("Recognized as Command #2  (\"OUTPut\")"), std::string::npos) << res.sOut;
}

}  // namespace
