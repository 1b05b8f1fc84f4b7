// The list commands on a full list of 1000 entries.

#include "cells/cellstore.h"
#include "editor/bearbeitung.h"
#include "editor/duplikatpruefung.h"
#include "editor/namenliste.h"
#include "editor/namensordnung.h"
#include "editor/sortierung.h"
#include "editor/suche.h"
#include "namefile/namefile.h"
#include "sitzung/wiederherstellung.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

long long readFileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? -1 : static_cast<long long>(size);
}

struct Silent : Meldungen {
    void hinweis(const std::string&) override {}
    void fehler(const std::string&) override {}
    bool frage(const std::string&) override { return true; }
};

// 1000 invented names with German letters, titles and repeated surnames.
std::string volleListe(int n = kMaxEintraege) {
    const char* first[] = {"Anna",  "Bernd",  "Carla", "Dr. Dieter", "Erika",
                           "Frank", "Gisela", "Hans",  "J\xFCrgen",  "Karin"};
    const char* last[] = {"Meier",
                          "M\xFCller",
                          "Schulz",
                          "von Berg",
                          "Wei\xDF",
                          "Zander",
                          "\xD6zt\xFCrk",
                          "Krause",
                          "Lehmann",
                          "Schr\xF6"
                          "der",
                          "Huber",
                          "Otto"};
    std::mt19937 rng(42);
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= n; ++i) {
        text += std::string(first[rng() % 10]) + " " + last[rng() % 12] +
                (rng() % 4 ? "" : " " + std::to_string(rng() % 50)) + "\t \t" + std::to_string(i) +
                "\tN\t" + std::to_string(100000 + rng() % 900000) + "\r\n";
    }
    return text;
}

struct Liste {
    Silent silent;
    NamenListe liste{silent};
    const CellTable& cells = liste.zellen();
    explicit Liste(const std::string& text) {
        CellStore gelesen(kMaxEintraege + 1);
        const LadeErgebnis ergebnis = NamenTextLesen(text, gelesen);
        liste.laden(std::move(gelesen), ergebnis);
    }
};

void BM_Sortieren(benchmark::State& state) {
    const std::string text = volleListe();
    for (auto _ : state) {
        state.PauseTiming();
        Liste l(text);
        state.ResumeTiming();
        l.liste.Sortieren({});
    }
}
BENCHMARK(BM_Sortieren)->Unit(benchmark::kMillisecond);

void BM_DuplikateLoeschen(benchmark::State& state) {
    const std::string text = volleListe();
    for (auto _ : state) {
        state.PauseTiming();
        Liste l(text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(l.liste.DuplikateLoeschen({}));
    }
}
BENCHMARK(BM_DuplikateLoeschen)->Unit(benchmark::kMillisecond);

// 1000 entries, every other one a repeat of an earlier name without a membership number.
std::string halbDoppelt() {
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= kMaxEintraege; ++i) {
        const int name = i % 2 ? i : i - 1;
        text += "Spieler " + std::to_string(name) + "\t \t" + std::to_string(i) + "\tN\t" +
                (i % 2 ? std::to_string(100000 + i) : std::string()) + "\r\n";
    }
    return text;
}

// The order by surname and first names (German collation), to set against BM_Sortieren.
void BM_NachNameOrdnen(benchmark::State& state) {
    Liste l(volleListe());
    for (auto _ : state)
        benchmark::DoNotOptimize(NamensOrdnung(l.cells, l.liste.iAnzahl()));
}
BENCHMARK(BM_NachNameOrdnen)->Unit(benchmark::kMillisecond);

