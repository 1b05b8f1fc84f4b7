#include "sitzung/wiederherstellung.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/safewrite.h"

#include <QDateTime>
#include <climits>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kKopf = "GESAMT-UNGESPEICHERT 1\n";
constexpr std::string_view kEndung = ".ungespeichert";

std::string echterPfad(const std::string& pfad) {
    char echt[PATH_MAX];
    return ::realpath(pfad.c_str(), echt) ? std::string(echt) : pfad;
}

std::string name(const std::string& pfad) {
    const size_t slash = pfad.rfind('/');
    return slash == std::string::npos ? pfad : pfad.substr(slash + 1);
}

// The part of the name that is the same for every session of one list.
std::string praefix(const std::string& liste) {
    const std::string pfad = echterPfad(liste);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(safewrite::checksum(pfad)));
    return name(pfad) + "-" + hash + "-";
}

using safewrite::readFile;

QString wann(int64_t sekunden) {
    const QDateTime t = QDateTime::fromSecsSinceEpoch(sekunden);
    return QStringLiteral("%1, %2 Uhr")
        .arg(datetime::shortDate(t.date()), t.time().toString(QStringLiteral("HH:mm")));
}

} // namespace

std::string WiederherstellungsdateiFuer(const std::string& liste, long prozess) {
    return safewrite::stateFolder() + "/" + praefix(liste) + std::to_string(prozess) +
           std::string(kEndung);
}

std::string WiederherstellungsText(const Wiederherstellungsdaten& d) {
    const DateiStand& s = d.stand;
    std::string text(kKopf);
    text += "Datei=" + d.datei + "\nBenutzer=" + d.sitzung.benutzer +
            "\nRechner=" + d.sitzung.rechner + "\nProzess=" + std::to_string(d.sitzung.prozess) +
            "\nStart=" + std::to_string(d.sitzung.start) +
            "\nGeaendert=" + std::to_string(d.geaendert) +
            "\nStand=" + (s.vorhanden ? "1 " : "0 ") + std::to_string(s.groesse) + " " +
            std::to_string(s.geaendertNs) + " " + std::to_string(s.pruefsumme) + " " +
            std::to_string(s.geraet) + " " + std::to_string(s.inode) +
            "\nLaenge=" + std::to_string(d.text.size()) +
            "\nPruefsumme=" + std::to_string(safewrite::checksum(d.text)) + "\n\n";
    return text + d.text;
}

std::optional<Wiederherstellungsdaten> WiederherstellungAusText(const std::string& text) {
    if (!text.starts_with(kKopf))
        return std::nullopt;
    const size_t ende = text.find("\n\n", kKopf.size());
    if (ende == std::string::npos)
        return std::nullopt;
    Wiederherstellungsdaten d;
    uint64_t laenge = UINT64_MAX, pruefsumme = 0;
    size_t pos = kKopf.size();
    while (pos < ende) {
        const size_t nl = text.find('\n', pos);
        const std::string zeile = text.substr(pos, nl - pos);
        pos = nl + 1;
        const size_t eq = zeile.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = zeile.substr(0, eq), wert = zeile.substr(eq + 1);
        const char* w = wert.c_str();
        if (key == "Datei")
            d.datei = wert;
        else if (key == "Benutzer")
            d.sitzung.benutzer = wert;
        else if (key == "Rechner")
            d.sitzung.rechner = wert;
        else if (key == "Prozess")
            d.sitzung.prozess = std::strtol(w, nullptr, 10);
        else if (key == "Start")
            d.sitzung.start = std::strtoull(w, nullptr, 10);
        else if (key == "Geaendert")
            d.geaendert = std::strtoll(w, nullptr, 10);
        else if (key == "Laenge")
            laenge = std::strtoull(w, nullptr, 10);
        else if (key == "Pruefsumme")
            pruefsumme = std::strtoull(w, nullptr, 10);
        else if (key == "Stand") {
            char* p = nullptr;
            DateiStand& s = d.stand;
            s.vorhanden = std::strtol(w, &p, 10) == 1;
            s.groesse = std::strtoll(p, &p, 10);
            s.geaendertNs = std::strtoll(p, &p, 10);
            s.pruefsumme = std::strtoull(p, &p, 10);
            s.geraet = std::strtoull(p, &p, 10);
            s.inode = std::strtoull(p, &p, 10);
        }
    }
    d.text = text.substr(ende + 2);
    // Only complete data count: a list cut short would lose names.
    if (d.text.size() != laenge || safewrite::checksum(d.text) != pruefsumme)
        return std::nullopt;
    return d;
}

