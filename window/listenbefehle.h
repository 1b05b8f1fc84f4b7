#pragma once
// The window's commands that choose and read before the list changes, or write it elsewhere:
// taking in a member table, reviewing probable duplicates, writing the list as a table. Choosing
// the file, reading it and saying what went wrong is done here; the dialogs only show and return
// the user's choices.

#include "editor/fassungsvergleich.h"
#include "editor/zeilenvorschau.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

class Meldungen;
class NamenListe;
class QWidget;

// "Aus Tabelle einlesen…": a table chosen beside the list's file `liste` (the file system's
// bytes), read and shown against the list. The plan the user takes; nothing when cancelled or
// when the file cannot be read (said in a message).
std::optional<std::vector<Planzeile>> TabelleAbgleichen(QWidget* fenster, const std::string& liste,
                                                        const NamenListe& namen,
                                                        Meldungen& meldungen);

// The same for a file already chosen (a file dropped on the window).
std::optional<std::vector<Planzeile>> TabelleZeigen(QWidget* fenster, const QString& pfad,
                                                    const NamenListe& namen, Meldungen& meldungen);
// Whether the import takes the file: a table by its ending, or a name list.
bool Einlesbar(const QString& pfad);

// "Duplikate prüfen…": the rows the user ticks to go; nothing when cancelled or when there are
// none (said in a note).
std::optional<std::vector<int>> DuplikateZeigen(QWidget* fenster, const NamenListe& namen,
                                                Meldungen& meldungen);

// "Frühere Fassungen…": the version the user chose of the list's file `liste`, with the
// differences to put back or the whole of it; nothing when cancelled or when there are none
// (said in a note).
struct FassungsWahl {
    std::string text; // the version's bytes
    bool ganz = false;
    std::vector<Fassungsunterschied> unterschiede;
};
std::optional<FassungsWahl> FassungWaehlen(QWidget* fenster, const std::string& liste,
                                           const NamenListe& namen, Meldungen& meldungen);

// "Als Tabelle speichern…": the list written as ODS, XLSX or CSV where the user chooses, beside
// the list's file `liste` as proposed. The note of what was written; nothing when cancelled or
// when it could not be written (said in a message, and no file changed).
std::optional<QString> AlsTabelleSpeichern(QWidget* fenster, const std::string& liste,
                                           const NamenListe& namen, Meldungen& meldungen);

// "Speichern unter…": the file to write the list to, chosen in the program folder with the
// list's own name proposed (the file system's bytes); nothing when cancelled or when it is
// another user's link (said in a message).
std::optional<std::string> SpeicherzielWaehlen(QWidget* fenster, const std::string& liste,
                                               Meldungen& meldungen);
