// SPDX-License-Identifier: MIT
// Parsola window: the application object, which shows exceptions that escape an event handler.
#ifndef PARSOLA_PARSOLA_APPLICATION_H
#define PARSOLA_PARSOLA_APPLICATION_H

#include <QApplication>

/// The application: titled, versioned, and the last catcher of exceptions. An exception that
/// escapes an event handler is shown in a stop box titled with the application title; the
/// handler is abandoned and the event loop goes on with the next event.
class TParsolaApplication : public QApplication {
  Q_OBJECT

 public:
  /// The application title.
  static const char TITLE[];

  TParsolaApplication(int& argc, char** argv);

  bool notify(QObject* pReceiver, QEvent* pEvent) override;

  /// The stop box for an exception with message sMessage.
  static void ShowException(const QString& sMessage);
};

#endif  // PARSOLA_PARSOLA_APPLICATION_H
