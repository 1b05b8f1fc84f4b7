#include "sitzung/wiederherstellung.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/filepath.h"
#include "sitzung/sitzungsdatei.h"
#include "support/fileerrors.h"

#include <QDateTime>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kKopf = "GESAMT-UNGESPEICHERT 1\n";
constexpr std::string_view kEndung = ".ungespeichert";

// The part of the name that is the same for every session of one list.
std::string praefix(const std::string& liste) {
    return ListenKennung(liste) + "-";
}

// A value ends at its line's end: a path holding a line break is written in hex digits.
std::string hex(const std::string& bytes) {
    static const char kZiffern[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char c : bytes) {
        text += kZiffern[c >> 4];
        text += kZiffern[c & 15];
    }
    return text;
}

std::string ausHex(const std::string& text) {
    auto ziffer = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 0;
    };
    std::string bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes += char(ziffer(text[i]) << 4 | ziffer(text[i + 1]));
    return bytes;
}

std::optional<Wiederherstellungsdaten> datenAusGelesenem(Sitzungsdatei gelesen) {
    // Only complete data count: a list cut short would lose names.
    if (!gelesen.leerzeile || gelesen.text("Laenge").empty() ||
        gelesen.rest.size() != gelesen.natuerlicheZahl("Laenge") ||
        safewrite::checksum(gelesen.rest) != gelesen.natuerlicheZahl("Pruefsumme"))
        return std::nullopt;
    Wiederherstellungsdaten d;
    d.datei =
        gelesen.werte.count("DateiHex") ? ausHex(gelesen.text("DateiHex")) : gelesen.text("Datei");
    d.sitzung.benutzer = gelesen.text("Benutzer");
    d.sitzung.rechner = gelesen.text("Rechner");
    d.sitzung.prozess = long(gelesen.zahl("Prozess"));
    d.sitzung.start = gelesen.natuerlicheZahl("Start");
    d.geaendert = gelesen.zahl("Geaendert");
    const std::string stand = gelesen.text("Stand");
    char* p = nullptr;
    DateiStand& s = d.stand;
    s.vorhanden = std::strtol(stand.c_str(), &p, 10) == 1;
    s.groesse = std::strtoll(p, &p, 10);
    s.geaendertNs = std::strtoll(p, &p, 10);
    s.pruefsumme = std::strtoull(p, &p, 10);
    s.geraet = std::strtoull(p, &p, 10);
    s.inode = std::strtoull(p, &p, 10);
    d.text = std::move(gelesen.rest);
    return d;
}

// The data of ended sessions of this list, with their files (the user's own only).
template <typename Tun>
void endeteSitzungen(const std::string& liste, Tun tun,
                     std::vector<std::string>* beschaedigt = nullptr) {
    const std::string ordner = safewrite::stateFolder(), anfang = praefix(liste);
    const std::string echt = safewrite::realPath(liste);
    DIR* dir = ::opendir(ordner.c_str());
    if (!dir)
        return;
    std::vector<std::string> namen;
    while (const dirent* e = ::readdir(dir))
        namen.emplace_back(e->d_name);
    ::closedir(dir);
    for (const std::string& n : namen) {
        if (!n.starts_with(anfang) || !n.ends_with(kEndung))
            continue;
        const std::string datei = ordner + "/" + n;
        std::string text;
        struct stat st {};
        const int fehler = safewrite::readFile(datei, kWiederherstellungHoechstens, text, &st);
        if ((fehler != 0 && fehler != EFBIG) || st.st_uid != ::geteuid())
            continue;
        auto d = fehler == 0 ? WiederherstellungAusText(text) : std::nullopt;
        // Ours, but of no use: someone's changes are gone, which the user must hear.
        if (!d && beschaedigt)
            beschaedigt->push_back(datei);
        if (d && d->datei == echt && !SperreLebt(d->sitzung))
            tun(datei, std::move(*d));
    }
}

} // namespace

std::string WiederherstellungsdateiFuer(const std::string& liste, long prozess) {
    return safewrite::stateFolder() + "/" + praefix(liste) + std::to_string(prozess) +
           std::string(kEndung);
}

std::string WiederherstellungsText(const Wiederherstellungsdaten& d) {
    const DateiStand& s = d.stand;
    std::string text(kKopf);
    text += (d.datei.find('\n') == std::string::npos ? "Datei=" + d.datei
                                                     : "DateiHex=" + hex(d.datei)) +
            "\nBenutzer=" + d.sitzung.benutzer + "\nRechner=" + d.sitzung.rechner +
            "\nProzess=" + std::to_string(d.sitzung.prozess) +
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
    return datenAusGelesenem(SitzungstextLesen(text));
}

