#include "app/launch.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gesamt"));
    QApplication::setApplicationVersion(QStringLiteral(GESAMT_VERSION));
    OberflaecheEinrichten();
    ProgrammzustandVorbereiten();
    ProgrammStartschritte();
    GesamtdateiBearbeiten(std::string(), false, nullptr);
    return 0;
}
