// A bare Qt 6 window of the same build: a 1001 x 4 table, a menu and a toolbar, in the fonts the
// editor shows (Arial, 9 points; 9 pixels on the toolbar) and with Qt's German translations, as
// the editor loads them. The editor's start-up is compared with it. Exits with 0 at the first
// paint of the table.
// Usage: reference_window [--empty]   (--empty: the table's cells hold no items)

#include "bench/firstpaint.h"
#include <QAction>

#include <QApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTranslator german;
    if (german.load(QStringLiteral("qtbase_de"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&german);
    QMainWindow window;
    window.setFont(QFont(QStringLiteral("Arial"), 9));
    window.resize(527, 430);
    for (const char* menu : {"&Datei", "&Bearbeiten", "&Liste"}) {
        QMenu* m = window.menuBar()->addMenu(QString::fromUtf8(menu));
        for (int i = 0; i < 3; ++i)
            m->addAction(QStringLiteral("Befehl %1").arg(i));
    }
    QToolBar* bar = window.addToolBar(QStringLiteral("Werkzeuge"));
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(9);
    bar->setFont(small);
    for (int i = 0; i < 9; ++i)
        bar->addAction(QStringLiteral("Knopf %1").arg(i));
    auto* table = new QTableWidget(1001, 4);
    const bool empty = argc > 1 && QByteArray(argv[1]) == "--empty";
    for (int r = 0; r < (empty ? 0 : 1001); ++r)
        for (int c = 0; c < 4; ++c)
            table->setItem(r, c, new QTableWidgetItem(QStringLiteral("Zelle %1/%2").arg(r).arg(c)));
    window.setCentralWidget(table);
    FirstPaint watcher;
    table->viewport()->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
