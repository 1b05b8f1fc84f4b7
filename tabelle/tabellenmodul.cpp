#include "tabelle/tabellenmodul.h"

#include "platform/modul.h"

#include <QLibrary>

tabelle::Ergebnis tabellenmodul::lesen(const QString& pfad, tabelle::Kodierung kodierung) {
    QLibrary* m = modul::laden(QStringLiteral("gesamt-tabelle.so"));
    auto* f = m ? reinterpret_cast<Lesen*>(m->resolve("gesamt_tabelle_lesen")) : nullptr;
    tabelle::Ergebnis ergebnis;
    if (!f)
        ergebnis.fehler = QStringLiteral(u"Die Tabelle kann nicht eingelesen werden: Die "
                                         u"Unterstützung für Tabellen kann nicht geladen werden.");
    else
        f(&pfad, int(kodierung), &ergebnis);
    return ergebnis;
}
