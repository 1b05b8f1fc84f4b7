// Starts the editor on a name file as the launch does (no dialog) and exits with 0 as soon as
// the window is on the screen with the list loaded: what start-up is measured with.
// Usage: open_and_close <name file>

#include "app/launch.h"
#include "app/startup.h"
#include "bench/firstpaint.h"
#include "runlog/runlog.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_and_close <name file>\n");
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
    frm.ErweiternVerbergen();
    FirstPaint watcher;
    frm.sgGesamt->viewport()->installEventFilter(&watcher);
    frm.show();
    const int code = QApplication::exec();
    return code == 0 && frm.liste().iAnzahl > 0 ? 0 : 3;
}
