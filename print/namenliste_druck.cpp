#include "print/namenliste_druck.h"

#include "namefile/namefile.h"
#include "print/drucker.h"
#include "runlog/runlog.h"
#include "support/texthelpers.h"

#include <exception>
#include <stdexcept>

namespace {

constexpr int kRand = 20;

// Divider and header; the entries then begin in the left column.
void seitenrahmen(const std::string& datum, int anzahl, int seite, int& spalteX) {
    Zeichenflaeche& f = *Drucker.Flaeche;
    const int mitte = Drucker.Seitenmitte[0];
    f.moveTo(mitte, Drucker.Druckbereich.Top + kRand);
    f.lineTo(mitte, Drucker.Druckbereich.Bottom - kRand);
    f.moveTo(kRand, kRand);
    SetzeSchriftstil({.fett = true});
    DruckZeile(Kopfzeile(datum, anzahl, seite));
    SetzeSchriftstil({});
    spalteX = kRand;
}

} // namespace

std::string Kopfzeile(const std::string& datum, int anzahl, int seite) {
    return "Gesamtdatei - " + datum + " - " + std::to_string(anzahl) + " Eintr\xE4ge, Seite " +
           std::to_string(seite);
}

std::string Eintragszeile(const std::string& nummer, const std::string& name) {
    return RechtsBuendig(nummer, 5, ' ') + ". " + name;
}

int Drucken(const CellTable& zellen, int iAnzahl, const std::string& datum, Meldungen& meldungen) {
    LogZeile("*** Drucken der Gesamt-Datei");
    try {
        DruckStart();
        int seite = 1;
        const int k = ZeilenProSeite() - 1;
        if (k < 1)
            throw std::runtime_error("Auf einer Seite haben weniger als zwei Zeilen Platz");
        int spalteX = kRand;
        seitenrahmen(datum, iAnzahl, seite, spalteX);
        for (int r = 1; r <= iAnzahl; ++r) {
            const std::string zeile =
                Eintragszeile(zellen.cell(kSpalteNr, r), zellen.cell(kSpalteName, r));
            DruckText(spalteX, Drucker.Flaeche->penPos().Y, zeile);
            if (r % k == 0 && r < iAnzahl) {
                if (spalteX == kRand) {
                    // The right column begins on the line of the left column's first entry.
                    spalteX = Drucker.Seitenmitte[0] + kRand;
                    Drucker.Flaeche->moveTo(kRand, kRand);
                    NeueZeile();
                } else {
                    NeueSeite();
                    ++seite;
                    seitenrahmen(datum, iAnzahl, seite, spalteX);
                }
            } else if (r < iAnzahl) {
                NeueZeile();
            }
        }
        Drucker.Flaeche->endDoc();
        return seite;
    } catch (const std::exception& e) {
        meldungen.fehler(std::string("Fehler beim Ausdruck der Gesamtdatei: ") + e.what());
        // What was drawn is printed; without an open job there is nothing to end.
        try {
            if (Drucker.Flaeche && Drucker.Flaeche->printing())
                Drucker.Flaeche->endDoc();
        } catch (...) {
        }
    }
    return 0;
}
