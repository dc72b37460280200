// SPDX-License-Identifier: MIT
// Parsola window: the main window frmMain.
#include "frm_main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextCursor>

#include <orvane-scpi/scpi.h>

#include "log_writer.h"
#include "manual_path.h"
#include "report.h"
#include "results_panel.h"
#include "ui_seam.h"
#include "versions.h"

const char TfrmMain::CAPTION[] = "Orvane-SCPI Parser Demo";

namespace {

const char* const SAMPLES[TfrmMain::SAMPLE_COUNT] = {
    "*cls", "*ese #b10101100", "*ese?", "*esr?", "*idn?", "*opc", "*opc?", "*rst", "*sre #hFE",
    "*sre?", "*stb?", "*tst?", "*wai", "syst:err?", "system:error:next?", "syst:vers?",
    "stat:oper?", "stat:oper:even?", "status:oper:enab 214", "stat:oper:enable?", "stat:ques?",
    "stat:ques:condition?", "status:ques:enab #ha7", "status:questionable:enable?", "stat:pres",
    "meas:volt:dc? max, 100mv", "meas:volt:dc:ratio? 10, minimum", "meas:volt:ac? def, def",
    "meas:curr:dc? 10mA,maximum", "meas:curr:ac? maximum, maximum", "meas:res? 1gr,10r",
    "meas:fres? 100r,100ur", "meas:freq? 1MHz, 0.1Hz", "meas:period? 1s, 1e-5",
    "conf:curr:dc default", "conf:freq 10khz", "res:rang 1e6", "res:rang?",
    "sens:res:rang:auto off", "volt:dc:nplc", "volt:dc:nplc min", "sens:func \"curr:dc\"",
    "func?", "inp:imp:auto", "inp:imp:auto on", "inp:imp:auto?", "calc:state on",
    "calc:func aver", "calc:aver:min?", "calc:aver:maximum?", "read?", "apply 12.456502v,17.5ma",
    "appl:curr 1.245e-6", "appl:curr? min", "appl:volt 1250", "appl:volt?", "appl:ind 70uh",
    "appl:temperature 293.5", "appl:temp 49.5cel", "init", "outp:rel on", "outp:rel?",
    "trig:sour", "trig:delay? maximum", "disp:text \"Calibration Mode\"",
    "cal:sec:code harbour62", "cal:sec:stat , harbour62", "cal:sec:stat?", "cal:curr:data 173",
    "cal:curr:lev mid", "syst:loc", "system:remote", "step:auto", "route:open (@2!3,3!4:5!7)",
    "syst:err:enab:list (200:299,500:599,704)", "outp:ttlt", "outp:ttlt18", "outp:mod3:fm5 17.3",
    "outp6:mod2:fm 5728", "trac:feed:ocon (trig5=1 and (trig6=0 or trig7))", "", "", ""};

// The window frame the layout rules were drawn for: 800 x 502 outside is 792 x 475 inside.
constexpr QSize DESIGN_FRAME(8, 27);
// The traced rest of a line is cut beyond this: the window's lines are traced in full.
const int INPUT_MAX_LENGTH = SCPI_TRACE_MAX_QUOTED;
const QColor TEXT_COLOUR(Qt::black);
const QColor HISTORY_BACKGROUND(253, 254, 184);

const char WINDOW_FONT[] = "MS Sans Serif";
const int WINDOW_FONT_PIXELS = 11;  // 8 points at 96 dots per inch
// Liberation Sans and its kin run about 5 % wider than the bitmap face at this size.
const int FALLBACK_STRETCH = 95;
// The narrowest a caption is set to keep it inside its fixed box.
const int MIN_FIT_STRETCH = 80;
// Room left at the right of a narrowed caption, so it does not run into its neighbour.
const int FIT_MARGIN = 3;

/// The window's font: "MS Sans Serif" at 8 points (11 pixels). Where it is missing, a sans
/// serif of about its widths, narrowed a little so that the texts fit the fixed geometry.
QFont RegularFont() {
  QFont font;
  font.setFamilies({QLatin1String(WINDOW_FONT), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arimo"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
  font.setPixelSize(WINDOW_FONT_PIXELS);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  if (QFontInfo(font).family() != QLatin1String(WINDOW_FONT)) font.setStretch(FALLBACK_STRETCH);
  return font;
}

QFont BoldFont() {
  QFont font = RegularFont();
  font.setWeight(QFont::Bold);
  return font;
}

void SetTextColour(QWidget* pWidget, const QColor& colour) {
  QPalette palette = pWidget->palette();
  palette.setColor(QPalette::WindowText, colour);
  pWidget->setPalette(palette);
}

void SetBaseColour(QWidget* pWidget, const QColor& colour) {
  QPalette palette = pWidget->palette();
  palette.setColor(QPalette::Base, colour);
  pWidget->setPalette(palette);
}

template <typename T>
T* Place(T* pControl, const char* pName, const QRect& geometry) {
  pControl->setObjectName(QLatin1String(pName));
  pControl->setGeometry(geometry);
  return pControl;
}

QLabel* MakeLabel(QWidget* pParent, const char* pName, const QRect& geometry, const char* pText) {
  auto* pLabel = Place(new QLabel(QString::fromLatin1(pText), pParent), pName, geometry);
  pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return pLabel;
}

QPushButton* MakeButton(QWidget* pParent, const char* pName, const QRect& geometry,
                        const char* pText, const char* pHint = nullptr) {
  auto* pButton = Place(new QPushButton(QString::fromLatin1(pText), pParent), pName, geometry);
  if (pHint != nullptr) pButton->setToolTip(QString::fromLatin1(pHint));
  return pButton;
}

QLineEdit* MakeSampleBox(QWidget* pParent, const char* pName, const QRect& geometry,
                         const char* pText) {
  auto* pBox = Place(new QLineEdit(QString::fromLatin1(pText), pParent), pName, geometry);
  pBox->setReadOnly(true);
  pBox->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  pBox->setCursorPosition(0);
  SetBaseColour(pBox, pParent->palette().color(QPalette::Button));
  return pBox;
}

QGroupBox* MakeGroup(QWidget* pParent, const char* pName, const QRect& geometry, const char* pText,
                     bool bBoldCaption) {
  auto* pGroup = Place(new QGroupBox(QString::fromLatin1(pText), pParent), pName, geometry);
  if (bBoldCaption) pGroup->setFont(BoldFont());
  return pGroup;
}

/// Keeps a one-line label in its box: a text wider than the box is set a little narrower
/// (down to MIN_FIT_STRETCH), and only a text that still does not fit widens the box.
void FitToWidth(QLabel* pLabel) {
  QFont font = pLabel->font();
  int iStretch = font.stretch() > 0 ? font.stretch() : int(QFont::Unstretched);
  while (QFontMetrics(font).horizontalAdvance(pLabel->text()) > pLabel->width() - FIT_MARGIN &&
         iStretch > MIN_FIT_STRETCH) {
    font.setStretch(--iStretch);
  }
  pLabel->setFont(font);
  const int iText = pLabel->fontMetrics().horizontalAdvance(pLabel->text());
  if (iText > pLabel->width()) pLabel->resize(iText, pLabel->height());
}

/// A bold caption is the group's own font; its controls keep the regular one.
void KeepRegularFont(QWidget* pGroup) {
  for (QWidget* pChild : pGroup->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    pChild->setFont(RegularFont());
}

/// Shows the hourglass while it lives, whatever way the block is left.
class TWaitCursor {
 public:
  TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

QString WebsiteText() {
  QString sText = QStringLiteral(ORVANE_WEBSITE);
  for (const char* pScheme : {"https://", "http://"})
    if (sText.startsWith(QLatin1String(pScheme))) return sText.mid(int(qstrlen(pScheme)));
  return sText;
}

}  // namespace

TfrmMain::TfrmMain(QWidget* pParent) : QWidget(pParent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(CAPTION));
  setFont(RegularFont());
  // The style's own light palette, whatever the desktop's theme: the texts are black and the
  // panel's colours are fixed.
  QPalette palette = style()->standardPalette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  palette.setColor(QPalette::WindowText, TEXT_COLOUR);
  palette.setColor(QPalette::ButtonText, TEXT_COLOUR);
  palette.setColor(QPalette::Text, TEXT_COLOUR);
  setPalette(palette);
  setAutoFillBackground(true);

  BuildControls();

  setMinimumSize(MIN_SIZE);
  resize(START_SIZE);
  if (const QScreen* pScreen = screen()) {
    const QRect available = pScreen->availableGeometry();
    move(available.center() - QPoint(START_SIZE.width() / 2, START_SIZE.height() / 2));
  }
  FormResize(START_SIZE.width(), START_SIZE.height());
  FormCreate();
}

void TfrmMain::BuildControls() {
  Label1 = MakeLabel(this, "Label1", {8, 8, 665, 13},
                     "This application demonstrates Orvane-SCPI Parser in action. It emulates the "
                     "command parsing sub-system of a programmable instrument.");
  Label2 = MakeLabel(this, "Label2", {8, 24, 553, 33},
                     "Enter commands (or compound commands) into the Command Input Buffer, or just "
                     "click beside any of the examples provided. Orvane-SCPI Parser will then "
                     "parse the Input Buffer and display its results in the Results Log window.");
  Label2->setWordWrap(true);
  Button1 = MakeButton(this, "Button1", {8, 56, 129, 17}, "&View User Manual");
  connect(Button1, &QPushButton::clicked, this, &TfrmMain::cmdManualClick);
  Label4 = MakeLabel(this, "Label4", {144, 56, 489, 17},
                     "Please refer to the User Manual for the set of supported commands and other "
                     "information.");
  SetTextColour(Label4, Qt::red);

  GroupBox1 = MakeGroup(this, "GroupBox1", {8, 80, 273, 57}, "Version Info", false);
  lbl1 = MakeLabel(GroupBox1, "lbl1", {8, 16, 89, 13}, "Orvane-SCPI Parser:");
  lbl2 = MakeLabel(GroupBox1, "lbl2", {8, 32, 73, 13}, "Demo App.:");
  lblVerParser = MakeLabel(GroupBox1, "lblVerParser", {96, 16, 169, 13}, parsola::sVerParser);
  lblVerApp = MakeLabel(GroupBox1, "lblVerApp", {96, 32, 145, 13}, parsola::sVerApp);
  FitToWidth(lbl1);  // the product name is a little wide for its caption's box

  grpInput = MakeGroup(this, "grpInput", {8, 144, 273, 353}, "Command Input Buffer", true);
  Label5 = MakeLabel(grpInput, "Label5", {8, 16, 32, 13}, "History");
  memInput = Place(new QPlainTextEdit(grpInput), "memInput", {8, 32, 257, 121});
  memInput->setReadOnly(true);
  memInput->setLineWrapMode(QPlainTextEdit::NoWrap);
  memInput->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memInput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memInput->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  SetBaseColour(memInput, HISTORY_BACKGROUND);

  pnlCommands = Place(new QWidget(grpInput), "pnlCommands", {8, 152, 257, 193});
  Label7 = MakeLabel(pnlCommands, "Label7", {0, 8, 257, 17}, "Enter an Input Command String:");
  SetTextColour(Label7, Qt::red);
  cboInput = Place(new QComboBox(pnlCommands), "cboInput", {0, 28, 225, 21});
  cboInput->setEditable(true);
  cboInput->setInsertPolicy(QComboBox::NoInsert);  // the history has rules of its own
  cboInput->setCompleter(nullptr);
  cboInput->lineEdit()->setMaxLength(INPUT_MAX_LENGTH);
  cmdEnter = MakeButton(pnlCommands, "cmdEnter", {224, 28, 33, 21}, "Enter");
  connect(cmdEnter, &QPushButton::clicked, this, &TfrmMain::cmdEnterClick);
  Label6 = MakeLabel(pnlCommands, "Label6", {0, 55, 193, 13}, "Example Input Strings");
  txtSample1 = MakeSampleBox(pnlCommands, "txtSample1", {0, 72, 225, 21}, "conf:freq 12.5kHz");
  cmdSample1 = MakeButton(pnlCommands, "cmdSample1", {224, 72, 33, 21}, "Enter");
  connect(cmdSample1, &QPushButton::clicked, this, &TfrmMain::cmdSample1Click);
  txtSample2 = MakeSampleBox(pnlCommands, "txtSample2", {0, 96, 225, 21},
                             "Sense:Volt:DC:nplcycles maximum");
  cmdSample2 = MakeButton(pnlCommands, "cmdSample2", {224, 96, 33, 21}, "Enter");
  connect(cmdSample2, &QPushButton::clicked, this, &TfrmMain::cmdSample2Click);
  txtSample3 = MakeSampleBox(pnlCommands, "txtSample3", {0, 120, 225, 21},
                             "meas:volt:dc? 1kv, min; :calc:function dbm");
  cmdSample3 = MakeButton(pnlCommands, "cmdSample3", {224, 120, 33, 21}, "Enter");
  connect(cmdSample3, &QPushButton::clicked, this, &TfrmMain::cmdSample3Click);
  txtSample4 = MakeSampleBox(pnlCommands, "txtSample4", {0, 144, 225, 21},
                             "output:ttltrg5;:syst:err:enable (17:22,25,39:51)");
  cmdSample4 = MakeButton(pnlCommands, "cmdSample4", {224, 144, 33, 21}, "Enter");
  connect(cmdSample4, &QPushButton::clicked, this, &TfrmMain::cmdSample4Click);
  cboSamples = Place(new QComboBox(pnlCommands), "cboSamples", {0, 168, 225, 21});
  for (const char* pSample : SAMPLES) cboSamples->addItem(QString::fromLatin1(pSample));
  cmdCboSamples = MakeButton(pnlCommands, "cmdCboSamples", {224, 168, 33, 21}, "Enter");
  connect(cmdCboSamples, &QPushButton::clicked, this, &TfrmMain::cmdCboSamplesClick);
  KeepRegularFont(grpInput);
  Label7->setFont(BoldFont());

  grpResults = MakeGroup(this, "grpResults", {288, 80, 497, 417},
                         "Orvane-SCPI Parser - Results Log", true);
  chkAccFuncs = Place(new QCheckBox(QStringLiteral("Display Access Function Calls"), grpResults),
                      "chkAccFuncs", {8, 16, 177, 17});
  connect(chkAccFuncs, &QCheckBox::toggled, this, &TfrmMain::chkAccFuncsClick);
  Label8 = MakeLabel(grpResults, "Label8", {8, 32, 417, 33},
                     "Check this box to see all the Orvane-SCPI Parser Access Function calls that "
                     "were used to perform the parsing. This is how you would use Orvane-SCPI "
                     "Parser in your own code.");
  Label8->setWordWrap(true);
  SetTextColour(Label8, Qt::blue);
  lstOutput = Place(new TResultsPanel(grpResults), "lstOutput", {8, 64, 481, 321});
  cmdSaveResults = MakeButton(grpResults, "cmdSaveResults", {8, 392, 81, 17}, "&Save to File...",
                              "Save contents of Results Log to a text file for printing etc.");
  connect(cmdSaveResults, &QPushButton::clicked, this, &TfrmMain::cmdSaveResultsClick);
  cmdClearOutput = MakeButton(grpResults, "cmdClearOutput", {448, 392, 41, 17}, "&Clear",
                              "Clear the Results Log");
  connect(cmdClearOutput, &QPushButton::clicked, this, &TfrmMain::cmdClearOutputClick);
  KeepRegularFont(grpResults);

  lblWebsite1 = MakeLabel(this, "lblWebsite1", {0, 504, 537, 17},
                          "To ensure you have the latest version of this application, or for more "
                          "info on Orvane-SCPI Parser, visit our website:");
  lblWebsite1->setAlignment(Qt::AlignRight | Qt::AlignTop);
  lblWebsite2 = MakeLabel(this, "lblWebsite2", {552, 504, 97, 13}, "");
  lblWebsite2->setText(WebsiteText());
  QFont linkFont = RegularFont();
  linkFont.setUnderline(true);
  lblWebsite2->setFont(linkFont);
  SetTextColour(lblWebsite2, Qt::blue);
  lblWebsite2->setCursor(Qt::PointingHandCursor);
  FitToWidth(lblWebsite2);  // the address is a build setting
  lblWebsite2->installEventFilter(this);
  cmdExit = MakeButton(this, "cmdExit", {744, 504, 41, 17}, "&Exit", "Exit application");
  connect(cmdExit, &QPushButton::clicked, this, &TfrmMain::cmdExitClick);

  // Enter clicks the focused button, or cmdEnter when the focus is not on a button; in an open
  // drop-down list it only picks the item (eventFilter). Asking for a view installs the list's
  // own filter on it, so this window's filter, installed later, runs before it.
  for (QComboBox* pCombo : {cboInput, cboSamples}) pCombo->view()->installEventFilter(this);
  for (const int iKey : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* pShortcut = new QShortcut(QKeySequence(iKey), this);
    connect(pShortcut, &QShortcut::activated, this, &TfrmMain::DefaultButtonKey);
  }

  QWidget* const focusOrder[] = {cboInput,    cmdEnter,      cmdSample1,    cmdSample2,
                                 cmdSample3,  cmdSample4,    cboSamples,    cmdCboSamples,
                                 chkAccFuncs, cmdSaveResults, cmdClearOutput, cmdExit,
                                 Button1};
  for (size_t i = 1; i < std::size(focusOrder); ++i)
    setTabOrder(focusOrder[i - 1], focusOrder[i]);
  cboInput->setFocus();
}

void TfrmMain::FormCreate() {
  lstOutput->ResetExtent();
  cboSamples->setCurrentIndex(0);
}

void TfrmMain::FormResize(int iW, int iH) {
  cmdExit->move(iW - 54, iH - 46);
  lblWebsite1->move(lblWebsite1->x(), iH - 46);
  lblWebsite2->move(lblWebsite2->x(), iH - 46);
  grpInput->resize(grpInput->width(), iH - 197);
  pnlCommands->move(pnlCommands->x(), iH - 398);
  memInput->resize(memInput->width(), iH - 437);
  grpResults->resize(iW - 301, grpResults->height());
  grpResults->resize(grpResults->width(), iH - 133);
  const int iGW = grpResults->width();
  const int iGH = grpResults->height();
  cmdSaveResults->move(cmdSaveResults->x(), iGH - 25);
  cmdClearOutput->move(iGW - 49, iGH - 25);
  lstOutput->resize(iGW - 16, iGH - 96);
}

void TfrmMain::ParseSampleWithTrace(int iSample) {
  cboSamples->setCurrentIndex(iSample);
  chkAccFuncs->setChecked(true);
  cmdCboSamples->click();
}

void TfrmMain::AddHistoryLine(const std::string& sLine) {
  QTextCursor cursor(memInput->document());
  cursor.movePosition(QTextCursor::End);
  // The first line goes into the document's empty first block; every later one gets its own.
  if (iHistoryLines > 0) cursor.insertBlock();
  cursor.insertText(QString::fromStdString(sLine));
  ++iHistoryLines;
  memInput->setTextCursor(cursor);
  memInput->ensureCursorVisible();
}

void TfrmMain::StoreLine(uint8_t ucLevel, const std::string& sText) {
  lstOutput->StoreLine(ucLevel, sText);
}

QSize TfrmMain::OuterSize() const {
  // Without a window manager's frame (offscreen) the window's own size is its outer size.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return size();
  // A frame thicker than the one the rules were drawn for would push the bottom row of
  // controls out of the window, so no more than that one is counted.
  const QSize frame = frameGeometry().size() - size();
  return size() + frame.boundedTo(DESIGN_FRAME).expandedTo(QSize(0, 0));
}

void TfrmMain::FitFrame() {
  // The layout is made for outer sizes; once the frame is known, the inner sizes shrink by it.
  const QSize extra = OuterSize() - size();
  if (extra == frameExtra || extra.width() < 0 || extra.height() < 0) return;
  const bool bAtStart = size() == START_SIZE - frameExtra;
  frameExtra = extra;
  setMinimumSize(MIN_SIZE - frameExtra);
  if (bAtStart) resize(START_SIZE - frameExtra);
}

bool TfrmMain::event(QEvent* pEvent) {
  const bool bResult = QWidget::event(pEvent);
  switch (pEvent->type()) {
    case QEvent::Show:
    case QEvent::Move:
      FitFrame();
      break;
    case QEvent::Resize: {
      FitFrame();
      const QSize outer = OuterSize();
      FormResize(outer.width(), outer.height());
      break;
    }
    default:
      break;
  }
  return bResult;
}

bool TfrmMain::eventFilter(QObject* pWatched, QEvent* pEvent) {
  // The list picks the item and closes on this event, in its own filter after this one. Taken
  // as accepted, it keeps the window's Enter shortcut from firing once the list has closed.
  if (IsOpenListEnter(pWatched, pEvent)) pEvent->accept();
  if (pWatched == lblWebsite2 && pEvent->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton &&
      lblWebsite2->rect().contains(static_cast<QMouseEvent*>(pEvent)->position().toPoint())) {
    lblWebsite2Click();
    return true;
  }
  return QWidget::eventFilter(pWatched, pEvent);
}

bool TfrmMain::IsOpenListEnter(QObject* pWatched, QEvent* pEvent) const {
  if (pEvent->type() != QEvent::ShortcutOverride) return false;
  const int iKey = static_cast<QKeyEvent*>(pEvent)->key();
  if (iKey != Qt::Key_Return && iKey != Qt::Key_Enter) return false;
  for (const QComboBox* pCombo : {cboInput, cboSamples})
    if (pWatched == pCombo->view() && pCombo->view()->isVisible()) return true;
  return false;
}

void TfrmMain::Parse(const QString& sText) {
  const TWaitCursor wait;
  parsola::ParseAndReport(sText.toUtf8().toStdString(), *this);
}

void TfrmMain::cmdEnterClick() {
  const TWaitCursor wait;
  const QString sText = cboInput->currentText();
  Parse(sText);
  if (!sText.isEmpty() &&
      cboInput->findText(sText, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
    cboInput->addItem(sText);
    cboInput->setEditText(sText);
  }
  cboInput->lineEdit()->selectAll();
  cboInput->setFocus();
}

void TfrmMain::cmdSample1Click() { Parse(txtSample1->text()); }
void TfrmMain::cmdSample2Click() { Parse(txtSample2->text()); }
void TfrmMain::cmdSample3Click() { Parse(txtSample3->text()); }
void TfrmMain::cmdSample4Click() { Parse(txtSample4->text()); }
void TfrmMain::cmdCboSamplesClick() { Parse(cboSamples->currentText()); }

void TfrmMain::cmdClearOutputClick() { lstOutput->Clear(); }

void TfrmMain::cmdSaveResultsClick() {
  static const char TRY_AGAIN[] = "Please try again if you wish to save the results to file.";
  TUiSeam& ui = TUiSeam::Current();
  const QString sFile = ui.AskSaveFileName(this);
  if (sFile.isEmpty()) return;
  switch (parsola::SaveResultsLog(QFile::encodeName(sFile).toStdString(), lstOutput->Lines())) {
    case parsola::SaveResult::Saved:
      ui.ShowMessage(this, QMessageBox::Information, QStringLiteral("Results Saved"),
                     QStringLiteral("Contents of Results Panel saved to file."));
      break;
    case parsola::SaveResult::CannotCreate:
      ui.ShowMessage(this, QMessageBox::Critical, QStringLiteral("Could Not Save Results"),
                     QStringLiteral("Could not open/create file \"%1\".\nNO RESULTS WERE SAVED.\n\n")
                             .arg(sFile) +
                         QLatin1String(TRY_AGAIN));
      break;
    case parsola::SaveResult::WriteFailed:
      ui.ShowMessage(this, QMessageBox::Critical, QStringLiteral("Error Saving Results"),
                     QStringLiteral("There was an error while writing to the file.\n"
                                    "NOT ALL RESULTS WERE SAVED.\n\n") +
                         QLatin1String(TRY_AGAIN));
      break;
  }
}

void TfrmMain::cmdManualClick() {
  const QString sManual =
      parsola::LocateManual(QCoreApplication::applicationFilePath(), parsola::InstalledDocDir());
  TUiSeam::Current().OpenUrl(QUrl::fromLocalFile(QFileInfo(sManual).absoluteFilePath()));
}

void TfrmMain::lblWebsite2Click() {
  TUiSeam::Current().OpenUrl(QUrl(QStringLiteral(ORVANE_WEBSITE)));
}

void TfrmMain::cmdExitClick() {
  close();
  QCoreApplication::quit();
}

void TfrmMain::chkAccFuncsClick(bool bChecked) { SetTracing(bChecked); }

void TfrmMain::DefaultButtonKey() {
  if (auto* pButton = qobject_cast<QPushButton*>(QApplication::focusWidget());
      pButton != nullptr && pButton->window() == this)
    pButton->click();
  else
    cmdEnter->click();
}
