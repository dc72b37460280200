// SPDX-License-Identifier: MIT
// Parsola window: the dialogs and desktop calls, behind one replaceable object.
#ifndef PARSOLA_UI_SEAM_H
#define PARSOLA_UI_SEAM_H

#include <QMessageBox>
#include <QString>
#include <QUrl>

class QWidget;

/// Everything the window asks of the user or the desktop goes through the current seam:
/// the save dialog, message boxes and the shell's "open". Tests install a recording one.
class TUiSeam {
 public:
  virtual ~TUiSeam() = default;

  /// Shows the save dialog dlgSave; returns the chosen file name, or an empty text on cancel.
  virtual QString AskSaveFileName(QWidget* pParent);

  /// A message box with one OK button.
  virtual void ShowMessage(QWidget* pParent, QMessageBox::Icon eIcon, const QString& sTitle,
                           const QString& sText);

  /// The desktop's "open" of a document or web address; its answer is not looked at.
  virtual void OpenUrl(const QUrl& url);

  /// The seam in use; the real one unless a test installed another.
  static TUiSeam& Current();
  /// Makes pSeam the current seam (not owned); nullptr brings back the real one.
  static void Install(TUiSeam* pSeam);

  /// Why a chosen save name cannot be taken (its folder is missing, or the file is read-only),
  /// or an empty text when it can.
  static QString SaveNameProblem(const QString& sPath);
};

#endif  // PARSOLA_UI_SEAM_H
