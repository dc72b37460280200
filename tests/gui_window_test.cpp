// SPDX-License-Identifier: MIT
// The main window: start-up state, input history, samples, keyboard, layout, links, exceptions.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "frm_main.h"
#include "gui_test_support.h"
#include "manual_path.h"
#include "results_panel.h"

namespace {

// The sample list as the console vectors hold it: its items in order, the four example strings
// after them.
std::vector<std::string> ExpectedSamples() {
  std::ifstream file(std::string(ORVANE_TEST_DATA) + "/samples.in");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  lines.resize(TfrmMain::SAMPLE_COUNT);
  return lines;
}

const std::vector<std::string> EXPECTED_SAMPLES = ExpectedSamples();

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frm.show();
    frm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
  }

  template <typename T>
  T* Child(const char* pName) {
    T* pChild = frm.findChild<T*>(QLatin1String(pName));
    EXPECT_NE(pChild, nullptr) << pName;
    return pChild;
  }
  QComboBox* Input() { return Child<QComboBox>("cboInput"); }
  TResultsPanel* Panel() { return Child<TResultsPanel>("lstOutput"); }
  QString History() { return Child<QPlainTextEdit>("memInput")->toPlainText(); }
  QStringList InputHistory() {
    QStringList items;
    for (int i = 0; i < Input()->count(); ++i) items << Input()->itemText(i);
    return items;
  }
  void Enter(const QString& sText) {
    Input()->setEditText(sText);
    Child<QPushButton>("cmdEnter")->click();
  }
  std::string Line(int iLine) { return Panel()->Lines().at(static_cast<size_t>(iLine)); }
  /// The first line of every report written so far.
  std::vector<std::string> ReportHeads() {
    std::vector<std::string> vHeads;
    for (const std::string& sLine : Panel()->Lines())
      if (sLine.rfind("Parsing Input String: ", 0) == 0) vHeads.push_back(sLine);
    return vHeads;
  }

  TRecordingSeam seam;
  TfrmMain frm;
};

// --- start-up ---------------------------------------------------------------------------------

TEST_F(WindowTest, StartsWithTitlesTextsAndVersions) {
  EXPECT_EQ(frm.objectName(), "frmMain");
  EXPECT_EQ(frm.windowTitle(), "Orvane-SCPI Parser Demo");
  EXPECT_EQ(QCoreApplication::applicationName(), "Orvane-SCPI Parser Demo Application");

  const struct {
    const char* pName;
    const char* pText;
  } texts[] = {
      {"Label1", "This application demonstrates Orvane-SCPI Parser in action. It emulates the "
                 "command parsing sub-system of a programmable instrument."},
      {"Label2", "Enter commands (or compound commands) into the Command Input Buffer, or just "
                 "click beside any of the examples provided. Orvane-SCPI Parser will then parse "
                 "the Input Buffer and display its results in the Results Log window."},
      {"Label4", "Please refer to the User Manual for the set of supported commands and other "
                 "information."},
      {"lbl1", "Orvane-SCPI Parser:"},
      {"lbl2", "Demo App.:"},
      {"lblVerParser", "V1.3.1"},
      {"lblVerApp", "V1.3.1"},
      {"Label5", "History"},
      {"Label7", "Enter an Input Command String:"},
      {"Label6", "Example Input Strings"},
      {"Label8", "Check this box to see all the Orvane-SCPI Parser Access Function calls that "
                 "were used to perform the parsing. This is how you would use Orvane-SCPI Parser "
                 "in your own code."},
      {"lblWebsite1", "To ensure you have the latest version of this application, or for more "
                      "info on Orvane-SCPI Parser, visit our website:"},
  };
  for (const auto& row : texts) EXPECT_EQ(Child<QLabel>(row.pName)->text(), row.pText) << row.pName;

  const struct {
    const char* pName;
    const char* pText;
    const char* pHint;
  } buttons[] = {
      {"Button1", "&View User Manual", ""},
      {"cmdEnter", "Enter", ""},
      {"cmdSample1", "Enter", ""},
      {"cmdSample2", "Enter", ""},
      {"cmdSample3", "Enter", ""},
      {"cmdSample4", "Enter", ""},
      {"cmdCboSamples", "Enter", ""},
      {"cmdSaveResults", "&Save to File...",
       "Save contents of Results Log to a text file for printing etc."},
      {"cmdClearOutput", "&Clear", "Clear the Results Log"},
      {"cmdExit", "&Exit", "Exit application"},
  };
  for (const auto& row : buttons) {
    EXPECT_EQ(Child<QPushButton>(row.pName)->text(), row.pText) << row.pName;
    EXPECT_EQ(Child<QPushButton>(row.pName)->toolTip(), row.pHint) << row.pName;
  }

  EXPECT_EQ(Child<QGroupBox>("GroupBox1")->title(), "Version Info");
  EXPECT_EQ(Child<QGroupBox>("grpInput")->title(), "Command Input Buffer");
  EXPECT_EQ(Child<QGroupBox>("grpResults")->title(), "Orvane-SCPI Parser - Results Log");
  EXPECT_EQ(Child<QCheckBox>("chkAccFuncs")->text(), "Display Access Function Calls");

  const struct {
    const char* pName;
    const char* pText;
  } samples[] = {
      {"txtSample1", "conf:freq 12.5kHz"},
      {"txtSample2", "Sense:Volt:DC:nplcycles maximum"},
      {"txtSample3", "meas:volt:dc? 1kv, min; :calc:function dbm"},
      {"txtSample4", "output:ttltrg5;:syst:err:enable (17:22,25,39:51)"},
  };
  for (const auto& row : samples) {
    auto* pBox = Child<QLineEdit>(row.pName);
    EXPECT_EQ(pBox->text(), row.pText);
    EXPECT_TRUE(pBox->isReadOnly());
    EXPECT_FALSE(pBox->focusPolicy() & Qt::TabFocus);
  }
}

