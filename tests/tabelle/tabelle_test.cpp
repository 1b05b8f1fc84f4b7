// Tables made by a real spreadsheet program (fixtures.sh) and by hand: the same member table
// in every format gives the same rows; hostile files give a German message.

// Expected rows are written as UTF-8 literals.
#undef QT_NO_CAST_FROM_ASCII

#include "erkennung/erkennung.h"
#include "platform/modul.h"
#include "tabelle/tabelle.h"
#include "tabelle/tabellenmodul.h"
#include "tests/tabelle/zipbau.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tabelle;
using Zeilen = std::vector<QStringList>;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

QString fixture(const char* name) {
    return QStringLiteral(FIXTURES "/") + QLatin1String(name);
}

const Blatt& erstes(const Ergebnis& e) {
    static const Blatt leer;
    return e.erstesMitDaten < 0 ? leer : e.blaetter[size_t(e.erstesMitDaten)];
}

TEST(Tabelle, DieMitgliedertabelleIstInJedemFormatDieselbe) {
    const Zeilen erwartet{
        {"Nr.", "Mitgliedsnummer", "Nachname", "Vorname", "MP", "Ort", "Eintritt", "Beitrag"},
        {"1", "100237", "Bergmann", "Anna", "N", "Köln", "01.03.15", "12,5"},
        {"2", "100274", "Fischer", "Dr.  Bernd", "N", "Düsseldorf", "15.11.19", "25"},
        {"3", "100311", "Hoffmann", "Carla", "G", "Essen", "", "12,5"},
        {"4", "100348", "Krüger", "Dieter", "N", "Münster", "02.01.21", "0"},
        {"5", "100570", "Weiß", "Jürgen", "J", "Straßburg", "30.06.10", "25"},
        {"6", "", "Özdemir", "Ayşe", "N", "Bonn"},
        {"7", "101384", "Überall", "Jörg", "N", "Aachen", "", "12,5"},
        {"8", "101680", "Seeß, von", "Grete", "J"}};
    for (const char* name : {"mitglieder.csv", "mitglieder.ods", "mitglieder.xlsx"}) {
        SCOPED_TRACE(name);
        const Ergebnis e = lesen(fixture(name));
        ASSERT_EQ(e.fehler, QString());
        ASSERT_EQ(e.blaetter.size(), 1u);
        EXPECT_EQ(e.blaetter[0].name, u"mitglieder");
        EXPECT_EQ(e.blaetter[0].zeilen, erwartet);
        EXPECT_EQ(e.erkannt, Kodierung::Utf8);
    }
}

