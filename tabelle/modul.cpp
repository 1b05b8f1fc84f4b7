// The table readers and writers as a module of their own: the program loads it at the first
// table it takes in or writes (tabelle/tabellenmodul.h).

#include "tabelle/tabellenmodul.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT void gesamt_tabelle_lesen(const QString* pfad, int kodierung,
                                                   tabelle::Ergebnis* ergebnis) {
    *ergebnis = tabelle::lesen(*pfad, tabelle::Kodierung(kodierung));
}

extern "C" Q_DECL_EXPORT void gesamt_tabelle_schreiben(const QString* pfad,
                                                       const tabelle::Ausgabe* ausgabe,
                                                       tabelle::Geschrieben* ergebnis) {
    *ergebnis = tabelle::schreiben(*pfad, *ausgabe);
}

// The program calls them by name: their types must be the ones it expects.
static_assert(std::is_same_v<decltype(gesamt_tabelle_lesen), tabellenmodul::Lesen>);
static_assert(std::is_same_v<decltype(gesamt_tabelle_schreiben), tabellenmodul::Schreiben>);
