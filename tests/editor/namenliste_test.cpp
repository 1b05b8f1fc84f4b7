#include "editor/namenliste.h"
#include "editor/sortierung.h"
#include "runlog/runlog.h"
#include "support/texthelpers.h"
#include "tests/editor/liste.h"
#include "tests/testsupport/tempenv.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

// ---- insert and delete ----

TEST(Einfuegen, IntoThePlaceholderRowOfAnEmptyList) {
    Liste l({});
    ASSERT_TRUE(l.liste.bLeerzeile());
    l.einfuegen();
    EXPECT_FALSE(l.liste.bLeerzeile());
    EXPECT_EQ(l.cells.rowCount(), 2);
    EXPECT_EQ(l.liste.iAnzahl(), 1);
    EXPECT_EQ(l.liste.anzahlText(), "1 Eintr\xE4ge");
    EXPECT_TRUE(l.liste.bGeaendert());
    EXPECT_EQ(l.row(1), (Row{"", "", "", ""}));
}

// A club's players mostly share the MP; a membership number is one member's own and never
// carries over to a new entry.
TEST(Einfuegen, CopiesMpButNotTheMembershipNumberFromTheRowAbove) {
    Liste l({{"1", "A", "N", ""},
             {"2", "B", "N", ""},
             {"3", "C", "N", ""},
             {"4", "D", "J", "777"},
             {"5", "E", "G", "5"}});
    l.hier.row = 5;
    l.einfuegen();
    EXPECT_EQ(l.row(5), (Row{"", "", "J", ""}));
    EXPECT_EQ(l.row(6), (Row{"5", "E", "G", "5"}));
    EXPECT_EQ(l.liste.iAnzahl(), 6);
    l.consistent();
    l.hier.row = 1;
    l.einfuegen();
    EXPECT_EQ(l.row(1), (Row{"", "", "", ""}));
    EXPECT_EQ(l.row(2), (Row{"1", "A", "N", ""}));
    EXPECT_EQ(l.gezeigt, 7);
}

TEST(Einfuegen, RefusedAtTheLimitAndAllowedAfterOneDeletion) {
    Liste l = numbered(1000);
    l.hier.row = 3;
    l.einfuegen();
    ASSERT_EQ(l.said.notes.size(), 1u);
    EXPECT_EQ(l.said.notes[0],
              "Die Anzahl der Eintr\xE4ge hat das Maximum (1000) bereits erreicht");
    EXPECT_EQ(l.liste.iAnzahl(), 1000);
    EXPECT_FALSE(l.liste.bGeaendert());
    l.loeschen(3);
    l.einfuegen();
    EXPECT_EQ(l.liste.iAnzahl(), 1000);
    EXPECT_EQ(l.said.notes.size(), 1u);
    l.consistent();
}

TEST(Loeschen, LastRowAndAMiddleEntryKeepNumbers) {
    Liste l = numbered(5);
    l.loeschen(5);
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Name 1", "Name 2", "Name 3", "Name 4"}));
    EXPECT_EQ(l.hier.row, 4); // on the last entry now
    l.loeschen(3);
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"1", "2", "4"}));
    EXPECT_EQ(l.liste.anzahlText(), "3 Eintr\xE4ge");
    EXPECT_TRUE(l.liste.bGeaendert());
    l.consistent();
}

TEST(Loeschen, TheOnlyEntryLeavesANewEmptyListAndAnEmptyListStays) {
    Liste l = numbered(1);
    l.loeschen(1);
    EXPECT_EQ(l.liste.iAnzahl(), 0);
    EXPECT_TRUE(l.liste.bLeerzeile());
    EXPECT_EQ(l.row(1), (Row{"", "", "", ""}));
    EXPECT_EQ(l.cells.cell(1, 0), "GESAMT-DATEI");
    l.consistent();
    l.liste.gespeichert();
    l.loeschen(1);
    l.loeschen(0);
    EXPECT_EQ(l.liste.iAnzahl(), 0);
    EXPECT_FALSE(l.liste.bGeaendert());
    l.consistent();
}

// ---- sorting ----

