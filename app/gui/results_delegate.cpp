// SPDX-License-Identifier: MIT
// Parsola window: paints one line of the results panel.
#include "results_delegate.h"

#include <QPainter>

#include <utility>

#include "results_model.h"
#include "results_sink.h"

TResultsDelegate::TResultsDelegate(std::function<int()> fnExtent, QObject* pParent)
    : QStyledItemDelegate(pParent), fnExtent(std::move(fnExtent)) {}

QColor TResultsDelegate::Background(int iLevel) {
  switch (iLevel) {
    case parsola::LEVEL_REPORT:
      return QColor(253, 254, 184);
    case parsola::LEVEL_TRACE_CALL:
    case parsola::LEVEL_TRACE_RESULT:
      return QColor(193, 235, 255);
    default:
      return QColor(255, 255, 255);
  }
}

void TResultsDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const int iLevel = index.data(TResultsModel::LEVEL_ROLE).toInt();
  QFont font = option.font;
  if (iLevel == parsola::LEVEL_REPORT) font.setBold(true);

  pPainter->save();
  pPainter->fillRect(option.rect, Background(iLevel));
  pPainter->setClipRect(option.rect);
  pPainter->setFont(font);
  pPainter->setPen(Qt::black);
  pPainter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     index.data(Qt::DisplayRole).toString());
  pPainter->restore();
}

QSize TResultsDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(fnExtent(), ROW_HEIGHT);
}
