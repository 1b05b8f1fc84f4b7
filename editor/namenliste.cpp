#include "editor/namenliste.h"

std::string NamenListe::anzahlText() const {
    return std::to_string(iAnzahl) + " Eintr\xE4ge";
}

void NamenListe::anzahlZeigen() {
    if (anzahlGeaendert)
        anzahlGeaendert();
}

void NamenListe::geladen(const LadeErgebnis& ergebnis) {
    iAnzahl = ergebnis.anzahl;
    bLeerzeile = ergebnis.leerzeile;
    bGeaendert = false;
    anzahlZeigen();
}

void NamenListe::zelleBearbeitet(int, int row) {
    bGeaendert = true;
    if (bLeerzeile && row == 1) {
        bLeerzeile = false;
        iAnzahl = 1;
        anzahlZeigen();
    }
}
