// SPDX-License-Identifier: MIT
// The results log file: header, lines, end marker, CR LF, and failures never reported as saved.
#include "log_writer.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using parsola::LogStream;
using parsola::SaveResult;
using parsola::SaveResultsLog;
using parsola::WriteLogLine;
using parsola::WriteResultsLog;

const std::string HEADER =
    "Orvane-SCPI Parser Demo Application - Parsing Results\r\n"
    "==================================================\r\n"
    "\r\n"
    "Version Info\r\n"
    "------------\r\n"
    "Demo Application: V1.3.1\r\n"
    "Orvane-SCPI Parser:  V1.3.1\r\n"
    "\r\n"
    "\r\n"
    "Parsing Results Log\r\n"
    "-------------------\r\n"
    "\r\n";
const std::string END_MARKER = "\r\n\r\nEND OF PARSING RESULTS LOG\r\n";

std::string ReadFile(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file name in the test's own temporary directory, removed again at the end of the test.
class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char acTemplate[] = "/tmp/parsola_log_XXXXXX";
    ASSERT_NE(mkdtemp(acTemplate), nullptr);
    sDir_ = acTemplate;
    sPath_ = sDir_ + "/results.txt";
  }
  void TearDown() override {
    std::remove(sPath_.c_str());
    rmdir(sDir_.c_str());
  }
  std::string sDir_;
  std::string sPath_;
};

void WriteFile(const std::string& sPath, const std::string& sBytes) {
  std::ofstream(sPath, std::ios::binary | std::ios::trunc) << sBytes;
}

// The names in the folder, without "." and "..".
std::vector<std::string> Names(const std::string& sDir) {
  std::vector<std::string> v;
  DIR* pDir = opendir(sDir.c_str());
  if (pDir == nullptr) return v;
  while (const dirent* pEntry = readdir(pDir)) {
    const std::string sName = pEntry->d_name;
    if (sName != "." && sName != "..") v.push_back(sName);
  }
  closedir(pDir);
  return v;
}

std::string Written(const std::vector<std::string>& vLines) {
  std::FILE* pFile = std::tmpfile();
  EXPECT_NE(pFile, nullptr);
  EXPECT_TRUE(WriteResultsLog(pFile, vLines));
  std::string sBytes;
  std::rewind(pFile);
  for (int iChar; (iChar = std::fgetc(pFile)) != EOF;) sBytes += static_cast<char>(iChar);
  std::fclose(pFile);
  return sBytes;
}

size_t CountLines(const std::string& sBytes) {
  size_t uLines = 0;
  for (size_t uPos = 0; (uPos = sBytes.find("\r\n", uPos)) != std::string::npos; uPos += 2) {
    ++uLines;
  }
  return uLines;
}

