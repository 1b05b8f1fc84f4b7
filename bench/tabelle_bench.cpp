// Reading a member table of 1000 rows as CSV and as XLSX, each against the least any reader
// must do with the same bytes (split the text; unzip the parts and walk their XML), and how
// soon hostile files are refused.

// Test data written as UTF-8 literals.
#undef QT_NO_CAST_FROM_ASCII

#include "tabelle/tabelle.h"
#include "tests/tabelle/zipbau.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>

namespace {

using tabelle::Format;

// 1000 members in six columns, as a federation's export has them.
std::vector<QStringList> mitglieder() {
    const QStringList nachnamen{"Bergmann", "Fischer", "Hoffmann", "Krüger", "Weiß",
                                "Özdemir",  "Überall", "Seeß",     "Meier",  "von Bredow"};
    const QStringList vornamen{"Anna", "Dr. Bernd", "Carla", "Dieter", "Jürgen", "Ayşe"};
    const QStringList orte{"Köln", "Düsseldorf", "Essen", "Münster", "Straßburg", "Bonn", "Aachen"};
    std::vector<QStringList> zeilen{{"Nr.", "Mitgliedsnummer", "Nachname", "Vorname", "MP", "Ort"}};
    for (int i = 1; i <= 1000; ++i)
        zeilen.push_back({QString::number(i), QString::number(100000 + 37 * i),
                          nachnamen[i % nachnamen.size()], vornamen[i % vornamen.size()],
                          QString(QStringLiteral("JNG")[i % 3]), orte[i % orte.size()]});
    return zeilen;
}

QByteArray alsCsv() {
    QString text;
    for (const QStringList& zeile : mitglieder())
        text += zeile.join(u';') + QStringLiteral("\r\n");
    return "\xEF\xBB\xBF" + text.toUtf8();
}

// As a spreadsheet program writes it: texts shared, numbers as numbers.
QByteArray alsXlsx() {
    QByteArray blatt = "<worksheet><sheetData>", texte = "<sst>";
    int anzahl = 0, nr = 1;
    for (const QStringList& zeile : mitglieder()) {
        blatt += "<row r=\"" + QByteArray::number(nr) + "\">";
        for (qsizetype s = 0; s < zeile.size(); ++s) {
            const QByteArray ort = QByteArray(1, char('A' + s)) + QByteArray::number(nr);
            bool zahl = false;
            zeile[s].toLongLong(&zahl);
            if (zahl) {
                blatt +=
                    "<c r=\"" + ort + "\" s=\"0\" t=\"n\"><v>" + zeile[s].toUtf8() + "</v></c>";
            } else {
                texte += "<si><t xml:space=\"preserve\">" + zeile[s].toUtf8() + "</t></si>";
                blatt += "<c r=\"" + ort + "\" s=\"0\" t=\"s\"><v>" + QByteArray::number(anzahl++) +
                         "</v></c>";
            }
        }
        blatt += "</row>";
        ++nr;
    }
    return xlsxAus(blatt + "</sheetData></worksheet>",
                   "<styleSheet><cellXfs><xf numFmtId=\"0\"/></cellXfs></styleSheet>",
                   texte + "</sst>");
}

void BM_CsvLesen(benchmark::State& state) {
    const QByteArray csv = alsCsv();
    for (auto _ : state) {
        const tabelle::Ergebnis e = tabelle::lesenAusBytes(csv);
        if (e.blaetter.at(0).zeilen.size() != 1001)
            state.SkipWithError("falsche Zeilenzahl");
    }
}
BENCHMARK(BM_CsvLesen)->Unit(benchmark::kMillisecond);

void BM_CsvReferenzNurAufteilen(benchmark::State& state) {
    const QByteArray csv = alsCsv();
    for (auto _ : state) {
        QStringDecoder utf8(QStringConverter::Utf8);
        const QString text = utf8.decode(csv);
        std::vector<QStringList> zeilen;
        for (const QString& zeile : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            zeilen.push_back(zeile.split(u';'));
        benchmark::DoNotOptimize(zeilen.data());
    }
}
BENCHMARK(BM_CsvReferenzNurAufteilen)->Unit(benchmark::kMillisecond);

void BM_XlsxLesen(benchmark::State& state) {
    const QByteArray xlsx = alsXlsx();
    for (auto _ : state) {
        const tabelle::Ergebnis e = tabelle::lesenAusBytes(xlsx);
        if (e.blaetter.at(0).zeilen.size() != 1001)
            state.SkipWithError("falsche Zeilenzahl");
    }
}
BENCHMARK(BM_XlsxLesen)->Unit(benchmark::kMillisecond);

void BM_XlsxDateiLesen(benchmark::State& state) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("mitglieder.xlsx"));
    QFile datei(pfad);
    datei.open(QIODevice::WriteOnly);
    datei.write(alsXlsx());
    datei.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(tabelle::lesen(pfad).erstesMitDaten);
}
BENCHMARK(BM_XlsxDateiLesen)->Unit(benchmark::kMillisecond);

