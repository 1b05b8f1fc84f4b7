#pragma once
// The name list as the editor keeps it: the grid's cells plus the count and the two flags.
// Rows 1 .. iAnzahl are the entries; row 0 is the title row.

#include "cells/celltable.h"
#include "editor/abgleich.h"
#include "editor/verlauf.h"
#include "editor/zeilen.h"
#include "namefile/namefile.h"
#include "support/meldungen.h"

#include <QUndoStack>
#include <functional>
#include <string>
#include <vector>

class NamenListe {
public:
    NamenListe(CellTable& zellen, Meldungen& meldungen);
    NamenListe(const NamenListe&) = delete;
    NamenListe& operator=(const NamenListe&) = delete;

    CellTable& zellen() { return zellen_; }
    const CellTable& zellen() const { return zellen_; }

    int iAnzahl = 0;
    bool bGeaendert = false;
    bool bLeerzeile = false;
    // A blank row after the last entry to type a new one into, as in a spreadsheet: no entry,
    // no change and never saved until something is typed into it.
    bool bNeueZeile = false;

    // The count line is to show iAnzahl anew.
    std::function<void()> anzahlGeaendert;
    // The grid is to take the keyboard focus.
    std::function<void()> fokus;

    // "<n> Einträge"
    std::string anzahlText() const;

    // Every change of the list is a step here; its clean state is the list as loaded, and
    // bGeaendert follows it when steps are undone or redone.
    QUndoStack& verlauf() { return historie_.stapel(); }

    // After loading: takes count and placeholder from the result.
    void geladen(const LadeErgebnis& ergebnis);
    // The user changed a cell: the list counts as changed, and a name typed into the blank
    // row of an empty list makes it the first entry.
    void zelleBearbeitet(int col, int row);

    // Down or Enter past the last entry, when it has a name: adds the blank row for a new one,
    // or at 1000 entries shows the limit note. False when no row was added.
    bool NeueZeileAnfuegen();
    // Takes that row away again while nothing was typed into it: when it is left, before every
    // command and before saving.
    void NeueZeileVerwerfen();

    // Inserts a blank entry before the current row.
    void Einfuegen();
    // Deletes the entry in that row.
    void Loeschen(int row);
    // Deletes the entries in these rows, as one step of that name.
    void Loeschen(const std::vector<int>& rows, const QString& schritt);
    // The marked rows (the selection may reach the new-entry row): after a question, as one
    // step "Markierte Einträge löschen".
    void MarkierteLoeschen(const std::vector<int>& rows);
    // Inserts these entries before the current row, as one step, as far as the 1000 allow
    // (then the limit note); the number inserted.
    int BlockEinfuegen(const std::vector<Zeile>& zeilen);
    // Sorts by Sortierschluessel, with the very result of the exchange sort.
    void Sortieren();
    // Sorts by surname, then first names, as a German dictionary orders words; a stable sort.
    void NachNameSortieren();
    // Asks, then numbers the entries 1, 2, ... in their order.
    void Nummerieren();
    // Deletes every later entry with the same name as one above it; returns how many.
    int DuplikateLoeschen();
    // Appends the participants whose names are not in the list yet.
    void Erweitern(const std::vector<std::string>& teilnehmer);
    // The list becomes these file bytes (unsaved changes of a session that ended without
    // saving), as one step that undoing takes back to the list as loaded.
    void Uebernehmen(const std::string& text);

    // ---- taking a member table in (editor/abgleich.h)

    // The ticked rows of the table's plan, as one step "Aus Tabelle einlesen".
    Uebernahme AusTabelleEinlesen(const std::vector<Planzeile>& plan);

private:
    template <typename Befehl> void schritt(const QString& name, Befehl&& befehl);
    // After a step was undone or redone.
    void gestellt(const Seite& seite);
    Zelle aktuelleZelle() const;
    void einfuegen(int y);
    void sortieren();
    bool duplikateLoeschen(int& n);
    void erweitern(const std::vector<std::string>& teilnehmer);
    void anzahlZeigen();
    void grenzeMelden();
    void fokusGeben();
    // Removes the rows given (ascending), as deleting each in turn would.
    void zeilenEntfernen(const std::vector<int>& rows);
    template <typename Befehl> void melden(const char* einleitung, Befehl&& befehl);

    CellTable& zellen_;
    Meldungen& meldungen_;
    Verlauf historie_{zellen_};
    Eintragszeilen eintraege_{zellen_, iAnzahl, bLeerzeile};
};
