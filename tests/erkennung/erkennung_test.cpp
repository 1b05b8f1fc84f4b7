#include "cells/eintrag.h"
#include "erkennung/erkennung.h"
#include "platform/cp1252.h"

#include <gtest/gtest.h>
#include <string_view>

using namespace std::literals;

namespace {

using B = Bedeutung;
using Eintrag = std::array<const char*, 4>; // Nr., Name, MP, Mitgliedsnr. as Windows-1252

QString text(std::u16string_view t) {
    return QString::fromUtf16(t.data(), qsizetype(t.size()));
}

struct Ergebnis {
    Erkennung erkennung;
    std::vector<Vorschauzeile> zeilen;
    std::vector<Zeile> eintraege;
    std::vector<std::pair<int, Grund>> uebersprungen; // blank lines left aside
    std::vector<QString> vermerke;
};

Ergebnis lesen(std::u16string_view t, std::optional<Erkennung> gewaehlt = std::nullopt) {
    Ergebnis e;
    const Textzeilen zeilen = ZeilenAusText(text(t));
    e.erkennung = gewaehlt.value_or(SpaltenErkennen(zeilen.zeilen));
    e.zeilen = EintraegeBilden(zeilen.zeilen, e.erkennung);
    for (const Vorschauzeile& z : e.zeilen) {
        for (const Vermerk& v : z.vermerke)
            e.vermerke.push_back(v.text);
        if (z.eintrag) {
            e.eintraege.push_back(*z.eintrag);
            for (const std::string& zelle : *z.eintrag)
                EXPECT_TRUE(cp1252::isCellText(cp1252::toQString(zelle)));
        } else if (z.grund != Grund::LeereZeile) {
            e.uebersprungen.emplace_back(z.quelle, z.grund);
        }
    }
    return e;
}

std::vector<Zeile> zeilen(const std::vector<Eintrag>& es) {
    std::vector<Zeile> out;
    for (const Eintrag& e : es)
        out.push_back({e[0], e[1], e[2], e[3]});
    return out;
}

} // namespace

