#pragma once
// How an earlier version of the list differs from the list now, entry by entry, the entries
// matched as a member table's rows are (editor/zuordnung.h), and what putting it back does.

#include "cells/celltable.h"
#include "editor/zuordnung.h"

#include <QString>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct Fassungsunterschied {
    enum class Art {
        Fehlt,     // in the version, not in the list now: goes back at its old place
        Geaendert, // the entry in `row` was `alt` then: goes back to that
        Mehr,      // in the list now (`row`), not in the version: goes only with the whole version
    };
    Art art = Art::Fehlt;
    int row = 0;        // Geaendert, Mehr: the entry's row in the list
    int alteZeile = 0;  // Fehlt, Geaendert: its row in the version
    Zeile alt;          // Fehlt, Geaendert: the entry as the version holds it
    Zeile jetzt;        // Geaendert, Mehr: the entry as the list holds it
    bool haken = false; // proposed to be put back: Fehlt and Geaendert
};

struct Fassungsvergleich {
    std::vector<Fassungsunterschied> unterschiede; // Fehlt and Geaendert in the version's order,
                                                   // then Mehr in the list's
    int fehlt = 0, geaendert = 0, mehr = 0;
};

// "12 Einträge mehr, 3 weniger, 5 geändert" (the version against the list now), "gleich".
QString VergleichText(const Fassungsvergleich& v);

// The list now, rows 1 .. anzahl, compared with any number of versions: what the list holds is
// looked at once.
class Fassungsvergleicher {
public:
    Fassungsvergleicher(const CellTable& zellen, int anzahl);
    // With `nurZaehlen` only the counts, as a list of versions shows them.
    Fassungsvergleich vergleichen(const CellTable& fassung, int anzahl,
                                  bool nurZaehlen = false) const;

private:
    int eintrag(const Zeile& alt) const;

    const CellTable& zellen_;
    int anzahl_;
    Personenindex index_;
    std::unordered_multimap<uint64_t, int> gleich_; // each entry's four cells hashed, to its rows
    std::unordered_map<std::string, std::vector<int>> nummern_; // by Nummernform
};
