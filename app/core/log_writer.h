// SPDX-License-Identifier: MIT
// Parsola report core: the results log file, a plain 8-bit text file with CR LF line ends.
#ifndef PARSOLA_LOG_WRITER_H
#define PARSOLA_LOG_WRITER_H

#include <cstdio>
#include <string>
#include <vector>

namespace parsola {

/// Writes the text and CR LF. False unless every byte was written.
bool WriteLogLine(std::FILE* pFile, const std::string& sText);

/// Writes the whole log: the header with the version texts, every line as it stands (trace
/// lines keep their indentation, levels are not written) and the end marker.
/// Stops at the first write that fails and returns false.
bool WriteResultsLog(std::FILE* pFile, const std::vector<std::string>& vLines);

enum class SaveResult {
  Saved,         ///< every byte reached the file
  CannotCreate,  ///< the file could not be created or emptied; nothing was changed
  WriteFailed    ///< a write or the final flush failed; the file keeps what was written
};

/// Creates (or empties) the file, writes the log and closes it.
SaveResult SaveResultsLog(const std::string& sPath, const std::vector<std::string>& vLines);

/// Writes a log while its lines arrive, holding none of them. A regular file, or a new one, is
/// written beside its place under the name FILE.part-XXXXXX and renamed over FILE only once it
/// is complete, so a run that fails leaves an existing FILE as it was (and one that is killed
/// leaves its part file beside it). Any other file (a device, a pipe), and a file in a folder
/// that takes no new file, is written in place.
class LogStream {
 public:
  LogStream() = default;
  /// A log that was not finished is abandoned: its part file is removed.
  ~LogStream();
  LogStream(const LogStream&) = delete;
  LogStream& operator=(const LogStream&) = delete;

  /// Creates the file to write and writes the header. CannotCreate: nothing was changed.
  SaveResult Open(const std::string& sPath);
  /// Writes one line; after a failed write nothing more is written.
  void WriteLine(const std::string& sText);
  /// Hands the lines written so far to the file.
  void Flush();
  /// Writes the end marker, closes the file and puts it in its place. WriteFailed: a regular
  /// FILE was left as it was, any other keeps what was written.
  SaveResult Finish();

 private:
  SaveResult OpenInPlace();
  void Abandon();

  std::FILE* pFile_ = nullptr;
  std::string sTargetPath_;  // the file the log ends up in (a link followed)
  std::string sPartPath_;    // where it is written meanwhile; empty when written in place
  bool bFailed_ = false;
};

}  // namespace parsola

#endif  // PARSOLA_LOG_WRITER_H
