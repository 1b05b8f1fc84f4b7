#pragma once
// Reading a table a user chose (CSV, ODS, XLSX) into rows of text, every cell as the spreadsheet
// shows it: a number cell 4711 is "4711", a date "01.03.15" as its format says, 12.5 is "12,5".
// Nothing here knows what the rows mean.
//
// The file is taken as hostile: only a regular file is read, at most kMaxDateiBytes of it; a
// container is unpacked through QuaZip, its parts together at most kMaxXmlBytes (counted as they
// come out, not taken from the headers), its XML without any DTD; repeated rows and columns,
// cell places, cell lengths and the cells kept are bounded too. Whatever the bytes, reading ends
// within a moment, with rows or with a German message.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tabelle {

// Text files only; ODS and XLSX carry their own (Unicode).
enum class Kodierung { Automatisch, Utf8, Windows1252 };

// Erkennen: a zip holding an ODS or XLSX table is read as that, an old binary workbook is
// refused with a message, anything else is read as CSV. The others force their reader.
enum class Format { Erkennen, Csv, Ods, Xlsx };

struct Blatt {
    QString name; // the sheet's name; for CSV the file name without its ending
    // Rows of cells, gaps as empty cells; no row ends in an empty cell, and no empty row ends
    // the sheet. Line breaks inside a cell are "\n". At most what a preview needs (see
    // kMaxZeilenBehalten); what was left out is counted.
    std::vector<QStringList> zeilen;
    qint64 zeilenWeggelassen = 0; // rows with content after the kept ones, not kept
    qint64 zeilenGekuerzt = 0;    // kept rows whose cells right of kMaxSpaltenBehalten went
};

struct Ergebnis {
    std::vector<Blatt> blaetter; // in the order of the file, hidden sheets left out
    int erstesMitDaten = -1;     // index of the first sheet that holds a cell, or -1
    // For CSV the encoding that was used (detected or asked for); Utf8 for ODS and XLSX.
    Kodierung erkannt = Kodierung::Utf8;
    bool csv = false; // read as text, where the encoding can be chosen
    // Another name list, its columns known: no heading row to show, no meaning to choose.
    bool namensliste = false;
    // German, naming the file and saying what to do; empty on success. A table without any
    // cell is an error too ("enthält keine Daten"), its (empty) sheets are still given.
    QString fehler;
};

// Bounds on what one file may cost, each far above a member table's needs (1000 members in
// six columns: 60 KB of CSV, 400 KB of XML) and low enough that the worst file within them is
// read or refused in well under a second.
inline constexpr qint64 kMaxDateiBytes = 16 * 1024 * 1024; // the file as stored
inline constexpr qint64 kMaxXmlBytes = 8 * 1024 * 1024;    // a container's parts unpacked
inline constexpr qint64 kMaxZellen = 1000000;              // cells and rows kept, gaps included
inline constexpr int kMaxZeichen = 32767;                  // a cell's length, and a CSV line's
// What a sheet keeps, and any preview of rows (pasted ones too): the 1000 entries a list can
// take, with room for headings and blank rows, in the columns a member table has; of the text
// at most as much as such a table holds many times over. Rows after these are only counted,
// however many a file repeats, and cost nothing of kMaxZellen.
inline constexpr qint64 kMaxZeilenBehalten = 1100;
inline constexpr qint64 kMaxSpaltenBehalten = 64;
inline constexpr qint64 kMaxZeichenBehalten = 4'000'000;

// CSV, TSV and TXT: the separator is the one of ';', TAB and ',' that splits the first lines
// into the most fields, the same number in most lines (an Excel "sep=;" line decides it
// instead); fields in double quotes may hold separators, line breaks and doubled quotes.
// Automatisch takes UTF-8 with or without byte-order mark when the bytes are valid UTF-8,
// Windows-1252 otherwise.
//
// The file name's ending matters only when the content is no container: a ".xlsx", ".xlsm",
// ".ods" or ".xls" file is then refused rather than shown as text.
Ergebnis lesen(const QString& pfad, Kodierung kodierung = Kodierung::Automatisch);

// The same on bytes in memory; `dateiname` (the name shown in messages, and the CSV sheet's
// name) may be empty.
Ergebnis lesenAusBytes(const QByteArray& bytes, Format format = Format::Erkennen,
                       Kodierung kodierung = Kodierung::Automatisch,
                       const QString& dateiname = QString());

} // namespace tabelle
