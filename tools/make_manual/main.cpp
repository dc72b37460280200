// SPDX-License-Identifier: MIT
// make_manual: turns the Markdown user manual into ParsolaManual.pdf with Qt's own text
// document and PDF writer, filling in the tables generated from the compiled-in command set.
//
//   make_manual --version V1.3.1 --root SOURCE_DIR --pdf ParsolaManual.pdf
//               [--markdown ParsolaManual.md] FILE.md...
//
// A line "<!-- include: PATH -->" is replaced by the file PATH (relative to SOURCE_DIR) as a
// fenced code block, so the manual shows the example programs the tests build.
// Run it with QT_QPA_PLATFORM=offscreen where no display is available.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLength>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "manual_tables.h"

namespace {

const char* const BODY_FONT = "Liberation Sans";
const char* const CODE_FONT = "Liberation Mono";
constexpr int BODY_POINTS = 10;
constexpr int CODE_BLOCK_POINTS = 8;
// QTextDocument::print() keeps 2 cm free on every side of the page (the page number sits in the
// bottom one), so the writer itself adds no margin.
constexpr qreal PRINT_MARGIN_MM = 20;
constexpr qreal POINTS_PER_MM = 72 / 25.4;
// print() lays the document out at 96 units per inch.
constexpr qreal LAYOUT_UNITS_PER_POINT = 96.0 / 72;
constexpr int PDF_DPI = 300;
const QColor TABLE_RULE(0x9a, 0xa4, 0xb0);
const QColor TABLE_HEADER(0xe4, 0xec, 0xf4);
const QColor CODE_BACKGROUND(0xf3, 0xf5, 0xf7);

struct Options {
  QString sVersion;
  QString sRoot = ".";
  QString sPdf;
  QString sMarkdown;
  QStringList sInputs;
};

bool ParseOptions(const QStringList& sArgs, Options* psOpt) {
  for (int i = 1; i < sArgs.size(); ++i) {
    const QString& s = sArgs[i];
    bool bHasValue = i + 1 < sArgs.size();
    if (s == "--version" && bHasValue) {
      psOpt->sVersion = sArgs[++i];
    } else if (s == "--root" && bHasValue) {
      psOpt->sRoot = sArgs[++i];
    } else if (s == "--pdf" && bHasValue) {
      psOpt->sPdf = sArgs[++i];
    } else if (s == "--markdown" && bHasValue) {
      psOpt->sMarkdown = sArgs[++i];
    } else if (s.startsWith("--")) {
      return false;
    } else {
      psOpt->sInputs << s;
    }
  }
  return !psOpt->sPdf.isEmpty() && !psOpt->sInputs.isEmpty();
}

bool ReadAll(const QStringList& sFiles, std::string* psText) {
  for (const QString& sFile : sFiles) {
    QFile f(sFile);
    if (!f.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "make_manual: cannot read %s\n", qPrintable(sFile));
      return false;
    }
    *psText += f.readAll().toStdString();
    *psText += "\n\n";
  }
  return true;
}

/// Replaces each include marker line by the named file, fenced as code.
bool IncludeFiles(const QString& sRoot, std::string* psText) {
  const std::string sOpen = "<!-- include: ";
  const std::string sClose = " -->";
  std::string sOut;
  size_t uiPos = 0;
  while (uiPos < psText->size()) {
    size_t uiEnd = psText->find('\n', uiPos);
    if (uiEnd == std::string::npos) uiEnd = psText->size();
    std::string sLine = psText->substr(uiPos, uiEnd - uiPos);
    uiPos = uiEnd + 1;
    size_t uiClose = sLine.rfind(sClose);
    if (sLine.rfind(sOpen, 0) != 0 || uiClose == std::string::npos) {
      sOut += sLine + "\n";
      continue;
    }
    QString sPath = QString::fromStdString(sLine.substr(sOpen.size(), uiClose - sOpen.size()));
    std::string sFile;
    if (!ReadAll({sRoot + "/" + sPath}, &sFile)) return false;
    while (!sFile.empty() && sFile.back() == '\n') sFile.pop_back();
    std::string sLang = sPath.endsWith(".c") ? "c" : sPath.endsWith(".cpp") ? "cpp" : "";
    sOut += "```" + sLang + "\n" + sFile + "\n```\n";
  }
  *psText = sOut;
  return true;
}

bool WriteFile(const QString& sFile, const std::string& sText) {
  QFile f(sFile);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         f.write(sText.data(), static_cast<qint64>(sText.size())) ==
             static_cast<qint64>(sText.size());
}

/// Every chapter (level-1 heading) after the first starts on a new page.
void BreakBeforeChapters(QTextDocument* pDoc) {
  bool bFirst = true;
  for (QTextBlock b = pDoc->begin(); b.isValid(); b = b.next()) {
    if (b.blockFormat().headingLevel() != 1) continue;
    if (bFirst) {
      bFirst = false;
      continue;
    }
    QTextCursor c(b);
    QTextBlockFormat fmt = b.blockFormat();
    fmt.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.setBlockFormat(fmt);
  }
}