TEST_F(WindowTest, StartsEmptyWithTheFirstSampleSelectedAndFocusInTheInput) {
  EXPECT_EQ(Panel()->LineCount(), 0);
  EXPECT_EQ(Panel()->MaxExtent(), 0);
  EXPECT_EQ(History(), "");
  EXPECT_EQ(Input()->count(), 0);
  EXPECT_EQ(Input()->currentText(), "");
  EXPECT_TRUE(Input()->isEditable());
  EXPECT_EQ(Input()->lineEdit()->maxLength(), 400);
  EXPECT_FALSE(Child<QCheckBox>("chkAccFuncs")->isChecked());
  EXPECT_FALSE(frm.Tracing());
  EXPECT_EQ(frm.focusWidget(), Input());
  EXPECT_TRUE(Input()->hasFocus());

  auto* pSamples = Child<QComboBox>("cboSamples");
  EXPECT_FALSE(pSamples->isEditable());
  ASSERT_EQ(pSamples->count(), TfrmMain::SAMPLE_COUNT);
  for (int i = 0; i < pSamples->count(); ++i)
    EXPECT_EQ(pSamples->itemText(i).toStdString(), EXPECTED_SAMPLES[i]) << "item " << i;
  EXPECT_EQ(pSamples->currentIndex(), 0);
  EXPECT_EQ(pSamples->currentText(), "*cls");
}

