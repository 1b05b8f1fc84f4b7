// A member table of 1000 rows taken in against a list of 1000 entries: read (XLSX, CSV), its
// columns recognised, every row matched by the person rule; against reading alone and against
// Ctrl+O's sort of the 1000 entries in the same run. The whole must stay within 100 ms. And
// 1000 pasted lines matched against the list, as the paste preview does.

// Test data written as UTF-8 literals.
#undef QT_NO_CAST_FROM_ASCII

#include "cells/cellstore.h"
#include "cells/eintrag.h"
#include "editor/abgleich.h"
#include "editor/namenliste.h"
#include "tabelle/tabelle.h"
#include "tests/tabelle/zipbau.h"

#include <benchmark/benchmark.h>

namespace {

const QStringList kNachnamen{"Bergmann", "Fischer", "Hoffmann", "Krüger", "Weiß",
                             "Özdemir",  "Überall", "Seeß",     "Meier",  "von Bredow"};
const QStringList kVornamen{"Anna", "Bernd", "Carla", "Dieter", "Jürgen", "Ayşe", "Paula"};

// Every other member's number is in the list; a tenth of the rows have no number.
std::vector<QStringList> mitglieder() {
    std::vector<QStringList> zeilen{{"Mitgliedsnummer", "Nachname", "Vorname", "MP", "Ort"}};
    for (int i = 1; i <= 1000; ++i)
        zeilen.push_back({i % 10 == 0 ? QString() : QString::number(100000 + 2 * i),
                          kNachnamen[i % kNachnamen.size()] + QString::number(i / 7),
                          kVornamen[i % kVornamen.size()], QString(QStringLiteral("JNG")[i % 3]),
                          QStringLiteral("Köln")});
    return zeilen;
}

QByteArray alsCsv() {
    QString text;
    for (const QStringList& zeile : mitglieder())
        text += zeile.join(u';') + QStringLiteral("\r\n");
    return text.toUtf8();
}

QByteArray alsXlsx() {
    QByteArray blatt = "<worksheet><sheetData>";
    int nr = 0;
    for (const QStringList& zeile : mitglieder()) {
        blatt += "<row r=\"" + QByteArray::number(++nr) + "\">";
        for (qsizetype s = 0; s < zeile.size(); ++s)
            blatt += "<c r=\"" + QByteArray(1, char('A' + s)) + QByteArray::number(nr) +
                     "\" t=\"inlineStr\"><is><t>" + zeile[s].toUtf8() + "</t></is></c>";
        blatt += "</row>";
    }
    return xlsxAus(blatt + "</sheetData></worksheet>");
}

// 1000 entries; the odd numbers of the table's range, so that half of the rows match.
const CellStore& liste() {
    static const CellStore zellen = [] {
        CellStore z(kMaxEintraege + 1);
        for (int r = 1; r <= kMaxEintraege; ++r) {
            z.setCell(kSpalteNr, r, std::to_string(r));
            z.setCell(kSpalteName, r, "Spieler " + std::to_string(r));
            z.setCell(kSpalteMP, r, "N");
            z.setCell(kSpalteDBVNr, r, std::to_string(100000 + (r % 2 ? r : 2 * r)));
        }
        return z;
    }();
    return zellen;
}

void einlesen(benchmark::State& state, const QByteArray& bytes, bool abgleichen) {
    for (auto _ : state) {
        const tabelle::Ergebnis e = tabelle::lesenAusBytes(bytes);
        if (!abgleichen) {
            benchmark::DoNotOptimize(e.blaetter.size());
            continue;
        }
        const Zeilenvorschau v(e.blaetter.at(0).zeilen);
        const Abgleich a = Abgleichen(liste(), kMaxEintraege, v.eintraege());
        if (a.zeilen.size() != 1001)
            state.SkipWithError("falsche Zeilenzahl");
    }
}

void BM_XlsxEinlesenUndAbgleichen(benchmark::State& state) {
    einlesen(state, alsXlsx(), true);
}
void BM_XlsxReferenzNurLesen(benchmark::State& state) {
    einlesen(state, alsXlsx(), false);
}
void BM_CsvEinlesenUndAbgleichen(benchmark::State& state) {
    einlesen(state, alsCsv(), true);
}
void BM_CsvReferenzNurLesen(benchmark::State& state) {
    einlesen(state, alsCsv(), false);
}
struct Still : Meldungen {
    void hinweis(const std::string&) override {}
    void fehler(const std::string&) override {}
    bool frage(const std::string&) override { return true; }
};

// The reference: Ctrl+O on the same list.
void BM_SortierenReferenz(benchmark::State& state) {
    Still still;
    for (auto _ : state) {
        state.PauseTiming();
        CellStore zellen(kMaxEintraege + 1);
        NamenListe l(still);
        const LadeErgebnis gelesen = NamenTextLesen(NamenDateiText(liste()), zellen);
        l.laden(std::move(zellen), gelesen);
        state.ResumeTiming();
        l.Sortieren({});
    }
}

// The paste preview's plan for the table's rows as pasted lines, against the list.
void BM_EinfuegenAbgleichen(benchmark::State& state) {
    const Zeilenvorschau v(mitglieder());
    for (auto _ : state)
        benchmark::DoNotOptimize(EinfuegePlan(liste(), kMaxEintraege, v.eintraege()));
}

BENCHMARK(BM_XlsxEinlesenUndAbgleichen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortierenReferenz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EinfuegenAbgleichen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxReferenzNurLesen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvEinlesenUndAbgleichen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvReferenzNurLesen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
