#include "sitzung/sperre.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/paths.h"
#include "safewrite/filepath.h"
#include "safewrite/safewrite.h"
#include "sitzung/sitzungsdatei.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Stands for the computer of a lock that tells none: never this one, so always asked about.
constexpr const char* kUnbekannt = "(unbekannt)";

std::string rechnername() {
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// Fields 3 and 22 of /proc/<pid>/stat: the process's state, and when it started, in clock
// ticks after boot.
struct Prozessstand {
    char zustand = 0;
    uint64_t start = 0;
};

Prozessstand prozessstand(long pid) {
    std::string text;
    safewrite::readFile("/proc/" + std::to_string(pid) + "/stat", 4096, text);
    Prozessstand p;
    size_t pos = text.rfind(')'); // the command name may hold blanks and brackets
    if (pos != std::string::npos && pos + 2 < text.size())
        p.zustand = text[pos + 2];
    for (int feld = 2; pos != std::string::npos && feld < 22; ++feld)
        pos = text.find(' ', pos + 1);
    if (pos != std::string::npos)
        p.start = std::strtoull(text.c_str() + pos + 1, nullptr, 10);
    return p;
}

} // namespace

std::string SperrText(const Sperre& s) {
    return "Benutzer=" + s.benutzer + "\nRechner=" + s.rechner +
           "\nProzess=" + std::to_string(s.prozess) + "\nStart=" + std::to_string(s.start) +
           "\nSeit=" + std::to_string(s.seit) + "\n";
}

Sperre EigeneSperre() {
    Sperre s;
    s.benutzer = paths::userName(::geteuid());
    s.rechner = rechnername();
    s.prozess = long(::getpid());
    s.start = prozessstand(s.prozess).start;
    s.seit = int64_t(std::time(nullptr));
    return s;
}

std::string SperrdateiFuer(const std::string& liste) {
    // The lock belongs to the file, wherever the name that was opened points.
    const std::string pfad = safewrite::realPath(liste);
    return safewrite::inFolder(safewrite::folderOf(pfad),
                               safewrite::hidden(safewrite::nameOf(pfad), ".in-bearbeitung"));
}

namespace {
std::optional<Sperre> sperreAusGelesenem(const Sitzungsdatei& d) {
    if (!d.werte.count("Rechner"))
        return std::nullopt;
    Sperre s;
    s.benutzer = d.text("Benutzer");
    s.rechner = d.text("Rechner");
    s.prozess = long(d.zahl("Prozess"));
    s.start = d.natuerlicheZahl("Start");
    s.seit = d.zahl("Seit");
    return s;
}
} // namespace

std::optional<Sperre> SperreAusText(const std::string& text) {
    return sperreAusGelesenem(SitzungstextLesen(text));
}

namespace {

// The lock in `datei`. Whose it is says the file's owner, not its text: anyone may write any
// name into a file.
std::optional<Sperre> sperreAus(const std::string& datei) {
    struct stat lst {};
    if (datei.empty() || ::lstat(datei.c_str(), &lst) != 0)
        return std::nullopt;
    const Sitzungsdatei d = SitzungsdateiLesen(datei, kSperreHoechstens);
    if (d.fehler == 0)
        if (std::optional<Sperre> s = sperreAusGelesenem(d)) {
            s->benutzer = paths::userName(d.st.st_uid); // of the file whose text was read
            return s;
        }
    Sperre s;
    s.benutzer = paths::userName(lst.st_uid);
    s.seit = int64_t(lst.st_mtim.tv_sec);
    const bool eigene = S_ISREG(lst.st_mode) && lst.st_nlink == 1 && lst.st_uid == ::geteuid();
    s.rechner = eigene ? rechnername() : kUnbekannt;
    return s;
}

} // namespace

std::optional<Sperre> SperreLesen(const std::string& liste) {
    return sperreAus(SperrdateiFuer(liste));
}

bool SperreLebt(const Sperre& s) {
    if (s.rechner != rechnername())
        return true;
    if (s.prozess <= 0 || (::kill(pid_t(s.prozess), 0) != 0 && errno != EPERM))
        return false;
    const Prozessstand p = prozessstand(s.prozess);
    // A copy that was killed is a zombie until whoever started it collects it: it edits
    // nothing.
    if (p.zustand == 'Z' || p.zustand == 'X')
        return false;
    return s.start == 0 || p.start == s.start;
}

