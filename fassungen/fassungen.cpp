#include "fassungen/fassungen.h"

#include "cells/cellstore.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/filepath.h"
#include "safewrite/safewrite.h"
#include "sitzung/sitzungsdatei.h"
#include "support/fileerrors.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Every version kept, of every list: thinning out spans them all.
struct Fassungsbestand {
    std::vector<std::string> dateien;
    std::vector<Fassungsname> namen;
    std::vector<Fassungsdatei> fassungen;
    int liste = -1; // the session's list among them
};

namespace {

const std::string kPfad = "Pfad";

std::string wurzel() {
    return safewrite::stateFolder() + "/fassungen";
}

// Temporary files that a crash left while a version or "Pfad" was written: "." + name + 7.
void aufraeumen(const std::string& ordner, const std::string& name) {
    if (name.size() > 8 && name[0] == '.' && name[name.size() - 7] == '.')
        safewrite::removeTemporaries(safewrite::inFolder(ordner, name.substr(1, name.size() - 8)));
}

// Each name in a folder of the user's own (not a link to one); what a crash left of a write
// there goes first, since a version stopped just after it got its name has a second one.
// False where there is no such folder.
template <typename Tun> bool inEigenemOrdner(const std::string& ordner, Tun tun) {
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    DIR* dir = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        ::close(fd);
        return false;
    }
    std::vector<std::string> namen;
    while (const dirent* e = ::readdir(dir))
        if (const std::string_view n = e->d_name; n != "." && n != "..")
            namen.emplace_back(n);
    for (const std::string& n : namen)
        aufraeumen(ordner, n);
    for (const std::string& n : namen)
        if (n[0] != '.')
            tun(n);
    ::closedir(dir);
    return true;
}

Fassungsbestand bestandLesen(const std::string& eigener) {
    Fassungsbestand b;
    const std::string oben = wurzel();
    int nr = 0;
    inEigenemOrdner(oben, [&](const std::string& liste) {
        const std::string ordner = safewrite::inFolder(oben, liste);
        if (liste == eigener)
            b.liste = nr;
        inEigenemOrdner(ordner, [&](const std::string& n) {
            if (const auto name = FassungsnameLesen(n)) {
                b.dateien.push_back(safewrite::inFolder(ordner, n));
                b.namen.push_back(*name);
                b.fassungen.push_back({nr, name->zeitMs, name->groesse, false});
            }
        });
        ++nr;
    });
    return b;
}

// A version as kept: a regular file of the user's own with no other name, holding what its
// name says. Its bytes in `text` where it is one.
bool heil(const std::string& datei, const Fassungsname& name, std::string& text) {
    struct stat st {};
    const int fehler = safewrite::readFile(datei, safewrite::kLargestRecord, text, &st);
    if (fehler == 0 && st.st_uid == ::geteuid() && st.st_nlink == 1 &&
        text.size() == name.groesse && safewrite::checksum(text) == name.pruefsumme)
        return true;
    text.clear();
    return false;
}

// "Pfad" says which list the folder's versions are of; whatever else is at its name goes.
int pfadVermerken(const std::string& ordner, const std::string& liste) {
    if (FassungsordnerListe(ordner) == liste)
        return 0;
    const std::string datei = safewrite::inFolder(ordner, kPfad);
    struct stat st {};
    if (::lstat(datei.c_str(), &st) == 0)
        safewrite::remove(datei, false);
    return safewrite::write(datei, liste, {.onlyNew = true, .mode = 0600}).error;
}

std::string entferntHinweis(const Ausduennung& a) {
    const std::string wann = cp1252::fromQString(datetime::longDateAndTime(a.aeltesteJunge / 1000));
    const std::string grund = "Fr\xFChere Fassungen der Gesamt-Dateien d\xFCrfen zusammen "
                              "h\xF6"
                              "chstens " +
                              std::to_string(kFassungenHoechstens >> 20) + " MB belegen. Deshalb ";
    if (a.jungeEntfernt == 1)
        return grund + "wurde die Fassung vom " + wann + " entfernt";
    return grund + "wurden " + std::to_string(a.jungeEntfernt) +
           " Fassungen der letzten 14 Tage entfernt, die \xE4lteste vom " + wann;
}

int64_t systemzeit() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::string FassungsordnerFuer(const std::string& liste) {
    return wurzel() + "/" + ListenKennung(liste);
}

std::string FassungsordnerListe(const std::string& ordner) {
    std::string pfad;
    struct stat st {};
    const int fehler = safewrite::readFile(safewrite::inFolder(ordner, kPfad), PATH_MAX, pfad, &st);
    return fehler == 0 && st.st_uid == ::geteuid() ? pfad : std::string();
}

std::vector<Fassung>
FassungenLesen(const std::string& liste,
               const std::function<void(const Fassung&, const CellTable&)>& jede) {
    const std::string ordner = FassungsordnerFuer(liste);
    std::vector<Fassung> fassungen;
    CellStore zellen;
    inEigenemOrdner(ordner, [&](const std::string& n) {
        const auto name = FassungsnameLesen(n);
        if (!name)
            return;
        Fassung& f = fassungen.emplace_back();
        f.datei = safewrite::inFolder(ordner, n);
        f.zeitMs = name->zeitMs;
        f.beschaedigt = !heil(f.datei, *name, f.text);
        // Counted as the list's reading counts them.
        zellen.setRowCount(kMaxEintraege + 1);
        f.anzahl = f.beschaedigt ? 0 : NamenTextLesen(f.text, zellen).anzahl;
        if (jede && !f.beschaedigt)
            jede(f, zellen);
    });
    std::sort(fassungen.begin(), fassungen.end(), [](const Fassung& a, const Fassung& b) {
        return a.zeitMs != b.zeitMs ? a.zeitMs > b.zeitMs : a.datei > b.datei;
    });
    return fassungen;
}

