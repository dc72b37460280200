// SPDX-License-Identifier: MIT
// Parsola window: the lines of the results panel and their levels.
#include "results_model.h"

TResultsModel::TResultsModel(QObject* pParent) : QAbstractListModel(pParent) {}

int TResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(vLines.size());
}

QVariant TResultsModel::data(const QModelIndex& index, int iRole) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  switch (iRole) {
    case Qt::DisplayRole:
      return QString::fromStdString(vLines[static_cast<size_t>(index.row())]);
    case LEVEL_ROLE:
      return Level(index.row());
    default:
      return {};
  }
}

void TResultsModel::Append(uint8_t ucLevel, const std::string& sText) {
  const int iLine = rowCount();
  beginInsertRows(QModelIndex(), iLine, iLine);
  vLines.push_back(sText);
  ucOutputLevel[static_cast<size_t>(iLine)] = ucLevel;
  endInsertRows();
}

void TResultsModel::Clear() {
  beginResetModel();
  vLines.clear();
  endResetModel();
}
