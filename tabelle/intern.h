#pragma once
// What the readers and writers of the three formats share; not part of the library's interface.

#include "tabelle/tabelle.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tabelle::intern {

// A spreadsheet's own limits; a place beyond them is a broken or hostile file.
inline constexpr qint64 kMaxZeilen = 1048576;
inline constexpr qint64 kMaxSpalten = 16384;
inline constexpr qsizetype kMaxNamenslaenge = 100; // of a sheet; spreadsheets allow 31

// Why a file cannot be read, in German and without the file name ("sie ist beschädigt");
// thrown by the readers, caught in lesenAusBytes.
struct Fehler {
    QString grund;
};
[[noreturn]] void scheitern(const QString& grund);
[[noreturn]] void beschaedigt(const QString& wo);

// Collects a sheet's non-empty cells at their places. Gaps before a cell become empty cells;
// empty cells and rows at the end are never stored, so a row repeated a million times costs
// nothing while it is empty. Every cell and row stored counts against the file's budget.
class Blattbauer {
public:
    // The sheet itself costs one, so a file of countless empty sheets is bounded too.
    explicit Blattbauer(qint64& budget) : budget_(budget) { kosten(1); }
    // `mal` copies of text at spalte, spalte + 1, …; places must rise within a row.
    void zelle(qint64 spalte, const QString& text, qint64 mal = 1);
    // Ends the row begun since the last call and puts it `mal` times at row `zeile` on.
    void zeileFertig(qint64 zeile, qint64 mal = 1);
    std::vector<QStringList> zeilen;

private:
    void kosten(qint64 anzahl);
    QStringList zeile_;
    qint64& budget_;
};

// A repeat count or place from a file: at least 1, at most far beyond any limit, so that
// sums of two cannot overflow.
qint64 anzahl(QStringView text, qint64 ohne = 1);

Blatt csvLesen(const QByteArray& bytes, Kodierung& kodierung, qint64& budget);
class Zip;
std::vector<Blatt> odsLesen(Zip& zip, qint64& budget);
std::vector<Blatt> xlsxLesen(Zip& zip, qint64& budget);

// "_xHHHH_" at i, which an XLSX reader takes for the character HHHH: its code, else -1.
int maskeBei(QStringView text, qsizetype i);

// ---- Writing. The sheet's first row is the heading.

// A cell written as a number: a whole number in plain digits that every spreadsheet shows as
// the same text ("17", "-3"; not "007", "+3", "-0", nor more than 11 characters, which Excel
// would show with an exponent).
bool alsZahl(QStringView zelle);
// What XML holds of a cell: control characters but TAB and "\n" left out, CR LF and CR made
// "\n".
QString xmlText(QStringView zelle);
// The width of each column of the heading in characters, from its longest cell.
std::vector<int> spaltenbreiten(const Blatt& blatt);
// About how long a part is that holds every cell's text and `jeZelle` characters more for each.
qsizetype umfang(const Blatt& blatt, qsizetype jeZelle);

// `entpackt`: the parts' bytes together.
QByteArray odsSchreiben(const Blatt& blatt, qint64& entpackt);
QByteArray xlsxSchreiben(const Blatt& blatt, qint64& entpackt);

} // namespace tabelle::intern
