#include "app/launch.h"
#include "app/startup.h"
#include "print/qtdrucker.h"
#include "support/messages.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gesamt"));
    QApplication::setApplicationVersion(QStringLiteral(GESAMT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("gesamt"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/APP48.png"));
    icon.addFile(QStringLiteral(":/pictures/APP256.png"));
    QApplication::setWindowIcon(icon);
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    installDateiFehlerBox();

    // The printer is asked at the first printout: a printer query at start-up costs time on
    // every launch, and most launches print nothing.
    DruckzustandEinrichten = [] { DruckerInitialisieren(nullptr); };
    ProgrammzustandVorbereiten();
    ProgrammStartschritte();
    GesamtdateiBearbeiten(std::string(), false, nullptr);
    return 0;
}
