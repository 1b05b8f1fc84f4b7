#include "tests/editor/liste.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

// Everything undo must give back.
struct Stand {
    std::vector<Row> rows; // the title row included
    int anzahl;
    bool leer;
    int col, row;
    bool operator==(const Stand&) const = default;
};

Stand stand(const Liste& l) {
    Stand s{{}, l.liste.iAnzahl(), l.liste.bLeerzeile(), l.hier.col, l.hier.row};
    for (int r = 0; r < l.cells.rowCount(); ++r)
        s.rows.push_back(l.row(r));
    return s;
}

// Names with doubles, blanks and bytes no keyboard types.
Liste gemischt() {
    return Liste({{"17", "Meier, Hans", "J", "100496"},
                  {"2", "Zander", "N", ""},
                  {"3", "\x81\x8D\x8F Undefiniert", "G", "7"},
                  {"4", "meier,  hans", "N", ""},
                  {"5", "Albers", "", "\x9D"},
                  {"9", "Zander", "N", "12"}});
}

QString undoText(Liste& l) {
    return l.liste.verlauf().undoText();
}

} // namespace

TEST(Verlauf, EveryCommandIsOneStepUndoneAndRedoneExactly) {
    struct Fall {
        const char* list; // "gemischt", "leer" or "eins"
        QString name;
        std::function<void(Liste&)> befehl;
        int zeile = 0; // where the cursor is; 0: row 3, or 1 in a shorter list
    };
    // The user leaves the edited cell before the edit counts.
    auto edit = [](int col, int row, const std::string& text) {
        return [=](Liste& l) {
            l.hier = {col + 1, row};
            l.liste.zelleSchreiben(col, row, text);
        };
    };
    auto loeschen = [](Liste& l) { l.hier = l.liste.Loeschen(l.hier); };
    const std::vector<Fall> faelle = {
        {"gemischt", QStringLiteral("Eingabe"), edit(1, 3, "Neu")},
        {"leer", QStringLiteral("Eingabe"), edit(1, 1, "Erster")},
        {"gemischt", QStringLiteral(u"Einfügen"), [](Liste& l) { l.einfuegen(); }},
        {"leer", QStringLiteral(u"Einfügen"), [](Liste& l) { l.einfuegen(); }},
        {"gemischt", QStringLiteral(u"Löschen"), loeschen},
        {"gemischt", QStringLiteral(u"Löschen"), loeschen, 6},
        {"eins", QStringLiteral(u"Löschen"), loeschen},
        {"gemischt", QStringLiteral("Sortieren"), [](Liste& l) { l.liste.Sortieren(l.hier); }},
        {"gemischt", QStringLiteral("Neu nummerieren"),
         [](Liste& l) { l.liste.Nummerieren(l.hier); }},
        {"gemischt", QStringLiteral(u"Duplikate löschen"),
         [](Liste& l) { l.liste.DuplikateLoeschen(l.hier); }},
        {"gemischt", QStringLiteral(u"Turnierteilnehmer einfügen"),
         [](Liste& l) {
             l.liste.Erweitern({"Neu A", "Zander", "Neu B"}, l.hier);
         }},
        {"leer", QStringLiteral(u"Turnierteilnehmer einfügen"),
         [](Liste& l) { l.liste.Erweitern({"X"}, l.hier); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name.toStdString() + " on " + f.list);
        Liste l = std::string(f.list) == "leer"   ? Liste({})
                  : std::string(f.list) == "eins" ? Liste({{"1", "Einzig", "N", "5"}})
                                                  : gemischt();
        const bool eingabe = f.name == QStringLiteral("Eingabe");
        l.hier = {eingabe ? 1 : 2, f.zeile ? f.zeile : l.cells.rowCount() > 3 ? 3 : 1};
        const Stand vorher = stand(l);
        f.befehl(l);
        Stand nachher = stand(l);
        // Undo and redo of an edit go back to the edited cell.
        if (eingabe)
            nachher.col = vorher.col;
        ASSERT_NE(vorher, nachher);
        ASSERT_EQ(l.liste.verlauf().count(), 1);
        EXPECT_EQ(undoText(l), f.name);

        l.liste.verlauf().undo();
        EXPECT_EQ(stand(l), vorher);
        EXPECT_FALSE(l.liste.bGeaendert());
        l.consistent(); // the count line too

        l.liste.verlauf().redo();
        EXPECT_EQ(stand(l), nachher);
        EXPECT_TRUE(l.liste.bGeaendert());
        l.consistent();
    }
}

TEST(Verlauf, CommandsThatChangeNothingAddNoStep) {
    Liste l = Liste::names({"Albers", "Meier"});
    l.said.answer = false;
    l.liste.Nummerieren(l.hier);
    l.liste.DuplikateLoeschen(l.hier);
    l.liste.Sortieren(l.hier);
    l.liste.Erweitern({"Albers", "", "Tab\tName"}, l.hier);
    l.loeschen(5);
    EXPECT_EQ(l.liste.verlauf().count(), 0);
    EXPECT_EQ(l.said.notes, (std::vector<std::string>{"Es wurden keine Duplikate gefunden"}));
}

TEST(Verlauf, UndoingToTheLoadedStateIsCleanAndANewStepDropsWhatWasUndone) {
    Liste l = gemischt();
    QUndoStack& v = l.liste.verlauf();
    l.loeschen(1);
    l.liste.Sortieren(l.hier);
    v.undo();
    EXPECT_TRUE(l.liste.bGeaendert());
    v.undo();
    EXPECT_FALSE(l.liste.bGeaendert());
    EXPECT_FALSE(v.canUndo());
    v.redo();
    EXPECT_TRUE(l.liste.bGeaendert());
    EXPECT_EQ(v.redoText(), QStringLiteral("Sortieren"));
    l.einfuegen();
    EXPECT_FALSE(v.canRedo());
    EXPECT_EQ(v.undoText(), QStringLiteral(u"Einfügen"));
}

TEST(Verlauf, RandomSequencesFullyUndoneGiveBackTheFileByteForByte) {
    std::mt19937 rng(20261209);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::vector<std::string> names = {"Meier, Hans",  "meier, hans",       "Zander",
                                            "\x81 Roh\x8D", "J\xFCrgen Wei\xDF", "  ",
                                            "Albers"};
    for (int sequence = 0; sequence < 500; ++sequence) {
        std::vector<Row> rows;
        const int n = pick(0, 12);
        for (int i = 0; i < n; ++i)
            rows.push_back({std::to_string(pick(0, 20)), names[size_t(pick(0, 6))],
                            pick(0, 1) ? "J" : "N", pick(0, 1) ? "" : std::to_string(pick(1, 3))});
        Liste l(rows);
        const std::string geladen = NamenDateiText(l.cells);
        const Kopf kopf{l.liste.iAnzahl(), l.liste.bLeerzeile()};
        const int steps = pick(1, 15);
        for (int s = 0; s < steps; ++s) {
            l.hier = {pick(0, 3), pick(1, l.cells.rowCount() - 1)};
            l.said.answer = pick(0, 1);
            switch (pick(0, 7)) {
            case 0:
                l.einfuegen();
                break;
            case 1:
                l.hier = l.liste.Loeschen(l.hier);
                break;
            case 2:
                l.liste.Sortieren(l.hier);
                break;
            case 3:
                l.liste.Nummerieren(l.hier);
                break;
            case 4:
                l.liste.DuplikateLoeschen(l.hier);
                break;
            case 5:
                l.liste.Erweitern({names[size_t(pick(0, 6))], "Neu " + std::to_string(s)}, l.hier);
                break;
            case 6:
                l.liste.verlauf().undo();
                break;
            default:
                l.liste.zelleSchreiben(l.hier.col, l.hier.row, names[size_t(pick(0, 6))]);
            }
        }
        const std::string geaendert = NamenDateiText(l.cells);
        const int redos = l.liste.verlauf().count() - l.liste.verlauf().index();
        while (l.liste.verlauf().canUndo())
            l.liste.verlauf().undo();
        ASSERT_EQ(NamenDateiText(l.cells), geladen) << "sequence " << sequence;
        ASSERT_EQ((Kopf{l.liste.iAnzahl(), l.liste.bLeerzeile()}), kopf) << "sequence " << sequence;
        for (int i = l.liste.verlauf().count() - redos; i > 0; --i)
            l.liste.verlauf().redo();
        ASSERT_EQ(NamenDateiText(l.cells), geaendert) << "sequence " << sequence;
        l.consistent();
    }
}
