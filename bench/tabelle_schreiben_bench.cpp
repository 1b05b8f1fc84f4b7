// Writing a list of 1000 entries as a table (ODS, XLSX, CSV), against writing the same list as
// the name file itself, each to a file through the safe-write module and as bytes alone.
// Run with --benchmark_repetitions=9 --benchmark_report_aggregates_only=true for medians.

#include "cells/cellstore.h"
#include "namefile/namefile.h"
#include "tests/tabelle/namensliste.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using tabelle::Format;

const std::vector<tabelle::Schreibzeile> kListe = namensliste(kMaxEintraege);

CellStore namenAusListe() {
    CellStore zellen(kMaxEintraege + 1);
    for (size_t r = 0; r < kListe.size(); ++r)
        for (int s = 0; s < CellTable::kColumns; ++s)
            zellen.setCell(s, int(r) + 1, kListe[r][size_t(s)]);
    return zellen;
}

constexpr Format kFormat[] = {Format::Ods, Format::Xlsx, Format::Csv};
constexpr const char* kEndung[] = {"ods", "xlsx", "csv"};

// The reference: the name file, with its backup beside it.
void BM_NamenDateiSchreiben(benchmark::State& state) {
    const CellStore zellen = namenAusListe();
    QTemporaryDir ordner;
    const std::string pfad = ordner.filePath(QStringLiteral("NAMEN.TIF")).toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(NamenDateiSchreiben(pfad, zellen));
}
BENCHMARK(BM_NamenDateiSchreiben)->Unit(benchmark::kMillisecond);

void BM_TabelleSchreiben(benchmark::State& state) {
    QTemporaryDir ordner;
    const QString pfad =
        ordner.filePath(QStringLiteral("NAMEN.") + QLatin1String(kEndung[state.range(0)]));
    state.SetLabel(kEndung[state.range(0)]);
    for (auto _ : state)
        if (!tabelle::schreiben(pfad, {QStringLiteral("NAMEN"), kKopf, kListe}).ok())
            state.SkipWithError("nicht geschrieben");
}
BENCHMARK(BM_TabelleSchreiben)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_NamenDateiText(benchmark::State& state) {
    const CellStore zellen = namenAusListe();
    for (auto _ : state)
        benchmark::DoNotOptimize(NamenDateiText(zellen));
}
BENCHMARK(BM_NamenDateiText)->Unit(benchmark::kMillisecond);

void BM_TabelleAlsBytes(benchmark::State& state) {
    state.SetLabel(kEndung[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            tabelle::schreibenAlsBytes({QStringLiteral("NAMEN"), kKopf, kListe},
                                       kFormat[state.range(0)])
                .bytes);
}
BENCHMARK(BM_TabelleAlsBytes)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
