#pragma once
// A number of an XLSX cell as a German spreadsheet shows it through the cell's number format:
// 4711 as "4711", 12.5 as "12,5", 12345 under "000000" as "012345", 1234.5 under "#,##0.00"
// as "1.234,50", a date under "dd/mm/yy" as "01.03.15". Literal text, colours and conditions of
// a format are left out; what is left is what a member table needs to come in unchanged.

#include <QString>

namespace tabelle::intern {

class Zahlformat {
public:
    Zahlformat() = default; // "General"
    // A format of the file (`code`), or else one of the built-in ones by `id`.
    Zahlformat(int id, const QString& code);
    QString text(double wert, bool datum1904) const;
    // A plain number as "General" shows it.
    static QString standard(double wert);

private:
    QString zahl(double wert) const;
    QString datum(double wert, bool datum1904) const;

    enum class Art { Standard, Zahl, Datum };
    Art art_ = Art::Standard;
    int stellen_ = 1;      // digits before the decimal point at least
    int nachkommaMin_ = 0; // digits after it at least
    int nachkommaMax_ = 0; // and at most
    bool gruppiert_ = false;
    bool prozent_ = false;
    // The format's first section; a literal character stands after a backslash.
    QString muster_;
};

} // namespace tabelle::intern