// The program reads tables only through the module it loads at the first one: what it gets
// there is what the readers give. A module it cannot load, or one another user could have put
// or replaced where it looks, is not taken, and the user is told so in German.
TEST(Tabelle, DasProgrammLiestDurchDasModulWasDieLeserGeben) {
    const QTemporaryDir oben;
    const QString ordner = oben.filePath(QStringLiteral("module"));
    const QString modulDatei = ordner + QStringLiteral("/gesamt-tabelle.so");
    ASSERT_TRUE(QDir().mkpath(ordner));
    const auto lesenAus = [&] {
        modul::testing::ordnerSetzen(QFile::encodeName(ordner).toStdString());
        return tabellenmodul::lesen(fixture("mitglieder.xlsx"));
    };
    const QString nichtGeladen =
        QStringLiteral(u"Die Tabelle kann nicht eingelesen werden: Die Unterstützung für "
                       u"Tabellen kann nicht geladen werden.");
    EXPECT_EQ(lesenAus().fehler, nichtGeladen) << "no module";
    ASSERT_TRUE(QFile::copy(QStringLiteral(TABELLENMODUL_ORDNER "/gesamt-tabelle.so"), modulDatei));
    EXPECT_EQ(lesenAus().fehler, QString()) << "our own module";
    const struct {
        const char* fall;
        std::function<void()> machen, zuruecknehmen;
    } faelle[] = {
        {"a module anyone may write", [&] { chmod(QFile::encodeName(modulDatei), 0646); },
         [&] { chmod(QFile::encodeName(modulDatei), 0644); }},
        {"in a folder anyone may write", [&] { chmod(QFile::encodeName(ordner), 0777); },
         [&] { chmod(QFile::encodeName(ordner), 0755); }},
        {"below a folder anyone may write", [&] { chmod(QFile::encodeName(oben.path()), 0777); },
         [&] { chmod(QFile::encodeName(oben.path()), 0700); }},
        {"a link to a module",
         [&] {
             QFile::rename(modulDatei, modulDatei + QStringLiteral(".echt"));
             QFile::link(modulDatei + QStringLiteral(".echt"), modulDatei);
         },
         [&] {
             QFile::remove(modulDatei);
             QFile::rename(modulDatei + QStringLiteral(".echt"), modulDatei);
         }},
    };
    for (const auto& f : faelle) {
        f.machen();
        EXPECT_EQ(lesenAus().fehler, nichtGeladen) << f.fall;
        f.zuruecknehmen();
        EXPECT_EQ(lesenAus().fehler, QString()) << f.fall << ", undone";
    }
    // A folder anyone may write that keeps others from replacing what is not theirs, as /tmp.
    chmod(QFile::encodeName(oben.path()), 01777);
    EXPECT_EQ(lesenAus().fehler, QString()) << "below a sticky folder";
    chmod(QFile::encodeName(oben.path()), 0700);

    modul::testing::ordnerSetzen(TABELLENMODUL_ORDNER);
    for (const char* name :
         {"mitglieder.xlsx", "blaetter.ods", "windows1252.csv", "mitglieder.xls"}) {
        SCOPED_TRACE(name);
        const Ergebnis direkt = lesen(fixture(name), Kodierung::Automatisch);
        const Ergebnis modul = tabellenmodul::lesen(fixture(name));
        EXPECT_EQ(modul.fehler, direkt.fehler);
        ASSERT_EQ(modul.blaetter.size(), direkt.blaetter.size());
        for (size_t i = 0; i < direkt.blaetter.size(); ++i) {
            EXPECT_EQ(modul.blaetter[i].name, direkt.blaetter[i].name);
            EXPECT_EQ(modul.blaetter[i].zeilen, direkt.blaetter[i].zeilen);
        }
        EXPECT_EQ(modul.erstesMitDaten, direkt.erstesMitDaten);
        EXPECT_EQ(modul.erkannt, direkt.erkannt);
    }
    const Ergebnis utf8 = tabellenmodul::lesen(fixture("windows1252.csv"), Kodierung::Utf8);
    EXPECT_EQ(utf8.erkannt, Kodierung::Utf8);
}

TEST(Tabelle, AbgleichtabelleUndKodierungen) {
    const Zeilen erwartet{{"Mitgliedsnummer", "Nachname", "Vorname", "MP"},
                          {"100237", "Bergmann", "Anna", "J"},
                          {"100570", "Weiß", "Jürgen", "J"},
                          {"102000", "Neumeister", "Paula", "N"},
                          {"", "Krüger", "Dieter", "G"}};
    for (const char* name : {"abgleich.csv", "abgleich.ods", "abgleich.xlsx", "windows1252.csv"}) {
        SCOPED_TRACE(name);
        const Ergebnis e = lesen(fixture(name));
        EXPECT_EQ(erstes(e).zeilen, erwartet);
    }
    EXPECT_EQ(lesen(fixture("windows1252.csv")).erkannt, Kodierung::Windows1252);
    // The choice in the preview overrides what was detected.
    const Ergebnis alsUtf8 = lesen(fixture("windows1252.csv"), Kodierung::Utf8);
    EXPECT_EQ(alsUtf8.erkannt, Kodierung::Utf8);
    EXPECT_EQ(erstes(alsUtf8).zeilen[2][1], u"Wei\uFFFD");
    const Ergebnis als1252 = lesen(fixture("abgleich.csv"), Kodierung::Windows1252);
    EXPECT_EQ(erstes(als1252).zeilen[0][0], u"ï»¿Mitgliedsnummer");
}

TEST(Tabelle, FelderInAnfuehrungszeichenWieSieDasTabellenprogrammLiest) {
    const Zeilen erwartet{{"Name", "Bemerkung", "Ort"},
                          {"Meier, Hans", "sagt \"Hallo\"", "Bonn"},
                          {"Schulz", "Zeile eins\nZeile zwei"},
                          {"", "", "Köln"}};
    EXPECT_EQ(erstes(lesen(fixture("anfuehrung.csv"))).zeilen, erwartet);
    EXPECT_EQ(erstes(lesen(fixture("anfuehrung.xlsx"))).zeilen, erwartet);
}

