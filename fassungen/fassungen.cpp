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

namespace {

const std::string kPfad = "Pfad";

std::string wurzel() {
    return safewrite::stateFolder() + "/fassungen";
}

// What a folder holds, where it is the user's own folder and not a link to one.
std::optional<std::vector<std::string>> eigenerOrdner(const std::string& ordner) {
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    DIR* dir = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<std::string> namen;
    while (const dirent* e = ::readdir(dir))
        if (const std::string_view n = e->d_name; n != "." && n != "..")
            namen.emplace_back(n);
    ::closedir(dir);
    return namen;
}

// A version as kept: a regular file of the user's own with no other name, holding what its
// name says. Its bytes in `text` where it is one.
bool heil(const std::string& datei, const Fassungsname& name, std::string& text) {
    struct stat st {};
    const int fehler = safewrite::readFile(datei, safewrite::kLargestRecord, text, &st);
    if (fehler == 0 && st.st_uid == ::geteuid() && st.st_nlink == 1 &&
        safewrite::checksum(text) == name.pruefsumme)
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

// Temporary files that a crash left while a version or "Pfad" was written: "." + name + 7.
void aufraeumen(const std::string& ordner, const std::string& name) {
    if (name.size() > 8 && name[0] == '.' && name[name.size() - 7] == '.')
        safewrite::removeTemporaries(safewrite::inFolder(ordner, name.substr(1, name.size() - 8)));
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

std::vector<Fassung> FassungenLesen(const std::string& liste) {
    const std::string ordner = FassungsordnerFuer(liste);
    std::vector<Fassung> fassungen;
    CellStore zellen;
    const auto namen = eigenerOrdner(wurzel()) ? eigenerOrdner(ordner) : std::nullopt;
    for (const std::string& n : namen.value_or(std::vector<std::string>{})) {
        const auto name = FassungsnameLesen(n);
        if (!name)
            continue;
        Fassung& f = fassungen.emplace_back();
        f.datei = safewrite::inFolder(ordner, n);
        f.zeitMs = name->zeitMs;
        f.beschaedigt = !heil(f.datei, *name, f.text);
        // Counted as the list's reading counts them.
        zellen.setRowCount(kMaxEintraege + 1);
        f.anzahl = f.beschaedigt ? 0 : NamenTextLesen(f.text, zellen).anzahl;
    }
    std::sort(fassungen.begin(), fassungen.end(), [](const Fassung& a, const Fassung& b) {
        return a.zeitMs != b.zeitMs ? a.zeitMs > b.zeitMs : a.datei > b.datei;
    });
    return fassungen;
}

Fassungen::Fassungen(std::string liste, Uhr uhr)
    : liste_(std::move(liste)), uhr_(uhr ? std::move(uhr) : Uhr(systemzeit)) {}

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

int Fassungen::behalten(const std::string& text, int64_t zeitMs) {
    safewrite::makeStateFolder();
    const std::string ordner = FassungsordnerFuer(liste_);
    int fehler = safewrite::makePrivateFolder(wurzel());
    fehler = fehler ? fehler : safewrite::makePrivateFolder(ordner);
    fehler = fehler ? fehler : pfadVermerken(ordner, safewrite::realPath(liste_));
    if (fehler)
        return fehler;
    const Fassungsname name{zeitMs, safewrite::checksum(text)};
    // The state the version before it holds is kept once.
    std::optional<Fassungsname> davor;
    std::string davorDatei;
    for (const std::string& n : eigenerOrdner(ordner).value_or(std::vector<std::string>{})) {
        const auto f = FassungsnameLesen(n);
        if (f && f->zeitMs <= zeitMs && (!davor || f->zeitMs >= davor->zeitMs)) {
            davor = f;
            davorDatei = n;
        }
    }
    std::string davorText;
    if (davor && davor->pruefsumme == name.pruefsumme &&
        heil(safewrite::inFolder(ordner, davorDatei), *davor, davorText))
        return 0;
    const std::string datei = safewrite::inFolder(ordner, name.text());
    fehler = safewrite::write(datei, text, {.onlyNew = true, .mode = 0600}).error;
    if (fehler == 0)
        neu_.push_back(datei);
    return fehler;
}

std::vector<std::string> Fassungen::vorDemSpeichern() {
    neu_.clear();
    int fehler = 0;
    if (geoeffnet_ && (fehler = behalten(*geoeffnet_, geoeffnetMs_)) == 0)
        geoeffnet_.reset();
    std::string jetzt;
    const int gelesen = listeLesen(liste_, jetzt);
    const int gehalten = gelesen == 0 ? behalten(jetzt, uhr_()) : gelesen == ENOENT ? 0 : gelesen;
    fehler = fehler ? fehler : gehalten;

    std::vector<std::string> hinweise;
    if (fehler != 0 && !gemeldet_)
        hinweise.push_back("Die vorige Fassung der Gesamt-Datei kann zurzeit nicht aufbewahrt "
                           "werden: " +
                           std::string(DateiFehlerAusErrno(fehler).what()));
    gemeldet_ = fehler != 0;
    if (auto hinweis = ausduennen())
        hinweise.push_back(std::move(*hinweis));
    return hinweise;
}

std::optional<std::string> Fassungen::ausduennen() {
    std::vector<Fassungsdatei> alle;
    std::vector<std::string> dateien;
    int nr = 0;
    for (const std::string& liste : eigenerOrdner(wurzel()).value_or(std::vector<std::string>{})) {
        const std::string ordner = safewrite::inFolder(wurzel(), liste);
        for (const std::string& n : eigenerOrdner(ordner).value_or(std::vector<std::string>{})) {
            aufraeumen(ordner, n);
            const auto name = FassungsnameLesen(n);
            struct stat st {};
            const std::string datei = safewrite::inFolder(ordner, n);
            if (!name || ::lstat(datei.c_str(), &st) != 0)
                continue;
            // What cannot be a version takes no room from the versions.
            const bool zaehlt =
                S_ISREG(st.st_mode) && uint64_t(st.st_size) <= safewrite::kLargestRecord;
            alle.push_back({nr, name->zeitMs, zaehlt ? uint64_t(st.st_size) : 0,
                            std::find(neu_.begin(), neu_.end(), datei) != neu_.end()});
            dateien.push_back(datei);
        }
        ++nr;
    }
    const Ausduennung a = Ausduennen(alle, uhr_());
    // Removals need not survive a power cut: a version back from one goes at the next save.
    for (const size_t i : a.entfernen)
        safewrite::remove(dateien[i], false);
    if (a.jungeEntfernt == 0)
        return std::nullopt;
    return entferntHinweis(a);
}
