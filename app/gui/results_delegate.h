// SPDX-License-Identifier: MIT
// Parsola window: paints one line of the results panel.
#ifndef PARSOLA_RESULTS_DELEGATE_H
#define PARSOLA_RESULTS_DELEGATE_H

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>

/// Paints a panel line by its level: report lines bold on pale yellow, trace lines on pale
/// blue, the rest on white; black text from the row's top-left corner, no indent of its own.
/// Selection and focus do not change the look. Every row is ROW_HEIGHT high and as wide as
/// the panel's horizontal extent.
class TResultsDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  static constexpr int ROW_HEIGHT = 16;

  /// fnExtent gives the panel's current horizontal extent.
  TResultsDelegate(std::function<int()> fnExtent, QObject* pParent = nullptr);

  /// The background of a line at level ucLevel.
  static QColor Background(int iLevel);

  void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::function<int()> fnExtent;
};

#endif  // PARSOLA_RESULTS_DELEGATE_H
