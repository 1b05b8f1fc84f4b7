// Starts the editor on a name file as the launch does (no dialog) and exits with 0 as soon as
// the window is on the screen with the list loaded: what start-up is measured with.
// Usage: open_and_close <name file>

#include "app/runlog.h"
#include "app/startup.h"
#include "editor/gesamtdatei.h"
#include "print/qtdrucker.h"
#include "support/messages.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace {

// Ends the program at the first paint of the list.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QCoreApplication::exit(0);
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_and_close <name file>\n");
        return 2;
    }
    QApplication app(argc, argv);
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    installDateiFehlerBox();
    // The printer is asked at the first printout: a printer query at start-up costs time on
    // every launch, and most launches print nothing.
    DruckzustandEinrichten = [] { DruckerInitialisieren(nullptr); };
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
