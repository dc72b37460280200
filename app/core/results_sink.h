// SPDX-License-Identifier: MIT
// Parsola report core: where report and trace lines go (the window's panel, stdout, a test).
#ifndef PARSOLA_RESULTS_SINK_H
#define PARSOLA_RESULTS_SINK_H

#include <cstdint>
#include <string>

namespace parsola {

/// Line levels: 1 closes a report, 2 is a report line, 3 announces a traced call,
/// 4 reports a traced call's outcome. Nothing above 4 is ever stored.
constexpr uint8_t LEVEL_CLOSING = 1;
constexpr uint8_t LEVEL_REPORT = 2;
constexpr uint8_t LEVEL_TRACE_CALL = 3;
constexpr uint8_t LEVEL_TRACE_RESULT = 4;

/// Receives the lines of a parse report. The level rules are common to every host;
/// a host only says where a kept line is stored (StoreLine) and what the input history is.
class ResultsSink {
 public:
  virtual ~ResultsSink() = default;

  /// Keeps the line unless its level is above 4, or it is a trace line (3, 4) while
  /// tracing is off; kept lines go to StoreLine.
  void AddOutputLine(uint8_t ucLevel, const std::string& sText);

  /// The parser's trace sink: drops the line while a traced call is nested inside another,
  /// else indents it by two blanks per level and passes it to AddOutputLine.
  void AddTraceLine(uint8_t ucLevel, const std::string& sText);

  /// "Display Access Function Calls": whether trace lines are kept.
  bool Tracing() const { return bTracing; }
  void SetTracing(bool bOn) { bTracing = bOn; }

  /// The report appends its input line to the history (the window's History box).
  virtual void AddHistoryLine(const std::string& /*sLine*/) {}

 protected:
  /// Stores one kept line.
  virtual void StoreLine(uint8_t ucLevel, const std::string& sText) = 0;

 private:
  bool bTracing = false;
};

}  // namespace parsola

#endif  // PARSOLA_RESULTS_SINK_H
