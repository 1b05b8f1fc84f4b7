#pragma once
// A name list as the loader leaves it, without any view, with recorded messages, and a cursor as
// a view keeps it: the commands are given it, and it goes where they and undoing say.

#include "editor/namenliste.h"
#include "tests/testsupport/recorder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

struct Row {
    std::string nr, name, mp, dbv;
    bool operator==(const Row&) const = default;
};

// The list becomes these file bytes, read as a file is.
inline void laden(NamenListe& liste, const std::string& text, Lesart lesart = Lesart::Datei) {
    CellStore cells(kMaxEintraege + 1);
    const LadeErgebnis ergebnis = NamenTextLesen(text, cells, lesart);
    liste.laden(std::move(cells), ergebnis);
}

struct Liste {
    Recorder said;
    NamenListe liste{said};
    const CellTable& cells = liste.zellen();
    Zelle hier;       // the cursor
    int gezeigt = -1; // the count the count line shows

    explicit Liste(const std::vector<Row>& rows, Lesart lesart = Lesart::Datei) {
        QObject::connect(&liste, &NamenListe::anzahlGeaendert, [this](int n) { gezeigt = n; });
        QObject::connect(&liste, &NamenListe::zeigen, [this](int col, int row) {
            hier = {col, row};
        });
        std::string text = "GESAMT-DATEI\r\n";
        for (const Row& r : rows)
            text += r.name + "\t \t" + r.nr + "\t" + r.mp + "\t" + r.dbv + "\r\n";
        laden(liste, text, lesart);
    }
    static Liste names(const std::vector<std::string>& names) {
        std::vector<Row> rows;
        int i = 0;
        for (const std::string& n : names)
            rows.push_back({std::to_string(++i), n, "N", ""});
        return Liste(rows);
    }
    Row row(int r) const {
        return {cells.cell(0, r), cells.cell(1, r), cells.cell(2, r), cells.cell(3, r)};
    }
    std::vector<std::string> nameList() const {
        std::vector<std::string> out;
        for (int r = 1; r <= liste.iAnzahl(); ++r)
            out.push_back(cells.cell(1, r));
        return out;
    }
    std::vector<std::string> numbers() const {
        std::vector<std::string> out;
        for (int r = 1; r <= liste.iAnzahl(); ++r)
            out.push_back(cells.cell(0, r));
        return out;
    }
    // The commands at the cursor, which goes where they say.
    void einfuegen() { hier = liste.Einfuegen(hier); }
    void loeschen(int row) {
        hier.row = row;
        hier = liste.Loeschen(hier);
    }
    // The list has exactly the entries, or the placeholder row of an empty list, and the count
    // line shows their number.
    void consistent() const {
        EXPECT_EQ(cells.rowCount(), liste.iAnzahl() == 0 ? 2 : liste.iAnzahl() + 1);
        EXPECT_EQ(liste.bLeerzeile(), liste.iAnzahl() == 0);
        EXPECT_EQ(gezeigt, liste.iAnzahl());
    }
};

inline Liste numbered(int n) {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("Name " + std::to_string(i));
    return Liste::names(names);
}