// The review's groups: Arg 0 the invented list, Arg 1 every other entry a repeat.
void BM_DuplikatePruefen(benchmark::State& state) {
    Liste l(state.range(0) ? halbDoppelt() : volleListe());
    for (auto _ : state)
        benchmark::DoNotOptimize(DuplikatePruefen(l.cells, l.liste.iAnzahl()));
}
BENCHMARK(BM_DuplikatePruefen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Undoing a duplicate run that deleted every other entry; redone untimed between.
void BM_DuplikateRueckgaengig(benchmark::State& state) {
    Liste l(halbDoppelt());
    if (l.liste.DuplikateLoeschen({}) < 400) {
        state.SkipWithError("too few duplicates");
        return;
    }
    for (auto _ : state) {
        l.liste.verlauf().undo();
        state.PauseTiming();
        l.liste.verlauf().redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DuplikateRueckgaengig)->Unit(benchmark::kMicrosecond);

// One keystroke in the find bar: every entry searched, the hit to go to chosen. A name that
// is near the end, a number that is checked against every row's two number columns, and a
// spelled-out umlaut.
void BM_SuchenTastendruck(benchmark::State& state) {
    Liste l(volleListe());
    const char* suchtexte[] = {"schr\xF6", "4711", "mueller"};
    const char* suchtext = suchtexte[state.range(0)];
    for (auto _ : state) {
        const std::vector<Treffer> t = Suchen(l.cells, l.liste.iAnzahl(), suchtext);
        benchmark::DoNotOptimize(TrefferAb(t, 500, false, true));
    }
}
BENCHMARK(BM_SuchenTastendruck)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_EinfuegenZeile1(benchmark::State& state) {
    const std::string text = volleListe(999);
    for (auto _ : state) {
        state.PauseTiming();
        Liste l(text);
        state.ResumeTiming();
        l.liste.Einfuegen({0, 1});
    }
}
BENCHMARK(BM_EinfuegenZeile1)->Unit(benchmark::kMicrosecond);

void BM_Erweitern(benchmark::State& state) {
    const std::string text = volleListe(900);
    std::vector<std::string> teilnehmer;
    for (int i = 0; i < 200; ++i)
        teilnehmer.push_back("Teilnehmer " + std::to_string(i));
    for (auto _ : state) {
        state.PauseTiming();
        Liste l(text);
        state.ResumeTiming();
        l.liste.Erweitern(teilnehmer, {});
    }
}
BENCHMARK(BM_Erweitern)->Unit(benchmark::kMicrosecond);

void BM_LadenUndSpeichern(benchmark::State& state) {
    const std::string text = volleListe();
    for (auto _ : state) {
        CellStore cells(kMaxEintraege + 1);
        NamenTextLesen(text, cells);
        benchmark::DoNotOptimize(NamenDateiText(cells));
    }
}
BENCHMARK(BM_LadenUndSpeichern)->Unit(benchmark::kMicrosecond);

// Through the disk: read the file, write it back (temporary file, fsync, rename).
void BM_DateiLadenUndSpeichern(benchmark::State& state) {
    char folder[] = "/tmp/gesamt-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/NAMEN.TIF";
    {
        CellStore cells(kMaxEintraege + 1);
        NamenTextLesen(volleListe(), cells);
        NamenDateiSchreiben(path, cells);
    }
    for (auto _ : state) {
        CellStore cells(kMaxEintraege + 1);
        NamenDateiLesen(path, cells);
        NamenDateiSchreiben(path, cells);
    }
    std::remove(path.c_str());
    rmdir(folder);
}
BENCHMARK(BM_DateiLadenUndSpeichern)->Unit(benchmark::kMicrosecond);

// One very long name of words and initials: the key must take one pass, not one per word.
// Keeping the unsaved changes after one step of a full list: Arg 0 what the interface thread
// pays (the step, the list's bytes and handing them over), Arg 1 the same until they are on the
// disk (written off that thread, with fsync), Arg 2 the step alone for reference. Bytes
// written per step as a counter.
void BM_UngespeichertNachEinemSchritt(benchmark::State& state) {
    char folder[] = "/tmp/gesamt-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    setenv("XDG_STATE_HOME", folder, 1);
    Wiederherstellung w(std::string(folder) + "/NAMEN.TIF", DateiStand{});
    Liste l(volleListe());
    std::optional<Sicherung> folgen;
    if (state.range(0) != 2)
        folgen.emplace(l.liste, w);
    int i = 0;
    for (auto _ : state) {
        l.liste.zelleSchreiben(kSpalteName, 500, "Name " + std::to_string(++i));
        if (state.range(0) == 1)
            w.warten();
    }
    w.warten();
    state.counters["bytes"] = double(readFileSize(w.datei()));
    folgen.reset();
    w.verwerfen();
    w.warten();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_UngespeichertNachEinemSchritt)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_SortierschluesselLangerName(benchmark::State& state) {
    std::string name;
    while (name.size() < size_t(state.range(0)))
        name += "H. J ";
    name += "Meier";
    for (auto _ : state)
        benchmark::DoNotOptimize(Sortierschluessel(name));
}
BENCHMARK(BM_SortierschluesselLangerName)
    ->Arg(160 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