TEST_F(WindowTest, ColoursAndFontsFollowTheControls) {
  const struct {
    const char* pName;
    QColor colour;
  } colours[] = {
      {"Label1", Qt::black}, {"Label4", Qt::red},  {"Label7", Qt::red},
      {"Label8", Qt::blue},  {"lblWebsite2", Qt::blue},
  };
  for (const auto& row : colours)
    EXPECT_EQ(Child<QLabel>(row.pName)->palette().color(QPalette::WindowText), row.colour)
        << row.pName;
  EXPECT_EQ(Child<QPlainTextEdit>("memInput")->palette().color(QPalette::Base),
            QColor(253, 254, 184));
  EXPECT_EQ(Child<QLineEdit>("txtSample1")->palette().color(QPalette::Base),
            frm.palette().color(QPalette::Button));

  const QFontInfo regular(frm.font());
  EXPECT_TRUE(regular.family() == "MS Sans Serif" || regular.family() == "Liberation Sans")
      << regular.family().toStdString();
  EXPECT_EQ(regular.pixelSize(), 11);
  EXPECT_FALSE(regular.bold());
  const struct {
    const char* pName;
    bool bBold;
  } weights[] = {
      {"grpInput", true},      {"grpResults", true}, {"GroupBox1", false},
      {"Label7", true},        {"Label5", false},    {"cboInput", false},
      {"chkAccFuncs", false},  {"lstOutput", false}, {"cmdClearOutput", false},
      {"txtSample1", false},
  };
  for (const auto& row : weights)
    EXPECT_EQ(Child<QWidget>(row.pName)->font().bold(), row.bBold) << row.pName;
  EXPECT_TRUE(Child<QLabel>("lblWebsite2")->font().underline());
  EXPECT_EQ(Child<QLabel>("lblWebsite2")->cursor().shape(), Qt::PointingHandCursor);
}

// Every caption must show whole in its box: a wider font than the geometry was made for
// clips the long labels.
TEST_F(WindowTest, EveryTextFitsItsControl) {
  for (QLabel* pLabel : frm.findChildren<QLabel*>()) {
    if (pLabel->wordWrap()) {
      EXPECT_LE(pLabel->heightForWidth(pLabel->width()), pLabel->height())
          << pLabel->objectName().toStdString();
    } else {
      EXPECT_LE(pLabel->fontMetrics().horizontalAdvance(pLabel->text()), pLabel->width())
          << pLabel->objectName().toStdString();
    }
  }
  for (QPushButton* pButton : frm.findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(pButton);
    option.rect = pButton->rect();
    const QRect contents = pButton->style()->subElementRect(QStyle::SE_PushButtonContents, &option,
                                                            pButton);
    const QString sText = QString(pButton->text()).remove('&');
    EXPECT_LE(pButton->fontMetrics().horizontalAdvance(sText), contents.width())
        << pButton->objectName().toStdString();
  }
  for (const char* pName : {"txtSample1", "txtSample2", "txtSample3", "txtSample4"}) {
    auto* pBox = Child<QLineEdit>(pName);
    EXPECT_LE(pBox->fontMetrics().horizontalAdvance(pBox->text()), pBox->contentsRect().width())
        << pName;
  }
  // The product name fits its caption's box, which keeps its place beside the version.
  auto* pCaption = Child<QLabel>("lbl1");
  EXPECT_LE(pCaption->fontMetrics().horizontalAdvance(pCaption->text()), pCaption->width());
  EXPECT_EQ(QRect(8, 16, 89, 13), pCaption->geometry());
  EXPECT_EQ(QRect(96, 16, 169, 13), Child<QLabel>("lblVerParser")->geometry());
  auto* pGroup = Child<QGroupBox>("GroupBox1");
  EXPECT_TRUE(pGroup->rect().contains(Child<QLabel>("lblVerParser")->geometry()));
  EXPECT_LE(Child<QLabel>("lblWebsite2")->geometry().right(), Child<QPushButton>("cmdExit")->x());
}

// --- layout -----------------------------------------------------------------------------------

struct TPlace {
  const char* pName;
  QRect geometry;
};

void ExpectPlaces(QWidget& frm, const std::vector<TPlace>& vPlaces, const char* pWhen) {
  for (const TPlace& place : vPlaces) {
    auto* pControl = frm.findChild<QWidget*>(QLatin1String(place.pName));
    ASSERT_NE(pControl, nullptr) << place.pName;
    EXPECT_EQ(pControl->geometry(), place.geometry) << place.pName << " at " << pWhen;
  }
}

