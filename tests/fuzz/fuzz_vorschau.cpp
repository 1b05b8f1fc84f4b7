// Bytes through the previews as far as they are free of widgets: read as a table (the first
// byte chooses: a CSV file, an ODS content part or an XLSX sheet, see fuzz_tabelle.cpp) or as
// pasted text, its columns recognised, matched against a small list, and every cell of the
// preview's rows made as its view asks for them. Whatever the bytes: no more rows than a sheet
// keeps, one preview row per row that is not blank, no text longer than a cell shows, and a
// tick only where a row changes the list.

#include "cells/cellstore.h"
#include "cells/eintrag.h"
#include "editor/abgleich.h"
#include "editor/vorschaumodell.h"
#include "pruefung.h"
#include "tests/tabelle/zipbau.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// A list the rows can match: by number, by name, and a name with a "?" for a letter.
const CellStore& liste() {
    static const CellStore zellen = [] {
        CellStore z(kMaxEintraege + 1);
        const char* namen[] = {"Anna Berg", "Hans Meier", "J?rgen Wei?", "Hans Meier"};
        for (int r = 1; r <= 4; ++r) {
            z.setCell(kSpalteNr, r, std::to_string(r));
            z.setCell(kSpalteName, r, namen[r - 1]);
            z.setCell(kSpalteMP, r, "N");
            z.setCell(kSpalteDBVNr, r, std::to_string(100 + r % 3));
        }
        return z;
    }();
    return zellen;
}

void vorschauPruefen(const std::vector<QStringList>& zeilen, const std::vector<Planzeile>& plan) {
    Vorschaumodell modell(true);
    modell.markierungSetzen(Qt::yellow);
    modell.setzen(zeilen, plan);
    check(modell.rowCount() == int(plan.size()));
    for (int r = 0; r < modell.rowCount(); ++r) {
        for (int c = 0; c < modell.columnCount(); ++c) {
            const QModelIndex i = modell.index(r, c);
            for (const int rolle : {int(Qt::DisplayRole), int(Qt::ToolTipRole)})
                check(i.data(rolle).toString().size() <= Vorschaumodell::kMaxAnzeige);
            i.data(Qt::FontRole);
            i.data(Qt::BackgroundRole);
        }
        const Aktion a = plan[size_t(r)].aktion;
        const bool ankreuzbar = a == Aktion::Neu || a == Aktion::Geaendert;
        const QVariant haken = modell.index(r, Vorschaumodell::kAktion).data(Qt::CheckStateRole);
        check(haken.isValid() == ankreuzbar);
        modell.hakenUmschalten(r);
        check(modell.plan()[size_t(r)].haken == (ankreuzbar != plan[size_t(r)].haken));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray teil(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const int art = data[0] % 4;
    if (art == 3) { // pasted
        const Zeilenvorschau v(ZeilenAusText(QString::fromUtf8(teil)).zeilen);
        vorschauPruefen(v.zeilen(), EinfuegePlan(liste(), 4, v.eintraege()));
        return 0;
    }
    const QByteArray bytes = art == 0 ? teil
                             : art == 1
                                 ? zipAus({{QStringLiteral("mimetype"),
                                            "application/vnd.oasis.opendocument.spreadsheet"},
                                           {QStringLiteral("content.xml"), teil}},
                                          0)
                                 : xlsxAus(teil, {}, {}, 0);
    const tabelle::Ergebnis e =
        tabelle::lesenAusBytes(bytes, art == 0 ? tabelle::Format::Csv : tabelle::Format::Erkennen);
    tabellePruefen(e);
    for (const tabelle::Blatt& blatt : e.blaetter) {
        check(qint64(blatt.zeilen.size()) <= tabelle::kMaxZeilenBehalten);
        for (const QStringList& zeile : blatt.zeilen)
            check(zeile.size() <= tabelle::kMaxSpaltenBehalten);
        check(WeggelassenText(blatt).isEmpty() ==
              (blatt.zeilenWeggelassen == 0 && blatt.zeilenGekuerzt == 0));
        const Zeilenvorschau v(blatt.zeilen);
        const Abgleich a = Abgleichen(liste(), 4, v.eintraege());
        size_t belegt = 0;
        for (const Vorschauzeile& z : v.eintraege())
            belegt += z.grund != Grund::LeereZeile;
        check(a.zeilen.size() == belegt);
        vorschauPruefen(v.zeilen(), a.zeilen);
    }
    return 0;
}
