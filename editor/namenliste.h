#pragma once
// The name list: the one copy of its entries, the count and the flags, and every command that
// changes them. Rows 1 .. iAnzahl are the entries; row 0 is the title row. Views show it
// through the signals it sends; it knows none of them, nor where a cursor stands: commands are
// given the cell the cursor is on, and those that move it say where to.

#include "cells/cellstore.h"
#include "editor/abgleich.h"
#include "editor/fassungsvergleich.h"
#include "editor/listenzellen.h"
#include "editor/verlauf.h"
#include "editor/zeilen.h"
#include "namefile/namefile.h"
#include "support/meldungen.h"

#include <QObject>
#include <QUndoStack>
#include <string>
#include <vector>

class NamenListe : public QObject {
    Q_OBJECT
public:
    explicit NamenListe(Meldungen& meldungen, QObject* parent = nullptr);

    const CellTable& zellen() const { return zellen_; }

    int iAnzahl() const { return iAnzahl_; }
    // Changed since loading or saving: a step that is not undone, or a sort, which counts as a
    // change even where it moved nothing.
    bool bGeaendert() const { return !historie_.stapel().isClean() || sortiert_; }
    bool bLeerzeile() const { return bLeerzeile_; }
    // A blank row after the last entry to type a new one into, as in a spreadsheet: no entry,
    // no change and never saved until something is typed into it.
    bool bNeueZeile() const { return bNeueZeile_; }

    // "<n> Einträge"
    std::string anzahlText() const;

    // Every change of the list is a step here; its clean state is the list as loaded or saved.
    QUndoStack& verlauf() { return historie_.stapel(); }
    const QUndoStack& verlauf() const { return historie_.stapel(); }

    // The list becomes what was read into `zellen` (NamenDateiLesen), with count and placeholder
    // from the result; nothing counts as changed.
    void laden(CellStore zellen, const LadeErgebnis& ergebnis);
    // The file holds the list as it is now: nothing counts as changed any more.
    void gespeichert();

    // The user typed `text` into a cell: one step "Eingabe", and a name typed into the blank
    // row of an empty list or into the row for a new entry makes it an entry.
    void zelleSchreiben(int col, int row, const std::string& text);

    // Down or Enter past the last entry, when it has a name: adds the blank row for a new one,
    // or at 1000 entries shows the limit note. False when no row was added.
    bool NeueZeileAnfuegen();
    // Takes that row away again while nothing was typed into it: when it is left, before every
    // command and before saving.
    void NeueZeileVerwerfen();

    // `hier` is the cell the cursor is on; undoing a command's step puts the cursor back there.
    // Each returns the cell to show afterwards.

    // Inserts a blank entry before the row of `hier`.
    Zelle Einfuegen(Zelle hier);
    // Deletes the entry in the row of `hier`.
    Zelle Loeschen(Zelle hier);
    // Deletes the entries in these rows, as one step of that name.
    Zelle Loeschen(const std::vector<int>& rows, const QString& schritt, Zelle hier);
    // The marked rows (the selection may reach the new-entry row): after a question, as one
    // step "Markierte Einträge löschen".
    Zelle MarkierteLoeschen(const std::vector<int>& rows, Zelle hier);
    // Inserts these entries before the row of `hier`, as one step, as far as the 1000 allow
    // (then the limit note).
    Zelle BlockEinfuegen(const std::vector<Zeile>& zeilen, Zelle hier);
    // Sorts by Sortierschluessel, with the very result of the exchange sort.
    Zelle Sortieren(Zelle hier);
    // Sorts by surname, then first names, as a German dictionary orders words; a stable sort.
    Zelle NachNameSortieren(Zelle hier);
    // Asks, then numbers the entries 1, 2, ... in their order.
    Zelle Nummerieren(Zelle hier);
    // Deletes every later entry with the same name as one above it; returns how many.
    int DuplikateLoeschen(Zelle hier);
    // Appends the participants whose names are not in the list yet.
    Zelle Erweitern(const std::vector<std::string>& teilnehmer, Zelle hier);
    // The list becomes these file bytes (unsaved changes of a session that ended without
    // saving), as one step that undoing takes back to the list as loaded.
    void Uebernehmen(const std::string& text);
    // The ticked rows of a member table's plan (editor/abgleich.h), as one step "Aus Tabelle
    // einlesen".
    Uebernahme AusTabelleEinlesen(const std::vector<Planzeile>& plan, Zelle hier);
    // The ticked differences of an earlier version (editor/fassungsvergleich.h) put back, as
    // one step "Frühere Fassung": a changed entry to what it was, one the list lacks at its old
    // place, as far as the 1000 allow (then the limit note).
    Zelle FassungWiederherstellen(const std::vector<Fassungsunterschied>& unterschiede, Zelle hier);
    // The list becomes the version's file bytes, read as the file was, as one step "Frühere
    // Fassung".
    Zelle GanzeFassung(const std::string& text, Zelle hier);

Q_SIGNALS:
    // Rows `von` .. `bis` (1-based, title row not included) hold other cells now.
    void zeilenGeaendert(int von, int bis);
    // `anzahl` rows came before row `vor`, or went from row `ab` on.
    void zeilenEingefuegt(int vor, int anzahl);
    void zeilenEntfernt(int ab, int anzahl);
    // iAnzahl changed.
    void anzahlGeaendert(int anzahl);
    // Everything anew: the list was loaded.
    void zurueckgesetzt();
    // A step was undone or redone: the cell to show.
    void zeigen(int col, int row);

private:
    template <typename Befehl> Zelle schritt(const QString& name, Zelle hier, Befehl&& befehl);
    // After a step was undone or redone.
    void gestellt(const Seite& seite);
    void geaendert(const Listenzellen::Aenderung& a);
    void anzahlMelden();
    void einfuegen(int y, Zelle& nachher);
    void sortieren();
    bool duplikateLoeschen(int& n);
    void erweitern(const std::vector<std::string>& teilnehmer);
    template <typename Befehl> void melden(const char* einleitung, Befehl&& befehl);
    // Messages, after the views have been told what changed so far.
    void hinweis(const std::string& text);
    void fehler(const std::string& text);
    bool frage(const std::string& text);
    void grenzeMelden();

    Meldungen& meldungen_;
    Listenzellen zellen_;
    int iAnzahl_ = 0;
    bool bLeerzeile_ = false;
    bool bNeueZeile_ = false;
    bool sortiert_ = false; // sorted since the last step, loading or saving
    int gemeldet_ = -1;     // the count the views were last told
    Verlauf historie_{zellen_};
    Eintragszeilen eintraege_{zellen_, iAnzahl_, bLeerzeile_};
};