// Controls the resize rules leave where they were designed.
const std::vector<TPlace> FIXED_PLACES = {
    {"Label1", {8, 8, 665, 13}},          {"Label2", {8, 24, 553, 33}},
    {"Button1", {8, 56, 129, 17}},        {"Label4", {144, 56, 489, 17}},
    {"GroupBox1", {8, 80, 273, 57}},      {"lbl2", {8, 32, 73, 13}},
    {"Label5", {8, 16, 32, 13}},          {"Label7", {0, 8, 257, 17}},
    {"cboInput", {0, 28, 225, 21}},       {"cmdEnter", {224, 28, 33, 21}},
    {"Label6", {0, 55, 193, 13}},         {"txtSample1", {0, 72, 225, 21}},
    {"cmdSample1", {224, 72, 33, 21}},    {"txtSample2", {0, 96, 225, 21}},
    {"cmdSample2", {224, 96, 33, 21}},    {"txtSample3", {0, 120, 225, 21}},
    {"cmdSample3", {224, 120, 33, 21}},   {"txtSample4", {0, 144, 225, 21}},
    {"cmdSample4", {224, 144, 33, 21}},   {"cboSamples", {0, 168, 225, 21}},
    {"cmdCboSamples", {224, 168, 33, 21}}, {"chkAccFuncs", {8, 16, 177, 17}},
    {"Label8", {8, 32, 417, 33}},
};

TEST_F(WindowTest, StartsAt800x502WithTheResizeRulesApplied) {
  EXPECT_EQ(frm.size(), TfrmMain::START_SIZE);
  EXPECT_EQ(frm.minimumSize(), TfrmMain::MIN_SIZE);
  ExpectPlaces(frm, FIXED_PLACES, "800 x 502");
  ExpectPlaces(frm,
               {{"cmdExit", {746, 456, 41, 17}},
                {"lblWebsite1", {0, 456, 537, 17}},
                {"grpInput", {8, 144, 273, 305}},
                {"pnlCommands", {8, 104, 257, 193}},
                {"memInput", {8, 32, 257, 65}},
                {"grpResults", {288, 80, 499, 369}},
                {"cmdSaveResults", {8, 344, 81, 17}},
                {"cmdClearOutput", {450, 344, 41, 17}},
                {"lstOutput", {8, 64, 483, 273}}},
               "800 x 502");
  EXPECT_EQ(Child<QLabel>("lblWebsite2")->pos(), QPoint(552, 456));
}

TEST_F(WindowTest, ResizingBelowTheMinimumStopsAt730x475) {
  frm.resize(600, 400);
  EXPECT_TRUE(QTest::qWaitFor([&] { return frm.size() == TfrmMain::MIN_SIZE; })) << "size";
  EXPECT_TRUE(QTest::qWaitFor([&] { return Child<QWidget>("cmdExit")->pos() == QPoint(676, 429); }))
      << "cmdExit";
  ExpectPlaces(frm, FIXED_PLACES, "730 x 475");
  ExpectPlaces(frm,
               {{"cmdExit", {676, 429, 41, 17}},
                {"lblWebsite1", {0, 429, 537, 17}},
                {"grpInput", {8, 144, 273, 278}},
                {"pnlCommands", {8, 77, 257, 193}},
                {"memInput", {8, 32, 257, 38}},
                {"grpResults", {288, 80, 429, 342}},
                {"cmdSaveResults", {8, 317, 81, 17}},
                {"cmdClearOutput", {380, 317, 41, 17}},
                {"lstOutput", {8, 64, 413, 246}}},
               "730 x 475");
  EXPECT_EQ(Child<QLabel>("lblWebsite2")->pos(), QPoint(552, 429));
}

TEST_F(WindowTest, LayoutIsAFunctionOfTheOuterSizeOnly) {
  frm.FormResize(1000, 700);
  frm.FormResize(900, 600);
  ExpectPlaces(frm,
               {{"cmdExit", {846, 554, 41, 17}},
                {"grpInput", {8, 144, 273, 403}},
                {"pnlCommands", {8, 202, 257, 193}},
                {"memInput", {8, 32, 257, 163}},
                {"grpResults", {288, 80, 599, 467}},
                {"cmdSaveResults", {8, 442, 81, 17}},
                {"cmdClearOutput", {550, 442, 41, 17}},
                {"lstOutput", {8, 64, 583, 371}}},
               "900 x 600");
}

