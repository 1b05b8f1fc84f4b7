#pragma once
// Taking a member table into the list: each row of the table is matched with the entry it
// stands for, by membership number, else by name; the preview shows what changes and what is
// new, and the ticked rows are taken as one step.

#include "editor/zeilen.h"
#include "editor/zeilenvorschau.h"

#include <vector>

struct Abgleich {
    std::vector<Planzeile> zeilen; // one per row that is not blank, in the table's order
    int nichtInTabelle = 0;        // entries of the list that no row stands for; they stay
};

// Rows 1 .. anzahl against the table's entries. Names are compared as "Duplikate löschen"
// does (capitals, blanks tidied), membership numbers without blanks and leading zeros.
// - A row with a membership number is the one entry with that number (several entries with
//   it: skipped, no one can tell which); when no entry has it, the one entry of that name
//   without a number, which takes the number; otherwise a new member.
// - A row without a number is the one entry of that name; none or several: a new member
//   (several: not ticked, the user decides).
// - A matched entry takes the row's name, its MP when it has one, and its number when the
//   entry has none: "geändert", or "unverändert" when nothing differs. An entry that an
//   earlier row already stands for is not taken twice.
// - A new member comes after the last entry, with the MP of the row (or "N") and its position
//   as "Nr.", as added participants are numbered; the table's own "Nr." is not taken. Beyond
//   the 1000 entries rows are skipped.
Abgleich Abgleichen(const CellTable& zellen, int anzahl, const std::vector<Vorschauzeile>& tabelle);

struct Uebernahme {
    int neu = 0;
    int geaendert = 0;
    bool operator==(const Uebernahme&) const = default;
};

// The ticked rows of the plan into the list: a changed entry in its row, new ones after the
// last entry, numbered by their position, as far as the limit allows.
Uebernahme AbgleichUebernehmen(CellTable& zellen, Eintragszeilen& eintraege, int anzahl,
                               const std::vector<Planzeile>& plan);
// The note after taking over: "1 Eintrag hinzugefügt, 2 Einträge geändert".
QString UebernahmeText(const Uebernahme& u);
