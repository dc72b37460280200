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

}  // namespace parsola

#endif  // PARSOLA_LOG_WRITER_H