// --- keyboard ---------------------------------------------------------------------------------

TEST_F(WindowTest, FocusMovesInTheDesignedOrder) {
  const QStringList expected = {"cboInput",    "cmdEnter",       "cmdSample1",     "cmdSample2",
                                "cmdSample3",  "cmdSample4",     "cboSamples",     "cmdCboSamples",
                                "chkAccFuncs", "cmdSaveResults", "cmdClearOutput", "cmdExit",
                                "Button1"};
  QStringList order;
  Input()->setFocus();
  for (int i = 0; i < expected.size(); ++i) {
    QWidget* pFocus = QApplication::focusWidget();
    while (pFocus != nullptr && pFocus->objectName().isEmpty()) pFocus = pFocus->parentWidget();
    order << (pFocus != nullptr ? pFocus->objectName() : QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(order, expected);
  for (const char* pName : {"memInput", "lstOutput", "txtSample1"})
    EXPECT_FALSE(Child<QWidget>(pName)->focusPolicy() & Qt::TabFocus) << pName;
}

TEST_F(WindowTest, EnterClicksTheFocusedButtonOrElseTheInputsEnter) {
  const struct {
    const char* pFocus;
    const char* pParsed;  // the report's first line
  } rows[] = {
      {"cboInput", "Parsing Input String: \"*rst\""},
      {"cmdEnter", "Parsing Input String: \"*rst\""},
      {"cmdSample1", "Parsing Input String: \"conf:freq 12.5kHz\""},
      {"cmdSample4", "Parsing Input String: \"output:ttltrg5;:syst:err:enable (17:22,25,39:51)\""},
      {"cmdCboSamples", "Parsing Input String: \"*cls\""},
      {"cboSamples", "Parsing Input String: \"*rst\""},
      {"chkAccFuncs", "Parsing Input String: \"*rst\""},
  };
  for (const auto& row : rows) {
    Input()->setEditText("*rst");
    QWidget* pFocus = Child<QWidget>(row.pFocus);
    pFocus->setFocus();
    QWidget* pTarget = QApplication::focusWidget();
    ASSERT_NE(pTarget, nullptr) << row.pFocus;
    const size_t nBefore = ReportHeads().size();
    QTest::keyClick(pTarget, Qt::Key_Return);
    const std::vector<std::string> vHeads = ReportHeads();
    ASSERT_EQ(vHeads.size(), nBefore + 1) << "Enter on " << row.pFocus;
    EXPECT_EQ(vHeads.back(), row.pParsed) << "Enter on " << row.pFocus;
  }
}

// Enter in an open drop-down list picks the item and closes the list; it clicks nothing.
TEST_F(WindowTest, EnterInAnOpenDropDownListOnlyPicksTheItem) {
  Enter("*rst");
  Enter("*cls");
  const struct {
    const char* pCombo;
    int iPick;
    const char* pPicked;
  } rows[] = {
      {"cboSamples", 7, "*rst"},
      {"cboInput", 0, "*rst"},
  };
  for (const auto& row : rows) {
    auto* pCombo = Child<QComboBox>(row.pCombo);
    pCombo->setFocus();
    pCombo->showPopup();
    QAbstractItemView* pView = pCombo->view();
    ASSERT_TRUE(pView->isVisible()) << row.pCombo;
    pView->setCurrentIndex(pView->model()->index(row.iPick, 0));
    const size_t nBefore = ReportHeads().size();
    QTest::keyClick(pView, Qt::Key_Return);
    EXPECT_FALSE(pView->isVisible()) << row.pCombo;
    EXPECT_EQ(pCombo->currentText(), row.pPicked) << row.pCombo;
    EXPECT_EQ(ReportHeads().size(), nBefore) << "Enter in the list of " << row.pCombo;

    // with the list closed, Enter is the default button's again
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(ReportHeads().size(), nBefore + 1) << "Enter on " << row.pCombo;
  }
}

// A mnemonic animates the button's click, which lands a moment later. (QtTest's QTRY_ macros
// report to QtTest's own runner, not to this one, so the waits are plain checks.)
TEST_F(WindowTest, AcceleratorsClickTheirButtons) {
  Enter("*rst");
  ASSERT_GT(Panel()->LineCount(), 0);
  QTest::keyClick(Input(), Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Panel()->LineCount() == 0; })) << "Clear";

  QTest::keyClick(Input(), Qt::Key_V, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return seam.vOpened.size() == 1; })) << "View User Manual";
  EXPECT_TRUE(seam.vOpened[0].toLocalFile().endsWith("/ParsolaManual.pdf"));

  QTest::keyClick(Input(), Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return seam.iSaveDialogs == 1; })) << "Save to File...";

  QTest::keyClick(Input(), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frm.isVisible(); })) << "Exit";
}

