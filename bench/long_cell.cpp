// Opens a name file in the editor window, scrolls through the grid, saves it and ends: what a
// file holding one huge line costs. Run by long_cell.sh, which measures time and memory.
// Usage: long_cell <name file>

#include "app/launch.h"
#include "app/startup.h"
#include "runlog/runlog.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QScrollBar>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: long_cell <name file>\n");
        return 2;
    }
    QApplication app(argc, argv);
    OberflaecheEinrichten();
    ProgrammzustandVorbereiten();
    LogAktiv = false;
    sGesamtdatei = argv[1];
    TfrmGesamtdatei frm;
    if (!frm.FormCreate())
        return 1;
    frm.show();
    QApplication::processEvents();
    for (QScrollBar* bar : {frm.sgGesamt->verticalScrollBar(), frm.sgGesamt->horizontalScrollBar()})
        for (int step = 0; step <= 10; ++step) {
            bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) * step / 10);
            frm.sgGesamt->viewport()->repaint();
        }
    NamenDateiSchreiben(sGesamtdatei, *frm.sgGesamt);
    return 0;
}
