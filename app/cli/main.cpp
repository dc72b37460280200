// SPDX-License-Identifier: MIT
// parsola-cli: the console twin of the Parsola window.
//
// Every LINE argument, or else every line of standard input, is handed to the parse report as
// the window's Enter button hands over its input box; the results-panel lines are printed as
// soon as each line is parsed.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "check_table.h"
#include "exit_status.h"
#include "log_writer.h"
#include "report.h"
#include "results_sink.h"
#include <orvane-scpi/scpi.h>
#include "versions.h"

namespace {

using parsola::EXIT_ALL_PARSED;
using parsola::EXIT_INPUT;
using parsola::EXIT_LINE_FAILED;
using parsola::EXIT_OUTPUT;
using parsola::EXIT_USAGE;

// The longest line that is reported with its trace: the window's input limit. The trace of a
// longer line would grow with the square of its length (every call quotes what is left).
constexpr size_t MAX_TRACED_LINE = SCPI_TRACE_MAX_QUOTED;
#define PARSOLA_TEXT_(x) #x
#define PARSOLA_TEXT(x) PARSOLA_TEXT_(x)

// The program's own name for its messages: parsola-cli, or a console made for another table.
const char* pProgram = "parsola-cli";

constexpr char USAGE[] = " [--trace] [--levels] [--log FILE] [--] [LINE ...]\n";

constexpr char HELP[] =
    "Parses SCPI program messages with the Orvane-SCPI Parser and prints the parse report,\n"
    "line by line, as the Parsola window shows it.\n"
    "\n"
    "Each LINE is one program message (commands separated by ';'); a LINE that holds line\n"
    "feeds is one per line. Without any LINE, every line of standard input is one (LF or\n"
    "CR LF line ends). A line that holds a NUL byte is not parsed.\n"
    "\n"
    "Options (they come before the first LINE; \"--\" ends them):\n"
    "  --trace       also print every parser call with its arguments and results\n"
    "                (\"Display Access Function Calls\"); a line longer than " PARSOLA_TEXT(SCPI_TRACE_MAX_QUOTED) "\n"
    "                characters is reported without them\n"
    "  --levels      put each line's level digit and a TAB before it\n"
    "                (1 closes a report, 2 report line, 3 traced call, 4 call result)\n"
    "  --log FILE    also write the results log file, as the window's Save button does;\n"
    "                FILE is replaced only by a complete log\n"
    "  --check-table check the command table, print its errors and warnings and exit\n"
    "                (0 without errors, 1 with any), for the rules this program follows;\n"
    "                --check-table=standard or =library for the standard SCPI rules or\n"
    "                the library's own\n"
    "  --help        show this help and exit\n"
    "  --version     show the parser and application versions and exit\n"
    "\n"
    "Exit status: 0 when every line ended with \"End of commands reached\", 1 when any line\n"
    "ended with another text or was not parsed, 2 for a usage error, 3 when the log file or\n"
    "standard output could not be written, 4 when standard input could not be read.\n"
    "When more than one applies, the highest is given.\n";

struct SOptions {
  bool bTrace = false;
  bool bLevels = false;
  bool bLog = false;
  std::string sLogPath;
  std::vector<std::string> vLines;  // the LINE arguments
};

/// Prints every kept line at once, and writes it to the log file when one is wanted. Once
/// standard output has failed, nothing more is printed; the log goes on.
class ConsoleSink : public parsola::ResultsSink {
 public:
  ConsoleSink(bool bLevels, parsola::LogStream* pLog) : bLevels_(bLevels), pLog_(pLog) {}

  bool OutputFailed() const { return iOutputErrno_ != 0; }
  int OutputErrno() const { return iOutputErrno_; }

  /// Hands the printed lines on, so that they appear before the next line is read.
  void Flush() {
    if (pLog_ != nullptr) pLog_->Flush();
    if (!OutputFailed() && std::fflush(stdout) != 0) OutputFailedWith(errno);
  }