std::optional<Wiederherstellungsdaten>
WiederherstellungFinden(const std::string& liste, std::vector<std::string>* beschaedigt) {
    const std::string ordner = safewrite::stateFolder(), anfang = safewrite::hidden(praefix(liste));
    if (DIR* dir = ::opendir(ordner.c_str())) {
        std::vector<std::string> angefangen;
        while (const dirent* e = ::readdir(dir)) {
            const std::string_view n = e->d_name;
            if (n.starts_with(anfang) && n.size() > 8 &&
                n.substr(0, n.size() - 7).ends_with(kEndung))
                angefangen.emplace_back(n.substr(1, n.size() - 8));
        }
        ::closedir(dir);
        for (const std::string& name : angefangen)
            safewrite::removeTemporaries(ordner + "/" + name); // a crash's, not a running write's
    }
    std::optional<Wiederherstellungsdaten> beste;
    endeteSitzungen(
        liste,
        [&](const std::string&, Wiederherstellungsdaten d) {
            if (!beste || d.geaendert > beste->geaendert)
                beste = std::move(d);
        },
        beschaedigt);
    return beste;
}

std::string WiederherstellungsFrage(const Wiederherstellungsdaten& d, const DateiStand& jetzt) {
    QString frage = QStringLiteral(u"Es gibt ungespeicherte Änderungen an der Gesamt-Datei vom %1, "
                                   u"die nicht gespeichert wurden, weil das Programm nicht "
                                   u"ordentlich beendet wurde.")
                        .arg(datetime::dateAndTime(d.geaendert));
    if (jetzt != d.stand)
        frage += QStringLiteral(u" Die Gesamt-Datei wurde seitdem geändert.");
    frage += QStringLiteral(u" Sollen die Änderungen übernommen werden");
    return cp1252::fromQString(frage);
}

std::string WiederherstellungAufbewahren(const Wiederherstellungsdaten& d) {
    const QDateTime t = QDateTime::fromSecsSinceEpoch(d.geaendert);
    std::string basis = safewrite::nameOf(d.datei);
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

bool WiederherstellungWieDatei(const Wiederherstellungsdaten& d, const DateiStand& datei) {
    return datei.vorhanden && int64_t(d.text.size()) == datei.groesse &&
           safewrite::checksum(d.text) == datei.pruefsumme;
}

void WiederherstellungEntfernen(const Wiederherstellungsdaten& d) {
    safewrite::remove(WiederherstellungsdateiFuer(d.datei, d.sitzung.prozess));
    endeteSitzungen(d.datei, [&](const std::string& datei, const Wiederherstellungsdaten& e) {
        if (e.text == d.text)
            safewrite::remove(datei);
    });
}

Wiederherstellung::Wiederherstellung(std::string liste, DateiStand stand) {
    daten_.datei = safewrite::realPath(liste);
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
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable() && !uebernommen_)
            return; // nothing was written
        neu_.reset();
        weg_ = true;
    }
    if (!thread_.joinable())
        thread_ = std::thread([this] { schreiben(); });
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

bool Wiederherstellung::uebernehmen(const Wiederherstellungsdaten& alt) {
    std::string text;
    {
        std::lock_guard lock(mutex_);
        daten_.text = alt.text;
        daten_.geaendert = alt.geaendert; // the changes are as old as they are
        text = WiederherstellungsText(daten_);
    }
    const int fehler = schreibenJetzt(text);
    melden(fehler);
    if (fehler != 0)
        return false;
    {
        std::lock_guard lock(mutex_);
        uebernommen_ = true;
    }
    WiederherstellungEntfernen(alt);
    return true;
}

void Wiederherstellung::beiFehler(std::function<void(const std::string&)> melden) {
    std::lock_guard lock(mutex_);
    melden_ = std::move(melden);
}

int Wiederherstellung::schreibenJetzt(const std::string& text) {
    std::lock_guard lock(schreibMutex_);
    safewrite::makeStateFolder();
    return safewrite::write(datei_, text, {.mode = 0600}).error;
}

void Wiederherstellung::melden(int fehler) {
    std::function<void(const std::string&)> melden;
    {
        std::lock_guard lock(mutex_);
        if (fehler == 0 || gemeldet_) {
            gemeldet_ = fehler != 0;
            return;
        }
        gemeldet_ = true;
        melden = melden_;
    }
    if (melden)
        melden("Die ungespeicherten \xC4nderungen k\xF6nnen zurzeit nicht f\xFCr den Fall eines "
               "Absturzes gesichert werden: " +
               std::string(DateiFehlerAusErrno(fehler).what()));
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
            std::lock_guard eins(schreibMutex_);
            safewrite::remove(datei_, false);
        } else {
            daten_.text = std::move(*neu_);
            neu_.reset();
            daten_.geaendert = int64_t(std::time(nullptr));
            const std::string text = WiederherstellungsText(daten_);
            lock.unlock();
            melden(schreibenJetzt(text));
        }
        lock.lock();
        fleissig_ = false;
        cv_.notify_all();
    }
}
