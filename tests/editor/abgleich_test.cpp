// A member table matched against the list: by membership number, else by name; the preview's
// plan, and taking the ticked rows as one step.

#include "editor/abgleich.h"
#include "tabelle/tabelle.h"
#include "tests/editor/liste.h"

#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

// A table written as lines of TAB-separated cells.
std::vector<Vorschauzeile> tafel(const char16_t* text) {
    return Zeilenvorschau(ZeilenAusText(QString::fromUtf16(text)).zeilen).eintraege();
}

struct Erwartet {
    Aktion aktion;
    int row;
    Row eintrag; // the entry as it will be
    bool haken;
};

std::vector<Erwartet> ergebnis(const Abgleich& a) {
    std::vector<Erwartet> out;
    for (const Planzeile& p : a.zeilen)
        out.push_back(
            {p.aktion, p.row, {p.eintrag[0], p.eintrag[1], p.eintrag[2], p.eintrag[3]}, p.haken});
    return out;
}

bool operator==(const Erwartet& a, const Erwartet& b) {
    return a.aktion == b.aktion && a.row == b.row && a.eintrag == b.eintrag && a.haken == b.haken;
}
void PrintTo(const Erwartet& e, std::ostream* os) {
    *os << AktionText(e.aktion).toStdString() << " row " << e.row << " " << e.eintrag.nr << "|"
        << e.eintrag.name << "|" << e.eintrag.mp << "|" << e.eintrag.dbv << " " << e.haken;
}

} // namespace

TEST(Abgleich, ByNumberElseByTheOneEntryOfThatNameEverythingElseIsNew) {
    Liste l({{"1", "Anna Berg", "N", "100237"},
             {"2", "Hans Meier", "J", "4711"},
             {"3", "Hans Meier", "N", "4712"},
             {"4", "Karl Ohne", "G", ""},
             {"5", "Doppelt Eins", "N", "999"},
             {"6", "Doppelt Zwei", "N", "999"},
             {"7", "Bleibt", "N", "1"}});
    const Abgleich a = Abgleichen(l.cells, l.liste.iAnzahl(),
                                  tafel(u"Mitgliedsnr.\tName\tMP\tNr.\n"
                                        u"0100237\tAnna Berg\tJ\t77\n"
                                        u"4711\tHans Meier\tJ\n"
                                        u"5000\tKARL  OHNE\tx\n"
                                        u"\tHans Meier\tG\n"
                                        u"\tNeue Frau\t\n"
                                        u"999\tDoppelt\tN\n"
                                        u"100237\tAnna Bergh\tN\n"
                                        u"6000\tAnna Berg\t\n"
                                        u"\t\tJ\n"));
    const std::vector<Erwartet> erwartet = {
        {Aktion::Uebersprungen, 0, {}, false}, // the headings
        // leading zeros do not count; the table's Nr. is not taken
        {Aktion::Geaendert, 1, {"1", "Anna Berg", "J", "100237"}, true},
        {Aktion::Unveraendert, 2, {"2", "Hans Meier", "J", "4711"}, false},
        // a new number for the one namesake without one; no MP: the entry's stays
        // the list's better spelling stays
        {Aktion::Geaendert, 4, {"4", "Karl Ohne", "G", "5000"}, true},
        // two entries of that name: nobody can tell which, so new, and not ticked
        {Aktion::Neu, 0, {"8", "Hans Meier", "G", ""}, false},
        {Aktion::Neu, 0, {"9", "Neue Frau", "N", ""}, true},
        {Aktion::Uebersprungen, 0, {"", "Doppelt", "N", "999"}, false}, // two entries hold 999
        {Aktion::Uebersprungen, 1, {"", "Anna Bergh", "N", "100237"}, false}, // entry taken
        {Aktion::Neu, 0, {"10", "Anna Berg", "N", "6000"}, true}, // another member's number
        {Aktion::Uebersprungen, 0, {}, false},                    // no name
    };
    EXPECT_EQ(ergebnis(a), erwartet);
    EXPECT_EQ(a.zeilen[6].grund, QStringLiteral(u"2 Einträge haben diese Mitgliedsnr."));
    // taken by the row before, and another person's number all the same
    EXPECT_TRUE(
        a.zeilen[7].grund.startsWith(QStringLiteral(u"Mitgliedsnr. 100237 gehört zu Anna Berg")));
    EXPECT_EQ(a.zeilen[9].grund, QStringLiteral("kein Name"));
    EXPECT_EQ(a.nichtInTabelle, 4); // Hans Meier 4712, the two 999s, Bleibt
}

