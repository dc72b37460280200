// SPDX-License-Identifier: MIT
// Parsola window: the results panel lstOutput.
#include "results_panel.h"

#include <QFontMetrics>
#include <QTimer>

#include "results_delegate.h"
#include "results_model.h"
#include "results_sink.h"

const char TResultsPanel::FULL_MESSAGE[] = "This display is full - Clear items before continuing.";

static_assert(TResultsPanel::CAPACITY == TResultsModel::CAPACITY, "one capacity for the panel");

TResultsPanel::TResultsPanel(QWidget* pParent)
    : QListView(pParent),
      pModel(new TResultsModel(this)),
      pDelegate(new TResultsDelegate([this] { return iMaxExtent; }, this)) {
  setModel(pModel);
  setItemDelegate(pDelegate);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setTextElideMode(Qt::ElideNone);
  setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  setSpacing(0);
}

int TResultsPanel::ExtentForWidth(int iWidth) {
  // iWidth * 1.2 + 2 in whole numbers, so that no rounding of 1.2 can cost a pixel.
  return iWidth * 6 / 5 + 2;
}

void TResultsPanel::StoreLine(uint8_t ucLevel, const std::string& sText) {
  const int iLine = LineCount();
  if (iLine >= CAPACITY) return;
  const bool bFull = iLine == CAPACITY - 1;
  const std::string& sShown = bFull ? std::string(FULL_MESSAGE) : sText;
  pModel->Append(bFull ? parsola::LEVEL_REPORT : ucLevel, sShown);
  // Selecting a line lays out every row, so a report of many lines selects its newest one
  // once, as soon as control is back in the event loop.
  if (!bSelectPending) {
    bSelectPending = true;
    QTimer::singleShot(0, this, &TResultsPanel::SelectNewest);
  }

  // Measured with the window's regular font, whatever the line's level.
  const QFontMetrics metrics(window()->font());
  const int iExtent = ExtentForWidth(metrics.horizontalAdvance(QString::fromStdString(sShown)));
  if (iExtent > iMaxExtent) SetHorizontalExtent(iExtent);
}

void TResultsPanel::SelectNewest() {
  bSelectPending = false;
  if (LineCount() > 0) setCurrentIndex(pModel->index(LineCount() - 1));
}

void TResultsPanel::Clear() {
  pModel->Clear();
  ResetExtent();
}

void TResultsPanel::ResetExtent() { SetHorizontalExtent(0); }

int TResultsPanel::LineCount() const { return pModel->rowCount(); }

const std::vector<std::string>& TResultsPanel::Lines() const { return pModel->Lines(); }

uint8_t TResultsPanel::Level(int iLine) const { return pModel->Level(iLine); }

void TResultsPanel::SetHorizontalExtent(int iExtent) {
  iMaxExtent = iExtent;
  // The rows are as wide as the extent; a new width means a new layout of the rows.
  Q_EMIT pDelegate->sizeHintChanged(QModelIndex());
  scheduleDelayedItemsLayout();
}
