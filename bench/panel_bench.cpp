// SPDX-License-Identifier: MIT
// Window benchmarks, offscreen: filling the results panel to its capacity through AddOutputLine,
// and saving a full panel through the Save button. One item is one fill or one save; a fill
// includes the layout and repaint the window does once the lines are in.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "frm_main.h"
#include "results_panel.h"
#include "ui_seam.h"

namespace {

struct PanelLine {
  uint8_t ucLevel;
  std::string sText;
};

// Report and trace lines as the window shows them: "<level>\t<text>" per line of the file.
const std::vector<PanelLine>& Lines() {
  static const std::vector<PanelLine> vLines = [] {
    std::vector<PanelLine> v;
    std::ifstream sFile(ORVANE_PANEL_LINES);
    for (std::string sLine; std::getline(sFile, sLine);) {
      const size_t uTab = sLine.find('\t');
      if (uTab == 1) v.push_back({static_cast<uint8_t>(sLine[0] - '0'), sLine.substr(2)});
    }
    return v;
  }();
  return vLines;
}

// Answers the save dialog with a file in a scratch folder and notes the outcome.
class SaveSeam : public TUiSeam {
 public:
  QString sPath;
  bool bSaved = false;
  QString AskSaveFileName(QWidget*) override { return sPath; }
  void ShowMessage(QWidget*, QMessageBox::Icon eIcon, const QString&, const QString&) override {
    bSaved = eIcon == QMessageBox::Information;
  }
  void OpenUrl(const QUrl&) override {}
};

struct Window {
  TfrmMain frm;
  // TResultsPanel has no meta-object of its own, so it is found by name and cast.
  TResultsPanel* pPanel =
      static_cast<TResultsPanel*>(frm.findChild<QListView*>(QStringLiteral("lstOutput")));
  QPushButton* pClear = frm.findChild<QPushButton*>(QStringLiteral("cmdClearOutput"));
  QPushButton* pSave = frm.findChild<QPushButton*>(QStringLiteral("cmdSaveResults"));

  Window() {
    frm.SetTracing(true);  // trace lines are kept, as with chkAccFuncs ticked
    frm.show();
    QCoreApplication::processEvents();
  }
  void Fill() {
    const std::vector<PanelLine>& v = Lines();
    for (int i = 0; i < TResultsPanel::CAPACITY; ++i) {
      const PanelLine& sLine = v[static_cast<size_t>(i) % v.size()];
      frm.AddOutputLine(sLine.ucLevel, sLine.sText);
    }
    QCoreApplication::processEvents();
  }
};

// Made on first use and closed before the application object goes.
std::unique_ptr<Window> gpWindow;

Window& TheWindow() {
  if (!gpWindow) gpWindow = std::make_unique<Window>();
  return *gpWindow;
}

void BM_FillPanel(benchmark::State& state) {
  Window& w = TheWindow();
  if (w.pPanel == nullptr || w.pClear == nullptr || Lines().empty()) {
    state.SkipWithError("window controls or panel lines not found");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    w.pClear->click();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    w.Fill();
  }
  if (w.pPanel->LineCount() != TResultsPanel::CAPACITY) state.SkipWithError("panel not full");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetLabel("panel filled (32768 lines)");
}
BENCHMARK(BM_FillPanel)->Unit(benchmark::kMillisecond);

void BM_SaveFullPanel(benchmark::State& state) {
  Window& w = TheWindow();
  if (w.pPanel == nullptr || w.pSave == nullptr || w.pClear == nullptr) {
    state.SkipWithError("window controls not found");
    return;
  }
  w.pClear->click();
  w.Fill();
  QTemporaryDir sDir;
  SaveSeam sSeam;
  sSeam.sPath = QDir(sDir.path()).filePath(QStringLiteral("results.txt"));
  TUiSeam::Install(&sSeam);
  for (auto _ : state) {
    sSeam.bSaved = false;
    w.pSave->click();
    if (!sSeam.bSaved) {
      state.SkipWithError("not saved");
      break;
    }
  }
  TUiSeam::Install(nullptr);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetLabel("full panel saved");
}
BENCHMARK(BM_SaveFullPanel)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  gpWindow.reset();
  benchmark::Shutdown();
  return 0;
}
