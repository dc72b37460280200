// SPDX-License-Identifier: MIT
// Parsola window: the results panel lstOutput.
#ifndef PARSOLA_RESULTS_PANEL_H
#define PARSOLA_RESULTS_PANEL_H

#include <QListView>

#include <cstdint>
#include <string>
#include <vector>

class TResultsDelegate;
class TResultsModel;

/// The owner-drawn list of report and trace lines. It holds at most CAPACITY lines, the last
/// of which is then the display-full message; the newest line is selected (when the event
/// loop next runs); the horizontal extent grows to fit the widest line since the last clear.
class TResultsPanel : public QListView {
  Q_OBJECT

 public:
  static constexpr int CAPACITY = 32768;
  static const char FULL_MESSAGE[];

  explicit TResultsPanel(QWidget* pParent = nullptr);

  /// The horizontal extent for a text iWidth pixels wide: 1.2 times it plus 2, truncated.
  static int ExtentForWidth(int iWidth);

  /// Appends a line that passed the level rules, or the display-full message in the last
  /// place, or nothing once the panel is full.
  void StoreLine(uint8_t ucLevel, const std::string& sText);
  /// Removes every line and the horizontal extent.
  void Clear();
  /// Sets the horizontal extent (and the widest one seen) back to 0.
  void ResetExtent();

  int LineCount() const;
  const std::vector<std::string>& Lines() const;
  uint8_t Level(int iLine) const;
  /// iMaxExtent: the widest horizontal extent set since the last clear.
  int MaxExtent() const { return iMaxExtent; }

 private:
  void SetHorizontalExtent(int iExtent);
  void SelectNewest();

  TResultsModel* pModel;
  TResultsDelegate* pDelegate;
  int iMaxExtent = 0;
  bool bSelectPending = false;
};

#endif  // PARSOLA_RESULTS_PANEL_H
