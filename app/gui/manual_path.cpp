// SPDX-License-Identifier: MIT
// Parsola window: where the user manual is looked for.
#include "manual_path.h"

#include <QDir>
#include <QFileInfo>

namespace parsola {

const char MANUAL_FILE[] = "ParsolaManual.pdf";

QString PathSeparators() {
#ifdef Q_OS_WIN
  return QStringLiteral("\\/");
#else
  return QStringLiteral("/");
#endif
}

QString ManualNextTo(const QString& sExePath, const QString& sSeparators) {
  qsizetype iKeep = sExePath.size();
  while (iKeep > 0 && !sSeparators.contains(sExePath.at(iKeep - 1))) --iKeep;
  return sExePath.left(iKeep) + QLatin1String(MANUAL_FILE);
}

QString LocateManual(const QString& sExePath, const QString& sDocDir) {
  const QString sBeside = ManualNextTo(sExePath);
  if (QFileInfo::exists(sBeside) || sDocDir.isEmpty()) return sBeside;
  // A relative documentation folder lies relative to the executable's folder.
  const QString sExeDir = sBeside.left(sBeside.size() - static_cast<qsizetype>(sizeof MANUAL_FILE - 1));
  const QString sInstalled =
      QDir(sExeDir).filePath(QDir(sDocDir).filePath(QLatin1String(MANUAL_FILE)));
  return QFileInfo::exists(sInstalled) ? sInstalled : sBeside;
}

QString InstalledDocDir() {
#ifdef ORVANE_DOC_DIR
  return QStringLiteral(ORVANE_DOC_DIR);
#else
  return {};
#endif
}

}  // namespace parsola
