#pragma once
// Rows of text cells, from the clipboard or from a table file, read as name entries: what each
// column means (from a heading row, else from its values) and the entries the rows give, with
// every value that was changed or left out noted, so that a preview can show them before
// anything changes.
//
// Columns by heading (any case; blanks, dots and hyphens do not count: "Mitglieds-Nr." is
// "mitgliedsnr"):
//   Nr.           "Nr", "Nummer", "Spielernr", "Spielernummer"
//   Name          "Name", "Spieler", "Spielername"
//   Vorname       "Vorname"
//   Nachname      "Nachname", "Familienname", "Zuname"
//   Titel         "Titel"
//   MP            "MP", "Status", "MP-Status", "Meisterpunkte", "Masterpunkte"
//   Mitgliedsnr.  "Mitgliedsnr", "Mitgliedsnummer", "Mitgliednr", "DBV-Nr", "DBV-Nummer"
// The first row with content is a heading row when one of its cells is such a word (or
// "GESAMT-DATEI", the name file's own first line), or when it holds a word without digits
// above a column of numbers, or a word above a column of single J/N/G letters. Under a heading
// row, a column headed by another word is not taken (but when no heading names a part of the
// name, the one of them with the most words below becomes the name); a column with an empty
// heading, or under "GESAMT-DATEI", is read from its values, and so is every column when the
// headings name none.
//
// Columns by value (without a heading row, or without a heading), over the cells that are not
// blank:
//   single letters, mostly J/N/G in any case      MP (the first such column)
//   mostly numbers (digits, or digits with a few  Nr. or Mitgliedsnr.: right of the MP column
//   letters)                                      the Mitgliedsnr., left of it the Nr. (when
//                                                 it holds small numbers or a Mitgliedsnr.
//                                                 stands right of the MP); otherwise a column
//                                                 with letters, numbers beyond 1000 or leading
//                                                 zeros is the Mitgliedsnr. and one of small
//                                                 numbers the Nr.; of two alike the first is
//                                                 the Nr.
//   text                                          Name: the one with the most words
//   only blanks, or what is left over             not taken
// So the program's own copied rows (Nr., Name, MP, Mitgliedsnr.) and name-file lines (name,
// blank, Nr., MP, Mitgliedsnr.) are read as what they are.

#include "cells/celltable.h"
#include "tabelle/tabelle.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

enum class Bedeutung { Nichts, Nr, Name, Vorname, Nachname, Titel, MP, Mitgliedsnr };
constexpr Bedeutung kBedeutungen[] = {Bedeutung::Nichts,  Bedeutung::Nr,         Bedeutung::Name,
                                      Bedeutung::Vorname, Bedeutung::Nachname,   Bedeutung::Titel,
                                      Bedeutung::MP,      Bedeutung::Mitgliedsnr};
// What a chooser offers: "nicht übernehmen", "Nr.", "Name", "Vorname", "Nachname", "Titel",
// "MP", "Mitgliedsnr.".
QString BedeutungText(Bedeutung b);

// ---- Text into rows

// How much of a text becomes rows: more is left out and counted, so that a clipboard of many
// megabytes still gives a preview at once. By default the rows and columns a table's sheet
// keeps for a preview, which hold the 1000 entries the list can take and a tail.
struct Grenze {
    int zeilen = int(tabelle::kMaxZeilenBehalten);
    int spalten = int(tabelle::kMaxSpaltenBehalten);
    qsizetype zeichen = 1'000'000;
};
struct Textzeilen {
    // One per line, blank lines included (a row's index is its line number - 1); none after a
    // last line end.
    std::vector<QStringList> zeilen;
    int zeilenWeggelassen = 0; // lines with content beyond the bounds
    int zeilenGekuerzt = 0;    // lines whose fields beyond the last column were left out
};
// Lines end at CR LF, LF or CR; fields are separated by TABs.
Textzeilen ZeilenAusText(const QString& text, const Grenze& grenze = {});
// What was left out, in German ("1200 weitere Zeilen wurden weggelassen: …"); empty when
// nothing was.
QString WeggelassenText(const Textzeilen& t);

// ---- What the columns mean

struct Erkennung {
    bool kopfzeile = false;         // the first row with content holds headings, not an entry
    std::vector<Bedeutung> spalten; // one per column of the widest row
    bool operator==(const Erkennung&) const = default;
};
// `kopfzeile` given: whether the first row with content is a heading row, as the user says;
// otherwise it is recognised as well.
Erkennung SpaltenErkennen(const std::vector<QStringList>& zeilen,
                          std::optional<bool> kopfzeile = std::nullopt);

// ---- The entries

// A value that is one master-point code, in capitals or small letters.
bool IstMPWert(QStringView v);

// Why a row gives no entry.
enum class Grund { Keiner, LeereZeile, Kopfzeile, KeinName };
// "leere Zeile", "Überschriften", "kein Name"; empty for Keiner.
QString GrundText(Grund g);

// A value that was changed or left out, in German ("„ł“ wurde als „l“ übernommen",
// "„x“ ist kein MP (J, N oder G) und wurde weggelassen").
struct Vermerk {
    int spalte = 0; // column of the row
    int feld = -1;  // the entry's cell it went to (kSpalteNr …), -1 when it was not taken
    QString text;
    bool operator==(const Vermerk&) const = default;
};

struct Vorschauzeile {
    int quelle = 0;               // index of the row
    std::optional<Zeile> eintrag; // Windows-1252 cells fit for the list; none when skipped
    Grund grund = Grund::Keiner;  // why there is no entry
    std::vector<Vermerk> vermerke;
};

// One per row, in order. The name is Titel, Vorname, Name and Nachname joined by blanks (so
// "Name" beside "Vorname" is the surname); a row without a name gives no entry. Values are
// trimmed; letters the code page lacks become their base letter, other characters it lacks and
// control characters are left out, a line break or TAB inside a cell becomes a blank.
// Nr.: kept when it is a number ("17", "x1F"); anything else is left out (reading the file
// gives an empty number its position).
// MP: J, N or G in any case, as a capital; anything else is left out. When no column gives a
// Nr., MP or Mitgliedsnr. (a list of names alone) every entry gets "N", as new participants do.
// A "?" next to a letter in a name is noted ("„?“ statt eines Buchstabens – Quelle prüfen"): a
// program that could not write a letter left it there.
// Mitgliedsnr.: kept as it is, letters noted. A meaning chosen for two columns: name parts are
// joined in column order, of the others the first value counts. A value in a column that is
// not taken is noted.
std::vector<Vorschauzeile> EintraegeBilden(const std::vector<QStringList>& zeilen,
                                           const Erkennung& erkennung);
