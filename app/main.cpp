#include "app/launch.h"
#include "app/startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Qt's own options, which every Qt program takes (the application object removes them from the
// arguments): with a value, then without.
const char* const kQtMitWert[] = {"platform",
                                  "platformpluginpath",
                                  "platformtheme",
                                  "plugin",
                                  "qwindowgeometry",
                                  "qwindowicon",
                                  "qwindowtitle",
                                  "session",
                                  "display",
                                  "geometry",
                                  "title",
                                  "icon",
                                  "name",
                                  "visual",
                                  "style",
                                  "stylesheet"};
const char* const kQtOhneWert[] = {"reverse", "widgetcount", "testability", "nograb", "dograb"};

// Help and version are answered without a display, before the desktop side starts.
void kommandozeilePruefen(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gesamt"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GESAMT_VERSION));
    QtAufDeutsch();
    QCommandLineParser parser;
    // "-style Fusion", as Qt writes its options; "--help" works all the same.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : kQtMitWert) {
        QCommandLineOption qt(QString::fromLatin1(name), {}, QStringLiteral("WERT"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const char* name : kQtOhneWert) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    parser.setApplicationDescription(
        QStringLiteral(u"Bearbeitet die Gesamtdatei, die Liste der gespeicherten Spielernamen."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("DATEI"),
        QStringLiteral(u"Die Gesamtdatei, die geöffnet wird; ohne sie fragt das Programm nach "
                       u"der Datei. Eine Datei, die es noch nicht gibt, beginnt eine neue Liste."),
        QStringLiteral("[DATEI]"));
    parser.process(app); // ends the program after --help, --version or an unknown option
}

} // namespace

int main(int argc, char** argv) {
    kommandozeilePruefen(argc, argv);
    QApplication app(argc, argv); // takes its own options out of argv
    // The file name exactly as the system handed it over: its bytes, not a decoded text.
    std::string datei;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-' || std::strcmp(argv[i], "-") == 0) {
            datei = argv[i];
            break;
        }
    }
    QApplication::setApplicationName(QStringLiteral("gesamt"));
    QApplication::setApplicationVersion(QStringLiteral(GESAMT_VERSION));
    OberflaecheEinrichten();
    ProgrammzustandVorbereiten();
    ProgrammStartschritte();
    GesamtdateiBearbeiten(datei, false, nullptr);
    return 0;
}
