// SPDX-License-Identifier: MIT
// Saving the results panel: the dialog, the file's bytes, and the message for every outcome.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <string>

#include "frm_main.h"
#include "gui_test_support.h"
#include "results_panel.h"

namespace {

const char TRY_AGAIN[] = "Please try again if you wish to save the results to file.";

std::string Header() {
  return "Orvane-SCPI Parser Demo Application - Parsing Results\r\n" + std::string(50, '=') +
         "\r\n"
         "\r\n"
         "Version Info\r\n"
         "------------\r\n"
         "Demo Application: V1.3.1\r\n"
         "Orvane-SCPI Parser:  V1.3.1\r\n"
         "\r\n"
         "\r\n"
         "Parsing Results Log\r\n"
         "-------------------\r\n"
         "\r\n";
}

const char FOOTER[] = "\r\n\r\nEND OF PARSING RESULTS LOG\r\n";

QByteArray ReadAll(const QString& sPath) {
  QFile file(sPath);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    seam.sSaveAnswer = dir.filePath("results.txt");
  }
  void Save() { frm.findChild<QPushButton*>("cmdSaveResults")->click(); }
  void ExpectOnlyMessage(QMessageBox::Icon eIcon, const QString& sTitle, const QString& sText) {
    ASSERT_EQ(seam.vMessages.size(), 1u);
    EXPECT_EQ(seam.vMessages[0].eIcon, eIcon);
    EXPECT_EQ(seam.vMessages[0].sTitle, sTitle);
    EXPECT_EQ(seam.vMessages[0].sText, sText);
  }

  QTemporaryDir dir;
  TRecordingSeam seam;
  TfrmMain frm;
};

TEST_F(SaveTest, EmptyPanelGivesTheFifteenLineLog) {
  Save();
  const QByteArray bytes = ReadAll(seam.sSaveAnswer);
  EXPECT_EQ(bytes.toStdString(), Header() + FOOTER);
  EXPECT_EQ(bytes.count("\r\n"), 15);
  EXPECT_EQ(bytes.count('\n'), 15);  // no bare line feeds
  EXPECT_TRUE(bytes.endsWith("END OF PARSING RESULTS LOG\r\n"));
  ExpectOnlyMessage(QMessageBox::Information, "Results Saved",
                    "Contents of Results Panel saved to file.");
}

TEST_F(SaveTest, FileHoldsEveryPanelLineAsItStands) {
  frm.findChild<QCheckBox*>("chkAccFuncs")->setChecked(true);
  frm.AddOutputLine(2, "Parsing Input String: \"*rst\"");
  frm.AddTraceLine(3, "SCPI_Parse( call )");
  frm.AddTraceLine(4, "Return Code:     0 /*OK*/");
  frm.AddOutputLine(2, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x84\xA6");
  frm.AddOutputLine(1, "");
  Save();
  EXPECT_EQ(ReadAll(seam.sSaveAnswer).toStdString(),
            Header() +
                "Parsing Input String: \"*rst\"\r\n"
                "      SCPI_Parse( call )\r\n"
                "        Return Code:     0 /*OK*/\r\n"
                "Gr\xC3\xBC\xC3\x9F" "e \xE2\x84\xA6\r\n"
                "\r\n" +
                FOOTER);
  EXPECT_EQ(frm.findChild<TResultsPanel*>("lstOutput")->LineCount(), 5);  // unchanged
}

TEST_F(SaveTest, ReportOfARealParseIsSavedLineForLine) {
  frm.findChild<QPushButton*>("cmdCboSamples")->click();  // *cls
  const auto& vLines = frm.findChild<TResultsPanel*>("lstOutput")->Lines();
  std::string sBody;
  for (const std::string& sLine : vLines) sBody += sLine + "\r\n";
  Save();
  EXPECT_EQ(ReadAll(seam.sSaveAnswer).toStdString(), Header() + sBody + FOOTER);
  EXPECT_EQ(vLines.front(), "Parsing Input String: \"*cls\"");
}

TEST_F(SaveTest, AnExistingFileIsReplaced) {
  QFile old(seam.sSaveAnswer);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(5000, 'o'));
  old.close();
  Save();
  EXPECT_EQ(ReadAll(seam.sSaveAnswer).toStdString(), Header() + FOOTER);
}

