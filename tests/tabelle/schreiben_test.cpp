// The table writer against the readers: what is written is read back cell for cell, in every
// format, and what a reader would refuse is not written.

// Expected texts are written as UTF-8 literals.
#undef QT_NO_CAST_FROM_ASCII

#include "tabelle/schreiben.h"
#include "tests/tabelle/namensliste.h"
#include "tests/tabelle/zipbau.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace tabelle;
using Zeilen = std::vector<Schreibzeile>;

namespace {

constexpr Format kFormate[] = {Format::Csv, Format::Ods, Format::Xlsx};

QByteArray teil(QByteArray zip, const QString& name) {
    QBuffer puffer(&zip);
    QuaZip archiv(&puffer);
    archiv.open(QuaZip::mdUnzip);
    archiv.setCurrentFile(name);
    QuaZipFile datei(&archiv);
    datei.open(QIODevice::ReadOnly);
    return datei.readAll();
}

Blatt zurueck(const Zeilen& zeilen, Format format, const QString& blatt = "Gesamtdatei") {
    const Tabellendatei datei = schreibenAlsBytes({blatt, kKopf, zeilen}, format);
    EXPECT_EQ(datei.fehler, QString());
    const Ergebnis e = lesenAusBytes(datei.bytes, format);
    EXPECT_EQ(e.fehler, QString());
    return e.blaetter.empty() ? Blatt{} : e.blaetter[0];
}

TEST(Schreiben, TausendEintraegeKommenInJedemFormatZurueckWieSieWaren) {
    QTemporaryDir ordner;
    const Zeilen liste = namensliste(1000);
    for (const char* name : {"NAMEN.csv", "NAMEN.ods", "NAMEN.xlsx"}) { // by the ending
        SCOPED_TRACE(name);
        ASSERT_TRUE(schreiben(ordner.filePath(name), {"Gesamtdatei", kKopf, liste}).ok());
        const Ergebnis e = lesen(ordner.filePath(name));
        ASSERT_EQ(e.fehler, QString());
        EXPECT_EQ(e.csv, QByteArray(name).endsWith("csv"));
        EXPECT_EQ(e.blaetter.at(0).name, e.csv ? "NAMEN" : "Gesamtdatei");
        EXPECT_EQ(alsText(e.blaetter[0].zeilen), alsText(gelesen(liste)));
        // The import knows the heading row and every column by it.
        const Erkennung erkannt = SpaltenErkennen(e.blaetter[0].zeilen);
        EXPECT_TRUE(erkannt.kopfzeile);
        EXPECT_EQ(erkannt.spalten, (std::vector{Bedeutung::Nr, Bedeutung::Name, Bedeutung::MP,
                                                Bedeutung::Mitgliedsnr}));
    }
    const Geschrieben fehlt = schreiben(ordner.filePath("fehlt/NAMEN.ods"), {"", kKopf, liste});
    EXPECT_TRUE(fehlt.systemfehler != 0 && fehlt.fehler.isEmpty());
    const Ausgabe a{"x", kKopf, liste}; // the same table gives the same bytes
    EXPECT_EQ(schreibenAlsBytes(a, Format::Ods).bytes, schreibenAlsBytes(a, Format::Ods).bytes);
}

TEST(Schreiben, ZufaelligeZellenKommenZurueck) {
    const QString zeichen = "aßÄé _x0041_;\"\n\t'-0123456789";
    std::mt19937 zufall(39);
    for (int lauf = 0; lauf < 60; ++lauf) {
        Zeilen zeilen(zufall() % 20);
        for (Schreibzeile& zeile : zeilen)
            for (std::string& zelle : zeile) {
                QString text;
                for (unsigned n = zufall() % 9; n > 0; --n)
                    text += zeichen[zufall() % zeichen.size()];
                zelle = cp1252::fromQString(text);
            }
        for (const Format format : kFormate)
            ASSERT_EQ(alsText(zurueck(zeilen, format).zeilen), alsText(gelesen(zeilen)))
                << int(format);
    }
}

TEST(Schreiben, ZahlenAlsZahlzellenAllesAndereAlsText) {
    const struct {
        const char* zelle;
        bool zahl;
    } faelle[] = {{"17", true},       {"-3", true},
                  {"0", true},        {"12345678901", true},
                  {"0100237", false}, {"A-4711", false},
                  {" 12", false},     {"+3", false},
                  {"-0", false},      {"123456789012", false},
                  {"1.5", false},     {"4711 ", false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zelle);
        const Zeilen zeilen{{"", "", "", f.zelle}};
        const QByteArray zelle(f.zelle);
        const QByteArray xlsx = teil(schreibenAlsBytes({"", kKopf, zeilen}, Format::Xlsx).bytes,
                                     "xl/worksheets/sheet1.xml");
        EXPECT_EQ(xlsx.contains("<c r=\"D2\"><v>" + zelle + "</v></c>"), f.zahl);
        EXPECT_EQ(xlsx.contains("<c r=\"D2\" s=\"2\" t=\"s\">"), !f.zahl);
        const QByteArray ods =
            teil(schreibenAlsBytes({"", kKopf, zeilen}, Format::Ods).bytes, "content.xml");
        EXPECT_EQ(ods.contains("office:value-type=\"float\" office:value=\"" + zelle + "\""),
                  f.zahl);
        for (const Format format : kFormate)
            EXPECT_EQ(zurueck(zeilen, format).zeilen.at(1).value(3), QString::fromUtf8(f.zelle));
    }
}

TEST(Schreiben, BlattnameSteuerzeichenUndVerpackung) {
    for (const auto& [gewuenscht, name] :
         {std::pair{"NAMEN", "NAMEN"},
          {"a/b:c[1]*?\\", "a_b_c_1____"},
          {"'x'", "_x_"},
          {"", "Tabelle1"},
          {"Eine sehr lange Liste aller Spieler", "Eine sehr lange Liste aller Spi"}})
        for (const Format format : {Format::Ods, Format::Xlsx})
            EXPECT_EQ(zurueck({}, format, gewuenscht).name, QString::fromUtf8(name));
    // Only the XML formats drop what XML cannot hold.
    const Zeilen steuer{{"1", std::string("a\0\x01z\r\nb", 7), "", ""}};
    EXPECT_EQ(zurueck(steuer, Format::Ods).zeilen.at(1).value(1), u"az\nb");
    EXPECT_EQ(zurueck(steuer, Format::Xlsx).zeilen.at(1).value(1), u"az\nb");
    EXPECT_EQ(zurueck(steuer, Format::Csv).zeilen.at(1).value(1), u"a\x01z\nb");
    // The type where a program looks for it: stored, first, at a fixed place.
    const QByteArray ods = schreibenAlsBytes({"", kKopf, {}}, Format::Ods).bytes;
    EXPECT_EQ(ods.mid(30, 8 + 46), "mimetypeapplication/vnd.oasis.opendocument.spreadsheet");
    const QByteArray csv = schreibenAlsBytes({"", kKopf, {}}, Format::Csv).bytes;
    EXPECT_EQ(csv, "\xEF\xBB\xBFNr.;Name;MP;Mitgliedsnr.\r\n");
}

TEST(Schreiben, WasDerLeserAblehnteWirdNichtGeschrieben) {
    const struct {
        Format format;
        int zeilen, laenge; // of every cell, each a text of its own
        const char* fehler; // empty: written, and read back
    } faelle[] = {
        {Format::Ods, 1, kMaxZeichen, ""},
        {Format::Xlsx, 1, kMaxZeichen + 1, "Zeile 2 hat eine Zelle mit mehr als 32767 Zeichen"},
        {Format::Csv, 1, kMaxZeichen + 1, "Zeile 2 hat eine Zelle mit mehr als 32767 Zeichen"},
        {Format::Ods, 1000, 2200, "entpackt wäre sie größer als 8 MB"},
        {Format::Xlsx, 1000, 2200, "entpackt wäre sie größer als 8 MB"},
        {Format::Xlsx, 1000, 1800, ""},
        {Format::Csv, 1000, 4200, "sie wäre größer als 16 MB"},
        {Format::Csv, 200000, 0, "sie hätte mehr als 199999 Zeilen"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(int(f.format)) + " " + std::to_string(f.laenge));
        Zeilen zeilen(size_t(f.zeilen));
        for (size_t i = 0; i < zeilen.size(); ++i)
            for (size_t s = 0; s < 4 && f.laenge > 0; ++s)
                (zeilen[i][s] = std::to_string(i * 4 + s)).resize(size_t(f.laenge), 'x');
        const Tabellendatei datei = schreibenAlsBytes({"", kKopf, zeilen}, f.format);
        EXPECT_EQ(datei.fehler, QString::fromUtf8(f.fehler));
        EXPECT_EQ(datei.bytes.isEmpty(), *f.fehler != 0);
        if (!*f.fehler) {
            EXPECT_EQ(lesenAusBytes(datei.bytes, f.format).fehler, QString());
        }
    }
}

} // namespace
