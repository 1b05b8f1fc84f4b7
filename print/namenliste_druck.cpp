#include "print/namenliste_druck.h"

#include "cells/eintrag.h"
#include "print/drucker.h"
#include "runlog/runlog.h"
#include "support/texthelpers.h"

#include <exception>
#include <stdexcept>

namespace {

// The text as far as it fits into that width in the font now set, cut with "…" where it
// does not: no text runs into the next column or off the page.
std::string passend(const std::string& text, int breite) {
    const Zeichenflaeche& f = *Drucker.Flaeche;
    if (f.textWidth(text) <= breite)
        return text;
    size_t passt = 0, zuViel = text.size(); // the longest prefix that fits with the mark
    while (zuViel - passt > 1) {
        const size_t mitte = (passt + zuViel) / 2;
        (f.textWidth(text.substr(0, mitte) + "\x85") <= breite ? passt : zuViel) = mitte;
    }
    return text.substr(0, passt) + "\x85";
}

// Header and divider; the entries then begin in the left column. The header spans the page
// above the columns (it is wider than one at the usual size), so the divider begins under it.
void seitenrahmen(const std::string& datum, int anzahl, int seite, int& spalteX) {
    Zeichenflaeche& f = *Drucker.Flaeche;
    const int mitte = Drucker.Seitenmitte[0];
    f.moveTo(mitte, Drucker.Druckbereich.Top + kRand + Drucker.Zeilenhoehe);
    f.lineTo(mitte, Drucker.Druckbereich.Bottom - kRand);
    f.moveTo(kRand, kRand);
    SetzeSchriftstil({.fett = true});
    DruckZeile(passend(Kopfzeile(datum, anzahl, seite), Drucker.Druckbereich.Right - 2 * kRand));
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
            const int rand = spalteX == kRand ? Drucker.Seitenmitte[0] : Drucker.Druckbereich.Right;
            DruckText(spalteX, Drucker.Flaeche->penPos().Y, passend(zeile, rand - kRand - spalteX));
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