TEST_F(SaveTest, FullPanelSavesAll32768LinesWithTheMessageLast) {
  for (int i = 0; i < TResultsPanel::CAPACITY + 3; ++i) frm.AddOutputLine(2, "r");
  Save();
  const QByteArray bytes = ReadAll(seam.sSaveAnswer);
  EXPECT_EQ(bytes.count("\r\n"), 15 + TResultsPanel::CAPACITY);
  EXPECT_TRUE(bytes.endsWith("r\r\nThis display is full - Clear items before continuing.\r\n" +
                             QByteArray(FOOTER)));
}

TEST_F(SaveTest, CancelWritesNothingAndSaysNothing) {
  seam.sSaveAnswer.clear();
  frm.AddOutputLine(2, "kept");
  Save();
  EXPECT_EQ(seam.iSaveDialogs, 1);
  EXPECT_TRUE(seam.vMessages.empty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(SaveTest, FileThatCannotBeCreatedIsReportedWithItsName) {
  seam.sSaveAnswer = dir.filePath("no such folder/results.txt");
  Save();
  ExpectOnlyMessage(QMessageBox::Critical, "Could Not Save Results",
                    "Could not open/create file \"" + seam.sSaveAnswer +
                        "\".\nNO RESULTS WERE SAVED.\n\n" + TRY_AGAIN);
  EXPECT_FALSE(QFile::exists(seam.sSaveAnswer));
}

TEST_F(SaveTest, FailedWriteIsReported) {
  if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  seam.sSaveAnswer = "/dev/full";
  frm.AddOutputLine(2, "lost");
  Save();
  ExpectOnlyMessage(QMessageBox::Critical, "Error Saving Results",
                    QString("There was an error while writing to the file.\n"
                            "NOT ALL RESULTS WERE SAVED.\n\n") +
                        TRY_AGAIN);
}

// --- the real dialog --------------------------------------------------------------------------

/// Runs fnInspect on the save dialog as soon as it is shown.
void WhenDialogShows(std::function<void(QFileDialog&)> fnInspect) {
  QTimer::singleShot(0, [fnInspect] {
    auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(pDialog, nullptr);
    fnInspect(*pDialog);
  });
}

TEST(SaveDialog, AsksForATextFile) {
  QWidget owner;
  WhenDialogShows([](QFileDialog& dlg) {
    EXPECT_EQ(dlg.objectName(), "dlgSave");
    EXPECT_EQ(dlg.windowTitle(), "Save Results Panel to a Text File");
    EXPECT_EQ(dlg.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dlg.nameFilters(), QStringList({"Text files (*.txt)", "All files (*.*)"}));
    EXPECT_EQ(dlg.selectedNameFilter(), "Text files (*.txt)");
    EXPECT_EQ(dlg.defaultSuffix(), "txt");
    EXPECT_FALSE(dlg.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_FALSE(dlg.testOption(QFileDialog::ReadOnly));
    EXPECT_TRUE(dlg.isSizeGripEnabled());
    dlg.reject();
  });
  EXPECT_EQ(TUiSeam::Current().AskSaveFileName(&owner), "");
}

TEST(SaveDialog, AddsTheTextExtensionToANameTypedWithoutOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WhenDialogShows([&dir](QFileDialog& dlg) {
    dlg.setDirectory(dir.path());
    dlg.selectFile("mylog");
    static_cast<QDialog&>(dlg).accept();  // as the Save button does
  });
  EXPECT_EQ(TUiSeam::Current().AskSaveFileName(nullptr), dir.filePath("mylog.txt"));
}

TEST(SaveDialog, RefusesMissingFoldersAndReadOnlyFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString sReadOnly = dir.filePath("locked.txt");
  const QString sWritable = dir.filePath("open.txt");
  for (const QString& sPath : {sReadOnly, sWritable}) {
    QFile file(sPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QFile::setPermissions(sReadOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

  const struct {
    QString sPath;
    bool bRefused;
  } rows[] = {
      {dir.filePath("new.txt"), false},
      {sWritable, false},
      {sReadOnly, true},
      {dir.filePath("missing/new.txt"), true},
  };
  for (const auto& row : rows)
    EXPECT_EQ(!TUiSeam::SaveNameProblem(row.sPath).isEmpty(), row.bRefused)
        << row.sPath.toStdString();
}

}  // namespace