// --- input history ----------------------------------------------------------------------------

TEST_F(WindowTest, InputHistoryKeepsEachNonEmptyTextOnceWithLetterCaseSignificant) {
  const struct {
    const char* pTyped;
    QStringList history;  // the drop-down list afterwards
  } steps[] = {
      {"*rst", {"*rst"}},
      {"*rst", {"*rst"}},
      {"", {"*rst"}},
      {"*RST", {"*rst", "*RST"}},
      {"*rst ", {"*rst", "*RST", "*rst "}},
      {"*RST", {"*rst", "*RST", "*rst "}},
  };
  int iReports = 0;
  QStringList historyBox;
  for (const auto& step : steps) {
    Enter(step.pTyped);
    ++iReports;
    historyBox << step.pTyped;
    EXPECT_EQ(InputHistory(), step.history) << "after \"" << step.pTyped << "\"";
    EXPECT_EQ(static_cast<int>(ReportHeads().size()), iReports) << "after \"" << step.pTyped << "\"";
    EXPECT_EQ(ReportHeads().back(), "Parsing Input String: \"" + std::string(step.pTyped) + "\"");
    EXPECT_EQ(Input()->currentText(), step.pTyped);
    EXPECT_EQ(Input()->lineEdit()->selectedText(), step.pTyped);
    EXPECT_TRUE(Input()->hasFocus());
  }
  EXPECT_EQ(History(), historyBox.join('\n'));
}

TEST_F(WindowTest, EmptyInputStillWritesAReportAndAnEmptyHistoryLine) {
  Enter("");
  ASSERT_GE(Panel()->LineCount(), 4);
  EXPECT_EQ(Line(0), "Parsing Input String: \"\"");
  EXPECT_EQ(Line(1), "");
  EXPECT_EQ(Line(2), "Input Command 1:");
  const int iLast = Panel()->LineCount() - 1;
  EXPECT_EQ(Line(iLast - 1), "Parsing Complete.");
  EXPECT_EQ(Line(iLast), "");
  EXPECT_EQ(Panel()->Level(iLast), 1);
  EXPECT_EQ(Input()->count(), 0);
  Enter("*rst");
  EXPECT_EQ(History(), "\n*rst");  // an empty line, then *rst
}

TEST_F(WindowTest, InputIsHandedOverAsUtf8AndShownDecoded) {
  Enter(QString::fromUtf8("syst:err? \"Gr\xC3\xBC\xC3\x9F" "e\""));
  EXPECT_EQ(Line(0), "Parsing Input String: \"syst:err? \"Gr\xC3\xBC\xC3\x9F" "e\"\"");
  const QModelIndex first = Panel()->model()->index(0, 0);
  EXPECT_EQ(first.data().toString(),
            QString::fromUtf8("Parsing Input String: \"syst:err? \"Gr\xC3\xBC\xC3\x9F" "e\"\""));
}

// --- samples ----------------------------------------------------------------------------------