TEST(LogWriter, WriteLogLineEndsTheTextWithCrLf) {
  const struct {
    std::string sText;
    std::string sBytes;
  } rows[] = {
      {"", "\r\n"},
      {"abc", "abc\r\n"},
      {"        Return Code:     0 /*OK*/", "        Return Code:     0 /*OK*/\r\n"},
      {std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
      {"\xE9\t\"", "\xE9\t\"\r\n"},
  };
  for (const auto& row : rows) {
    std::FILE* pFile = std::tmpfile();
    ASSERT_NE(pFile, nullptr);
    EXPECT_TRUE(WriteLogLine(pFile, row.sText));
    std::string sBytes(64, '\0');
    std::rewind(pFile);
    sBytes.resize(std::fread(&sBytes[0], 1, sBytes.size(), pFile));
    std::fclose(pFile);
    EXPECT_EQ(sBytes, row.sBytes);
  }
}

TEST(LogWriter, AnEmptyPanelGivesFifteenLines) {
  const std::string sBytes = Written({});
  EXPECT_EQ(sBytes, HEADER + END_MARKER);
  EXPECT_EQ(CountLines(sBytes), 15u);
}

TEST(LogWriter, PanelLinesStandBetweenHeaderAndEndMarkerAsTheyAre) {
  const std::vector<std::string> vLines = {
      "Parsing Input String: \"*rst\"",
      "",
      "Input Command 1:",
      "      SCPI_Parse( [in/out]*pSInput=\"*rst\", bResetTree=1, [out]*pCmdSpecNum, "
      "[out]sParam[], [out]*pNumSufCnt, [out]uiNumSuf[])",
      "        Return Code:     0 /*OK*/",
      "        Return Code:\t\t\t 40\t /*Error: Wrong type of parameter*/",
      "Recognized as Command #7  (\"*RST\")",
      "",
  };
  std::string sExpected = HEADER;
  for (const std::string& sLine : vLines) sExpected += sLine + "\r\n";
  sExpected += END_MARKER;
  const std::string sBytes = Written(vLines);
  EXPECT_EQ(sBytes, sExpected);
  EXPECT_EQ(CountLines(sBytes), 15u + vLines.size());
}

TEST(LogWriter, AShortWriteIsAFailure) {
  std::FILE* pFile = std::fopen("/dev/full", "wb");
  if (pFile == nullptr) GTEST_SKIP() << "/dev/full is not available";
  std::setvbuf(pFile, nullptr, _IONBF, 0);  // every write meets the full device at once
  EXPECT_FALSE(WriteLogLine(pFile, "abc"));
  EXPECT_FALSE(WriteResultsLog(pFile, {"abc"}));
  std::fclose(pFile);

  std::FILE* pReadOnly = std::fopen("/dev/null", "rb");
  ASSERT_NE(pReadOnly, nullptr);
  EXPECT_FALSE(WriteLogLine(pReadOnly, "abc"));
  EXPECT_FALSE(WriteResultsLog(pReadOnly, {}));
  std::fclose(pReadOnly);
}

TEST_F(LogFileTest, SaveCreatesTheFileWithTheLogsBytes) {
  EXPECT_EQ(SaveResultsLog(sPath_, {"one", "      two"}), SaveResult::Saved);
  EXPECT_EQ(ReadFile(sPath_), HEADER + "one\r\n      two\r\n" + END_MARKER);
}

TEST_F(LogFileTest, SaveEmptiesAnExistingFile) {
  std::vector<std::string> vLong(100, std::string(80, 'x'));
  ASSERT_EQ(SaveResultsLog(sPath_, vLong), SaveResult::Saved);
  EXPECT_EQ(SaveResultsLog(sPath_, {}), SaveResult::Saved);
  EXPECT_EQ(ReadFile(sPath_), HEADER + END_MARKER);
}

TEST_F(LogFileTest, SaveReportsAFileThatCannotBeCreated) {
  const std::string asPaths[] = {sDir_ + "/missing/results.txt", sDir_, ""};
  for (const std::string& sPath : asPaths) {
    EXPECT_EQ(SaveResultsLog(sPath, {"x"}), SaveResult::CannotCreate) << sPath;
  }
}

TEST(LogWriter, AFullDiskIsNeverReportedAsSaved) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not available";
  // Small logs only meet the full device when the buffer is flushed on closing.
  EXPECT_EQ(SaveResultsLog("/dev/full", {}), SaveResult::WriteFailed);
  EXPECT_EQ(SaveResultsLog("/dev/full", std::vector<std::string>(32768, "line")),
            SaveResult::WriteFailed);
}

// --- the log written as it goes ------------------------------------------------------------

