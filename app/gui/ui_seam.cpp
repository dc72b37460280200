// SPDX-License-Identifier: MIT
// Parsola window: the real dialogs and desktop calls.
#include "ui_seam.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

TUiSeam* pInstalled = nullptr;

const char SAVE_TITLE[] = "Save Results Panel to a Text File";

}  // namespace

TUiSeam& TUiSeam::Current() {
  static TUiSeam real;
  return pInstalled != nullptr ? *pInstalled : real;
}

void TUiSeam::Install(TUiSeam* pSeam) { pInstalled = pSeam; }

QString TUiSeam::SaveNameProblem(const QString& sPath) {
  const QFileInfo info(sPath);
  if (!info.absoluteDir().exists())
    return QStringLiteral("%1\nPath does not exist.\nCheck the path and try again.")
        .arg(QDir::toNativeSeparators(info.absolutePath()));
  // Read-only by its attributes, even for a user (root) whom the system would let write.
  const bool bReadOnly = !info.isWritable() || !(info.permissions() & QFile::WriteOwner);
  if (info.exists() && bReadOnly)
    return QStringLiteral("%1\nThis file is set to read-only.\nTry again with a different file name.")
        .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
  return {};
}

QString TUiSeam::AskSaveFileName(QWidget* pParent) {
  QFileDialog dlgSave(pParent, QString::fromLatin1(SAVE_TITLE));
  dlgSave.setObjectName(QStringLiteral("dlgSave"));
  dlgSave.setAcceptMode(QFileDialog::AcceptSave);
  dlgSave.setFileMode(QFileDialog::AnyFile);
  dlgSave.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*.*)")});
  dlgSave.setDefaultSuffix(QStringLiteral("txt"));
  dlgSave.setSizeGripEnabled(true);
  // The dialog itself asks before replacing a file; the folder and read-only checks are ours,
  // and send the user back to the dialog as a refused name does.
  for (;;) {
    if (dlgSave.exec() != QDialog::Accepted) return {};
    const QString sFile = dlgSave.selectedFiles().value(0);
    if (sFile.isEmpty()) return {};
    const QString sProblem = SaveNameProblem(sFile);
    if (sProblem.isEmpty()) return sFile;
    QMessageBox::warning(&dlgSave, QString::fromLatin1(SAVE_TITLE), sProblem);
  }
}

void TUiSeam::ShowMessage(QWidget* pParent, QMessageBox::Icon eIcon, const QString& sTitle,
                          const QString& sText) {
  QMessageBox box(eIcon, sTitle, sText, QMessageBox::Ok, pParent);
  box.exec();
}

void TUiSeam::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }
