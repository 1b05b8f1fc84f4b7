// The table readers as a module of their own: the program loads it at the first table it
// takes in (tabelle/tabellenmodul.h).

#include "tabelle/tabellenmodul.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT void gesamt_tabelle_lesen(const QString* pfad, int kodierung,
                                                   tabelle::Ergebnis* ergebnis) {
    *ergebnis = tabelle::lesen(*pfad, tabelle::Kodierung(kodierung));
}

// The program calls it by name: its type must be the one it expects.
static_assert(std::is_same_v<decltype(gesamt_tabelle_lesen), tabellenmodul::Lesen>);