TEST(Tabelle, MehrereBlaetterUndAlleArtenVonZellen) {
    const Zeilen erwartet{
        {"Mitgliedsnummer", "Name", "Eintritt", "Beitrag", "Anteil", "Summe", "Bemerkung"},
        {"012345", "Müller, Hans", "01.03.2015", "1.234,50", "25%", "2469", "Zeile 1\nZeile 2"},
        {},
        {},
        {"x", "x", "", "Ende"}};
    for (const char* name : {"blaetter.ods", "blaetter.xlsx"}) {
        SCOPED_TRACE(name);
        const Ergebnis e = lesen(fixture(name));
        ASSERT_EQ(e.blaetter.size(), 3u) << e.fehler.toStdString(); // the hidden one left out
        EXPECT_EQ(e.blaetter[0].name, u"Deckblatt");
        EXPECT_TRUE(e.blaetter[0].zeilen.empty());
        EXPECT_EQ(e.erstesMitDaten, 1);
        EXPECT_EQ(e.blaetter[1].zeilen, erwartet);
        EXPECT_EQ(e.blaetter[2].zeilen, Zeilen{{"Stand März 2024"}});
    }
}

TEST(Tabelle, CsvTrennzeichenZeilenendenUndAnfuehrungszeichen) {
    const struct {
        QByteArray bytes;
        Zeilen zeilen;
    } faelle[] = {
        {"a\tb c\r\n1\t2;3\r\n", {{"a", "b c"}, {"1", "2;3"}}},
        {"a,b\n\"x, y\",z\n", {{"a", "b"}, {"x, y", "z"}}},
        {"a;b\rc;d\r", {{"a", "b"}, {"c", "d"}}},
        {"x;y;", {{"x", "y"}}},
        {"sep=,\r\na;b,c\r\n", {{"a;b", "c"}}},
        {"a;;;\r\n;;\r\n\r\nb\r\n;;\r\n\r\n", {{"a"}, {}, {}, {"b"}}},
        {"a;\"b\"\"c\r\nd\"\"\"x;e\n", {{"a", "b\"c\nd\"x", "e"}}},
        {"a;\"offen\nbis zum Ende", {{"a", "offen\nbis zum Ende"}}},
        {"M\xFCller;Stra\xDF"
         "e\r\n",
         {{"Müller", "Straße"}}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.bytes.toStdString());
        const Ergebnis e = lesenAusBytes(fall.bytes, Format::Csv);
        EXPECT_EQ(e.fehler, QString());
        EXPECT_EQ(erstes(e).zeilen, fall.zeilen);
    }
}

TEST(Tabelle, XlsxZahlenWieDasTabellenprogrammSieZeigt) {
    const struct {
        const char* format; // empty: "General"; a number alone: a built-in format
        const char* wert;
        const char* text;
    } faelle[] = {
        {"", "4711", "4711"},
        {"", "12.5", "12,5"},
        {"", "0.30000000000000004", "0,3"},
        {"", "-3", "-3"},
        {"000000", "12345", "012345"},
        {"#,##0.00", "1234.5", "1.234,50"},
        {"#,##0", "-1234567", "-1.234.567"},
        {"0.0%", "0.256", "25,6%"},
        {"[$€-407] #,##0.00;[RED]-#,##0.00", "3", "3,00"},
        {"14", "42064", "01.03.2015"},
        {"dd/mm/yy", "42064", "01.03.15"},
        {"[$-407]d. mmmm yyyy", "42064.75", "1. März 2015"},
        {"dd.mm.yyyy hh:mm", "42064.75", "01.03.2015 18:00"},
        {"h:mm AM/PM", "0.5", "12:00"},
        {"@", "4711", "4711"},
    };
    QByteArray formate, stile, zellen;
    int i = 0;
    for (const auto& f : faelle) {
        const QByteArray id =
            QByteArray(f.format).toInt() > 0 ? QByteArray(f.format) : QByteArray::number(200 + i);
        if (QByteArray(f.format).toInt() == 0 && *f.format)
            formate += "<numFmt numFmtId=\"" + id + "\" formatCode=\"" + f.format + "\"/>";
        stile += "<xf numFmtId=\"" + (*f.format ? id : "0") + "\"/>";
        zellen += "<c s=\"" + QByteArray::number(i++) + "\"><v>" + f.wert + "</v></c>";
    }
    const Ergebnis e = lesenAusBytes(
        xlsxAus("<worksheet><sheetData><row>" + zellen + "</row></sheetData></worksheet>",
                "<styleSheet><numFmts>" + formate +
                    "</numFmts><cellStyleXfs><xf numFmtId=\"2\"/>"
                    "</cellStyleXfs><cellXfs>" +
                    stile + "</cellXfs></styleSheet>"));
    ASSERT_EQ(e.fehler, QString());
    for (size_t k = 0; k < std::size(faelle); ++k)
        EXPECT_EQ(erstes(e).zeilen[0].value(qsizetype(k)), QString::fromUtf8(faelle[k].text))
            << faelle[k].format;
}

