// The list commands in any order on any file: counts and flags stay consistent, sorting gives
// what the exchange procedure gives, and what is saved reads back the same, twice over.

#include "cells/cellstore.h"
#include "editor/namenliste.h"
#include "editor/sortierung.h"
#include "namefile/namefile.h"
#include "platform/cp1252.h"
#include "support/texthelpers.h"

#include <array>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

struct Antworten : Meldungen {
    FuzzedDataProvider* data = nullptr;
    void hinweis(const std::string&) override {}
    void fehler(const std::string&) override { std::abort(); } // no command may fail here
    bool frage(const std::string&) override { return data->ConsumeBool(); }
};

std::vector<Zeile> zeilen(const CellTable& cells, int n) {
    std::vector<Zeile> rows;
    for (int r = 1; r <= n; ++r)
        rows.push_back({cells.cell(0, r), cells.cell(1, r), cells.cell(2, r), cells.cell(3, r)});
    return rows;
}

void pruefen(bool ok) {
    if (!ok)
        std::abort();
}

void konsistent(const NamenListe& liste) {
    const CellTable& cells = liste.zellen();
    pruefen(liste.iAnzahl() >= 0 && liste.iAnzahl() <= kMaxEintraege);
    pruefen(cells.rowCount() ==
            (liste.iAnzahl() == 0 ? 2 : liste.iAnzahl() + 1) + (liste.bNeueZeile() ? 1 : 0));
    pruefen(liste.bLeerzeile() == (liste.iAnzahl() == 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    Antworten antworten;
    antworten.data = &data;
    NamenListe liste(antworten);
    {
        CellStore gelesen(kMaxEintraege + 1);
        const LadeErgebnis e = NamenTextLesen(data.ConsumeRandomLengthString(4096), gelesen);
        liste.laden(std::move(gelesen), e);
    }
    const CellTable& cells = liste.zellen();
    konsistent(liste);
    const std::string geladen = NamenDateiText(cells);

    for (int step = 0; step < 24 && data.remaining_bytes() > 0; ++step) {
        const Zelle hier{0, data.ConsumeIntegralInRange(1, cells.rowCount() - 1)};
        switch (data.ConsumeIntegralInRange(0, 10)) {
        case 0:
            liste.Einfuegen(hier);
            break;
        case 1:
            if (liste.iAnzahl() > 0)
                liste.Loeschen(hier);
            break;
        case 2: {
            // The exchange procedure as written, keys computed afresh for every comparison.
            std::vector<Zeile> erwartet = zeilen(cells, liste.iAnzahl());
            for (size_t i = 0; i + 1 < erwartet.size(); ++i)
                for (size_t j = i + 1; j < erwartet.size(); ++j)
                    if (Sortierschluessel(erwartet[i][1]) > Sortierschluessel(erwartet[j][1]))
                        std::swap(erwartet[i], erwartet[j]);
            liste.Sortieren(hier);
            pruefen(zeilen(cells, liste.iAnzahl()) == erwartet);
            break;
        }
        case 3:
            liste.Nummerieren(hier);
            break;
        case 4:
            liste.DuplikateLoeschen(hier);
            break;
        case 5: {
            std::vector<std::string> teilnehmer;
            for (int n = data.ConsumeIntegralInRange(0, 5); n > 0; --n)
                teilnehmer.push_back(data.ConsumeRandomLengthString(40));
            liste.Erweitern(teilnehmer, hier);
            break;
        }
        case 7:
            liste.verlauf().undo();
            break;
        case 8:
            liste.verlauf().redo();
            break;
        case 9:
            liste.NeueZeileAnfuegen();
            break;
        case 10:
            liste.NeueZeileVerwerfen();
            break;
        default: {
            // Typing: only what the cell editor lets through.
            const int col = data.ConsumeIntegralInRange(0, CellTable::kColumns - 1);
            const std::string text = data.ConsumeRandomLengthString(40);
            if (!cp1252::isCellText(cp1252::toQString(text)))
                break;
            liste.zelleSchreiben(col, hier.row, text);
        }
        }
        konsistent(liste);
    }

    liste.NeueZeileVerwerfen(); // as saving does
    konsistent(liste);
    // Undoing every step gives back the list as loaded, byte for byte.
    const std::string geaendert = NamenDateiText(cells);
    const int index = liste.verlauf().index();
    liste.verlauf().setIndex(0);
    pruefen(NamenDateiText(cells) == geladen);
    konsistent(liste);
    liste.verlauf().setIndex(index);
    pruefen(NamenDateiText(cells) == geaendert);

    // Saved and read again: every entry with a name, and the same again a second time.
    CellStore first(kMaxEintraege + 1), second(kMaxEintraege + 1);
    const LadeErgebnis a = NamenTextLesen(NamenDateiText(cells), first);
    int benannt = 0;
    for (int r = 1; r < cells.rowCount(); ++r)
        benannt += Bereinigen(cells.cell(1, r), ' ').empty() ? 0 : 1;
    pruefen(a.anzahl == benannt && !a.mehrAlsMaximum && !a.datenNachDateiende);
    const LadeErgebnis b = NamenTextLesen(NamenDateiText(first), second);
    pruefen(b.anzahl == a.anzahl && zeilen(first, a.anzahl) == zeilen(second, b.anzahl));
    return 0;
}
