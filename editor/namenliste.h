#pragma once
// The name list as the editor keeps it: the grid's cells plus the count and the two flags.
// Rows 1 .. iAnzahl are the entries; row 0 is the title row.

#include "editor/meldungen.h"
#include "grid/celltable.h"
#include "namefile/namefile.h"

#include <functional>
#include <string>
#include <vector>

class NamenListe {
public:
    NamenListe(CellTable& zellen, Meldungen& meldungen) : zellen_(zellen), meldungen_(meldungen) {}

    CellTable& zellen() { return zellen_; }
    const CellTable& zellen() const { return zellen_; }

    int iAnzahl = 0;
    bool bGeaendert = false;
    bool bLeerzeile = false;

    // The count line is to show iAnzahl anew.
    std::function<void()> anzahlGeaendert;
    // The grid is to take the keyboard focus.
    std::function<void()> fokus;

    // "<n> Einträge"
    std::string anzahlText() const;

    // After loading: takes count and placeholder from the result.
    void geladen(const LadeErgebnis& ergebnis);
    // The user changed a cell: the list counts as changed, and a name typed into the blank
    // row of an empty list makes it the first entry.
    void zelleBearbeitet(int col, int row);

private:
    void anzahlZeigen();

    CellTable& zellen_;
    Meldungen& meldungen_;
};
