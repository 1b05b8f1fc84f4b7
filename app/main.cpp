#include "app/launch.h"
#include "app/startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Qt's own options, which every Qt program takes (the application object removes them from the
// arguments), with their value and what they do; --help-all lists them.
struct QtOption {
    const char* name;
    const char16_t* wert; // none: a switch
    const char16_t* text;
};
const QtOption kQtOptionen[] = {
    {"platform", u"NAME",
     u"Die Anzeige-Anbindung: xcb (X11), wayland oder offscreen (ohne Anzeige)."},
    {"platformpluginpath", u"ORDNER",
     u"Der Ordner, in dem die Anzeige-Anbindungen gesucht werden."},
    {"platformtheme", u"NAME", u"Das Thema der Arbeitsumgebung (Dialoge, Symbole)."},
    {"plugin", u"NAME", u"Ein zusätzliches Eingabe-Plugin, etwa evdevtouch."},
    {"qwindowgeometry", u"BxH+X+Y", u"Größe und Lage des ersten Fensters."},
    {"qwindowicon", u"DATEI", u"Das Symbol des ersten Fensters."},
    {"qwindowtitle", u"TITEL", u"Der Titel des ersten Fensters."},
    {"session", u"NAME", u"Die Sitzung, mit der die Arbeitsumgebung das Programm wieder startet."},
    {"display", u"ANZEIGE", u"Der X-Server (unter X11), sonst $DISPLAY."},
    {"geometry", u"BxH+X+Y", u"Größe und Lage des ersten Fensters (unter X11)."},
    {"title", u"TITEL", u"Der Titel des ersten Fensters (unter X11)."},
    {"icon", u"DATEI", u"Das Symbol des Programms (unter X11)."},
    {"name", u"NAME", u"Der Name des Programms für die Arbeitsumgebung (unter X11)."},
    {"visual", u"TrueColor", u"Echtfarben auch auf einer Anzeige mit 8 Bit (unter X11)."},
    {"style", u"NAME", u"Der Stil der Bedienelemente, etwa Fusion."},
    {"stylesheet", u"DATEI", u"Ein Qt-Stylesheet für alle Fenster."},
    {"reverse", nullptr, u"Die Anordnung von rechts nach links."},
    {"widgetcount", nullptr,
     u"Nennt am Ende, wie viele Bedienelemente es gab und wie viele übrig blieben."},
    {"testability", nullptr, u"Lädt die Bibliothek für Testwerkzeuge."},
    {"nograb", nullptr, u"Nimmt Maus und Tastatur nie für sich allein (unter X11)."},
    {"dograb", nullptr, u"Nimmt Maus und Tastatur auch im Debugger für sich allein (unter X11)."},
};

// The program's options; Qt's own are listed only where asked for (--help-all), but always
// taken, so that they are no unknown options.
void optionenAnmelden(QCommandLineParser& parser, bool qtOptionenZeigen) {
    // "-style Fusion", as Qt writes its options; "--help" works all the same.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral(u"Bearbeitet die Gesamtdatei, die Liste der gespeicherten Spielernamen."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QtOption& o : kQtOptionen) {
        QCommandLineOption qt(QString::fromLatin1(o.name), QString::fromUtf16(o.text),
                              o.wert ? QString::fromUtf16(o.wert) : QString());
        if (!qtOptionenZeigen)
            qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    parser.addPositionalArgument(
        QStringLiteral("DATEI"),
        QStringLiteral(u"Die Gesamtdatei, die geöffnet wird; ohne sie fragt das Programm nach "
                       u"der Datei. Eine Datei, die es noch nicht gibt, beginnt eine neue Liste."),
        QStringLiteral("[DATEI]"));
}

// Help and version are answered without a display, before the desktop side starts.
void kommandozeilePruefen(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gesamt"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GESAMT_VERSION));
    QtAufDeutsch();
    QCommandLineParser parser;
    optionenAnmelden(parser, false);
    // Qt's own --help-all would list only the options of a program without a display, and in
    // English: these are listed as the program's own instead.
    if (parser.parse(QCoreApplication::arguments()) && parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser alle;
        optionenAnmelden(alle, true);
        alle.showHelp(); // ends the program
    }
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
