#include "editor/einfuegen.h"
#include "tests/editor/liste.h"

#include <QString>

TEST(Block, PastedLinesBecomeEntriesWithTheTypingRules) {
    struct Fall {
        const char16_t* text;
        std::vector<Row> eintraege;
        const char16_t* hinweis;
    };
    const Fall faelle[] = {
        {u"Anna Berg\nBernd Fischer\r\n\r\n  \nCarla Hoffmann\n", // an e-mail's lines
         {{"", "Anna Berg", "N", ""},
          {"", "Bernd Fischer", "N", ""},
          {"", "Carla Hoffmann", "N", ""}},
         u""},
        {u"7\tDr. Dieter Krüger\tj\t100496\r\n8\tErika Lange\tG\t\r\n", // spreadsheet columns
         {{"7", "Dr. Dieter Kr\xFCger", "J", "100496"}, {"8", "Erika Lange", "G", ""}},
         u"„j“ wurde als „J“ übernommen"},
        {u"\tOhne Nummer\n9\t\tN\t5\n", {{"", "Ohne Nummer", "", ""}}, u""}, // no name: none
        {u"Łukasz Wiśniewski\nAnna ☺ Berg\n",
         {{"", "Lukasz Wisniewski", "N", ""}, {"", "Anna  Berg", "N", ""}},
         u"„Ł“ wurde als „L“, „ś“ als „s“ übernommen; „☺“ wurde weggelassen: die Gesamt-Datei "
         u"kann es nicht speichern"},
    };
    for (const Fall& f : faelle) {
        const QString text = QString::fromUtf16(f.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(IstEintragsblock(text));
        QString hinweis;
        std::vector<Row> rows;
        for (const Zeile& z : EintraegeAusText(text, &hinweis))
            rows.push_back({z[0], z[1], z[2], z[3]});
        EXPECT_EQ(rows, f.eintraege);
        EXPECT_EQ(hinweis, QString::fromUtf16(f.hinweis));
    }
    EXPECT_FALSE(IstEintragsblock(QStringLiteral("Anna Berg\r\n"))); // one line: for the cell
}

TEST(Block, InsertedBeforeTheCurrentRowAsOneStepUpToTheLimit) {
    Liste l = numbered(3);
    l.cells.setCurrentCell(0, 2);
    const std::string vorher = NamenDateiText(l.cells);
    EXPECT_EQ(l.liste.BlockEinfuegen(EintraegeAusText(QStringLiteral("A\nB\n"))), 2);
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Name 1", "A", "B", "Name 2", "Name 3"}));
    EXPECT_EQ(l.liste.anzahlText(), "5 Eintr\xE4ge");
    EXPECT_EQ(l.cells.currentRow(), 2);
    EXPECT_EQ(l.liste.verlauf().count(), 1);
    l.consistent();
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), vorher);

    Liste leer({}); // into the placeholder row of an empty list
    EXPECT_EQ(leer.liste.BlockEinfuegen(EintraegeAusText(QStringLiteral("A\nB"))), 2);
    EXPECT_EQ(leer.nameList(), (std::vector<std::string>{"A", "B"}));
    leer.consistent();

    Liste fast = numbered(kMaxEintraege - 1);
    EXPECT_EQ(fast.liste.BlockEinfuegen(EintraegeAusText(QStringLiteral("A\nB\nC"))), 1);
    EXPECT_EQ(fast.liste.iAnzahl, kMaxEintraege);
    EXPECT_EQ(fast.said.notes.back(),
              "Die Anzahl der Eintr\xE4ge hat das Maximum (1000) bereits erreicht");
    fast.consistent();
}

TEST(Block, SeveralRowsAreDeletedAsOneStep) {
    Liste l = numbered(5);
    const std::string vorher = NamenDateiText(l.cells);
    l.liste.Loeschen(std::vector<int>{4, 2, 2, 9}, QStringLiteral("Markiert"));
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Name 1", "Name 3", "Name 5"}));
    EXPECT_EQ(l.liste.verlauf().count(), 1);
    EXPECT_EQ(l.liste.verlauf().undoText(), QStringLiteral("Markiert"));
    l.consistent();
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), vorher);
    l.liste.Loeschen(std::vector<int>{1, 2, 3, 4, 5}, QStringLiteral("Markiert")); // all: empty
    EXPECT_EQ(l.liste.iAnzahl, 0);
    l.consistent();
}
