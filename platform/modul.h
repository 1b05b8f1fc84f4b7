#pragma once
// The program's own modules (the printer, the table reader), each loaded when first needed, so
// that the libraries they link cost nothing at start-up.

#include <QString>
#include <string>

class QLibrary;

namespace modul {

// The module of that file name ("gesamt-drucker.so"), loaded at the first call and kept; null
// when it cannot be loaded. It is looked for only where the program's own files are: the
// package's place seen from the program, or beside it, as in the build folder; and taken only
// where no other user could have put it (the file and the folders above it are root's or
// ours, and no one else may replace what lies in them).
QLibrary* laden(const QString& datei);

namespace testing {
// Where the build's modules are, for test programs, which do not lie beside them: from now on
// only there.
void ordnerSetzen(const std::string& ordner);
} // namespace testing

} // namespace modul
