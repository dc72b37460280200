// SPDX-License-Identifier: MIT
// Parsola report core: the results log file, a plain 8-bit text file with CR LF line ends.
#include "log_writer.h"

#include "versions.h"

namespace parsola {

namespace {

constexpr char CRLF[] = "\r\n";
constexpr size_t TITLE_RULE = 50;

}  // namespace

bool WriteLogLine(std::FILE* pFile, const std::string& sText) {
  const std::string sLine = sText + CRLF;
  return std::fwrite(sLine.data(), 1, sLine.size(), pFile) == sLine.size();
}

bool WriteResultsLog(std::FILE* pFile, const std::vector<std::string>& vLines) {
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
  for (const std::string& sText : vLines) {
    if (!WriteLogLine(pFile, sText)) return false;
  }
  return WriteLogLine(pFile, std::string(CRLF) + CRLF + "END OF PARSING RESULTS LOG");
}

SaveResult SaveResultsLog(const std::string& sPath, const std::vector<std::string>& vLines) {
  std::FILE* pFile = std::fopen(sPath.c_str(), "wb");
  if (pFile == nullptr) return SaveResult::CannotCreate;
  const bool bWritten = WriteResultsLog(pFile, vLines);
  // Buffered bytes only meet a full disk when they are flushed, so closing can fail too.
  const bool bClosed = std::fclose(pFile) == 0;
  return bWritten && bClosed ? SaveResult::Saved : SaveResult::WriteFailed;
}

}  // namespace parsola
