// "Als PDF speichern" of a full list: the printer module's PDF surface and the printout's
// page layout, as the window runs them. Offscreen.

#include "cells/cellstore.h"
#include "cells/eintrag.h"
#include "print/drucker.h"
#include "print/namenliste_druck.h"
#include "printer/qtdrucker.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Silent : Meldungen {
    void hinweis(const std::string&) override {}
    void fehler(const std::string&) override {}
    bool frage(const std::string&) override { return true; }
};

void BM_AlsPdfSpeichern(benchmark::State& state) {
    CellStore cells(kMaxEintraege + 1);
    for (int r = 1; r <= kMaxEintraege; ++r) {
        cells.setCell(kSpalteNr, r, std::to_string(r));
        cells.setCell(kSpalteName, r, "Spieler M\xFCller " + std::to_string(r));
    }
    QTemporaryDir dir;
    Silent silent;
    int seiten = 0;
    for (auto _ : state) {
        auto pdf = QtDrucker::pdfDatei(dir.filePath(QStringLiteral("NAMEN.pdf")));
        DruckerAuf auf(*pdf);
        seiten = Drucken(cells, kMaxEintraege, "09.12.2026", silent);
    }
    state.counters["pages"] = seiten;
}
BENCHMARK(BM_AlsPdfSpeichern)->Unit(benchmark::kMillisecond);

} // namespace