TEST(Sortierschluessel, LastWordAfterTheLastFullStop) {
    EXPECT_EQ(Sortierschluessel("Hans Meier"), "Meier");
    EXPECT_EQ(Sortierschluessel("Dr. Hans Meier"), "Meier");
    EXPECT_EQ(Sortierschluessel("H.Meier"), "Meier");
    EXPECT_EQ(Sortierschluessel("Anna von Berg"), "Berg");
    EXPECT_EQ(Sortierschluessel("Meier"), "Meier");
    EXPECT_EQ(Sortierschluessel("Meier, H."), "\xFF");
    EXPECT_EQ(Sortierschluessel("   "), "\xFF");
    EXPECT_EQ(Sortierschluessel(""), "\xFF");
    EXPECT_EQ(Sortierschluessel("Ute\tMeier"), "Ute\tMeier"); // a tab separates no words
}

namespace {

// The key as the procedure words it: copy the rest after the first stop, tidy, again.
std::string schluesselWieBeschrieben(std::string s) {
    for (size_t dot = s.find('.'); dot != std::string::npos; dot = s.find('.'))
        s = Bereinigen(std::string_view(s).substr(dot + 1), ' ');
    for (size_t blank = s.find(' '); blank != std::string::npos; blank = s.find(' '))
        s = Bereinigen(std::string_view(s).substr(blank + 1), ' ');
    return Bereinigen(s, ' ').empty() ? std::string(1, '\xFF') : s;
}

TEST(Sortierschluessel, EqualsTheProcedureOnRandomNames) {
    std::mt19937 rng(1209);
    const char letters[] = {'.', ' ', '\t', 'a', 'B', '\xE4'};
    for (int round = 0; round < 5000; ++round) {
        std::string name(rng() % 12, ' ');
        for (char& c : name)
            c = letters[rng() % sizeof letters];
        ASSERT_EQ(Sortierschluessel(name), schluesselWieBeschrieben(name)) << name;
    }
}

// The exchange procedure as written, keys computed afresh for every comparison: the numbers
// of the list's entries in their new order.
std::vector<std::string> exchangeSort(const Liste& l) {
    std::vector<Row> rows;
    for (int r = 1; r <= l.liste.iAnzahl(); ++r)
        rows.push_back(l.row(r));
    for (size_t i = 0; i + 1 < rows.size(); ++i)
        for (size_t j = i + 1; j < rows.size(); ++j)
            if (Sortierschluessel(rows[i].name) > Sortierschluessel(rows[j].name))
                std::swap(rows[i], rows[j]);
    std::vector<std::string> numbers;
    for (const Row& r : rows)
        numbers.push_back(r.nr);
    return numbers;
}

} // namespace

TEST(Sortieren, TheExamplesSortLikeTheProcedure) {
    Liste l = Liste::names({"Zander", "Hans Meier", "anna schulz", "Meier, H.", "Peter M\xFCller"});
    l.liste.Sortieren(l.hier);
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Hans Meier", "Peter M\xFCller", "Zander",
                                                      "anna schulz", "Meier, H."}));
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"2", "5", "1", "3", "4"}));
    EXPECT_TRUE(l.liste.bGeaendert());

    Liste u = Liste::names({"M\xF6ller", "Muller"});
    u.liste.Sortieren(u.hier);
    EXPECT_EQ(u.nameList(), (std::vector<std::string>{"Muller", "M\xF6ller"}));

    Liste x = Liste::names({"X M\xFCller", "Y M\xFCller", "A Berg"});
    x.liste.Sortieren(x.hier);
    EXPECT_EQ(x.nameList(), (std::vector<std::string>{"A Berg", "Y M\xFCller", "X M\xFCller"}));
}

TEST(Sortieren, TwiceIsOnceAndEveryCellMovesWithItsEntry) {
    Liste l({{"9", "Zoe Zett", "J", "1"}, {"8", "Al Alpha", "G", "2"}, {"7", "Mo Mitte", "", "3"}});
    l.liste.Sortieren(l.hier);
    EXPECT_EQ(l.row(1), (Row{"8", "Al Alpha", "G", "2"}));
    EXPECT_EQ(l.row(2), (Row{"7", "Mo Mitte", "", "3"}));
    EXPECT_EQ(l.row(3), (Row{"9", "Zoe Zett", "J", "1"}));
    const auto once = l.nameList();
    l.liste.Sortieren(l.hier);
    EXPECT_EQ(l.nameList(), once);
}

