#include "tabelle/tabellenmodul.h"

#include "platform/modul.h"

#include <QLibrary>

namespace {

template <typename F> F* funktion(const char* name) {
    QLibrary* m = modul::laden(QStringLiteral("gesamt-tabelle.so"));
    return m ? reinterpret_cast<F*>(m->resolve(name)) : nullptr;
}

const char16_t kFehlt[] = u"Die Unterstützung für Tabellen kann nicht geladen werden.";

} // namespace

tabelle::Ergebnis tabellenmodul::lesen(const QString& pfad, tabelle::Kodierung kodierung) {
    tabelle::Ergebnis ergebnis;
    if (auto* f = funktion<Lesen>("gesamt_tabelle_lesen"))
        f(&pfad, int(kodierung), &ergebnis);
    else
        ergebnis.fehler = QStringLiteral(u"Die Tabelle kann nicht eingelesen werden: ") +
                          QString::fromUtf16(kFehlt);
    return ergebnis;
}

tabelle::Geschrieben tabellenmodul::schreiben(const QString& pfad,
                                              const tabelle::Ausgabe& ausgabe) {
    tabelle::Geschrieben ergebnis;
    if (auto* f = funktion<Schreiben>("gesamt_tabelle_schreiben"))
        f(&pfad, &ausgabe, &ergebnis);
    else
        ergebnis.fehler = QString::fromUtf16(kFehlt);
    return ergebnis;
}
