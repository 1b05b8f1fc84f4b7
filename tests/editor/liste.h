#pragma once
// A name list as the loader leaves it, on cells without a view, with recorded messages.

#include "cells/cellstore.h"
#include "editor/namenliste.h"
#include "tests/testsupport/recorder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

struct Row {
    std::string nr, name, mp, dbv;
    bool operator==(const Row&) const = default;
};

// A list as the loader leaves it.
struct Liste {
    CellStore cells{kMaxEintraege + 1};
    Recorder said;
    NamenListe liste{cells, said};
    int labels = 0;

    explicit Liste(const std::vector<Row>& rows) {
        std::string text = "GESAMT-DATEI\r\n";
        for (const Row& r : rows)
            text += r.name + "\t \t" + r.nr + "\t" + r.mp + "\t" + r.dbv + "\r\n";
        liste.geladen(NamenTextLesen(text, cells));
        liste.anzahlGeaendert = [this] { ++labels; };
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
        for (int r = 1; r <= liste.iAnzahl; ++r)
            out.push_back(cells.cell(1, r));
        return out;
    }
    std::vector<std::string> numbers() const {
        std::vector<std::string> out;
        for (int r = 1; r <= liste.iAnzahl; ++r)
            out.push_back(cells.cell(0, r));
        return out;
    }
    // The grid has exactly the entries, or the placeholder row of an empty list.
    void consistent() const {
        EXPECT_EQ(cells.rowCount(), liste.iAnzahl == 0 ? 2 : liste.iAnzahl + 1);
        EXPECT_EQ(liste.bLeerzeile, liste.iAnzahl == 0);
    }
};

inline Liste numbered(int n) {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("Name " + std::to_string(i));
    return Liste::names(names);
}