Fassungen::Fassungen(std::string liste, Uhr uhr)
    : liste_(std::move(liste)), uhr_(uhr ? std::move(uhr) : Uhr(systemzeit)) {}

Fassungen::~Fassungen() {
    warten();
    for (const std::string& datei : ungespuelt_)
        safewrite::flush(datei);
}

void Fassungen::warten() {
    if (spueler_.joinable())
        spueler_.join();
}

void Fassungen::nachDemSpeichern() {
    warten();
    if (ungespuelt_.empty())
        return;
    // A crash loses nothing written; a power cut what is not flushed yet.
    spueler_ = std::thread([dateien = std::move(ungespuelt_)] {
        for (const std::string& datei : dateien)
            safewrite::flush(datei);
    });
    ungespuelt_.clear();
}

namespace {

// The list's bytes as they are now; ENOENT where there is no file (yet).
int listeLesen(const std::string& liste, std::string& text) {
    struct stat st {};
    if (::stat(liste.c_str(), &st) != 0)
        return errno;
    return safewrite::readFile(safewrite::realPath(liste), safewrite::kLargestRecord, text);
}

} // namespace

void Fassungen::geoeffnet(const DateiStand& stand) {
    geoeffnet_.reset();
    std::string text;
    if (stand.vorhanden && listeLesen(liste_, text) == 0 &&
        safewrite::checksum(text) == stand.pruefsumme) {
        geoeffnet_ = std::move(text);
        geoeffnetMs_ = uhr_();
    }
}

namespace {

// The state folder, the versions folder and the list's own, for the user alone, and "Pfad".
int vorbereiten(const std::string& ordner, const std::string& liste) {
    safewrite::makeStateFolder();
    int fehler = safewrite::makePrivateFolder(wurzel());
    fehler = fehler ? fehler : safewrite::makePrivateFolder(ordner);
    return fehler ? fehler : pfadVermerken(ordner, safewrite::realPath(liste));
}

} // namespace

int Fassungen::behalten(const std::string& text, int64_t zeitMs, Fassungsbestand& b) {
    const Fassungsname name{zeitMs, safewrite::checksum(text), text.size()};
    // The state the version before it holds is kept once.
    std::optional<size_t> davor;
    for (size_t i = 0; i < b.namen.size(); ++i)
        if (b.fassungen[i].liste == b.liste && b.namen[i].zeitMs <= zeitMs &&
            (!davor || b.namen[i].zeitMs >= b.namen[*davor].zeitMs))
            davor = i;
    std::string davorText;
    if (davor && b.namen[*davor].pruefsumme == name.pruefsumme &&
        heil(b.dateien[*davor], b.namen[*davor], davorText))
        return 0;
    const std::string datei = safewrite::inFolder(FassungsordnerFuer(liste_), name.text());
    const int fehler =
        safewrite::write(datei, text, {.onlyNew = true, .mode = 0600, .durable = false}).error;
    if (fehler == 0) {
        b.dateien.push_back(datei);
        b.namen.push_back(name);
        b.fassungen.push_back({b.liste, zeitMs, text.size(), true});
        ungespuelt_.push_back(datei);
    }
    return fehler;
}

std::vector<std::string> Fassungen::vorDemSpeichern() {
    warten();
    for (const std::string& datei : ungespuelt_)
        safewrite::flush(datei);
    ungespuelt_.clear();
    const std::string ordner = FassungsordnerFuer(liste_);
    int fehler = vorbereiten(ordner, liste_);
    Fassungsbestand b = fehler ? Fassungsbestand{} : bestandLesen(safewrite::nameOf(ordner));
    if (!fehler && geoeffnet_ && (fehler = behalten(*geoeffnet_, geoeffnetMs_, b)) == 0)
        geoeffnet_.reset();
    if (!fehler) {
        std::string jetzt;
        const int gelesen = listeLesen(liste_, jetzt);
        fehler = gelesen == 0 ? behalten(jetzt, uhr_(), b) : gelesen == ENOENT ? 0 : gelesen;
    }

    std::vector<std::string> hinweise;
    if (fehler != 0 && !gemeldet_)
        hinweise.push_back("Die vorige Fassung der Gesamt-Datei kann zurzeit nicht aufbewahrt "
                           "werden: " +
                           std::string(DateiFehlerAusErrno(fehler).what()));
    gemeldet_ = fehler != 0;
    const Ausduennung a = Ausduennen(b.fassungen, uhr_());
    // Removals need not survive a power cut: a version back from one goes at the next save.
    for (const size_t i : a.entfernen)
        safewrite::remove(b.dateien[i], false);
    if (a.jungeEntfernt > 0)
        hinweise.push_back(entferntHinweis(a));
    return hinweise;
}
