#pragma once
// The editing session of one list, from opening to closing: the lock beside the file, the notes
// on opening, the question about unsaved changes an ended session left, keeping this session's
// own unsaved changes on disk, the questions before saving and the state after it.

#include "editor/namenliste.h"
#include "fassungen/fassungen.h"
#include "namefile/namefile.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "support/meldungen.h"

#include <QMetaObject>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// Hands every step of the list to the recovery data, so that a crash loses nothing typed;
// undone back to the file, nothing is unsaved and the data go.
class Sicherung {
public:
    Sicherung(NamenListe& liste, Wiederherstellung& daten);
    ~Sicherung();
    Sicherung(const Sicherung&) = delete;
    Sicherung& operator=(const Sicherung&) = delete;

private:
    QMetaObject::Connection verbindung_;
};

class Bearbeitung {
public:
    // Speaks through `meldungen`.
    Bearbeitung(NamenListe& liste, Meldungen& meldungen);
    ~Bearbeitung(); // as beenden(false)
    Bearbeitung(const Bearbeitung&) = delete;
    Bearbeitung& operator=(const Bearbeitung&) = delete;

    // Takes the lock beside the file at `pfad` (asking about another session's), completes a
    // save of it that a crash interrupted, reads it with its notes, offers unsaved changes an
    // ended session left and keeps this session's from now on. From now on the session works on
    // that file. False when the user chose not to open a list another session has open.
    bool oeffnen(const std::string& pfad);
    // Writes the list after the questions the file's state calls for, with the note of how many
    // entries were written; false when it was not written. With `offenBleiben` the file is now
    // what the list shows: the next save compares with it, and nothing is unsaved.
    bool speichern(bool offenBleiben);
    // Writes the list to the file `zielWaehlen` gives (after the file dialog's own question
    // about an existing file) and works on that file from then on: its lock, its unsaved
    // changes and its versions; the list opened stays as it was. False when it was not written
    // or no file was chosen. Offered also where the list's own file cannot be written.
    bool speichernUnter(bool offenBleiben);
    bool speichernUnter(const std::string& ziel, bool offenBleiben);
    // Whether the list may be closed without saving: asks when it was changed.
    bool verwerfenErlaubt();
    // The lock goes however the session ends; the unsaved changes only when they were saved or
    // given up (`erledigt`), never when the window is merely torn down.
    void beenden(bool erledigt);

    const LadeErgebnis& geladen() const { return geladen_; }
    // The file the session works on (the file system's bytes).
    const std::string& pfad() const { return pfad_; }

    // Where the unsaved changes cannot be kept on disk (a full state folder), the note goes
    // here, beside the run log, instead of a dialog in the middle of typing; once until they
    // can be kept again.
    std::function<void(const std::string& hinweis)> gescheitert;
    // The file to save under another name, from the user; nothing when cancelled. Without it,
    // a list that cannot be written is merely said to be so.
    std::function<std::optional<std::string>()> zielWaehlen;

private:
    void sicherungGescheitert(const std::string& hinweis);
    bool sperreNehmen(const std::string& pfad, std::optional<Sperre>& gesetzt);
    void hinweiseZeigen(const CellTable& gelesen);
    void ungespeichertesPruefen();
    void aenderungenSichern();
    void gespeichert();                            // the file holds the list now
    enum class Geschrieben { Nein, Ja, Anderswo }; // Anderswo: saved under another name
    Geschrieben schreibenNach(const std::string& ziel, Fassungen* fassungen, bool offenBleiben);

    NamenListe& liste_;
    Meldungen& meldungen_;
    std::string pfad_;
    LadeErgebnis geladen_;
    bool abgeschlossen_ = false; // a save that a crash interrupted was completed on opening
    // The notes of the writing thread reach the session through it; it outlives the writer.
    QObject waechter_;
    std::optional<Sperre> sperre_;                         // the lock this session set
    std::unique_ptr<Wiederherstellung> wiederherstellung_; // unsaved changes, kept on disk
    std::unique_ptr<Sicherung> sicherung_;
    std::unique_ptr<Fassungen> fassungen_; // the states each save replaces, kept
};
