// One table file through the import preview as Liste › "Aus Tabelle einlesen…" shows it: read
// through the table module, matched against a list of 1000 entries, the dialog built and drawn
// once on the offscreen platform, then closed. Prints what the preview shows; time and memory
// are measured around it (/usr/bin/time -v bench/vorschau_messen datei). With --schreiben,
// writes the hostile tables of the tests (tests/tabelle/feindlich.h) into a folder instead.
// Usage: vorschau_messen <table file> | --schreiben <folder>

#include "cells/cellstore.h"
#include "cells/eintrag.h"
#include "dialogs/einlesedialog.h"
#include "editor/namenliste.h"
#include "namefile/namefile.h"
#include "platform/modul.h"
#include "support/meldungen.h"
#include "tests/tabelle/feindlich.h"
#include "window/listenbefehle.h"

#include "tabelle/tabellenmodul.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <string_view>

namespace {

class Ausgabe : public Meldungen {
public:
    void hinweis(const std::string& text) override { std::printf("Hinweis: %s\n", text.c_str()); }
    void fehler(const std::string& text) override { std::printf("Fehler: %s\n", text.c_str()); }
    bool frage(const std::string&) override { return false; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && argv[1] == std::string_view("--schreiben")) {
        for (const FeindlicheTabelle& t : FeindlicheTabellen()) {
            QFile f(QDir(QString::fromLocal8Bit(argv[2])).filePath(QString::fromUtf8(t.name)));
            if (!f.open(QIODevice::WriteOnly) || f.write(t.bytes) != t.bytes.size())
                return 1;
            std::printf("%s: %lld Bytes\n", t.name, static_cast<long long>(t.bytes.size()));
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s <Tabelle> | --schreiben <Ordner>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Another build's module, to compare with.
    const QByteArray module = qgetenv("VORSCHAU_MODULE");
    modul::testing::ordnerSetzen(module.isEmpty() ? GESAMT_MODULORDNER : module.toStdString());
    Ausgabe meldungen;
    NamenListe namen(meldungen);
    CellStore zellen(kMaxEintraege + 1);
    for (int r = 1; r <= kMaxEintraege; ++r) {
        zellen.setCell(kSpalteNr, r, std::to_string(r));
        zellen.setCell(kSpalteName, r, "Spieler " + std::to_string(r));
        zellen.setCell(kSpalteMP, r, "N");
        zellen.setCell(kSpalteDBVNr, r, std::to_string(100000 + r));
    }
    LadeErgebnis geladen;
    geladen.anzahl = kMaxEintraege;
    namen.laden(std::move(zellen), geladen);

    if (qEnvironmentVariableIsSet("VORSCHAU_SCHRITTE")) {
        QElapsedTimer schritt;
        schritt.start();
        const tabelle::Ergebnis e = tabellenmodul::lesen(QString::fromLocal8Bit(argv[1]));
        std::printf("lesen %lld ms\n", schritt.restart());
        const Zeilenvorschau v(e.blaetter.at(size_t(std::max(e.erstesMitDaten, 0))).zeilen);
        std::printf("erkennen %lld ms\n", schritt.restart());
        const Abgleich a = Abgleichen(namen.zellen(), namen.iAnzahl(), v.eintraege());
        std::printf("abgleichen %lld ms\n", schritt.restart());
    }
    QElapsedTimer uhr;
    uhr.start();
    // Once the dialog is up: drawn once, what it shows printed, closed.
    QTimer warten;
    QObject::connect(&warten, &QTimer::timeout, [&] {
        auto* d = qobject_cast<EinleseDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        warten.stop();
        d->grab();
        const QString info = d->findChild<QLabel*>(QStringLiteral("info"))->text();
        std::printf("Zeilen in der Vorschau: %d, Spalten: %d\n%s\n",
                    d->vorschau()->tabelle()->model()->rowCount(), d->vorschau()->spalten(),
                    info.toUtf8().constData());
        const QAbstractItemModel* t = d->vorschau()->tabelle()->model();
        for (int r = 0; r < std::min(t->rowCount(), 3); ++r) {
            QStringList zeile;
            for (int c = 0; c < t->columnCount(); ++c)
                zeile << t->index(r, c).data().toString().left(80);
            std::printf("  %s\n", zeile.join(QStringLiteral(" | ")).toUtf8().constData());
        }
        std::printf("bis gezeigt %lld ms\n", uhr.elapsed());
        d->reject();
    });
    warten.start(1);
    TabelleZeigen(nullptr, QString::fromLocal8Bit(argv[1]), namen, meldungen);
    return 0;
}