TEST(Sortieren, EmptyAndSingleListsLogAndCountAsChanged) {
    TempEnv env;
    LogZuruecksetzen();
    ASSERT_TRUE(LogOeffnen("gesamt.log"));
    Liste l({});
    l.liste.Sortieren(l.hier);
    EXPECT_TRUE(l.liste.bGeaendert());
    LogSchreiben();
    EXPECT_NE(
        readBytes(env.path(QStringLiteral("gesamt.log"))).find("*** Gesamtdatei sortieren\r\n"),
        std::string::npos);
    LogZuruecksetzen();
}

TEST(Sortieren, EqualsTheExchangeProcedureOnRandomListsWithRepeatedKeys) {
    std::mt19937 rng(20261208);
    const std::vector<std::string> words = {"Meier", "meier",    "M\xFCller", "Berg",
                                            "A.",    "",         "Zander",    "Ab",
                                            "Abc",   "\xC4rger", "von Berg"};
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + int(rng() % 60);
        std::vector<std::string> names;
        for (int i = 0; i < n; ++i)
            names.push_back("Vor" + std::to_string(rng() % 5) + " " + words[rng() % words.size()]);
        Liste fast = Liste::names(names);
        const std::vector<std::string> slow = exchangeSort(fast);
        fast.liste.Sortieren(fast.hier);
        ASSERT_EQ(fast.numbers(), slow) << "round " << round;
    }
}

// ---- renumbering and duplicates ----

TEST(Nummerieren, AsksAndNumbersByPosition) {
    Liste l({{"7", "A", "", ""}, {"3", "B", "", ""}, {"", "C", "", ""}, {"12", "D", "", ""}});
    l.said.answer = false;
    l.liste.Nummerieren(l.hier);
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"7", "3", "3", "12"}));
    EXPECT_TRUE(l.said.notes.empty());
    l.said.answer = true;
    l.liste.Nummerieren(l.hier);
    EXPECT_EQ(l.said.questions.back(),
              "Sollen die Spielernummern entfernt und neu vergeben werden");
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(l.said.notes.back(), "Die Spieler wurden neu nummeriert");
    EXPECT_TRUE(l.liste.bGeaendert());

    Liste leer({});
    leer.liste.Nummerieren(leer.hier);
    EXPECT_EQ(leer.cells.cell(0, 1), "1");
    EXPECT_EQ(leer.liste.iAnzahl(), 0);
}

TEST(Duplikate, WholeNamesNotSurnames) {
    Liste l = Liste::names({"Hans Meier", "Petra MEIER", "Otto Schulz", "hans  meier "});
    EXPECT_EQ(l.liste.DuplikateLoeschen(l.hier), 1);
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Hans Meier", "Petra MEIER", "Otto Schulz"}));
    EXPECT_EQ(l.said.notes.back(), "1 Duplikate wurden gel\xF6scht");
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"1", "2", "3"}));
    l.consistent();

    Liste d = Liste::names({"Dr. Meier", "Meier", "Hans M\xFCller", "Hans M\xDCLLER", "", " "});
    EXPECT_EQ(d.liste.DuplikateLoeschen(d.hier), 0);
    EXPECT_EQ(d.said.notes.back(), "Es wurden keine Duplikate gefunden");
    EXPECT_FALSE(d.liste.bGeaendert());
}

TEST(Duplikate, DifferentMembershipNumbersAreDifferentPeople) {
    // Numbers given on both sides and different: two members; an entry without a number goes
    // where one of that name has a number, wherever it stands.
    Liste l({{"8", "Hans Meier", "J", "100496"},
             {"31", "Hans Meier", "N", "101347"},
             {"40", "hans meier", "N", " 100496 "},
             {"41", "Hans Meier", "N", ""},
             {"42", "Eva Roth", "N", ""},
             {"43", "Eva Roth", "N", "7"}});
    EXPECT_EQ(l.liste.DuplikateLoeschen(l.hier), 3);
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"8", "31", "43"}));
    l.consistent();
}