TEST(Tabelle, XlsxTexteUndZellverweise) {
    const Ergebnis e = lesenAusBytes(xlsxAus(
        "<worksheet><sheetData><row r=\"2\"><c r=\"C2\" t=\"s\"><v>1</v></c>"
        "<c r=\"E2\" t=\"inlineStr\"><is><r><t>in</t></r><r><t xml:space=\"preserve\">line </t>"
        "</r><rPh><t>x</t></rPh></is></c><c t=\"b\"><v>1</v></c><c t=\"str\"><f>A1</f>"
        "<v>a_x000D_\nb</v></c></row><row><c t=\"e\"><v>#NV</v></c></row>"
        "<row r=\"5\"><c r=\"B5\"/></row></sheetData></worksheet>",
        {}, "<sst><si><t>null</t></si><si><t>eins &amp; zwei</t></si></sst>"));
    EXPECT_EQ(erstes(e).zeilen,
              (Zeilen{{}, {"", "", "eins & zwei", "", "inline ", "WAHR", "a\nb"}, {"#NV"}}));
}

TEST(Tabelle, OdsWiederholungenKostenNurWasSieZeigen) {
    // As a spreadsheet program writes the rest of a sheet: empty, repeated to its last row.
    const QByteArray rest = "<table:table-row table:number-rows-repeated=\"1048000\">"
                            "<table:table-cell table:number-columns-repeated=\"16384\"/>"
                            "</table:table-row>";
    const Ergebnis e = lesenAusBytes(odsAus(
        "<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"2\">"
        "<table:table-cell table:number-columns-repeated=\"16384\"/></table:table-row>"
        "<table:table-row><table:table-cell/><table:table-cell table:number-columns-repeated=\"2\""
        " office:value-type=\"float\" office:value=\"4711\"><text:p>4711</text:p>"
        "</table:table-cell><table:table-cell table:number-columns-repeated=\"16381\"/>"
        "</table:table-row>" +
        rest + "</table:table>"));
    EXPECT_EQ(erstes(e).zeilen, (Zeilen{{}, {}, {"", "4711", "4711"}}));
}

// Each of these ends at once with a German message that names the file and says what to do.
TEST(Tabelle, FeindlicheUndUnlesbareDateien) {
    QTemporaryDir ordner;
    const auto datei = [&](const char* name, const QByteArray& bytes, qint64 groesse = -1) {
        const QString pfad = ordner.filePath(QString::fromUtf8(name));
        QFile f(pfad);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        if (groesse >= 0)
            f.resize(groesse); // sparse: many GB cost nothing on disk
        return pfad;
    };
    const QByteArray nullen(10 << 20, '\0');
    QByteArray luegt = xlsxAus(nullen); // the bomb's header says it unpacks to 1000 bytes
    for (const char* kopf : {"PK\x03\x04", "PK\x01\x02"}) {
        const qsizetype at = luegt.lastIndexOf(kopf) + (kopf[2] == 3 ? 22 : 24);
        luegt.replace(at, 4, QByteArray("\xE8\x03\0\0", 4));
    }
    const QByteArray lacher = "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;"
                              "&a;&a;\">]><worksheet><sheetData><row><c t=\"inlineStr\"><is><t>"
                              "&b;</t></is></c></row></sheetData></worksheet>";
    const QByteArray fern = "<!DOCTYPE s [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><sst><si><t>"
                            "&x;</t></si></sst>";
    ::mkfifo(ordner.filePath(QStringLiteral("rohr.csv")).toUtf8().constData(), 0600);
    const struct {
        QString pfad;
        const char* grund;
        bool rat = true; // another format may help
    } faelle[] = {
        {fixture("mitglieder.xls"), "im alten Excel-Format (.xls)"},
        {datei("text.xlsx", "a;b\r\n"), "keine .xlsx- oder .ods-Datei"},
        {datei("brief.xlsx", zipAus({{QStringLiteral("word/document.xml"), "<w/>"}})),
         "keine Tabelle"},
        {datei("bombe.xlsx", xlsxAus(nullen)), "größer als 8 MB"},
        {datei("luegt.xlsx", luegt), "beschädigt"},
        {datei("lacher.xlsx", xlsxAus(lacher)), "Dokumenttypdefinition"},
        {datei("fern.xlsx", xlsxAus("<worksheet/>", {}, fern)), "Dokumenttypdefinition"},

        {datei("ecke.xlsx", xlsxAus("<worksheet><sheetData><row r=\"9999999\"><c r=\"A9999999\">"
                                    "<v>1</v></c></row></sheetData></worksheet>")),
         "mehr als 1048576 Zeilen"},
        {datei("verweis.xlsx", xlsxAus("<worksheet><sheetData><row><c t=\"s\"><v>7</v></c></row>"
                                       "</sheetData></worksheet>")),
         "fehlenden Text"},
        {datei("zelle.csv", QByteArray(40000, 'x')), "eine Zeile ist länger als 32767 Zeichen"},
        {datei("zeilenlang.csv", "a;b\r\n" + QByteArray("x,").repeated(20000)),
         "eine Zeile ist länger als 32767 Zeichen"},
        {datei("zeile.csv", QByteArray(100 << 20, 'x')), "größer als 16 MB", false},
        {datei("riesig.csv", "a;b", 5LL << 30), "größer als 16 MB", false},
        {datei("utf16.txt", QByteArray("\xFF\xFE"
                                       "a\0;\0",
                                       6)),
         "UTF-16"},
        {datei("leer.csv", ";;\r\n\r\n"), "enthält keine Daten", false},
        {ordner.filePath(QStringLiteral("rohr.csv")), "keine gewöhnliche Datei", false},
        {ordner.filePath(QStringLiteral("fehlt.csv")), "es gibt sie nicht", false},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.pfad.toStdString());
        const Ergebnis e = lesen(fall.pfad);
        EXPECT_TRUE(e.fehler.startsWith("„" + QFileInfo(fall.pfad).fileName() +
                                        "“ kann nicht eingelesen werden: "));
        EXPECT_TRUE(e.fehler.contains(QString::fromUtf8(fall.grund))) << e.fehler.toStdString();
        EXPECT_EQ(e.fehler.endsWith(u"Bitte als .xlsx, .ods oder .csv speichern."), fall.rat);
        EXPECT_EQ(e.erstesMitDaten, -1);
    }
}

