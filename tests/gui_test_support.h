// SPDX-License-Identifier: MIT
// Shared by the window tests: the application object and a seam that records instead of asking.
#ifndef PARSOLA_GUI_TEST_SUPPORT_H
#define PARSOLA_GUI_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <memory>
#include <vector>

#include "parsola_application.h"
#include "ui_seam.h"

/// One application object for the whole test program (the offscreen platform comes from ctest).
class TGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "parsola_gui_test";
    static char* argv[] = {name, nullptr};
    pApp = std::make_unique<TParsolaApplication>(argc, argv);
  }
  void TearDown() override { pApp.reset(); }

 private:
  std::unique_ptr<TParsolaApplication> pApp;
};

inline ::testing::Environment* const pGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

/// A message box as it would have been shown.
struct TShownMessage {
  QMessageBox::Icon eIcon;
  QString sTitle;
  QString sText;
};

/// Answers the save dialog with a prepared name and records message boxes and opened URLs.
/// It is the current seam while it lives.
class TRecordingSeam : public TUiSeam {
 public:
  TRecordingSeam() { TUiSeam::Install(this); }
  ~TRecordingSeam() override { TUiSeam::Install(nullptr); }

  QString AskSaveFileName(QWidget*) override {
    ++iSaveDialogs;
    return sSaveAnswer;
  }
  void ShowMessage(QWidget*, QMessageBox::Icon eIcon, const QString& sTitle,
                   const QString& sText) override {
    vMessages.push_back({eIcon, sTitle, sText});
  }
  void OpenUrl(const QUrl& url) override { vOpened.push_back(url); }

  QString sSaveAnswer;  // empty: the user cancels
  int iSaveDialogs = 0;
  std::vector<TShownMessage> vMessages;
  std::vector<QUrl> vOpened;
};

#endif  // PARSOLA_GUI_TEST_SUPPORT_H