// A spreadsheet's formula or date for a membership number, in the import and the paste preview.
TEST(Abgleich, AFormulaOrADateForAMembershipNumberIsNotTicked) {
    Liste l({{"1", "Karl Ohne", "G", ""}});
    const std::vector<Vorschauzeile> t = tafel(
        u"Mitgliedsnr.\tName\n=cmd|' /C calc'!A0\tKarl Ohne\n01.03.2015\tNeue Frau\n-4711\tNeu\n");
    const std::vector<Planzeile> a = Abgleichen(l.cells, 1, t).zeilen,
                                 e = EinfuegePlan(l.cells, 1, t);
    EXPECT_TRUE(a[1].aktion == Aktion::Geaendert && !a[1].haken && !a[2].haken && a[3].haken);
    EXPECT_EQ(a[1].grund,
              QStringLiteral(u"die Mitgliedsnr. sieht aus wie eine Formel, nicht wie eine Nummer"));
    EXPECT_EQ(e[2].grund,
              QStringLiteral(u"die Mitgliedsnr. sieht aus wie ein Datum, nicht wie eine Nummer"));
    EXPECT_TRUE(!e[2].haken && e[3].haken);
}

TEST(Abgleich, TheTickedRowsAreOneStepWithTheirNumbersUpToTheLimit) {
    std::vector<Row> rows;
    for (int i = 1; i <= kMaxEintraege - 3; ++i)
        rows.push_back({std::to_string(i), "Name " + std::to_string(i), "N", i == 2 ? "22" : ""});
    Liste l(rows);
    const std::string vorher = NamenDateiText(l.cells);
    Abgleich a = Abgleichen(l.cells, l.liste.iAnzahl(),
                            tafel(u"Mitgliedsnr.\tName\tMP\n22\tNAME 2\tG\n\tA\n\tB\n\tC\n\tD\n"));
    ASSERT_EQ(a.zeilen.size(), 6u);
    EXPECT_EQ(a.zeilen[5].aktion, Aktion::Uebersprungen); // the 1001st
    a.zeilen[2].haken = false;                            // A is left out: B keeps its number
    EXPECT_EQ(l.liste.AusTabelleEinlesen(a.zeilen, l.hier), (Uebernahme{2, 1}));
    EXPECT_EQ(l.row(2), (Row{"2", "Name 2", "G", "22"}));
    EXPECT_EQ(l.row(998), (Row{"999", "B", "N", ""}));
    EXPECT_EQ(l.row(999), (Row{"1000", "C", "N", ""}));
    EXPECT_EQ(l.liste.verlauf().undoText(), QStringLiteral("Aus Tabelle einlesen"));
    EXPECT_TRUE(l.liste.bGeaendert());
    l.consistent();
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), vorher);
    l.consistent();
}