TEST_F(WindowTest, SampleButtonsParseTheirTextsAndLeaveTheInputHistory) {
  const struct {
    const char* pButton;
    const char* pHead;
  } rows[] = {
      {"cmdSample1", "Parsing Input String: \"conf:freq 12.5kHz\""},
      {"cmdSample2", "Parsing Input String: \"Sense:Volt:DC:nplcycles maximum\""},
      {"cmdSample3", "Parsing Input String: \"meas:volt:dc? 1kv, min; :calc:function dbm\""},
      {"cmdSample4", "Parsing Input String: \"output:ttltrg5;:syst:err:enable (17:22,25,39:51)\""},
      {"cmdCboSamples", "Parsing Input String: \"*cls\""},
  };
  for (const auto& row : rows) {
    Child<QPushButton>(row.pButton)->click();
    EXPECT_EQ(ReportHeads().back(), row.pHead) << row.pButton;
  }
  EXPECT_EQ(Input()->count(), 0);
  EXPECT_EQ(History().split('\n').size(), 5);
}

TEST_F(WindowTest, EverySampleItemParsesItsOwnTextIncludingTheEmptyOnes) {
  auto* pSamples = Child<QComboBox>("cboSamples");
  for (int i = 0; i < pSamples->count(); ++i) {
    pSamples->setCurrentIndex(i);
    Child<QPushButton>("cmdCboSamples")->click();
    EXPECT_EQ(ReportHeads().back(),
              "Parsing Input String: \"" + EXPECTED_SAMPLES[i] + "\"")
        << "item " << i;
    EXPECT_EQ(Panel()->Lines().back(), "");
    EXPECT_EQ(Panel()->Level(Panel()->LineCount() - 1), 1);
  }
  EXPECT_EQ(History().split('\n').last(), "");
}

// --- trace ------------------------------------------------------------------------------------

TEST_F(WindowTest, TraceLinesAppearOnlyWhileTheBoxIsTicked) {
  auto countTraceLines = [this] {
    int n = 0;
    for (int i = 0; i < Panel()->LineCount(); ++i) n += Panel()->Level(i) >= 3 ? 1 : 0;
    return n;
  };
  Enter("*rst");
  EXPECT_EQ(countTraceLines(), 0);

  Child<QCheckBox>("chkAccFuncs")->click();
  EXPECT_TRUE(frm.Tracing());
  const int iStart = Panel()->LineCount();
  Enter("*rst");
  const int iTraced = countTraceLines();
  ASSERT_GT(iTraced, 0);
  EXPECT_EQ(Line(iStart), "Parsing Input String: \"*rst\"");
  EXPECT_EQ(Line(iStart + 3).rfind("      SCPI_Parse(", 0), 0u) << Line(iStart + 3);
  EXPECT_EQ(Panel()->Level(iStart + 3), 3);

  Child<QCheckBox>("chkAccFuncs")->click();
  EXPECT_FALSE(frm.Tracing());
  Enter("*rst");
  EXPECT_EQ(countTraceLines(), iTraced);  // earlier trace lines stay, no new ones
}

// --- links and exit ---------------------------------------------------------------------------

TEST_F(WindowTest, ManualButtonOpensTheManualBesideTheExecutable) {
  Child<QPushButton>("Button1")->click();
  ASSERT_EQ(seam.vOpened.size(), 1u);
  const QString sExpected =
      QFileInfo(QCoreApplication::applicationDirPath() + "/ParsolaManual.pdf").absoluteFilePath();
  EXPECT_EQ(seam.vOpened[0], QUrl::fromLocalFile(sExpected));
  EXPECT_TRUE(seam.vMessages.empty());  // the shell's answer is not looked at
}

TEST_F(WindowTest, WebsiteLabelOpensTheMakersAddress) {
  auto* pLabel = Child<QLabel>("lblWebsite2");
  QTest::mouseClick(pLabel, Qt::LeftButton, {}, pLabel->rect().center());
  ASSERT_EQ(seam.vOpened.size(), 1u);
  const QUrl url = seam.vOpened[0];
  EXPECT_TRUE(url.isValid());
  EXPECT_TRUE(url.scheme() == "https" || url.scheme() == "http") << url.toString().toStdString();
  EXPECT_TRUE(url.toString().contains(pLabel->text())) << pLabel->text().toStdString();
  QTest::mouseClick(pLabel, Qt::RightButton, {}, pLabel->rect().center());
  EXPECT_EQ(seam.vOpened.size(), 1u);
}

