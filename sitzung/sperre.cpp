#include "sitzung/sperre.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/safewrite.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string rechnername() {
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

using safewrite::readFile;

// Field 22 of /proc/<pid>/stat: when the process started, in clock ticks after boot.
uint64_t startzeit(long pid) {
    const std::string text = readFile("/proc/" + std::to_string(pid) + "/stat");
    size_t pos = text.rfind(')'); // the command name may hold blanks and brackets
    for (int feld = 2; pos != std::string::npos && feld < 22; ++feld)
        pos = text.find(' ', pos + 1);
    return pos == std::string::npos ? 0 : std::strtoull(text.c_str() + pos + 1, nullptr, 10);
}

std::string text(const Sperre& s) {
    return "Benutzer=" + s.benutzer + "\nRechner=" + s.rechner +
           "\nProzess=" + std::to_string(s.prozess) + "\nStart=" + std::to_string(s.start) +
           "\nSeit=" + std::to_string(s.seit) + "\n";
}

std::string ziel(std::string pfad) {
    // The lock belongs to the file, wherever the name that was opened points.
    char echt[PATH_MAX];
    if (::realpath(pfad.c_str(), echt))
        pfad = echt;
    return pfad;
}

} // namespace

Sperre EigeneSperre() {
    Sperre s;
    const passwd* pw = ::getpwuid(::geteuid());
    s.benutzer = pw ? pw->pw_name : std::to_string(::geteuid());
    s.rechner = rechnername();
    s.prozess = long(::getpid());
    s.start = startzeit(s.prozess);
    s.seit = int64_t(std::time(nullptr));
    return s;
}

std::string SperrdateiFuer(const std::string& liste) {
    const std::string pfad = ziel(liste);
    const size_t slash = pfad.rfind('/');
    return slash == std::string::npos
               ? "." + pfad + ".in-bearbeitung"
               : pfad.substr(0, slash + 1) + "." + pfad.substr(slash + 1) + ".in-bearbeitung";
}

std::optional<Sperre> SperreLesen(const std::string& liste) {
    const std::string inhalt = readFile(SperrdateiFuer(liste));
    if (inhalt.empty())
        return std::nullopt;
    Sperre s;
    for (size_t pos = 0, nl = 0; pos < inhalt.size(); pos = nl + 1) {
        nl = std::min(inhalt.find('\n', pos), inhalt.size());
        const std::string zeile = inhalt.substr(pos, nl - pos);
        const size_t eq = zeile.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = zeile.substr(0, eq), wert = zeile.substr(eq + 1);
        if (key == "Benutzer")
            s.benutzer = wert;
        else if (key == "Rechner")
            s.rechner = wert;
        else if (key == "Prozess")
            s.prozess = std::strtol(wert.c_str(), nullptr, 10);
        else if (key == "Start")
            s.start = std::strtoull(wert.c_str(), nullptr, 10);
        else if (key == "Seit")
            s.seit = std::strtoll(wert.c_str(), nullptr, 10);
    }
    return s;
}

bool SperreLebt(const Sperre& s) {
    if (s.rechner != rechnername())
        return true;
    if (s.prozess <= 0 || (::kill(pid_t(s.prozess), 0) != 0 && errno != EPERM))
        return false;
    return s.start == 0 || startzeit(s.prozess) == s.start;
}

bool SperreSetzen(const std::string& liste, const Sperre& eigene) {
    const std::string datei = SperrdateiFuer(liste);
    safewrite::recover(datei); // what a crash left of an earlier lock's write
    // Advisory: one lost in a power cut harms nothing, so it costs the start no flush.
    return safewrite::write(datei, text(eigene), {.onlyNew = true, .mode = 0644, .durable = false})
               .error == 0;
}

void SperreEntfernen(const std::string& liste, const Sperre& eigene) {
    if (SperreLesen(liste) == eigene)
        ::unlink(SperrdateiFuer(liste).c_str());
}

std::string SperrFrage(const Sperre& s) {
    const QDateTime seit = QDateTime::fromSecsSinceEpoch(s.seit);
    const QString text =
        QStringLiteral(u"Die Gesamt-Datei ist seit %1, %2 Uhr von %3 auf dem Rechner %4 zum "
                       u"Bearbeiten geöffnet. Trotzdem öffnen")
            .arg(datetime::shortDate(seit.date()), seit.time().toString(QStringLiteral("HH:mm")),
                 QString::fromLocal8Bit(s.benutzer), QString::fromLocal8Bit(s.rechner));
    return cp1252::fromQString(text);
}
