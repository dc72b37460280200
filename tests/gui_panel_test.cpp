// SPDX-License-Identifier: MIT
// The results panel: level rules, capacity, selection, painting, horizontal extent, clearing.
#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <string>

#include "frm_main.h"
#include "gui_test_support.h"
#include "results_delegate.h"
#include "results_panel.h"

namespace {

const char FULL[] = "This display is full - Clear items before continuing.";

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    pPanel = frm.findChild<TResultsPanel*>("lstOutput");
    ASSERT_NE(pPanel, nullptr);
  }
  void Trace(bool bOn) {
    auto* pBox = frm.findChild<QCheckBox*>("chkAccFuncs");
    pBox->setChecked(bOn);
  }
  int Width(const std::string& sText) {
    return QFontMetrics(frm.font()).horizontalAdvance(QString::fromStdString(sText));
  }
  int CurrentRow() { return pPanel->currentIndex().row(); }
  /// The colour painted in the middle of the row's right half.
  QColor RowColour(int iRow) {
    pPanel->scrollTo(pPanel->model()->index(iRow, 0));
    const QRect row = pPanel->visualRect(pPanel->model()->index(iRow, 0));
    const QImage image = pPanel->viewport()->grab().toImage();
    return image.pixelColor(pPanel->viewport()->width() - 4, row.center().y());
  }

  TRecordingSeam seam;
  TfrmMain frm;
  TResultsPanel* pPanel = nullptr;
};

TEST_F(PanelTest, LevelsDecideWhichLinesAreKept) {
  const struct {
    int iLevel;
    bool bTracing;
    bool bKept;
  } rows[] = {
      {0, false, true},  {1, false, true},  {2, false, true},  {3, false, false},
      {4, false, false}, {5, false, false}, {255, false, false},
      {0, true, true},   {1, true, true},   {2, true, true},   {3, true, true},
      {4, true, true},   {5, true, false},  {200, true, false},
  };
  for (const auto& row : rows) {
    Trace(row.bTracing);
    const int iBefore = pPanel->LineCount();
    frm.AddOutputLine(static_cast<uint8_t>(row.iLevel), "line");
    EXPECT_EQ(pPanel->LineCount(), iBefore + (row.bKept ? 1 : 0))
        << "level " << row.iLevel << (row.bTracing ? " traced" : "");
    if (row.bKept) {
      EXPECT_EQ(pPanel->Level(iBefore), row.iLevel);
    }
  }
}

TEST_F(PanelTest, TraceLinesAreIndentedTwoBlanksPerLevel) {
  Trace(true);
  frm.AddTraceLine(3, "abc");
  frm.AddTraceLine(4, "abc");
  frm.AddTraceLine(5, "abc");
  ASSERT_EQ(pPanel->LineCount(), 2);
  EXPECT_EQ(pPanel->Lines()[0], "      abc");
  EXPECT_EQ(pPanel->Lines()[1], "        abc");
  EXPECT_EQ(pPanel->Level(0), 3);
  EXPECT_EQ(pPanel->Level(1), 4);

  Trace(false);
  frm.AddTraceLine(3, "abc");
  EXPECT_EQ(pPanel->LineCount(), 2);  // the lines already there stay
}

TEST_F(PanelTest, NewestLineIsSelected) {
  for (int i = 0; i < 40; ++i) {
    frm.AddOutputLine(2, "line " + std::to_string(i));
    QCoreApplication::processEvents();
    ASSERT_EQ(CurrentRow(), i);
    ASSERT_EQ(pPanel->selectionModel()->selectedRows().size(), 1);
  }
  QCoreApplication::processEvents();
  // Selecting the newest line scrolled it into view.
  const QRect last = pPanel->visualRect(pPanel->model()->index(39, 0));
  EXPECT_TRUE(pPanel->viewport()->rect().contains(last)) << last.y();
}

TEST_F(PanelTest, HoldsAtMost32768LinesTheLastBeingTheFullMessage) {
  Trace(true);
  for (int i = 0; i < TResultsPanel::CAPACITY - 1; ++i) frm.AddOutputLine(1 + i % 4, "x");
  ASSERT_EQ(pPanel->LineCount(), 32767);
  EXPECT_EQ(pPanel->Level(32765), 2);
  EXPECT_EQ(pPanel->Level(32766), 3);

  frm.AddOutputLine(3, "one line too many");
  ASSERT_EQ(pPanel->LineCount(), 32768);
  EXPECT_EQ(pPanel->Lines().back(), FULL);
  EXPECT_EQ(pPanel->Level(32767), 2);
  QCoreApplication::processEvents();
  EXPECT_EQ(CurrentRow(), 32767);
  EXPECT_EQ(pPanel->MaxExtent(), TResultsPanel::ExtentForWidth(Width(FULL)));

  for (int iLevel = 1; iLevel <= 4; ++iLevel) frm.AddOutputLine(iLevel, "dropped");
  EXPECT_EQ(pPanel->LineCount(), 32768);
  EXPECT_EQ(pPanel->Lines().back(), FULL);

  frm.findChild<QPushButton*>("cmdClearOutput")->click();
  frm.AddOutputLine(1, "again");
  ASSERT_EQ(pPanel->LineCount(), 1);
  EXPECT_EQ(pPanel->Level(0), 1);
}