 protected:
  void StoreLine(uint8_t ucLevel, const std::string& sText) override {
    if (pLog_ != nullptr) pLog_->WriteLine(sText);
    if (OutputFailed()) return;
    std::string sOut;
    if (bLevels_) {
      sOut += static_cast<char>('0' + ucLevel);
      sOut += '\t';
    }
    sOut += sText;
    sOut += '\n';
    if (std::fwrite(sOut.data(), 1, sOut.size(), stdout) != sOut.size()) OutputFailedWith(errno);
  }

 private:
  void OutputFailedWith(int iErrno) { iOutputErrno_ = iErrno != 0 ? iErrno : EIO; }

  bool bLevels_;
  parsola::LogStream* pLog_;  // null: no log is written
  int iOutputErrno_ = 0;
};

int OutputError(int iErrno) {
  std::fprintf(stderr, "%s: could not write to standard output: %s\n", pProgram,
               std::strerror(iErrno != 0 ? iErrno : EIO));
  return EXIT_OUTPUT;
}

/// The status to end with after the text of --help or --version: EXIT_OUTPUT unless it all
/// reached standard output.
int Printed() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return EXIT_ALL_PARSED;
  return OutputError(errno);
}

int UsageError(const std::string& sMessage) {
  std::fprintf(stderr, "%s: %s\nusage: %s%s", pProgram, sMessage.c_str(), pProgram, USAGE);
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
      std::printf("usage: %s%s", pProgram, USAGE);
      std::fputs(HELP, stdout);
      return Printed();
    }
    if (sArg == "--check-table") {
      return parsola::CheckLinkedTable(SCPI_STANDARD_RULES ? SCPI_RULES_STANDARD : SCPI_RULES_LIBRARY);
    }
    if (sArg == "--check-table=standard") return parsola::CheckLinkedTable(SCPI_RULES_STANDARD);
    if (sArg == "--check-table=library") return parsola::CheckLinkedTable(SCPI_RULES_LIBRARY);
    if (sArg == "--version") {
      std::printf("%s (Orvane-SCPI Parser Demo Application)\n"
                  "Orvane-SCPI Parser:  %s\nDemo Application: %s\n",
                  pProgram, parsola::sVerParser, parsola::sVerApp);
      return Printed();
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

void DropFinalCr(std::string& sLine) {
  if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
}

enum class EInput { LINE, END, FAILED };

/// Reads one line of standard input: split at LF, a CR just before the LF (or at the very end)
/// dropped, the text after the last LF one more line unless it is empty. FAILED when standard
/// input could not be read, with the reason in iErrno; a line read only in part is dropped.
EInput ReadInputLine(std::string& sLine, int& iErrno) {
  sLine.clear();
  int iChar;
  while ((iChar = std::getc(stdin)) != EOF) {
    if (iChar == '\n') {
      DropFinalCr(sLine);
      return EInput::LINE;
    }
    sLine += static_cast<char>(iChar);
  }
  if (std::ferror(stdin)) {
    iErrno = errno != 0 ? errno : EIO;
    return EInput::FAILED;
  }
  if (sLine.empty()) return EInput::END;
  DropFinalCr(sLine);
  return EInput::LINE;
}

/// The program messages of one LINE argument, split as standard input is; an empty argument is
/// one empty message.
std::vector<std::string> ArgumentLines(const std::string& sArg) {
  std::vector<std::string> vLines;
  size_t uStart = 0;
  for (size_t uLf; (uLf = sArg.find('\n', uStart)) != std::string::npos; uStart = uLf + 1) {
    vLines.push_back(sArg.substr(uStart, uLf - uStart));
  }
  if (uStart < sArg.size() || vLines.empty()) vLines.push_back(sArg.substr(uStart));
  for (std::string& sLine : vLines) DropFinalCr(sLine);
  return vLines;
}

/// A standard descriptor that came closed is opened on /dev/null the other way round (standard
/// input for writing, the outputs for reading): using it then fails as it would have, and no
/// file that the program opens, the log, can take its number.
void HoldClosedStandardDescriptors() {
  const struct {
    int iFd;
    int iFlags;
  } aHolds[] = {{STDIN_FILENO, O_WRONLY}, {STDOUT_FILENO, O_RDONLY}, {STDERR_FILENO, O_RDONLY}};
  for (const auto& sHold : aHolds) {
    // open takes the lowest free number, which is this one
    if (fcntl(sHold.iFd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", sHold.iFlags);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away makes the next write fail (status 3) instead of ending the program.
  std::signal(SIGPIPE, SIG_IGN);
  HoldClosedStandardDescriptors();
  if (argc > 0 && argv[0] != nullptr && argv[0][0] != '\0') {
    const char* pSlash = std::strrchr(argv[0], '/');
    pProgram = pSlash != nullptr ? pSlash + 1 : argv[0];
  }
  SOptions sOpt;
  const int iStatus = ReadOptions(argc, argv, sOpt);
  if (iStatus >= 0) return iStatus;

  parsola::LogStream log;
  parsola::SaveResult eLog = parsola::SaveResult::Saved;
  if (sOpt.bLog) eLog = log.Open(sOpt.sLogPath);
  const bool bLogOpen = sOpt.bLog && eLog == parsola::SaveResult::Saved;
  ConsoleSink sink(sOpt.bLevels, bLogOpen ? &log : nullptr);

  int iExit = EXIT_ALL_PARSED;
  auto fail = [&iExit](int iStatus) { iExit = std::max(iExit, iStatus); };
  // Parses one program message; false when the run is to stop.
  auto parse = [&](const std::string& sLine, const std::string& sWhere) {
    if (sLine.find('\0') != std::string::npos) {
      // The parser would stop at the NUL and never see the rest of the line.
      std::fprintf(stderr, "%s: %s: holds a NUL byte, not parsed\n", pProgram, sWhere.c_str());
      fail(EXIT_LINE_FAILED);
    } else {
      const bool bTraced = sOpt.bTrace && sLine.size() <= MAX_TRACED_LINE;
      if (sOpt.bTrace && !bTraced) {
        std::fprintf(stderr, "%s: %s: longer than %zu characters, reported without its "
                     "parser calls\n", pProgram, sWhere.c_str(), MAX_TRACED_LINE);
      }
      sink.SetTracing(bTraced);
      if (parsola::ParseAndReportCode(sLine, sink, parsola::ConsoleTable()) !=
          SCPI_ERR_NO_COMMAND) {
        fail(EXIT_LINE_FAILED);
      }
      sink.Flush();
    }
    // Once standard output has failed, only a log is worth going on for.
    return bLogOpen || !sink.OutputFailed();
  };
  if (!sOpt.vLines.empty()) {
    bool bGoOn = true;
    for (size_t uArg = 0; uArg < sOpt.vLines.size() && bGoOn; ++uArg) {
      const std::string sWhere = "argument " + std::to_string(uArg + 1);
      for (const std::string& sLine : ArgumentLines(sOpt.vLines[uArg])) {
        if (!(bGoOn = parse(sLine, sWhere))) break;
      }
    }
  } else {
    std::string sLine;
    unsigned long ulLine = 0;
    int iErrno = 0;
    EInput eInput;
    while ((eInput = ReadInputLine(sLine, iErrno)) == EInput::LINE) {
      if (!parse(sLine, "line " + std::to_string(++ulLine))) break;
    }
    if (eInput == EInput::FAILED) {
      std::fprintf(stderr, "%s: could not read standard input: %s\n", pProgram,
                   std::strerror(iErrno));
      fail(EXIT_INPUT);
    }
  }

  if (sink.OutputFailed()) fail(OutputError(sink.OutputErrno()));
  if (sOpt.bLog) {
    if (bLogOpen) eLog = log.Finish();
    switch (eLog) {
      case parsola::SaveResult::Saved:
        break;
      case parsola::SaveResult::CannotCreate:
        std::fprintf(stderr, "%s: could not open/create log file \"%s\": %s\n", pProgram,
                     sOpt.sLogPath.c_str(), "no results were saved");
        fail(EXIT_OUTPUT);
        break;
      case parsola::SaveResult::WriteFailed:
        std::fprintf(stderr, "%s: error while writing log file \"%s\": %s\n", pProgram,
                     sOpt.sLogPath.c_str(), "not all results were saved");
        fail(EXIT_OUTPUT);
        break;
    }
  }
  return iExit;
}
