// Prints a list of 120 names from the editor window on the desktop's default printer, as the
// user does with Ctrl+D. Run by cups_e2e.sh, which sets up the printer and checks the output.

#include "app/startup.h"
#include "print/drucker.h"
#include "print/druckermodul.h"
#include "runlog/runlog.h"
#include "tests/testsupport/modal.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    druckermodul::testing::ortSetzen(GESAMT_DRUCKERMODUL);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    LogAktiv = false;
    DruckzustandEinrichten = StandarddruckerLaden;
    ProgrammzustandVorbereiten();
    if (!Drucker.Flaeche) {
        std::fprintf(stderr, "no default printer\n");
        return 2;
    }
    // --remove QUEUE: the printer goes away while the editor runs.
    if (argc > 2 && std::strcmp(argv[1], "--remove") == 0 &&
        std::system(("lpadmin -x " + std::string(argv[2])).c_str()) != 0)
        return 5;
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= 120; ++i)
        text +=
            "Spieler M\xFCller " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t\r\n";
    QFile f(home.filePath(QStringLiteral("NAMEN.TIF")));
    f.open(QIODevice::WriteOnly);
    f.write(text.data(), qint64(text.size()));
    f.close();
    sGesamtdatei = f.fileName().toStdString();

    TfrmGesamtdatei frm;
    frm.FormCreate();
    frm.show();
    frm.activateWindow();
    if (!QTest::qWaitForWindowActive(&frm))
        return 3;
    DialogAnswerer answers;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    for (const QString& text : answers.texts)
        std::printf("message: %s\n", text.toUtf8().constData());
    std::printf("printed %d entries\n", frm.liste().iAnzahl());
    return frm.liste().bGeaendert() ? 4 : 0;
}
