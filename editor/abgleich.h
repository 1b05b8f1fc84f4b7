#pragma once
// Taking a member table into the list: each row of the table is matched with the entry it
// stands for, by membership number, else by name; the preview shows what changes and what is
// new, and the ticked rows are taken as one step.

#include "editor/zeilen.h"
#include "editor/zeilenvorschau.h"
#include "tabelle/schreiben.h"

#include <array>
#include <optional>
#include <vector>

struct Abgleich {
    std::vector<Planzeile> zeilen; // one per row that is not blank, in the table's order
    int nichtInTabelle = 0;        // entries of the list that no row stands for; they stay
};

// Rows 1 .. anzahl against the table's entries, each row matched by the person rule
// (Personenindex, editor/zuordnung.h):
// - The entry that is the row's person takes the row's name, its MP when it has one, and its
//   number when the entry has none: "geändert", ticked, or "unverändert" when nothing differs.
//   An entry that an earlier row already stands for is not taken twice.
// - The one entry with the row's membership number under another person's name is "geändert"
//   but not ticked, with the reason ("Mitgliedsnr. 117500 gehört zu Werner Albrecht – andere
//   Person?"); so is a change of a name into one with a "?" for a letter.
// - Several entries with the row's number: skipped, no one can tell which. Several of its name
//   (without a number): a new member, not ticked.
// - Otherwise a new member after the last entry, with the MP of the row (or "N") and a number
//   no entry has (FreieNummern); the table's own "Nr." is not taken. Beyond the 1000 entries
//   rows are skipped.
Abgleich Abgleichen(const CellTable& zellen, int anzahl, const std::vector<Vorschauzeile>& tabelle);

// What a sheet of the table left out of the preview, in German ("449001 weitere Zeilen wurden
// weggelassen: die Liste hat höchstens 1000 Einträge", "In 3 Zeilen wurden die Spalten nach der
// 64. weggelassen"); empty when nothing was.
QString WeggelassenText(const tabelle::Blatt& blatt);

struct Uebernahme {
    int neu = 0;
    int geaendert = 0;
    bool operator==(const Uebernahme&) const = default;
};

// The ticked rows of the plan into the list: a changed entry in its row (each entry once, the
// first ticked row), new ones with their numbers after the last entry, as far as the limit
// allows.
Uebernahme AbgleichUebernehmen(CellTable& zellen, Eintragszeilen& eintraege, int anzahl,
                               const std::vector<Planzeile>& plan);
// The note after taking over: "1 Eintrag hinzugefügt, 2 Einträge geändert".
QString UebernahmeText(const Uebernahme& u);

// The list as a table for a spreadsheet: the heading row in the words the table readers take
// ("Nr.", "Name", "MP", "Mitgliedsnr."), so that the table can be taken in again as it is...
std::array<QString, tabelle::kSchreibspalten> TabellenKopf();
// ... and rows 1 .. anzahl in the list's order, each cell as the list holds it.
std::vector<tabelle::Schreibzeile> TabellenZeilen(const CellTable& zellen, int anzahl);

// Another name list taken in as a table: a file whose content begins with "GESAMT-DATEI" is
// read as a list is opened (numbers, blank names, line ends, the 1000 entries), and given as a
// table of one sheet under the heading row above, so that its columns are known. Nothing for
// any other file; an Ergebnis whose message says why when the list cannot be read.
std::optional<tabelle::Ergebnis> NamenlisteAlsTabelle(const QString& pfad);
// Whether the file is a name list: a regular file (a pipe another user put there would block
// the program) whose content begins with the name file's heading.
bool IstNamensliste(const QString& pfad);
