#include "editor/zeilenvorschau.h"
#include "tests/editor/liste.h"

#include <QString>

namespace {

// What the paste preview shows for the text, with `platz` entries left in the list.
std::vector<Planzeile> plan(const char16_t* text, int platz = kMaxEintraege) {
    return EinfuegePlan(Zeilenvorschau(ZeilenAusText(QString::fromUtf16(text)).zeilen).eintraege(),
                        platz);
}

std::vector<Row> rows(const std::vector<Zeile>& zeilen) {
    std::vector<Row> out;
    for (const Zeile& z : zeilen)
        out.push_back({z[0], z[1], z[2], z[3]});
    return out;
}

} // namespace

TEST(Block, PastedLinesBecomeEntriesWithTheTypingRulesAndSkippedLinesSayWhy) {
    struct Fall {
        const char16_t* text;
        std::vector<Row> eintraege;
        std::vector<QString> uebersprungen; // the reasons, in order
        const char16_t* vermerk;            // one of the notes
    };
    const Fall faelle[] = {
        {u"Anna Berg\nBernd Fischer\r\n\r\n  \nCarla Hoffmann\n", // an e-mail's lines
         {{"", "Anna Berg", "N", ""},
          {"", "Bernd Fischer", "N", ""},
          {"", "Carla Hoffmann", "N", ""}},
         {},
         u""},
        {u"Nr.\tName\tMP\tMitgliedsnr.\n7\tDr. Dieter Krüger\tj\t100496\r\n8\tErika Lange\tG\t\r\n",
         {{"7", "Dr. Dieter Kr\xFCger", "J", "100496"}, {"8", "Erika Lange", "G", ""}},
         {QStringLiteral(u"Überschriften")},
         u"„j“ wurde als „J“ übernommen"},
        {u"\tOhne Nummer\n9\t\tN\t5\n",
         {{"", "Ohne Nummer", "", ""}},
         {QStringLiteral("kein Name")},
         u""},
        {u"Łukasz Wiśniewski\nAnna ☺ Berg\n",
         {{"", "Lukasz Wisniewski", "N", ""}, {"", "Anna  Berg", "N", ""}},
         {},
         u"„☺“ wurde weggelassen: die Gesamt-Datei kann es nicht speichern"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(QString::fromUtf16(f.text).toStdString());
        const std::vector<Planzeile> p = plan(f.text);
        EXPECT_EQ(rows(NeueEintraege(p)), f.eintraege);
        std::vector<QString> gruende;
        QStringList vermerke;
        for (const Planzeile& z : p) {
            if (z.aktion == Aktion::Uebersprungen)
                gruende.push_back(z.grund);
            for (const Vermerk& v : z.vermerke)
                vermerke << v.text;
        }
        EXPECT_EQ(gruende, f.uebersprungen);
        if (*f.vermerk) {
            EXPECT_TRUE(vermerke.contains(QString::fromUtf16(f.vermerk)))
                << vermerke.join(u'|').toStdString();
        }
    }
    // At the limit the preview offers what fits and says why the rest is not.
    const std::vector<Planzeile> voll = plan(u"A\nB\nC\n", 1);
    ASSERT_EQ(voll.size(), 3u);
    EXPECT_EQ(rows(NeueEintraege(voll)), (std::vector<Row>{{"", "A", "N", ""}}));
    EXPECT_EQ(voll[2].grund,
              QStringLiteral(u"kein Platz mehr: die Liste hat höchstens 1000 Einträge"));
}

TEST(Block, LinesWhosePersonIsInTheListAreNotTickedNewOnesGetFreeNumbers) {
    Liste l({{"17", "Hans Meier", "J", "4711"},
             {"3", "Anna Berg", "N", ""},
             {"670", "Werner Albrecht", "N", "117500"}});
    const Zeilenvorschau v(ZeilenAusText(QStringLiteral(u"Nr.\tName\tMP\tMitgliedsnr.\n"
                                                        u"17\tHans Meier\tJ\t04711\n"
                                                        u"\tANNA BERG\tN\t\n"
                                                        u"5\tPetra Krause\tN\t117500\n"
                                                        u"\tOtto Neu\tG\t\n"
                                                        u"\tAy?e Yilmaz\tN\t\n"))
                               .zeilen);
    const std::vector<Planzeile> p = EinfuegePlan(l.cells, l.liste.iAnzahl(), v.eintraege());
    ASSERT_EQ(p.size(), 6u);
    const std::pair<QString, bool> erwartet[] = {
        {QStringLiteral("schon in der Liste (Nr. 17)"), false},
        {QStringLiteral("schon in der Liste (Nr. 3)"), false},
        {QStringLiteral(u"Mitgliedsnr. 117500 gehört zu Werner Albrecht – andere Person?"), false},
        {QString(), true},
        {QString(), true},
    };
    for (size_t i = 0; i < std::size(erwartet); ++i) {
        EXPECT_EQ(p[i + 1].aktion, Aktion::Neu);
        EXPECT_EQ(p[i + 1].grund, erwartet[i].first);
        EXPECT_EQ(p[i + 1].haken, erwartet[i].second);
    }
    // A line's own number when it is free, else one after the highest; the ticked ones first.
    EXPECT_EQ(rows(NeueEintraege(p)),
              (std::vector<Row>{{"671", "Otto Neu", "G", ""}, {"672", "Ay?e Yilmaz", "N", ""}}));
    EXPECT_EQ(p[1].eintrag[kSpalteNr], "673");
    EXPECT_EQ(p[3].eintrag[kSpalteNr], "5");
    ASSERT_EQ(p[5].vermerke.size(), 1u);
    EXPECT_EQ(p[5].vermerke[0].text,
              QStringLiteral(u"„?“ statt eines Buchstabens – Quelle prüfen"));

    // Lines not ticked take no room: of two new ones the second does not fit.
    Liste fast = numbered(kMaxEintraege - 1);
    const std::vector<Planzeile> voll = EinfuegePlan(
        fast.cells, fast.liste.iAnzahl(),
        Zeilenvorschau(ZeilenAusText(QStringLiteral("Name 5\nA\nB\n")).zeilen).eintraege());
    EXPECT_EQ(rows(NeueEintraege(voll)), (std::vector<Row>{{"1000", "A", "N", ""}}));
    EXPECT_EQ(voll[2].grund, KeinPlatzText());

    // Past the largest number there is none: the first free one from 1 up.
    Liste hoch({{"2147483647", "A", "N", ""}, {"1", "B", "N", ""}});
    EXPECT_EQ(EinfuegePlan(hoch.cells, hoch.liste.iAnzahl(), v.eintraege())[2].eintrag[kSpalteNr],
              "2");
}

TEST(Block, InsertedBeforeTheCurrentRowAsOneStepOrAfterTheLastFromTheNewEntryRow) {
    const std::vector<Zeile> ab = NeueEintraege(plan(u"A\nB\n"));
    Liste l = numbered(3);
    l.hier = {0, 2};
    const std::string vorher = NamenDateiText(l.cells);
    EXPECT_EQ(l.liste.BlockEinfuegen(ab, l.hier), (Zelle{kSpalteName, 2}));
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Name 1", "A", "B", "Name 2", "Name 3"}));
    EXPECT_EQ(l.liste.anzahlText(), "5 Eintr\xE4ge");
    EXPECT_EQ(l.liste.verlauf().count(), 1);
    l.consistent();
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), vorher);

    // On the blank row below the list the block goes after the last entry, as Ctrl+E does.
    ASSERT_TRUE(l.liste.NeueZeileAnfuegen());
    EXPECT_EQ(l.liste.BlockEinfuegen(ab, {1, 4}), (Zelle{kSpalteName, 4}));
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Name 1", "Name 2", "Name 3", "A", "B"}));
    l.consistent();

    Liste leer({}); // into the placeholder row of an empty list
    leer.liste.BlockEinfuegen(ab, leer.hier);
    EXPECT_EQ(leer.nameList(), (std::vector<std::string>{"A", "B"}));
    leer.consistent();
}
TEST(Block, SeveralRowsAreDeletedAsOneStep) {
    Liste l = numbered(5);
    const std::string vorher = NamenDateiText(l.cells);
    l.liste.Loeschen(std::vector<int>{4, 2, 2, 9}, QStringLiteral("Markiert"), l.hier);
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Name 1", "Name 3", "Name 5"}));
    EXPECT_EQ(l.liste.verlauf().count(), 1);
    EXPECT_EQ(l.liste.verlauf().undoText(), QStringLiteral("Markiert"));
    l.consistent();
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), vorher);
    l.liste.Loeschen(std::vector<int>{1, 2, 3, 4, 5}, QStringLiteral("Markiert"),
                     l.hier); // all: empty
    EXPECT_EQ(l.liste.iAnzahl(), 0);
    l.consistent();
}