TEST_F(LogFileTest, AStreamReplacesTheFileOnlyWithTheCompleteLog) {
  WriteFile(sPath_, "old");
  ASSERT_EQ(chmod(sPath_.c_str(), 0640), 0);
  LogStream log;
  ASSERT_EQ(log.Open(sPath_), SaveResult::Saved);
  log.WriteLine("one");
  log.Flush();
  EXPECT_EQ(ReadFile(sPath_), "old");
  const std::vector<std::string> vNames = Names(sDir_);
  ASSERT_EQ(vNames.size(), 2u);
  const std::string sPart = vNames[0] == "results.txt" ? vNames[1] : vNames[0];
  EXPECT_EQ(sPart.rfind("results.txt.part-", 0), 0u) << sPart;
  EXPECT_EQ(ReadFile(sDir_ + "/" + sPart), HEADER + "one\r\n");

  log.WriteLine("      two");
  EXPECT_EQ(log.Finish(), SaveResult::Saved);
  EXPECT_EQ(ReadFile(sPath_), HEADER + "one\r\n      two\r\n" + END_MARKER);
  EXPECT_EQ(Names(sDir_), std::vector<std::string>{"results.txt"});
  struct stat sStat = {};
  ASSERT_EQ(stat(sPath_.c_str(), &sStat), 0);
  EXPECT_EQ(sStat.st_mode & 07777, 0640u);
}

TEST_F(LogFileTest, AStreamThatFailsOrIsAbandonedLeavesTheFileAsItWas) {
  WriteFile(sPath_, "old");
  {
    LogStream log;
    ASSERT_EQ(log.Open(sPath_), SaveResult::Saved);
    log.WriteLine("abandoned");
  }
  EXPECT_EQ(ReadFile(sPath_), "old");
  EXPECT_EQ(Names(sDir_), std::vector<std::string>{"results.txt"});

  // A file size limit stands in for a full disk.
  rlimit sOld = {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &sOld), 0);
  rlimit sSmall = sOld;
  sSmall.rlim_cur = 4096;
  const auto pfnOldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &sSmall), 0);
  LogStream log;
  const SaveResult eOpened = log.Open(sPath_);
  for (int i = 0; i < 100; ++i) log.WriteLine(std::string(80, 'x'));
  const SaveResult eFinished = log.Finish();
  setrlimit(RLIMIT_FSIZE, &sOld);
  std::signal(SIGXFSZ, pfnOldHandler);
  EXPECT_EQ(eOpened, SaveResult::Saved);
  EXPECT_EQ(eFinished, SaveResult::WriteFailed);
  EXPECT_EQ(ReadFile(sPath_), "old");
  EXPECT_EQ(Names(sDir_), std::vector<std::string>{"results.txt"});
}

TEST_F(LogFileTest, AStreamGoesWhereThePathLeads) {
  const std::string sLink = sDir_ + "/link.txt";
  const std::string sReadOnly = sDir_ + "/read-only.txt";
  WriteFile(sPath_, "old");
  ASSERT_EQ(symlink("results.txt", sLink.c_str()), 0);
  WriteFile(sReadOnly, "kept");
  ASSERT_EQ(chmod(sReadOnly.c_str(), 0444), 0);
  const bool bRoot = geteuid() == 0;  // may write a read-only file
  const struct {
    std::string sPath;
    SaveResult eOpen;
  } rows[] = {
      {sLink, SaveResult::Saved},  // the file it names is replaced
      {"/dev/null", SaveResult::Saved},  // written in place
      {sDir_, SaveResult::CannotCreate},
      {sDir_ + "/missing/results.txt", SaveResult::CannotCreate},
      {sReadOnly, bRoot ? SaveResult::Saved : SaveResult::CannotCreate},
  };
  for (const auto& row : rows) {
    LogStream log;
    EXPECT_EQ(log.Open(row.sPath), row.eOpen) << row.sPath;
    if (row.eOpen == SaveResult::Saved) {
      EXPECT_EQ(log.Finish(), SaveResult::Saved) << row.sPath;
    }
  }
  struct stat sStat = {};
  ASSERT_EQ(lstat(sLink.c_str(), &sStat), 0);
  EXPECT_TRUE(S_ISLNK(sStat.st_mode));
  EXPECT_EQ(ReadFile(sPath_), HEADER + END_MARKER);
  if (!bRoot) {
    EXPECT_EQ(ReadFile(sReadOnly), "kept");
  }
  std::remove(sLink.c_str());
  std::remove(sReadOnly.c_str());
}

}  // namespace