TEST(Duplikate, TopmostKeptOfAnyRunAndEmptyLists) {
    Liste l({{"5", "Anna Berg", "J", "1"},
             {"6", "Bernd", "", ""},
             {"7", "ANNA BERG", "N", ""},
             {"8", "anna berg", "G", "1"},
             {"9", "Bernd", "", ""}});
    EXPECT_EQ(l.liste.DuplikateLoeschen(l.hier), 3);
    EXPECT_EQ(l.row(1), (Row{"5", "Anna Berg", "J", "1"}));
    EXPECT_EQ(l.row(2), (Row{"6", "Bernd", "", ""}));
    EXPECT_EQ(l.liste.iAnzahl(), 2);
    EXPECT_EQ(l.said.notes.back(), "3 Duplikate wurden gel\xF6scht");
    Liste leer({});
    EXPECT_EQ(leer.liste.DuplikateLoeschen(leer.hier), 0);
    EXPECT_EQ(leer.said.notes.back(), "Es wurden keine Duplikate gefunden");
    leer.consistent();
}

// ---- participants ----

TEST(Erweitern, NewNamesAreAppendedWithRowNumberAndN) {
    Liste l = Liste::names({"HANS MEIER"});
    l.liste.Erweitern({"Hans Meier", "Petra Schulz", " Hans Meier", "", "  ", "petra schulz"},
                      l.hier);
    EXPECT_EQ(l.nameList(),
              (std::vector<std::string>{"HANS MEIER", "Petra Schulz", " Hans Meier"}));
    EXPECT_EQ(l.row(2), (Row{"2", "Petra Schulz", "N", ""}));
    EXPECT_EQ(l.row(3), (Row{"3", " Hans Meier", "N", ""}));
    EXPECT_TRUE(l.liste.bGeaendert());
    EXPECT_EQ(l.liste.anzahlText(), "3 Eintr\xE4ge");
    l.consistent();
    l.liste.gespeichert();
    l.liste.Erweitern({"Hans Meier", "Petra Schulz"}, l.hier);
    EXPECT_EQ(l.liste.iAnzahl(), 3);
    EXPECT_FALSE(l.liste.bGeaendert());
}

TEST(Erweitern, IntoThePlaceholderAndUpToTheLimitOnly) {
    Liste leer({});
    leer.liste.Erweitern({"Erste", "Zweite"}, leer.hier);
    EXPECT_EQ(leer.row(1), (Row{"1", "Erste", "N", ""}));
    EXPECT_EQ(leer.row(2), (Row{"2", "Zweite", "N", ""}));
    leer.consistent();

    Liste voll = numbered(999);
    voll.liste.Erweitern({"Neu 1", "Neu 2", "Neu 3"}, voll.hier);
    EXPECT_EQ(voll.liste.iAnzahl(), 1000);
    EXPECT_EQ(voll.row(1000), (Row{"1000", "Neu 1", "N", ""}));
    EXPECT_TRUE(voll.said.notes.empty());
    EXPECT_EQ(voll.liste.anzahlText(), "1000 Eintr\xE4ge");
}

TEST(Erweitern, NamesTheFileCannotHoldAreSkipped) {
    Liste l = Liste::names({"A"});
    l.liste.Erweitern({"Tab\tName", "Zeilen\r\nEnde", "Nur\nLF",
                       "Ende\x1A"
                       "Datei",
                       "Undefiniert\x81\x8D", std::string("Null\0Byte", 9), "Steuer\x07zeichen",
                       "\x01\x02", "J\xFCrgen M\xFCller\r\n"},
                      l.hier);
    // As typed: separators inside refuse the name, at its end they go; control characters and
    // bytes the code page leaves undefined are left out.
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"A", "Undefiniert", "NullByte",
                                                      "Steuerzeichen", "J\xFCrgen M\xFCller"}));
    l.consistent();
}

TEST(Erweitern, TheNumberIsTheRowEvenWhenItRepeatsAnother) {
    Liste l({{"1", "A", "", ""}, {"2", "B", "", ""}, {"3", "C", "", ""}});
    l.loeschen(1);
    l.liste.Erweitern({"D"}, l.hier);
    EXPECT_EQ(l.numbers(), (std::vector<std::string>{"2", "3", "3"}));
}

TEST(Fehler, FailuresAreReportedWithTheCommandsLeadIn) {
    Liste l = numbered(3);
    l.hier.row = 7; // beyond the list: the cell table refuses
    l.einfuegen();
    ASSERT_EQ(l.said.errors.size(), 1u);
    EXPECT_EQ(l.said.errors[0].rfind("Fehler beim Einf\xFCgen eines Spielers: ", 0), 0u);
}

