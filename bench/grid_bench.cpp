// Repainting a full screen of grid rows, offscreen.

#include "grid/hypergrid.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

void BM_GitterNeuZeichnen(benchmark::State& state) {
    THyperGrid grid;
    grid.setColumns(GesamtSpalten());
    grid.setRowCount(1001);
    for (int r = 1; r <= 1000; ++r) {
        grid.setCell(0, r, std::to_string(r * 13));
        grid.setCell(1, r, "Spieler M\xFCller " + std::to_string(r));
        grid.setCell(2, r, "N");
        grid.setCell(3, r, std::to_string(100000 + r));
    }
    grid.setColumnWidth(1, 300);
    grid.resize(527, 1080); // about 50 rows
    grid.show();
    QApplication::processEvents();
    QPixmap target(grid.viewport()->size());
    for (auto _ : state)
        grid.viewport()->render(&target);
}
BENCHMARK(BM_GitterNeuZeichnen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
