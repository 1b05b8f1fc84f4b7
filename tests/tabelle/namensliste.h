#pragma once
// A name list as the table writer gets it (Windows-1252 cells), with what must come back
// unchanged: umlauts and ß, membership numbers with leading zeros and letters, long numbers,
// empty fields, blanks, quotes, semicolons and line breaks.

#include "erkennung/erkennung.h"
#include "platform/cp1252.h"
#include "tabelle/schreiben.h"

#include <vector>

// The headings the import recognises.
inline const std::array<QString, tabelle::kSchreibspalten> kKopf{
    BedeutungText(Bedeutung::Nr), BedeutungText(Bedeutung::Name), BedeutungText(Bedeutung::MP),
    BedeutungText(Bedeutung::Mitgliedsnr)};

inline std::vector<tabelle::Schreibzeile> namensliste(int anzahl) {
    static const char* const namen[] = {"Jürgen Weiß",
                                        "Änne Überall-Öser",
                                        "Dr.  Dieter Krüger",
                                        "Meier; Hans",
                                        "Hans \"Hansi\" Groß",
                                        "Zeile eins\nZeile zwei",
                                        "",
                                        "Seeß, von",
                                        " Renée d'Arc ",
                                        "_x0041_"};
    static const char* const nummern[] = {"0100237",     "A-4711",       "100237", "",
                                          "12345678901", "123456789012", "007",    "-3"};
    std::vector<tabelle::Schreibzeile> zeilen;
    for (int i = 0; i < anzahl; ++i) {
        const auto zelle = [](const char* utf8) {
            return cp1252::fromQString(QString::fromUtf8(utf8));
        };
        const std::string mp = i % 5 == 4 ? std::string() : std::string(1, "JNG"[i % 3]);
        zeilen.push_back({i % 7 == 3 ? std::string(" 12") : std::to_string(i + 1),
                          zelle(namen[i % std::size(namen)]), mp,
                          zelle(nummern[i % std::size(nummern)])});
    }
    return zeilen;
}

// What a reader gives for `zeilen` under kKopf: Unicode, no row ending in an empty cell.
inline std::vector<QStringList> gelesen(const std::vector<tabelle::Schreibzeile>& zeilen) {
    std::vector<QStringList> ergebnis{QStringList(kKopf.begin(), kKopf.end())};
    for (const tabelle::Schreibzeile& zeile : zeilen) {
        QStringList zellen;
        for (const std::string& zelle : zeile)
            zellen.append(cp1252::toQString(zelle));
        while (!zellen.isEmpty() && zellen.back().isEmpty())
            zellen.removeLast();
        ergebnis.push_back(zellen);
    }
    while (ergebnis.size() > 1 && ergebnis.back().isEmpty())
        ergebnis.pop_back();
    return ergebnis;
}

// Rows as readable lines ("1 | Jürgen Weiß | J"), for comparing them.
inline std::vector<std::string> alsText(const std::vector<QStringList>& zeilen) {
    std::vector<std::string> text;
    for (const QStringList& zeile : zeilen)
        text.push_back(zeile.join(QStringLiteral(" | ")).toStdString());
    return text;
}
