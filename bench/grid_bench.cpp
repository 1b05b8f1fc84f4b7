// Repainting a full screen of grid rows, offscreen.

#include "editor/duplikatpruefung.h"
#include "editor/suche.h"
#include "grid/gesamtspalten.h"
#include "grid/hypergrid.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

struct Silent : Meldungen {
    void hinweis(const std::string&) override {}
    void fehler(const std::string&) override {}
    bool frage(const std::string&) override { return true; }
};

// The list becomes these file bytes.
void laden(NamenListe& liste, const std::string& text) {
    CellStore cells(kMaxEintraege + 1);
    const LadeErgebnis ergebnis = NamenTextLesen(text, cells);
    liste.laden(std::move(cells), ergebnis);
}

// 1000 entries, each name in `namen` in turn with its number.
std::string liste(const std::vector<const char*>& namen) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int r = 1; r <= kMaxEintraege; ++r)
        text += namen[size_t(r) % namen.size()] + std::to_string(r) + "\t \t" +
                std::to_string(r * 13) + "\tN\t" + std::to_string(100000 + r) + "\r\n";
    return text;
}

void BM_GitterNeuZeichnen(benchmark::State& state) {
    Silent silent;
    NamenListe namen(silent);
    laden(namen, liste({"Spieler M\xFCller "}));
    THyperGrid grid(namen);
    grid.setColumns(GesamtSpalten());
    grid.setColumnWidth(1, 300);
    grid.resize(527, 1080); // about 50 rows
    grid.show();
    QApplication::processEvents();
    QPixmap target(grid.viewport()->size());
    for (auto _ : state)
        grid.viewport()->render(&target);
}
BENCHMARK(BM_GitterNeuZeichnen)->Unit(benchmark::kMicrosecond);

// Undoing a duplicate run that deleted every other of 1000 entries, in the shown grid.
void BM_DuplikateRueckgaengigImGitter(benchmark::State& state) {
    Silent silent;
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= kMaxEintraege; ++i)
        text += "Spieler " + std::to_string(i % 2 ? i : i - 1) + "\t \t" + std::to_string(i) +
                "\tN\t\r\n";
    NamenListe liste(silent);
    laden(liste, text);
    THyperGrid grid(liste);
    grid.setColumns(GesamtSpalten());
    grid.resize(527, 1080);
    grid.show();
    QApplication::processEvents();
    if (liste.DuplikateLoeschen({}) < 400) {
        state.SkipWithError("too few duplicates");
        return;
    }
    for (auto _ : state) {
        liste.verlauf().undo();
        QApplication::processEvents(); // the repaint it causes
        state.PauseTiming();
        liste.verlauf().redo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DuplikateRueckgaengigImGitter)->Unit(benchmark::kMicrosecond);

// A command on 1000 entries in the shown grid, its repaint included: Arg 0 the existing sort
// (Ctrl+O) as the reference, 1 sorting by name and first name, 2 the review's removal of what
// it ticks (finding the groups and deleting the ticked entries as one step).
void BM_BefehlMitNeuzeichnen(benchmark::State& state) {
    Silent silent;
    const char* vornamen[] = {"Anna", "\xC4nne", "Hans", "J\xFCrgen", "Otto", "Peter"};
    const char* nachnamen[] = {"M\xFCller",
                               "Mueller",
                               "Wei\xDF",
                               "Weiss",
                               "\xD6zt\xFCrk",
                               "Zander",
                               "von der Heide",
                               "Schr\xF6"
                               "der"};
    std::string text = "GESAMT-DATEI\r\n";
    // Entries 401 to 1000 repeat earlier ones: the review ticks 600.
    for (int i = 1; i <= kMaxEintraege; ++i) {
        const int k = i % 400;
        text += std::string(vornamen[(k * 7) % 6]) + " " + nachnamen[(k * 5) % 8] + " " +
                std::to_string(k) + "\t \t" + std::to_string(i) + "\tN\t" +
                std::to_string(100000 + k) + "\r\n";
    }
    NamenListe liste(silent);
    THyperGrid grid(liste);
    grid.setColumns(GesamtSpalten());
    grid.resize(527, 1080);
    grid.show();
    for (auto _ : state) {
        state.PauseTiming();
        laden(liste, text);
        QApplication::processEvents();
        state.ResumeTiming();
        if (state.range(0) == 0)
            liste.Sortieren({});
        else if (state.range(0) == 1)
            liste.NachNameSortieren({});
        else
            liste.Loeschen(AngehakteZeilen(DuplikatePruefen(liste.zellen(), liste.iAnzahl())),
                           QStringLiteral("Duplikate pr\u00fcfen"), {});
        QApplication::processEvents(); // the repaint it causes
        if (state.range(0) == 2 && liste.iAnzahl() != 400)
            state.SkipWithError("the review did not tick the repeated entries");
    }
}
BENCHMARK(BM_BefehlMitNeuzeichnen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One keystroke in the find bar as the user sees it: the search, every hit marked, the grid
// repainted. Alternating texts, so that the marks change with every keystroke.
void BM_SuchenMitMarkierung(benchmark::State& state) {
    Silent silent;
    NamenListe namen(silent);
    laden(namen, liste({"Spielerin Wei\xDF ", "Spieler M\xFCller ", "Spieler M\xFCller "}));
    THyperGrid grid(namen);
    grid.setColumns(GesamtSpalten());
    grid.resize(527, 1080);
    grid.show();
    QApplication::processEvents();
    bool weiss = false;
    for (auto _ : state) {
        weiss = !weiss;
        std::vector<std::pair<int, int>> marks;
        for (const Treffer& t : Suchen(namen.zellen(), kMaxEintraege, weiss ? "weiss" : "muller"))
            marks.emplace_back(t.col, t.row);
        grid.setMarkedCells(marks);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SuchenMitMarkierung)->Unit(benchmark::kMicrosecond);

} // namespace
