#include "platform/paths.h"

#include "platform/cp1252.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <pwd.h>

namespace paths {

QString windowsDirectory() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/kelmar");
}

QString localPath(const std::string& windowsPath) {
    QString p = cp1252::toQString(windowsPath);
    p.replace(u'\\', u'/');
    if (p.size() >= 2 && p.at(1) == u':' && p.at(0).isLetter() && p.at(0).unicode() < 128) {
        const QChar drive = p.at(0).toLower();
        QString rest = p.mid(2);
        while (rest.endsWith(u'/') && rest.size() > 1)
            rest.chop(1);
        if (rest == QStringLiteral("/"))
            rest.clear();
        if (!rest.isEmpty() && !rest.startsWith(u'/'))
            rest.prepend(u'/');
        const QString root =
            drive == u'c' ? QDir::homePath() : QStringLiteral("/mnt/") + QString(drive);
        return root + rest;
    }
    return p;
}

std::string nativePath(const std::string& name) {
    const bool drive = name.size() >= 2 && name[1] == ':' &&
                       ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')) &&
                       (name.size() == 2 || name[2] == '\\' || name[2] == '/');
    if (!drive)
        return name;
    std::string rest = name.substr(2);
    for (char& c : rest)
        if (c == '\\')
            c = '/';
    while (rest.size() > 1 && rest.back() == '/')
        rest.pop_back();
    if (rest == "/")
        rest.clear();
    const char letter = char(name[0] | 0x20);
    const std::string root = letter == 'c' ? QFile::encodeName(QDir::homePath()).toStdString()
                                           : std::string("/mnt/") + letter;
    return root + rest;
}

bool isBareName(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\');
}

std::string userName(unsigned uid) {
    const passwd* pw = ::getpwuid(uid_t(uid));
    return pw ? pw->pw_name : std::to_string(uid);
}

std::string shownPath(const std::string& path) {
    return cp1252::fromQString(QFile::decodeName(QByteArray::fromStdString(path)));
}

} // namespace paths
