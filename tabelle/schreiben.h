#pragma once
// Writing a table for a spreadsheet program: one sheet, a heading row and rows of Windows-1252
// cells, as ODS, XLSX or CSV. What is written here, lesen() reads back cell for cell.
//
// A cell that is a plain whole number ("17", "-3", "100237") becomes a number cell, which a
// spreadsheet shows as the same text; anything else stays text, so "0100237", "A-4711" and
// " 12" come back as they were, and the spreadsheet keeps them text when they are edited.
// Control characters: the XML formats hold only TAB and the line break ("\n"), CSV all but NUL;
// the others are left out. CSV is what a German spreadsheet opens without asking: UTF-8 with
// byte-order mark, ';' between fields, CR LF after each row, a field in double quotes when it
// holds ';', '"' or a line break (RFC 4180).
//
// Containers are complete packages (ODS: "mimetype" first and stored, manifest, content and
// styles; XLSX: content types, relationships, workbook, sheet, shared strings, styles), and
// the same table gives the same bytes.

#include "tabelle/tabelle.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <span>
#include <string>

namespace tabelle {

inline constexpr int kSchreibspalten = 4;
using Schreibzeile = std::array<std::string, kSchreibspalten>;

struct Ausgabe {
    // The sheet's name (ODS, XLSX). What a spreadsheet refuses in it becomes '_'; it is cut to
    // 31 characters, and an empty one becomes "Tabelle1".
    QString blatt;
    std::array<QString, kSchreibspalten> kopf; // the heading row, in bold
    std::span<const Schreibzeile> zeilen;      // Windows-1252 cells
};

struct Tabellendatei {
    QByteArray bytes;
    // Why the table cannot be written, in German and without a lead-in ("Zeile 3 hat eine Zelle
    // mit mehr als 32767 Zeichen"); empty when `bytes` hold the file. A table is refused where
    // lesen() would refuse it, so that whatever is written can be taken in again.
    QString fehler;
};
// Format::Erkennen takes the ending of `dateiname`: ".xlsx" XLSX, ".csv" and ".txt" CSV,
// anything else ODS.
Tabellendatei schreibenAlsBytes(const Ausgabe& ausgabe, Format format,
                                const QString& dateiname = QString());

struct Geschrieben {
    QString fehler;       // from schreibenAlsBytes: nothing was written
    int systemfehler = 0; // errno of writing the file, which is as it was
    bool ok() const { return fehler.isEmpty() && systemfehler == 0; }
};
// Writes the file through the safe-write module: old or new, never a mixture.
Geschrieben schreiben(const QString& pfad, const Ausgabe& ausgabe,
                      Format format = Format::Erkennen);

} // namespace tabelle