TEST(Erkennung, ColumnsFromHeadingsOrValues) {
    struct Fall {
        std::u16string_view text;
        bool kopf;
        std::vector<Bedeutung> spalten;
        std::vector<Eintrag> eintraege;
        std::vector<std::pair<int, Grund>> uebersprungen = {};
    };
    const Fall faelle[] = {
        // The program's own copied rows; the MP column orders the two numbers.
        {u"1\tAnna Berg\tN\t\n2\tBernd Fischer\tj\t777\n",
         false,
         {B::Nr, B::Name, B::MP, B::Mitgliedsnr},
         {{"1", "Anna Berg", "N", ""}, {"2", "Bernd Fischer", "J", "777"}}},
        // Name-file lines, with and without the file's first line.
        {u"GESAMT-DATEI\r\nMeier\t \t17\tJ\t4711\r\nSchulz\t \t3\tN\t12\r\n",
         true,
         {B::Name, B::Nichts, B::Nr, B::MP, B::Mitgliedsnr},
         {{"17", "Meier", "J", "4711"}, {"3", "Schulz", "N", "12"}},
         {{0, Grund::Kopfzeile}}},
        // A spreadsheet's Name | MP | Mitgliedsnr., without and with its heading.
        {u"Hans Meier\tJ\t777\nPetra Schulz\tn\t100496\n",
         false,
         {B::Name, B::MP, B::Mitgliedsnr},
         {{"", "Hans Meier", "J", "777"}, {"", "Petra Schulz", "N", "100496"}}},
        {u"Name\tMP\tMitglieds-Nr.\nHans Meier\tJ\t777\n",
         true,
         {B::Name, B::MP, B::Mitgliedsnr},
         {{"", "Hans Meier", "J", "777"}},
         {{0, Grund::Kopfzeile}}},
        // Headings in any order and case; the name joined as "Titel Vorname Nachname".
        {u"mitgliedsnummer\tNACHNAME\tvorname \tTitel\tnr\n4711\tMeier\tHans\tDr.\t5\n"
         u"\tKrause\tEva\t\t\n",
         true,
         {B::Mitgliedsnr, B::Nachname, B::Vorname, B::Titel, B::Nr},
         {{"5", "Dr. Hans Meier", "", "4711"}, {"", "Eva Krause", "", ""}},
         {{0, Grund::Kopfzeile}}},
        // "Name" beside "Vorname" is the surname; names alone are new members ("N").
        {u"Name\tVorname\nMeier\tHans\n",
         true,
         {B::Name, B::Vorname},
         {{"", "Hans Meier", "N", ""}},
         {{0, Grund::Kopfzeile}}},
        // Unknown headings are not taken, but one of them gives the name when nothing else does;
        // an empty heading leaves the column to its values; numbers alone are no entry.
        {u"Teilnehmer\tOrt\t\tMP\nAnna Berg\tBerlin\t100496\tg\n4711\t\t\t\n",
         true,
         {B::Name, B::Nichts, B::Mitgliedsnr, B::MP},
         {{"", "Anna Berg", "G", "100496"}, {"", "4711", "", ""}},
         {{0, Grund::Kopfzeile}}},
        // A word above numbers is a heading; naming nothing, it leaves the columns to their
        // values: of two number columns the small one is the Nr.
        {u"Spielerin\tMitgl\tPlatz\nAnna Berg\t100496\t1\nOtto Meier\t100497\t2\n",
         true,
         {B::Name, B::Mitgliedsnr, B::Nr},
         {{"1", "Anna Berg", "", "100496"}, {"2", "Otto Meier", "", "100497"}},
         {{0, Grund::Kopfzeile}}},
        {u"Anna Berg\t100496\t1\nOtto Meier\t100497\t2\nEva\tDE-4\t3\n",
         false,
         {B::Name, B::Mitgliedsnr, B::Nr},
         {{"1", "Anna Berg", "", "100496"},
          {"2", "Otto Meier", "", "100497"},
          {"3", "Eva", "", "DE-4"}}},
        // A line of letters the code page lacks: a name of base letters, or skipped.
        {u"Łódź Ŵ\nΠαπαδόπουλος\n\n",
         false,
         {B::Name},
         {{"",
           "L\xF3"
           "dz W",
           "N", ""}},
         {{1, Grund::KeinName}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(text(f.text).toStdString());
        const Ergebnis e = lesen(f.text);
        EXPECT_EQ(e.erkennung.kopfzeile, f.kopf);
        EXPECT_EQ(e.erkennung.spalten, f.spalten);
        EXPECT_EQ(e.eintraege, zeilen(f.eintraege));
        EXPECT_EQ(e.uebersprungen, f.uebersprungen);
    }
    // The user says whether the first row holds headings.
    const std::vector<QStringList> rows = {{QStringLiteral("Name")}, {QStringLiteral("Anna")}};
    EXPECT_EQ(SpaltenErkennen(rows, false), (Erkennung{false, {B::Name}}));
    const std::vector<QStringList> daten = {{QStringLiteral("Anna"), QStringLiteral("J")},
                                            {QStringLiteral("Otto"), QStringLiteral("N")}};
    EXPECT_EQ(SpaltenErkennen(daten, true), (Erkennung{true, {B::Name, B::MP}}));
    // A status column of J, N, G is the MP by any of its names.
    for (const char* kopf : {"Status", "MP-Status", "meisterpunkte", "MASTERPUNKTE"}) {
        const std::vector<QStringList> t = {{QStringLiteral("Name"), QString::fromLatin1(kopf)},
                                            {QStringLiteral("Anna"), QStringLiteral("j")}};
        EXPECT_EQ(SpaltenErkennen(t), (Erkennung{true, {B::Name, B::MP}})) << kopf;
    }
}

TEST(Erkennung, EveryChangedOrDroppedValueIsNoted) {
    struct Fall {
        std::u16string_view zeile;
        Eintrag eintrag;
        std::vector<const char16_t*> vermerke;
    };
    const Erkennung alle{false, {B::Nr, B::Name, B::MP, B::Mitgliedsnr, B::Nichts, B::Nr}};
    const Fall faelle[] = {
        {u"x1F\tAnna\tG\t4711", {"x1F", "Anna", "G", "4711"}, {}},
        {u"12a\tAnna\tj\tDE-47",
         {"", "Anna", "J", "DE-47"},
         {u"„12a“ ist keine Nummer und wurde weggelassen", u"„j“ wurde als „J“ übernommen",
          u"Die Mitgliedsnummer „DE-47“ enthält Buchstaben"}},
        {u"1\tAnna\tN\t=cmd|' /C calc'!A0",
         {"1", "Anna", "N", "=cmd|' /C calc'!A0"},
         {u"Die Mitgliedsnummer „=cmd|' /C calc'!A0“ sieht aus wie eine Formel"}},
        {u"1\tAnna\tN\t01.03.2015",
         {"1", "Anna", "N", "01.03.2015"},
         {u"Die Mitgliedsnummer „01.03.2015“ sieht aus wie ein Datum"}},
        {u"1\tAnna\tN\t-4711", {"1", "Anna", "N", "-4711"}, {}},
        {u"0\tAnna\tJa\t\tBer\x01lin\t7",
         {"", "Anna", "", ""},
         {u"„0“ ist keine Nummer und wurde weggelassen",
          u"„Ja“ ist kein MP (J, N oder G) und wurde weggelassen",
          u"„Ber�lin“ wird nicht übernommen", u"„7“ wird nicht übernommen"}},
        {u"\tŁukasz\x01 Nowak\x1A\t",
         {"", "Lukasz Nowak", "", ""},
         {u"„Ł“ wurde als „L“ übernommen; Steuerzeichen wurde weggelassen: die Gesamt-Datei kann "
          u"es nicht speichern"}},
        {u"\tAy?e Yilmaz\t",
         {"", "Ay?e Yilmaz", "", ""},
         {u"„?“ statt eines Buchstabens – Quelle prüfen"}},
        {u"\tMeier (?)\t", {"", "Meier (?)", "", ""}, {}},
        {u"\tAnna\0Berg ☺"sv,
         {"", "AnnaBerg", "", ""},
         {u"Steuerzeichen, „☺“ wurden weggelassen: die Gesamt-Datei kann sie nicht speichern"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(text(f.zeile).toStdString());
        const Ergebnis e = lesen(f.zeile, alle);
        EXPECT_EQ(e.eintraege, zeilen({f.eintrag}));
        std::vector<QString> erwartet;
        for (const char16_t* v : f.vermerke)
            erwartet.push_back(QString::fromUtf16(v));
        EXPECT_EQ(e.vermerke, erwartet);
    }
    // A table's cell may hold a line break: one blank, noted at the cell it went to.
    const std::vector<QStringList> tabelle = {
        {QStringLiteral("Dr.\r\nHans Meier"), QStringLiteral("N")}};
    const auto z = EintraegeBilden(tabelle, Erkennung{false, {B::Name, B::MP}});
    ASSERT_TRUE(z[0].eintrag);
    EXPECT_EQ((*z[0].eintrag)[kSpalteName], "Dr. Hans Meier");
    EXPECT_EQ(z[0].vermerke,
              (std::vector<Vermerk>{
                  {0, kSpalteName,
                   QStringLiteral("Zeilenumbruch wurde durch ein Leerzeichen ersetzt")}}));
}

TEST(Erkennung, TextTooLargeGivesWhatFitsAndSaysWhatWasLeftOut) {
    const Textzeilen t =
        ZeilenAusText(QStringLiteral("a\r\nb\rc\n\nd\ne\n  \nf"), Grenze{4, 2, 100});
    EXPECT_EQ(
        t.zeilen,
        (std::vector<QStringList>{
            {QStringLiteral("a")}, {QStringLiteral("b")}, {QStringLiteral("c")}, {QString()}}));
    EXPECT_EQ(t.zeilenWeggelassen, 3); // d, e, f; not the blank line
    const Textzeilen breit = ZeilenAusText(QStringLiteral("1\t2\t3\n4\t5"), Grenze{10, 2, 100});
    EXPECT_EQ(breit.zeilen[0], (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(breit.zeilenGekuerzt, 1);
    EXPECT_EQ(WeggelassenText(breit),
              QStringLiteral(u"In 1 Zeile wurden überzählige Felder weggelassen"));

    // Ten megabytes: the lines a table's sheet keeps, at once.
    QString gross;
    for (int i = 0; i < 400'000; ++i)
        gross += QStringLiteral("Name %1\t%1\tJ\n").arg(i);
    ASSERT_GT(gross.size(), 5'000'000);
    const Textzeilen g = ZeilenAusText(gross);
    EXPECT_EQ(qint64(g.zeilen.size()), tabelle::kMaxZeilenBehalten);
    EXPECT_EQ(g.zeilenWeggelassen, 400'000 - tabelle::kMaxZeilenBehalten);
    EXPECT_EQ(WeggelassenText(g),
              QStringLiteral("398900 weitere Zeilen wurden weggelassen: zu viel Text auf einmal"));
    const Textzeilen lang = ZeilenAusText(QString(2'000'000, u'x'));
    EXPECT_TRUE(lang.zeilen.empty());
    EXPECT_EQ(lang.zeilenWeggelassen, 1);
}