void BM_XlsxReferenzNurEntpackenUndXml(benchmark::State& state) {
    const QByteArray xlsx = alsXlsx();
    for (auto _ : state) {
        QByteArray kopie = xlsx;
        QBuffer puffer(&kopie);
        QuaZip zip(&puffer);
        zip.open(QuaZip::mdUnzip);
        for (const char* teil : {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml",
                                 "xl/sharedStrings.xml", "xl/worksheets/sheet1.xml"}) {
            zip.setCurrentFile(QString::fromLatin1(teil));
            QuaZipFile datei(&zip);
            datei.open(QIODevice::ReadOnly);
            QXmlStreamReader xml(datei.readAll());
            while (!xml.atEnd())
                xml.readNext();
        }
    }
}
BENCHMARK(BM_XlsxReferenzNurEntpackenUndXml)->Unit(benchmark::kMillisecond);

// Hostile files, and the largest within the bounds (which are read: 450000 cells of 8 MB XML).
void BM_Feindlich(benchmark::State& state) {
    QByteArray bytes;
    switch (state.range(0)) {
    case 0: // a zip bomb of 1 GB of zeros (1 MB stored)
        bytes = xlsxAus(QByteArray(1 << 30, '\0'));
        state.SetLabel("Zip-Bombe 1 GB");
        break;
    case 1: // entity expansion
        bytes = xlsxAus("<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;"
                        "&a;&a;&a;&a;\">]><worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&b;"
                        "</t></is></c></row></sheetData></worksheet>");
        state.SetLabel("Entitäten");
        break;
    case 2: // a non-empty cell repeated over the whole sheet
        bytes = odsAus("<table:table><table:table-row table:number-rows-repeated=\"1048576\">"
                       "<table:table-cell table:number-columns-repeated=\"16384\"><text:p>x"
                       "</text:p></table:table-cell></table:table-row></table:table>");
        state.SetLabel("ODS-Wiederholung");
        break;
    case 3: // just under the size bound: 16 MB of cells of one letter
        while (bytes.size() < tabelle::kMaxDateiBytes - 16)
            bytes += "x;x;x;x;x;x;x;x\n";
        state.SetLabel("CSV 16 MB");
        break;
    default: // the most XML a container may hold, in small cells
        QByteArray zellen;
        while (zellen.size() < tabelle::kMaxXmlBytes - 4096)
            zellen += "<row><c><v>1</v></c><c><v>2</v></c><c><v>3</v></c></row>";
        bytes = xlsxAus("<worksheet><sheetData>" + zellen + "</sheetData></worksheet>");
        state.SetLabel("XLSX 8 MB XML");
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(tabelle::lesenAusBytes(bytes).erstesMitDaten);
}
BENCHMARK(BM_Feindlich)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