TEST(Abgleich, AnotherPersonsNumberIsAConflictASpellingOfTheSamePersonAChange) {
    Liste l({{"17", "Werner Albrecht", "N", "117500"},
             {"3", "Hans Meier", "N", "4711"},
             {"670", "Ayse Yilmaz", "N", "5000"},
             {"12", "Heinz Schroeder", "N", "4712"},
             {"5", "Petra Neu", "N", ""}});
    const std::string vorher = NamenDateiText(l.cells);
    const Abgleich a = Abgleichen(l.cells, l.liste.iAnzahl(),
                                  tafel(u"Nachname\tVorname\tMitgliedsnr.\tStatus\n"
                                        u"Krause\tPetra\t117500\tJ\n"
                                        u"Meier\tHanna\t4711\tN\n"
                                        u"Yilmaz\tAy?e\t05000\tG\n"
                                        u"Schröder\tHeinz\t04712\tj\n"
                                        u"Neu\tPetra\t\tG\n"
                                        u"Krause\tOtto\t200000\tN\n"
                                        u"Lange\tEva\t\t\n"
                                        u"Albrecht\tWerner\t117500\tG\n"
                                        u"Krause\tPetra\t117500\tN\n"));
    const std::vector<Erwartet> erwartet = {
        {Aktion::Uebersprungen, 0, {}, false},
        {Aktion::Geaendert, 1, {"17", "Petra Krause", "J", "117500"}, false},
        {Aktion::Geaendert, 2, {"3", "Hanna Meier", "N", "4711"}, false},
        {Aktion::Geaendert, 3, {"670", "Ay?e Yilmaz", "G", "5000"}, false},
        {Aktion::Geaendert, 4, {"12", "Heinz Schr\366der", "J", "4712"}, true},
        {Aktion::Geaendert, 5, {"5", "Petra Neu", "G", ""}, true},
        // after the highest number, not the position
        {Aktion::Neu, 0, {"671", "Otto Krause", "N", "200000"}, true},
        {Aktion::Neu, 0, {"672", "Eva Lange", "N", ""}, true},
        // the conflict above did not take the entry
        {Aktion::Geaendert, 1, {"17", "Werner Albrecht", "G", "117500"}, true},
        // the entry is taken now, and still not hers
        {Aktion::Uebersprungen, 1, {"", "Petra Krause", "N", "117500"}, false},
    };
    EXPECT_EQ(ergebnis(a), erwartet);
    EXPECT_EQ(a.zeilen[1].grund,
              QStringLiteral(u"Mitgliedsnr. 117500 gehört zu Werner Albrecht – andere Person?"));
    EXPECT_EQ(a.zeilen[2].grund,
              QStringLiteral(u"Mitgliedsnr. 4711 gehört zu Hans Meier – anderer Vorname?"));
    EXPECT_EQ(a.zeilen[9].grund, a.zeilen[1].grund);
    ASSERT_EQ(a.zeilen[3].vermerke.size(), 1u);
    EXPECT_EQ(a.zeilen[3].vermerke[0].text,
              QStringLiteral(u"„?“ statt eines Buchstabens – Quelle prüfen"));

    // Taken as proposed, the conflicts change nothing; ticked, the first row for an entry wins.
    std::vector<Planzeile> plan = a.zeilen;
    EXPECT_EQ(l.liste.AusTabelleEinlesen(plan, l.hier), (Uebernahme{2, 3}));
    EXPECT_EQ(l.row(1), (Row{"17", "Werner Albrecht", "G", "117500"}));
    EXPECT_EQ(l.row(3), (Row{"670", "Ayse Yilmaz", "N", "5000"}));
    EXPECT_EQ(l.row(7), (Row{"672", "Eva Lange", "N", ""}));
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), vorher);
    plan[1].haken = true;
    l.liste.AusTabelleEinlesen(plan, l.hier);
    EXPECT_EQ(l.row(1), (Row{"17", "Petra Krause", "J", "117500"}));
}

