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
    bool rat = true; // saving it in another format may help
};
[[noreturn]] void scheitern(const QString& grund);
// The file itself is refused (not there, no plain file, too large, empty): no other format
// would help.
[[noreturn]] void abweisen(const QString& grund);
[[noreturn]] void beschaedigt(const QString& wo);

// Collects a sheet's non-empty cells at their places. Gaps before a cell become empty cells;
// empty cells and rows at the end are never stored, so a row repeated a million times costs
// nothing while it is empty. Every cell and row stored counts against the file's budget; what
// lies beyond the bounds a sheet keeps (kMaxZeilenBehalten …) is counted in the sheet instead,
// and costs nothing of the budget.
class Blattbauer {
public:
    // The sheet itself costs one, so a file of countless empty sheets is bounded too.
    explicit Blattbauer(qint64& budget) : budget_(budget) { kosten(1); }
    // `mal` copies of text at spalte, spalte + 1, …; places must rise within a row.
    void zelle(qint64 spalte, const QString& text, qint64 mal = 1);
    // Ends the row begun since the last call and puts it `mal` times at row `zeile` on.
    void zeileFertig(qint64 zeile, qint64 mal = 1);
    // How much text a cell at that place can still bring into the sheet, at least 1: a cell
    // that is not kept only has to tell whether it is empty. For a file's repeats of text.
    qint64 zeichenFrei(qint64 zeile, qint64 spalte) const;
    // The rows and what was left out of them.
    Blatt blatt(const QString& name);

private:
    void kosten(qint64 anzahl);
    std::vector<QStringList> zeilen_;
    QStringList zeile_;
    qint64& budget_;
    qint64 naechste_ = 0;     // the first row a later one may take
    qint64 spalte_ = 0;       // the first column a later cell of the row begun may take
    bool inhalt_ = false;     // the row begun has a cell that is not empty
    qint64 zeichen_ = 0;      // in the cells kept
    qint64 zeichenZeile_ = 0; // in the row begun
    bool gekuerzt_ = false;   // the row begun has cells right of the kept columns
    bool voll_ = false;       // rows are only counted from here on
    qint64 weggelassen_ = 0, zeilenGekuerzt_ = 0;
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
