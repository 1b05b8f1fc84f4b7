#pragma once
// Member tables that once took the import preview seconds and gigabytes, made in memory for the
// tests and for measuring the preview (bench/vorschau_messen.cpp). Each begins with the heading
// row "Name", "MP", "Mitgliedsnr" and the row "Anna Berg", "J", "100237"; the rest is the
// attack.

#include "tests/tabelle/zipbau.h"

#include <QStringList>

struct FeindlicheTabelle {
    const char* name; // the file's name
    QByteArray bytes;
};

namespace feindlich {

inline QByteArray odsZelle(const QByteArray& text, qint64 mal = 1) {
    return "<table:table-cell table:number-columns-repeated=\"" + QByteArray::number(mal) +
           "\"><text:p>" + text + "</text:p></table:table-cell>";
}

inline QByteArray odsZeile(const QByteArray& zellen, qint64 mal = 1) {
    return "<table:table-row table:number-rows-repeated=\"" + QByteArray::number(mal) + "\">" +
           zellen + "</table:table-row>";
}

// The two first rows and then `rest`, as one sheet.
inline QByteArray ods(const QByteArray& rest) {
    return odsAus("<table:table>" +
                  odsZeile(odsZelle("Name") + odsZelle("MP") + odsZelle("Mitgliedsnr")) +
                  odsZeile(odsZelle("Anna Berg") + odsZelle("J") + odsZelle("100237")) + rest +
                  "</table:table>");
}

inline QByteArray xlsxZeile(const QStringList& zellen) {
    QByteArray out = "<row>";
    for (const QString& z : zellen)
        out += "<c t=\"inlineStr\"><is><t>" + z.toUtf8() + "</t></is></c>";
    return out + "</row>";
}

} // namespace feindlich

// A spreadsheet's last row is 1048576, its last column 16384.
inline std::vector<FeindlicheTabelle> FeindlicheTabellen() {
    using namespace feindlich;
    QByteArray csv = "Name;MP;Mitgliedsnr\r\nAnna Berg;J;100237\r\n";
    for (int i = 0; i < 450000; ++i)
        csv += "Spieler " + QByteArray::number(i) + ";N;" + QByteArray::number(200000 + i) + "\r\n";
    QStringList breit{QStringLiteral("Name"), QStringLiteral("MP"), QStringLiteral("Mitgliedsnr")};
    QStringList anna{QStringLiteral("Anna Berg"), QStringLiteral("J"), QStringLiteral("100237")};
    for (int c = 3; c < 16384; ++c) {
        breit << QStringLiteral("S%1").arg(c);
        anna << QStringLiteral("x");
    }
    QByteArray werte; // 61 long values no column takes: a note each on every row
    for (int c = 3; c < 64; ++c)
        werte += odsZelle("Wert " + QByteArray::number(c) + " abcdefghijklmnopqrstuvwxyz");
    return {
        {"wiederholt.ods",
         ods(odsZeile(odsZelle("Meier") + odsZelle("N") + odsZelle("4711") + odsZelle("x", 16381),
                      1048574))},
        {"leerzeichen.ods",
         ods(odsZeile(odsZelle("Meier<text:s text:c=\"32000\"/>") + odsZelle("N") +
                          odsZelle("<text:s text:c=\"32000\"/>", 16381),
                      1048574))},
        {"zeilen.csv", csv},
        {"spalten.xlsx", xlsxAus("<worksheet><sheetData>" + xlsxZeile(breit) + xlsxZeile(anna) +
                                 xlsxZeile(anna).repeated(8) + "</sheetData></worksheet>")},
        {"hinweise.ods",
         ods(odsZeile(odsZelle("Meier") + odsZelle("N") + odsZelle("4711") + werte, 1048574))},
    };
}
