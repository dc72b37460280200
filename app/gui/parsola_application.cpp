// SPDX-License-Identifier: MIT
// Parsola window: the application object.
#include "parsola_application.h"

#include <QIcon>
#include <QStyleFactory>

#include <exception>

#include "ui_seam.h"
#include "versions.h"

const char TParsolaApplication::TITLE[] = "Orvane-SCPI Parser Demo Application";

TParsolaApplication::TParsolaApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The name, not the display name: X11 would append a display name to every window caption.
  setApplicationName(QString::fromLatin1(TITLE));
  setApplicationVersion(QString::fromLatin1(parsola::sVerApp));
  // The window's fixed geometry is drawn for the classic Windows look: group box frames that
  // run through the caption, and buttons with thin margins.
  if (QStyle* pStyle = QStyleFactory::create(QStringLiteral("Windows"))) setStyle(pStyle);
  // The installed desktop entry and icon are both named after the program.
  setDesktopFileName(QStringLiteral("parsola"));
  setWindowIcon(QIcon::fromTheme(QStringLiteral("parsola")));
}

bool TParsolaApplication::notify(QObject* pReceiver, QEvent* pEvent) {
  try {
    return QApplication::notify(pReceiver, pEvent);
  } catch (const std::exception& e) {
    ShowException(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowException(QStringLiteral("Unknown exception"));
  }
  return false;
}

void TParsolaApplication::ShowException(const QString& sMessage) {
  TUiSeam::Current().ShowMessage(activeWindow(), QMessageBox::Critical, QString::fromLatin1(TITLE),
                                 sMessage);
}