TEST(PanelExtent, IsTheWidthTimes1Point2Plus2Truncated) {
  const struct {
    int iWidth;
    int iExtent;
  } rows[] = {{0, 2}, {1, 3}, {3, 5}, {4, 6}, {5, 8}, {50, 62}, {100, 122}, {333, 401},
              {1000, 1202}, {4999, 6000}};
  for (const auto& row : rows)
    EXPECT_EQ(TResultsPanel::ExtentForWidth(row.iWidth), row.iExtent) << row.iWidth;
}

TEST_F(PanelTest, ExtentOnlyGrowsUntilTheNextClear) {
  const std::string sLong(120, 'W');
  const std::string sShort = "short";
  const int iLong = TResultsPanel::ExtentForWidth(Width(sLong));
  const int iShort = TResultsPanel::ExtentForWidth(Width(sShort));
  ASSERT_GT(iLong, pPanel->viewport()->width());

  frm.AddOutputLine(1, sLong);
  EXPECT_EQ(pPanel->MaxExtent(), iLong);
  frm.AddOutputLine(1, sShort);
  EXPECT_EQ(pPanel->MaxExtent(), iLong);
  // Bold report lines are measured in the regular font all the same.
  frm.AddOutputLine(2, sLong);
  EXPECT_EQ(pPanel->MaxExtent(), iLong);
  QCoreApplication::processEvents();
  EXPECT_EQ(pPanel->horizontalScrollBar()->maximum(), iLong - pPanel->viewport()->width());

  frm.findChild<QPushButton*>("cmdClearOutput")->click();
  EXPECT_EQ(pPanel->MaxExtent(), 0);
  frm.AddOutputLine(1, sShort);
  EXPECT_EQ(pPanel->MaxExtent(), iShort);
  QCoreApplication::processEvents();
  EXPECT_EQ(pPanel->horizontalScrollBar()->maximum(), 0);
}

TEST_F(PanelTest, RowsAre16PixelsHighAndPaintedByLevel) {
  Trace(true);
  const struct {
    int iLevel;
    QColor background;
  } rows[] = {
      {1, QColor(255, 255, 255)}, {2, QColor(253, 254, 184)}, {3, QColor(193, 235, 255)},
      {4, QColor(193, 235, 255)}, {0, QColor(255, 255, 255)}, {2, QColor(253, 254, 184)},
  };
  for (const auto& row : rows) frm.AddOutputLine(static_cast<uint8_t>(row.iLevel), "text");
  QCoreApplication::processEvents();
  for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
    const QRect rect = pPanel->visualRect(pPanel->model()->index(i, 0));
    EXPECT_EQ(rect.height(), TResultsDelegate::ROW_HEIGHT) << "row " << i;
    // The selected last row looks like any other of its level.
    EXPECT_EQ(RowColour(i), rows[i].background) << "row " << i;
    EXPECT_EQ(TResultsDelegate::Background(rows[i].iLevel), rows[i].background);
  }
  EXPECT_EQ(pPanel->visualRect(pPanel->model()->index(1, 0)).top() -
                pPanel->visualRect(pPanel->model()->index(0, 0)).top(),
            16);
}

TEST_F(PanelTest, TextIsBlackAndBoldOnlyAtLevel2) {
  frm.AddOutputLine(1, "IIIIIIIIIIIIIIII");
  frm.AddOutputLine(2, "IIIIIIIIIIIIIIII");
  QCoreApplication::processEvents();
  const QImage image = pPanel->viewport()->grab().toImage();
  auto inkInRow = [&](int iRow) {
    const QRect rect = pPanel->visualRect(pPanel->model()->index(iRow, 0));
    int iDark = 0;
    int iDarkest = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      for (int x = rect.left(); x < rect.left() + 120; ++x) {
        const QColor c = image.pixelColor(x, y);
        const int iValue = qMax(c.red(), qMax(c.green(), c.blue()));
        iDark += iValue < 128 ? 1 : 0;
        iDarkest = qMin(iDarkest, iValue);
      }
    EXPECT_LE(iDarkest, 16) << "row " << iRow << ": the ink is black";
    return iDark;
  };
  const int iRegular = inkInRow(0);
  const int iBold = inkInRow(1);
  EXPECT_GT(iRegular, 0);
  EXPECT_GT(iBold, iRegular);
}

TEST_F(PanelTest, LinesAreShownDecodedFromUtf8AndKeptAsBytes) {
  const std::string sUtf8 = "Val=\"\xC2\xB5V \xE2\x84\xA6\"";
  frm.AddOutputLine(2, sUtf8);
  EXPECT_EQ(pPanel->Lines()[0], sUtf8);
  EXPECT_EQ(pPanel->model()->index(0, 0).data().toString(),
            QString::fromUtf8("Val=\"\xC2\xB5V \xE2\x84\xA6\""));
}

TEST_F(PanelTest, ClearingStartsTheLineNumbersAgain) {
  Trace(true);
  frm.AddOutputLine(3, "a");
  frm.AddOutputLine(4, "b");
  frm.findChild<QPushButton*>("cmdClearOutput")->click();
  EXPECT_EQ(pPanel->LineCount(), 0);
  EXPECT_EQ(pPanel->MaxExtent(), 0);
  frm.AddOutputLine(1, "c");
  frm.AddOutputLine(2, "d");
  ASSERT_EQ(pPanel->LineCount(), 2);
  EXPECT_EQ(pPanel->Lines()[0], "c");
  EXPECT_EQ(pPanel->Level(0), 1);
  EXPECT_EQ(pPanel->Level(1), 2);
  QCoreApplication::processEvents();
  EXPECT_EQ(CurrentRow(), 1);
  EXPECT_EQ(RowColour(0), QColor(255, 255, 255));
}

}  // namespace
