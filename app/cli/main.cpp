// SPDX-License-Identifier: MIT
// parsola-cli: the console twin of the Parsola window.
//
// Every LINE argument, or else every line of standard input, is handed to the parse report as
// the window's Enter button hands over its input box; the results-panel lines are printed as
// soon as each line is parsed.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "check_table.h"
#include "log_writer.h"
#include "report.h"
#include "results_sink.h"
#include <orvane-scpi/scpi.h>
#include "versions.h"

namespace {

constexpr int EXIT_ALL_PARSED = 0;
constexpr int EXIT_LINE_FAILED = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_OUTPUT = 3;

constexpr char USAGE[] = "usage: parsola-cli [--trace] [--levels] [--log FILE] [--] [LINE ...]\n";

constexpr char HELP[] =
    "Parses SCPI program messages with the Orvane-SCPI Parser and prints the parse report,\n"
    "line by line, as the Parsola window shows it.\n"
    "\n"
    "Each LINE is one program message (commands separated by ';'). Without any LINE, every\n"
    "line of standard input is one (LF or CR LF line ends).\n"
    "\n"
    "Options (they come before the first LINE; \"--\" ends them):\n"
    "  --trace       also print every parser call with its arguments and results\n"
    "                (\"Display Access Function Calls\")\n"
    "  --levels      put each line's level digit and a TAB before it\n"
    "                (1 closes a report, 2 report line, 3 traced call, 4 call result)\n"
    "  --log FILE    also write the results log file, as the window's Save button does\n"
    "  --check-table check the command table, print its errors and warnings and exit\n"
    "                (0 without errors, 1 with any)\n"
    "  --help        show this help and exit\n"
    "  --version     show the parser and application versions and exit\n"
    "\n"
    "Exit status: 0 when every line ended with \"End of commands reached\", 1 when any line\n"
    "ended with another text, 2 for a usage error, 3 when the log file (or standard output)\n"
    "could not be written.\n";

struct SOptions {
  bool bTrace = false;
  bool bLevels = false;
  bool bLog = false;
  std::string sLogPath;
  std::vector<std::string> vLines;  // the LINE arguments
};

/// Prints every kept line at once; keeps a copy for the log file when one is wanted.
class ConsoleSink : public parsola::ResultsSink {
 public:
  ConsoleSink(bool bLevels, bool bKeep) : bLevels_(bLevels), bKeep_(bKeep) {}

  const std::vector<std::string>& Lines() const { return vLines_; }
  bool OutputFailed() const { return bOutputFailed_; }

  /// Hands the printed lines on, so that they appear before the next line is read.
  void Flush() {
    if (std::fflush(stdout) != 0) bOutputFailed_ = true;
  }

 protected:
  void StoreLine(uint8_t ucLevel, const std::string& sText) override {
    std::string sOut;
    if (bLevels_) {
      sOut += static_cast<char>('0' + ucLevel);
      sOut += '\t';
    }
    sOut += sText;
    sOut += '\n';
    if (std::fwrite(sOut.data(), 1, sOut.size(), stdout) != sOut.size()) bOutputFailed_ = true;
    if (bKeep_) vLines_.push_back(sText);
  }

 private:
  bool bLevels_;
  bool bKeep_;
  bool bOutputFailed_ = false;
  std::vector<std::string> vLines_;
};

int UsageError(const std::string& sMessage) {
  std::fprintf(stderr, "parsola-cli: %s\n%s", sMessage.c_str(), USAGE);
  return EXIT_USAGE;
}

/// Reads the options; returns -1 to go on, or the exit status to end with at once.
int ReadOptions(int argc, char** argv, SOptions& sOpt) {
  int iArg = 1;
  for (; iArg < argc; ++iArg) {
    const std::string sArg = argv[iArg];
    if (sArg == "--") {
      ++iArg;
      break;
    }
    if (sArg.empty() || sArg[0] != '-') break;  // the first LINE
    if (sArg == "--help" || sArg == "-h") {
      std::fputs(USAGE, stdout);
      std::fputs(HELP, stdout);
      return EXIT_ALL_PARSED;
    }
    if (sArg == "--check-table") return parsola::CheckLinkedTable();
    if (sArg == "--version") {
      std::printf("parsola-cli (Orvane-SCPI Parser Demo Application)\n"
                  "Orvane-SCPI Parser:  %s\nDemo Application: %s\n",
                  parsola::sVerParser, parsola::sVerApp);
      return EXIT_ALL_PARSED;
    }
    if (sArg == "--trace") {
      if (!SCPI_TRACE) return UsageError("--trace: this parser was built without call tracing");
      sOpt.bTrace = true;
    } else if (sArg == "--levels") {
      sOpt.bLevels = true;
    } else if (sArg == "--log") {
      if (iArg + 1 >= argc) return UsageError("--log needs a file name");
      sOpt.bLog = true;
      sOpt.sLogPath = argv[++iArg];
    } else if (sArg.compare(0, 6, "--log=") == 0) {
      sOpt.bLog = true;
      sOpt.sLogPath = sArg.substr(6);
    } else {
      return UsageError("unknown option '" + sArg + "' (put \"--\" before a LINE that begins with '-')");
    }
  }
  for (; iArg < argc; ++iArg) sOpt.vLines.push_back(argv[iArg]);
  return -1;
}

/// Reads one line of standard input: split at LF, a CR just before the LF dropped, the text
/// after the last LF one more line unless it is empty. False when no line is left.
bool ReadInputLine(std::string& sLine) {
  sLine.clear();
  int iChar;
  while ((iChar = std::getc(stdin)) != EOF) {
    if (iChar == '\n') {
      if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
      return true;
    }
    sLine += static_cast<char>(iChar);
  }
  return !sLine.empty();
}

}  // namespace

int main(int argc, char** argv) {
  SOptions sOpt;
  const int iStatus = ReadOptions(argc, argv, sOpt);
  if (iStatus >= 0) return iStatus;

  ConsoleSink sink(sOpt.bLevels, sOpt.bLog);
  sink.SetTracing(sOpt.bTrace);
  bool bAllParsed = true;
  auto parse = [&](const std::string& sLine) {
    if (parsola::ParseAndReportCode(sLine, sink) != SCPI_ERR_NO_COMMAND) bAllParsed = false;
    sink.Flush();
  };
  if (!sOpt.vLines.empty()) {
    for (const std::string& sLine : sOpt.vLines) parse(sLine);
  } else {
    std::string sLine;
    while (ReadInputLine(sLine)) parse(sLine);
  }

  int iExit = bAllParsed ? EXIT_ALL_PARSED : EXIT_LINE_FAILED;
  if (sink.OutputFailed()) {
    std::fprintf(stderr, "parsola-cli: could not write to standard output\n");
    iExit = EXIT_OUTPUT;
  }
  if (sOpt.bLog) {
    switch (parsola::SaveResultsLog(sOpt.sLogPath, sink.Lines())) {
      case parsola::SaveResult::Saved:
        break;
      case parsola::SaveResult::CannotCreate:
        std::fprintf(stderr, "parsola-cli: could not open/create log file \"%s\": %s\n",
                     sOpt.sLogPath.c_str(), "no results were saved");
        iExit = EXIT_OUTPUT;
        break;
      case parsola::SaveResult::WriteFailed:
        std::fprintf(stderr, "parsola-cli: error while writing log file \"%s\": %s\n",
                     sOpt.sLogPath.c_str(), "not all results were saved");
        iExit = EXIT_OUTPUT;
        break;
    }
  }
  return iExit;
}
