// The earlier versions of a full list: what keeping the state a save replaces adds to the save
// (both measured in each iteration, in turns, medians), and listing the versions for the
// dialog.

#include "cells/cellstore.h"
#include "editor/fassungsvergleich.h"
#include "fassungen/fassungen.h"
#include "namefile/namefile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

using Uhrzeit = std::chrono::steady_clock;

// A list of 1000 entries, different for each `stand`.
std::string liste(int stand) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= kMaxEintraege; ++i)
        text += "Spielerin " + std::to_string(i) + " M\xFCller-" + std::to_string(stand) + "\t \t" +
                std::to_string(i) + "\tN\t" + std::to_string(100000 + i * 7) + "\r\n";
    return text;
}

double bisJetzt(Uhrzeit::time_point start) {
    return std::chrono::duration<double, std::milli>(Uhrzeit::now() - start).count();
}

double median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte.empty() ? 0 : werte[werte.size() / 2];
}

// A state folder and a list with `fassungen` versions, kept a minute apart.
struct Vorrat {
    std::string ordner, datei;
    int64_t jetzt = 1765886400000; // December 2025
    std::unique_ptr<Fassungen> sitzung;
    std::vector<double> behaltenMs; // the keeping alone

    explicit Vorrat(int fassungen) {
        char vorlage[] = "/tmp/gesamt-bench-XXXXXX";
        ordner = ::mkdtemp(vorlage) ? vorlage : "";
        ::setenv("XDG_STATE_HOME", ordner.c_str(), 1);
        datei = ordner + "/NAMEN.TIF";
        sitzung = std::make_unique<Fassungen>(datei, [this] { return jetzt; });
        for (int i = 0; i <= fassungen; ++i) // the first save replaces nothing
            speichern(i, true);
        sitzung->warten();
        behaltenMs.clear();
    }
    ~Vorrat() { std::filesystem::remove_all(ordner); }

    void speichern(int stand, bool behalten) {
        CellStore zellen(kMaxEintraege + 1);
        NamenTextLesen(liste(stand), zellen);
        speichern(zellen, behalten);
    }
    // What the session does on Ctrl+S: the keeping, if asked, around the save.
    void speichern(const CellStore& zellen, bool behalten) {
        if (behalten) {
            const auto start = Uhrzeit::now();
            sitzung->vorDemSpeichern();
            behaltenMs.push_back(bisJetzt(start));
        }
        NamenDateiSchreiben(datei, zellen);
        if (behalten)
            sitzung->nachDemSpeichern();
        jetzt += 60000;
    }
};

// Arg: versions the list has already. The iteration time is the save with its keeping.
void BM_SpeichernMitFassung(benchmark::State& state) {
    Vorrat v(int(state.range(0)));
    std::vector<double> allein, mit, mehr, aufDerPlatte;
    int stand = 1000;
    for (auto _ : state) {
        double ms[2] = {};
        const bool zuerst = stand % 4 == 0; // in turns: neither always goes first
        for (int k = 0; k < 2; ++k) {
            const bool behalten = (k == 0) == zuerst;
            CellStore zellen(kMaxEintraege + 1);
            NamenTextLesen(liste(++stand), zellen);
            const auto start = Uhrzeit::now();
            v.speichern(zellen, behalten);
            ms[behalten] = bisJetzt(start);
            // Its flush neither slows the next save down nor goes unmeasured.
            v.sitzung->warten();
            if (behalten)
                aufDerPlatte.push_back(bisJetzt(start));
        }
        allein.push_back(ms[0]);
        mit.push_back(ms[1]);
        mehr.push_back(ms[1] - ms[0]);
        state.SetIterationTime(ms[1] / 1000);
    }
    state.counters["save_ms"] = median(allein);
    state.counters["save_keep_ms"] = median(mit);
    state.counters["added_ms"] = median(mehr);
    state.counters["save_keep_flushed_ms"] = median(aufDerPlatte);
    state.counters["keep_ms"] = median(v.behaltenMs);
}
BENCHMARK(BM_SpeichernMitFassung)
    ->Arg(0)
    ->Arg(200)
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The listing the dialog opens with: every version read, checked and counted.
void BM_FassungenLesen(benchmark::State& state) {
    Vorrat v(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FassungenLesen(v.datei));
}
BENCHMARK(BM_FassungenLesen)->Arg(200)->Repetitions(5)->Unit(benchmark::kMillisecond);

// What "Frühere Fassungen…" does before it shows: the same listing, each version compared with
// the list now as it is read (against the listing alone above).
void BM_FassungenVergleichen(benchmark::State& state) {
    Vorrat v(int(state.range(0)));
    CellStore jetzt(kMaxEintraege + 1);
    const int anzahl = NamenTextLesen(liste(int(state.range(0)) + 1), jetzt).anzahl;
    const Fassungsvergleicher vergleicher(jetzt, anzahl);
    for (auto _ : state) {
        int geaendert = 0;
        FassungenLesen(v.datei, [&](const Fassung& f, const CellTable& zellen) {
            geaendert += vergleicher.vergleichen(zellen, f.anzahl, true).geaendert;
        });
        benchmark::DoNotOptimize(geaendert);
        // and the differences of the one the dialog shows first
        CellStore erste(kMaxEintraege + 1);
        const int anzahl = NamenTextLesen(liste(0), erste).anzahl;
        benchmark::DoNotOptimize(vergleicher.vergleichen(erste, anzahl));
    }
}
BENCHMARK(BM_FassungenVergleichen)->Arg(200)->Repetitions(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
