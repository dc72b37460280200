// SPDX-License-Identifier: MIT
// Parsola report core: the results log file, a plain 8-bit text file with CR LF line ends.
#include "log_writer.h"

#include "versions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace parsola {

namespace {

constexpr char CRLF[] = "\r\n";
constexpr size_t TITLE_RULE = 50;
constexpr char PART_SUFFIX[] = ".part-XXXXXX";
constexpr mode_t NEW_FILE_MODE = 0666;  // less the umask, as a file made with fopen
constexpr mode_t MODE_BITS = 07777;

bool WriteLogHeader(std::FILE* pFile) {
  // Some header texts carry CR LF pairs of their own, which make the header's empty lines.
  const std::string asHeader[] = {
      "Orvane-SCPI Parser Demo Application - Parsing Results",
      std::string(TITLE_RULE, '=') + CRLF,
      "Version Info",
      "------------",
      std::string("Demo Application: ") + sVerApp,
      std::string("Orvane-SCPI Parser:  ") + sVerParser + CRLF + CRLF,
      "Parsing Results Log",
      std::string("-------------------") + CRLF,
  };
  for (const std::string& sText : asHeader) {
    if (!WriteLogLine(pFile, sText)) return false;
  }
  return true;
}

bool WriteLogEnd(std::FILE* pFile) {
  return WriteLogLine(pFile, std::string(CRLF) + CRLF + "END OF PARSING RESULTS LOG");
}

mode_t NewFileMode() {
  const mode_t uMask = umask(0);
  umask(uMask);
  return NEW_FILE_MODE & ~uMask;
}

}  // namespace

bool WriteLogLine(std::FILE* pFile, const std::string& sText) {
  const std::string sLine = sText + CRLF;
  return std::fwrite(sLine.data(), 1, sLine.size(), pFile) == sLine.size();
}

bool WriteResultsLog(std::FILE* pFile, const std::vector<std::string>& vLines) {
  if (!WriteLogHeader(pFile)) return false;
  for (const std::string& sText : vLines) {
    if (!WriteLogLine(pFile, sText)) return false;
  }
  return WriteLogEnd(pFile);
}

SaveResult SaveResultsLog(const std::string& sPath, const std::vector<std::string>& vLines) {
  std::FILE* pFile = std::fopen(sPath.c_str(), "wb");
  if (pFile == nullptr) return SaveResult::CannotCreate;
  const bool bWritten = WriteResultsLog(pFile, vLines);
  // Buffered bytes only meet a full disk when they are flushed, so closing can fail too.
  const bool bClosed = std::fclose(pFile) == 0;
  return bWritten && bClosed ? SaveResult::Saved : SaveResult::WriteFailed;
}

LogStream::~LogStream() { Abandon(); }

SaveResult LogStream::Open(const std::string& sPath) {
  Abandon();
  bFailed_ = false;
  sTargetPath_ = sPath;
  mode_t uMode = 0;
  bool bExists = false;
  struct stat sStat = {};
  if (stat(sPath.c_str(), &sStat) == 0) {
    bExists = true;
    if (S_ISDIR(sStat.st_mode)) return SaveResult::CannotCreate;
    if (!S_ISREG(sStat.st_mode)) return OpenInPlace();
    if (access(sPath.c_str(), W_OK) != 0) return SaveResult::CannotCreate;  // read-only stays
    // A link is followed: the file it names is replaced, the link itself stays.
    char* pReal = realpath(sPath.c_str(), nullptr);
    if (pReal == nullptr) return SaveResult::CannotCreate;
    sTargetPath_ = pReal;
    std::free(pReal);
    uMode = sStat.st_mode & MODE_BITS;
  } else if (lstat(sPath.c_str(), &sStat) == 0) {
    return OpenInPlace();  // a link to a file not yet there: made where the link points
  } else {
    uMode = NewFileMode();
  }

  std::string sPart = sTargetPath_ + PART_SUFFIX;
  const int iFd = mkstemp(&sPart[0]);
  if (iFd < 0) {
    // No room beside an existing file (its folder is read-only): it can only be written in place.
    return bExists ? OpenInPlace() : SaveResult::CannotCreate;
  }
  if (fchmod(iFd, uMode) != 0 || (pFile_ = fdopen(iFd, "wb")) == nullptr) {
    close(iFd);
    unlink(sPart.c_str());
    return SaveResult::CannotCreate;
  }
  sPartPath_ = sPart;
  bFailed_ = !WriteLogHeader(pFile_);
  return SaveResult::Saved;
}

SaveResult LogStream::OpenInPlace() {
  pFile_ = std::fopen(sTargetPath_.c_str(), "wb");
  if (pFile_ == nullptr) return SaveResult::CannotCreate;
  bFailed_ = !WriteLogHeader(pFile_);
  return SaveResult::Saved;
}

void LogStream::WriteLine(const std::string& sText) {
  if (pFile_ != nullptr && !bFailed_) bFailed_ = !WriteLogLine(pFile_, sText);
}

void LogStream::Flush() {
  if (pFile_ != nullptr && !bFailed_) bFailed_ = std::fflush(pFile_) != 0;
}

SaveResult LogStream::Finish() {
  if (pFile_ == nullptr) return SaveResult::CannotCreate;
  if (!bFailed_) bFailed_ = !WriteLogEnd(pFile_) || std::fflush(pFile_) != 0;
  // The bytes reach the disk before the name does, so a crash cannot leave an empty log.
  if (!bFailed_ && !sPartPath_.empty()) bFailed_ = fsync(fileno(pFile_)) != 0;
  const bool bClosed = std::fclose(pFile_) == 0;
  pFile_ = nullptr;
  if (!bFailed_ && bClosed &&
      (sPartPath_.empty() || std::rename(sPartPath_.c_str(), sTargetPath_.c_str()) == 0)) {
    sPartPath_.clear();
    return SaveResult::Saved;
  }
  Abandon();
  return SaveResult::WriteFailed;
}

void LogStream::Abandon() {
  if (pFile_ != nullptr) std::fclose(pFile_);
  pFile_ = nullptr;
  if (!sPartPath_.empty()) unlink(sPartPath_.c_str());
  sPartPath_.clear();
}

}  // namespace parsola
