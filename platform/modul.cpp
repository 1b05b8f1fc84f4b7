#include "platform/modul.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QLibrary>

namespace {

QString& testOrdner() {
    static QString ordner;
    return ordner;
}

// Every module once, also when it failed: a second attempt would find the same.
QHash<QString, QLibrary*>& geladen() {
    static QHash<QString, QLibrary*> module;
    return module;
}

} // namespace

QLibrary* modul::laden(const QString& datei) {
    if (const auto it = geladen().constFind(datei); it != geladen().cend())
        return it.value();
    // Never a folder named at build time, which on another machine may be anyone's.
    const QString programm = QCoreApplication::applicationDirPath();
    QStringList orte{programm + QStringLiteral("/" GESAMT_MODULE_FROM_BIN), programm};
    if (!testOrdner().isEmpty())
        orte = {testOrdner()};
    QLibrary* gefunden = nullptr;
    for (const QString& ort : orte) {
        auto* m = new QLibrary(ort + QLatin1Char('/') + datei);
        if (m->load()) {
            gefunden = m;
            break;
        }
        delete m;
    }
    geladen().insert(datei, gefunden);
    return gefunden;
}

void modul::testing::ordnerSetzen(const std::string& ordner) {
    testOrdner() = QFile::decodeName(QByteArray::fromStdString(ordner));
    geladen().clear(); // what was loaded stays loaded; only where to look changes
}
