#pragma once
// Tables read and written through the table module, loaded at the first table the user takes
// in or writes, so that the zip and XML libraries they need cost nothing at start-up. The
// program links this, not the readers and writers themselves.

#include "tabelle/schreiben.h"
#include "tabelle/tabelle.h"

namespace tabellenmodul {

// tabelle::lesen in the module; without the module, an Ergebnis whose message says so.
tabelle::Ergebnis lesen(const QString& pfad,
                        tabelle::Kodierung kodierung = tabelle::Kodierung::Automatisch);

// The module's side, exported by this name (tabelle/modul.cpp): the result is written to
// *ergebnis.
using Lesen = void(const QString* pfad, int kodierung, tabelle::Ergebnis* ergebnis);

// tabelle::schreiben in the module, the format by the file's ending; without the module, a
// result whose message says so and no file written.
tabelle::Geschrieben schreiben(const QString& pfad, const tabelle::Ausgabe& ausgabe);
using Schreiben = void(const QString* pfad, const tabelle::Ausgabe* ausgabe,
                       tabelle::Geschrieben* ergebnis);

} // namespace tabellenmodul