// The fixtures were made by a spreadsheet program for the example list.
TEST(Abgleich, TheSameTableAsCsvOdsAndXlsxGivesTheSamePlanAgainstTheExampleList) {
    QFile beispiel(QStringLiteral(BEISPIEL));
    ASSERT_TRUE(beispiel.open(QIODevice::ReadOnly));
    CellStore cells(kMaxEintraege + 1);
    const int anzahl = NamenTextLesen(beispiel.readAll().toStdString(), cells).anzahl;
    ASSERT_EQ(anzahl, 40);
    const std::vector<Erwartet> erwartet = {
        {Aktion::Uebersprungen, 0, {}, false},
        {Aktion::Geaendert, 1, {"1", "Anna Bergmann", "J", "100237"}, true},
        {Aktion::Unveraendert, 10, {"10", "J\xFCrgen Wei\xDF", "J", "100570"}, false},
        {Aktion::Neu, 0, {"41", "Paula Neumeister", "N", "102000"}, true},
        // no number: the one entry of that name, which keeps its own
        {Aktion::Geaendert, 4, {"4", "Dieter Kr\xFCger", "G", "100348"}, true},
    };
    for (const char* datei : {"abgleich.csv", "abgleich.ods", "abgleich.xlsx"}) {
        SCOPED_TRACE(datei);
        const tabelle::Ergebnis e =
            tabelle::lesen(QStringLiteral(FIXTURES "/") + QLatin1String(datei));
        ASSERT_TRUE(e.fehler.isEmpty()) << e.fehler.toStdString();
        const Zeilenvorschau v(e.blaetter[size_t(e.erstesMitDaten)].zeilen);
        const Abgleich a = Abgleichen(cells, anzahl, v.eintraege());
        EXPECT_EQ(ergebnis(a), erwartet);
        EXPECT_EQ(a.nichtInTabelle, 37);
    }
}

// Another name list, read from its file as a list is opened, merged as a member table is.
TEST(Abgleich, AnotherNameListIsMatchedAsAMemberTableAndAnyOtherFileIsNoList) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("NAMEN.TIF"));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("GESAMT-DATEI\r\nHans Meier\t \t1\tJ\t100\r\nAnna Berg\t \t7\tN\t\r\n"
            "Petra Krause\t \t3\tN\t117500\r\nKarl M\xFCller\t \t4\tG\t555\r\n"
            "Karl Mueller\t \t5\tG\t555\r\nHans Meier\t \t6\tG\t100\r\n");
    f.close();
    const std::optional<tabelle::Ergebnis> t = NamenlisteAlsTabelle(pfad);
    ASSERT_TRUE(t && t->fehler.isEmpty());
    Liste l({{"1", "Hans Meier", "N", "100"},
             {"2", "Anna Berg", "N", ""},
             {"3", "Werner Albrecht", "N", "117500"}});
    const Abgleich a =
        Abgleichen(l.cells, l.liste.iAnzahl(), Zeilenvorschau(t->blaetter[0].zeilen).eintraege());
    const std::vector<Erwartet> erwartet = {
        {Aktion::Uebersprungen, 0, {}, false}, // the headings, known
        {Aktion::Geaendert, 1, {"1", "Hans Meier", "J", "100"}, true},
        {Aktion::Unveraendert, 2, {"2", "Anna Berg", "N", ""}, false},       // by name, no number
        {Aktion::Geaendert, 3, {"3", "Petra Krause", "N", "117500"}, false}, // another person
        {Aktion::Neu, 0, {"4", "Karl M\xFCller", "G", "555"}, true},
        {Aktion::Uebersprungen, 0, {"5", "Karl Mueller", "G", "555"}, false}, // him again
        {Aktion::Uebersprungen, 1, {"6", "Hans Meier", "G", "100"}, false},
    };
    EXPECT_EQ(ergebnis(a), erwartet);
    EXPECT_EQ(a.zeilen[6].grund, QStringLiteral("derselbe Eintrag wie Zeile 2"));

    const QString tabelle = dir.filePath(QStringLiteral("tabelle.csv"));
    f.setFileName(tabelle);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Name;MP\r\nGESAMT-DATEI;N\r\n");
    f.close();
    EXPECT_FALSE(NamenlisteAlsTabelle(tabelle));
    EXPECT_FALSE(NamenlisteAlsTabelle(dir.path())); // a folder
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.TIF"))), 0600), 0);
    EXPECT_FALSE(NamenlisteAlsTabelle(dir.filePath(QStringLiteral("fifo.TIF")))); // no waiting
}
