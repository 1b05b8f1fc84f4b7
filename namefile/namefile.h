#pragma once
// The name file: header "GESAMT-DATEI", then one TAB-separated line per entry
// (name, blank, number, MP code, membership number), CR LF, Windows-1252 bytes.

#include "cells/celltable.h"
#include "cells/eintrag.h"
#include "support/fileerrors.h"

#include <cstdint>
#include <string>
#include <vector>

// What is read of a file at most: 1000 entries with long names and notes need far less, and a
// file another user made huge must not take the memory.
constexpr size_t kNamenDateiHoechstens = size_t(4) << 20;

// The file being edited.
inline std::string sGesamtdatei;

// What the file looked like when it was read, to notice a later change by someone else.
struct DateiStand {
    bool vorhanden = false;
    int64_t groesse = 0;
    int64_t geaendertNs = 0;
    uint64_t pruefsumme = 0;
    uint64_t geraet = 0, inode = 0; // the file the name led to
    bool verweis = false;           // through a link
    bool operator==(const DateiStand&) const = default;
};
DateiStand DateiStandLesen(const std::string& pfad);

struct LadeErgebnis {
    bool vorhanden = true;           // false: no file yet, an empty list was set up
    int anzahl = 0;                  // entries in rows 1 .. anzahl
    bool leerzeile = false;          // row 1 is a blank placeholder
    bool mehrAlsMaximum = false;     // entries beyond the 1000th were left out
    bool unvollstaendig = false;     // reading failed part-way; `fehler` says why
    bool datenNachDateiende = false; // data follows the end-of-file mark and was left out
    // A save of the file that a crash interrupted waits to be completed: what was read may be the
    // old content or part of the new one.
    bool unterbrochen = false;
    bool zuGross = false; // the file was larger than kNamenDateiHoechstens; the rest left out
    // The file's first line is not the header: probably no name list at all (a picture, a
    // text), read as one all the same; its first save asks before it is overwritten.
    bool ohneKopfzeile = false;
    // Entries (rows) whose line ended at an LF alone in a file whose other lines end with CR LF:
    // an LF inside a field splits it there. Empty for a file of LF lines.
    std::vector<int> endeNurLF;
    std::string fehler; // empty when reading succeeded
    DateiStand stand;
};

// Reads the file into the cells and sets the row count; it changes no file. The cells must have
// room for 1001 rows. Failures are reported in the result, never thrown.
LadeErgebnis NamenDateiLesen(const std::string& pfad, CellTable& zellen);
// Completes a save of the file that a crash interrupted and removes what crashed saves left
// beside it: what the editor does before it reads the list it opens, never a read that only
// looks. True when a save was completed.
bool UnterbrochenesSpeichernAbschliessen(const std::string& pfad);
// How the lines become rows: as a file is read (names trimmed, blank ones skipped, a missing
// number replaced by the position), or as this program wrote them, cell for cell.
enum class Lesart { Datei, WieGeschrieben };
// The same on bytes already read: a file's, or this program's own unsaved changes, which must
// come back as they were (an entry without a number stays without one).
LadeErgebnis NamenTextLesen(const std::string& text, CellTable& zellen,
                            Lesart lesart = Lesart::Datei);

// The note on opening for `zuGross`: what was read, and that the rest was left out.
std::string ZuGrossHinweis();
// The note on opening for `ohneKopfzeile`.
std::string OhneKopfzeileHinweis();
// Why the name is not opened or saved: a link another user put there (a shared folder's
// member could so lead the user's save to a file of the user's own); empty where none.
std::string FremderVerweis(const std::string& pfad);
// What to say where a save could not keep the file as it was beside it (NamenDateiSchreiben
// returned false): a line for the run log; or, where "<name>~" is another user's file that
// stays and would be taken for the backup, a note to show (`zeigen`) that names its owner and
// where this user's earlier versions are.
struct Sicherungsmeldung {
    std::string text;
    bool zeigen = false;
};
Sicherungsmeldung SicherungFehlt(const std::string& pfad);

// The note on opening that names the entries of `endeNurLF` (position, number and name; for
// many the first few and the count), Windows-1252; empty when there are none. Right after
// loading, while the cells are as read.
std::string ZeilenendenHinweis(const LadeErgebnis& geladen, const CellTable& zellen);

// What to ask, in this order, before the list is saved over the file as it is now: only what is
// true (a file that could not be read cannot be compared with what was read).
std::vector<std::string> FragenVorDemSpeichern(const LadeErgebnis& geladen,
                                               const DateiStand& jetzt);

// The file's bytes for rows 1 to the last row.
std::string NamenDateiText(const CellTable& zellen);
// Writes the file so that it is either the old or the new one, never a mixture; an existing
// file that may not be written, another user's link and a link that leads to no file are
// refused before anything happens. Throws DateiFehler.
// The file as it was is kept beside it as "<name>~"; false when that could not be written
// (the list is saved all the same).
bool NamenDateiSchreiben(const std::string& pfad, const CellTable& zellen);
