// Starts the editor on a name file as the launch does (no dialog) and exits with 0 as soon as
// the window is on the screen with the list loaded: what start-up is measured with. With
// --scroll-and-save it then scrolls through the whole grid and saves the list (long_cell.sh).
// Usage: open_and_close <name file> [--scroll-and-save]

#include "app/launch.h"
#include "app/startup.h"
#include "bench/firstpaint.h"
#include "runlog/runlog.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QScrollBar>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_and_close <name file> [--scroll-and-save]\n");
        return 2;
    }
    const bool scrollAndSave = argc > 2 && std::strcmp(argv[2], "--scroll-and-save") == 0;
    QApplication app(argc, argv);
    OberflaecheEinrichten();
    ProgrammzustandVorbereiten();
    LogAktiv = false;
    sGesamtdatei = argv[1];
    TfrmGesamtdatei frm;
    if (!frm.FormCreate())
        return 1;
    frm.ErweiternVerbergen();
    FirstPaint watcher;
    frm.sgGesamt->viewport()->installEventFilter(&watcher);
    frm.show();
    const int code = QApplication::exec();
    if (code != 0 || frm.liste().iAnzahl() == 0)
        return 3;
    if (scrollAndSave) {
        frm.sgGesamt->viewport()->removeEventFilter(&watcher);
        for (QScrollBar* bar :
             {frm.sgGesamt->verticalScrollBar(), frm.sgGesamt->horizontalScrollBar()})
            for (int step = 0; step <= 10; ++step) {
                bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) * step / 10);
                frm.sgGesamt->viewport()->repaint();
            }
        NamenDateiSchreiben(argv[1], frm.liste().zellen());
    }
    return 0;
}