// ---- the row for a new entry below the list ----

TEST(NeueZeile, AddedBelowANamedLastEntryGoesWhenLeftBlankAndBecomesAnEntryWhenTypedInto) {
    Liste l = Liste::names({"A", "B"});
    const std::string file = NamenDateiText(l.cells);
    ASSERT_TRUE(l.liste.NeueZeileAnfuegen());
    EXPECT_EQ(l.cells.rowCount(), 4);
    EXPECT_EQ(l.row(3), (Row{"", "", "", ""}));
    EXPECT_EQ(l.liste.iAnzahl(), 2);
    EXPECT_FALSE(l.liste.NeueZeileAnfuegen()); // one is enough
    l.liste.NeueZeileVerwerfen();
    EXPECT_EQ(NamenDateiText(l.cells), file);
    EXPECT_FALSE(l.liste.bGeaendert());
    EXPECT_EQ(l.liste.verlauf().count(), 0);

    // A command first takes it away: sorting sees the entries only.
    ASSERT_TRUE(l.liste.NeueZeileAnfuegen());
    l.liste.Sortieren(l.hier);
    l.consistent();

    ASSERT_TRUE(l.liste.NeueZeileAnfuegen());
    l.liste.zelleSchreiben(kSpalteName, 3, "C");
    EXPECT_EQ(l.liste.iAnzahl(), 3);
    EXPECT_EQ(l.gezeigt, 3);
    EXPECT_TRUE(l.liste.bGeaendert());
    l.consistent();
    EXPECT_EQ(l.liste.verlauf().undoText(), QStringLiteral("Eingabe"));
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), file);
    l.consistent();
}

TEST(NeueZeile, NotBelowABlankNameAnEmptyListOrAFullOne) {
    Liste blank = Liste::names({"A", "B"});
    blank.liste.zelleSchreiben(kSpalteName, 2, " ");
    EXPECT_FALSE(blank.liste.NeueZeileAnfuegen());
    Liste leer({});
    EXPECT_FALSE(leer.liste.NeueZeileAnfuegen());
    Liste voll = numbered(kMaxEintraege);
    EXPECT_FALSE(voll.liste.NeueZeileAnfuegen());
    EXPECT_EQ(voll.said.notes, (std::vector<std::string>{"Die Anzahl der Eintr\xE4ge hat das "
                                                         "Maximum (1000) bereits erreicht"}));
    voll.consistent();
}

