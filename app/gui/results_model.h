// SPDX-License-Identifier: MIT
// Parsola window: the lines of the results panel and their levels.
#ifndef PARSOLA_RESULTS_MODEL_H
#define PARSOLA_RESULTS_MODEL_H

#include <QAbstractListModel>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/// The panel's lines in order of arrival, each with its level (1 to 4). The texts are kept
/// as the UTF-8 bytes the report wrote, so that a saved log holds them unchanged.
class TResultsModel : public QAbstractListModel {
  Q_OBJECT

 public:
  /// The most lines the panel holds.
  static constexpr int CAPACITY = 32768;
  /// The data role that gives a line's level.
  static constexpr int LEVEL_ROLE = Qt::UserRole + 1;

  explicit TResultsModel(QObject* pParent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int iRole) const override;

  /// Appends a line; the caller keeps the count below CAPACITY.
  void Append(uint8_t ucLevel, const std::string& sText);
  /// Removes every line. The levels are left: each is written before its line is shown.
  void Clear();

  const std::vector<std::string>& Lines() const { return vLines; }
  uint8_t Level(int iLine) const { return ucOutputLevel[static_cast<size_t>(iLine)]; }

 private:
  std::vector<std::string> vLines;
  std::array<uint8_t, CAPACITY> ucOutputLevel{};
};

#endif  // PARSOLA_RESULTS_MODEL_H
