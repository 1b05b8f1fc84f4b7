#pragma once
// Tables read through the table module, loaded at the first table the user takes in, so that
// the zip and XML libraries the readers need cost nothing at start-up. The program links this,
// not the readers themselves.

#include "tabelle/tabelle.h"

namespace tabellenmodul {

// tabelle::lesen in the module; without the module, an Ergebnis whose message says so.
tabelle::Ergebnis lesen(const QString& pfad,
                        tabelle::Kodierung kodierung = tabelle::Kodierung::Automatisch);

// The module's side, exported by this name (tabelle/modul.cpp): the result is written to
// *ergebnis.
using Lesen = void(const QString* pfad, int kodierung, tabelle::Ergebnis* ergebnis);

} // namespace tabellenmodul
