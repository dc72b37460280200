// SPDX-License-Identifier: MIT
// Parsola window: the main window frmMain.
#ifndef PARSOLA_FRM_MAIN_H
#define PARSOLA_FRM_MAIN_H

#include <QSize>
#include <QWidget>

#include <string>

#include "results_sink.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TResultsPanel;

/// The demo's one window: the input line and its history, the samples, the results panel
/// with its Clear and Save buttons, the versions and the links to the manual and the web.
/// It is the report's sink: kept lines go to the panel, the input line to the History box.
class TfrmMain : public QWidget, public parsola::ResultsSink {
  Q_OBJECT

 public:
  /// The window's caption.
  static const char CAPTION[];
  /// The outer size at start and the smallest the user may make it.
  static constexpr QSize START_SIZE{800, 502};
  static constexpr QSize MIN_SIZE{730, 475};
  /// The number of cboSamples items.
  static constexpr int SAMPLE_COUNT = 83;

  explicit TfrmMain(QWidget* pParent = nullptr);

  /// Lays the controls out for an outer window size of iW x iH.
  void FormResize(int iW, int iH);

  /// Parses sample iSample of cboSamples with the trace ticked, as the user would.
  void ParseSampleWithTrace(int iSample);

  void AddHistoryLine(const std::string& sLine) override;

 protected:
  void StoreLine(uint8_t ucLevel, const std::string& sText) override;

  bool event(QEvent* pEvent) override;
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

 private:
  void BuildControls();
  void FormCreate();
  void FitFrame();
  QSize OuterSize() const;
  void Parse(const QString& sText);
  /// Whether the event is Enter arriving at the open drop-down list of cboInput or cboSamples.
  bool IsOpenListEnter(QObject* pWatched, QEvent* pEvent) const;

  void cmdEnterClick();
  void cmdSample1Click();
  void cmdSample2Click();
  void cmdSample3Click();
  void cmdSample4Click();
  void cmdCboSamplesClick();
  void cmdClearOutputClick();
  void cmdSaveResultsClick();
  void cmdManualClick();
  void lblWebsite2Click();
  void cmdExitClick();
  void chkAccFuncsClick(bool bChecked);
  void DefaultButtonKey();

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* Button1 = nullptr;
  QLabel* Label4 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* lbl1 = nullptr;
  QLabel* lbl2 = nullptr;
  QLabel* lblVerParser = nullptr;
  QLabel* lblVerApp = nullptr;
  QGroupBox* grpInput = nullptr;
  QLabel* Label5 = nullptr;
  QPlainTextEdit* memInput = nullptr;
  QWidget* pnlCommands = nullptr;
  QLabel* Label7 = nullptr;
  QComboBox* cboInput = nullptr;
  QPushButton* cmdEnter = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* txtSample1 = nullptr;
  QPushButton* cmdSample1 = nullptr;
  QLineEdit* txtSample2 = nullptr;
  QPushButton* cmdSample2 = nullptr;
  QLineEdit* txtSample3 = nullptr;
  QPushButton* cmdSample3 = nullptr;
  QLineEdit* txtSample4 = nullptr;
  QPushButton* cmdSample4 = nullptr;
  QComboBox* cboSamples = nullptr;
  QPushButton* cmdCboSamples = nullptr;
  QGroupBox* grpResults = nullptr;
  QCheckBox* chkAccFuncs = nullptr;
  QLabel* Label8 = nullptr;
  TResultsPanel* lstOutput = nullptr;
  QPushButton* cmdSaveResults = nullptr;
  QPushButton* cmdClearOutput = nullptr;
  QLabel* lblWebsite1 = nullptr;
  QLabel* lblWebsite2 = nullptr;
  QPushButton* cmdExit = nullptr;

  int iHistoryLines = 0;  // lines in memInput
  QSize frameExtra{0, 0};  // outer minus inner size that the sizes were last fitted to
};

#endif  // PARSOLA_FRM_MAIN_H