namespace {

bool setzen(const std::string& datei, const Sperre& eigene) {
    safewrite::removeTemporaries(datei); // what a crash left of an earlier lock's write
    // Advisory: one lost in a power cut harms nothing, so it costs the start no flush.
    return safewrite::write(datei, SperrText(eigene),
                            {.onlyNew = true, .mode = 0644, .durable = false})
               .error == 0;
}

void entfernen(const std::string& datei, const Sperre& eigene) {
    if (sperreAus(datei) == eigene)
        safewrite::remove(datei);
}

Sperrversuch nehmen(const std::string& datei, const Sperre& eigene) {
    for (int versuch = 0; versuch < 3; ++versuch) {
        if (const std::optional<Sperre> da = sperreAus(datei)) {
            if (SperreLebt(*da))
                return {Sperrversuch::Fremd, *da};
            entfernen(datei, *da); // left by a session that ended
        }
        if (setzen(datei, eigene))
            return {Sperrversuch::Gesetzt, {}};
        struct stat lst {};
        if (::lstat(datei.c_str(), &lst) != 0)
            return {Sperrversuch::OhneSperre, {}}; // the folder takes no new file
        // Another copy was quicker, or an ended session's lock could not be removed: read
        // again what is there.
    }
    // An ended session's lock that stays where it is (a folder that takes no change) keeps
    // no one out.
    if (const std::optional<Sperre> da = sperreAus(datei); da && SperreLebt(*da))
        return {Sperrversuch::Fremd, *da};
    return {Sperrversuch::OhneSperre, {}};
}

} // namespace

std::string ErsatzsperreFuer(const std::string& liste) {
    struct stat st {};
    if (::stat(liste.c_str(), &st) != 0)
        return {};
    // By the file's path: a save by renaming gives the file a new number each time.
    const uint64_t kennung = safewrite::checksum(safewrite::realPath(liste));
    return safewrite::inFolder(safewrite::stateFolder(),
                               ".gesamt-" + std::to_string(kennung) + ".in-bearbeitung");
}

bool SperreSetzen(const std::string& liste, const Sperre& eigene) {
    return setzen(SperrdateiFuer(liste), eigene);
}

Sperrversuch SperreNehmen(const std::string& liste, const Sperre& eigene) {
    // Not through another user's link: the lock would be made wherever it leads.
    if (safewrite::foreignLink(liste))
        return {Sperrversuch::OhneSperre, {}};
    const std::string ersatz = ErsatzsperreFuer(liste);
    if (const std::optional<Sperre> da = sperreAus(ersatz); da && SperreLebt(*da))
        return {Sperrversuch::Fremd, *da};
    const Sperrversuch daneben = nehmen(SperrdateiFuer(liste), eigene);
    if (daneben.ergebnis != Sperrversuch::OhneSperre || ersatz.empty())
        return daneben;
    // No lock can be set beside the list (a folder that takes no new file, an ended session's
    // lock that stays there): two copies of the user's own must meet all the same.
    safewrite::makeStateFolder();
    return nehmen(ersatz, eigene);
}

Sperrversuch ErsatzsperreNehmen(const std::string& liste, const Sperre& eigene) {
    const std::string ersatz = ErsatzsperreFuer(liste);
    if (ersatz.empty() || safewrite::foreignLink(liste))
        return {Sperrversuch::OhneSperre, {}};
    safewrite::makeStateFolder();
    return nehmen(ersatz, eigene);
}

void SperreEntfernen(const std::string& liste, const Sperre& eigene) {
    entfernen(SperrdateiFuer(liste), eigene);
    entfernen(ErsatzsperreFuer(liste), eigene);
}

std::string SperrFrage(const Sperre& s) {
    const QString text =
        QStringLiteral(u"Die Gesamt-Datei ist seit %1 von %2 auf dem Rechner %3 zum "
                       u"Bearbeiten geöffnet. Trotzdem öffnen")
            .arg(datetime::dateAndTime(s.seit), QString::fromLocal8Bit(s.benutzer),
                 QString::fromLocal8Bit(s.rechner));
    return cp1252::fromQString(text);
}
