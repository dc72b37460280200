// SPDX-License-Identifier: MIT
// Parsola: the demo window of the Orvane-SCPI parser.
//
//   parsola                          the window
//   parsola --screenshot FILE.png    parses a sample with the trace ticked, saves a picture of
//          [--sample N]              the window to FILE.png and ends (N: the sample's index)
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <exception>

#include "frm_main.h"
#include "parsola_application.h"

namespace {

const int SCREENSHOT_SAMPLE = 47;  // "calc:func aver": a whole traced report fits the panel

/// Shows the window, parses the sample and writes the picture; returns the exit code.
int TakeScreenshot(TfrmMain& frmMain, int iSample, const QString& sFile) {
  frmMain.ParseSampleWithTrace(iSample);
  QCoreApplication::processEvents();
  if (!frmMain.grab().save(sFile, "PNG")) {
    std::fprintf(stderr, "parsola: cannot write %s\n", qPrintable(sFile));
    return 1;
  }
  return 0;
}

int Run(TParsolaApplication& app) {
  QCommandLineParser options;
  options.setApplicationDescription(QString::fromLatin1(TParsolaApplication::TITLE));
  options.addHelpOption();
  options.addVersionOption();
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Parse a sample with the trace ticked, save the window as a PNG and end."),
      QStringLiteral("file"));
  const QCommandLineOption sample(QStringLiteral("sample"),
                                  QStringLiteral("The sample for --screenshot (0 to 82)."),
                                  QStringLiteral("index"), QString::number(SCREENSHOT_SAMPLE));
  options.addOption(screenshot);
  options.addOption(sample);
  options.process(app);

  bool bSampleOk = false;
  const int iSample = options.value(sample).toInt(&bSampleOk);
  if (!bSampleOk || iSample < 0 || iSample >= TfrmMain::SAMPLE_COUNT) {
    std::fprintf(stderr, "parsola: --sample takes 0 to %d\n", TfrmMain::SAMPLE_COUNT - 1);
    return 2;
  }

  TfrmMain frmMain;
  frmMain.show();
  if (options.isSet(screenshot)) {
    int iResult = 0;
    QTimer::singleShot(0, &frmMain, [&] {
      iResult = TakeScreenshot(frmMain, iSample, options.value(screenshot));
      QCoreApplication::exit(iResult);
    });
    app.exec();
    return iResult;
  }
  return app.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  TParsolaApplication app(argc, argv);
  try {
    return Run(app);
  } catch (const std::exception& e) {
    TParsolaApplication::ShowException(QString::fromUtf8(e.what()));
  } catch (...) {
    TParsolaApplication::ShowException(QStringLiteral("Unknown exception"));
  }
  return 1;
}
