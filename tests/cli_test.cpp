// SPDX-License-Identifier: MIT
// parsola-cli end to end: the acceptance vectors, argument and standard-input handling, exit
// codes, the log file, line-by-line output, and no Qt in the console program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Result {
  int iExit = -1;
  std::string sOut;
  std::string sErr;
};

std::string ReadFile(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& sPath, const std::string& sBytes) {
  std::ofstream out(sPath, std::ios::binary | std::ios::trunc);
  out << sBytes;
}

// The bytes of a literal that may hold NUL bytes, without its closing NUL.
template <size_t N>
std::string Bytes(const char (&acText)[N]) {
  return std::string(acText, N - 1);
}

std::string Data(const char* pName) { return ReadFile(std::string(ORVANE_TEST_DATA) + "/" + pName); }

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    char acTemplate[] = "/tmp/parsola_cli_XXXXXX";
    ASSERT_NE(mkdtemp(acTemplate), nullptr);
    sDir_ = acTemplate;
  }
  void TearDown() override {
    for (const char* pName : {"in", "out", "err", "log.txt"}) std::remove(Path(pName).c_str());
    rmdir(sDir_.c_str());
  }
  std::string Path(const char* pName) const { return sDir_ + "/" + pName; }

  // Runs parsola-cli with the arguments, standard input from the bytes given.
  Result Run(const std::vector<std::string>& vArgs, const std::string& sStdin = "") {
    WriteFile(Path("in"), sStdin);
    return Spawn(vArgs, Path("in"), Path("out"));
  }

  // Runs parsola-cli with standard input from the file sInPath (closed when it is empty) and
  // standard output to the file sOutPath, or to the descriptor iOutFd when that is given; only
  // the output file "out" is read back.
  Result Spawn(const std::vector<std::string>& vArgs, const std::string& sInPath,
               const std::string& sOutPath, int iOutFd = -1) {
    posix_spawn_file_actions_t sActions;
    posix_spawn_file_actions_init(&sActions);
    if (sInPath.empty()) {
      posix_spawn_file_actions_addclose(&sActions, 0);
    } else {
      posix_spawn_file_actions_addopen(&sActions, 0, sInPath.c_str(), O_RDONLY, 0);
    }
    if (iOutFd >= 0) {
      posix_spawn_file_actions_adddup2(&sActions, iOutFd, 1);
    } else {
      posix_spawn_file_actions_addopen(&sActions, 1, sOutPath.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&sActions, 2, Path("err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> vArgv = {const_cast<char*>(PARSOLA_CLI)};
    for (const std::string& sArg : vArgs) vArgv.push_back(const_cast<char*>(sArg.c_str()));
    vArgv.push_back(nullptr);
    pid_t pid = 0;
    Result res;
    const int iSpawn = posix_spawn(&pid, PARSOLA_CLI, &sActions, nullptr, vArgv.data(), environ);
    posix_spawn_file_actions_destroy(&sActions);
    EXPECT_EQ(iSpawn, 0);
    if (iSpawn != 0) return res;
    int iStatus = 0;
    waitpid(pid, &iStatus, 0);
    res.iExit = WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : 128 + WTERMSIG(iStatus);
    if (iOutFd < 0 && sOutPath == Path("out")) res.sOut = ReadFile(sOutPath);
    res.sErr = ReadFile(Path("err"));
    return res;
  }

  std::string sDir_;
};

// The input lines that the report announced, in order.
std::vector<std::string> ParsedLines(const std::string& sOut) {
  const std::string sMark = "Parsing Input String: \"";
  std::vector<std::string> v;
  for (size_t uPos = 0; (uPos = sOut.find(sMark, uPos)) != std::string::npos;) {
    uPos += sMark.size();
    const size_t uEnd = sOut.find("\"\n", uPos);
    v.push_back(sOut.substr(uPos, uEnd - uPos));
    uPos = uEnd;
  }
  return v;
}

size_t Count(const std::string& sText, const std::string& sPart) {
  size_t uCount = 0;
  for (size_t uPos = 0; (uPos = sText.find(sPart, uPos)) != std::string::npos; uPos += sPart.size()) {
    ++uCount;
  }
  return uCount;
}

TEST_F(Cli, SampleLinesGiveTheExpectedReport) {
  const Result res = Run({}, Data("samples.in"));
  EXPECT_EQ(res.iExit, 0);
  EXPECT_EQ(res.sOut, Data("samples.out"));
  EXPECT_EQ(res.sErr, "");
}

#if SCPI_TRACE
TEST_F(Cli, SampleLinesTracedWithLevelsGiveTheExpectedReport) {
  const Result res = Run({"--trace", "--levels"}, Data("samples.in"));
  EXPECT_EQ(res.iExit, 0);
  EXPECT_EQ(res.sOut, Data("samples.trace-levels.out"));
}

// A line longer than the window's 400 characters is reported without its trace, so the output
// grows with the input alone; a line of 400 keeps every traced call.
TEST_F(Cli, OnlyLinesOfAtMost400CharactersAreTraced) {
  const std::string sCommands = "*rst;*cls;*rst;*cls;";  // 20 characters
  std::string sLong;
  for (int i = 0; i < 20; ++i) sLong += sCommands;
  const std::string sLonger = sLong + ";";
  const Result kept = Run({"--trace", sLong});
  EXPECT_EQ(kept.iExit, 0);
  EXPECT_EQ(Count(kept.sOut, "      SCPI_Parse("), 81u);
  EXPECT_EQ(kept.sErr, "");
  const Result cut = Run({"--trace", "*rst", sLonger});
  EXPECT_EQ(cut.iExit, 0);
  EXPECT_EQ(Count(cut.sOut, "      SCPI_Parse("), 1u);  // from "*rst" alone
  EXPECT_EQ(Count(cut.sOut, "Recognized as Command #"), 81u);
  EXPECT_EQ(cut.sErr, "parsola-cli: argument 2: longer than 400 characters, reported without its "
                      "parser calls\n");
}
#else
TEST_F(Cli, TracingThatIsNotBuiltInIsAUsageError) {
  const Result res = Run({"--trace", "*rst"});
  EXPECT_EQ(res.iExit, 2);
  EXPECT_NE(res.sErr, "");
}
#endif

TEST_F(Cli, LineArgumentsAreParsedLikeInputLines) {
  // the window's four example strings close the sample vector
  const std::vector<std::string> vExamples = {
      "conf:freq 12.5kHz", "Sense:Volt:DC:nplcycles maximum",
      "meas:volt:dc? 1kv, min; :calc:function dbm",
      "output:ttltrg5;:syst:err:enable (17:22,25,39:51)"};
  const std::string sAll = Data("samples.out");
  const size_t uStart = sAll.find("Parsing Input String: \"conf:freq 12.5kHz\"");
  ASSERT_NE(uStart, std::string::npos);
  const Result res = Run(vExamples, "*idn?\n");  // standard input is not read
  EXPECT_EQ(res.iExit, 0);
  EXPECT_EQ(res.sOut, sAll.substr(uStart));
}

TEST_F(Cli, StandardInputIsSplitAtLineFeeds) {
  using V = std::vector<std::string>;
  const struct {
    std::string sIn;
    V vLines;
  } rows[] = {
      {"", {}},
      {"*rst", {"*rst"}},
      {"*rst\n", {"*rst"}},
      {"*rst\n*cls", {"*rst", "*cls"}},
      {"*rst\r\n*cls\r\n", {"*rst", "*cls"}},
      {"\n", {""}},
      {"\n\n*rst\n", {"", "", "*rst"}},
      // only a CR right before a LF, or at the very end, is dropped
      {"*rst\r\r\n", {"*rst\r"}},
      {"a\rb\n", {"a\rb"}},
      {"*rst\r", {"*rst"}},
      {"*rst\n\r", {"*rst", ""}},
      // a line holding a NUL byte is not parsed (InputFaults)
      {std::string("*rst\0x\n*cls\n", 12), {"*cls"}},
  };
  for (const auto& row : rows) {
    const Result res = Run({}, row.sIn);
    EXPECT_EQ(ParsedLines(res.sOut), row.vLines) << "input: " << row.sIn;
  }
}

TEST_F(Cli, ExitStatusAndOptions) {
  using V = std::vector<std::string>;
  const struct {
    V vArgs;
    int iExit;
    V vParsed;   // lines the report announced
    bool bTrace; // trace lines printed
    bool bErr;   // a message on standard error
  } rows[] = {
      {{"*rst"}, 0, {"*rst"}, false, false},
      {{""}, 0, {""}, false, false},
      {{"foo"}, 1, {"foo"}, false, false},
      {{"*rst", "foo", "*cls"}, 1, {"*rst", "foo", "*cls"}, false, false},
#if SCPI_TRACE
      {{"--trace", "*rst"}, 0, {"*rst"}, true, false},
      {{"--trace", "--", "--levels"}, 1, {"--levels"}, true, false},
#endif
      // "--" ends the options; from the first LINE on every argument is a LINE
      {{"--", "--trace"}, 1, {"--trace"}, false, false},
      {{"--", "*rst"}, 0, {"*rst"}, false, false},
      {{"*rst", "--trace"}, 1, {"*rst", "--trace"}, false, false},
      // a LINE holding line feeds is split as standard input is
      {{"*rst\n*cls"}, 0, {"*rst", "*cls"}, false, false},
      {{"*rst\r\nfoo\r\n", "*cls"}, 1, {"*rst", "foo", "*cls"}, false, false},
      {{"\n"}, 0, {""}, false, false},
      {{"*rst\r"}, 0, {"*rst"}, false, false},
      // usage errors
      {{"--bogus"}, 2, {}, false, true},
      {{"-x", "*rst"}, 2, {}, false, true},
      {{"-"}, 2, {}, false, true},
      {{"--log"}, 2, {}, false, true},
  };
  for (const auto& row : rows) {
    const std::string sWhat = row.vArgs.empty() ? "" : row.vArgs[0] + " ...";
    const Result res = Run(row.vArgs);
    EXPECT_EQ(res.iExit, row.iExit) << sWhat;
    EXPECT_EQ(ParsedLines(res.sOut), row.vParsed) << sWhat;
    EXPECT_EQ(res.sOut.find("SCPI_Parse(") != std::string::npos, row.bTrace) << sWhat;
    EXPECT_EQ(!res.sErr.empty(), row.bErr) << sWhat;
  }
}

TEST_F(Cli, EveryPrintedLineCarriesItsLevel) {
  const Result res = Run({"--levels", "--", "*rst\n*cls;\r\nfoo", "\n\n"});
  EXPECT_EQ(res.iExit, 1);
  EXPECT_EQ(ParsedLines(res.sOut), (std::vector<std::string>{"*rst", "*cls;", "foo", "", ""}));
  for (size_t uPos = 0; uPos < res.sOut.size(); uPos = res.sOut.find('\n', uPos) + 1) {
    EXPECT_TRUE(res.sOut[uPos] >= '1' && res.sOut[uPos] <= '4' && res.sOut[uPos + 1] == '\t')
        << res.sOut.substr(uPos, res.sOut.find('\n', uPos) - uPos);
  }
}

// A command of the 255 characters that a command may hold.
const std::string LONGEST_COMMAND = "disp:text \"" + std::string(243, 'x') + "\"";

TEST_F(Cli, InputFaults) {
  const struct {
    std::string sIn;
    int iExit;
    std::vector<std::string> vParsed;
    std::string sErr;  // the message on standard error
  } rows[] = {
      {Bytes("*idn?\0;bogus:cmd 1\n*rst\n"), 1, {"*rst"},
       "parsola-cli: line 1: holds a NUL byte, not parsed\n"},
      {Bytes("*rst\n\n*cls\0\n*cls\0"), 1, {"*rst", ""},
       "parsola-cli: line 3: holds a NUL byte, not parsed\n"
       "parsola-cli: line 4: holds a NUL byte, not parsed\n"},
      {Bytes("\0"), 1, {}, "parsola-cli: line 1: holds a NUL byte, not parsed\n"},
      // the final CR goes as the one of CR LF does
      {LONGEST_COMMAND + "\r", 0, {LONGEST_COMMAND}, ""},
      {LONGEST_COMMAND + "\r\n", 0, {LONGEST_COMMAND}, ""},
  };
  for (const auto& row : rows) {
    const Result res = Run({}, row.sIn);
    EXPECT_EQ(res.iExit, row.iExit) << row.sErr;
    EXPECT_EQ(ParsedLines(res.sOut), row.vParsed) << row.sErr;
    EXPECT_EQ(res.sErr, row.sErr);
  }
}

TEST_F(Cli, HelpAndVersion) {
  const Result help = Run({"--help"});
  EXPECT_EQ(help.iExit, 0);
  EXPECT_NE(help.sOut.find("usage: parsola-cli [--trace] [--levels] [--log FILE]"), std::string::npos);
  EXPECT_EQ(help.sErr, "");

  const Result version = Run({"--version", "*rst"});
  EXPECT_EQ(version.iExit, 0);
  EXPECT_NE(version.sOut.find("Orvane-SCPI Parser:  V1.3.1\n"), std::string::npos);
  EXPECT_NE(version.sOut.find("Demo Application: V1.3.1\n"), std::string::npos);
  EXPECT_EQ(Count(version.sOut, "Parsing"), 0u);
}

const std::string LOG_HEADER =
    "Orvane-SCPI Parser Demo Application - Parsing Results\r\n"
    "==================================================\r\n\r\n"
    "Version Info\r\n------------\r\n"
    "Demo Application: V1.3.1\r\nOrvane-SCPI Parser:  V1.3.1\r\n\r\n\r\n"
    "Parsing Results Log\r\n-------------------\r\n\r\n";
const std::string LOG_END = "\r\n\r\nEND OF PARSING RESULTS LOG\r\n";

TEST_F(Cli, LogHoldsEveryPrintedLineWithoutLevels) {
  std::vector<std::string> vArgs = {"--levels", "--log", Path("log.txt")};
  if (SCPI_TRACE) vArgs.insert(vArgs.begin(), "--trace");  // trace lines keep their blanks
  const Result res = Run(vArgs, Data("samples.in"));
  EXPECT_EQ(res.iExit, 0);
  std::string sExpected = LOG_HEADER;
  const std::string sOut = res.sOut;
  for (size_t uPos = 0; uPos < sOut.size();) {
    const size_t uEnd = sOut.find('\n', uPos);
    sExpected += sOut.substr(uPos + 2, uEnd - uPos - 2) + "\r\n";  // without "<level>\t"
    uPos = uEnd + 1;
  }
  sExpected += LOG_END;
  EXPECT_EQ(ReadFile(Path("log.txt")), sExpected);
}

TEST_F(Cli, LogOfNoLinesIsTheEmptyLog) {
  const Result res = Run({"--log=" + Path("log.txt")}, "");
  EXPECT_EQ(res.iExit, 0);
  EXPECT_EQ(ReadFile(Path("log.txt")), LOG_HEADER + LOG_END);
}

TEST_F(Cli, StandardInputThatCannotBeReadEndsWithStatus4) {
  const struct {
    const char* pWhat;
    std::string sInPath;  // empty: closed
    std::vector<std::string> vArgs;
    int iExit;
  } rows[] = {
      {"closed", "", {}, 4},
      {"a directory", sDir_, {}, 4},
      // the log cannot take the closed descriptor's place and be read as input
      {"closed, with a log", "", {"--log", Path("log.txt")}, 4},
      {"closed, LINE given", "", {"*rst"}, 0},
  };
  for (const auto& row : rows) {
    const Result res = Spawn(row.vArgs, row.sInPath, Path("out"));
    EXPECT_EQ(res.iExit, row.iExit) << row.pWhat;
    if (row.iExit == 4) {
      EXPECT_EQ(res.sErr.rfind("parsola-cli: could not read standard input: ", 0), 0u)
          << row.pWhat << ": " << res.sErr;
    }
  }
  EXPECT_EQ(ReadFile(Path("log.txt")), LOG_HEADER + LOG_END);
}

TEST_F(Cli, ALogThatCannotBeWrittenEndsWithStatus3) {
  const std::string asPaths[] = {Path("missing/log.txt"), sDir_, "/dev/full"};
  for (const std::string& sPath : asPaths) {
    if (sPath == "/dev/full" && access("/dev/full", W_OK) != 0) continue;
    const Result res = Run({"--log", sPath, "foo"});
    EXPECT_EQ(res.iExit, 3) << sPath;
    EXPECT_NE(res.sErr.find("\"" + sPath + "\""), std::string::npos) << sPath << ": " << res.sErr;
    EXPECT_EQ(ParsedLines(res.sOut), std::vector<std::string>{"foo"}) << sPath;
  }
}

TEST_F(Cli, TheConsoleHasNoPanelCapacity) {
  std::string sIn;
  for (int i = 0; i < 4000; ++i) sIn += "*rst\n";
  const Result res = Run({}, sIn);
  EXPECT_EQ(res.iExit, 0);
  EXPECT_EQ(Count(res.sOut, "\n"), 4000u * 9);
  EXPECT_EQ(res.sOut.find("This display is full"), std::string::npos);
}

// Standard output that takes nothing: the device is full, or the reader has gone.
TEST_F(Cli, StandardOutputThatFailsEndsWithStatus3AndTheLogIsComplete) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not available";
  const std::vector<std::string> vLog = {"--log", Path("log.txt")};
  ASSERT_EQ(Run(vLog, Data("samples.in")).iExit, 0);
  const std::string sFullLog = ReadFile(Path("log.txt"));
  WriteFile(Path("in"), Data("samples.in"));
  const struct {
    const char* pWhat;
    std::vector<std::string> vArgs;
    bool bPipe;  // a pipe without reader, else /dev/full
  } rows[] = {
      {"help", {"--help"}, false},
      {"version", {"--version"}, false},
      {"report", {}, false},
      {"report, log", vLog, false},
      {"report", {}, true},
      {"report, log", vLog, true},
  };
  for (const auto& row : rows) {
    std::remove(Path("log.txt").c_str());
    int aiPipe[2];
    ASSERT_EQ(pipe(aiPipe), 0);
    close(aiPipe[0]);
    const Result res = Spawn(row.vArgs, Path("in"), "/dev/full", row.bPipe ? aiPipe[1] : -1);
    close(aiPipe[1]);
    const std::string sWhat = std::string(row.pWhat) + (row.bPipe ? " into a pipe" : "");
    EXPECT_EQ(res.iExit, 3) << sWhat;
    EXPECT_EQ(res.sErr.rfind("parsola-cli: could not write to standard output: ", 0), 0u)
        << sWhat << ": " << res.sErr;
    if (row.vArgs == vLog) {
      EXPECT_EQ(ReadFile(Path("log.txt")), sFullLog) << sWhat;
    }
  }
}

// Reads from the descriptor until the text holds sUntil uCount times; false on end of file or
// when nothing arrives for a long while (the program holds back its output).
bool ReadUntil(int fd, std::string& sText, const std::string& sUntil, size_t uCount) {
  constexpr int STALL_MS = 30000;
  while (Count(sText, sUntil) < uCount) {
    pollfd sPoll = {fd, POLLIN, 0};
    if (poll(&sPoll, 1, STALL_MS) <= 0) return false;
    char acBuf[4096];
    const ssize_t lRead = read(fd, acBuf, sizeof(acBuf));
    if (lRead <= 0) return false;
    sText.append(acBuf, static_cast<size_t>(lRead));
  }
  return true;
}

// parsola-cli running with a pipe to its standard input (iIn) and one from its output (iOut).
struct Piped {
  int iIn = -1;
  int iOut = -1;
  pid_t pid = 0;

  bool Start(const std::vector<std::string>& vArgs) {
    int aiIn[2], aiOut[2];
    if (pipe(aiIn) != 0 || pipe(aiOut) != 0) return false;
    posix_spawn_file_actions_t sActions;
    posix_spawn_file_actions_init(&sActions);
    posix_spawn_file_actions_adddup2(&sActions, aiIn[0], 0);
    posix_spawn_file_actions_adddup2(&sActions, aiOut[1], 1);
    posix_spawn_file_actions_addclose(&sActions, aiIn[1]);
    posix_spawn_file_actions_addclose(&sActions, aiOut[0]);
    std::vector<char*> vArgv{const_cast<char*>(PARSOLA_CLI)};
    for (const std::string& sArg : vArgs) vArgv.push_back(const_cast<char*>(sArg.c_str()));
    vArgv.push_back(nullptr);
    const bool bStarted =
        posix_spawn(&pid, PARSOLA_CLI, &sActions, nullptr, vArgv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&sActions);
    close(aiIn[0]);
    close(aiOut[1]);
    iIn = aiIn[1];
    iOut = aiOut[0];
    return bStarted;
  }

  /// Closes its input, waits for it to end and returns its wait status.
  int Wait() {
    close(iIn);
    int iStatus = 0;
    waitpid(pid, &iStatus, 0);
    close(iOut);
    return iStatus;
  }
};

TEST_F(Cli, EachLinesReportIsPrintedBeforeTheNextLineIsRead) {
  Piped cli;
  ASSERT_TRUE(cli.Start({}));
  std::string sOut;
  ASSERT_EQ(write(cli.iIn, "*rst\n", 5), 5);
  EXPECT_TRUE(ReadUntil(cli.iOut, sOut, "Parsing Complete.\n\n", 1));
  ASSERT_EQ(write(cli.iIn, "*cls\n", 5), 5);
  EXPECT_TRUE(ReadUntil(cli.iOut, sOut, "Parsing Complete.\n\n", 2));
  const int iStatus = cli.Wait();
  EXPECT_EQ(ParsedLines(sOut), (std::vector<std::string>{"*rst", "*cls"}));
  EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
}

// Each line's report reaches the log file's part as soon as it is printed; the old log is
// replaced only at the end.
TEST_F(Cli, TheLogIsWrittenAsTheReportGoes) {
  WriteFile(Path("log.txt"), "old");
  const std::string sLog = Path("log.txt");
  Piped cli;
  ASSERT_TRUE(cli.Start({"--log", sLog}));
  std::string sOut;
  ASSERT_EQ(write(cli.iIn, "*rst\n", 5), 5);
  EXPECT_TRUE(ReadUntil(cli.iOut, sOut, "Parsing Complete.\n\n", 1));
  std::string sReport;  // the printed lines with CR LF
  for (size_t uPos = 0; uPos < sOut.size(); uPos = sOut.find('\n', uPos) + 1) {
    sReport += sOut.substr(uPos, sOut.find('\n', uPos) - uPos) + "\r\n";
  }
  EXPECT_EQ(ReadFile(sLog), "old");
  const std::string sPartPattern = sLog + ".part-*";
  std::FILE* pList = popen(("cat " + sPartPattern).c_str(), "r");
  ASSERT_NE(pList, nullptr);
  std::string sPart;
  for (int iChar; (iChar = std::fgetc(pList)) != EOF;) sPart += static_cast<char>(iChar);
  pclose(pList);
  EXPECT_EQ(sPart, LOG_HEADER + sReport);

  const int iStatus = cli.Wait();
  EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
  EXPECT_EQ(ReadFile(sLog), LOG_HEADER + sReport + LOG_END);
}

TEST(CliBinary, DoesNotLinkQt) {
  const std::string sCommand = std::string("ldd '") + PARSOLA_CLI + "' 2>&1";
  std::FILE* pPipe = popen(sCommand.c_str(), "r");
  ASSERT_NE(pPipe, nullptr);
  std::string sLibs;
  char acBuf[512];
  for (size_t uRead; (uRead = std::fread(acBuf, 1, sizeof(acBuf), pPipe)) > 0;) {
    sLibs.append(acBuf, uRead);
  }
  ASSERT_EQ(pclose(pPipe), 0) << sLibs;
  EXPECT_NE(sLibs.find("libc."), std::string::npos) << sLibs;
  EXPECT_EQ(sLibs.find("Qt"), std::string::npos) << sLibs;
}

}  // namespace