/// Code in a monospaced face that every Debian desktop has: spans a point smaller than the
/// text; blocks shaded, wrapped, and small enough that a line of 100 columns fits the page.
void StyleCode(QTextDocument* pDoc) {
  for (QTextBlock b = pDoc->begin(); b.isValid(); b = b.next()) {
    QTextBlockFormat blockFmt = b.blockFormat();
    if (blockFmt.hasProperty(QTextFormat::BlockCodeFence) || blockFmt.nonBreakableLines()) {
      QTextCursor c(b);
      blockFmt.setNonBreakableLines(false);
      blockFmt.setBackground(CODE_BACKGROUND);
      c.setBlockFormat(blockFmt);
      c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      QTextCharFormat fmt;
      fmt.setFontFamilies({QString(CODE_FONT)});
      fmt.setFontPointSize(CODE_BLOCK_POINTS);
      c.mergeCharFormat(fmt);
      continue;
    }
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      QTextFragment frag = it.fragment();
      if (!frag.isValid() || !frag.charFormat().fontFixedPitch()) continue;
      QTextCursor c(pDoc);
      c.setPosition(frag.position());
      c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
      QTextCharFormat fmt;
      fmt.setFontFamilies({QString(CODE_FONT)});
      fmt.setFontPointSize(BODY_POINTS - 1);
      c.mergeCharFormat(fmt);
    }
  }
}

/// Loads every image from the chapters' folder and scales it down to the text width (in the
/// layout's units); an image that cannot be read is named on stderr and left out.
void FitImages(QTextDocument* pDoc, const QDir& dir, qreal fdTextWidth) {
  std::vector<int> vPositions;
  for (QTextBlock b = pDoc->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().isImageFormat()) vPositions.push_back(it.fragment().position());
    }
  }
  // Backwards, so that removing an image does not move the ones still to do.
  for (auto it = vPositions.rbegin(); it != vPositions.rend(); ++it) {
    const int iPos = *it;
    QTextCursor c(pDoc);
    c.setPosition(iPos);
    c.setPosition(iPos + 1, QTextCursor::KeepAnchor);
    QTextImageFormat fmt = c.charFormat().toImageFormat();
    QImage image(dir.filePath(fmt.name()));
    if (image.isNull()) {
      std::fprintf(stderr, "make_manual: no image %s, left out\n", qPrintable(fmt.name()));
      c.removeSelectedText();
      continue;
    }
    pDoc->addResource(QTextDocument::ImageResource, QUrl(fmt.name()), image);
    qreal fdScale = std::min<qreal>(1, fdTextWidth / image.width());
    fmt.setWidth(image.width() * fdScale);
    fmt.setHeight(image.height() * fdScale);
    c.setCharFormat(fmt);
  }
}

/// Thin ruled tables with a shaded header row.
void StyleTables(QTextFrame* pFrame) {
  for (QTextFrame* pChild : pFrame->childFrames()) {
    if (QTextTable* pTable = qobject_cast<QTextTable*>(pChild)) {
      QTextTableFormat fmt = pTable->format();
      fmt.setBorder(0.5);
      fmt.setBorderBrush(TABLE_RULE);
      fmt.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      fmt.setBorderCollapse(true);
      fmt.setCellSpacing(0);
      fmt.setCellPadding(3);
      fmt.setHeaderRowCount(1);
      fmt.setWidth(QTextLength(QTextLength::PercentageLength, 100));
      pTable->setFormat(fmt);
      for (int iCol = 0; iCol < pTable->columns(); ++iCol) {
        QTextTableCell cell = pTable->cellAt(0, iCol);
        QTextCharFormat cellFmt = cell.format();
        cellFmt.setBackground(TABLE_HEADER);
        cell.setFormat(cellFmt);
      }
    }
    StyleTables(pChild);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  Options sOpt;
  if (!ParseOptions(app.arguments(), &sOpt)) {
    std::fprintf(stderr,
                 "usage: make_manual --version TEXT [--root DIR] --pdf OUT.pdf [--markdown OUT.md] "
                 "FILE.md...\n");
    return 2;
  }
  std::string sMarkdown;
  if (!ReadAll(sOpt.sInputs, &sMarkdown) || !IncludeFiles(sOpt.sRoot, &sMarkdown)) return 1;
  std::string sError;
  if (!manual::ExpandMarkers(&sMarkdown, sOpt.sVersion.toStdString(), &sError)) {
    std::fprintf(stderr, "make_manual: %s\n", sError.c_str());
    return 1;
  }
  if (!sOpt.sMarkdown.isEmpty() && !WriteFile(sOpt.sMarkdown, sMarkdown)) {
    std::fprintf(stderr, "make_manual: cannot write %s\n", qPrintable(sOpt.sMarkdown));
    return 1;
  }

  QFile::remove(sOpt.sPdf);  // so that a failed write cannot leave an old manual in place
  QPdfWriter writer(sOpt.sPdf);
  writer.setTitle("Parsola User Manual");
  writer.setCreator("Orvane-SCPI Parser " + sOpt.sVersion);
  writer.setResolution(PDF_DPI);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

  QTextDocument doc;
  doc.setDefaultFont(QFont(BODY_FONT, BODY_POINTS));
  doc.setMarkdown(QString::fromStdString(sMarkdown), QTextDocument::MarkdownDialectGitHub);
  BreakBeforeChapters(&doc);
  StyleCode(&doc);
  StyleTables(doc.rootFrame());
  const qreal fdTextWidth = (writer.pageLayout().paintRect(QPageLayout::Point).width() -
                             2 * PRINT_MARGIN_MM * POINTS_PER_MM) *
                            LAYOUT_UNITS_PER_POINT;
  // Images are named relative to the chapters' folder.
  FitImages(&doc, QFileInfo(sOpt.sInputs.first()).absoluteDir(), fdTextWidth);
  doc.print(&writer);
  if (QFileInfo(sOpt.sPdf).size() == 0) {
    std::fprintf(stderr, "make_manual: cannot write %s\n", qPrintable(sOpt.sPdf));
    return 1;
  }
  return 0;
}