std::optional<Wiederherstellungsdaten> WiederherstellungFinden(const std::string& liste) {
    const std::string ordner = safewrite::stateFolder(), anfang = praefix(liste);
    DIR* dir = ::opendir(ordner.c_str());
    if (!dir)
        return std::nullopt;
    std::optional<Wiederherstellungsdaten> beste;
    while (const dirent* e = ::readdir(dir)) {
        const std::string n = e->d_name;
        if (!n.starts_with(anfang) || !n.ends_with(kEndung))
            continue;
        auto d = WiederherstellungAusText(readFile(ordner + "/" + n));
        if (d && d->datei == echterPfad(liste) && !SperreLebt(d->sitzung) &&
            (!beste || d->geaendert > beste->geaendert))
            beste = std::move(d);
    }
    ::closedir(dir);
    return beste;
}

std::string WiederherstellungsFrage(const Wiederherstellungsdaten& d, const DateiStand& jetzt) {
    QString frage = QStringLiteral(u"Es gibt ungespeicherte Änderungen an der Gesamt-Datei vom %1, "
                                   u"die nicht gespeichert wurden, weil das Programm nicht "
                                   u"ordentlich beendet wurde.")
                        .arg(wann(d.geaendert));
    if (jetzt != d.stand)
        frage += QStringLiteral(u" Die Gesamt-Datei wurde seitdem geändert.");
    frage += QStringLiteral(u" Sollen die Änderungen übernommen werden");
    return cp1252::fromQString(frage);
}

std::string WiederherstellungAufbewahren(const Wiederherstellungsdaten& d) {
    const QDateTime t = QDateTime::fromSecsSinceEpoch(d.geaendert);
    std::string basis = name(d.datei);
    const size_t punkt = basis.rfind('.');
    const std::string endung = punkt == std::string::npos ? ".TIF" : basis.substr(punkt);
    basis = basis.substr(0, punkt);
    const std::string datei = safewrite::stateFolder() + "/" + basis + "-ungespeichert-" +
                              t.toString(QStringLiteral("yyyy-MM-dd-HHmmss")).toStdString() +
                              endung;
    safewrite::makeStateFolder();
    if (safewrite::write(datei, d.text, {.mode = 0600}).error != 0)
        return {};
    WiederherstellungEntfernen(d);
    return datei;
}

void WiederherstellungEntfernen(const Wiederherstellungsdaten& d) {
    ::unlink(WiederherstellungsdateiFuer(d.datei, d.sitzung.prozess).c_str());
}

Wiederherstellung::Wiederherstellung(std::string liste, DateiStand stand) {
    daten_.datei = echterPfad(liste);
    daten_.sitzung = EigeneSperre();
    daten_.stand = stand;
    datei_ = WiederherstellungsdateiFuer(liste, daten_.sitzung.prozess);
}

Wiederherstellung::~Wiederherstellung() {
    {
        std::lock_guard lock(mutex_);
        ende_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void Wiederherstellung::aendern(std::string text) {
    {
        std::lock_guard lock(mutex_);
        neu_ = std::move(text);
        weg_ = false;
    }
    // Started at the first change: a list only looked at costs no thread.
    if (!thread_.joinable())
        thread_ = std::thread([this] { schreiben(); });
    cv_.notify_all();
}

void Wiederherstellung::verwerfen() {
    if (!thread_.joinable())
        return; // nothing was written
    {
        std::lock_guard lock(mutex_);
        neu_.reset();
        weg_ = true;
    }
    cv_.notify_all();
}

void Wiederherstellung::gespeichert(const DateiStand& stand) {
    {
        std::lock_guard lock(mutex_);
        daten_.stand = stand;
    }
    verwerfen();
}

void Wiederherstellung::warten() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return !neu_ && !weg_ && !fleissig_; });
}

void Wiederherstellung::schreiben() {
    std::unique_lock lock(mutex_);
    while (true) {
        cv_.wait(lock, [this] { return ende_ || neu_ || weg_; });
        if (!neu_ && !weg_)
            return; // ended with nothing left to write
        fleissig_ = true;
        if (weg_) {
            weg_ = false;
            lock.unlock();
            ::unlink(datei_.c_str());
        } else {
            daten_.text = std::move(*neu_);
            neu_.reset();
            daten_.geaendert = int64_t(std::time(nullptr));
            const std::string text = WiederherstellungsText(daten_);
            lock.unlock();
            safewrite::makeStateFolder();
            safewrite::write(datei_, text, {.mode = 0600});
        }
        lock.lock();
        fleissig_ = false;
        cv_.notify_all();
    }
}