// Files that once took seconds and gigabytes (timed by hand, /usr/bin/time -v): each keeps what
// a preview of a list can need and counts the rest; its rows go through the recognition too.
TEST(Tabelle, GrosseDateienBehaltenWasEineVorschauBrauchtUndZaehlenDenRest) {
    const auto ods = [](const QByteArray& zeilen) {
        return odsAus("<table:table>" + zeilen + "</table:table>");
    };
    const QByteArray lang = "<table:table-row table:number-rows-repeated=\"60\"><table:table-cell "
                            "table:number-columns-repeated=\"16384\"><text:p>Meier<text:s "
                            "text:c=\"32000\"/>x</text:p></table:table-cell></table:table-row>";
    const QByteArray leer = "<table:table-cell><text:p><text:s text:c=\"32767\"/></text:p>"
                            "</table:table-cell>";
    QByteArray csv = "Name;Mitgliedsnr\r\n", breit;
    for (int i = 0; i < 450000; ++i)
        csv += "Spieler " + QByteArray::number(i) + ";" + QByteArray::number(i) + "\r\n";
    for (int i = 0; i < 16384; ++i)
        breit += "<c t=\"inlineStr\"><is><t>N" + QByteArray::number(i) + "</t></is></c>";
    const struct {
        QByteArray bytes;
        qint64 behalten, weggelassen, gekuerzt;
    } faelle[] = {
        {ods(lang), 1, 59, 1},
        {ods(("<table:table-row>" + leer.repeated(100) + "</table:table-row>").repeated(1000)), 1,
         999, 1},
        {csv, kMaxZeilenBehalten, 450001 - kMaxZeilenBehalten, 0},
        {xlsxAus("<worksheet><sheetData>" + ("<row>" + breit + "</row>").repeated(10) +
                 "</sheetData></worksheet>"),
         10, 0, 10},
    };
    for (const auto& f : faelle) {
        const Ergebnis e = lesenAusBytes(f.bytes);
        const Blatt& b = erstes(e);
        ASSERT_EQ(e.fehler, QString());
        EXPECT_EQ(qint64(b.zeilen.size()), f.behalten);
        EXPECT_EQ(b.zeilenWeggelassen, f.weggelassen);
        EXPECT_EQ(b.zeilenGekuerzt, f.gekuerzt);
        EXPECT_LE(b.zeilen.front().size(), kMaxSpaltenBehalten);
        EXPECT_EQ(EintraegeBilden(b.zeilen, SpaltenErkennen(b.zeilen)).size(), b.zeilen.size());
    }
}

} // namespace
