#include "platform/modul.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString& testOrdner() {
    static QString ordner;
    return ordner;
}

// Every module once, also when it failed: a second attempt would find the same. Never
// destroyed, as the modules are never unloaded.
QHash<QString, QLibrary*>& geladen() {
    static auto* module = new QHash<QString, QLibrary*>;
    return *module;
}
// Every module ever loaded, also those a test looked for elsewhere since.
QList<QLibrary*>& alleGeladenen() {
    static auto* module = new QList<QLibrary*>;
    return *module;
}

// Only a module no other user could have put or replaced there is loaded: the file itself (no
// link), its folder and every folder above are owned by root or by us, and none is writable by
// others (a group of our own aside) unless, like /tmp, it keeps them from replacing what is not
// theirs.
bool vonUnsUnveraendert(const QString& datei) {
    const auto unserer = [](const struct stat& st) {
        return st.st_uid == 0 || st.st_uid == geteuid();
    };
    const auto andereSchreiben = [](const struct stat& st) {
        return (st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && st.st_gid != getegid());
    };
    struct stat st {};
    if (lstat(QFile::encodeName(datei).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        !unserer(st) || andereSchreiben(st))
        return false;
    QString ordner = QFileInfo(datei).absolutePath();
    ordner = QFileInfo(ordner).canonicalFilePath();
    while (!ordner.isEmpty()) {
        if (lstat(QFile::encodeName(ordner).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            !unserer(st) || (andereSchreiben(st) && !(st.st_mode & S_ISVTX)))
            return false;
        if (ordner == QLatin1String("/"))
            break;
        ordner = QFileInfo(ordner).path();
    }
    return true;
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
        const QString pfad = ort + QLatin1Char('/') + datei;
        if (!vonUnsUnveraendert(pfad))
            continue;
        auto* m = new QLibrary(pfad);
        if (m->load()) {
            gefunden = m;
            alleGeladenen().append(m);
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