// The list commands where they once went wrong: a numberless entry took two members with it,
// depending on where it stood; Ctrl+E on the new-entry row inserted above the last entry; an
// already numbered list counted as changed after renumbering.
TEST(Befehle, EdgesThatOnceLostOrMisplacedAnEntry) {
    struct Fall {
        const char* was;
        std::vector<Row> vorher;
        std::function<void(Liste&)> tun;
        std::vector<Row> nachher;
        bool geaendert;
        int aktuelleZeile = 0; // where the cursor is to be afterwards, 0: anywhere
    };
    const Row ohne{"1", "Hans Meier", "N", ""}, erster{"2", "Hans Meier", "J", "100496"},
        zweiter{"3", "Hans Meier", "N", "101347"};
    auto duplikate = [](Liste& l) { l.liste.DuplikateLoeschen(l.hier); };
    auto amEnde = [](Liste& l) {
        ASSERT_TRUE(l.liste.NeueZeileAnfuegen());
        l.hier = {kSpalteName, l.cells.rowCount() - 1};
        l.einfuegen();
    };
    auto nummerieren = [](Liste& l) { l.liste.Nummerieren(l.hier); };
    const Fall faelle[] = {
        {"numberless first", {ohne, erster, zweiter}, duplikate, {erster, zweiter}, true},
        {"numberless between", {erster, ohne, zweiter}, duplikate, {erster, zweiter}, true},
        {"numberless last", {erster, zweiter, ohne}, duplikate, {erster, zweiter}, true},
        {"two numberless", {ohne, ohne}, duplikate, {ohne}, true},
        {"blank names as any name",
         {{"1", "", "N", ""}, {"2", "A", "N", ""}, {"3", " ", "N", ""}, {"4", "", "N", "9"}},
         duplikate,
         {{"2", "A", "N", ""}, {"4", "", "N", "9"}}, // the numbered blank one is kept
         true},
        {"insert on the new row",
         {{"1", "A", "J", "7"}, {"2", "B", "G", "8"}},
         amEnde,
         {{"1", "A", "J", "7"}, {"2", "B", "G", "8"}, {"", "", "G", ""}},
         true,
         3},
        {"renumber numbered",
         {{"1", "A", "", ""}, {"2", "B", "", ""}},
         nummerieren,
         {{"1", "A", "", ""}, {"2", "B", "", ""}},
         false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        // Blank names kept as the program writes them, where a file would lose them.
        Liste l(f.vorher, Lesart::WieGeschrieben);
        f.tun(l);
        std::vector<Row> rows;
        for (int r = 1; r <= l.liste.iAnzahl(); ++r)
            rows.push_back(l.row(r));
        EXPECT_EQ(rows, f.nachher);
        EXPECT_EQ(l.liste.bGeaendert(), f.geaendert);
        EXPECT_EQ(l.liste.verlauf().count(), f.geaendert ? 1 : 0);
        if (f.aktuelleZeile) {
            EXPECT_EQ(l.hier.row, f.aktuelleZeile);
        }
        l.consistent();
    }
}

// ---- what the list tells its views ----

// Every change once, after it is done: rows that came or went ("+row:n", "-row:n"), rows that
// hold other cells ("~von-bis"), the count ("#n") and, on undoing, the cell to show ("@col,row").
TEST(Meldung, ViewsAreToldWhatChangedOnceItIsDone) {
    struct Fall {
        const char* was;
        std::function<void(Liste&, Zelle)> tun;
        Zelle hier;
        std::vector<std::string> gesagt;
    };
    auto einfuegen = [](Liste& l, Zelle z) { l.liste.Einfuegen(z); };
    auto loeschen = [](Liste& l, Zelle z) { l.liste.Loeschen(z); };
    const Fall faelle[] = {
        {"insert", einfuegen, {1, 2}, {"+4:1", "~2-3", "#4"}},
        {"delete", loeschen, {1, 1}, {"-3:1", "~1-2", "#2"}},
        {"delete the last", loeschen, {1, 3}, {"-3:1", "#2"}},
        {"typing",
         [](Liste& l, Zelle z) { l.liste.zelleSchreiben(z.col, z.row, "X"); },
         {1, 2},
         {"~2-2"}},
        {"sorted already", [](Liste& l, Zelle z) { l.liste.Sortieren(z); }, {0, 1}, {}},
        {"new row and away",
         [](Liste& l, Zelle) {
             l.liste.NeueZeileAnfuegen();
             l.liste.NeueZeileVerwerfen();
         },
         {},
         {"+4:1", "-4:1"}},
        {"undo",
         [](Liste& l, Zelle z) {
             l.liste.Einfuegen(z);
             l.liste.verlauf().undo();
         },
         {3, 2},
         {"+4:1", "~2-3", "#4", "-4:1", "~2-3", "#3", "@3,2"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Liste l = Liste::names({"A", "B", "C"});
        std::vector<std::string> gesagt;
        auto sagen = [&gesagt](std::string s) { gesagt.push_back(std::move(s)); };
        auto paar = [](const char* vor, int a, const char* mitte, int b) {
            return vor + std::to_string(a) + mitte + std::to_string(b);
        };
        QObject::connect(&l.liste, &NamenListe::zeilenEingefuegt,
                         [&](int vor, int n) { sagen(paar("+", vor, ":", n)); });
        QObject::connect(&l.liste, &NamenListe::zeilenEntfernt,
                         [&](int ab, int n) { sagen(paar("-", ab, ":", n)); });
        QObject::connect(&l.liste, &NamenListe::zeilenGeaendert,
                         [&](int von, int bis) { sagen(paar("~", von, "-", bis)); });
        QObject::connect(&l.liste, &NamenListe::anzahlGeaendert,
                         [&](int n) { sagen("#" + std::to_string(n)); });
        QObject::connect(&l.liste, &NamenListe::zeigen,
                         [&](int col, int row) { sagen(paar("@", col, ",", row)); });
        f.tun(l, f.hier);
        EXPECT_EQ(gesagt, f.gesagt);
    }
}
