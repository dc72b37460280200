// SPDX-License-Identifier: MIT
// Parsola window: where the user manual is looked for.
#ifndef PARSOLA_MANUAL_PATH_H
#define PARSOLA_MANUAL_PATH_H

#include <QString>

namespace parsola {

/// The manual's file name.
extern const char MANUAL_FILE[];

/// The path separators of this platform: "/" here, "\\/" on Windows.
QString PathSeparators();

/// Cuts sExePath after its last character that is one of sSeparators (or cuts it all when
/// there is none) and appends the manual's name. A path without a separator gives the bare,
/// relative name.
QString ManualNextTo(const QString& sExePath, const QString& sSeparators = PathSeparators());

/// The manual beside the executable if it is there; else the one in sDocDir (an installed
/// documentation folder, absolute or relative to the executable's folder, may be empty) if it is
/// there; else the path beside the executable.
QString LocateManual(const QString& sExePath, const QString& sDocDir);

/// The installed documentation folder this program was built for, as a rule relative to the
/// folder of the installed program, or an empty text.
QString InstalledDocDir();

}  // namespace parsola

#endif  // PARSOLA_MANUAL_PATH_H