TEST_F(WindowTest, ExitClosesTheWindow) {
  Child<QPushButton>("cmdExit")->click();
  EXPECT_FALSE(frm.isVisible());
}

// --- manual path ------------------------------------------------------------------------------

TEST(ManualPath, IsCutAfterTheLastSeparator) {
  const struct {
    const char* pExe;
    const char* pSeparators;
    const char* pManual;
  } rows[] = {
      {"/usr/local/bin/parsola", "/", "/usr/local/bin/ParsolaManual.pdf"},
      {"/parsola", "/", "/ParsolaManual.pdf"},
      {"build/app/gui/parsola", "/", "build/app/gui/ParsolaManual.pdf"},
      {"parsola", "/", "ParsolaManual.pdf"},  // no separator: a bare, relative name
      {"", "/", "ParsolaManual.pdf"},
      {"/opt/odd\\name/parsola", "/", "/opt/odd\\name/ParsolaManual.pdf"},
      {"C:\\Tools\\Parsola.exe", "\\/", "C:\\Tools\\ParsolaManual.pdf"},
      {"C:/Tools/Parsola.exe", "\\/", "C:/Tools/ParsolaManual.pdf"},
      {"C:\\Tools/sub\\Parsola.exe", "\\/", "C:\\Tools/sub\\ParsolaManual.pdf"},
      {"Parsola.exe", "\\/", "ParsolaManual.pdf"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(parsola::ManualNextTo(row.pExe, row.pSeparators), row.pManual) << row.pExe;
  EXPECT_EQ(parsola::ManualNextTo("/a/b"), "/a/ParsolaManual.pdf");
}

TEST(ManualPath, LooksBesideTheExecutableFirstThenInTheDocumentationFolder) {
  QTemporaryDir bin, doc;
  ASSERT_TRUE(bin.isValid() && doc.isValid());
  const QString sExe = bin.filePath("parsola");
  const QString sBeside = bin.filePath("ParsolaManual.pdf");
  const QString sInstalled = QDir(doc.path()).filePath("ParsolaManual.pdf");
  auto touch = [](const QString& sPath) {
    QFile file(sPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  };

  EXPECT_EQ(parsola::LocateManual(sExe, doc.path()), sBeside);  // neither: beside
  EXPECT_EQ(parsola::LocateManual(sExe, ""), sBeside);
  touch(sInstalled);
  EXPECT_EQ(parsola::LocateManual(sExe, doc.path()), sInstalled);
  // As installed: the folder relative to the executable's.
  const QString sRelative = QDir(bin.path()).relativeFilePath(doc.path());
  EXPECT_EQ(QFileInfo(parsola::LocateManual(sExe, sRelative)).canonicalFilePath(),
            QFileInfo(sInstalled).canonicalFilePath());
  EXPECT_EQ(parsola::LocateManual(sExe, ""), sBeside);
  touch(sBeside);
  EXPECT_EQ(parsola::LocateManual(sExe, doc.path()), sBeside);
}

// --- exceptions -------------------------------------------------------------------------------

TEST(Exceptions, EscapingAHandlerShowsAStopBoxAndTheProgramGoesOn) {
  TRecordingSeam seam;
  QPushButton button("Throw");
  int iClicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&iClicks] {
    if (++iClicks == 1) throw std::runtime_error("Out of cheese");
  });
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));

  QTest::mouseClick(&button, Qt::LeftButton);
  ASSERT_EQ(seam.vMessages.size(), 1u);
  EXPECT_EQ(seam.vMessages[0].eIcon, QMessageBox::Critical);
  EXPECT_EQ(seam.vMessages[0].sTitle, "Orvane-SCPI Parser Demo Application");
  EXPECT_EQ(seam.vMessages[0].sText, "Out of cheese");

  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(iClicks, 2);
  EXPECT_EQ(seam.vMessages.size(), 1u);
}

}  // namespace
